#include "toolkit/controls/EditTextModel.h"

#include <algorithm>
#include <limits>

namespace talvek {
namespace {

bool isDigit(char16_t c) { return c >= 0x30 && c <= 0x39; }
bool isUpper(char16_t c) { return c >= 0x41 && c <= 0x5A; }
bool isLower(char16_t c) { return c >= 0x61 && c <= 0x7A; }
bool isPunctuation(char16_t c) {
  return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
         (c >= 0x7B && c <= 0x7E);
}
bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

constexpr int kCtrlA = 'A';
constexpr int kCtrlC = 'C';
constexpr int kCtrlV = 'V';
constexpr int kCtrlX = 'X';

}  // namespace

void EditTextModel::setText(std::u16string text) {
  text_ = std::move(text);
  caret_ = snapped(caret_);
  clearSelection();
}

std::u16string EditTextModel::shownText() const {
  if (!passwordMode_) return text_;
  return std::u16string(text_.size(), mask_);
}

void EditTextModel::setMask(std::u16string_view mask) { mask_ = mask.empty() ? kDefaultMask : mask.front(); }

void EditTextModel::setMaxLength(int maxLength) { maxLength_ = maxLength < 0 ? -1 : maxLength; }

void EditTextModel::setCaret(int position) { caret_ = snapped(position); }

bool EditTextModel::insidePair(int index) const {
  return index > 0 && index < length() && isHighSurrogate(text_[index - 1]) && isLowSurrogate(text_[index]);
}

int EditTextModel::previousBoundary(int index) const {
  index = std::clamp(index - 1, 0, length());
  return insidePair(index) ? index - 1 : index;
}

int EditTextModel::nextBoundary(int index) const {
  index = std::clamp(index + 1, 0, length());
  return insidePair(index) ? index + 1 : index;
}

void EditTextModel::keepCaretOnBoundary() {
  // An edit can join a stray first half and a stray second half around the
  // caret.
  if (!insidePair(caret_)) return;
  ++caret_;
  if (selectionLength_ == 0) anchor_ = caret_;
  else selectionLength_ = caret_ - anchor_;
}

EditOutcome EditTextModel::keyDown(int key, const EditModifiers& modifiers, EditClipboard& clipboard) {
  const EditOutcome outcome = applyKey(key, modifiers, clipboard);
  keepCaretOnBoundary();
  return outcome;
}

EditOutcome EditTextModel::character(int code, const EditModifiers& modifiers) {
  const EditOutcome outcome = applyCharacter(code, modifiers);
  keepCaretOnBoundary();
  return outcome;
}

EditOutcome EditTextModel::paste(std::u16string_view pasted) {
  const EditOutcome outcome = insertPasted(pasted);
  keepCaretOnBoundary();
  return outcome;
}

int EditTextModel::snapped(int index) const {
  index = std::clamp(index, 0, length());
  return insidePair(index) ? index + 1 : index;
}

EditSelection EditTextModel::selection() const {
  // The anchor can lie outside a text that was replaced meanwhile.
  int begin = std::clamp(std::min(anchor_, anchor_ + selectionLength_), 0, length());
  int end = std::clamp(std::max(anchor_, anchor_ + selectionLength_), 0, length());
  return {begin, end - begin};
}

std::u16string EditTextModel::selectedShownText() const {
  EditSelection s = selection();
  return shownText().substr(s.start, s.length);
}

void EditTextModel::pressAt(int index) {
  selectionLength_ = 0;
  caret_ = anchor_ = snapped(index);
}

void EditTextModel::dragTo(int index, bool pastLeftEdge) {
  if (pastLeftEdge) {
    caret_ = 0;
    selectionLength_ = -anchor_;
    return;
  }
  caret_ = snapped(index);
  selectionLength_ = caret_ - anchor_;
}

bool EditTextModel::accepts(char16_t c) const {
  switch (static_cast<EditInputMode>(inputMode_)) {
    case EditInputMode::kAny: return true;
    case EditInputMode::kDigits: return isDigit(c);
    case EditInputMode::kUpperCase: return isUpper(c);
    case EditInputMode::kLowerCase: return isLower(c);
    case EditInputMode::kDoubleByte: return isDoubleByte_ ? isDoubleByte_(c) : c >= 0x80;
    case EditInputMode::kPunctuation: return isPunctuation(c);
    case EditInputMode::kDigitsOrLowerCase: return isDigit(c) || isLower(c);
    case EditInputMode::kDigitsOrPunctuation: return isDigit(c) || isPunctuation(c);
    default: return false;
  }
}

int EditTextModel::room() const {
  if (maxLength_ < 0) return std::numeric_limits<int>::max() - length();
  return std::max(0, maxLength_ - length());
}

bool EditTextModel::hasRoomFor(int count) const { return room() >= count; }

void EditTextModel::clearSelection() {
  anchor_ = caret_;
  selectionLength_ = 0;
}

bool EditTextModel::deleteSelection() {
  EditSelection s = selection();
  if (s.length == 0) {
    clearSelection();
    return false;
  }
  text_.erase(s.start, s.length);
  caret_ = s.start;
  clearSelection();
  return true;
}

void EditTextModel::moveCaret(int position, bool extend) {
  int start = selectionLength_ != 0 ? anchor_ : caret_;
  caret_ = snapped(position);
  if (extend) {
    anchor_ = start;
    selectionLength_ = caret_ - anchor_;
  } else {
    clearSelection();
  }
}

EditOutcome EditTextModel::deleteBackward() {
  EditOutcome outcome{.redraw = true};
  if (deleteSelection()) {
    outcome.textChanged = true;
  } else if (caret_ > 0) {
    const int from = previousBoundary(caret_);
    text_.erase(from, caret_ - from);
    moveCaret(from, false);
    outcome.textChanged = true;
  }
  return outcome;
}

EditOutcome EditTextModel::deleteForward() {
  EditOutcome outcome{.redraw = true};
  if (deleteSelection()) {
    outcome.textChanged = true;
  } else if (caret_ < length()) {
    text_.erase(caret_, nextBoundary(caret_) - caret_);
    outcome.textChanged = true;
  }
  return outcome;
}

EditOutcome EditTextModel::controlKey(int key, EditClipboard& clipboard) {
  switch (key) {
    case kCtrlV: {
      std::optional<std::u16string> pasted = clipboard.readText();
      return pasted ? paste(*pasted) : EditOutcome{};
    }
    case kCtrlC:
    case kCtrlX: {
      if (selection().length == 0) return {};
      // The shown text: a password box puts its mask on the clipboard, never the password.
      clipboard.writeText(selectedShownText());
      if (key == kCtrlC) return {};
      deleteSelection();
      return {.textChanged = true, .redraw = true};
    }
    case kCtrlA:
      anchor_ = 0;
      selectionLength_ = length();
      caret_ = length();
      return {.redraw = true};
    default: return {};
  }
}

EditOutcome EditTextModel::applyKey(int key, const EditModifiers& modifiers, EditClipboard& clipboard) {
  if (inputMode_ == static_cast<int>(EditInputMode::kReadOnly)) return {};
  if (modifiers.ctrl && (key == kCtrlA || key == kCtrlC || key == kCtrlV || key == kCtrlX)) {
    return controlKey(key, clipboard);
  }
  switch (key) {
    case edit_key::kEnter: return {.enterPressed = true};
    case edit_key::kLeft: {
      // Without Shift a selection collapses; the caret still steps once.
      moveCaret(previousBoundary(caret_), modifiers.shift);
      return {.redraw = true};
    }
    case edit_key::kRight: moveCaret(nextBoundary(caret_), modifiers.shift); return {.redraw = true};
    case edit_key::kHome: moveCaret(0, modifiers.shift); return {.redraw = true};
    case edit_key::kEnd: moveCaret(length(), modifiers.shift); return {.redraw = true};
    case edit_key::kBackspace: return deleteBackward();
    case edit_key::kDelete: return deleteForward();
    default: return {};
  }
}

EditOutcome EditTextModel::applyCharacter(int code, const EditModifiers& modifiers) {
  if (inputMode_ == static_cast<int>(EditInputMode::kReadOnly)) return {};
  if (modifiers.escape || modifiers.enter || modifiers.ctrl || modifiers.alt) return {};
  // A single-line box takes no control characters (Backspace comes as a key,
  // Tab moves the focus, Enter fires its own event).
  if (code < 0x20 || code > 0xFFFF || code == 0x7F) return {};
  char16_t c = static_cast<char16_t>(code);
  // A refused character leaves the selection alone.
  if (!accepts(c)) return {};
  // A character beyond the first plane arrives as its two halves: the first
  // needs room for both, the second goes in only right after its first.
  if (isLowSurrogate(c)) {
    // Only the second half of a character whose first half went in.
    if (caret_ == 0 || !isHighSurrogate(text_[caret_ - 1]) || insidePair(caret_) || !hasRoomFor(1)) return {};
    text_.insert(text_.begin() + caret_, c);
    ++caret_;
    clearSelection();
    return {.textChanged = true, .redraw = true};
  }
  EditOutcome outcome{.redraw = true};
  outcome.textChanged = deleteSelection();
  if (hasRoomFor(isHighSurrogate(c) ? 2 : 1)) {
    text_.insert(text_.begin() + caret_, c);
    ++caret_;
    clearSelection();
    outcome.textChanged = true;
  }
  return outcome;
}

EditOutcome EditTextModel::insertPasted(std::u16string_view pasted) {
  if (inputMode_ == static_cast<int>(EditInputMode::kReadOnly)) return {};
  std::u16string kept;
  for (char16_t c : pasted) {
    if (c == 0) break;  // clipboard text ends at its terminator
    if (c >= 0x20 && c != 0x7F && accepts(c)) kept.push_back(c);
  }
  EditOutcome outcome{.redraw = true};
  outcome.textChanged = deleteSelection();
  // Cut to fit: what fits of the paste goes in, the rest is dropped, and a
  // surrogate pair is never split at the cut.
  std::size_t fits = std::min<std::size_t>(kept.size(), static_cast<std::size_t>(room()));
  if (fits < kept.size() && fits > 0 && isHighSurrogate(kept[fits - 1])) --fits;
  kept.resize(fits);
  if (!kept.empty()) {
    text_.insert(static_cast<std::size_t>(caret_), kept);
    caret_ += static_cast<int>(kept.size());
    clearSelection();
    outcome.textChanged = true;
  }
  return outcome;
}

}  // namespace talvek
