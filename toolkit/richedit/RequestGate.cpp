#include "toolkit/richedit/RequestGate.h"

namespace talvek::richedit {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A header sent twice is ambiguous: whichever copy a proxy or the browser
// meant, it is not trusted.
bool hasOnly(std::string_view headerBlock, std::string_view name, std::string_view expected) {
  const std::vector<std::string_view> values = headerValues(headerBlock, name);
  return values.size() == 1 && equalIgnoringCase(values.front(), expected);
}

}  // namespace

std::vector<std::string_view> headerValues(std::string_view headerBlock, std::string_view name) {
  std::vector<std::string_view> values;
  while (!headerBlock.empty()) {
    const std::size_t end = headerBlock.find(kLineEnd);
    const std::string_view line = headerBlock.substr(0, end);
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos && equalIgnoringCase(trimmed(line.substr(0, colon)), name)) {
      values.push_back(trimmed(line.substr(colon + 1)));
    }
    if (end == std::string_view::npos) break;
    headerBlock.remove_prefix(end + kLineEnd.size());
  }
  return values;
}

RequestGate::RequestGate(std::string_view address, int port)
    : ownHost_(std::string(address) + ":" + std::to_string(port)), ownOrigin_("http://" + ownHost_) {}

bool RequestGate::mayAnswer(const HttpRequest& request) const {
  if (ownHost_.empty() || !hasOnly(request.headers, "host", ownHost_)) return false;
  const std::vector<std::string_view> origins = headerValues(request.headers, "origin");
  return origins.empty() || (origins.size() == 1 && equalIgnoringCase(origins.front(), ownOrigin_));
}

bool RequestGate::mayDeliver(const HttpRequest& request) const {
  return mayAnswer(request) && hasOnly(request.headers, "x-requested-with", "XMLHttpRequest");
}

}  // namespace talvek::richedit
