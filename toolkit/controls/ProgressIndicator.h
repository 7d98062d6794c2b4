// A position between a minimum and a maximum, shown as a horizontal or
// vertical bar, a ring with the percentage in its centre, or a busy ring
// whose accents turn. Each look is rendered into a private cache that the
// paint hook copies into the control's surface, so the indicator fades and
// composes like any other control.
//
// The position may be set from another thread (the installation worker
// does): the value is stored atomically and handed to the control's own
// thread.
#pragma once

#include <atomic>
#include <optional>
#include <vector>

#include "toolkit/controls/Control.h"
#include "toolkit/controls/ProgressState.h"
#include "toolkit/core/TextStyle.h"

namespace talvek {

// What the caller of create may leave out; the names follow the creation
// arguments.
struct ProgressOptions {
  std::optional<float> maximum;  // 100
  std::optional<float> minimum;  // 0
  float position = 0;
  std::optional<Argb> color1;     // ARGB(254, 28, 187, 157)
  std::optional<Argb> color2;     // ARGB(254, 139, 140, 140)
  std::optional<Argb> backColor;  // ARGB(254, 232, 115, 82)
  Argb borderColor = 0;
  std::optional<TextStyleDescription> textStyle;  // the ring's percentage
  std::optional<int> look;                        // horizontal bar
  std::optional<int> visible;                     // shown
};

class ProgressIndicator final : public Control {
 public:
  void fillFacts(ControlFacts& facts) override;
  ~ProgressIndicator() override { unregister(); }

  int onEvent(int code, std::intptr_t arg1, std::intptr_t arg2) override;

  // Focusable, enabled, shown unless options.visible is 0. Only a busy ring
  // made so here spins, and only while it is shown. False when already
  // created or the parent is unknown.
  bool create(ControlRef parentRef, const Rect& area, const ProgressOptions& options = {});
  std::unique_ptr<Control> clone() const override;

  // Accessors: a given value is stored and drawn; the current value returns.
  // position may be called from any thread; from another one it returns
  // once the control's own thread has taken the value, so that thread must
  // not be waiting for the caller meanwhile. A changed position (and a
  // busy ring's turn) is drawn when a layered window next presents.
  float position(std::optional<float> value = std::nullopt);
  float maximum(std::optional<float> value = std::nullopt);
  float minimum(std::optional<float> value = std::nullopt);
  // Stores the look; draws it only when asked. A busy ring set here stays
  // still (no spin timer starts).
  int look(std::optional<int> value = std::nullopt, bool redrawNowToo = false);

  // Stored only: they show at the next redraw.
  void setColors(std::optional<Argb> color1, std::optional<Argb> color2, std::optional<Argb> backColor);
  void setTrackColor(Argb color) { state_.setTrackColor(color); }
  Argb color1() const { return state_.properties().colors[0]; }
  Argb color2() const { return state_.properties().colors[1]; }
  Argb backColor() const { return state_.properties().backColor; }
  Argb borderColor() const { return state_.properties().borderColor; }
  const SpinAngles& spin() const { return state_.spin(); }

  // Rebuilds the ring's percentage style when given; returns the
  // description of the current one.
  TextStyleDescription textStyle(std::optional<TextStyleDescription> description = std::nullopt);

  // Properties by name ("Max", "Min", "Pos", "Type", "Color [1]",
  // "Color [2]", "BkgColor", "BorderColor", "StringFormat"); unknown names
  // are skipped. Nothing is redrawn: the values show at the next redraw.
  void applyProperties(const std::vector<PropertyEntry>& list);
  std::vector<PropertyEntry> listProperties();

  // Renders looks 3 and 4 into the cache.
  void renderRing();
  void renderHorizontalBar();
  void renderVerticalBar();

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override;
  void onTimer(int key, int value) override;
  void onVisibilityChanged(int shown) override;
  void onDestroy() override;

 private:
  // The cache at the control's size, cleared (kept when the size holds).
  bool prepareCache();
  void renderLook();
  void renderLookAs(int drawnLook);
  // Takes the shared position into the state the painter reads.
  void takePosition();
  void positionChanged();

  ProgressState state_;
  // Written from any thread; the state's copy is refreshed on the UI thread.
  std::atomic<float> sharedPosition_{0.0f};
  MemoryCanvas cache_;
  // A busy ring made hidden, or hidden while turning, stops its timer until
  // it is shown again; a timer stopped by anyone else stays stopped.
  bool spinWaitsForShow_ = false;
  TextStyle ringTextStyle_;
  TextStyle barTextStyle_;
};

}  // namespace talvek
