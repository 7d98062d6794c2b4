#include "toolkit/controls/EditBox.h"

#include <algorithm>

#include "toolkit/controls/AnsiCharWidth.h"
#include "toolkit/controls/CompositionWindow.h"
#include "toolkit/controls/ControlFacts.h"
#include "toolkit/controls/ControlImage.h"
#include "toolkit/controls/EditLayout.h"
#include "toolkit/controls/HeldModifiers.h"
#include "toolkit/controls/SystemClipboard.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/ImageDecoder.h"
#include "toolkit/core/SystemCursor.h"

namespace talvek {
namespace {

constexpr int kIconShown = 1;

std::intptr_t packPoint(POINT point) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(point.y) << 16) |
                                    (static_cast<std::uint32_t>(point.x) & 0xFFFFu));
}

// Edit boxes are single-line and measure with typographic spacing. The
// text always starts at the left: the caret, the selection and the mouse
// positions are measured from there, so a centred or right-aligned style
// would draw the text away from its own selection.
TextStyle buildEditStyle(const TextStyleDescription& description) {
  TextStyle style = TextStyle::build(description, true, true, true);
  if (style.format()) gdip::GdipSetStringFormatAlign(style.format(), Gdiplus::StringAlignmentNear);
  return style;
}

}  // namespace

bool EditBox::create(ControlRef parentRef, const Rect& area, const std::string& text,
                     const TextStyleDescription& description, const EditBoxOptions& options) {
  if (created()) return false;
  const std::u16string caption = ansiToUtf16(text);
  colors_ = EditBoxColors{};
  colors_.selectBack = options.selectBackColor;
  colors_.selectText = options.selectTextColor;
  colors_.back = options.backColor;
  colors_.frame = options.frameColor;
  colors_.focusFrame = options.focusFrameColor;
  model_ = EditTextModel();
  model_.setDoubleByteTest(takesTwoAnsiBytes);
  model_.setInputMode(options.inputMode);
  model_.setPasswordMode(options.passwordMode != 0);
  setMask(options.maskText);
  model_.setText(caption);
  model_.setCaret(model_.length());
  style_ = buildEditStyle(description);
  iconMode_ = options.iconMode;
  icon_ = decodeImage(options.icon);
  textOffset_ = 0;
  textArea_.reset();
  frameShown_ = backShown_ = true;
  caretOn_ = 0;
  selecting_ = false;
  highlights_.clear();
  // Focusable; the hand cursor never shows over a text box.
  if (!initControl(parentRef, area, caption, 1, options.visible, options.disabled, 0)) return false;
  followCaret();
  redraw();
  return true;
}

void EditBox::setMask(const std::optional<std::string>& maskText) {
  model_.setMask(maskText ? ansiToUtf16(*maskText) : std::u16string());
}

std::unique_ptr<Control> EditBox::clone() const {
  auto copy = std::make_unique<EditBox>();
  copyBaseInto(*copy);
  copy->model_ = model_;
  if (style_.usable()) copy->style_ = buildEditStyle(style_.description());
  copy->colors_ = colors_;
  copy->textArea_ = textArea_;
  copy->textOffset_ = textOffset_;
  copy->frameShown_ = frameShown_;
  copy->backShown_ = backShown_;
  copy->iconMode_ = iconMode_;
  copy->icon_ = copyBitmap(icon_);
  copy->backImage_ = copyBitmap(backImage_);
  copy->highlights_ = highlights_;
  return copy;
}

EditBoxLook EditBox::look() const {
  EditBoxLook look(model_, style_, getWidth(), getHeight());
  look.colors = colors_;
  look.hot = isMouseOver() || hasFocus();
  look.caretVisible = caretOn_ != 0 && hasFocus();
  look.frameShown = frameShown_;
  look.backShown = backShown_;
  look.backImage = backImage_.get();
  look.icon = iconMode_ == kIconShown ? icon_.get() : nullptr;
  look.textOffset = textOffset_;
  look.highlights = &highlights_;
  look.textArea = textArea_;
  return look;
}

void EditBox::paint(Gdiplus::GpGraphics* graphics) {
  if (!style_.usable()) return;
  paintEditBox(graphics, look());
}

Gdiplus::RectF EditBox::textArea() const { return lookTextArea(look()); }

void EditBox::followCaret() {
  if (!measuringGraphics() || !style_.usable()) return;
  const std::u16string shown = model_.shownText();
  const float caretX = prefixWidth(measuringGraphics(), style_, shown, model_.caret());
  const float textWidth = prefixWidth(measuringGraphics(), style_, shown, static_cast<int>(shown.size()));
  textOffset_ = scrollOffset(textOffset_, caretX, textWidth, textArea().Width);
}

int EditBox::charIndexAt(POINT point) {
  if (!measuringGraphics() || !style_.usable()) return 0;
  return editCharIndexAt(measuringGraphics(), look(), static_cast<float>(point.x));
}

void EditBox::applyOutcome(const EditOutcome& outcome) {
  if (outcome.textChanged) {
    // The caption carries the text for the owner's getters.
    syncingCaption_ = true;
    setCaption(model_.text());
    syncingCaption_ = false;
  }
  if (outcome.textChanged || outcome.redraw) {
    followCaret();
    redraw();
  }
  if (outcome.textChanged) notify(edit_event::kTextChanged);
  if (outcome.enterPressed) notify(edit_event::kEnter);
}

void EditBox::onCaptionChanged() {
  // Creation sets the caption too; create has filled the model already.
  if (syncingCaption_ || !created()) return;
  model_.setText(caption());
  followCaret();
  redraw();
}

