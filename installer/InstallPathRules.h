// Rules for the installation directory text (GBK).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvek {

// True when the text holds a Chinese character of the GB2312 rows (lead byte
// 0xB0-0xF7, trail 0xA1-0xFE) once full-width letters, digits, punctuation
// and spaces are folded to ASCII. Symbols and the GBK extension areas do not
// count.
bool containsChinese(std::string_view text);

// The product always gets its own folder below the chosen one:
// "D:\" gives "D:\Talvek\", "D:\Games" gives "D:\Games\Talvek\".
std::string folderDialogResult(std::string_view chosenFolder);

// %ProgramFiles% + "\Talvek\"; without the variable, "\Talvek\".
std::string defaultInstallDirectory(const std::optional<std::string>& programFiles);

}  // namespace talvek
