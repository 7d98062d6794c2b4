#include "toolkit/core/FormFrame.h"

#include "toolkit/core/StyledText.h"

#include <algorithm>

#include "toolkit/core/PictureDrawing.h"
#include "toolkit/core/RoundRect.h"
#include "toolkit/core/WindowShadow.h"

namespace talvek {
namespace {

constexpr int kIconLeft = 7, kIconTop = 6, kIconSize = 16;
constexpr int kTitleWithIcon = 28, kTitleWithoutIcon = 5, kTitleTop = 5;

void paintBackground(Gdiplus::GpGraphics* graphics, const FrameLook& look, const Rect& body) {
  // The body's pixels become exactly the background, whatever the shadow
  // left under them.
  gdip::GdipSetCompositingMode(graphics, Gdiplus::CompositingModeSourceCopy);
  if (look.backgroundImage) {
    drawPicture(graphics, look.backgroundImage, body);
  } else {
    fillRoundRect(graphics, look.backgroundColor, body.x, body.y, body.width, body.height, look.cornerRadius);
  }
  gdip::GdipSetCompositingMode(graphics, Gdiplus::CompositingModeSourceOver);
}

void drawOutlines(Gdiplus::GpGraphics* graphics, const FrameLook& look, int width, int height) {
  const int i = look.frameInset, r = look.cornerRadius;
  drawRoundRect(graphics, kOuterOutline, i - 1, i - 1, width - 2 * i + 1, height - 2 * i + 1, r, 1);
  drawRoundRect(graphics, look.colour2, i, i, width - 2 * i - 1, height - 2 * i - 1, r, 1);
  drawRoundRect(graphics, look.colour1, i + 1, i + 1, width - 2 * i - 3, height - 2 * i - 3, r, 1);
}

}  // namespace

Rect titleRect(const FrameLook& look) {
  const int x = look.frameInset + (look.icon ? kTitleWithIcon : kTitleWithoutIcon);
  const int right = look.captionRect.width + look.frameInset;
  return {x, look.frameInset + kTitleTop, std::max(0, right - x), look.captionRect.height};
}

void drawFrame(const MemoryCanvas& canvas, const FrameLook& look) {
  Gdiplus::GpGraphics* graphics = canvas.graphics();
  if (!graphics) return;
  const int width = canvas.drawingWidth(), height = canvas.drawingHeight(), i = look.frameInset;
  if (look.shadow) drawWindowShadow(graphics, 0, 0, width, height, look.shadowColour, look.cornerRadius + 1);
  paintBackground(graphics, look, {i, i, width - 2 * i, height - 2 * i});
  if (look.icon) drawPicture(graphics, look.icon, {i + kIconLeft, i + kIconTop, kIconSize, kIconSize});
  if (look.titleStyle && !look.title.empty()) {
    const Rect area = titleRect(look);
    drawStyledText(graphics, *look.titleStyle, look.title,
                   Gdiplus::RectF(static_cast<float>(area.x), static_cast<float>(area.y), static_cast<float>(area.width),
                                  static_cast<float>(area.height)),
                   true);
  }
  if (look.shadow && (look.colour1 || look.colour2)) drawOutlines(graphics, look, width, height);
  gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
}

Argb representativeColour(Gdiplus::GpImage* image) {
  if (!image) return 0;
  GdiplusBitmap pixel;
  GdiplusGraphics graphics;
  if (gdip::GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, pixel.put()) != Gdiplus::Ok ||
      gdip::GdipGetImageGraphicsContext(pixel.get(), graphics.put()) != Gdiplus::Ok) {
    return 0;
  }
  gdip::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeNearestNeighbor);
  gdip::GdipDrawImageRect(graphics.get(), image, 0, 0, 1.0f, 1.0f);
  graphics.reset();
  Gdiplus::ARGB colour = 0;
  gdip::GdipBitmapGetPixel(pixel.get(), 0, 0, &colour);
  return colour;
}

}  // namespace talvek
