# Installs the Debian packages that the build and the tests need, only when one is missing.
# Sourced by scripts/run and scripts/test.
nimbrel_packages=(cmake ninja-build g++ pkg-config libpng-dev zlib1g-dev nlohmann-json3-dev
                  libcurl4-openssl-dev libncurses-dev libgtest-dev libgmock-dev libbenchmark-dev ccache)
nimbrel_test_packages=(g++-mingw-w64-x86-64-posix clang-format tmux)
# The fuzz targets: clang with libFuzzer and the sanitizer runtimes (scripts/fuzz).
nimbrel_fuzz_packages=(clang libclang-rt-14-dev)
# The Windows program (scripts/build-windows) and its tests under Wine.
# 64-bit and 32-bit (libz-mingw-w64-dev holds zlib for both), the help file (chmcmd) and the installer.
nimbrel_windows_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                          mingw-w64-x86-64-dev g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
                          binutils-mingw-w64-i686 mingw-w64-i686-dev libz-mingw-w64-dev dpkg-dev zip
                          fp-utils nsis)
nimbrel_wine_packages=(wine wine64 fonts-wine xvfb xauth imagemagick xdotool)

nimbrel_install() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}
