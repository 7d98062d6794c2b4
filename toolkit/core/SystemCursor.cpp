#include "toolkit/core/SystemCursor.h"

namespace talvek {

HCURSOR systemCursor(WORD id) { return LoadCursorW(nullptr, MAKEINTRESOURCEW(id)); }

void showSystemCursor(WORD id) { SetCursor(systemCursor(id)); }

}  // namespace talvek
