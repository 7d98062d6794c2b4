// The small HTML subset the error balloon shows: text, <font color=#RRGGBB>,
// <br> and <hr color=#RRGGBB />. Anything else in angle brackets is dropped;
// a '>' outside a tag is text. Text stays in the system code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talvek {

struct BalloonRun {
  std::string text;
  std::uint32_t color;  // 0xRRGGBB
};

struct BalloonLine {
  std::vector<BalloonRun> runs;  // empty for a blank line or a rule
  bool isRule = false;
  std::uint32_t ruleColor = 0;
};

inline constexpr std::uint32_t kBalloonTextColor = 0x000000;

std::vector<BalloonLine> parseBalloonMarkup(std::string_view markup);

}  // namespace talvek
