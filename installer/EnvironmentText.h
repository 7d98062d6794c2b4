// Environment variables in the system code page, as the installer's path
// rules read them.
#pragma once

#include <optional>
#include <string>

namespace talvek {

// Nothing when the variable is unset (or longer than any path).
std::optional<std::string> environmentText(const wchar_t* name);

}  // namespace talvek
