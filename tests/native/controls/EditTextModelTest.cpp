#include "toolkit/controls/EditTextModel.h"

#include <gtest/gtest.h>

using namespace talvek;

namespace {

class FakeClipboard : public EditClipboard {
 public:
  std::optional<std::u16string> contents;
  std::optional<std::u16string> readText() override { return contents; }
  void writeText(const std::u16string& text) override { contents = text; }
};

EditModifiers ctrl() { return {.ctrl = true}; }
EditModifiers shift() { return {.shift = true}; }

class EditTextModelTest : public ::testing::Test {
 protected:
  void type(std::u16string_view text) {
    for (char16_t c : text) last = model.character(c, {});
  }
  EditOutcome key(int vk, EditModifiers modifiers = {}) { return last = model.keyDown(vk, modifiers, clipboard); }

  EditTextModel model;
  FakeClipboard clipboard;
  EditOutcome last;
};

}  // namespace

TEST_F(EditTextModelTest, TypingInsertsAtTheCaretAndReportsEachChange) {
  type(u"acd");
  key(edit_key::kLeft);
  key(edit_key::kLeft);
  type(u"b");
  EXPECT_EQ(model.text(), u"abcd");
  EXPECT_EQ(model.caret(), 2);
  EXPECT_TRUE(last.textChanged);

  // Control characters never enter a single-line box; Backspace comes as a key.
  EXPECT_FALSE(model.character(0x08, {}).textChanged);
  EXPECT_FALSE(model.character('\t', {}).textChanged);
  EXPECT_FALSE(model.character('x', ctrl()).textChanged);
  EXPECT_FALSE(model.character('x', {.alt = true}).textChanged);
  EXPECT_EQ(model.text(), u"abcd");
}

TEST_F(EditTextModelTest, EnterReportsItselfAndChangesNothing) {
  type(u"ab");
  EditOutcome outcome = key(edit_key::kEnter);
  EXPECT_TRUE(outcome.enterPressed);
  EXPECT_FALSE(outcome.textChanged);
  EXPECT_FALSE(model.character('\r', {.enter = true}).textChanged);
  EXPECT_FALSE(key(edit_key::kEscape).textChanged);
  EXPECT_EQ(model.text(), u"ab");
}

TEST_F(EditTextModelTest, BackspaceAndDeleteWorkAroundTheCaretAndStopAtTheEnds) {
  model.setText(u"abc");
  model.setCaret(1);
  EXPECT_TRUE(key(edit_key::kBackspace).textChanged);
  EXPECT_EQ(model.text(), u"bc");
  EXPECT_EQ(model.caret(), 0);
  EXPECT_FALSE(key(edit_key::kBackspace).textChanged) << "nothing before the caret";

  EXPECT_TRUE(key(edit_key::kDelete).textChanged);
  EXPECT_EQ(model.text(), u"c");
  EXPECT_EQ(model.caret(), 0);
  key(edit_key::kEnd);
  EXPECT_FALSE(key(edit_key::kDelete).textChanged) << "nothing after the caret";
  EXPECT_EQ(model.text(), u"c");
}

TEST_F(EditTextModelTest, DeletingASelectionPutsTheCaretAtItsStartInEitherDirection) {
  model.setText(u"abcdef");
  model.pressAt(4);
  model.dragTo(1, false);  // selected leftwards: "bcd"
  EXPECT_EQ(model.selectionLength(), -3);
  key(edit_key::kDelete);
  EXPECT_EQ(model.text(), u"aef");
  EXPECT_EQ(model.caret(), 1);

  model.pressAt(1);
  model.dragTo(3, false);  // rightwards: "ef"
  key(edit_key::kBackspace);
  EXPECT_EQ(model.text(), u"a");
  EXPECT_EQ(model.caret(), 1);
}

TEST_F(EditTextModelTest, CaretKeysStayInsideTheTextAndShiftExtendsTheSelection) {
  model.setText(u"abc");
  model.setCaret(0);
  key(edit_key::kLeft);
  EXPECT_EQ(model.caret(), 0);
  key(edit_key::kEnd);
  key(edit_key::kRight);
  EXPECT_EQ(model.caret(), 3);

  key(edit_key::kLeft, shift());
  key(edit_key::kLeft, shift());
  EXPECT_EQ(model.selection().start, 1);
  EXPECT_EQ(model.selection().length, 2);
  key(edit_key::kHome, shift());
  EXPECT_EQ(model.selection().length, 3);
  key(edit_key::kRight);
  EXPECT_EQ(model.selection().length, 0) << "a plain arrow collapses the selection";
  EXPECT_EQ(model.caret(), 1);
}

TEST_F(EditTextModelTest, MouseDragSelectsAndPastTheLeftEdgeSelectsBackToTheStart) {
  model.setText(u"hello world");
  model.pressAt(6);
  model.dragTo(9, false);
  EXPECT_EQ(model.selectedShownText(), u"wor");
  model.dragTo(40, true);
  EXPECT_EQ(model.caret(), 0);
  EXPECT_EQ(model.selectedShownText(), u"hello ");
  model.dragTo(99, false);
  EXPECT_EQ(model.selectedShownText(), u"world") << "a point beyond the text selects to its end";
}

