#include "toolkit/core/CaptionButtonSet.h"

#include <algorithm>
#include <utility>

#include "toolkit/core/BorderZones.h"

namespace talvek {

void CaptionButtonSet::rebuild(int styleFlags) {
  clear();
  if (!(styleFlags & form_style::kCaptionButtons)) return;
  const std::pair<int, int> wanted[] = {
      {form_style::kCaptionButtons, caption::kClose}, {form_style::kMaximiseButton, caption::kMaximise},
      {form_style::kMinimiseButton, caption::kMinimise}, {form_style::kMenuButton, caption::kMenu},
      {form_style::kHelpButton, caption::kHelp},         {form_style::kSkinButton, caption::kSkin},
  };
  for (auto [flag, type] : wanted) {
    if (!(styleFlags & flag)) continue;
    CaptionButtonRecord button;
    button.type = type;
    buttons_.push_back(button);
  }
}

void CaptionButtonSet::clear() {
  buttons_.clear();
  pressed_ = 0;
}

void CaptionButtonSet::layout(int windowWidth, int frameInset, int rightMargin,
                              const std::array<ButtonSize, caption::kTypeCount>& normalSizes) {
  int right = windowWidth;
  for (CaptionButtonRecord& button : buttons_) {
    ButtonSize size{};
    if (button.type >= 1 && button.type <= caption::kTypeCount) size = normalSizes[button.type - 1];
    right -= size.width;
    button.rect = {captionButtonX(right, frameInset, rightMargin), frameInset, size.width, size.height};
  }
}

int CaptionButtonSet::totalWidth() const {
  int total = 0;
  for (const CaptionButtonRecord& button : buttons_) total += button.rect.width;
  return total;
}

int CaptionButtonSet::indexAt(int x, int y) const {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (containsPoint(buttons_[i].rect, x, y)) return static_cast<int>(i) + 1;
  }
  return 0;
}

void CaptionButtonSet::request(int index, int state, CaptionOutcome& outcome) {
  CaptionButtonRecord& button = buttons_[index - 1];
  if (button.state == state) return;
  button.state = state;
  button.fade = button.state == button.shownState ? 0 : caption::kFadeFull;
  outcome.fadesToStart.push_back(index);
}

CaptionOutcome CaptionButtonSet::mouse(CaptionInput input, int x, int y) {
  CaptionOutcome outcome;
  const int under = indexAt(x, y);
  switch (input) {
    case CaptionInput::Move:
      // While a button holds the capture only that button reacts: it looks
      // pressed under the pointer and normal away from it.
      for (int i = 1; i <= count(); ++i) {
        if (pressed_) {
          if (i == pressed_) request(i, i == under ? caption::kPressed : caption::kNormal, outcome);
        } else {
          request(i, i == under ? caption::kHot : caption::kNormal, outcome);
        }
      }
      break;
    case CaptionInput::Down:
      if (under) {
        pressed_ = under;
        request(under, caption::kPressed, outcome);
        outcome.takeCapture = true;
      } else {
        outcome.downOutside = true;
      }
      break;
    case CaptionInput::Up: {
      const int wasPressed = std::exchange(pressed_, 0);
      if (wasPressed) outcome.releaseCapture = true;
      for (int i = 1; i <= count(); ++i) request(i, i == under ? caption::kHot : caption::kNormal, outcome);
      if (wasPressed && wasPressed == under) outcome.action = buttons_[under - 1].type;
      break;
    }
    case CaptionInput::Leave:
      for (int i = 1; i <= count(); ++i) request(i, caption::kNormal, outcome);
      break;
  }
  return outcome;
}

bool CaptionButtonSet::fadeStep(int index) {
  if (index < 1 || index > count()) return true;
  CaptionButtonRecord& button = buttons_[index - 1];
  button.fade = std::max(0, button.fade - caption::kFadeStep);
  if (button.fade > 0) return false;
  button.shownState = button.state;
  return true;
}

void CaptionButtonSet::setMaximised(bool maximised) {
  for (CaptionButtonRecord& button : buttons_) {
    if (maximised && button.type == caption::kMaximise) button.type = caption::kRestore;
    if (!maximised && button.type == caption::kRestore) button.type = caption::kMaximise;
  }
}

}  // namespace talvek
