// What the client reads from a response's raw header text and body.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvek {

struct HttpResponseDigest {
  // The last "Location:" line's value, when there is one.
  std::optional<std::string> location;
  // Cookie pairs of the "Set-Cookie" lines, joined by "; ".
  std::string cookies;
};

HttpResponseDigest digestResponseHeaders(std::string_view rawHeaders);

// A "301 ... Moved" status line, which the client follows itself.
bool isMovedPermanently(std::string_view rawHeaders);

// "utf-8" starting within the body's first 499 bytes (exact case), or
// anywhere in the headers (any case).
bool declaresUtf8(std::string_view body, std::string_view rawHeaders);

}  // namespace talvek
