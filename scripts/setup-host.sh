#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the installer.
# Idempotent: every step checks first, so a machine that already has some of it
# only gets the rest. Must run as root.
set -euo pipefail

log() { printf '[setup] %s\n' "$*"; }

if [ "$(id -u)" -ne 0 ]; then
  echo "setup-host.sh must run as root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive

PACKAGES=(
  cmake ninja-build make pkg-config git ca-certificates dpkg-dev
  g++ clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev zlib1g-dev
  googletest
  wine wine32:i386 libgnutls30:i386
  xvfb xdotool x11-utils xcompmgr imagemagick fonts-wqy-microhei
  tesseract-ocr tesseract-ocr-chi-sim
  chromium
  locales python3
  osslsigncode openssl advancecomp
)

need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  log "adding the i386 architecture"
  dpkg --add-architecture i386
  need_update=1
fi

# minizip ships only inside zlib's source package: add the matching deb-src line.
# Asked of apt itself: a deb-src line of another repository, or one whose
# index was never fetched, does not make the source known.
SRC_LIST=/etc/apt/sources.list.d/talvek-deb-src.sources
if ! apt-cache showsrc zlib 2>/dev/null | grep -qx 'Version: 1:1.2.13.dfsg-1'; then
  if [ ! -f "$SRC_LIST" ]; then
    log "adding a deb-src entry for bookworm main"
    cat > "$SRC_LIST" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  need_update=1
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# Node.js and npm may come from elsewhere than Debian; only install them when absent.
if ! command -v npm >/dev/null 2>&1; then
  missing+=(nodejs npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$need_update" = 1 ] || [ ! -f /var/lib/apt/periodic/talvek-updated ]; then
    log "apt-get update"
    apt-get update -qq
    mkdir -p /var/lib/apt/periodic && touch /var/lib/apt/periodic/talvek-updated
  fi
  log "installing: ${missing[*]}"
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
elif [ "$need_update" = 1 ]; then
  apt-get update -qq
fi

# Non-ASCII file names fail under Wine unless the host has this locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  log "generating the zh_CN.UTF-8 locale"
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
log "host ready"
