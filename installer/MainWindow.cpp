#include "installer/MainWindow.h"

#include <cstdlib>

#include "installer/DesktopWait.h"
#include "installer/DirectoryPreparation.h"
#include "installer/EnvironmentText.h"
#include "installer/FolderDialog.h"
#include "installer/InstallLog.h"
#include "installer/InstallPathRules.h"
#include "installer/InstallerArt.h"
#include "installer/InstallerState.h"
#include "installer/ProcessLifetime.h"
#include "installer/SystemVersion.h"
#include "netutil/SystemIntegration.h"
#include "toolkit/access/AccessibilityServer.h"
#include "toolkit/access/KeyboardNavigator.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/MessageSeal.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitStartup.h"

namespace talvek {

namespace {

using namespace main_window;

// A private message on the form that runs a std::function<void()>*
// (lParam), sealed (wParam) so that no other process can hand it an address.
constexpr UINT kRunOnUiThreadMessage = WM_APP + 0x75;

constexpr int kToggleSteps = 15;
constexpr int kToggleStepPixels = 10;
constexpr int kInstallButtonSlideSteps = 33;
constexpr int kInstallButtonSlidePixels = 8;
constexpr int kBottomBarSlideSteps = 25;
constexpr int kBottomBarSlidePixels = 2;
constexpr unsigned kPauseBetweenSlidesMs = 100;
constexpr int kAnimationEffect = 10;
constexpr int kAnimationIntervalMs = 1;
// A desktop still starting on a busy machine; on Windows it answers at once.
constexpr std::uint32_t kDesktopWaitMs = 30000;

TextStyleDescription plainStyle(int size, Argb colour) {
  return describeTextStyle(std::nullopt, std::nullopt, size, colour, 0);
}

}  // namespace

namespace main_window {

FormCreateOptions formOptions() {
  FormCreateOptions options;
  options.titleStyle = describeTextStyle(std::nullopt, std::nullopt, std::nullopt, 0, 0);
  options.titleText = u"Talvek - 在线安装";
  options.rectangle = Rect{0, 0, kWidth, kCollapsedHeight};
  options.styleFlags = 1;  // centred on the screen
  options.colour1 = 0;
  options.colour2 = 0;
  options.dragAnywhere = true;
  options.backgroundColor = kBackground;
  options.layeredWithShadow = true;
  return options;
}

ProgressOptions ringOptions() {
  ProgressOptions ring;
  ring.maximum = 100.0;
  ring.minimum = 0;
  ring.position = 0;
  ring.color1 = kThemeRed;
  ring.color2 = kThemeRed;
  ring.backColor = kThemeRed;
  ring.borderColor = kBlack;
  ring.textStyle = describeTextStyle(std::nullopt, std::nullopt, 15, kWhite, std::nullopt);
  ring.look = kLookBusyRing;
  return ring;
}

}  // namespace main_window

MainWindow::MainWindow(ServiceWindow& service, std::span<const std::uint8_t> payload)
    : service_(service),
      uiThread_(GetCurrentThreadId()),
      finishing_(*this, *this, integration),
      installation_(*this, finishing_, service, payload) {}

bool MainWindow::build() {
  if (!createForm()) return false;
  const bool showEffect = !isWindowsXp();
  if (showEffect) {
    form_.showEffect(kAnimationEffect, kAnimationIntervalMs);
    form_.closeEffect(kAnimationEffect);
  }
  createControls();
  // The form is layered from the start: the controls drew straight into
  // the first frame, which needs only presenting. The show effect pushes
  // its own frames from that picture; pushing it once more before would be
  // a whole-window update nobody sees.
  if (!showEffect) form_.redraw(true);
  form_.show(true);
  // Below the collapsed window's edge: the first frame does not show them.
  createOptionBoxes();
  // Tips show only under a resting pointer, and their windows need the
  // common controls, whose start-up the first frame need not wait for.
  closeButton_.setTip("关闭Talvek安装包");
  browseButton_.setTip("选择安装路径");
  advancedButton_.setTip("高级设置");
  nameControls();
  return true;
}

bool MainWindow::createForm() {
  if (!form_.create(formOptions())) return false;
  form_.setPreHook([](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != kRunOnUiThreadMessage) return false;
    if (message_seal::matches(wParam) && lParam != 0) (*reinterpret_cast<const std::function<void()>*>(lParam))();
    result = 0;
    return true;
  });
  return true;
}

