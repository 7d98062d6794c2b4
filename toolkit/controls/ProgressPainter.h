// Paints the progress indicator's four looks into a graphics of the
// control's size: the two bars and the two rings with their percentage.
#pragma once

#include "toolkit/controls/ProgressModel.h"
#include "toolkit/core/TextStyle.h"

namespace talvek {

inline constexpr Argb kDefaultTrackColor = 0x19FFFFFF;  // ARGB(25, 255, 255, 255)

struct ProgressLookInput {
  const ProgressProperties& properties;
  Argb trackColor;  // busy ring; 0 takes the default
  SpinAngles spin;
  const TextStyle& ringTextStyle;
  const TextStyle& barTextStyle;
};

// Draws the look named in input.properties.values.look on a w × h area at
// the origin; an unknown look draws nothing.
void paintProgressLook(Gdiplus::GpGraphics* graphics, const ProgressLookInput& input, int width, int height);

}  // namespace talvek
