# Shared set-up of ./tarnel and ./check: packages, build, Wine prefix, display.
# Sourced, not run. Sets ROOT and BUILD and the functions below.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TARNEL_BUILD:-$ROOT/build}

# Tests run in a Wine prefix of their own: what they leave there (the file
# dialogs' last folders, registrations, settings) never reaches ./tarnel's.
TEST_PREFIX="$BUILD/testprefix"

TARNEL_PACKAGES=(wine wine64 libwine libwine-dev fonts-wine fonts-liberation
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-tools libz-mingw-w64-dev googletest cmake ninja-build
  xvfb xauth x11-utils imagemagick
  cups cups-client printer-driver-cups-pdf poppler-utils)

install_packages() {
  local missing=()
  for p in "${TARNEL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

configure_and_build() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake --build "$BUILD" -- -j"$(nproc)" "$@"
}

# wine_env [PREFIX]: the program's prefix unless another is given.
wine_env() {
  export WINEPREFIX="${1:-$BUILD/wineprefix}"
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko install prompts.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  export WINEARCH=win64
  # See the file for why.
  export XENVIRONMENT=${XENVIRONMENT:-$ROOT/scripts/x-resources}
}

# True when the prefix's user registry sets both X11 driver values to N.
x11_settings_present() {
  awk '/^\[/ { inx = ($0 ~ /^\[Software\\\\Wine\\\\X11 Driver\]/) }
       inx && /^"Decorated"="N"/ { d = 1 }
       inx && /^"Managed"="N"/ { m = 1 }
       END { exit !(d && m) }' "$WINEPREFIX/user.reg" 2>/dev/null
}

# True when the prefix's user registry maps "Courier New" onto "Liberation Mono".
font_replacement_present() {
  awk '/^\[/ { inr = ($0 ~ /^\[Software\\\\Wine\\\\Fonts\\\\Replacements\]/) }
       inr && /^"Courier New"="Liberation Mono"/ { f = 1 }
       END { exit !f }' "$WINEPREFIX/user.reg" 2>/dev/null
}

# prepare_prefix [PREFIX]: as wine_env.
prepare_prefix() {
  wine_env "${1:-}"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix in $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # No window manager runs on a virtual display: let Wine draw the captions
  # and frames itself, so screenshots show windows as they look, and keep
  # windows unmanaged, or Wine waits for a manager each time one hides and
  # a maximised window keeps its old size on the screen. Checked on every
  # run: a prefix Wine made by itself (a test run straight from ctest)
  # lacks them.
  if ! x11_settings_present; then
    echo "Setting the X11 driver values in $WINEPREFIX"
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
    if ! x11_settings_present; then
      echo "Could not set the X11 driver values in $WINEPREFIX" >&2
      return 1
    fi
  fi
  # The editor's font, "Courier New", is not installed under Wine: without a
  # stand-in it falls back to a proportional font. Liberation Mono has the
  # same metrics.
  if ! font_replacement_present; then
    echo "Mapping Courier New to Liberation Mono in $WINEPREFIX"
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
      >/dev/null 2>&1 || true
    wineserver -w
    font_replacement_present || echo "Could not map Courier New in $WINEPREFIX" >&2
  fi
}

# Printing goes to a real print queue: the CUPS daemon is started when it is
# not running, and a PDF printer (each job a PDF file in ~/PDF, which
# pdftotext reads back) becomes the default unless the machine has a default
# of its own. Wine lists the default printer as its own default.
ensure_print_queue() {
  command -v lpstat >/dev/null 2>&1 || return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    $sudo cupsd >/dev/null 2>&1 || true
    for _ in $(seq 50); do
      lpstat -r 2>/dev/null | grep -q "is running" && break
      sleep 0.1
    done
  fi
  lpstat -d 2>/dev/null | grep -q "system default destination:" && return 0
  if ! lpstat -p PDF >/dev/null 2>&1; then
    local ppd
    ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt/ { print $1; exit }')
    $sudo lpadmin -p PDF -E -v cups-pdf:/ -m "${ppd:-lsb/usr/cups-pdf/CUPS-PDF_opt.ppd}" 2>/dev/null ||
      { echo "Could not add the PDF printer" >&2; return 0; }
  fi
  $sudo lpadmin -d PDF 2>/dev/null || true
}

STARTED_XVFB=""
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  STARTED_XVFB=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

stop_display() {
  if [ -n "$STARTED_XVFB" ]; then
    kill "$STARTED_XVFB" 2>/dev/null || true
    wait "$STARTED_XVFB" 2>/dev/null || true
    STARTED_XVFB=""
  fi
}
