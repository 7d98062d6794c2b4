#include "toolkit/core/CaptionButtonPainter.h"

#include "toolkit/core/PictureDrawing.h"
#include "toolkit/core/SkinRecord.h"

namespace talvek {

Gdiplus::GpBitmap* captionButtonImage(int type, int state) {
  if (type < 1 || type > caption::kTypeCount || state < 1 || state > 3) return nullptr;
  return skinRecord().captionButtons[type - 1][state - 1].get();
}

std::array<ButtonSize, caption::kTypeCount> captionButtonSizes() {
  std::array<ButtonSize, caption::kTypeCount> sizes{};
  for (int type = 1; type <= caption::kTypeCount; ++type) {
    if (Gdiplus::GpBitmap* image = captionButtonImage(type, caption::kNormal)) {
      UINT width = 0, height = 0;
      gdip::GdipGetImageWidth(image, &width);
      gdip::GdipGetImageHeight(image, &height);
      sizes[type - 1] = {static_cast<int>(width), static_cast<int>(height)};
    }
  }
  return sizes;
}

void drawImageWithOpacity(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const Rect& rect, float opacity) {
  if (!graphics || !image || opacity <= 0.0f) return;
  UINT width = 0, height = 0;
  gdip::GdipGetImageWidth(image, &width);
  gdip::GdipGetImageHeight(image, &height);
  GdiplusImageAttributes attributes;
  if (opacity < 1.0f && gdip::GdipCreateImageAttributes(attributes.put()) == Gdiplus::Ok) {
    Gdiplus::ColorMatrix matrix{};
    for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
    matrix.m[3][3] = opacity;
    gdip::GdipSetImageAttributesColorMatrix(attributes.get(), Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                            nullptr, Gdiplus::ColorMatrixFlagsDefault);
  }
  drawPicturePart(graphics, image, rect, {0, 0, static_cast<int>(width), static_cast<int>(height)}, attributes.get());
}

void paintCaptionButton(const MemoryCanvas& canvas, const MemoryCanvas& background, const CaptionButtonRecord& button) {
  const Rect& r = button.rect;
  if (!canvas || r.width <= 0 || r.height <= 0) return;
  const Rect pixels = canvas.pixelRect(r);
  if (background) {
    BitBlt(canvas.dc(), pixels.x, pixels.y, pixels.width, pixels.height, background.dc(), pixels.x, pixels.y, SRCCOPY);
  }
  const float old = static_cast<float>(button.fade) / caption::kFadeFull;
  if (button.fade > 0) drawImageWithOpacity(canvas.graphics(), captionButtonImage(button.type, button.shownState), r, old);
  drawImageWithOpacity(canvas.graphics(), captionButtonImage(button.type, button.state), r, 1.0f - old);
}

}  // namespace talvek
