// What a POST from the rich-edit page asks to hand to a control: the body is
// the control's identifier in decimal, a "|", and the content in UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/richedit/RequestReader.h"

namespace talvek::richedit {

enum class ContentKind : int { Html = 1, Text = 2 };

struct PostedContent {
  std::int32_t control = 0;
  ContentKind kind = ContentKind::Text;
  // UTF-16, up to the content's first zero byte.
  std::u16string text;
};

// The kind a command path posts, or none for any other path.
std::optional<ContentKind> contentKindOfPath(std::string_view path);

// A decimal identifier with an optional sign and nothing else around it;
// anything else, and values outside 32 bits, read as 0.
std::int32_t parseControlIdentifier(std::string_view text);

// Content to deliver, or none: not a POST to a command path, no complete
// body, no "|", or an identifier that cannot name a control (zero or
// negative; negative references name forms, not controls).
std::optional<PostedContent> postedContent(const HttpRequest& request);

}  // namespace talvek::richedit
