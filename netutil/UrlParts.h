// Host, port and path of a request address, as the HTTP client connects to
// them. The scheme is optional: without one the address is plain http.
#pragma once

#include <string>
#include <string_view>

namespace talvek {

// Lower-cased host; with `keepPort` the ":port" part stays on it.
std::string hostOfUrl(std::string_view address, bool keepPort = false);
// The explicit port, else 443 for https addresses and 80 for the rest; an
// explicit port that is not a number from 0 to 65535 gives 0, which lets
// WinINet pick the scheme's default.
int portOfUrl(std::string_view address);
// Everything from the first "/" after the host, case and query kept; "/"
// when there is none.
std::string pathOfUrl(std::string_view address);
// Whether the first five characters, lower-cased, are "https".
bool isHttpsAddress(std::string_view address);

// The six-character share code at the end of an address (a trailing "/" is
// allowed); empty when the last piece has another length.
std::string shortCodeOf(std::string_view address);

}  // namespace talvek
