#include "installer/Payload.h"

#include "toolkit/core/EmbeddedBlob.h"

TALVEK_DECLARE_BLOB(talvek_payload);

namespace talvek {

std::span<const std::uint8_t> payloadBytes() { return TALVEK_BLOB(talvek_payload); }

}  // namespace talvek
