// Where the edit box's caret and text sit, from measured text widths: the
// character boundary under a point and the horizontal scroll that keeps
// the caret inside the text area.
#pragma once

#include <functional>

namespace talvek {

// prefixWidth(i) is the width of the first i of `length` characters and
// grows with i. The boundary nearest to x; before the text 0, beyond it the
// end. Binary search: a long text costs log(length) measurements.
int charIndexAt(int length, float x, const std::function<float(int)>& prefixWidth);

// The new (non-positive) horizontal offset of the text in an area
// `areaWidth` wide: a caret beyond the right edge shifts the text left
// until the caret is one pixel inside it, a caret left of the area shifts
// it back right, and a scrolled text that has become short no longer
// leaves blank space at the right.
float scrollOffset(float offset, float caretX, float textWidth, float areaWidth);

}  // namespace talvek
