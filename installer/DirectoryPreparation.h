// What the install button checks and prepares before anything is written.
#pragma once

#include <optional>
#include <string>

namespace talvek {

namespace message {
inline constexpr char kErrorPrefix[] = "<font color=#FF0000>!Error：</font><br><hr  color=#FF8800 /><br>";
inline constexpr char kChinesePath[] = "抱歉，Talvek暂不支持包含中文的安装路径,请重新选择其它安装路径！";
}  // namespace message

std::string deletionFailedMessage(const std::string& directory);
std::string creationFailedMessage(const std::string& directory);

// Checks the path-box text in the fixed order: Chinese characters; an
// existing directory (stop Pagelens and Freshen; stop Talvek and delete its
// old executable); a missing one (create its last level). The message for
// the error balloon, or nothing when the directory is accepted.
std::optional<std::string> prepareInstallDirectory(const std::string& directory);

}  // namespace talvek
