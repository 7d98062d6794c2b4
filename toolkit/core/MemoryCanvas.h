// An off-screen 32-bit canvas: a bottom-up DIB section selected into its
// own memory DC, with a GDI+ graphics object on that DC. Forms draw their
// frame and controls into one and present it; the animation player keeps
// its snapshot in one.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/Rect.h"
#include "toolkit/core/ShownPicture.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class MemoryCanvas {
 public:
  MemoryCanvas() = default;
  // An empty canvas when either side is not positive or GDI refuses.
  MemoryCanvas(int width, int height);
  ~MemoryCanvas();
  MemoryCanvas(MemoryCanvas&& other) noexcept;
  MemoryCanvas& operator=(MemoryCanvas&& other) noexcept;
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  // The same pixel size and drawing size as another canvas.
  static MemoryCanvas like(const MemoryCanvas& other);

  explicit operator bool() const { return dc_.get() != nullptr; }
  // Whoever is handed the DC or the graphics may draw: the canvas counts
  // as drawn on from then.
  HDC dc() const {
    blank_ = false;
    return dc_.get();
  }
  Gdiplus::GpGraphics* graphics() const {
    blank_ = false;
    return graphics_.get();
  }
  // The same DC, only to copy or blend from.
  HDC sourceDc() const { return dc_.get(); }
  // Pixels, for GDI and everything that copies pixels.
  int width() const { return width_; }
  int height() const { return height_; }
  // What the graphics object draws in: 96-dpi units of a scaled display,
  // stretched over the whole canvas. The pixel size until set.
  void setDrawingSize(int width, int height);
  int drawingWidth() const { return drawingWidth_; }
  int drawingHeight() const { return drawingHeight_; }
  // The pixels a rectangle in drawing units covers, edges rounded outwards.
  Rect pixelRect(const Rect& drawing) const;

  // Premultiplied 0xAARRGGBB as stored; 0 outside the canvas.
  Argb pixel(int x, int y) const;
  // Every pixel transparent black, also outside any clip region. A canvas
  // nothing was drawn on is clear already: a new DIB's memory comes zeroed.
  void clear();
  // The pixels row by row from the top, as stored (GdiFlush first): the
  // DIB is bottom-up, so the step to the next row is negative. An empty
  // canvas has no pixels.
  ShownPicture::Pixels pixels() const;
  // Copies rows [sourceY, sourceY + count) of a canvas of the same width to
  // rows from targetY on, past any clip region; false (nothing copied) when
  // a row lies outside either canvas.
  bool copyRows(const MemoryCanvas& source, int sourceY, int targetY, int count);
  // Whether rows [from, to) hold the same pixels; false outside the canvas.
  bool rowsAlike(int from, int to) const;

 private:
  void release();
  // The first of `count` rows that end at row y, top-down (the DIB is
  // bottom-up, so row y + count - 1 comes first in memory).
  std::uint32_t* rowsEndingAt(int y, int count) const;

  int width_ = 0;
  int height_ = 0;
  int drawingWidth_ = 0;
  int drawingHeight_ = 0;
  std::uint32_t* bits_ = nullptr;  // top row last: the DIB is bottom-up
  Bitmap bitmap_;
  MemoryDc dc_;
  HGDIOBJ previousBitmap_ = nullptr;
  GdiplusGraphics graphics_;
  mutable bool blank_ = false;
};

}  // namespace talvek
