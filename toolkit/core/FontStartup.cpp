#include "toolkit/core/FontStartup.h"

#include "toolkit/core/BuiltinSkin.h"
#include "toolkit/core/DefaultFontChoice.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/SkinRecord.h"
#include "toolkit/core/ToolkitSettings.h"

namespace talvek {

bool fontFamilyExists(const WideText& name) {
  std::u16string family = name.toUtf16();
  GdiplusFontFamily found;
  gdip::GdipCreateFontFamilyFromName(reinterpret_cast<const WCHAR*>(family.c_str()), nullptr, found.put());
  return static_cast<bool>(found);
}

void fontAndSkinStartup() {
  defaultFontName(chooseDefaultFontName(fontFamilyExists));
  textRenderingHint(startup_defaults::kTextRenderingHint);
  loadSkin(builtinSkinBlock());
  defaultFontSize(startup_defaults::kFontSize);
  defaultTextColor(startup_defaults::kTextColor);
  defaultFormStyle(startup_defaults::kFormStyle);
  defaultTextFlags(startup_defaults::kTextFlags);
  animatedTransitions(startup_defaults::kAnimatedTransitions);
}

}  // namespace talvek
