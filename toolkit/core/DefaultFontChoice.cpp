#include "toolkit/core/DefaultFontChoice.h"

namespace talvek {

WideText chooseDefaultFontName(const std::function<bool(const WideText&)>& familyExists) {
  WideText preferred = WideText::fromUtf16(kPreferredFontFamily);
  return familyExists(preferred) ? preferred : WideText::fromUtf16(kFallbackFontFamily);
}

}  // namespace talvek
