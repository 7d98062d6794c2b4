// The toolkit's default font family: the modern UI face when it is
// installed, else the classic one (taken without checking, as every
// Chinese Windows has it).
#pragma once

#include <functional>

#include "toolkit/core/WideText.h"

namespace talvek {

inline constexpr std::u16string_view kPreferredFontFamily = u"微软雅黑";
inline constexpr std::u16string_view kFallbackFontFamily = u"宋体";

WideText chooseDefaultFontName(const std::function<bool(const WideText&)>& familyExists);

}  // namespace talvek
