// The larger drawings of the toolkit's pictures, kept beside the 1x image
// they belong to: everything keeps handling the 1x image, and only the
// painter looks here for a drawing that suits the display scale. Drawings
// are kept encoded and decoded the first time one is drawn, so a display
// at 100 % never pays for them. They go when their 1x image is disposed,
// or with detach.
#pragma once

#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

class PictureVariants {
 public:
  // The one table of the process (UI thread only, like all drawing).
  static PictureVariants& instance();

  // Keeps the encoded drawing as base's picture for scale (> 1), replacing
  // one attached for the same scale. Empty drawings and scales up to 1 are
  // ignored.
  void attach(Gdiplus::GpImage* base, double scale, ByteBlock encoded);
  // Disposes base's drawings.
  void detach(Gdiplus::GpImage* base);
  // Gives to's image copies of from's drawings (for a cloned control).
  void copy(Gdiplus::GpImage* from, Gdiplus::GpImage* to);

  // The scales base has drawings for, and the drawing for one of them,
  // decoded (null when there is none or its bytes are not an image).
  std::vector<double> scales(Gdiplus::GpImage* base) const;
  Gdiplus::GpImage* drawing(Gdiplus::GpImage* base, double scale);

 private:
  struct Drawing {
    double scale;
    ByteBlock encoded;
    GdiplusBitmap decoded;
    bool decodeTried = false;  // bytes that are no image are tried once
  };
  PictureVariants() = default;
  std::map<Gdiplus::GpImage*, std::vector<Drawing>> drawings_;
};

// Where a picture's larger drawings are kept: the encoded drawing whose name
// carries a scale's suffix (kLargerPictureScales), empty when there is none.
using LargerDrawings = std::function<ByteBlock(std::string_view suffix)>;

// The 1x picture decoded, with the larger drawings attached: the one place
// every picture of the skin and the installer gets them.
GdiplusBitmap decodePicture(ByteView base, const LargerDrawings& larger);

}  // namespace talvek
