// The installer's one window: the dark skinned form with its header, the
// install button, the progress ring and status line that replace it while
// installing, the bottom bar (folder button, path box, advanced settings)
// and the four option boxes below the visible area. It is also what the
// installation reports to and reads its options from.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "installer/InstallOptions.h"
#include "installer/Installation.h"
#include "installer/InstallationView.h"
#include "installer/InstallerFinishing.h"
#include "installer/ServiceWindow.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/EditBox.h"
#include "toolkit/controls/ImageButton.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/PictureBox.h"
#include "toolkit/controls/ProgressIndicator.h"
#include "toolkit/controls/TriStateButton.h"
#include "toolkit/core/Form.h"

namespace talvek {

namespace main_window {
inline constexpr int kWidth = 700;
inline constexpr int kCollapsedHeight = 350;
inline constexpr int kExpandedHeight = 500;
inline constexpr Argb kBackground = 0xFF1C1C1C;
inline constexpr Argb kThemeRed = 0xFFB31935;
inline constexpr Argb kFaintWhite = 0x0AFFFFFF;
inline constexpr Argb kGrey = 0xFF808080;
inline constexpr Argb kBoxShade = 0x64000000;
inline constexpr Argb kLightGrey = 0x96ECECEC;
inline constexpr Argb kWhite = 0xFFFFFFFF;
inline constexpr Argb kBlack = 0xFF000000;
inline constexpr char kTitle[] = "Talvek - 在线安装";
inline constexpr char kHomePageAddress[] = "talvek.com";
inline constexpr Rect kBackgroundPanelArea = {5, 5, kWidth - 10, kCollapsedHeight - 10};

// What the window is made of, shared with the programs that show one part
// of it still for screenshots.
FormCreateOptions formOptions();
ProgressOptions ringOptions();
// Within the background panel.
constexpr Rect ringArea() { return {kWidth / 2 - 100, 70, 200, 200}; }
}  // namespace main_window

class MainWindow final : public InstallationView, public InstallOptions {
 public:
  MainWindow(ServiceWindow& service, std::span<const std::uint8_t> payload);

  // Creates the form and every control, switches to layered mode with a
  // shadow and shows the window.
  bool build();

  // The one event procedure of the panel and the buttons: acts on the left
  // button released over a button and on the mouse moving over the panel.
  int onControlEvent(HWND window, ControlRef control, int code);

  void setStatus(const std::string& text) override;
  void setProgress(int percent) override;
  void showWhatIsDrawn() override;
  void restoreWindow() override;

  bool quickLaunch() const override { return quickLaunchBox_.isChecked(); }
  bool desktopShortcut() const override { return desktopBox_.isChecked(); }
  bool startMenuShortcuts() const override { return startMenuBox_.isChecked(); }

 private:
  bool createForm();
  void createControls();
  void createOptionBoxes();
  void createCheckBox(CheckBox& box, const Rect& area, const char* caption);
  // Names for screen readers where a control shows no text; Esc closes.
  void nameControls();
  ControlEventProc eventProc();

  void browse();
  void install();
  void toggleAdvanced();
  void closeInstaller();
  void dragWindow();

  void switchToInstallingLayout();
  // steps resizes of delta in height, then the exact final height: a
  // refused step cannot leave the window at an odd size.
  void resizeInSteps(int delta, int finalHeight);
  void slideDown(Control& control, int steps, int stepPixels);

  // Controls belong to the UI thread; the installation's worker reaches
  // them through a synchronous send, which keeps its reports in order.
  void onUiThread(const std::function<void()>& work);

  ServiceWindow& service_;
  DWORD uiThread_ = 0;
  // Busy from the install click until the window is given back after a
  // failure. The extraction runs on this thread and lets waiting messages
  // through: none of them may start a second installation or close the
  // window.
  Form form_;
  Panel backgroundPanel_;
  ImageButton closeButton_;
  PictureBox headerPicture_;
  Label statusLabel_;
  TriStateButton installButton_;
  ProgressIndicator progressIndicator_;
  Panel bottomBar_;
  ImageButton browseButton_;
  ImageButton advancedButton_;
  EditBox pathBox_;
  PictureBox logoPicture_;
  CheckBox desktopBox_;
  CheckBox startMenuBox_;
  CheckBox quickLaunchBox_;
  CheckBox homePageBox_;
  InstallerFinishing finishing_;
  Installation installation_;
};

// Starts the toolkit and the service window, builds and shows the window,
// then runs the message loop until it ends.
void buildMainWindow(std::span<const std::uint8_t> payload);

}  // namespace talvek
