// Property texts from a caller: any text parses to a style description
// that formats and parses back to the same fields, and numbers, colours and
// percentages never fail.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "toolkit/controls/ProgressModel.h"
#include "toolkit/core/PropertyText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  talvek::StyleText style = talvek::parseStyleText(text);
  if (style.fontName.find(',') == std::string::npos) {
    talvek::StyleText again = talvek::parseStyleText(talvek::formatStyleText(style));
    if (again.flags != style.flags || again.size != style.size || again.textColor != style.textColor ||
        again.glowColor != style.glowColor || again.fontName != style.fontName) {
      std::abort();
    }
  }
  talvek::ProgressProperties properties;
  std::optional<std::string> styleText;
  for (std::string_view name : {"Max", "Min", "Pos", "Type", "Color [1]", "BkgColor"}) {
    talvek::applyProgressProperty(properties, name, text, styleText);
  }
  if (talvek::percentText(properties.values.position).back() != '%') std::abort();
  talvek::barFill(properties.values, 300);
  talvek::ringShapes(talvek::kLookBusyRing, 200, 200, properties.values.position, {});
  return 0;
}
