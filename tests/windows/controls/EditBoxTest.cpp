#include "toolkit/controls/EditBox.h"

#include <gtest/gtest.h>
#include <imm.h>

#include <algorithm>
#include <vector>

#include "tests/windows/TestSupport.h"
#include "tests/windows/controls/FormFixture.h"
#include "tests/windows/controls/TestCanvas.h"
#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/controls/DrawingHelpers.h"
#include "toolkit/controls/SystemClipboard.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitGlobals.h"

namespace talvek::test {
namespace {

constexpr Rect kBox{20, 60, 200, 30};
constexpr Argb kCaret = 0xFF0000FF;
constexpr Argb kSelectBack = 0xFFB31935;

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(y)); }

// Holds a key down in the system's key state for a scope, the way a user
// holding Ctrl does.
class HeldKey {
 public:
  explicit HeldKey(BYTE key) : key_(key) { keybd_event(key_, 0, 0, 0); }
  ~HeldKey() { keybd_event(key_, 0, KEYEVENTF_KEYUP, 0); }
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  BYTE key_;
};

class EditBoxOnForm : public ControlsOnForm {
 protected:
  void TearDown() override {
    box.unregister();
    ControlsOnForm::TearDown();
  }

  void create(const std::string& text, EditBoxOptions options = {}) {
    options.selectBackColor = kSelectBack;
    ASSERT_TRUE(
        box.create(form.objectId(), kBox, text, describeTextStyle(0, std::nullopt, 15, 0xFF000000, 0), options));
    box.setEventProc(
        [this](HWND, ControlRef, int code, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t) {
          events.push_back(code);
          return 0;
        });
  }

  // Mouse messages in the box's coordinates, through the form's routing.
  void mouse(UINT message, int x, int y) {
    SendMessageW(form.hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at(kBox.x + x, kBox.y + y));
  }
  void click(int x, int y) {
    mouse(WM_LBUTTONDOWN, x, y);
    mouse(WM_LBUTTONUP, x, y);
  }
  void key(int virtualKey) { SendMessageW(form.hwnd(), WM_KEYDOWN, virtualKey, 0); }
  void ctrlKey(char letter) {
    HeldKey ctrl(VK_CONTROL);
    key(letter);
  }
  void type(const std::u16string& text) {
    for (char16_t c : text) SendMessageW(form.hwnd(), WM_CHAR, c, 0);
  }
  int count(int code) const { return static_cast<int>(std::count(events.begin(), events.end(), code)); }
  // Pixels of the colour in columns [from, to) of the box (box coordinates).
  int pixels(Argb colour, int from = 0, int to = kBox.width) const {
    int n = 0;
    for (int y = kBox.y; y < kBox.y + kBox.height; ++y)
      for (int x = kBox.x + from; x < kBox.x + to; ++x) n += shown(x, y) == colour ? 1 : 0;
    return n;
  }
  // The leftmost column of the box showing the caret; -1 without one.
  int caretColumn() const {
    for (int x = 0; x < kBox.width; ++x)
      if (pixels(kCaret, x, x + 1) > 5) return x;
    return -1;
  }
  // x of the boundary before character `index`, in box coordinates.
  int boundaryX(int index) {
    for (int x = 0; x < kBox.width; ++x)
      if (box.charIndexAt(POINT{x, 10}) >= index) return x;
    return kBox.width;
  }

  EditBox box;
  std::vector<int> events;
};

TEST_F(EditBoxOnForm, ACentredStyleStillDrawsTheTextWhereItsSelectionIs) {
  EditBoxOptions white;
  white.backColor = white.frameColor = white.focusFrameColor = 0xFFFFFFFF;
  ASSERT_TRUE(box.create(form.objectId(), kBox, "abc",
                         describeTextStyle(style_flag::kAlignCenter, std::nullopt, 15, 0xFF000000, 0), white));
  // Text ink in the left third, none in the middle: laid out from the left,
  // where the caret and selection measure from.
  auto ink = [&](int from, int to) {
    int n = 0;
    for (int y = kBox.y + 2; y < kBox.y + kBox.height - 2; ++y)
      for (int x = kBox.x + from; x < kBox.x + to; ++x) n += (shown(x, y) & 0xFFFFFF) < 0x404040 ? 1 : 0;
    return n;
  };
  EXPECT_GT(ink(2, 60), 10);
  EXPECT_EQ(ink(80, 190), 0);
}

