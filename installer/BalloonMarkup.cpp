#include "installer/BalloonMarkup.h"

#include <cctype>
#include <optional>

#include "installer/GbkText.h"

namespace talvek {
namespace {

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// "#RRGGBB" after "color=" (quotes allowed), if the tag has one.
std::optional<std::uint32_t> colorAttribute(std::string_view tag) {
  std::string lower = lowerAscii(tag);
  auto at = lower.find("color=");
  if (at == std::string::npos) return std::nullopt;
  size_t i = at + 6;
  while (i < lower.size() && (lower[i] == '"' || lower[i] == '\'' || lower[i] == ' ')) ++i;
  if (i >= lower.size() || lower[i] != '#') return std::nullopt;
  std::uint32_t value = 0;
  int digits = 0;
  for (++i; i < lower.size() && digits < 6 && std::isxdigit(static_cast<unsigned char>(lower[i])); ++i, ++digits) {
    value = value * 16 + static_cast<std::uint32_t>(std::isdigit(static_cast<unsigned char>(lower[i]))
                                                        ? lower[i] - '0'
                                                        : lower[i] - 'a' + 10);
  }
  if (digits != 6) return std::nullopt;
  return value;
}

// The tag's name: letters after '<' and an optional '/'.
std::string tagName(std::string_view tag) {
  size_t i = 1;
  std::string name = tag.size() > 1 && tag[1] == '/' ? "/" : "";
  if (!name.empty()) ++i;
  while (i < tag.size() && std::isalpha(static_cast<unsigned char>(tag[i]))) name += static_cast<char>(std::tolower(tag[i++]));
  return name;
}

class Builder {
 public:
  void text(std::string_view piece) {
    if (piece.empty()) return;
    auto& runs = lines_.back().runs;
    if (!runs.empty() && runs.back().color == colors_.back()) {
      runs.back().text += piece;
    } else {
      runs.push_back({std::string(piece), colors_.back()});
    }
  }
  void tag(std::string_view tag) {
    const std::string name = tagName(tag);
    if (name == "br") {
      lines_.emplace_back();
    } else if (name == "hr") {
      if (lines_.back().runs.empty() && !lines_.back().isRule) lines_.pop_back();
      lines_.push_back({{}, true, colorAttribute(tag).value_or(0x808080)});
      lines_.emplace_back();
    } else if (name == "font") {
      colors_.push_back(colorAttribute(tag).value_or(colors_.back()));
    } else if (name == "/font" && colors_.size() > 1) {
      colors_.pop_back();
    }
  }
  std::vector<BalloonLine> finish() {
    if (lines_.size() > 1 && lines_.back().runs.empty() && !lines_.back().isRule) lines_.pop_back();
    return std::move(lines_);
  }

 private:
  std::vector<BalloonLine> lines_{1};
  std::vector<std::uint32_t> colors_{kBalloonTextColor};
};

}  // namespace

std::vector<BalloonLine> parseBalloonMarkup(std::string_view markup) {
  Builder builder;
  size_t textStart = 0;
  for (size_t i = 0; i < markup.size(); i += gbkCharLength(markup, i)) {
    if (markup[i] != '<') continue;
    // A tag ends at the next '>' outside two-byte characters.
    size_t end = i + 1;
    while (end < markup.size() && markup[end] != '>') end += gbkCharLength(markup, end);
    if (end >= markup.size()) break;  // an unclosed '<' is text
    builder.text(markup.substr(textStart, i - textStart));
    builder.tag(markup.substr(i, end - i + 1));
    textStart = end + 1;
    i = end;
  }
  builder.text(markup.substr(textStart));
  return builder.finish();
}

}  // namespace talvek
