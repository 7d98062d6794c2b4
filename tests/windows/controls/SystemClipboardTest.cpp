#include "toolkit/controls/SystemClipboard.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace talvek;

namespace {

// Puts raw bytes on the clipboard as CF_UNICODETEXT, as another program might.
void placeRawText(const void* bytes, SIZE_T size) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
  CloseClipboard();
}

}  // namespace

TEST(SystemClipboard, EditKeysCopyCutAndPasteThroughTheRealClipboard) {
  SystemClipboard clipboard;
  EditTextModel model;
  model.setText(u"路径 C:\\Talvek");
  ASSERT_TRUE(model.keyDown('A', {.ctrl = true}, clipboard).redraw);
  model.keyDown('C', {.ctrl = true}, clipboard);
  EXPECT_EQ(clipboard.readText(), u"路径 C:\\Talvek");

  model.pressAt(0);
  model.dragTo(3, false);
  EXPECT_TRUE(model.keyDown('X', {.ctrl = true}, clipboard).textChanged);
  EXPECT_EQ(model.text(), u"C:\\Talvek");
  EXPECT_EQ(clipboard.readText(), u"路径 ");

  model.keyDown(edit_key::kEnd, {}, clipboard);
  EXPECT_TRUE(model.keyDown('V', {.ctrl = true}, clipboard).textChanged);
  EXPECT_EQ(model.text(), u"C:\\Talvek路径 ");
}

TEST(SystemClipboard, ReadingStopsAtTheTerminatorOrTheEndOfTheBlock) {
  SystemClipboard clipboard;
  const char16_t terminated[] = u"one\0two";
  placeRawText(terminated, sizeof terminated);
  EXPECT_EQ(clipboard.readText(), u"one");

  const char16_t unterminated[] = {u'a', u'b', u'c'};
  placeRawText(unterminated, sizeof unterminated);
  std::optional<std::u16string> read = clipboard.readText();
  ASSERT_TRUE(read);
  // Wine terminates such a block itself by dropping its last unit; either
  // way nothing beyond the block is read.
  EXPECT_FALSE(read->empty());
  EXPECT_TRUE(std::u16string_view(u"abc").starts_with(*read)) << "nothing beyond the block";

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(clipboard.readText());
}

TEST(SystemClipboard, PasteOfALongClipboardTextIsCutToMaxLength) {
  SystemClipboard clipboard;
  clipboard.writeText(u"0123456789");
  EditTextModel model;
  model.setMaxLength(4);
  model.setText(u"ab");
  model.setCaret(1);
  EXPECT_TRUE(model.keyDown('V', {.ctrl = true}, clipboard).textChanged);
  EXPECT_EQ(model.text(), u"a01b");
}