void MainWindow::createControls() {
  const int w = form_.width();
  const int h = form_.height();
  const ControlRef form = form_.objectId();

  backgroundPanel_.create(form, kBackgroundPanelArea, 0);
  backgroundPanel_.setEventProc(eventProc());
  closeButton_.create(form, {w - 41, 10, 30, 31}, installer_art::decoded(installer_art::close()));
  closeButton_.setEventProc(eventProc());
  headerPicture_.create(backgroundPanel_.handle, {0, 0, w, 144}, installer_art::decoded(installer_art::header()));
  headerPicture_.disabled(1);
  statusLabel_.create(form, {0, h - 60, w, 30}, status::kStarting, plainStyle(20, kThemeRed), false);
  installButton_.create(
      backgroundPanel_.handle, {w / 2 - 116, 190, 232, 57}, installer_art::decoded(installer_art::installNormal()),
      installer_art::decoded(installer_art::installHover()), installer_art::decoded(installer_art::installPressed()));
  installButton_.setEventProc(eventProc());

  // Made hidden rather than hidden once made: nothing draws the ring, with
  // its glowing percentage, before the installation shows it.
  ProgressOptions ring = ringOptions();
  ring.visible = 0;
  progressIndicator_.create(backgroundPanel_.handle, ringArea(), ring);

  bottomBar_.create(backgroundPanel_.handle, {0, h - 50, w, 50}, kFaintWhite);
  browseButton_.create(bottomBar_.handle, {10, 5, 30, 30}, installer_art::decoded(installer_art::folder()));
  advancedButton_.create(bottomBar_.handle, {w - 80, 5, 64, 30}, installer_art::decoded(installer_art::advanced()));
  browseButton_.setEventProc(eventProc());
  advancedButton_.setEventProc(eventProc());

  EditBoxOptions path;
  path.inputMode = 1;  // read-only: only the folder dialog changes it
  path.selectBackColor = kThemeRed;
  path.selectTextColor = kWhite;
  path.backColor = 0;
  path.frameColor = 0;
  path.focusFrameColor = 0;
  pathBox_.create(bottomBar_.handle, {50, 0, w - 120, 35}, defaultInstallDirectory(environmentText(L"ProgramFiles")),
                  plainStyle(15, kGrey), path);
  logoPicture_.create(backgroundPanel_.handle, {w / 2 - 70, 70, 120, 40}, GdiplusImage());
}

void MainWindow::createOptionBoxes() {
  const int w = form_.width();
  createCheckBox(desktopBox_, {20, 380, 150, 18}, "创建桌面快捷方式");
  createCheckBox(startMenuBox_, {20, 410, 180, 18}, "创建开始菜单快捷方式");
  createCheckBox(quickLaunchBox_, {20, 440, 200, 18}, "创建快速启动栏快捷方式");
  const std::string homePage = std::string("支持Talvek,设置") + kHomePageAddress + "为浏览器首页";
  createCheckBox(homePageBox_, {w - 350, 380, 300, 18}, homePage.c_str());
  for (CheckBox* box : {&desktopBox_, &startMenuBox_, &quickLaunchBox_, &homePageBox_}) box->checked(1);
}

void MainWindow::nameControls() {
  // The rest carry their text or their tip.
  setAccessibleName(installButton_.handle, u"立即安装");
  setAccessibleName(pathBox_.handle, u"安装路径");
  setAccessibleName(progressIndicator_.handle, u"安装进度");
  keyboard::setCancelControl(form_.hwnd(), closeButton_.handle);
}

void MainWindow::createCheckBox(CheckBox& box, const Rect& area, const char* caption) {
  box.create(form_.objectId(), area, kBoxShade, kWhite, caption, plainStyle(15, kLightGrey));
}

ControlEventProc MainWindow::eventProc() {
  return [this](HWND window, ControlRef control, int code, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                std::intptr_t) { return onControlEvent(window, control, code); };
}

int MainWindow::onControlEvent(HWND, ControlRef control, int code) {
  if (code == owner_event::kMouseMove) {
    if (control == backgroundPanel_.handle) dragWindow();
    return 0;
  }
  if (code != owner_event::kLeftUp) return 0;
  if (control == browseButton_.handle) {
    browse();
  } else if (control == advancedButton_.handle) {
    toggleAdvanced();
  } else if (control == closeButton_.handle) {
    closeInstaller();
  } else if (control == installButton_.handle) {
    install();
  }
  return 0;
}

void MainWindow::browse() {
  FolderDialogRequest request;
  request.title = kInstallFolderDialogTitle;
  request.initialFolder = environmentText(L"ProgramFiles").value_or("");
  request.editBox = true;
  request.newStyle = true;
  request.owner = form_.hwnd();
  const std::string chosen = chooseFolder(request);
  if (chosen.empty()) return;
  pathBox_.setCaptionAnsi(folderDialogResult(chosen));
  pathBox_.redraw();
}

void MainWindow::install() {
  // A click that waited in the queue while the first one worked.
  if (form_.busy()) return;
  installLog().record("install button", "pressed", pathBox_.captionAnsi());
  if (const auto problem = prepareInstallDirectory(pathBox_.captionAnsi(), installation_.payload(),
                                                   installation_.keepAside(), installation_.folder())) {
    installation_.folder().releaseAfterFailure();
    service_.showErrorBalloon(*problem);
    installLog().record("error balloon", "shown", *problem);
    return;
  }
  // The window is disabled, so a close comes from another program or the
  // session's end: closing would destroy what the extraction draws on, and
  // ending now would leave the roll-back to the next run.
  form_.setBusy(true, [](unsigned message) {
    installLog().record(message == WM_CLOSE ? "close" : "end of session", "REFUSED", "the installation is running");
  });
  const StepClock clock;
  switchToInstallingLayout();
  installLog().record("installing layout", "done", "header, slides, progress ring", clock.elapsed());
  installerState().installDir = pathBox_.captionAnsi();
  installation_.startInstallation();
}

