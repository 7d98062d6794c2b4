// The command value of a URL protocol: the handler's path in double quotes,
// two spaces, then "%1" in double quotes. Unquoted, a handler in
// "C:\Program Files\..." would let Windows start a "C:\Program.exe" first;
// earlier versions wrote it that way, and such values are still read.
#pragma once

#include <string>
#include <string_view>

namespace talvek {

struct ProtocolCommand {
  std::string handlerPath;  // without quotes; empty when none can be read
  bool quoted = false;      // false for the earlier unquoted form

  static std::string textFor(std::string_view handlerPath);
  static ProtocolCommand parse(std::string_view text);
};

}  // namespace talvek
