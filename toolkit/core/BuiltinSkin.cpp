#include "toolkit/core/BuiltinSkin.h"

#include "toolkit/core/EmbeddedBlob.h"

TALVEK_DECLARE_BLOB(talvek_builtin_skin);

namespace talvek {

ByteView builtinSkinBlock() { return TALVEK_BLOB(talvek_builtin_skin); }

}  // namespace talvek
