#include "netutil/HttpResponseDigest.h"

#include "netutil/TextMarkers.h"

namespace talvek {
namespace {

constexpr size_t kUtf8DetectionWindow = 499;

std::string cookiePairOf(std::string_view line) {
  constexpr std::string_view kName = "Set-Cookie:";
  size_t at = line.find(kName);
  if (at == std::string_view::npos) return {};
  std::string_view value = line.substr(at + kName.size());
  return trimSpaces(value.substr(0, value.find(';')));
}

}  // namespace

HttpResponseDigest digestResponseHeaders(std::string_view rawHeaders) {
  HttpResponseDigest digest;
  for (const std::string& line : splitText(rawHeaders, "\r\n")) {
    if (line.find("Location:") != std::string::npos) digest.location = valueAfterColon(line);
    if (line.find("Set-Cookie") != std::string::npos) {
      digest.cookies += cookiePairOf(line) + "; ";
    }
  }
  if (!digest.cookies.empty()) digest.cookies.resize(digest.cookies.size() - 2);
  return digest;
}

bool isMovedPermanently(std::string_view rawHeaders) {
  return textBetween(rawHeaders, "HTTP/1.1 ", " Moved") == "301";
}

bool declaresUtf8(std::string_view body, std::string_view rawHeaders) {
  size_t at = body.find("utf-8");
  if (at != std::string_view::npos && at < kUtf8DetectionWindow) return true;
  return findNoCase(rawHeaders, "utf-8") != std::string_view::npos;
}

}  // namespace talvek
