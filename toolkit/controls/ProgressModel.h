// What the progress indicator shows, apart from the drawing calls: its
// values and look, the percentage text, the ring's arcs and circles, the
// filled part of a bar, the busy ring's spin and the properties by name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/ArgbColor.h"

namespace talvek {

enum ProgressLook : int {
  kLookHorizontalBar = 1,
  kLookVerticalBar = 2,
  kLookRing = 3,
  kLookBusyRing = 4,
};

inline constexpr int kSpinTimerKey = 11200;
inline constexpr int kSpinTimerIntervalMs = 10;

struct ProgressValues {
  float position = 0.0f;
  float maximum = 100.0f;
  float minimum = 0.0f;
  int look = kLookHorizontalBar;
};

// Values as creation sets them: the minimum is the smallest of the maximum,
// minimum and position given; omitted ones take 100, 0 and look 1.
ProgressValues creationValues(std::optional<float> maximum, std::optional<float> minimum, float position,
                              std::optional<int> look);

// The position as decimal text followed by "%": an integral value without a
// fraction, others with up to two decimals; not-a-number shows as "0%".
std::string percentText(float position);

// Degrees of the progress arc: position / 100 × 360, whatever the maximum.
float ringSweep(float position);

enum class RingColor { kProgress, kSecondary, kTrack, kShade, kHalo };

// One drawing step of a ring look, in the order they are drawn.
struct RingShape {
  enum Kind { kPie, kArc } kind;
  float x, y, width, height;
  float startAngle, sweepAngle;
  float penWidth;  // 0 for the pie (filled)
  RingColor color;
};

struct SpinAngles {
  int outer = 0;  // spinAngle1
  int inner = 0;  // spinAngle2
  // One tick of the busy ring: +5° outer, +10° inner, 360 wraps to 0.
  void advance();
};

// The shapes of look 3 or 4 on a w × h control. A zero sweep draws no arc.
std::vector<RingShape> ringShapes(int look, int width, int height, float position, const SpinAngles& spin);

// Pixels of `length` filled for the position between minimum and maximum;
// a reversed or empty range fills nothing, a position outside fills 0 or all.
int barFill(const ProgressValues& values, int length);

// Everything the property list can set.
struct ProgressProperties {
  ProgressValues values;
  Argb colors[2] = {0, 0};
  Argb backColor = 0;
  Argb borderColor = 0;
};

// Sets the property `name` (exact match) from its text. "StringFormat"
// hands its text back through styleText for the caller to rebuild the
// style. False for an unrecognised name, which changes nothing.
bool applyProgressProperty(ProgressProperties& properties, std::string_view name, std::string_view value,
                           std::optional<std::string>& styleText);

}  // namespace talvek
