#include "toolkit/core/MemoryCanvas.h"

#include <cstring>
#include <utility>

namespace talvek {

MemoryCanvas::MemoryCanvas(int width, int height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  static_assert(sizeof(BITMAPINFOHEADER) == 40);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc || !bits) return;
  previousBitmap_ = SelectObject(dc.get(), bitmap.get());
  bitmap_ = std::move(bitmap);
  dc_ = std::move(dc);
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = drawingWidth_ = width;
  height_ = drawingHeight_ = height;
  gdip::GdipCreateFromHDC(dc_.get(), graphics_.put());
  blank_ = true;
}

MemoryCanvas MemoryCanvas::like(const MemoryCanvas& other) {
  MemoryCanvas canvas(other.width_, other.height_);
  canvas.setDrawingSize(other.drawingWidth_, other.drawingHeight_);
  return canvas;
}

void MemoryCanvas::setDrawingSize(int width, int height) {
  if (!graphics_ || width <= 0 || height <= 0) return;
  drawingWidth_ = width;
  drawingHeight_ = height;
  // At 100 % no transform is set at all: every pixel stays as it was.
  gdip::GdipResetWorldTransform(graphics_.get());
  if (width != width_ || height != height_) {
    gdip::GdipScaleWorldTransform(graphics_.get(), static_cast<Gdiplus::REAL>(width_) / width,
                                  static_cast<Gdiplus::REAL>(height_) / height, Gdiplus::MatrixOrderPrepend);
  }
}

Rect MemoryCanvas::pixelRect(const Rect& drawing) const {
  if (drawingWidth_ == width_ && drawingHeight_ == height_) return drawing;
  const auto scaleDown = [](std::int64_t v, int pixels, int units) { return v * pixels / units; };
  const auto scaleUp = [](std::int64_t v, int pixels, int units) { return (v * pixels + units - 1) / units; };
  const std::int64_t left = scaleDown(drawing.x, width_, drawingWidth_);
  const std::int64_t top = scaleDown(drawing.y, height_, drawingHeight_);
  const std::int64_t right = scaleUp(std::int64_t{drawing.x} + drawing.width, width_, drawingWidth_);
  const std::int64_t bottom = scaleUp(std::int64_t{drawing.y} + drawing.height, height_, drawingHeight_);
  return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), static_cast<std::int32_t>(right - left),
          static_cast<std::int32_t>(bottom - top)};
}

MemoryCanvas::~MemoryCanvas() { release(); }

MemoryCanvas::MemoryCanvas(MemoryCanvas&& other) noexcept { *this = std::move(other); }

MemoryCanvas& MemoryCanvas::operator=(MemoryCanvas&& other) noexcept {
  if (this == &other) return *this;
  release();
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  drawingWidth_ = std::exchange(other.drawingWidth_, 0);
  drawingHeight_ = std::exchange(other.drawingHeight_, 0);
  bits_ = std::exchange(other.bits_, nullptr);
  blank_ = std::exchange(other.blank_, false);
  bitmap_ = std::move(other.bitmap_);
  dc_ = std::move(other.dc_);
  previousBitmap_ = std::exchange(other.previousBitmap_, nullptr);
  graphics_ = std::move(other.graphics_);
  return *this;
}

void MemoryCanvas::release() {
  // Graphics first, then the bitmap goes back out of the DC before either
  // is deleted.
  graphics_.reset();
  if (dc_ && previousBitmap_) SelectObject(dc_.get(), previousBitmap_);
  previousBitmap_ = nullptr;
  dc_.reset();
  bitmap_.reset();
  bits_ = nullptr;
  blank_ = false;
  width_ = height_ = drawingWidth_ = drawingHeight_ = 0;
}

Argb MemoryCanvas::pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  return bits_[static_cast<size_t>(height_ - 1 - y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

ShownPicture::Pixels MemoryCanvas::pixels() const {
  if (!bits_) return {};
  const std::ptrdiff_t width = width_;
  return {bits_ + (height_ - 1) * width, -width, width_, height_};
}

void MemoryCanvas::clear() {
  // Not marked blank afterwards: a DC handed out earlier may still draw.
  if (!bits_ || blank_) return;
  GdiFlush();
  std::memset(bits_, 0, static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
}

std::uint32_t* MemoryCanvas::rowsEndingAt(int y, int count) const {
  return bits_ + static_cast<size_t>(height_ - y - count) * static_cast<size_t>(width_);
}

bool MemoryCanvas::copyRows(const MemoryCanvas& source, int sourceY, int targetY, int count) {
  if (!bits_ || !source.bits_ || source.width_ != width_ || count < 0 || sourceY < 0 || targetY < 0 ||
      sourceY > source.height_ - count || targetY > height_ - count) {
    return false;
  }
  GdiFlush();
  blank_ = false;
  // memmove: a canvas may copy onto its own rows.
  std::memmove(rowsEndingAt(targetY, count), source.rowsEndingAt(sourceY, count),
               static_cast<size_t>(count) * static_cast<size_t>(width_) * 4);
  return true;
}

bool MemoryCanvas::rowsAlike(int from, int to) const {
  if (!bits_ || from < 0 || to > height_ || from >= to) return false;
  GdiFlush();
  const size_t rowBytes = static_cast<size_t>(width_) * 4;
  const std::uint32_t* first = rowsEndingAt(from, 1);
  for (int y = from + 1; y < to; ++y) {
    if (std::memcmp(rowsEndingAt(y, 1), first, rowBytes) != 0) return false;
  }
  return true;
}

}  // namespace talvek
