#include "installer/InstallerArt.h"

#include "toolkit/core/EmbeddedBlob.h"

TALVEK_DECLARE_BLOB(talvek_art_header);
TALVEK_DECLARE_BLOB(talvek_art_header_small);
TALVEK_DECLARE_BLOB(talvek_art_install_normal);
TALVEK_DECLARE_BLOB(talvek_art_install_hover);
TALVEK_DECLARE_BLOB(talvek_art_install_pressed);
TALVEK_DECLARE_BLOB(talvek_art_folder);
TALVEK_DECLARE_BLOB(talvek_art_advanced);
TALVEK_DECLARE_BLOB(talvek_art_close);

namespace talvek::installer_art {

ByteView header() { return TALVEK_BLOB(talvek_art_header); }
ByteView headerSmall() { return TALVEK_BLOB(talvek_art_header_small); }
ByteView installNormal() { return TALVEK_BLOB(talvek_art_install_normal); }
ByteView installHover() { return TALVEK_BLOB(talvek_art_install_hover); }
ByteView installPressed() { return TALVEK_BLOB(talvek_art_install_pressed); }
ByteView folder() { return TALVEK_BLOB(talvek_art_folder); }
ByteView advanced() { return TALVEK_BLOB(talvek_art_advanced); }
ByteView close() { return TALVEK_BLOB(talvek_art_close); }

}  // namespace talvek::installer_art
