# Shared set-up of scripts/run and scripts/test: Debian packages, locale, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUENDRA_BUILD_DIR:-$ROOT/build}"

PACKAGES=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
          libsqlite3-dev sqlite3 locales fonts-dejavu-core fonts-liberation2 qt6-translations-l10n
          poppler-utils libxlsxwriter-dev zlib1g-dev unzip)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y \
            --no-install-recommends "${missing[@]}"
    fi
}

# A German locale for the second run of the locale-sensitive suites.
ensure_german_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "warning: could not generate de_DE.UTF-8"
    fi
}

build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

# AddressSanitizer and UndefinedBehaviorSanitizer in a build tree of their own; any finding fails its test.
SANITIZE_BUILD_DIR="${QUENDRA_SANITIZE_BUILD_DIR:-$ROOT/build-sanitize}"
SANITIZE_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
build_sanitized() {
    BUILD_DIR="$SANITIZE_BUILD_DIR" build -DCMAKE_CXX_FLAGS="$SANITIZE_FLAGS" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
}
