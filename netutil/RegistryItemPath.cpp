#include "netutil/RegistryItemPath.h"

#include "netutil/ProtocolCommand.h"
#include "netutil/TextMarkers.h"

namespace talvek {

RegistryItemPath RegistryItemPath::split(std::string_view itemPath) {
  size_t slash = itemPath.rfind('\\');
  if (slash == std::string_view::npos) return {std::string(), std::string(itemPath)};
  return {std::string(itemPath.substr(0, slash)), std::string(itemPath.substr(slash + 1))};
}

std::vector<RegistryTextItem> protocolItems(std::string_view name, std::string_view handlerPath) {
  std::string n(name);
  std::string p(handlerPath);
  return {
      {n + "\\", "URL:  " + n + " protocol Handler"},
      {n + "\\URL protocol", ""},
      {n + "\\DefaultIcon\\", p + "   "},
      {n + "\\shell\\", ""},
      {n + "\\shell\\open\\", ""},
      {protocolCommandItem(name), ProtocolCommand::textFor(handlerPath)},
  };
}

std::string protocolCommandItem(std::string_view name) {
  return std::string(name) + "\\shell\\open\\command\\";
}

std::string autorunValueText(std::string_view programPath, const std::string* arguments) {
  std::string text = "\"" + trimSpaces(programPath) + "\"";
  if (arguments) text += " " + trimSpaces(*arguments);
  return text;
}

AutorunDecision decideAutorun(const std::string* stored, std::string_view newText) {
  if (!stored) return {true, kAutorunAdded, kAutorunWriteFailed};
  if (stored->empty()) return {true, kAutorunFilledEmpty, kAutorunWriteFailedWasEmpty};
  if (*stored == newText) return {false, kAutorunUnchanged, kAutorunUnchanged};
  return {true, kAutorunReplaced, kAutorunWriteFailed};
}

}  // namespace talvek
