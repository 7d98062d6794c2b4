#include "toolkit/richedit/PostedContent.h"

#include <cstdint>

#include "toolkit/richedit/Utf8.h"

namespace talvek::richedit {

std::optional<ContentKind> contentKindOfPath(std::string_view path) {
  if (path == "/cmd/get/html") return ContentKind::Html;
  if (path == "/cmd/get/text") return ContentKind::Text;
  return std::nullopt;
}

std::int32_t parseControlIdentifier(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return 0;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) return 0;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<PostedContent> postedContent(const HttpRequest& request) {
  if (!request.isPost || !request.body) return std::nullopt;
  const std::optional<ContentKind> kind = contentKindOfPath(request.path);
  if (!kind) return std::nullopt;

  const std::string_view body = *request.body;
  const std::size_t bar = body.find('|');
  if (bar == std::string_view::npos) return std::nullopt;
  const std::int32_t control = parseControlIdentifier(body.substr(0, bar));
  if (control <= 0) return std::nullopt;

  std::string_view content = body.substr(bar + 1);
  content = content.substr(0, content.find('\0'));
  return PostedContent{control, *kind, utf8ToUtf16(content)};
}

}  // namespace talvek::richedit
