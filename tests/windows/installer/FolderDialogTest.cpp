#include "installer/FolderDialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "installer/InstallPathRules.h"
#include "installer/InstallerState.h"
#include "tests/windows/TestSupport.h"

using namespace talvek;

namespace {

// Presses a button of the folder dialog once it shows, from another thread.
void pressWhenShown(int buttonId, std::atomic<bool>& pressed) {
  for (int attempt = 0; attempt < 300 && !pressed; ++attempt) {
    HWND dialog = FindWindowA("#32770", nullptr);
    if (dialog && IsWindowVisible(dialog)) {
      Sleep(300);  // let the dialog apply its start selection
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
      pressed = true;
      return;
    }
    Sleep(50);
  }
}

}  // namespace

TEST(FolderDialog, OpensOnTheRememberedFolderAndReturnsIt) {
  // Below the drive root rather than the temp folder, which the prefix
  // links to a folder outside it.
  const std::string start = "C:\\TalvekFolderDialogTest";
  CreateDirectoryA(start.c_str(), nullptr);
  std::atomic<bool> pressed = false;
  std::thread presser(pressWhenShown, IDOK, std::ref(pressed));
  std::string chosen = chooseFolder({kInstallFolderDialogTitle, false, start, true, true, nullptr});
  presser.join();
  ASSERT_TRUE(pressed);
  EXPECT_EQ(installerState().folderDialogStart, start);
  EXPECT_EQ(chosen, start);
  EXPECT_EQ(folderDialogResult(chosen), start + "\\Talvek\\");
  RemoveDirectoryA(start.c_str());
}

TEST(FolderDialog, CancellingGivesNothing) {
  std::atomic<bool> pressed = false;
  std::thread presser(pressWhenShown, IDCANCEL, std::ref(pressed));
  std::string chosen = chooseFolder({kInstallFolderDialogTitle, false, "C:\\windows", true, true, nullptr});
  presser.join();
  ASSERT_TRUE(pressed);
  EXPECT_EQ(chosen, "");
}
