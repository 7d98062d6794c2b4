#include "toolkit/controls/ProgressState.h"

namespace talvek {

bool ProgressState::create(const ProgressCreation& c) {
  properties_.values = creationValues(c.maximum, c.minimum, c.position, c.look);
  properties_.colors[0] = c.color1.value_or(kProgressColor);
  properties_.colors[1] = c.color2.value_or(kSecondaryColor);
  properties_.backColor = c.backColor.value_or(kBarBackColor);
  properties_.borderColor = c.borderColor;
  spin_ = {};
  return properties_.values.look == kLookBusyRing;
}

void ProgressState::destroy() {
  properties_ = {};
  properties_.values = {.position = 0, .maximum = 0, .minimum = 0, .look = 0};
  spin_ = {};
}

void ProgressState::setColors(std::optional<Argb> color1, std::optional<Argb> color2, std::optional<Argb> backColor) {
  if (color1) properties_.colors[0] = *color1;
  if (color2) properties_.colors[1] = *color2;
  if (backColor) properties_.backColor = *backColor;
}

bool ProgressState::onTimer(int key) {
  if (key != kSpinTimerKey) return false;
  spin_.advance();
  return true;
}

std::optional<std::string> ProgressState::applyProperties(const std::vector<PropertyEntry>& list) {
  std::optional<std::string> styleText;
  for (const PropertyEntry& entry : list) applyProgressProperty(properties_, entry.name, entry.value, styleText);
  return styleText;
}

std::vector<PropertyEntry> ProgressState::listProperties(const std::string& styleText) const {
  const ProgressValues& v = properties_.values;
  return {
      {"Max", "最大位置", numberPropertyText(v.maximum)},
      {"Min", "最小位置", numberPropertyText(v.minimum)},
      {"Pos", "当前位置", numberPropertyText(v.position)},
      {"Type", "类型", numberPropertyText(v.look)},
      {"Color [1]", "颜色 [1]", colorPropertyText(properties_.colors[0])},
      {"Color [2]", "颜色 [2]", colorPropertyText(properties_.colors[1])},
      {"BkgColor", "背景颜色", colorPropertyText(properties_.backColor)},
      {"BorderColor", "边框颜色", colorPropertyText(properties_.borderColor)},
      {"StringFormat", "文本格式", styleText},
  };
}

}  // namespace talvek
