// Which of a picture's drawings suits a destination: the toolkit's pictures
// come drawn at 1x and again for larger display scales, and the painter
// takes the nearest and stretches only the rest of the way.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "toolkit/core/Rect.h"

namespace talvek {

// The larger display scales the pictures are drawn for, and the suffix a
// drawing's name carries after its 1x name: "关闭_正常@1.5x" in the skin
// database, "close_normal@1.5x.png" among the art files. 175 % shows the 2x
// drawing scaled down, 300 % the 2x scaled up. The art scripts' list
// (assets/drawing.py) must match. The skin database carries the drawings
// in this order after its own items: 1.5x first, where a reader that knew
// only those still finds them.
struct LargerPictureScale {
  double scale;
  std::string_view suffix;
};
inline constexpr std::array<LargerPictureScale, 3> kLargerPictureScales = {
    {{1.5, "@1.5x"}, {1.25, "@1.25x"}, {2.0, "@2x"}}};

// Device pixels per 1x pixel of the source shown. The smaller axis counts:
// a piece stretched along one side only (a nine-slice edge, a background)
// keeps its 1x pixels across the other, so it must not pick a larger
// drawing that would change them.
double deviceRatio(double destinationWidth, double destinationHeight, int sourceWidth, int sourceHeight);

// The drawing scale nearest to ratio among 1 and the larger scales a
// picture has (in any order); halfway between two, the larger, since
// shrinking a picture loses less than enlarging it. Below 1, and for a
// ratio that is not a number, the 1x picture.
double nearestPictureScale(double ratio, std::span<const double> larger);

// The part of a larger drawing that shows source, a part of the 1x
// picture: both edges scaled and rounded, so neighbouring parts still meet
// without a gap.
Rect scaledSourceRect(const Rect& source, int baseWidth, int baseHeight, int scaledWidth, int scaledHeight);

// Whether a drawing of the given pixel size shown over destination device
// pixels needs resampling; a whole-pixel match is copied as it is.
bool needsResampling(int shownWidth, int shownHeight, double destinationWidth, double destinationHeight);

}  // namespace talvek
