// The installer window's pictures, PNG bytes linked into the executable,
// each with its drawings for larger display scales.
#pragma once

#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek::installer_art {

ByteView header();       // 700 x 144
ByteView headerSmall();  // 333 x 49, shown while installing
ByteView installNormal();  // 232 x 57 each
ByteView installHover();
ByteView installPressed();
ByteView folder();    // 30 x 30
ByteView advanced();  // 64 x 30
ByteView close();     // 30 x 31

// One of the pictures above decoded, with its larger drawings attached for
// the painter to choose from; other bytes are decoded alone.
GdiplusImage decoded(ByteView picture);

}  // namespace talvek::installer_art
