// Whatever the registry holds as a protocol's command, reading it names a
// program taken from the text itself, and a command written for a path
// reads back as exactly that path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "netutil/ProtocolCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const talvek::ProtocolCommand read = talvek::ProtocolCommand::parse(text);
  if (read.handlerPath.size() > text.size()) std::abort();
  if (text.find(read.handlerPath) == std::string_view::npos) std::abort();
  if (read.quoted && read.handlerPath.find('"') != std::string::npos) std::abort();

  // Any path without a quote of its own survives writing and reading.
  if (text.find('"') == std::string_view::npos) {
    const talvek::ProtocolCommand back = talvek::ProtocolCommand::parse(talvek::ProtocolCommand::textFor(text));
    if (!back.quoted || back.handlerPath != text) std::abort();
  }
  return 0;
}
