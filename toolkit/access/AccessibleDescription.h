// The role, states, name, value and default action of a control as the
// system's accessibility interface numbers and words them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/controls/ControlFacts.h"

namespace talvek::accessible {

// The system's role numbers.
inline constexpr long kRoleClient = 0x0A;
inline constexpr long kRoleGrouping = 0x14;
inline constexpr long kRoleGraphic = 0x28;
inline constexpr long kRoleStaticText = 0x29;
inline constexpr long kRoleText = 0x2A;
inline constexpr long kRolePushButton = 0x2B;
inline constexpr long kRoleCheckButton = 0x2C;
inline constexpr long kRoleProgressBar = 0x30;

// The system's state bits.
inline constexpr long kStateUnavailable = 0x1;
inline constexpr long kStateFocused = 0x4;
inline constexpr long kStateChecked = 0x10;
inline constexpr long kStateReadOnly = 0x40;
inline constexpr long kStateHotTracked = 0x80;
inline constexpr long kStateInvisible = 0x8000;
inline constexpr long kStateOffscreen = 0x10000;
inline constexpr long kStateFocusable = 0x100000;
inline constexpr long kStateProtected = 0x20000000;

long roleOf(ControlKind kind);
long statesOf(const ControlFacts& facts);
// The owner's name, else the text (an edit box's text is its value), else
// the tip.
std::u16string nameOf(const ControlFacts& facts);
// Empty for controls without a value; never the text of a password box.
std::optional<std::u16string> valueOf(const ControlFacts& facts);
// "按下" for buttons, "切换" for check boxes, empty for the rest.
std::u16string defaultActionOf(ControlKind kind);
// A key can act on it: Tab stops there.
bool takesKeyboard(ControlKind kind);
// Tab stops at shown, enabled, reachable controls on screen.
bool isTabStop(const ControlFacts& facts);
// Whether the keyboard's focus cue frames the control when it has the focus.
bool showsFocusCue(ControlKind kind);

}  // namespace talvek::accessible
