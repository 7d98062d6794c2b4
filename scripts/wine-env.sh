# Sourced: the environment every Wine run of the project uses. The caller may
# set WINEPREFIX (one per test suite); it defaults to the unit-test prefix.
TALVEK_ROOT=${TALVEK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
TALVEK_BUILD_DIR=${TALVEK_BUILD_DIR:-$TALVEK_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$TALVEK_BUILD_DIR/wine/unit}
# Where this machine cannot run 32-bit code, the Windows tests run on the
# 64-bit build in 64-bit prefixes (TALVEK_WINE_ARCH=win64, see run-tests.sh).
export WINEARCH=${TALVEK_WINE_ARCH:-win32}
if [ "$WINEARCH" = win64 ]; then
  case ":$PATH:" in *":$TALVEK_ROOT/scripts/wine64-bin:"*) ;; *) PATH=$TALVEK_ROOT/scripts/wine64-bin:$PATH ;; esac
  export WINELOADER=/usr/lib/wine/wine64
fi
export WINEDEBUG=-all
# No Linux menu entries for our shortcuts, no Mono or Gecko install prompts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Code page 936, as on the target systems; needs the host's zh_CN.UTF-8 locale.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# Keep the prefix's Desktop and Documents links inside the build tree.
export HOME=$WINEPREFIX.home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export XDG_DESKTOP_DIR=$HOME/Desktop
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
