// The progress indicator's state apart from drawing: creation defaults,
// position, look, colours, the busy ring's spin timer and the property list.
// The control owns the timer and calls in here to know when to start, stop
// and redraw.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/controls/ProgressModel.h"
#include "toolkit/core/PropertyText.h"

namespace talvek {

inline constexpr Argb kProgressColor = 0xFE1CBB9D;    // ARGB(254, 28, 187, 157)
inline constexpr Argb kSecondaryColor = 0xFE8B8C8C;   // ARGB(254, 139, 140, 140)
inline constexpr Argb kBarBackColor = 0xFEE87352;     // ARGB(254, 232, 115, 82)

struct ProgressCreation {
  std::optional<float> maximum;
  std::optional<float> minimum;
  float position = 0;
  std::optional<Argb> color1;
  std::optional<Argb> color2;
  std::optional<Argb> backColor;
  Argb borderColor = 0;
  std::optional<int> look;
};

class ProgressState {
 public:
  // True when the spin timer (kSpinTimerKey, kSpinTimerIntervalMs) must
  // start: only a busy ring made so at creation spins.
  bool create(const ProgressCreation& creation);
  // Frees nothing the control holds; resets the values as destruction does.
  void destroy();

  const ProgressProperties& properties() const { return properties_; }
  float position() const { return properties_.values.position; }
  void setPosition(float position) { properties_.values.position = position; }
  float maximum() const { return properties_.values.maximum; }
  void setMaximum(float maximum) { properties_.values.maximum = maximum; }
  float minimum() const { return properties_.values.minimum; }
  void setMinimum(float minimum) { properties_.values.minimum = minimum; }
  int look() const { return properties_.values.look; }
  // Changing the look starts no timer.
  void setLook(int look) { properties_.values.look = look; }
  void setColors(std::optional<Argb> color1, std::optional<Argb> color2, std::optional<Argb> backColor);
  Argb trackColor() const { return trackColor_; }
  void setTrackColor(Argb color) { trackColor_ = color; }
  const SpinAngles& spin() const { return spin_; }

  // A timer tick; true when the control should redraw.
  bool onTimer(int key);

  // Applies the known names; returns the "StringFormat" text when one was
  // given, for the control to rebuild its ring text style.
  std::optional<std::string> applyProperties(const std::vector<PropertyEntry>& list);
  // The properties in table order with their labels and current values;
  // styleText is the current ring text style as text.
  std::vector<PropertyEntry> listProperties(const std::string& styleText) const;

 private:
  ProgressProperties properties_;
  Argb trackColor_ = 0;
  SpinAngles spin_;
};

}  // namespace talvek
