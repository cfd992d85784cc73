# Installs the Debian packages that the build and the tests need, only when one is missing.
# Sourced by scripts/run and scripts/test.
nimbrel_packages=(cmake ninja-build g++ pkg-config libpng-dev zlib1g-dev nlohmann-json3-dev
                  libcurl4-openssl-dev libncurses-dev libgtest-dev libgmock-dev libbenchmark-dev ccache)
nimbrel_test_packages=(g++-mingw-w64-x86-64-posix clang-format tmux)

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
