// A custom URL protocol: its six registry items under one root.
#pragma once

#include <string>

namespace talvek {

class UrlProtocol {
 public:
  // An empty name is refused everywhere: its items would be the root's own.
  static bool registerHandler(const std::string& name, const std::string& handlerPath,
                              int rootCode);
  static bool isRegistered(const std::string& name, int rootCode);
  static std::string command(const std::string& name, int rootCode);
  // Removes the items under HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and
  // HKEY_LOCAL_MACHINE; HKEY_CURRENT_CONFIG is left as it is.
  static void unregister(const std::string& name);
};

}  // namespace talvek
