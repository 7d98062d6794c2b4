// The default skin database, linked into the program as constant data.
#pragma once

#include "toolkit/core/ByteBlock.h"

namespace talvek {

ByteView builtinSkinBlock();

}  // namespace talvek
