// The process-wide record of the toolkit's chrome images, filled from a
// skin database: some decoded to GDI+ bitmaps, some kept encoded for the
// control that draws them. A member whose name the skin lacks stays empty
// and the control draws without it.
#pragma once

#include <array>

#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/SkinDatabase.h"

namespace talvek {

enum CaptionButton { kCloseButton, kMaximiseButton, kRestoreButton, kMinimiseButton, kMenuButton, kHelpButton, kSkinButton };
enum ButtonState { kNormalState, kHotState, kPressedState };

struct SkinRecord {
  SkinDatabase database;
  // [CaptionButton][ButtonState]
  std::array<std::array<GdiplusBitmap, 3>, 7> captionButtons;
  // horizontal left, horizontal right, vertical up, vertical down
  std::array<GdiplusBitmap, 4> scrollArrows;
  // [ButtonState][unchecked, checked]
  std::array<std::array<GdiplusBitmap, 2>, 3> checkBox;
  std::array<std::array<GdiplusBitmap, 2>, 3> radioBox;
  std::array<ByteBlock, 2> tabEnds;       // left, right
  std::array<ByteBlock, 4> messageIcons;  // information, question, error, warning
  ByteBlock linkImage;
  ByteBlock progressImage;
  std::array<ByteBlock, 2> dateButtons;  // year, month
  ByteBlock sliderTrack;
  // plus, minus, selected, not selected, selected solid
  std::array<GdiplusBitmap, 5> treeGlyphs;
  ByteBlock submenuArrow;
  // picture normal, picture expanded, then presence: online, away, busy, do not disturb
  std::array<GdiplusBitmap, 6> statusImages;
  std::array<ByteBlock, 2> scrollArrowBytes;  // vertical up, vertical down
};

// The one record; it lives until the process ends.
SkinRecord& skinRecord();

// Loads block into the record's database (a malformed block leaves the
// database as it was) and refills every member from the database's items.
// Needs GDI+ running for the bitmaps.
// Each bitmap member gets the drawings the database holds of it for larger
// display scales, attached for the painter (PictureVariants).
void loadSkin(ByteView block);

}  // namespace talvek
