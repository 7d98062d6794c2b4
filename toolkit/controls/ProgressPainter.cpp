#include "toolkit/controls/ProgressPainter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "toolkit/controls/DrawingHelpers.h"
#include "toolkit/core/StyledText.h"

namespace talvek {
namespace {

constexpr Argb kShade = 0x14000000;  // ARGB(20, 0, 0, 0)
constexpr Argb kHalo = 0x14FFFFFF;   // ARGB(20, 255, 255, 255)

std::u16string percentLabel(float position) {
  std::string narrow = percentText(position);
  return std::u16string(narrow.begin(), narrow.end());  // digits, sign, point and '%' only
}

Argb colorOf(RingColor role, const ProgressLookInput& input) {
  switch (role) {
    case RingColor::kProgress: return input.properties.colors[0];
    case RingColor::kSecondary: return input.properties.colors[1];
    case RingColor::kTrack: return input.trackColor ? input.trackColor : kDefaultTrackColor;
    case RingColor::kShade: return kShade;
    case RingColor::kHalo: return kHalo;
  }
  return 0;
}

// 64-bit Wine's GDI+, under which the 64-bit build's tests run, recurses
// without end flattening some arcs that end exactly on a quarter turn. A
// thousandth of a degree less draws the same pixels; the shipped 32-bit
// build draws the arc as asked.
float drawableSweep(float start, float sweep) {
#if defined(__x86_64__)
  if (std::fmod(start + sweep, 90.0f) == 0.0f) return sweep > 0.0f ? sweep - 0.001f : sweep + 0.001f;
#else
  (void)start;
#endif
  return sweep;
}

void paintRing(Gdiplus::GpGraphics* graphics, const ProgressLookInput& input, int width, int height) {
  gdip::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeHighQuality);
  const ProgressValues& values = input.properties.values;
  for (const RingShape& shape : ringShapes(values.look, width, height, values.position, input.spin)) {
    Argb color = colorOf(shape.color, input);
    if (shape.kind == RingShape::kPie) {
      Gdiplus::GpSolidFill* fill = nullptr;
      if (gdip::GdipCreateSolidFill(color, &fill) != Gdiplus::Ok) continue;
      GdiplusBrush brush(fill);
      gdip::GdipFillPie(graphics, brush.get(), shape.x, shape.y, shape.width, shape.height, shape.startAngle,
                        shape.sweepAngle);
    } else {
      GdiplusPen pen;
      if (gdip::GdipCreatePen1(color, shape.penWidth, Gdiplus::UnitPixel, pen.put()) != Gdiplus::Ok) continue;
      gdip::GdipDrawArc(graphics, pen.get(), shape.x, shape.y, shape.width, shape.height, shape.startAngle,
                        drawableSweep(shape.startAngle, shape.sweepAngle));
    }
  }
  drawStyledText(graphics, input.ringTextStyle, percentLabel(values.position),
                 Gdiplus::RectF(0, 0, static_cast<float>(width), static_cast<float>(height + 1)), true);
}

// The filled part runs left to right (horizontal) or bottom to top
// (vertical), shaded from the first colour to the second.
void paintBar(Gdiplus::GpGraphics* graphics, const ProgressLookInput& input, int width, int height, bool vertical) {
  const ProgressProperties& p = input.properties;
  fillRect(graphics, p.backColor, 0, 0, width, height);
  const int filled = barFill(p.values, vertical ? height : width);
  if (filled > 0) {
    Gdiplus::Rect area =
        vertical ? Gdiplus::Rect(0, height - filled, width, filled) : Gdiplus::Rect(0, 0, filled, height);
    Gdiplus::Point from = vertical ? Gdiplus::Point(0, height) : Gdiplus::Point(0, 0);
    Gdiplus::Point to = vertical ? Gdiplus::Point(0, height - filled - 1) : Gdiplus::Point(filled + 1, 0);
    Gdiplus::GpLineGradient* gradient = nullptr;
    if (gdip::GdipCreateLineBrushI(&from, &to, p.colors[0], p.colors[1], Gdiplus::WrapModeTileFlipXY, &gradient) ==
        Gdiplus::Ok) {
      GdiplusBrush brush(gradient);
      gdip::GdipFillRectangleI(graphics, brush.get(), area.X, area.Y, area.Width, area.Height);
    }
  }
  Gdiplus::RectF textArea(1, 1, static_cast<float>(width - 2), static_cast<float>(height - 2));
  if (vertical) {
    // A band one line high centred on the filled edge, kept inside the bar.
    const float band = static_cast<float>(std::max(input.barTextStyle.description().fontSize * 2, 1));
    const float edge = static_cast<float>(height - filled);
    textArea.Y = std::clamp(edge - band / 2, 0.0f, std::max(0.0f, static_cast<float>(height) - band));
    textArea.Height = band;
  }
  drawStyledText(graphics, input.barTextStyle, percentLabel(p.values.position), textArea, true);
}

}  // namespace

void paintProgressLook(Gdiplus::GpGraphics* graphics, const ProgressLookInput& input, int width, int height) {
  if (!graphics || width <= 0 || height <= 0) return;
  switch (input.properties.values.look) {
    case kLookHorizontalBar: paintBar(graphics, input, width, height, false); break;
    case kLookVerticalBar: paintBar(graphics, input, width, height, true); break;
    case kLookRing:
    case kLookBusyRing: paintRing(graphics, input, width, height); break;
    default: break;
  }
}

}  // namespace talvek
