#include "toolkit/core/GlowLayer.h"

#include <cmath>

#include "toolkit/core/ToolkitSettings.h"

namespace talvek {
namespace {

GdiplusBitmap argbBitmap(int width, int height) {
  GdiplusBitmap bitmap;
  if (width < 1 || height < 1) return bitmap;
  gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
  return bitmap;
}

GdiplusGraphics graphicsOf(Gdiplus::GpBitmap* bitmap) {
  GdiplusGraphics graphics;
  if (bitmap) gdip::GdipGetImageGraphicsContext(bitmap, graphics.put());
  return graphics;
}

}  // namespace

GlowLayer::Key GlowLayer::keyFor(Gdiplus::GpGraphics* target, std::u16string_view text, const Gdiplus::RectF& layout) {
  Key key;
  key.text.assign(text);
  key.x = layout.X - std::floor(layout.X);
  key.y = layout.Y - std::floor(layout.Y);
  key.width = layout.Width;
  key.height = layout.Height;
  key.hint = textRenderingHint();
  Gdiplus::InterpolationMode interpolation{};
  Gdiplus::PixelOffsetMode pixelOffset{};
  gdip::GdipGetInterpolationMode(target, &interpolation);
  gdip::GdipGetPixelOffsetMode(target, &pixelOffset);
  key.interpolation = static_cast<int>(interpolation);
  key.pixelOffset = static_cast<int>(pixelOffset);
  return key;
}

// The letters drawn in the glow colour, shrunk to a third and stretched
// back: the round trip blurs them into a halo. The stretch lands on a clear
// bitmap with the target's own resampling settings, so blending it later
// gives the pixels the stretch onto the target gave.
void GlowLayer::render(Gdiplus::GpFont* font, Gdiplus::GpStringFormat* format, Gdiplus::GpBrush* glowBrush,
                       const Key& key) {
  halo_.reset();
  key_ = key;
  const int width = static_cast<int>(key.width);
  const int height = static_cast<int>(key.height);
  GdiplusBitmap full = argbBitmap(width, height);
  GdiplusBitmap small = argbBitmap(width / 3, height / 3);
  GdiplusGraphics fullGraphics = graphicsOf(full.get());
  GdiplusGraphics smallGraphics = graphicsOf(small.get());
  // A layout under 3 pixels has no small bitmap: the letters go without glow.
  if (!fullGraphics || !smallGraphics) return;

  gdip::GdipSetTextRenderingHint(fullGraphics.get(), static_cast<Gdiplus::TextRenderingHint>(key.hint));
  Gdiplus::RectF origin(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
  gdip::GdipDrawString(fullGraphics.get(), reinterpret_cast<const WCHAR*>(key.text.data()),
                       static_cast<INT>(key.text.size()), font, &origin, format, glowBrush);

  gdip::GdipSetInterpolationMode(smallGraphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
  gdip::GdipSetCompositingQuality(smallGraphics.get(), Gdiplus::CompositingQualityHighQuality);
  gdip::GdipSetSmoothingMode(smallGraphics.get(), Gdiplus::SmoothingModeHighQuality);
  gdip::GdipDrawImageRectI(smallGraphics.get(), full.get(), 0, 0, width / 3, height / 3);
  smallGraphics.reset();

  GdiplusBitmap stretched = argbBitmap(static_cast<int>(std::ceil(key.x + key.width)) + 1,
                                       static_cast<int>(std::ceil(key.y + key.height)) + 1);
  GdiplusGraphics stretchedGraphics = graphicsOf(stretched.get());
  if (!stretchedGraphics) return;
  gdip::GdipSetCompositingMode(stretchedGraphics.get(), Gdiplus::CompositingModeSourceCopy);
  gdip::GdipSetInterpolationMode(stretchedGraphics.get(), static_cast<Gdiplus::InterpolationMode>(key.interpolation));
  gdip::GdipSetPixelOffsetMode(stretchedGraphics.get(), static_cast<Gdiplus::PixelOffsetMode>(key.pixelOffset));
  gdip::GdipDrawImageRect(stretchedGraphics.get(), small.get(), key.x, key.y, key.width, key.height);
  stretchedGraphics.reset();
  halo_ = std::move(stretched);
}

void GlowLayer::draw(Gdiplus::GpGraphics* target, Gdiplus::GpFont* font, Gdiplus::GpStringFormat* format,
                     Gdiplus::GpBrush* glowBrush, std::u16string_view text, const Gdiplus::RectF& layout) {
  if (!target) return;
  Key key = keyFor(target, text, layout);
  std::lock_guard lock(mutex_);
  if (!key_ || !(*key_ == key)) render(font, format, glowBrush, key);
  if (!halo_) return;
  UINT width = 0, height = 0;
  gdip::GdipGetImageWidth(halo_.get(), &width);
  gdip::GdipGetImageHeight(halo_.get(), &height);
  const int x = static_cast<int>(std::floor(layout.X)), y = static_cast<int>(std::floor(layout.Y));
  gdip::GdipDrawImageRectRectI(target, halo_.get(), x, y, static_cast<INT>(width), static_cast<INT>(height), 0, 0,
                               static_cast<INT>(width), static_cast<INT>(height), Gdiplus::UnitPixel, nullptr, nullptr,
                               nullptr);
}

}  // namespace talvek
