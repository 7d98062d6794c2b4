#include "toolkit/core/PictureDrawing.h"

#include <cmath>

#include "toolkit/core/PictureScale.h"
#include "toolkit/core/PictureVariants.h"

namespace talvek {
namespace {

struct DeviceScale {
  double x = 1.0;
  double y = 1.0;
};

DeviceScale worldScale(Gdiplus::GpGraphics* graphics) {
  GdiplusObject<Gdiplus::GpMatrix, gdip::GdipDeleteMatrix> matrix;
  Gdiplus::REAL m[6] = {1, 0, 0, 1, 0, 0};
  if (gdip::GdipCreateMatrix(matrix.put()) != Gdiplus::Ok ||
      gdip::GdipGetWorldTransform(graphics, matrix.get()) != Gdiplus::Ok ||
      gdip::GdipGetMatrixElements(matrix.get(), m) != Gdiplus::Ok) {
    return {};
  }
  return {std::hypot(m[0], m[1]), std::hypot(m[2], m[3])};
}

Rect imageBounds(Gdiplus::GpImage* image) {
  UINT width = 0;
  UINT height = 0;
  gdip::GdipGetImageWidth(image, &width);
  gdip::GdipGetImageHeight(image, &height);
  return {0, 0, static_cast<int>(width), static_cast<int>(height)};
}

// The drawing that suits destination and the part of it that shows
// source; the image itself (and source) when none suits better.
struct Choice {
  Gdiplus::GpImage* image;
  Rect source;
  bool resample;
};

Choice choose(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const Rect& destination, const Rect& source) {
  PictureVariants& variants = PictureVariants::instance();
  const std::vector<double> scales = variants.scales(image);
  if (scales.empty()) return {image, source, false};
  const DeviceScale world = worldScale(graphics);
  const double deviceWidth = destination.width * world.x;
  const double deviceHeight = destination.height * world.y;
  const double scale = nearestPictureScale(deviceRatio(deviceWidth, deviceHeight, source.width, source.height), scales);
  Gdiplus::GpImage* drawing = scale > 1.0 ? variants.drawing(image, scale) : nullptr;
  // Our own pictures are drawn at their size at 100 %; off it they are
  // being scaled for the display, and get the smooth interpolation too.
  if (!drawing) return {image, source, needsResampling(source.width, source.height, deviceWidth, deviceHeight)};
  const Rect base = imageBounds(image);
  const Rect size = imageBounds(drawing);
  const Rect part = scaledSourceRect(source, base.width, base.height, size.width, size.height);
  return {drawing, part, needsResampling(part.width, part.height, deviceWidth, deviceHeight)};
}

// Sets high-quality interpolation for its lifetime, then puts back the mode
// the caller had.
class HighQualityInterpolation {
 public:
  HighQualityInterpolation(Gdiplus::GpGraphics* graphics, bool wanted) : graphics_(wanted ? graphics : nullptr) {
    if (!graphics_ || gdip::GdipGetInterpolationMode(graphics_, &previous_) != Gdiplus::Ok) {
      graphics_ = nullptr;
      return;
    }
    gdip::GdipSetInterpolationMode(graphics_, Gdiplus::InterpolationModeHighQualityBicubic);
  }
  ~HighQualityInterpolation() {
    if (graphics_) gdip::GdipSetInterpolationMode(graphics_, previous_);
  }
  HighQualityInterpolation(const HighQualityInterpolation&) = delete;
  HighQualityInterpolation& operator=(const HighQualityInterpolation&) = delete;

 private:
  Gdiplus::GpGraphics* graphics_;
  Gdiplus::InterpolationMode previous_ = Gdiplus::InterpolationModeDefault;
};

}  // namespace

Gdiplus::GpStatus drawPicture(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const Rect& destination) {
  if (!graphics || !image) return Gdiplus::InvalidParameter;
  const Choice choice = choose(graphics, image, destination, imageBounds(image));
  const HighQualityInterpolation interpolation(graphics, choice.resample);
  return gdip::GdipDrawImageRectI(graphics, choice.image, destination.x, destination.y, destination.width,
                                  destination.height);
}

Gdiplus::GpStatus drawPicturePart(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const Rect& destination,
                                  const Rect& source, Gdiplus::GpImageAttributes* attributes) {
  if (!graphics || !image) return Gdiplus::InvalidParameter;
  const Choice choice = choose(graphics, image, destination, source);
  const HighQualityInterpolation interpolation(graphics, choice.resample);
  const Rect& s = choice.source;
  return gdip::GdipDrawImageRectRectI(graphics, choice.image, destination.x, destination.y, destination.width,
                                      destination.height, s.x, s.y, s.width, s.height, Gdiplus::UnitPixel, attributes,
                                      nullptr, nullptr);
}

}  // namespace talvek
