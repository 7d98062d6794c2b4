#include "installer/InstallerState.h"

namespace talvek {

InstallerState& installerState() {
  static InstallerState state;
  return state;
}

}  // namespace talvek
