#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "tests/windows/controls/TestCanvas.h"
#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/DisplayDpi.h"
#include "toolkit/core/FormGlobals.h"
#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::test {
namespace {

class FormCreation : public ::testing::Test {
 protected:
  void SetUp() override {
    startFormToolkitOnce();
    controlRegistry().clear();
  }
  void TearDown() override { controlRegistry().clear(); }
};

TEST_F(FormCreation, DefaultsGiveACentredWindowWithItsPropertiesAndRegistryEntry) {
  Form form;
  FormCreateOptions options;
  options.styleFlags = form_style::kCentre;
  ASSERT_TRUE(form.create(options));
  HWND window = form.hwnd();
  ASSERT_TRUE(IsWindow(window));

  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 380);
  EXPECT_EQ(r.bottom - r.top, 250);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 380) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 250) / 2);

  EXPECT_LT(form.objectId(), 0);
  EXPECT_EQ(controlRegistry().indexOf(form.objectId()), 1);
  EXPECT_EQ(controlReferences().form(form.objectId()), &form);
  EXPECT_EQ(windowObject(window), &form);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(window, "RbUI_OBJID")), form.objectId());
  EXPECT_NE(GetPropA(window, "RbUI_OLDPROC"), nullptr);
  EXPECT_EQ(GetPropA(window, "RbUI_MDC"), form.canvas().dc());
  EXPECT_EQ(GetPropA(window, "RbUI_MDC_GP"), form.canvas().graphics());
  EXPECT_EQ(GetPropA(window, "RbUI_MDC_BKG"), form.backgroundCanvas().dc());
  EXPECT_EQ(GetPropA(window, "RbUI_MDC_BKG_GP"), form.backgroundCanvas().graphics());
  EXPECT_NE(form.canvas().graphics(), nullptr);

  // No background bytes and no colour: almost transparent white.
  EXPECT_EQ(form.backgroundColor(), 0x01FFFFFFu);
  EXPECT_EQ(form.backgroundCanvas().pixel(190, 125), premultiplied(0x01FFFFFF));
  EXPECT_EQ(form.canvas().pixel(190, 125), premultiplied(0x01FFFFFF));

  MINMAXINFO limits{};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 200);
  EXPECT_EQ(limits.ptMinTrackSize.y, 80);

  const ControlRef id = form.objectId();
  form.destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(controlRegistry().indexOf(id), 0);
  EXPECT_EQ(controlReferences().form(id), nullptr);
}

TEST_F(FormCreation, AScaleChangeTheScreenDidNotMakeIsIgnoredWithItsRectangle) {
  Form form;
  FormCreateOptions options;
  options.rectangle = Rect{20, 30, 300, 200};
  options.styleFlags = 0;  // not centred
  ASSERT_TRUE(form.create(options));
  ASSERT_TRUE(form.scale().identity());
  // Anyone can post it with any address; the screen still says 96 dpi.
  const RECT elsewhere{0, 0, 900, 600};
  SendMessageW(form.hwnd(), kDpiChangedMessage, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&elsewhere));
  PostMessageW(form.hwnd(), kDpiChangedMessage, MAKEWPARAM(144, 144), 0x10);
  MSG message;
  while (PeekMessageW(&message, form.hwnd(), 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  RECT r{};
  GetWindowRect(form.hwnd(), &r);
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}), std::vector<LONG>({20, 30, 320, 230}));
  EXPECT_EQ(form.canvas().width(), 300);
  EXPECT_EQ(form.width(), 300);
}

TEST_F(FormCreation, LayeredModeSetsTheInsetAndTheCanvasFollowsTheWindowSize) {
  Form form;
  FormCreateOptions options;
  options.rectangle = Rect{40, 30, 300, 200};
  options.styleFlags = 0;
  options.backgroundColor = 0xFF1C1C1C;
  options.colour1 = 0;
  options.colour2 = 0;
  form.create(options);
  ASSERT_TRUE(IsWindow(form.hwnd()));
  EXPECT_EQ(form.frameInset(), 0);

  EXPECT_EQ(form.layeredMode(true, true), 1);
  EXPECT_EQ(form.frameInset(), 5);
  EXPECT_NE(GetWindowLongW(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  const MemoryCanvas& canvas = form.canvas();
  // Shadow only in the ring outside the inset; the body is the background.
  EXPECT_GT(canvas.pixel(2, 100) >> 24, 0u);
  EXPECT_EQ(pixelsNotEqual(canvas, {5, 5, 290, 190}, 0xFF1C1C1C), 0);

  form.layeredMode(true, false);
  EXPECT_EQ(form.frameInset(), 0);
  EXPECT_EQ(form.canvas().pixel(2, 100), 0xFF1C1C1Cu) << "no shadow ring without the shadow";
  form.layeredMode(false, true);
  EXPECT_EQ(form.frameInset(), 0);
  EXPECT_EQ(GetWindowLongW(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);

  form.move(std::nullopt, std::nullopt, 420, 260);
  EXPECT_EQ(form.width(), 420);
  EXPECT_EQ(form.canvas().width(), 420);
  EXPECT_EQ(form.canvas().height(), 260);
  EXPECT_EQ(GetPropA(form.hwnd(), "RbUI_MDC"), form.canvas().dc());
  EXPECT_EQ(form.canvas().pixel(410, 250), 0xFF1C1C1Cu);
}

TEST_F(FormCreation, AnExistingWindowIsAdoptedAsAPopup) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 240, 160, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_TRUE(IsWindow(window));
  // The window's small icon is drawn at the caption's left.
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(32512))));
  Form form;
  FormCreateOptions options;
  options.existingWindow = window;
  options.styleFlags = 0;
  options.backgroundColor = 0xFF000000;
  form.create(options);
  EXPECT_GT(pixelsNotEqual(form.canvas(), {7, 6, 16, 16}, 0xFF000000), 0);
  EXPECT_EQ(pixelsNotEqual(form.canvas(), {30, 6, 100, 16}, 0xFF000000), 0);
  EXPECT_EQ(form.hwnd(), window);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & (WS_POPUP | WS_CAPTION), static_cast<DWORD>(WS_POPUP));
  EXPECT_EQ(form.canvas().width(), 240);
  form.destroy();
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FormCreation, ABackgroundPictureGivesTheFormItsColour) {
  constexpr Argb kTeal = 0xFF208080;
  const ByteBlock picture = solidPng(kTeal);
  ASSERT_FALSE(picture.empty());
  Form pictured;
  FormCreateOptions options;
  options.styleFlags = 0;
  options.backgroundBytes = picture;
  pictured.create(options);
  EXPECT_EQ(pictured.backgroundColor(), kTeal);

  // The toolkit-wide default picture stands in for a form without one.
  defaultFormBackground(picture);
  Form defaulted;
  FormCreateOptions plain;
  plain.styleFlags = 0;
  defaulted.create(plain);
  EXPECT_EQ(defaulted.backgroundColor(), kTeal);
  defaultFormBackground(ByteBlock{});
  pictured.destroy();
  defaulted.destroy();
}

}  // namespace
}  // namespace talvek::test
