#include "toolkit/core/PictureVariants.h"

#include "toolkit/core/ImageDecoder.h"
#include "toolkit/core/PictureScale.h"

namespace talvek {
namespace {

void followDisposal(Gdiplus::GpImage* image) { PictureVariants::instance().detach(image); }

}  // namespace

PictureVariants& PictureVariants::instance() {
  // Never destroyed, like the skin record: its images must not be disposed
  // after GDI+ has shut down.
  static PictureVariants* table = [] {
    imageDisposalFollower() = followDisposal;
    return new PictureVariants;
  }();
  return *table;
}

void PictureVariants::attach(Gdiplus::GpImage* base, double scale, ByteBlock encoded) {
  if (!base || encoded.empty() || !(scale > 1.0)) return;
  auto& list = drawings_[base];
  for (Drawing& existing : list) {
    if (existing.scale == scale) {
      existing = {scale, std::move(encoded), {}, false};
      return;
    }
  }
  list.push_back({scale, std::move(encoded), {}, false});
}

void PictureVariants::detach(Gdiplus::GpImage* base) {
  auto found = drawings_.find(base);
  if (found == drawings_.end()) return;
  // Out of the table before they are disposed: disposing comes back here.
  auto list = std::move(found->second);
  drawings_.erase(found);
}

void PictureVariants::copy(Gdiplus::GpImage* from, Gdiplus::GpImage* to) {
  auto found = drawings_.find(from);
  if (found == drawings_.end() || !to || from == to) return;
  const std::vector<Drawing>& list = found->second;
  for (std::size_t i = 0; i < list.size(); ++i) attach(to, list[i].scale, list[i].encoded);
}

std::vector<double> PictureVariants::scales(Gdiplus::GpImage* base) const {
  std::vector<double> result;
  auto found = drawings_.find(base);
  if (found != drawings_.end()) {
    for (const Drawing& drawing : found->second) result.push_back(drawing.scale);
  }
  return result;
}

Gdiplus::GpImage* PictureVariants::drawing(Gdiplus::GpImage* base, double scale) {
  auto found = drawings_.find(base);
  if (found == drawings_.end()) return nullptr;
  for (Drawing& drawing : found->second) {
    if (drawing.scale != scale) continue;
    if (!drawing.decodeTried) {
      drawing.decodeTried = true;
      drawing.decoded = decodeImage(drawing.encoded);
    }
    return drawing.decoded.get();
  }
  return nullptr;
}

GdiplusBitmap decodePicture(ByteView base, const LargerDrawings& larger) {
  GdiplusBitmap picture = decodeImage(base);
  if (!picture || !larger) return picture;
  for (const LargerPictureScale& scale : kLargerPictureScales) {
    PictureVariants::instance().attach(picture.get(), scale.scale, larger(scale.suffix));
  }
  return picture;
}

}  // namespace talvek
