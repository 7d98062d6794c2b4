// The text-editing behaviour of the edit box without any drawing or
// Windows calls: the text, caret, mouse and keyboard selection, character
// filters, maximum length, password mask and clipboard semantics. The
// control feeds it input and turns the returned outcome into owner events
// and redraws.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace talvek {

// The few virtual keys the edit box reacts to (Windows values).
namespace edit_key {
inline constexpr int kBackspace = 0x08;
inline constexpr int kEnter = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kRight = 0x27;
inline constexpr int kDelete = 0x2E;
}  // namespace edit_key

enum class EditInputMode : int {
  kAny = 0,
  kReadOnly = 1,
  kDigits = 2,
  kUpperCase = 3,
  kLowerCase = 4,
  kDoubleByte = 5,
  kPunctuation = 6,
  kDigitsOrLowerCase = 7,
  kDigitsOrPunctuation = 8,
};

// Modifier keys held while a key or character arrives.
struct EditModifiers {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  bool escape = false;  // Esc held (typing is ignored then)
  bool enter = false;   // Enter held
};

// What one input did; the control fires owner event 17 for textChanged and
// 19 for enterPressed, and redraws when redraw is set.
struct EditOutcome {
  bool textChanged = false;
  bool enterPressed = false;
  bool redraw = false;
};

// The clipboard as the model sees it; the control backs it with the real
// clipboard, tests with a string.
class EditClipboard {
 public:
  virtual ~EditClipboard() = default;
  virtual std::optional<std::u16string> readText() = 0;
  virtual void writeText(const std::u16string& text) = 0;
};

struct EditSelection {
  int start = 0;   // first selected code unit
  int length = 0;  // 0: nothing selected
};

class EditTextModel {
 public:
  inline static constexpr char16_t kDefaultMask = u'\u25CF';  // ●

  // Replaces the text; the caret stays where it was as far as the new text
  // allows (0 for an empty text) and the selection is cleared.
  void setText(std::u16string text);
  // The real text (what was typed, also in password mode).
  const std::u16string& text() const { return text_; }
  // The text as displayed: one mask character per character in password mode.
  std::u16string shownText() const;
  int length() const { return static_cast<int>(text_.size()); }

  void setPasswordMode(bool on) { passwordMode_ = on; }
  bool passwordMode() const { return passwordMode_; }
  // Only the first character of the mask is used; empty means the default.
  void setMask(std::u16string_view mask);

  // Unknown modes accept nothing, like the read-only mode, but still let
  // keys move the caret.
  void setInputMode(int mode) { inputMode_ = mode; }
  int inputMode() const { return inputMode_; }
  // -1 (or any negative value): no limit.
  void setMaxLength(int maxLength);
  int maxLength() const { return maxLength_; }
  // Whether a character takes two bytes in the system code page (input
  // mode 5); without one, every character above ASCII counts as double-byte.
  void setDoubleByteTest(std::function<bool(char16_t)> test) { isDoubleByte_ = std::move(test); }

  int caret() const { return caret_; }
  void setCaret(int position);
  int anchor() const { return anchor_; }
  int selectionLength() const { return selectionLength_; }
  EditSelection selection() const;
  std::u16string selectedShownText() const;

  // Left button down over the character boundary `index`.
  void pressAt(int index);
  // Mouse moved with the button held. pastLeftEdge: the pointer has left
  // the control to the left (the 16-bit coordinate wrapped past 50000).
  void dragTo(int index, bool pastLeftEdge);

  EditOutcome keyDown(int key, const EditModifiers& modifiers, EditClipboard& clipboard);
  EditOutcome character(int code, const EditModifiers& modifiers);
  // Replaces the selection with text at the caret, cut to fit maxLength.
  EditOutcome paste(std::u16string_view pasted);

  bool accepts(char16_t c) const;

 private:
  // Character boundaries: a surrogate pair is one character, never split
  // by the caret, a deletion or an insertion.
  bool insidePair(int index) const;
  int previousBoundary(int index) const;
  int nextBoundary(int index) const;
  int snapped(int index) const;
  void keepCaretOnBoundary();
  EditOutcome applyKey(int key, const EditModifiers& modifiers, EditClipboard& clipboard);
  EditOutcome applyCharacter(int code, const EditModifiers& modifiers);
  EditOutcome insertPasted(std::u16string_view pasted);
  bool hasRoomFor(int count) const;
  int room() const;
  // Removes the selection, caret to where it began; false when none.
  bool deleteSelection();
  void clearSelection();
  void moveCaret(int position, bool extend);
  EditOutcome deleteBackward();
  EditOutcome deleteForward();
  EditOutcome controlKey(int key, EditClipboard& clipboard);

  std::u16string text_;
  int caret_ = 0;
  int anchor_ = 0;
  int selectionLength_ = 0;
  bool passwordMode_ = false;
  char16_t mask_ = kDefaultMask;
  int inputMode_ = 0;
  int maxLength_ = -1;
  std::function<bool(char16_t)> isDoubleByte_;
};

}  // namespace talvek
