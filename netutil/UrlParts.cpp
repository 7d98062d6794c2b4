#include "netutil/UrlParts.h"

#include <vector>

#include "netutil/TextMarkers.h"

namespace talvek {

std::string hostOfUrl(std::string_view address, bool keepPort) {
  std::string lowered = toLowerAscii(address);
  if (lowered.empty() || lowered.back() != '/') lowered += '/';
  std::string host;
  if (lowered.starts_with("https://")) {
    host = textBetween(lowered, "https://", "/");
  } else {
    if (lowered.find("http://") == std::string::npos) lowered = "http://" + lowered;
    host = textBetween(lowered, "http://", "/");
  }
  if (!keepPort) host = host.substr(0, host.find(':'));
  return host;
}

bool isHttpsAddress(std::string_view address) {
  return toLowerAscii(address.substr(0, 5)) == "https";
}

int portOfUrl(std::string_view address) {
  std::string host = hostOfUrl(address, true);
  size_t colon = host.rfind(':');
  if (colon == std::string::npos) return isHttpsAddress(address) ? 443 : 80;
  std::string_view digits = std::string_view(host).substr(colon + 1);
  if (digits.empty() || digits.size() > 5) return 0;
  int port = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    port = port * 10 + (c - '0');
  }
  return port <= 65535 ? port : 0;
}

std::string pathOfUrl(std::string_view address) {
  std::string host = hostOfUrl(address);
  // Searched after the scheme, so a host such as "t" is not found in "http".
  size_t schemeEnd = address.find("://");
  size_t hostAt =
      findNoCase(address, host, schemeEnd == std::string_view::npos ? 0 : schemeEnd + 3);
  if (hostAt == std::string_view::npos) return "/";
  size_t slash = address.find('/', hostAt);
  if (slash == std::string_view::npos) return "/";
  return std::string(address.substr(slash));
}

std::string shortCodeOf(std::string_view address) {
  std::vector<std::string> pieces = splitText(address, "/");
  std::string piece = pieces.back();
  if (piece.empty() && pieces.size() > 1) piece = pieces[pieces.size() - 2];
  return piece.size() == 6 ? piece : std::string();
}

}  // namespace talvek
