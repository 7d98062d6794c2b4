// The system's shared cursors. The toolkit's window classes have no cursor
// of their own, so forms and controls set one whenever the pointer moves.
#pragma once

#include <windows.h>

namespace talvek {

namespace cursor {
inline constexpr WORD kArrow = 32512;
inline constexpr WORD kIBeam = 32513;
inline constexpr WORD kHand = 32649;
}  // namespace cursor

HCURSOR systemCursor(WORD id);
void showSystemCursor(WORD id);

}  // namespace talvek