TEST_F(EditBoxOnForm, ReadOnlyIgnoresEveryKeyAndCharacterButTheMouseStillSelects) {
  EditBoxOptions options;
  options.inputMode = 1;
  options.backColor = 0;
  options.frameColor = 0;
  options.focusFrameColor = 0;
  create("C:\\Program Files\\Talvek\\", options);
  click(5, 10);
  SystemClipboard(nullptr).writeText(u"pasted");
  type(u"xyz");
  for (int k : {VK_BACK, VK_DELETE, VK_LEFT, VK_HOME}) key(k);
  ctrlKey('V');
  ctrlKey('X');
  EXPECT_EQ(box.text(), u"C:\\Program Files\\Talvek\\");
  EXPECT_EQ(count(edit_event::kTextChanged), 0);

  mouse(WM_LBUTTONDOWN, boundaryX(3), 10);
  mouse(WM_MOUSEMOVE, boundaryX(10), 10);
  mouse(WM_LBUTTONUP, boundaryX(10), 10);
  EXPECT_EQ(box.selection().start, 3);
  EXPECT_EQ(box.selection().length, 7);
  EXPECT_GT(pixels(kSelectBack), 50) << "the selection is painted";

  // What the installer does with its path box: a Chinese folder in, the
  // same bytes out.
  box.setCaptionAnsi("D:\\软件\\Talvek\\");
  EXPECT_EQ(box.captionAnsi(), "D:\\软件\\Talvek\\");
  EXPECT_EQ(box.text(), u"D:\\软件\\Talvek\\");
  EXPECT_EQ(count(edit_event::kTextChanged), 0) << "only the user's edits count as changes";
}

TEST_F(EditBoxOnForm, MaxLengthDropsExtraCharactersUntilItIsLifted) {
  create("");
  box.setMaxLength(5);
  click(5, 10);
  type(u"abcdefg");
  EXPECT_EQ(box.text(), u"abcde");
  EXPECT_EQ(count(edit_event::kTextChanged), 5) << "a dropped character is no change";

  box.setMaxLength(std::nullopt);
  type(u"fg");
  EXPECT_EQ(box.text(), u"abcdefg");
}

TEST_F(EditBoxOnForm, DraggingPastTheLeftEdgeSelectsBackToTheStartOfAScrolledText) {
  create("");
  click(5, 10);
  const std::u16string longText = u"0123456789ABCDEFGHIJ0123456789ABCDEFGHIJ";
  type(longText);
  ASSERT_LT(box.textOffset(), 0) << "a text wider than the box scrolls to keep the caret in view";
  const Gdiplus::RectF area = box.textArea();
  EXPECT_NEAR(caretColumn(), area.X + area.Width - 1, 1) << "the caret sits just inside the right edge";

  mouse(WM_LBUTTONDOWN, kBox.width / 2, 10);
  const int anchor = box.setCaret();
  ASSERT_GT(anchor, 10);
  mouse(WM_MOUSEMOVE, -30, 10);
  mouse(WM_LBUTTONUP, -30, 10);
  EXPECT_EQ(box.selection().start, 0);
  EXPECT_EQ(box.selection().length, anchor);
  EXPECT_EQ(box.setCaret(), 0);
  EXPECT_EQ(box.textOffset(), 0) << "the start of the text comes back into view";

  ctrlKey('C');
  EXPECT_EQ(SystemClipboard(nullptr).readText(), longText.substr(0, anchor));
}

