# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts: install what a fresh Debian machine lacks, then build.
# Sourced, not run.

POSTI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages every build needs: compiler, CMake, Qt 6 Widgets, Qt's own Italian
# translations and the fonts the window is laid out for.
POSTI_PACKAGES=(g++ make cmake qt6-base-dev qt6-translations-l10n fonts-liberation2 fonts-dejavu-core)

# What the tests add to run under a real X server: Xvfb, a window manager, a
# typist for real key presses and mouse clicks, a session bus and the screen
# readers' bus.
POSTI_TEST_PACKAGES=(xvfb xauth openbox xdotool dbus-daemon dbus-bin at-spi2-core)

# What packaging adds: CPack's dependency lookup (dpkg-shlibdeps, file), the
# validators of the desktop entry and the metainfo, and the X server, window
# manager and input tool with which the package test drives the installed
# program as a teacher would.
POSTI_PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils appstream lintian x11-utils xvfb xauth openbox xdotool)

# What the fuzz build adds: clang with libFuzzer and its sanitizer runtimes.
POSTI_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# posti_install PACKAGE... installs the packages that are not installed yet.
posti_install() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
        as_root=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# posti_build DIR [CMAKE ARGS...] configures and builds into DIR.
posti_build() {
    local dir=$1
    shift
    cmake -S "$POSTI_ROOT" -B "$dir" "$@" >/dev/null &&
        cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)"
}
