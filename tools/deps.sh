# Sourced by tools/run and tools/test: installs the Debian packages the build needs when they are
# missing. apt-get runs as root, through sudo when the user is not root.

veldora_install_missing() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}" >&2
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -q >&2
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
    "${missing[@]}" >&2
}

# Everything the build, the tests and the benchmarks need (the keyboard tests run on an X server
# of their own, Xvfb; the locale test compiles a locale from the sources in locales; the report's
# PDFs are read back with poppler-utils; the install test validates the desktop entry with
# desktop-file-utils and builds a MIME database with shared-mime-info; Qt's own dialogs speak
# Persian with qt6-translations-l10n).
VELDORA_BUILD_PACKAGES=(build-essential cmake ninja-build libgtest-dev libbenchmark-dev
  qt6-base-dev fonts-farsiweb xvfb xauth locales poppler-utils desktop-file-utils
  shared-mime-info qt6-translations-l10n)

# The Debian package: dpkg-shlibdeps computes its library dependencies from what file finds ELF.
VELDORA_PACKAGE_PACKAGES=(dpkg-dev file)

# The Windows build (tools/package-windows): the MinGW-w64 cross compiler, dpkg-source for Qt's
# source package, NSIS for the installer, zip, DejaVu Sans to carry beside Nazli, and Wine to run
# what is built.
VELDORA_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix dpkg-dev nsis zip fonts-dejavu-core wine
  wine64)
# What tools/test-windows drives the Windows programs with: a display, a window manager, the tools
# that type, click and take screenshots, Python for the checks, poppler to read the PDFs.
VELDORA_WINDOWS_TEST_PACKAGES=(xvfb xauth openbox xdotool x11-utils imagemagick python3 locales
  poppler-utils)

# The sanitizer and fuzzing build: clang, and its runtimes (only recommended by the clang package).
VELDORA_SANITIZE_PACKAGES=(clang libclang-rt-14-dev)

# For the developers' tools that drive the windows: starts Xvfb with a screen of SIZE (WxHxDEPTH)
# on a display it finds free, and returns once it accepts connections, with DISPLAY set to it
# and veldora_xvfb holding its process.
veldora_start_xvfb() {
  local ready
  ready="$(mktemp -u)"
  mkfifo "$ready"
  Xvfb -displayfd 3 -screen 0 "$1" 3>"$ready" >/dev/null 2>&1 &
  veldora_xvfb=$!
  local number=""
  read -r number <"$ready" || true
  rm -f "$ready"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}
