#include "toolkit/core/FormGlobals.h"

namespace talvek {

Argb accentColor = 0;
int lastMouseFormLayered = 0;
int lastMouseFormShadow = 0;

const ByteBlock& defaultFormBackground(const std::optional<ByteBlock>& newValue) {
  static ByteBlock value;
  if (newValue) value = *newValue;
  return value;
}

}  // namespace talvek
