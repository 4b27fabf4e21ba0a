# Shared by scripts/run and scripts/test: the packages the widget needs and the build.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# scripts/test builds in build/ (and build-sanitize/); scripts/run and scripts/package in build-run/,
# with settings of their own, so that neither rebuilds what the other built.
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
PROGRAM_BUILD_DIR=$ROOT/build-run

# Building: compiler, CMake and Qt 6 with its D-Bus module (the shutdown request on Linux), xcb
# (the pinned board's taskbar hints on X11), and dpkg-dev, whose dpkg-shlibdeps finds the Debian
# package's library dependencies; Qt's private headers let the tests change the screens.
BUILD_PACKAGES=(g++ make cmake pkgconf qt6-base-dev qt6-base-dev-tools qt6-base-private-dev help2man
    libqt6dbus6 libxcb1-dev dpkg-dev)
# The open fonts the labels fall back on where the Windows faces are missing.
FONT_PACKAGES=(fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming)
# Qt's own Chinese translation, for the dialogs and buttons Qt draws (the colour dialog).
TRANSLATION_PACKAGES=(qt6-translations-l10n)
# The fonts the board's own typefaces are cut from (tools/fonts/subset-fonts).
SOURCE_FONT_PACKAGES=(fonts-lxgw-wenkai fonts-arphic-ukai fonts-arphic-uming fonts-noto-cjk)

# Installs whichever of the given Debian packages are missing, as root or through sudo.
install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Configures and builds the Release build; extra arguments go to CMake's configure step.
build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

# The program alone, for scripts/run and scripts/package: a Release build in build-run/ without the
# tests and tools. A user's compiler may warn where ours does not: warnings do not stop it here.
build_program() {
    BUILD_DIR=$PROGRAM_BUILD_DIR build -DCMAKE_COMPILE_WARNING_AS_ERROR=OFF -DBUILD_TESTING=OFF \
        -DCOUNTDOWN_TOOLS=OFF
}
