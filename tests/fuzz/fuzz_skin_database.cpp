// Skin database blocks from outside: loading must never read past the
// block, and whatever loads must write back to a block that loads the same.
#include <cstdlib>

#include "toolkit/core/SkinDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  talvek::ByteView block(data, size);
  talvek::SkinDatabase database;
  database.addItem({"before", 1, 2, {3}});
  auto before = database.items();
  if (!database.loadFromBytes(block)) {
    if (database.items() != before) std::abort();
  } else {
    auto again = talvek::parseSkinDatabase(*talvek::encodeSkinDatabase({database.description(), database.items()}),
                                           talvek::RecordFraming::ByLength);
    if (!again || again->items != database.items()) std::abort();
  }
  talvek::parseSkinDatabase(block, talvek::RecordFraming::ByLength);
  return 0;
}
