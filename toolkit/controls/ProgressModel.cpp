#include "toolkit/controls/ProgressModel.h"

#include "toolkit/core/NumberText.h"
#include "toolkit/core/PropertyText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace talvek {

ProgressValues creationValues(std::optional<float> maximum, std::optional<float> minimum, float position,
                              std::optional<int> look) {
  ProgressValues values;
  values.maximum = maximum.value_or(100.0f);
  values.minimum = std::min({values.maximum, minimum.value_or(0.0f), position});
  values.position = position;
  values.look = look.value_or(kLookHorizontalBar);
  return values;
}

std::string percentText(float position) {
  if (std::isnan(position)) return "0%";
  if (std::isinf(position) || std::fabs(position) >= 1e15f || position == std::trunc(position)) {
    return fixedText(position, 0) + "%";
  }
  return trimmedFixedText(position, 2) + "%";
}

float ringSweep(float position) { return position / 100.0f * 360.0f; }

void SpinAngles::advance() {
  outer += 5;
  inner += 10;
  if (outer >= 360) outer -= 360;
  if (inner >= 360) inner -= 360;
}

std::vector<RingShape> ringShapes(int look, int width, int height, float position, const SpinAngles& spin) {
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  const float sweep = ringSweep(position);
  const bool ring = look == kLookRing;
  std::vector<RingShape> shapes;
  // On a control too small for a circle its box would have a negative
  // size, which GDI+ draws mirrored or refuses: such a circle is left out.
  auto fits = [&](float shrink) { return w - shrink > 0.0f && h - shrink > 0.0f; };
  auto arc = [&](float inset, float shrink, float start, float angle, float pen, RingColor color) {
    if (angle != 0.0f && fits(shrink)) {
      shapes.push_back({RingShape::kArc, inset, inset, w - shrink, h - shrink, start, angle, pen, color});
    }
  };
  if (ring && fits(1)) shapes.push_back({RingShape::kPie, 0, 0, w - 1, h - 1, 90, 360, 0, RingColor::kShade});
  if (!ring) arc(20, 41, 0, 360, 20, RingColor::kTrack);
  arc(20, 41, -90, sweep, 20, RingColor::kProgress);
  if (ring) {
    arc(15, 31, 90, sweep, 6, RingColor::kSecondary);
    arc(5, 11, 0, 360, 1, RingColor::kProgress);
    arc(20, 41, 0, 360, 1, RingColor::kProgress);
  } else {
    arc(0, 1, static_cast<float>(spin.outer), 50, 1, RingColor::kSecondary);
    arc(0, 1, static_cast<float>(spin.outer + 180), 50, 1, RingColor::kSecondary);
    arc(75, 155, 0, 360, 40, RingColor::kHalo);
    arc(60, 124, static_cast<float>(spin.inner), 20, 1, RingColor::kSecondary);
  }
  return shapes;
}

int barFill(const ProgressValues& values, int length) {
  float range = values.maximum - values.minimum;
  if (!(range > 0.0f) || length <= 0) return 0;
  float share = (values.position - values.minimum) / range;
  if (!(share > 0.0f)) return 0;
  if (share >= 1.0f) return length;
  return static_cast<int>(share * static_cast<float>(length));
}

bool applyProgressProperty(ProgressProperties& properties, std::string_view name, std::string_view value,
                           std::optional<std::string>& styleText) {
  // Clamped first: converting an out-of-range number is undefined.
  auto number = [&] { return static_cast<float>(std::clamp(propertyNumber(value), -1e30, 1e30)); };
  ProgressValues& v = properties.values;
  if (name == "Max") v.maximum = number();
  else if (name == "Min") v.minimum = number();
  else if (name == "Pos") v.position = number();
  else if (name == "Type") v.look = static_cast<int>(std::clamp(propertyNumber(value), -1e9, 1e9));
  else if (name == "Color [1]") properties.colors[0] = propertyColor(value);
  else if (name == "Color [2]") properties.colors[1] = propertyColor(value);
  else if (name == "BkgColor") properties.backColor = propertyColor(value);
  else if (name == "BorderColor") properties.borderColor = propertyColor(value);
  else if (name == "StringFormat") styleText = std::string(value);
  else return false;
  return true;
}

}  // namespace talvek
