#include "toolkit/controls/EditBoxProperties.h"

namespace talvek {

std::optional<std::string> applyEditBoxProperties(EditBoxColors& colors, const std::vector<PropertyEntry>& list) {
  std::optional<std::string> styleText;
  for (const PropertyEntry& e : list) {
    if (e.name == "SelectBkgColor") colors.selectBack = propertyColor(e.value);
    else if (e.name == "SelectColor") colors.selectText = propertyColor(e.value);
    else if (e.name == "FarmeColor") colors.frame = propertyColor(e.value);
    else if (e.name == "BkgColor") colors.back = propertyColor(e.value);
    else if (e.name == "StringFormat") styleText = e.value;
  }
  return styleText;
}

std::vector<PropertyEntry> listEditBoxProperties(const EditBoxColors& colors, const std::string& styleText) {
  return {
      {"SelectBkgColor", "选中背景颜色", colorPropertyText(colors.selectBack)},
      {"SelectColor", "选中文本颜色", colorPropertyText(colors.selectText)},
      {"FarmeColor", "边框颜色", colorPropertyText(colors.frame)},
      {"BkgColor", "背景颜色", colorPropertyText(colors.back)},
      {"StringFormat", "文本格式", styleText},
  };
}

}  // namespace talvek