TEST_F(EditBoxOnForm, PasswordModeShowsOneMaskPerCharacterAndNeverCopiesThePassword) {
  EditBoxOptions options;
  options.passwordMode = 1;
  create("", options);
  click(5, 10);
  type(u"密码a b");
  EXPECT_EQ(box.text(), u"密码a b");
  EXPECT_EQ(box.shownText(), std::u16string(5, u'\u25CF'));
  EXPECT_EQ(box.captionAnsi(), "密码a b") << "the owner reads the real text";
  key(VK_BACK);
  EXPECT_EQ(box.shownText(), std::u16string(4, u'\u25CF'));

  ctrlKey('A');
  ctrlKey('C');
  EXPECT_EQ(SystemClipboard(nullptr).readText(), std::u16string(4, u'\u25CF'));

  EditBox starred;
  options.maskText = "*";
  ASSERT_TRUE(starred.create(form.objectId(), {20, 120, 200, 30}, "secret",
                             describeTextStyle(0, std::nullopt, 15, 0xFF000000, 0), options));
  EXPECT_EQ(starred.shownText(), u"******");
}

TEST_F(EditBoxOnForm, ClipboardKeysCopyCutAndPasteThroughTheSystemClipboard) {
  create("路径 C:\\Talvek");
  click(5, 10);
  ctrlKey('A');
  EXPECT_EQ(box.selection().length, 12);
  ctrlKey('C');
  EXPECT_EQ(SystemClipboard(nullptr).readText(), u"路径 C:\\Talvek");
  EXPECT_EQ(count(edit_event::kTextChanged), 0);

  ctrlKey('X');
  EXPECT_EQ(box.text(), u"");
  EXPECT_EQ(box.captionLength(), 0);
  EXPECT_EQ(count(edit_event::kTextChanged), 1);

  ctrlKey('V');
  ctrlKey('V');
  EXPECT_EQ(box.text(), u"路径 C:\\Talvek路径 C:\\Talvek");
  EXPECT_EQ(count(edit_event::kTextChanged), 3);

  // Without Ctrl held the letters are plain keys, and typing them is text.
  key('A');
  type(u"V");
  EXPECT_EQ(box.text(), u"路径 C:\\Talvek路径 C:\\TalvekV");
}

TEST_F(EditBoxOnForm, EnterFiresItsEventAndEveryChangeOfTheTextFiresAnother) {
  create("ab");
  click(boundaryX(2) + 5, 10);
  events.clear();
  key(VK_RETURN);
  EXPECT_EQ(count(edit_event::kEnter), 1);
  EXPECT_EQ(count(edit_event::kTextChanged), 0);

  type(u"c");
  key(VK_LEFT);
  key(VK_BACK);
  key(VK_DELETE);
  EXPECT_EQ(box.text(), u"a");
  EXPECT_EQ(count(edit_event::kTextChanged), 3);
  key(VK_DELETE);  // nothing after the caret
  key(VK_RIGHT);
  box.setCaption(u"new");
  EXPECT_EQ(count(edit_event::kTextChanged), 3);

  // Mouse enter, leave and click reach the owner from the base and from the box.
  events.clear();
  SendMessageW(form.hwnd(), WM_MOUSEMOVE, 0, at(kBox.x + 5, kBox.y + 5));
  click(5, 5);
  SendMessageW(form.hwnd(), WM_MOUSEMOVE, 0, at(2, 2));
  EXPECT_EQ(count(13), 2);
  EXPECT_EQ(count(1), 2);
  EXPECT_EQ(count(14), 2);
}

TEST_F(EditBoxOnForm, CaretBlinksWhileFocusedAndStopsWhenTheFocusLeaves) {
  create("text");
  EXPECT_EQ(pixels(kCaret), 0);
  click(5, 10);
  ASSERT_TRUE(box.hasFocus());
  EXPECT_TRUE(box.caretOn());
  EXPECT_GT(pixels(kCaret), 5);

  int phases = 0;
  bool last = box.caretOn();
  EXPECT_TRUE(waitUntil(
      [&] {
        if (box.caretOn() != last) {
          last = box.caretOn();
          ++phases;
          EXPECT_EQ(pixels(kCaret) > 5, last);
        }
        return phases >= 2;
      },
      3000));

  SetFocus(nullptr);
  EXPECT_FALSE(box.caretOn());
  EXPECT_EQ(pixels(kCaret), 0);
  EXPECT_FALSE(waitUntil([&] { return box.caretOn() || pixels(kCaret) > 0; }, 1200)) << "the blink timer stopped";
}

