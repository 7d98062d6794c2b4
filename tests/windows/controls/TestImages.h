// Pictures for the image-control tests, made in memory: GDI+ images to hand
// over, PNG bytes for the decoding paths, and a record of which images the
// program disposes.
#pragma once

#include <functional>
#include <vector>

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek::test {

// Colour of each pixel; 0 is transparent.
using PixelRule = std::function<Argb(int x, int y)>;

GdiplusImage makeImage(int width, int height, const PixelRule& rule);
GdiplusImage solidImage(int width, int height, Argb colour);
ByteBlock pngBytes(int width, int height, const PixelRule& rule);

// Records every image disposal while it lives.
class DisposalLog {
 public:
  DisposalLog();
  ~DisposalLog();
  DisposalLog(const DisposalLog&) = delete;
  DisposalLog& operator=(const DisposalLog&) = delete;

  // How often this image was disposed.
  int count(const Gdiplus::GpImage* image) const;
  std::size_t total() const { return disposed().size(); }
  // Whether `image` was disposed from the nth disposal (from 0) on, and not
  // twice in a row there. A freed address may come back for a later image
  // (a decoder's scratch copy, a redraw's), so counting over the whole log
  // can see one image's address disposed twice without any fault.
  bool disposedOnceSince(std::size_t n, const Gdiplus::GpImage* image) const;

 private:
  static std::vector<const Gdiplus::GpImage*>& disposed();
  static void record(Gdiplus::GpImage* image);
};

}  // namespace talvek::test
