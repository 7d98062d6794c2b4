// Registry items are addressed as "key path\value name"; a path ending in a
// backslash names the key's default value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvek {

struct RegistryItemPath {
  std::string key;
  std::string valueName;

  static RegistryItemPath split(std::string_view itemPath);
};

struct RegistryTextItem {
  std::string path;
  std::string text;
};

// The six items of a URL protocol named `name` handled by `handlerPath`, in
// the order they are written and removed.
std::vector<RegistryTextItem> protocolItems(std::string_view name, std::string_view handlerPath);
// The item whose presence means the protocol is registered.
std::string protocolCommandItem(std::string_view name);

// The Run value's text: the quoted program path, then the arguments if given.
std::string autorunValueText(std::string_view programPath, const std::string* arguments);

// setAutorun's result codes.
enum AutorunCode : int {
  kAutorunKeyFailed = -3,
  kAutorunWriteFailedWasEmpty = -2,
  kAutorunWriteFailed = -1,
  kAutorunUnchanged = 0,
  kAutorunAdded = 1,
  kAutorunReplaced = 2,
  kAutorunFilledEmpty = 3,
};

// What finding `stored` (absent when missing or unreadable) means for a new
// text: the code on a successful write, or kAutorunUnchanged for no write.
struct AutorunDecision {
  bool write;
  int codeOnSuccess;
  int codeOnFailure;
};
AutorunDecision decideAutorun(const std::string* stored, std::string_view newText);

}  // namespace talvek