TEST_F(EditBoxOnForm, IconTextAreaHighlightsAndPropertiesShapeTheLook) {
  constexpr Argb kGreen = 0xFF00FF00;
  EditBoxOptions options;
  options.iconMode = 1;
  options.icon = solidPng(kGreen);
  ASSERT_FALSE(options.icon.empty());
  create("abc", options);
  EXPECT_EQ(shown(kBox.x + 4 + 8, kBox.y + kBox.height / 2), kGreen);
  EXPECT_EQ(box.textArea().X, 23) << "the text moves right of the icon";

  EditBox plain;
  options.iconMode = 0;
  ASSERT_TRUE(plain.create(form.objectId(), {20, 120, 200, 30}, "abc",
                           describeTextStyle(0, std::nullopt, 15, 0xFF000000, 0), options));
  EXPECT_EQ(plain.textArea().X, 3) << "an icon is shown only in icon mode 1";
  EXPECT_EQ(pixelsNotEqual(form.canvas(), {24, 121, 16, 28}, kGreen), 16 * 28);

  box.setTextArea(Gdiplus::RectF(60, 3, 100, 24));
  EXPECT_EQ(pixelsNotEqual(form.canvas(), {kBox.x + 24, kBox.y + 3, 36, 24}, box.colors().back), 0)
      << "no text left of the new text area";
  EXPECT_GT(pixelsNotEqual(form.canvas(), {kBox.x + 60, kBox.y + 3, 40, 24}, box.colors().back), 10);

  const auto magenta = [&] {
    int n = 0;
    for (int y = kBox.y; y < kBox.y + kBox.height; ++y)
      for (int x = kBox.x; x < kBox.x + kBox.width; ++x) {
        const Argb c = shown(x, y);
        n += redOf(c) > 150 && greenOf(c) < 100 && blueOf(c) > 150 ? 1 : 0;
      }
    return n;
  };
  box.addHighlight(0, 2, 0xFFFF00FF);
  box.addHighlight(1, 1, 0xFFFF00FF);
  EXPECT_GT(magenta(), 5);
  box.removeHighlight(0, 2);
  box.removeHighlight(0, 2);
  box.removeHighlight(1, 1);
  EXPECT_EQ(magenta(), 0);

  box.applyProperties(
      {{"BkgColor", "", "0xFF204060"}, {"StringFormat", "", "0,,20,0xFFFF0000,0"}, {"Unknown", "", "1"}});
  EXPECT_EQ(shown(kBox.x + kBox.width - 5, kBox.y + 5), 0xFF204060u);
  EXPECT_GT(pixels(0xFFFF0000), 10) << "the text is drawn in the new style";
  const std::vector<PropertyEntry> listed = box.listProperties();
  ASSERT_EQ(listed.size(), 5u);
  EXPECT_EQ(listed[3].value, "0xFF204060");
  EXPECT_EQ(box.textStyle().fontSize, 20);
}

TEST_F(EditBoxOnForm, CompositionWindowIsPlacedAtTheCaret) {
  create("abc");
  click(boundaryX(1), 10);
  ASSERT_EQ(box.setCaret(), 1);
  const int caretX = caretColumn();
  ASSERT_GT(caretX, 3);
  HIMC context = ImmGetContext(form.hwnd());
  if (!context) GTEST_SKIP() << "no input context on this system";
  SendMessageW(form.hwnd(), WM_IME_COMPOSITION, 0, 0);
  COMPOSITIONFORM placed{};
  ASSERT_TRUE(ImmGetCompositionWindow(context, &placed));
  ImmReleaseContext(form.hwnd(), context);
  EXPECT_EQ(placed.dwStyle & CFS_POINT, static_cast<DWORD>(CFS_POINT));
  EXPECT_NEAR(placed.ptCurrentPos.x, kBox.x + caretX, 1);
  EXPECT_EQ(placed.ptCurrentPos.y, kBox.y + 3);
}

}  // namespace
}  // namespace talvek::test
