#include "toolkit/core/ToolkitStartup.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/toolkit/ToolkitTestWindows.h"
#include "toolkit/core/PopupWindowProcs.h"
#include "toolkit/core/SkinRecord.h"
#include "toolkit/core/ToolkitSettings.h"
#include "toolkit/core/ToolkitGlobals.h"

namespace talvek::test {
namespace {

std::wstring classNameOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

TEST(ToolkitStartup, RegistersTheFourClassesUnderTheirExactNames) {
  startToolkitOnce();
  struct Expected {
    const wchar_t* name;
    WNDPROC procedure;
  };
  const Expected classes[] = {{L"RbSoft.RbUI.WindowClass.Window", defWindowProcW},
                              {L"RbSoft.RbUI.WindowClass.ComboBox", dropDownWindowProc},
                              {L"RbSoft.RbUI.WindowClass.menu", menuWindowProc},
                              {L"RbSoft.RbUI.WindowClass.menu1", menuWindowProc}};
  ASSERT_NE(defWindowProcW, nullptr);
  for (const Expected& expected : classes) {
    Window window = createToolkitWindow(expected.name);
    ASSERT_TRUE(window) << "no class named " << std::string(expected.name, expected.name + wcslen(expected.name));
    EXPECT_EQ(classNameOf(window.get()), expected.name);
    EXPECT_EQ(GetClassLongW(window.get(), GCL_STYLE), static_cast<DWORD>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetClassLongPtrW(window.get(), GCLP_WNDPROC)), expected.procedure);
    EXPECT_EQ(GetClassLongPtrW(window.get(), GCLP_HCURSOR), 0);
    EXPECT_EQ(GetClassLongPtrW(window.get(), GCLP_HBRBACKGROUND), 0);
  }
  EXPECT_FALSE(createToolkitWindow(L"RbSoft.RbUI.WindowClass.menu2"));

  EXPECT_NE(updateRectMessage, 0u);
  EXPECT_EQ(updateRectMessage, RegisterWindowMessageA("Rb_Msg_WM_UPDATERECT"));
  EXPECT_EQ(cursorOverride, 0);
  OSVERSIONINFOA version{sizeof(version)};
  ASSERT_TRUE(GetVersionExA(&version));
  EXPECT_EQ(osVersion, osVersionFrom(version.dwMajorVersion, version.dwMinorVersion));
  EXPECT_GE(osVersion, 5);
}

TEST(ToolkitStartup, LeavesFontsAndTheBuiltInSkinReady) {
  startToolkitOnce();
  EXPECT_FALSE(defaultFontName().toUtf16().empty());
  EXPECT_TRUE(skinRecord().captionButtons[kCloseButton][kNormalState]);
}

TEST(ToolkitStartup, VersionKeepsOnlyTheMajorPart) {
  EXPECT_EQ(osVersionFrom(6, 1), 6);
  EXPECT_EQ(osVersionFrom(6, 2), 6);
  EXPECT_EQ(osVersionFrom(5, 1), 5);
  EXPECT_EQ(osVersionFrom(10, 0), 10);
}

TEST(PopupWindows, CloseIsRefusedAndTheWindowLives) {
  for (const wchar_t* name :
       {L"RbSoft.RbUI.WindowClass.ComboBox", L"RbSoft.RbUI.WindowClass.menu", L"RbSoft.RbUI.WindowClass.menu1"}) {
    Window window = createToolkitWindow(name);
    ASSERT_TRUE(window);
    EXPECT_EQ(SendMessageW(window.get(), WM_CLOSE, 0, 0), 0);
    PostMessageW(window.get(), WM_CLOSE, 0, 0);
    pumpMessages();
    EXPECT_TRUE(IsWindow(window.get()));
  }
}

TEST(PopupWindows, DropDownHidesWhenItLosesTheFocus) {
  Window dropDown = createToolkitWindow(L"RbSoft.RbUI.WindowClass.ComboBox");
  ShowWindow(dropDown.get(), SW_SHOWNOACTIVATE);
  ASSERT_TRUE(IsWindowVisible(dropDown.get()));
  SendMessageW(dropDown.get(), WM_KILLFOCUS, 0, 0);
  EXPECT_FALSE(IsWindowVisible(dropDown.get()));
  EXPECT_TRUE(IsWindow(dropDown.get()));
}

class MenuChainWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int level = 1; level <= 3; ++level) {
      menus.push_back(createToolkitWindow(level == 2 ? L"RbSoft.RbUI.WindowClass.menu1"
                                                     : L"RbSoft.RbUI.WindowClass.menu"));
      openMenuList.push_back({level, menus.back().get()});
    }
    showAll();
  }
  void TearDown() override {
    openMenuList.clear();
    menuMouseOutside = 0;
  }

  void showAll() {
    for (const Window& menu : menus) ShowWindow(menu.get(), SW_SHOWNOACTIVATE);
  }
  int visibleCount() const {
    int count = 0;
    for (const Window& menu : menus) count += IsWindowVisible(menu.get()) ? 1 : 0;
    return count;
  }

  std::vector<Window> menus;
};

TEST_F(MenuChainWindows, ButtonUpInAnyPopupHidesTheWholeChain) {
  for (const Window& clicked : menus) {
    showAll();
    ASSERT_EQ(visibleCount(), 3);
    SendMessageW(clicked.get(), WM_LBUTTONUP, 0, pointParam(5, 5));
    EXPECT_EQ(visibleCount(), 0);
  }
  for (const Window& menu : menus) EXPECT_TRUE(IsWindow(menu.get()));
  EXPECT_EQ(openMenuList.size(), 3u);  // hiding forgets nothing
}

TEST_F(MenuChainWindows, FocusLossWhileTheMouseIsInsideHidesNothing) {
  SendMessageW(menus[1].get(), WM_MOUSEMOVE, 0, pointParam(5, 5));
  SendMessageW(menus[1].get(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(visibleCount(), 3);

  SendMessageW(menus[1].get(), WM_MOUSELEAVE, 0, 0);
  SendMessageW(menus[1].get(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(visibleCount(), 0);
}

}  // namespace
}  // namespace talvek::test
