// Under Wine a window that starts out with a caption is left to the window
// manager for good, and hiding it then waits up to two seconds for one:
// the click on a button whose tip shows took that long to arrive.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/controls/ImageButton.h"
#include "toolkit/controls/ToolTip.h"
#include "toolkit/core/ControlRegistry.h"

namespace talvek::test {
namespace {

DWORD tipCreationStyle = 0;

LRESULT CALLBACK recordTipCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    char name[64] = {};
    GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name));
    if (std::strcmp(name, "tooltips_class32") == 0) {
      tipCreationStyle = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs->style;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ToolTipWindow, IsAPopupFromItsCreation) {
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 10, 10, 100, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_CBT, recordTipCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  for (bool balloon : {false, true}) {
    tipCreationStyle = 0;
    ToolTip tip;
    tip.createOrReplace(host, "提示", Rect{0, 0, 50, 20}, balloon, false);
    ASSERT_TRUE(tip.exists());
    EXPECT_EQ(tipCreationStyle & (WS_POPUP | WS_CAPTION), static_cast<DWORD>(WS_POPUP)) << "balloon " << balloon;
    tip.destroy();
  }
  UnhookWindowsHookEx(hook);
  DestroyWindow(host);
}

bool hostSawItsEnd = false;

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) hostSawItsEnd = true;
  return DefWindowProcW(window, message, wParam, lParam);
}

// The form gives the window back to the procedure it found; the tips of its
// controls take their subclasses off first, so none of them puts the
// toolkit's procedure back over it afterwards.
TEST(ToolTipOnAForm, LeavesTheWindowWithTheProcedureTheFormFound) {
  startFormToolkitOnce();
  controlRegistry().clear();
  WNDCLASSW hostClass{};
  hostClass.lpfnWndProc = hostProcedure;
  hostClass.lpszClassName = L"TalvekTipHost";
  RegisterClassW(&hostClass);
  HWND host = CreateWindowExW(0, L"TalvekTipHost", L"host", WS_POPUP, 10, 10, 200, 100, nullptr, nullptr, nullptr,
                              nullptr);
  ASSERT_NE(host, nullptr);
  {
    Form form;
    FormCreateOptions options;
    options.existingWindow = host;
    options.styleFlags = 0;
    form.create(options);
    ImageButton button;
    ASSERT_TRUE(button.create(form.objectId(), {10, 10, 30, 30}, ByteView()));
    button.setTip("提示");
    hostSawItsEnd = false;
    form.destroy();
  }
  EXPECT_FALSE(IsWindow(host));
  EXPECT_TRUE(hostSawItsEnd) << "the window ended in its own procedure";
  controlRegistry().clear();
}

}  // namespace
}  // namespace talvek::test
