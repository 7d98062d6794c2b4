#include "toolkit/core/ImageDecoder.h"

#include "toolkit/core/PngDecoder.h"

namespace talvek {
namespace {

using CreateMemStream = IStream*(WINAPI*)(const BYTE*, UINT);

// Windows XP's shlwapi exports the memory stream only by ordinal; importing
// it by name would keep the program from starting there.
CreateMemStream memStreamFactory() {
  static const CreateMemStream factory = [] {
    HMODULE shlwapi = LoadLibraryA("shlwapi.dll");
    return shlwapi ? reinterpret_cast<CreateMemStream>(
                         reinterpret_cast<void*>(GetProcAddress(shlwapi, MAKEINTRESOURCEA(12))))
                   : nullptr;
  }();
  return factory;
}

GdiplusBitmap decodeBySystem(ByteView bytes) {
  CreateMemStream createStream = memStreamFactory();
  if (bytes.empty() || !createStream) return {};
  ComStream stream(createStream(bytes.data(), static_cast<UINT>(bytes.size())));
  if (!stream) return {};
  GdiplusBitmap decoded;
  if (gdip::GdipCreateBitmapFromStream(stream.get(), decoded.put()) != Gdiplus::Ok) return {};
  return decoded;
}

}  // namespace

GdiplusBitmap decodeImage(ByteView bytes, std::optional<int> width, std::optional<int> height) {
  // The plain pictures are decoded here; the bitmap borrows `plain`'s pixels
  // until it is redrawn below.
  const std::optional<DecodedPng> plain = decodePng(bytes);
  GdiplusBitmap decoded;
  if (plain) {
    if (gdip::GdipCreateBitmapFromScan0(plain->width, plain->height, plain->width * 4, PixelFormat32bppARGB,
                                        const_cast<BYTE*>(plain->pixels.data()), decoded.put()) != Gdiplus::Ok) {
      return {};
    }
  } else {
    decoded = decodeBySystem(bytes);
    if (!decoded) return {};
  }

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
