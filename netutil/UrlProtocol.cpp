#include "netutil/UrlProtocol.h"

#include "netutil/RegistryItemPath.h"
#include "netutil/RegistryItems.h"

namespace talvek {

bool UrlProtocol::registerHandler(const std::string& name, const std::string& handlerPath,
                                  int rootCode) {
  if (name.empty()) return false;
  for (const RegistryTextItem& item : protocolItems(name, handlerPath)) {
    RegistryItems::writeText(rootCode, item.path, item.text);
  }
  return isRegistered(name, rootCode);
}

bool UrlProtocol::isRegistered(const std::string& name, int rootCode) {
  return !name.empty() && RegistryItems::exists(rootCode, protocolCommandItem(name));
}

std::string UrlProtocol::command(const std::string& name, int rootCode) {
  if (name.empty()) return {};
  return RegistryItems::readText(rootCode, protocolCommandItem(name));
}

void UrlProtocol::unregister(const std::string& name) {
  if (name.empty()) return;
  for (int rootCode : {1, 3, 4}) {
    for (const RegistryTextItem& item : protocolItems(name, "")) {
      RegistryItems::remove(rootCode, item.path);
    }
  }
}

}  // namespace talvek
