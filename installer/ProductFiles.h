// Names of the product's files and programs that the installer relies on.
#pragma once

namespace talvek::product {

inline constexpr char kMainExe[] = "Talvek.exe";
inline constexpr char kRemoverExe[] = "Remover.exe";
inline constexpr char kUpdaterExe[] = "Freshen.exe";
inline constexpr char kPagelensExe[] = "Pagelens.exe";
inline constexpr char kNetrelayExe[] = "netrelay.exe";
inline constexpr char kBeaconExe[] = "Beacon.exe";
inline constexpr char kBeaconPath[] = "Auxiliary\\Beacon.exe";
inline constexpr char kReadMe[] = "使用说明.txt";
inline constexpr char kArchiveFile[] = "install.zip";

}  // namespace talvek::product
