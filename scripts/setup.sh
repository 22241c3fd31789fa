# Shared set-up of scripts/play and scripts/test: installs the Debian packages
# the build needs (apt-get update only when something is missing).
set -euo pipefail

ZX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ZX_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fontconfig fonts-liberation fonts-liberation2
  xvfb xauth xdotool
  poppler-utils
  desktop-file-utils libxml2-utils shared-mime-info xdg-utils libglib2.0-bin libfile-mimeinfo-perl
  lintian
)

zx_install_packages() {
  local missing=()
  local p
  for p in "${ZX_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installiere fehlende Pakete: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# zx_build DIR BUILD_TYPE [cmake options...]: configures once, then builds.
zx_build() {
  local dir="$1" type="$2"
  shift 2
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ZX_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
  fi
  cmake --build "$dir" --parallel "$(nproc)"
}
