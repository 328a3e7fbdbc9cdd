# Shared set-up of scripts/run and scripts/test: Debian packages, locale, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUENDRA_BUILD_DIR:-$ROOT/build}"
SCRIPT="scripts/$(basename "$0")"

PACKAGES=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libgl-dev
          libsqlite3-dev sqlite3 locales fonts-dejavu-core fonts-liberation2 qt6-translations-l10n
          poppler-utils libxlsxwriter-dev zlib1g-dev unzip)

# Stops the script with a message on standard error.
stop() {
    echo "$SCRIPT: $1" >&2
    shift
    for line in "$@"; do echo "    $line" >&2; done
    exit 1
}

# Root can install packages and generate locales: directly, or through sudo.
can_act_as_root() {
    [ "$(id -u)" -eq 0 ] || command -v sudo >/dev/null 2>&1
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local install="apt-get install -y --no-install-recommends ${missing[*]}"
    if ! can_act_as_root; then
        stop "these Debian packages are missing and there is no sudo to install them: ${missing[*]}" \
             "Install them as root:" "  apt-get update && $install" "or run $SCRIPT as root."
    fi
    echo "Installing: ${missing[*]}"
    as_root apt-get -o DPkg::Lock::Timeout=600 update -qq &&
        as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y \
            --no-install-recommends "${missing[@]}" ||
        stop "could not install the Debian packages: ${missing[*]}" "Install them as root:" "  $install"
}

# A German locale for the second run of the locale-sensitive suites.
has_german_locale() {
    locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'
}

ensure_german_locale() {
    has_german_locale && return
    local generate="localedef -i de_DE -f UTF-8 de_DE.UTF-8"
    if ! can_act_as_root; then
        stop "the German locale de_DE.UTF-8, under which the locale-sensitive suites run again, is missing," \
             "and there is no sudo to generate it. Generate it as root (Debian package locales):" "  $generate" \
             "or run $SCRIPT as root."
    fi
    echo "Generating the German locale de_DE.UTF-8"
    if ! as_root $generate || ! has_german_locale; then
        stop "could not generate the German locale de_DE.UTF-8, under which the locale-sensitive suites run again." \
             "It needs the Debian package locales with its German definition (/usr/share/i18n/locales/de_DE);" \
             "generate it as root:" "  $generate"
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
