// Where a frameless form is grabbed: the eight resize zones along its edges
// and the band that drags it. Client coordinates.
#pragma once

namespace talvek {

enum class BorderZone : int {
  None = 0,
  TopLeft = 1,
  Top = 2,
  TopRight = 3,
  Right = 4,
  BottomRight = 5,
  Bottom = 6,
  BottomLeft = 7,
  Left = 8,
};

struct BorderZoneInfo {
  int cursorId;        // the system cursor's resource id (IDC_SIZE...)
  unsigned sizeCommand;  // WM_SYSCOMMAND value that starts the size loop
};

// Zones are tested in a fixed order, so corners win over edges. The edge
// thickness grows with the shadow inset.
BorderZone borderZoneAt(int x, int y, int width, int height, int frameInset);

BorderZoneInfo borderZoneInfo(BorderZone zone);

// The caption band that drags the window: from -2 * frameInset to the left
// of the caption buttons, frameInset + 23 pixels high.
bool inDragBand(int x, int y, int width, int frameInset, int captionButtonsWidth, int captionRightMargin);

// Left edge of a caption button whose right edge (counted from the window's
// right) is `right`: buttons sit inside the frame and the right margin.
inline int captionButtonX(int right, int frameInset, int captionRightMargin) {
  return right - frameInset - 1 - captionRightMargin;
}

}  // namespace talvek
