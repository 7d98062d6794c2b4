#include "toolkit/controls/CheckBoxPainter.h"

#include "toolkit/controls/ControlImage.h"
#include "toolkit/controls/DrawingHelpers.h"
#include "toolkit/core/StyledText.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/EmbeddedBlob.h"
#include "toolkit/core/ImageDecoder.h"

TALVEK_DECLARE_BLOB(talvek_check_mark);

namespace talvek {
namespace {

constexpr int kMarkWidth = 15;
constexpr int kMarkHeight = 14;
constexpr int kDefaultCaptionFlags = 545;   // bold, left, vertically centred
constexpr int kDisabledCaptionFlags = 608;  // left, vertically centred
constexpr int kCaptionSize = 12;

Gdiplus::RectF toRectF(const Rect& r) {
  return Gdiplus::RectF(static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.width),
                        static_cast<float>(r.height));
}

}  // namespace

GdiplusBitmap checkMarkImage() { return decodeImage(TALVEK_BLOB(talvek_check_mark), kMarkWidth, kMarkHeight); }

TextStyleDescription defaultCheckBoxCaptionStyle() {
  return describeTextStyle(kDefaultCaptionFlags, std::nullopt, kCaptionSize, 0xFFFFFFFF, 0xFF0088FF);
}

void paintCheckBox(Gdiplus::GpGraphics* graphics, const CheckBoxLook& look) {
  if (!graphics) return;
  const Rect box = look.state.box();
  const Gdiplus::RectF caption = toRectF(look.state.captionRect());
  if (look.disabled) {
    fillRect(graphics, kDisabledColor, box.x, box.y, box.width, box.height);
    TextStyle grey =
        TextStyle::build(describeTextStyle(kDisabledCaptionFlags, std::nullopt, kCaptionSize, kDisabledColor));
    drawStyledText(graphics, grey, look.caption, caption, true);
    return;
  }
  fillRect(graphics, look.boxColor, box.x, box.y, box.width, box.height);
  drawStyledText(graphics, look.captionStyle, look.caption, caption, true);
  if (look.state.checked()) drawImageAtPixelSize(graphics, look.mark, CheckBoxState::kMarkX, CheckBoxState::kMarkY);
}

}  // namespace talvek
