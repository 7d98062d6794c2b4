// The installation's real finishing steps: URL protocol, shortcuts, starting
// the product, the uninstall entry, the read-me, and the end of the process.
#pragma once

#include "installer/FinishingSteps.h"
#include "installer/InstallOptions.h"
#include "installer/LaunchRoute.h"
#include "installer/InstallationView.h"
#include "installer/ShortcutPlaces.h"
#include "installer/SpecialFolder.h"

namespace talvek {

class SystemIntegration;

namespace status {
inline constexpr char kRegisteringComponent[] = "正在注册客户端通信主要组件....";
inline constexpr char kQuickLaunch[] = "创建快捷启动栏快捷方式...！";
inline constexpr char kDesktopShortcut[] = "创建桌面快捷方式...！";
inline constexpr char kStartMenuShortcuts[] = "创建开始菜单快捷方式...！";
}  // namespace status

inline constexpr char kProtocolName[] = "Talvek";
inline constexpr char kDesktopShortcutName[] = "Talvek·新神器";
inline constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Talvek\\";
inline constexpr char kProductVersion[] = "1.6.3.5";

class InstallerFinishing : public FinishingSteps {
 public:
  // `folderOf` names the folders the shortcuts go to: the shell's special
  // folders, unless a test gives others.
  InstallerFinishing(InstallationView& view, const InstallOptions& options, SystemIntegration& integration,
                     ShortcutPlaces::FolderLookup folderOf = specialFolder);

  // The product and the read-me are started through the desktop shell
  // first when the installer runs elevated; tests may say how it runs.
  void setElevation(Elevation elevation) { elevation_ = elevation; }

  void registerComponent(const std::string& installDir) override;
  void createChosenShortcuts(const std::string& installDir) override;
  void startProduct(const std::string& installDir) override;
  void writeUninstallEntry(const std::string& installDir) override;
  void openReadMe(const std::string& path, const std::string& directory) override;
  void terminate() override;

 private:
  // True when the installer is to start `file` itself. Otherwise the
  // desktop shell has it, or nothing may start it (logged here with
  // `leftUndone`). The shell is asked unless a reason not to is given.
  bool startsItself(const std::string& file, const std::string& directory, const char* step, const char* leftUndone,
                    const char* shellNotAskedBecause = nullptr) const;

  InstallationView& view_;
  const InstallOptions& options_;
  SystemIntegration& integration_;
  ShortcutPlaces::FolderLookup folderOf_;
  Elevation elevation_;
};

}  // namespace talvek
