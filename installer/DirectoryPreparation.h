// What the install button checks and prepares before anything is written.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace talvek {

class InstallFolder;
class KeepAside;

namespace message {
inline constexpr char kErrorPrefix[] = "<font color=#FF0000>!Error：</font><br><hr  color=#FF8800 /><br>";
inline constexpr char kChinesePath[] = "抱歉，Talvek暂不支持包含中文的安装路径,请重新选择其它安装路径！";
}  // namespace message

std::string deletionFailedMessage(const std::string& directory);
std::string creationFailedMessage(const std::string& directory);

std::string notEnoughSpaceMessage(const std::string& directory, std::uint64_t needed, std::uint64_t free);

// Checks the path-box text in the fixed order: Chinese characters; an
// existing directory (put back what a run cut short kept aside; stop
// Pagelens and Freshen, and Talvek when its program is there); room on the
// drive for the payload; then the old executable is kept aside (deleted
// when no keep-aside folder can be made) or the missing directory's last
// level is created. From its first look at the directory on, `folder`
// holds it; a directory that is a link is refused like one that cannot be
// created. The message for the error balloon, or nothing when the
// directory is accepted.
std::optional<std::string> prepareInstallDirectory(const std::string& directory, std::span<const std::uint8_t> payload,
                                                   KeepAside& keepAside, InstallFolder& folder);

}  // namespace talvek
