// The toolkit's single-line text input: its own caret, mouse and keyboard
// selection, clipboard, password mask, character filters, maximum length,
// icon and coloured ranges, all drawn with GDI+. The editing rules live in
// EditTextModel and the look in EditBoxPainter; this class ties them to
// the control's events, timers, clipboard and input method.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/controls/Control.h"
#include "toolkit/controls/EditBoxPainter.h"
#include "toolkit/controls/EditBoxProperties.h"
#include "toolkit/controls/EditTextModel.h"
#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/TextStyle.h"

namespace talvek {

// Owner events of the edit box, besides those every control fires.
namespace edit_event {
inline constexpr int kTextChanged = 17;
inline constexpr int kEnter = 19;
}  // namespace edit_event

// The caret blinks on this window timer while the box has the focus.
inline constexpr int kCaretBlinkTimerKey = 1004;
inline constexpr int kCaretBlinkIntervalMs = 500;

// Creation arguments after the style; what is left alone takes its default.
struct EditBoxOptions {
  int inputMode = 0;  // EditInputMode
  Argb selectBackColor = EditBoxColors{}.selectBack;
  Argb selectTextColor = EditBoxColors{}.selectText;
  Argb backColor = EditBoxColors{}.back;
  Argb frameColor = EditBoxColors{}.frame;
  Argb focusFrameColor = EditBoxColors{}.focusFrame;
  int iconMode = 0;  // 1: show the icon at the left
  ByteBlock icon;    // encoded image
  int passwordMode = 0;
  // Mask character in the system code page; absent or empty: "●".
  std::optional<std::string> maskText;
  int visible = 1;
  int disabled = 0;
};

class EditBox final : public Control {
 public:
  void fillFacts(ControlFacts& facts) override;
  ~EditBox() override { unregister(); }

  // text in the system code page. Focusable, no hand cursor; the caret at
  // the end of the text. False when already created or the parent is unknown.
  bool create(ControlRef parentRef, const Rect& area, const std::string& text, const TextStyleDescription& description,
              const EditBoxOptions& options = {});

  // The real text (what was typed, also in password mode); the caption
  // accessors of Control give the same text.
  const std::u16string& text() const { return model_.text(); }
  std::u16string shownText() const { return model_.shownText(); }
  EditSelection selection() const { return model_.selection(); }

  // Accessors: a given value is stored first; the current value returns.
  int setCaret(std::optional<int> position = std::nullopt);
  // Absent: no limit. Only limits what is typed or pasted from now on.
  void setMaxLength(std::optional<int> maxLength);
  int maxLength() const { return model_.maxLength(); }
  int inputMode(std::optional<int> mode = std::nullopt);
  bool passwordMode() const { return model_.passwordMode(); }
  TextStyleDescription textStyle(std::optional<TextStyleDescription> description = std::nullopt);

  // Control coordinates; until set, the area follows the size and icon.
  void setTextArea(const Gdiplus::RectF& area);
  Gdiplus::RectF textArea() const;
  // Encoded images; empty or undecodable bytes remove the picture.
  void setIcon(ByteView bytes);
  void setBackImage(ByteView bytes);
  void addHighlight(int start, int length, Argb color);
  // The first range with that start and length.
  void removeHighlight(int start, int length);
  void setFrameShown(bool shown);
  void setBackShown(bool shown);
  void setCaretColor(Argb color);
  const EditBoxColors& colors() const { return colors_; }

  // Moves the input method's composition window to the caret.
  void placeComposition();
  // The character boundary under a point in control coordinates.
  int charIndexAt(POINT point);
  // Scrolls the text so the caret lies inside the text area.
  void followCaret();
  float textOffset() const { return textOffset_; }
  bool caretOn() const { return caretOn_ != 0; }

  int notify(int code, std::intptr_t arg = 0) { return fireEvent(code, arg); }
  std::unique_ptr<Control> clone() const override;
  // Known names: "SelectBkgColor", "SelectColor", "FarmeColor",
  // "BkgColor", "StringFormat"; others are skipped.
  void applyProperties(const std::vector<PropertyEntry>& list);
  std::vector<PropertyEntry> listProperties() const;

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override;
  void onLeftDown(POINT point) override;
  void onLeftUp(POINT point) override;
  void onClick(POINT point) override;
  void onMouseMove(POINT point) override;
  void onMouseEnter() override;
  void onMouseLeave() override;
  void onKeyDown(int key) override;
  void onChar(int character) override;
  void onResized() override;
  void onTimer(int key, int value) override;
  void onDestroy() override;
  void onFocusGained(ControlRef previous) override;
  void onFocusLost(ControlRef next) override;
  void onWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void onCaptionChanged() override;

 private:
  EditBoxLook look() const;
  Gdiplus::GpGraphics* measuringGraphics() const { return surface().graphics(); }
  // After an edit: the caption follows the model, the owner hears of a
  // change, the caret stays in view and the box is redrawn.
  void applyOutcome(const EditOutcome& outcome);
  void setMask(const std::optional<std::string>& maskText);

  EditTextModel model_;
  TextStyle style_;
  EditBoxColors colors_;
  std::optional<Gdiplus::RectF> textArea_;
  float textOffset_ = 0;
  int caretOn_ = 0;
  bool selecting_ = false;  // left button went down on the box and is held
  bool syncingCaption_ = false;
  bool frameShown_ = true;
  bool backShown_ = true;
  int iconMode_ = 0;
  GdiplusBitmap icon_;
  GdiplusBitmap backImage_;
  std::vector<EditHighlight> highlights_;
};

}  // namespace talvek
