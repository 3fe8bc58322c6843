# Installs the Debian packages Korvex needs, only those that are missing.
# Sourced by ./run and ./test; call ensure_packages with a list of package names.

ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Generates the named locales (e.g. de_DE.UTF-8) that are not there yet; needs the locales package.
ensure_locales() {
  local missing=()
  local name
  for name in "$@"; do
    # locale -a lists "de_DE.utf8" for "de_DE.UTF-8".
    if ! locale -a 2>/dev/null | grep -qix "${name%%.*}.utf-\?8"; then
      missing+=("$name")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Generating locales: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  for name in "${missing[@]}"; do
    $sudo localedef -i "${name%%.*}" -c -f UTF-8 -A /usr/share/locale/locale.alias "$name"
  done
}

KORVEX_BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libqcustomplot-dev libjpeg62-turbo-dev libfast-float-dev libxlsxwriter-dev zlib1g-dev
  fonts-liberation2 fonts-dejavu-core
)
KORVEX_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev python3 python3-openpyxl locales
)
# Only for the libFuzzer targets (see README, Reliability).
KORVEX_FUZZ_PACKAGES=(
  clang
)
# Qt's own translations for the desktop's language; `file` lets the package build read the
# programs' library needs.
KORVEX_BUILD_PACKAGES+=(qt6-translations-l10n file)
# Checks of the desktop entry, the AppStream metadata and the manual pages.
KORVEX_TEST_PACKAGES+=(desktop-file-utils appstream man-db)
