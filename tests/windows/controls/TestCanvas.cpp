#include "tests/windows/controls/TestCanvas.h"

#include <algorithm>

#include "tests/windows/TestSupport.h"
#include "tests/windows/toolkit/ToolkitTestWindows.h"
#include "toolkit/core/CodePage.h"

namespace talvek::test {

TestCanvas::TestCanvas(int width, int height) : width_(width), height_(height) {
  startToolkitOnce();
  gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, bitmap_.put());
  if (bitmap_) gdip::GdipGetImageGraphicsContext(bitmap_.get(), graphics_.put());
  if (graphics_) gdip::GdipGraphicsClear(graphics_.get(), 0);
}

Gdiplus::ARGB TestCanvas::pixel(int x, int y) const {
  Gdiplus::ARGB color = 0;
  gdip::GdipBitmapGetPixel(bitmap_.get(), x, y, &color);
  return color;
}

int TestCanvas::count(const Rect& area, const std::function<bool(Gdiplus::ARGB)>& test) const {
  int found = 0;
  for (int y = std::max(0, area.y); y < std::min(height_, area.y + area.height); ++y) {
    for (int x = std::max(0, area.x); x < std::min(width_, area.x + area.width); ++x) {
      if (test(pixel(x, y))) ++found;
    }
  }
  return found;
}

int TestCanvas::inked() const {
  return count({0, 0, width_, height_}, [](Gdiplus::ARGB c) { return alphaOf(c) != 0; });
}

}  // namespace talvek::test

namespace talvek::test {

bool TestCanvas::savePng(const wchar_t* path) const {
  static const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  return gdip::GdipSaveImageToFile(bitmap_.get(), reinterpret_cast<const WCHAR*>(path), &kPngEncoder, nullptr) ==
         Gdiplus::Ok;
}

ByteBlock solidPng(Gdiplus::ARGB colour) {
  TestCanvas canvas(16, 16);
  gdip::GdipGraphicsClear(canvas.graphics(), colour);
  ScratchDir dir;
  const std::string path = dir.path() + "solid.png";
  if (!canvas.savePng(toWide(path).c_str())) return {};
  const std::string bytes = readFileBytes(path);
  return ByteBlock(bytes.begin(), bytes.end());
}

}  // namespace talvek::test
