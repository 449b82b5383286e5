# Debian packages the build, the tests, the benchmarks and the program need,
# on Debian 12, Debian 13 and Ubuntu 24.04. Sourced by the other scripts.
TARVELO_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  file # the .deb's library scan (cpack) reads the binaries through it
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-webengine-dev qt6-webengine-dev-tools
  qt6-translations-l10n qt6-wayland
  libcurl4-openssl-dev libpugixml-dev libcpp-httplib-dev libsqlite3-dev libopencc-dev
  libxapian-dev
  wordnet-base scowl # English synonyms and spelling variants for the search, read at build time
  libzip-dev libxlsxwriter-dev
  libminizip-dev # Debian 13's xlsxwriter.pc requires minizip, which its -dev package does not pull in
  libgtest-dev libgmock-dev libbenchmark-dev
  lintian # checks the .deb packages
  xvfb xauth xdotool xclip trayer imagemagick x11-utils python3
  fonts-wqy-microhei
  wrk curl
  clang
)

# Packages whose name differs between releases, each as a list of choices:
# the first one the release offers is taken. Debian 13 folds nginx-light into nginx.
TARVELO_PACKAGE_CHOICES=(
  "nginx-light nginx"
  "chromium chromium-browser"
)

# Prints the first of the given packages that the release can install.
tarvelo_first_available() {
  local p
  for p in "$@"; do
    # Read whole before matching: an early-ending grep would fail the pipe under pipefail.
    if [[ $(apt-cache policy "$p" 2>/dev/null) =~ Candidate:\ [^\(] ]]; then
      echo "$p"
      return 0
    fi
  done
  echo "None of these packages is offered by this release: $*" >&2
  return 1
}

# The clang runtime (sanitizers, libFuzzer) that matches the installed clang:
# libclang-rt-14-dev on Debian 12, -18- on Ubuntu 24.04, -19- on Debian 13.
tarvelo_clang_runtime() {
  local major
  major=$(clang -dumpversion 2>/dev/null | cut -d. -f1)
  [ -n "$major" ] || { echo "clang is not installed" >&2; return 1; }
  echo "libclang-rt-$major-dev"
}

# Installs the given packages that are missing; silent when all are there.
tarvelo_install_missing() {
  local missing=()
  local p
  for p in "$@"; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  [ -n "${tarvelo_apt_updated:-}" ] || { "${sudo[@]}" apt-get update -qq; tarvelo_apt_updated=1; }
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Installs whatever the project needs and is missing. The choices and the clang
# runtime are settled against the release's package lists and the clang just
# installed, so this runs in two rounds.
tarvelo_install_packages() {
  tarvelo_install_missing "${TARVELO_PACKAGES[@]}"
  local second=() choice name
  for choice in "${TARVELO_PACKAGE_CHOICES[@]}"; do
    # shellcheck disable=SC2086
    name=$(tarvelo_first_available $choice) || return 1
    second+=("$name")
  done
  name=$(tarvelo_clang_runtime) || return 1
  second+=("$name")
  tarvelo_install_missing "${second[@]}"
}

# Configures and builds into the given folder.
tarvelo_build() {
  local dir=$1; shift
  cmake -S "$TARVELO_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
