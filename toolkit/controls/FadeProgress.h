// The alpha arithmetic of a control's fade transitions: each tick adds the
// step percentage of 255 (truncated) until 255 is reached. ControlFade owns
// the timer and the surfaces; this owns the numbers.
#pragma once

namespace talvek {

inline constexpr int kDefaultFadeInterval = 10;  // ms
inline constexpr int kDefaultFadeStep = 10;      // percent per tick
// A label's new text and a panel's new colour both blend in over 22 ticks,
// of 5 ms and 1 ms.
inline constexpr int kLabelTextFadeIntervalMs = 5;
inline constexpr int kLabelTextFadeStep = 5;
inline constexpr int kPanelColorFadeIntervalMs = 1;
inline constexpr int kPanelColorFadeStep = 5;

// Interval and step as a fade uses them: non-positive values take the defaults.
int fadeInterval(int requestedMs);
int fadeStep(int requestedPercent);

class FadeProgress {
 public:
  // Starts from alpha 0 with the (normalised) step.
  void start(int stepPercent);
  // Fade-in tick: advances, then reports the alpha to show; true when
  // the fade is over with this frame.
  bool tickIn();
  // Fade-out tick: the frame is drawn with the current alpha (capped), then
  // the alpha advances; true when this frame was the last one.
  bool tickOut(int& frameAlpha);
  int alpha() const { return alpha_; }
  int step() const { return step_; }

 private:
  int increment() const;

  int alpha_ = 0;
  int step_ = kDefaultFadeStep;
};

}  // namespace talvek
