// The edit box's look, painted from the editing model: background or
// background picture, frame, icon, selection, highlighted ranges, text and
// caret. Also the measuring the control needs to place caret and scroll.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "toolkit/controls/EditBoxProperties.h"
#include "toolkit/controls/EditTextModel.h"
#include "toolkit/core/TextStyle.h"

namespace talvek {

struct EditHighlight {
  int start = 0;
  int length = 0;
  Argb color = 0;
};

struct EditBoxLook {
  EditBoxLook(const EditTextModel& m, const TextStyle& s, int w, int h) : model(m), style(s), width(w), height(h) {}

  const EditTextModel& model;
  const TextStyle& style;
  int width = 0;
  int height = 0;
  EditBoxColors colors;
  bool hot = false;           // mouse over the box or the box has the focus
  bool caretVisible = false;  // focused and in the visible blink phase
  bool frameShown = true;
  bool backShown = true;
  Gdiplus::GpImage* backImage = nullptr;
  Gdiplus::GpImage* icon = nullptr;  // shown at the left when set
  float textOffset = 0;              // horizontal scroll, not positive
  // Where text is drawn when the owner placed it; otherwise editTextArea.
  std::optional<Gdiplus::RectF> textArea;
  const std::vector<EditHighlight>* highlights = nullptr;
};

// Where text is drawn: 3 pixels in from each side, 20 more at the left for an icon.
Gdiplus::RectF editTextArea(int width, int height, bool withIcon);

// Width of the first `count` characters of text in the style.
float prefixWidth(Gdiplus::GpGraphics* graphics, const TextStyle& style, std::u16string_view text, int count);

// The character boundary under x (control coordinates).
int editCharIndexAt(Gdiplus::GpGraphics* graphics, const EditBoxLook& look, float x);

// The text area the look draws into.
Gdiplus::RectF lookTextArea(const EditBoxLook& look);

// Caret position (left end of the caret line) in control coordinates.
Gdiplus::PointF editCaretPoint(Gdiplus::GpGraphics* graphics, const EditBoxLook& look);

void paintEditBox(Gdiplus::GpGraphics* graphics, const EditBoxLook& look);

}  // namespace talvek
