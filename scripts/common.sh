# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts: install what a fresh Debian machine lacks, then build.
# Sourced, not run.

POSTI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages every build needs: compiler, CMake, Qt 6 Widgets, Qt's own Italian
# translations and the fonts the window is laid out for; for reading class
# lists, QuaZip (the zip of XLSX and ODS, with Qt's XML reader) and FreeXL (the
# old binary .xls), found through pkg-config (see docs/importers.md); and LLVM's
# linker, which lays out the functions the start runs together (see
# src/CMakeLists.txt).
POSTI_PACKAGES=(g++ make cmake qt6-base-dev qt6-translations-l10n fonts-liberation2 fonts-dejavu-core
    libquazip1-qt6-dev libfreexl-dev pkg-config lld)

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

# The configuration of build/, the one Release build that serves the program
# (scripts/run), the tests and the package (scripts/package): installed, the
# program finds Qt where the system keeps it, with no RUNPATH; installing (and
# so packaging) needs the program built, not the tests. Optimised as Debian
# builds its packages (-O2, CMake's Release says -O3): a tenth less to compile.
POSTI_RELEASE_CONFIG=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_RPATH=ON
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG")

# The configuration of build-fuzz/: clang, every target with AddressSanitizer,
# UndefinedBehaviorSanitizer and libFuzzer's coverage hooks, unoptimised (it
# compiles in half the time; the fuzzers run slower, but each runs twice as
# long since they run side by side), with line tables for the sanitizers'
# reports. It builds the fuzz targets (scripts/fuzz) and the tests labelled
# "sanitized" (scripts/test), those below the session with their shared
# precompiled header. LLVM's linker links it, as every build on Linux.
POSTI_FUZZ_CONFIG=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug
    "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -gline-tables-only" -DPOSTI_FUZZ=ON)

# posti_build DIR [CMAKE ARGS...] [-- TARGETS...] configures DIR and builds
# the targets into it (all when none is given).
posti_build() {
    local dir=$1 args=() targets=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        args+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    for target in "$@"; do
        targets+=(--target "$target")
    done
    cmake -S "$POSTI_ROOT" -B "$dir" "${args[@]}" >/dev/null &&
        cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)" "${targets[@]}"
}
