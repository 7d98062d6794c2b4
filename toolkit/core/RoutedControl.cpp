#include "toolkit/core/RoutedControl.h"

#include "toolkit/core/ReferenceTable.h"

namespace talvek {

RoutedControl::~RoutedControl() { detachReference(); }

ControlRef RoutedControl::attachReference() {
  detachReference();
  handle = controlReferences().addControl(this);
  return handle;
}

void RoutedControl::detachReference() {
  if (handle != 0) controlReferences().remove(handle);
  handle = 0;
}

}  // namespace talvek
