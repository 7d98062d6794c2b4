# Sourced: the environment every Wine run of the project uses. The caller may
# set WINEPREFIX (one per test suite); it defaults to the unit-test prefix.
TALVEK_ROOT=${TALVEK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
TALVEK_BUILD_DIR=${TALVEK_BUILD_DIR:-$TALVEK_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$TALVEK_BUILD_DIR/wine/unit}
# The Windows programs run from the shipped 32-bit build where this machine
# runs 32-bit code. Where it cannot, they run from the 64-bit build (./dev
# makes it for that case) under 64-bit Wine, in 64-bit prefixes.
if [ -z "${TALVEK_WINE_ARCH:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then TALVEK_WINE_ARCH=win32; else TALVEK_WINE_ARCH=win64; fi
fi
export TALVEK_WINE_ARCH WINEARCH=$TALVEK_WINE_ARCH
if [ "$WINEARCH" = win64 ]; then
  case ":$PATH:" in *":$TALVEK_ROOT/scripts/wine64-bin:"*) ;; *) PATH=$TALVEK_ROOT/scripts/wine64-bin:$PATH ;; esac
  export WINELOADER=/usr/lib/wine/wine64
  export TALVEK_WIN_BUILD=$TALVEK_BUILD_DIR/win64 TALVEK_WIN_DIST=$TALVEK_BUILD_DIR/win64/dist
else
  export TALVEK_WIN_BUILD=$TALVEK_BUILD_DIR/win TALVEK_WIN_DIST=$TALVEK_ROOT/dist
fi
# No Linux menu entries for our shortcuts, no Mono or Gecko install prompts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Code page 936, as on the target systems; needs the host's zh_CN.UTF-8 locale.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# Keep the prefix's Desktop and Documents links inside the build tree.
export HOME=$WINEPREFIX.home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export XDG_DESKTOP_DIR=$HOME/Desktop
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
