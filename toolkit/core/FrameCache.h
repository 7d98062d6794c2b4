// The frame a form drew last (shadow, background, icon, title, outlines)
// and what it was drawn from. The shadow ring alone costs more than the
// rest of a rebuild, yet nothing of the frame changes while the look and
// the size stay: a rebuild then copies the pixels. When only the height
// changed (the options opening in steps of ten pixels) the rows are copied
// as well, the straight middle ones as often as the new height needs,
// provided the frame drawn showed such a middle (see RowSpans.h). A frame
// is first drawn that way too: only as tall as its ends, then stretched.
// At 150 % Wine shades the shadow's sides a few steps apart at different
// heights drawn; the frame drawn short is then the frame at every height.
#pragma once

#include <optional>
#include <string>

#include "toolkit/core/FormFrame.h"
#include "toolkit/core/MemoryCanvas.h"

namespace talvek {

class FrameCache {
 public:
  // Fills the whole target with the frame of `look` at the target's size.
  // True when the kept picture gave it unchanged: then every row above the
  // last bottomRows() is the same at any height.
  bool paint(MemoryCanvas& target, const FrameLook& look);
  int bottomRows() const { return bottom_; }
  // To be called when an image or the style the looks point to is replaced
  // or freed: a new one may come at the same address.
  void forget();

 private:
  // Everything the frame's pixels depend on but the height.
  struct Key {
    int width = 0;
    int frameInset = 0;
    bool shadow = false;
    int cornerRadius = 0;
    Argb shadowColour = 0;
    const void* backgroundImage = nullptr;
    Argb backgroundColor = 0;
    const void* icon = nullptr;
    const void* titleStyle = nullptr;
    std::u16string title;
    int captionWidth = 0, captionHeight = 0;  // the title's room
    Argb colour1 = 0, colour2 = 0;
    int renderingHint = 0;
    bool operator==(const Key&) const = default;
  };
  static Key keyOf(const FrameLook& look, int width);
  // At the target's pixel and drawing size.
  void drawAnew(const FrameLook& look, const MemoryCanvas& target);
  bool copyInto(MemoryCanvas& target) const;
  // top_ and bottom_ at the target's scale.
  void measureEnds(const FrameLook& look, const MemoryCanvas& target);
  // The least height, in units, with room for both ends and a few middle
  // rows that leaves out a whole number of the target's pixel rows; 0 when
  // there is none below the target's own height.
  int compactHeight(const MemoryCanvas& target) const;
  static int pixelRows(const MemoryCanvas& target, int units);

  MemoryCanvas picture_;
  std::optional<Key> key_;
  // The rows at each end that hold something else than straight edges, and
  // whether the rows between them were found all alike.
  int top_ = 0, bottom_ = 0;
  bool stretchable_ = false;
};

}  // namespace talvek
