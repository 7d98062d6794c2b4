#include "toolkit/core/ShownPicture.h"

#include <algorithm>
#include <cstring>

namespace talvek {

void ShownPicture::forget() {
  pixels_.clear();
  pixels_.shrink_to_fit();
  width_ = 0;
  height_ = 0;
}

Rect ShownPicture::takeChanges(const Pixels& picture) {
  if (!picture.topRow || picture.width <= 0 || picture.height <= 0) {
    forget();
    return {};
  }
  const auto width = static_cast<std::size_t>(picture.width);
  const auto rowAt = [&](int y) { return picture.topRow + picture.rowStep * y; };
  if (picture.width != width_ || picture.height != height_) {
    pixels_.resize(width * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) std::memcpy(&pixels_[y * width], rowAt(y), width * sizeof(std::uint32_t));
    width_ = picture.width;
    height_ = picture.height;
    return {0, 0, width_, height_};
  }
  int left = width_, right = -1, top = height_, bottom = -1;
  for (int y = 0; y < height_; ++y) {
    const std::uint32_t* now = rowAt(y);
    std::uint32_t* kept = &pixels_[y * width];
    if (std::memcmp(now, kept, width * sizeof(std::uint32_t)) == 0) continue;
    int first = 0;
    while (now[first] == kept[first]) ++first;
    int last = width_ - 1;
    while (now[last] == kept[last]) --last;
    std::memcpy(kept + first, now + first, static_cast<std::size_t>(last - first + 1) * sizeof(std::uint32_t));
    left = std::min(left, first);
    right = std::max(right, last);
    top = std::min(top, y);
    bottom = y;
  }
  if (bottom < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace talvek