void MainWindow::toggleAdvanced() {
  if (form_.height() == kCollapsedHeight) {
    resizeInSteps(kToggleStepPixels, kExpandedHeight);
  } else {
    resizeInSteps(-kToggleStepPixels, kCollapsedHeight);
  }
}

void MainWindow::closeInstaller() {
  form_.close();
  terminateInstaller();
}

void MainWindow::dragWindow() {
  // The system's caption drag follows the pointer while the left button is
  // held. Asked without a held button, some systems start a move that
  // follows the bare pointer until the next click, so it is asked only then.
  if ((GetKeyState(VK_LBUTTON) & 0x8000) == 0) return;
  SendMessageW(form_.hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void MainWindow::resizeInSteps(int delta, int finalHeight) {
  for (int step = 0; step < kToggleSteps; ++step)
    form_.move(std::nullopt, std::nullopt, std::nullopt, form_.height() + delta);
  form_.move(std::nullopt, std::nullopt, std::nullopt, finalHeight);
}

void MainWindow::slideDown(Control& control, int steps, int stepPixels) {
  // Settles a hover fade, so every step shows the control's resting look.
  control.redraw();
  // Each move repaints the control at its new place and shows the window:
  // a repaint and a present more per step would push the same picture twice.
  for (int step = 0; step < steps; ++step) {
    control.move(std::nullopt, control.getY() + stepPixels, std::nullopt, std::nullopt);
  }
}

void MainWindow::switchToInstallingLayout() {
  form_.disabled(true);
  headerPicture_.setPicture(installer_art::decoded(installer_art::headerSmall()));
  if (form_.height() == kExpandedHeight) resizeInSteps(-kToggleStepPixels, kCollapsedHeight);
  slideDown(installButton_, kInstallButtonSlideSteps, kInstallButtonSlidePixels);
  const StepClock pause;
  pumpMessagesFor(kPauseBetweenSlidesMs);
  installLog().record("pause between slides", "done", "100 ms", pause.elapsed());
  slideDown(bottomBar_, kBottomBarSlideSteps, kBottomBarSlidePixels);
  progressIndicator_.visible(1);
  bottomBar_.visible(0);
  installButton_.visible(0);
  installButton_.unregister();
  closeButton_.visible(0);
  statusLabel_.visible(1);
  form_.redraw(true);
}

void MainWindow::onUiThread(const std::function<void()>& work) {
  if (GetCurrentThreadId() == uiThread_) {
    work();
    return;
  }
  SendMessageW(form_.hwnd(), kRunOnUiThreadMessage, message_seal::value(), reinterpret_cast<LPARAM>(&work));
}

void MainWindow::setStatus(const std::string& text) {
  installLog().record("status", "shown", text);
  onUiThread([&] { statusLabel_.setText(text, false); });
}

void MainWindow::setProgress(int percent) {
  onUiThread([&] { progressIndicator_.position(static_cast<float>(percent)); });
}

void MainWindow::showWhatIsDrawn() {
  onUiThread([&] { form_.presentWhatIsPending(); });
}

void MainWindow::restoreWindow() {
  onUiThread([&] {
    form_.setBusy(false);
    form_.repaintAll();
    closeButton_.visible(1);
    form_.disabled(false);
  });
}

void buildMainWindow(std::span<const std::uint8_t> payload) {
  StepClock clock;
  // Before anything draws: the first window decides whether this process
  // can show any.
  const bool desktopAnswers = waitForAnsweringDesktop(kDesktopWaitMs);
  installLog().outcome("desktop", desktopAnswers, desktopAnswers ? "answers" : "silent", clock.elapsed());
  clock = {};
  toolkitStartup();
  installLog().record("toolkit start-up", "done", "GDI+, window classes, fonts, skin, rich-edit server",
                      clock.elapsed());
  enableAccessibility();
  static ServiceWindow service;
  const bool serviceReady = service.create();
  // The code says why, taken before the log's own calls.
  installLog().outcome("service window", serviceReady, {}, std::nullopt, serviceReady ? 0 : GetLastError());
  // Without it no error balloon shows and the extraction cannot be handed
  // to this thread, so no installation could succeed; and where even this
  // hidden window fails, the installer's own would not reach the screen.
  // Ending frees the single-instance guard for the next start.
  if (!serviceReady) terminateInstaller();
  static MainWindow window(service, payload);
  clock = {};
  const bool built = window.build();
  installLog().outcome("window shown", built, "700 x 350", clock.elapsed());
  if (!built) terminateInstaller();
  runMessageLoop();
}

}  // namespace talvek
