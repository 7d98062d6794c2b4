// Feeds arbitrary bytes to the parsers that read what a server sends: the
// raw response headers, cookie texts, addresses and percent escapes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "netutil/CookieText.h"
#include "netutil/HttpRequestPlan.h"
#include "netutil/HttpResponseDigest.h"
#include "netutil/PercentDecoding.h"
#include "netutil/UrlParts.h"
#include "netutil/WebServiceMessages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line is a cookie jar / address, the rest a response.
  size_t newline = input.find('\n');
  std::string_view first = input.substr(0, newline);
  std::string_view rest =
      newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);

  talvek::HttpResponseDigest digest = talvek::digestResponseHeaders(rest);
  std::string jar(first);
  talvek::mergeCookies(jar, digest.cookies);
  talvek::isMovedPermanently(rest);
  talvek::declaresUtf8(rest, first);

  talvek::HttpRequestOptions options;
  options.extraHeaders = std::string(rest);
  talvek::planRequest(first, options);
  talvek::completeHeaders(options.extraHeaders, first, jar);
  talvek::shortCodeOf(first);
  talvek::percentDecodeBytes(rest);
  talvek::signatureItems(rest);
  talvek::readDownloadAddress(rest);
  return 0;
}