TEST_F(EditTextModelTest, InputModesFilterCharactersAndARefusedOneKeepsTheSelection) {
  struct Case {
    EditInputMode mode;
    std::u16string typed, kept;
  } cases[] = {
      {EditInputMode::kDigits, u"a1B2;", u"12"},
      {EditInputMode::kUpperCase, u"aB1C", u"BC"},
      {EditInputMode::kLowerCase, u"aB1c", u"ac"},
      {EditInputMode::kDoubleByte, u"a中b文", u"中文"},
      {EditInputMode::kPunctuation, u"a!/:@[`{~1", u"!/:@[`{~"},
      {EditInputMode::kDigitsOrLowerCase, u"aZ9-", u"a9"},
      {EditInputMode::kDigitsOrPunctuation, u"aZ9-", u"9-"},
  };
  for (const Case& c : cases) {
    EditTextModel m;
    m.setInputMode(static_cast<int>(c.mode));
    for (char16_t ch : c.typed) m.character(ch, {});
    EXPECT_EQ(m.text(), c.kept) << "mode " << static_cast<int>(c.mode);
  }

  model.setInputMode(static_cast<int>(EditInputMode::kDigits));
  model.setText(u"123");
  model.pressAt(0);
  model.dragTo(3, false);
  EXPECT_FALSE(model.character('x', {}).textChanged);
  EXPECT_EQ(model.text(), u"123");
  EXPECT_EQ(model.selection().length, 3);
}

TEST_F(EditTextModelTest, MaxLengthDropsFurtherCharactersButTypingOverASelectionStillWorks) {
  model.setMaxLength(5);
  type(u"abcdefg");
  EXPECT_EQ(model.text(), u"abcde");
  EXPECT_FALSE(last.textChanged);

  model.pressAt(0);
  model.dragTo(2, false);
  type(u"Z");
  EXPECT_EQ(model.text(), u"Zcde");
}

TEST_F(EditTextModelTest, PasteReplacesTheSelectionAndIsCutToFitMaxLength) {
  model.setText(u"abcd");
  model.pressAt(1);
  model.dragTo(3, false);
  clipboard.contents = u"XYZ";
  EditOutcome outcome = key('V', ctrl());
  EXPECT_TRUE(outcome.textChanged);
  EXPECT_EQ(model.text(), u"aXYZd");
  EXPECT_EQ(model.caret(), 4);

  model.setMaxLength(7);
  clipboard.contents = u"12345";
  key('V', ctrl());
  EXPECT_EQ(model.text(), u"aXYZ12d") << "only what fits goes in";
  EXPECT_EQ(model.caret(), 6);
  EXPECT_FALSE(key('V', ctrl()).textChanged) << "a full box takes nothing";
  EXPECT_EQ(model.length(), 7);

  // A surrogate pair is not split at the cut, and the paste stops at the
  // clipboard's terminator and drops line breaks.
  EditTextModel pair;
  pair.setMaxLength(2);
  pair.paste(u"a\U0001F600");
  EXPECT_EQ(pair.text(), u"a");
  EditTextModel lines;
  lines.paste(std::u16string(u"one\r\ntwo\0three", 14));
  EXPECT_EQ(lines.text(), u"onetwo");
}

TEST_F(EditTextModelTest, CopyCutAndSelectAllUseTheClipboard) {
  model.setText(u"copy me");
  key('A', ctrl());
  EXPECT_EQ(model.selection().length, 7);
  EXPECT_FALSE(key('C', ctrl()).textChanged);
  EXPECT_EQ(clipboard.contents, u"copy me");

  model.pressAt(0);
  model.dragTo(5, false);
  EXPECT_TRUE(key('X', ctrl()).textChanged);
  EXPECT_EQ(clipboard.contents, u"copy ");
  EXPECT_EQ(model.text(), u"me");

  clipboard.contents = u"kept";
  EXPECT_FALSE(key('X', ctrl()).textChanged) << "nothing selected: nothing cut";
  EXPECT_EQ(clipboard.contents, u"kept");
}

TEST_F(EditTextModelTest, ReplacingTheTextKeepsCaretAndSelectionInsideIt) {
  model.setText(u"a long text");
  model.setCaret(11);
  model.pressAt(2);
  model.dragTo(11, false);
  model.setText(u"ab");
  EXPECT_EQ(model.caret(), 2);
  EXPECT_EQ(model.selection().length, 0);
  model.setText(u"");
  EXPECT_EQ(model.caret(), 0);
  EXPECT_FALSE(key(edit_key::kDelete).textChanged);
}

TEST_F(EditTextModelTest, ACharacterBeyondTheFirstPlaneIsNeverSplit) {
  // Typed as its two halves, the way the character messages bring it.
  type(u"a\U0001F600b");
  EXPECT_EQ(model.text(), u"a\U0001F600b");
  key(edit_key::kLeft);
  key(edit_key::kLeft);
  EXPECT_EQ(model.caret(), 1) << "one step over both halves";
  key(edit_key::kRight, shift());
  EXPECT_EQ(model.selection().length, 2);
  key(edit_key::kRight);
  key(edit_key::kBackspace);
  key(edit_key::kBackspace);
  EXPECT_EQ(model.text(), u"a") << "Backspace takes both halves";

  model.setText(u"\U0001F600x");
  model.setCaret(1);
  EXPECT_EQ(model.caret(), 2) << "a position between the halves moves past the pair";
  model.pressAt(1);
  EXPECT_EQ(model.caret(), 2);
  model.setCaret(0);
  key(edit_key::kDelete);
  EXPECT_EQ(model.text(), u"x");

  // No room for both halves: neither goes in; a stray second half never does.
  model.setMaxLength(2);
  model.setCaret(1);
  type(u"\U0001F600");
  EXPECT_EQ(model.text(), u"x");
  type(u"\xDE00");
  EXPECT_EQ(model.text(), u"x");

  // A deletion that joins two stray halves leaves the caret after the pair.
  model.setMaxLength(-1);
  model.setText(u"\xD83Dx\xDE00");
  model.setCaret(2);
  key(edit_key::kBackspace);
  EXPECT_EQ(model.text(), u"\U0001F600");
  EXPECT_EQ(model.caret(), 2);
}
