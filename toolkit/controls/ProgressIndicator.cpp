#include "toolkit/controls/ProgressIndicator.h"

#include "toolkit/controls/ControlFacts.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/controls/ProgressPainter.h"
#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/TextStyleFlags.h"

namespace talvek {
namespace {

// Handed to the control's own thread when another thread set the position.
constexpr int kPositionChangedEvent = control_event::kFirstPrivate;

constexpr int kRingTextFlags = 65;  // bold, centred
constexpr int kRingTextSize = 16;
constexpr int kBarTextFlags = 64;  // centred
constexpr Argb kBarTextColor = 0xFEFFFFFF;

}  // namespace

bool ProgressIndicator::create(ControlRef parentRef, const Rect& area, const ProgressOptions& options) {
  if (created()) return false;
  const int shown = options.visible.value_or(1) != 0 ? 1 : 0;
  if (!initControl(parentRef, area, u"", 1, shown, 0, 0)) return false;
  const bool spins = state_.create({options.maximum, options.minimum, options.position, options.color1, options.color2,
                                    options.backColor, options.borderColor, options.look});
  sharedPosition_.store(state_.position());
  spinWaitsForShow_ = false;
  if (spins && shown) {
    setTimer(kSpinTimerKey, kSpinTimerIntervalMs, 0);
  } else if (spins) {
    spinWaitsForShow_ = true;
  }
  ringTextStyle_ = TextStyle::build(
      options.textStyle.value_or(describeTextStyle(kRingTextFlags, std::nullopt, kRingTextSize, color1())));
  barTextStyle_ = TextStyle::build(describeTextStyle(kBarTextFlags, std::nullopt, std::nullopt, kBarTextColor));
  redraw();
  return true;
}

std::unique_ptr<Control> ProgressIndicator::clone() const {
  auto copy = std::make_unique<ProgressIndicator>();
  copyBaseInto(*copy);
  copy->state_ = state_;
  copy->sharedPosition_.store(sharedPosition_.load());
  // The cache is rendered afresh at every paint.
  if (ringTextStyle_.usable()) copy->ringTextStyle_ = TextStyle::build(ringTextStyle_.description());
  if (barTextStyle_.usable()) copy->barTextStyle_ = TextStyle::build(barTextStyle_.description());
  return copy;
}

float ProgressIndicator::position(std::optional<float> value) {
  if (value) {
    sharedPosition_.store(*value);
    positionChanged();
    announceAccessibleChange(EVENT_OBJECT_VALUECHANGE, window, handle);
  }
  return sharedPosition_.load();
}

void ProgressIndicator::positionChanged() {
  const ControlRef self = handle;
  if (self == 0) return;
  // Only the owner thread finds the control here; any other thread hands
  // the value over and waits for it to be taken (so the UI thread must not
  // be waiting for that thread meanwhile). The extraction reports far more
  // often than the window presents: the ring is drawn once per present, at
  // the latest value.
  if (controlReferences().control(self) == this) {
    takePosition();
    redrawAtPresent();
  } else {
    sendControlEvent(self, kPositionChangedEvent, 0, 0);
  }
}

int ProgressIndicator::onEvent(int code, std::intptr_t arg1, std::intptr_t arg2) {
  if (code != kPositionChangedEvent) return Control::onEvent(code, arg1, arg2);
  takePosition();
  redrawAtPresent();
  return 0;
}

void ProgressIndicator::takePosition() { state_.setPosition(sharedPosition_.load()); }

float ProgressIndicator::maximum(std::optional<float> value) {
  if (value) {
    state_.setMaximum(*value);
    redraw();
  }
  return state_.maximum();
}

float ProgressIndicator::minimum(std::optional<float> value) {
  if (value) {
    state_.setMinimum(*value);
    redraw();
  }
  return state_.minimum();
}

int ProgressIndicator::look(std::optional<int> value, bool redrawNowToo) {
  if (value) {
    state_.setLook(*value);
    if (redrawNowToo) redraw();
  }
  return state_.look();
}

void ProgressIndicator::setColors(std::optional<Argb> color1, std::optional<Argb> color2,
                                  std::optional<Argb> backColor) {
  state_.setColors(color1, color2, backColor);
}

TextStyleDescription ProgressIndicator::textStyle(std::optional<TextStyleDescription> description) {
  if (description) ringTextStyle_ = TextStyle::build(*description);
  return ringTextStyle_.description();
}

void ProgressIndicator::applyProperties(const std::vector<PropertyEntry>& list) {
  takePosition();
  if (std::optional<std::string> styleText = state_.applyProperties(list)) {
    ringTextStyle_ = TextStyle::build(descriptionFromStyleText(*styleText));
  }
  sharedPosition_.store(state_.position());
}

std::vector<PropertyEntry> ProgressIndicator::listProperties() {
  takePosition();
  return state_.listProperties(styleTextOf(ringTextStyle_.description()));
}

bool ProgressIndicator::prepareCache() {
  // A new canvas only when the size changed: the busy ring renders a
  // hundred times a second.
  const MemoryCanvas& shape = surface();
  if (!cache_ || cache_.width() != shape.width() || cache_.height() != shape.height() ||
      cache_.drawingWidth() != shape.drawingWidth() || cache_.drawingHeight() != shape.drawingHeight()) {
    cache_ = MemoryCanvas::like(shape);
  } else {
    cache_.clear();
  }
  return static_cast<bool>(cache_);
}

void ProgressIndicator::renderLook() {
  switch (state_.look()) {
    case kLookHorizontalBar: renderHorizontalBar(); break;
    case kLookVerticalBar: renderVerticalBar(); break;
    case kLookRing:
    case kLookBusyRing: renderRing(); break;
    default:
      // Any other look shows nothing.
      prepareCache();
      break;
  }
}

void ProgressIndicator::renderLookAs(int drawnLook) {
  if (!prepareCache()) return;
  ProgressProperties properties = state_.properties();
  properties.values.look = drawnLook;
  paintProgressLook(cache_.graphics(), {properties, state_.trackColor(), state_.spin(), ringTextStyle_, barTextStyle_},
                    cache_.drawingWidth(), cache_.drawingHeight());
  gdip::GdipFlush(cache_.graphics(), Gdiplus::FlushIntentionSync);
}

void ProgressIndicator::renderRing() { renderLookAs(state_.look() == kLookBusyRing ? kLookBusyRing : kLookRing); }
void ProgressIndicator::renderHorizontalBar() { renderLookAs(kLookHorizontalBar); }
void ProgressIndicator::renderVerticalBar() { renderLookAs(kLookVerticalBar); }

void ProgressIndicator::paint(Gdiplus::GpGraphics* graphics) {
  takePosition();
  renderLook();
  if (!graphics || !cache_) return;
  HDC target = nullptr;
  if (gdip::GdipGetDC(graphics, &target) != Gdiplus::Ok || !target) return;
  BitBlt(target, 0, 0, cache_.width(), cache_.height(), cache_.dc(), 0, 0, SRCCOPY);
  gdip::GdipReleaseDC(graphics, target);
}

void ProgressIndicator::onTimer(int key, int /*value*/) {
  if (key == kSpinTimerKey && !RoutedControl::visible) {
    // A hidden ring turns for no one, and its ticks would wake the idle
    // program a hundred times a second: it waits, still, to be shown.
    killTimer(kSpinTimerKey);
    spinWaitsForShow_ = true;
    return;
  }
  if (state_.onTimer(key)) redrawAtPresent();
}

void ProgressIndicator::onVisibilityChanged(int shown) {
  if (!shown || !spinWaitsForShow_) return;
  spinWaitsForShow_ = false;
  setTimer(kSpinTimerKey, kSpinTimerIntervalMs, 0);
}

void ProgressIndicator::onDestroy() {
  cache_ = MemoryCanvas();
  spinWaitsForShow_ = false;
  state_.destroy();
  sharedPosition_.store(0.0f);
  ringTextStyle_.free();
  barTextStyle_.free();
}

void ProgressIndicator::fillFacts(ControlFacts& facts) {
  facts.kind = ControlKind::kProgress;
  const float low = minimum();
  const float high = maximum();
  facts.percent = high > low ? (position() - low) * 100.0 / (high - low) : 0.0;
}

}  // namespace talvek
