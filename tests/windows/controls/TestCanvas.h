// A 32-bit ARGB GDI+ bitmap to draw on and read back pixel by pixel, for
// the drawing tests of the controls. Starts the toolkit (GDI+, fonts and
// text defaults) on first use.
#pragma once

#include <functional>

#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/Rect.h"

namespace talvek::test {

class TestCanvas {
 public:
  TestCanvas(int width, int height);

  Gdiplus::GpGraphics* graphics() const { return graphics_.get(); }
  Gdiplus::ARGB pixel(int x, int y) const;
  // Pixels inside `area` for which `test` holds.
  int count(const Rect& area, const std::function<bool(Gdiplus::ARGB)>& test) const;
  // Pixels of the whole canvas with any alpha.
  int inked() const;
  // Writes the canvas as a PNG, for looking at a failing picture.
  bool savePng(const wchar_t* path) const;

 private:
  int width_;
  int height_;
  GdiplusBitmap bitmap_;
  GdiplusGraphics graphics_;
};

// The PNG file bytes of a 16 x 16 picture in one colour.
ByteBlock solidPng(Gdiplus::ARGB colour);

inline int alphaOf(Gdiplus::ARGB c) { return static_cast<int>(c >> 24); }
inline int redOf(Gdiplus::ARGB c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int greenOf(Gdiplus::ARGB c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int blueOf(Gdiplus::ARGB c) { return static_cast<int>(c & 0xFF); }

}  // namespace talvek::test