int EditBox::setCaret(std::optional<int> position) {
  if (position) {
    model_.setCaret(*position);
    followCaret();
    redraw();
  }
  return model_.caret();
}

void EditBox::setMaxLength(std::optional<int> maxLength) { model_.setMaxLength(maxLength.value_or(-1)); }

int EditBox::inputMode(std::optional<int> mode) {
  if (mode) {
    model_.setInputMode(*mode);
    redraw();
  }
  return model_.inputMode();
}

TextStyleDescription EditBox::textStyle(std::optional<TextStyleDescription> description) {
  if (description) {
    style_ = buildEditStyle(*description);
    followCaret();
    redraw();
  }
  return style_.description();
}

void EditBox::setTextArea(const Gdiplus::RectF& area) {
  textArea_ = area;
  followCaret();
  redraw();
}

void EditBox::setIcon(ByteView bytes) {
  icon_ = decodeImage(bytes);
  redraw();
}

void EditBox::setBackImage(ByteView bytes) {
  backImage_ = decodeImage(bytes);
  redraw();
}

void EditBox::addHighlight(int start, int length, Argb color) {
  highlights_.push_back(EditHighlight{start, length, color});
  redraw();
}

void EditBox::removeHighlight(int start, int length) {
  auto found = std::find_if(highlights_.begin(), highlights_.end(),
                            [&](const EditHighlight& h) { return h.start == start && h.length == length; });
  if (found == highlights_.end()) return;
  highlights_.erase(found);
  redraw();
}

void EditBox::setFrameShown(bool shown) {
  frameShown_ = shown;
  redraw();
}

void EditBox::setBackShown(bool shown) {
  backShown_ = shown;
  redraw();
}

void EditBox::setCaretColor(Argb color) {
  colors_.caret = color;
  redraw();
}

void EditBox::applyProperties(const std::vector<PropertyEntry>& list) {
  if (std::optional<std::string> styleText = applyEditBoxProperties(colors_, list)) {
    style_ = buildEditStyle(descriptionFromStyleText(*styleText));
    followCaret();
  }
  redraw();
}

std::vector<PropertyEntry> EditBox::listProperties() const {
  return listEditBoxProperties(colors_, styleTextOf(style_.description()));
}

void EditBox::placeComposition() {
  if (!measuringGraphics() || !style_.usable()) return;
  const Gdiplus::PointF caret = editCaretPoint(measuringGraphics(), look());
  // Forms are borderless, but the input method wants client coordinates:
  // the control's place in the window plus the caret's place in the control.
  const POINT client{windowRect.x + scale.toDevice(static_cast<int>(caret.X)),
                     windowRect.y + scale.toDevice(static_cast<int>(caret.Y))};
  placeCompositionWindow(window, client);
}

void EditBox::onWindowMessage(unsigned message, std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {
  // Placed at the start too, so the first composed character already
  // appears at the caret.
  if (message == WM_IME_STARTCOMPOSITION || message == WM_IME_COMPOSITION) placeComposition();
}

void EditBox::onMouseEnter() {
  notify(owner_event::kMouseEnter);
  showSystemCursor(cursor::kIBeam);
  redraw();
}

void EditBox::onMouseLeave() {
  notify(owner_event::kMouseLeave);
  showSystemCursor(cursor::kArrow);
  redraw();
}

void EditBox::onClick(POINT point) { notify(owner_event::kClick, packPoint(point)); }

void EditBox::onLeftDown(POINT point) {
  showSystemCursor(cursor::kIBeam);
  captureMouse();
  selecting_ = true;
  model_.pressAt(charIndexAt(point));
  redraw();
}

void EditBox::onMouseMove(POINT point) {
  if (!selecting_) return;
  showSystemCursor(cursor::kIBeam);
  // Left of the box the selection runs to the start of the text.
  model_.dragTo(charIndexAt(point), point.x < 0);
  followCaret();
  redraw();
}

void EditBox::onLeftUp(POINT /*point*/) {
  selecting_ = false;
  releaseMouse();
}

void EditBox::onKeyDown(int key) {
  SystemClipboard clipboard(window);
  applyOutcome(model_.keyDown(key, heldModifiers(), clipboard));
}

void EditBox::onChar(int character) { applyOutcome(model_.character(character, heldModifiers())); }

void EditBox::onResized() { followCaret(); }

void EditBox::onTimer(int key, int /*value*/) {
  if (key != kCaretBlinkTimerKey) return;
  caretOn_ = caretOn_ ? 0 : 1;
  redraw();
}

void EditBox::onFocusGained(ControlRef /*previous*/) {
  setTimer(kCaretBlinkTimerKey, kCaretBlinkIntervalMs, 0);
  // Shown at once rather than after the first half period.
  caretOn_ = 1;
  redraw();
}

void EditBox::onFocusLost(ControlRef /*next*/) {
  killTimer(kCaretBlinkTimerKey);
  caretOn_ = 0;
  selecting_ = false;
  redraw();
}

void EditBox::onDestroy() {
  killTimer(kCaretBlinkTimerKey);
  model_ = EditTextModel();
  style_.free();
  backImage_.reset();
  icon_.reset();
  highlights_.clear();
  textArea_.reset();
  textOffset_ = 0;
  caretOn_ = 0;
  selecting_ = false;
}

void EditBox::fillFacts(ControlFacts& facts) {
  facts.kind = ControlKind::kEditBox;
  facts.text = text();
  facts.readOnly = model_.inputMode() == static_cast<int>(EditInputMode::kReadOnly);
  facts.password = model_.passwordMode();
}

}  // namespace talvek
