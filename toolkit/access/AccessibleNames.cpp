#include "toolkit/access/AccessibleNames.h"

namespace talvek {

void AccessibleNames::set(ControlRef ref, std::u16string name) {
  if (name.empty()) {
    names_.erase(ref);
  } else {
    names_[ref] = std::move(name);
  }
}

std::u16string AccessibleNames::get(ControlRef ref) const {
  const auto found = names_.find(ref);
  return found == names_.end() ? std::u16string() : found->second;
}

AccessibleNames& accessibleNames() {
  static AccessibleNames names;
  return names;
}

}  // namespace talvek
