# Debian packages the build, the tests, the benchmarks and the program need.
# Sourced by the other scripts.
TARVELO_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-webengine-dev qt6-webengine-dev-tools
  libcurl4-openssl-dev libpugixml-dev libcpp-httplib-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool trayer imagemagick x11-utils python3
  fonts-wqy-microhei
  wrk nginx-light curl
  chromium
  clang libclang-rt-14-dev
)

# Installs whatever of TARVELO_PACKAGES is missing; silent when all are there.
tarvelo_install_packages() {
  local missing=()
  local p
  for p in "${TARVELO_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures and builds into the given folder.
tarvelo_build() {
  local dir=$1; shift
  cmake -S "$TARVELO_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
