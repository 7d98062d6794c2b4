// Toolkit event codes that the window routing delivers to controls.
#pragma once

namespace talvek::event {

inline constexpr int kDestroyed = 2;
inline constexpr int kFocusGained = 3;   // arg1: previous focus control
inline constexpr int kFocusLost = 4;     // arg1: new focus control
inline constexpr int kChar = 11;
inline constexpr int kKeyDown = 12;
inline constexpr int kKeyUp = 13;
inline constexpr int kLeftDown = 14;     // arg1: local point
inline constexpr int kLeftUp = 15;
inline constexpr int kLeftClick = 16;
inline constexpr int kLeftDoubleClick = 17;
inline constexpr int kRightDown = 18;
inline constexpr int kRightUp = 19;
inline constexpr int kRightClick = 20;
inline constexpr int kRightDoubleClick = 21;
inline constexpr int kWheel = 22;        // arg1: signed wheel steps
inline constexpr int kMouseMove = 26;
inline constexpr int kMouseEnter = 27;
inline constexpr int kMouseLeave = 28;
inline constexpr int kLayout = 30;         // the parent's area changed: recompute the visible part
inline constexpr int kWindowMessage = 32;  // arg1: message, arg2: MessageParams*

}  // namespace talvek::event
