#include "toolkit/access/AccessibleDescription.h"

#include <cmath>

namespace talvek::accessible {

long roleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPanel: return kRoleGrouping;
    case ControlKind::kImageButton:
    case ControlKind::kTriStateButton: return kRolePushButton;
    case ControlKind::kCheckBox: return kRoleCheckButton;
    case ControlKind::kEditBox: return kRoleText;
    case ControlKind::kLabel: return kRoleStaticText;
    case ControlKind::kPictureBox: return kRoleGraphic;
    case ControlKind::kProgress: return kRoleProgressBar;
    case ControlKind::kOther: break;
  }
  return kRoleClient;
}

bool takesKeyboard(ControlKind kind) {
  return kind == ControlKind::kImageButton || kind == ControlKind::kTriStateButton ||
         kind == ControlKind::kCheckBox || kind == ControlKind::kEditBox;
}

bool isTabStop(const ControlFacts& facts) {
  return takesKeyboard(facts.kind) && facts.shown && !facts.disabled && !facts.offscreen;
}

bool showsFocusCue(ControlKind kind) {
  // A text box shows where keys go by its caret, as the system's own edit
  // boxes do: a frame around it would only cover the edges of its text.
  return takesKeyboard(kind) && kind != ControlKind::kEditBox;
}

long statesOf(const ControlFacts& facts) {
  long states = 0;
  if (!facts.shown) states |= kStateInvisible;
  if (facts.shown && facts.offscreen) states |= kStateOffscreen;
  if (facts.disabled) states |= kStateUnavailable;
  if (takesKeyboard(facts.kind) || facts.focusableFlag) states |= kStateFocusable;
  if (facts.focused) states |= kStateFocused;
  if (facts.hot) states |= kStateHotTracked;
  if (facts.kind == ControlKind::kCheckBox && facts.checked) states |= kStateChecked;
  if (facts.kind == ControlKind::kEditBox) {
    if (facts.readOnly) states |= kStateReadOnly;
    if (facts.password) states |= kStateProtected;
  }
  return states;
}

std::u16string nameOf(const ControlFacts& facts) {
  if (!facts.ownerName.empty()) return facts.ownerName;
  if (facts.kind != ControlKind::kEditBox && !facts.text.empty()) return facts.text;
  return facts.tip;
}

std::optional<std::u16string> valueOf(const ControlFacts& facts) {
  if (facts.kind == ControlKind::kEditBox) {
    if (facts.password) return std::nullopt;
    return facts.text;
  }
  if (facts.kind == ControlKind::kProgress) {
    double percent = facts.percent;
    if (!(percent >= 0)) percent = 0;  // NaN too
    if (percent > 100) percent = 100;
    const std::string digits = std::to_string(static_cast<int>(std::lround(percent)));
    return std::u16string(digits.begin(), digits.end()) + u"%";
  }
  return std::nullopt;
}

std::u16string defaultActionOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kImageButton:
    case ControlKind::kTriStateButton: return u"按下";
    case ControlKind::kCheckBox: return u"切换";
    default: return {};
  }
}

}  // namespace talvek::accessible
