#include "toolkit/core/ToolkitSettings.h"

namespace talvek {
namespace {

template <typename T>
const T& access(T& setting, const std::optional<T>& newValue) {
  if (newValue) setting = *newValue;
  return setting;
}

struct Settings {
  WideText fontName;
  int renderingHint = startup_defaults::kTextRenderingHint;
  int fontSize = startup_defaults::kFontSize;
  Argb textColor = startup_defaults::kTextColor;
  int formStyle = startup_defaults::kFormStyle;
  int textFlags = startup_defaults::kTextFlags;
  int transitions = startup_defaults::kAnimatedTransitions;
};

// Lives for the whole process and is never destroyed, so nothing that runs
// late at exit finds it gone.
Settings& settings() {
  static Settings* instance = new Settings;
  return *instance;
}

}  // namespace

const WideText& defaultFontName(const std::optional<WideText>& newValue) {
  return access(settings().fontName, newValue);
}
int textRenderingHint(std::optional<int> newValue) { return access(settings().renderingHint, newValue); }
int defaultFontSize(std::optional<int> newValue) { return access(settings().fontSize, newValue); }
Argb defaultTextColor(std::optional<Argb> newValue) { return access(settings().textColor, newValue); }
int defaultFormStyle(std::optional<int> newValue) { return access(settings().formStyle, newValue); }
int defaultTextFlags(std::optional<int> newValue) { return access(settings().textFlags, newValue); }
int animatedTransitions(std::optional<int> newValue) { return access(settings().transitions, newValue); }

TextStyleDescription defaultTextStyle(bool singleLine) {
  TextStyleDescription style;
  style.styleFlags = defaultTextFlags() + (singleLine ? kSingleLineTextFlag : 0);
  style.fontName = defaultFontName();
  style.fontSize = defaultFontSize();
  style.textColor = defaultTextColor();
  return style;
}

}  // namespace talvek
