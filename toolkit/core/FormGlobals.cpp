#include "toolkit/core/FormGlobals.h"

namespace talvek {

const ByteBlock& defaultFormBackground(const std::optional<ByteBlock>& newValue) {
  static ByteBlock value;
  if (newValue) value = *newValue;
  return value;
}

}  // namespace talvek
