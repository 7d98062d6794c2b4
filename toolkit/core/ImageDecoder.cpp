#include "toolkit/core/ImageDecoder.h"

#include <shlwapi.h>

namespace talvek {

GdiplusBitmap decodeImage(ByteView bytes, std::optional<int> width, std::optional<int> height) {
  if (bytes.empty()) return {};
  ComStream stream(SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
  if (!stream) return {};
  GdiplusBitmap decoded;
  if (gdip::GdipCreateBitmapFromStream(stream.get(), decoded.put()) != Gdiplus::Ok) return {};

  UINT naturalWidth = 0;
  UINT naturalHeight = 0;
  gdip::GdipGetImageWidth(decoded.get(), &naturalWidth);
  gdip::GdipGetImageHeight(decoded.get(), &naturalHeight);
  INT targetWidth = width.value_or(static_cast<INT>(naturalWidth));
  INT targetHeight = height.value_or(static_cast<INT>(naturalHeight));

  GdiplusBitmap target;
  if (gdip::GdipCreateBitmapFromScan0(targetWidth, targetHeight, 0, PixelFormat32bppARGB, nullptr, target.put()) !=
      Gdiplus::Ok) {
    return {};
  }
  GdiplusGraphics graphics;
  if (gdip::GdipGetImageGraphicsContext(target.get(), graphics.put()) != Gdiplus::Ok) return {};
  gdip::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
  gdip::GdipDrawImageRectI(graphics.get(), decoded.get(), 0, 0, targetWidth, targetHeight);
  return target;
}

}  // namespace talvek
