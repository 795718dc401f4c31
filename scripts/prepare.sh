# Shared set-up for ./test.sh and ./run.sh: installs the Debian packages that are
# missing (and only those), then configures and builds the project in build/.
# Sourced, not run: it leaves BUILD_DIR set for the caller.

ROOT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT_DIR/build}"

PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin libgl-dev
    libsqlite3-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    fonts-arphic-uming fonts-wqy-microhei
    poppler-utils xvfb xauth
)

install_missing_packages() {
    local missing=()
    local p
    for p in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_project() {
    cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD_DIR" -j"$(nproc)"
}

# The web views run headless, as root and without a GPU on build machines.
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
