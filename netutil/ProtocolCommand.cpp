#include "netutil/ProtocolCommand.h"

#include "netutil/TextMarkers.h"

namespace talvek {
namespace {

constexpr std::string_view kArgument = "\"%1\"";

}  // namespace

std::string ProtocolCommand::textFor(std::string_view handlerPath) {
  return "\"" + std::string(handlerPath) + "\"  " + std::string(kArgument);
}

ProtocolCommand ProtocolCommand::parse(std::string_view text) {
  if (text.starts_with('"')) {
    size_t closing = text.find('"', 1);
    // An opening quote never closed names no program at all.
    if (closing == std::string_view::npos) return {};
    return {std::string(text.substr(1, closing - 1)), true};
  }
  if (text.ends_with(kArgument)) text.remove_suffix(kArgument.size());
  return {trimSpaces(text), false};
}

}  // namespace talvek
