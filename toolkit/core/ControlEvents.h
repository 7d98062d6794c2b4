// The event codes of the toolkit, named once: the codes a control's onEvent
// receives and the owner event codes a control passes to its owner's event
// procedure.
#pragma once

namespace talvek {

// Toolkit event codes that the window routing delivers to controls.
namespace event {
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
}  // namespace event

// Toolkit event codes that come from the control itself, its form, the
// registry, timers and the rich-edit server.
namespace control_event {
inline constexpr int kCreated = 1;
inline constexpr int kVisibilityChanged = 5;
inline constexpr int kEnabledChanged = 6;  // arg1: 1 enabled, 0 disabled
inline constexpr int kComposeIntoWindow = 7;  // the form rebuilds its canvas; arg1: from that pixel row
inline constexpr int kMoved = 8;
inline constexpr int kResized = 9;
inline constexpr int kTimer = 10;          // arg1: key, arg2: value
inline constexpr int kGetParent = 23;
inline constexpr int kParentChanged = 24;
inline constexpr int kLayout = event::kLayout;
inline constexpr int kWindowRecreated = 33;
inline constexpr int kRepaintOnly = 34;
inline constexpr int kCaptionChanged = 35;
// The form is about to present: a control that put its paint off paints now.
inline constexpr int kPaintBeforePresent = 36;
// arg1: 1 HTML, 2 text; arg2: zero-terminated UTF-16 text, valid only
// during the call. Any post to the loopback server may send it to any
// control, so a control must never give it another meaning.
inline constexpr int kRichEditContent = 301;
inline constexpr int kListened = 999;      // arg1: sender, arg2: OwnerEventRecord*
// From here on the toolkit sends nothing: codes a control class hands to
// itself.
inline constexpr int kFirstPrivate = 0x10000;
}  // namespace control_event

// Owner event codes: what a control reports to its owner's event procedure
// (arg1 is the packed position for the pointer events).
namespace owner_event {
inline constexpr int kClick = 1;
inline constexpr int kLeftDown = 2;
inline constexpr int kLeftUp = 3;
inline constexpr int kDoubleClick = 4;
inline constexpr int kRightClick = 5;
inline constexpr int kRightDown = 6;
inline constexpr int kRightUp = 7;
inline constexpr int kRightDoubleClick = 8;
inline constexpr int kKeyDown = 9;    // arg1: virtual key
inline constexpr int kKeyUp = 10;     // arg1: virtual key
inline constexpr int kChar = 11;      // arg1: character code
inline constexpr int kMouseMove = 12;
inline constexpr int kMouseEnter = 13;
inline constexpr int kMouseLeave = 14;
inline constexpr int kWheel = 15;     // arg1: signed wheel steps
}  // namespace owner_event

}  // namespace talvek
