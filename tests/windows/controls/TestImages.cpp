#include "tests/windows/controls/TestImages.h"

#include <algorithm>

namespace talvek::test {

GdiplusImage makeImage(int width, int height, const PixelRule& rule) {
  GdiplusBitmap bitmap;
  if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, bitmap.put()) != Gdiplus::Ok) {
    return {};
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) gdip::GdipBitmapSetPixel(bitmap.get(), x, y, rule(x, y));
  }
  return toImage(std::move(bitmap));
}

GdiplusImage solidImage(int width, int height, Argb colour) {
  return makeImage(width, height, [colour](int, int) { return colour; });
}

ByteBlock pngBytes(int width, int height, const PixelRule& rule) {
  static const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  const GdiplusImage image = makeImage(width, height, rule);
  IStream* raw = nullptr;
  if (!image || CreateStreamOnHGlobal(nullptr, TRUE, &raw) != S_OK) return {};
  ComStream stream(raw);
  if (gdip::GdipSaveImageToStream(image.get(), stream.get(), &kPngEncoder, nullptr) != Gdiplus::Ok) return {};
  STATSTG stat{};
  stream.get()->Stat(&stat, STATFLAG_NONAME);
  ByteBlock bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
  LARGE_INTEGER start{};
  stream.get()->Seek(start, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  stream.get()->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  bytes.resize(read);
  return bytes;
}

DisposalLog::DisposalLog() {
  disposed().clear();
  imageDisposalObserver() = &DisposalLog::record;
}

DisposalLog::~DisposalLog() { imageDisposalObserver() = nullptr; }

int DisposalLog::count(const Gdiplus::GpImage* image) const {
  return static_cast<int>(std::count(disposed().begin(), disposed().end(), image));
}

bool DisposalLog::disposedOnceSince(std::size_t n, const Gdiplus::GpImage* image) const {
  const auto& log = disposed();
  if (n >= log.size()) return false;
  const auto found = std::find(log.begin() + static_cast<std::ptrdiff_t>(n), log.end(), image);
  return found != log.end() && (found + 1 == log.end() || *(found + 1) != image);
}

std::vector<const Gdiplus::GpImage*>& DisposalLog::disposed() {
  static std::vector<const Gdiplus::GpImage*> log;
  return log;
}

void DisposalLog::record(Gdiplus::GpImage* image) { disposed().push_back(image); }

}  // namespace talvek::test
