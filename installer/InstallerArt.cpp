#include "installer/InstallerArt.h"

#include <array>

#include "toolkit/core/EmbeddedBlob.h"
#include "toolkit/core/PictureScale.h"
#include "toolkit/core/PictureVariants.h"

#define TALVEK_DECLARE_ART(name)     \
  TALVEK_DECLARE_BLOB(name);         \
  TALVEK_DECLARE_BLOB(name##_1_5x);  \
  TALVEK_DECLARE_BLOB(name##_1_25x); \
  TALVEK_DECLARE_BLOB(name##_2x)

TALVEK_DECLARE_ART(talvek_art_header);
TALVEK_DECLARE_ART(talvek_art_header_small);
TALVEK_DECLARE_ART(talvek_art_install_normal);
TALVEK_DECLARE_ART(talvek_art_install_hover);
TALVEK_DECLARE_ART(talvek_art_install_pressed);
TALVEK_DECLARE_ART(talvek_art_folder);
TALVEK_DECLARE_ART(talvek_art_advanced);
TALVEK_DECLARE_ART(talvek_art_close);

namespace talvek::installer_art {
namespace {

struct Art {
  ByteView picture;
  std::array<ByteView, kLargerPictureScales.size()> larger;  // in the order of kLargerPictureScales
};
static_assert(kLargerPictureScales.size() == 3, "TALVEK_ART names one blob per larger scale");

#define TALVEK_ART(name)                                                                               \
  Art {                                                                                                \
    TALVEK_BLOB(name), { TALVEK_BLOB(name##_1_5x), TALVEK_BLOB(name##_1_25x), TALVEK_BLOB(name##_2x) } \
  }

const std::array<Art, 8>& allArt() {
  static const std::array<Art, 8> art = {
      TALVEK_ART(talvek_art_header),          TALVEK_ART(talvek_art_header_small),
      TALVEK_ART(talvek_art_install_normal),  TALVEK_ART(talvek_art_install_hover),
      TALVEK_ART(talvek_art_install_pressed), TALVEK_ART(talvek_art_folder),
      TALVEK_ART(talvek_art_advanced),        TALVEK_ART(talvek_art_close),
  };
  return art;
}

}  // namespace

ByteView header() { return allArt()[0].picture; }
ByteView headerSmall() { return allArt()[1].picture; }
ByteView installNormal() { return allArt()[2].picture; }
ByteView installHover() { return allArt()[3].picture; }
ByteView installPressed() { return allArt()[4].picture; }
ByteView folder() { return allArt()[5].picture; }
ByteView advanced() { return allArt()[6].picture; }
ByteView close() { return allArt()[7].picture; }

GdiplusImage decoded(ByteView picture) {
  const Art* found = nullptr;
  for (const Art& art : allArt()) {
    if (art.picture.data() == picture.data()) found = &art;
  }
  return toImage(decodePicture(picture, [found](std::string_view suffix) {
    ByteBlock drawing;
    for (std::size_t i = 0; found && i < kLargerPictureScales.size(); ++i) {
      if (kLargerPictureScales[i].suffix == suffix) drawing.assign(found->larger[i].begin(), found->larger[i].end());
    }
    return drawing;
  }));
}

}  // namespace talvek::installer_art
