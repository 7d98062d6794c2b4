#include "toolkit/richedit/JqueryLibrary.h"

#include "toolkit/core/EmbeddedBlob.h"

TALVEK_DECLARE_BLOB(talvek_jquery);

namespace talvek::richedit {

std::span<const std::uint8_t> jqueryLibrary() { return TALVEK_BLOB(talvek_jquery); }

}  // namespace talvek::richedit
