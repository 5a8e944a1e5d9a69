#!/bin/sh
# The one list of what the project needs on Debian 12; installs only what is missing.
set -eu
# Extra packages may be named as arguments (scripts/fuzz.sh adds clang).
# Run time of the Qt back end and the end-to-end tests of real windows: fonts, a virtual X
# server with X input (xdotool), the X clipboard (xclip), window dumps (xwd), PDF tools,
# the checkers of the installed desktop entries and file types, and the X event monitor
# (x11-utils) with which the start-up benchmark waits for the frame; the toolkit's German
# texts (qt6-translations-l10n) for its file and print dialogs.
PACKAGES="build-essential cmake ninja-build pkg-config git python3 \
libgtest-dev libgmock-dev googletest libbenchmark-dev qt6-base-dev \
libqt6gui6 fonts-dejavu-core xvfb xauth xdotool xclip x11-apps poppler-utils ripgrep \
desktop-file-utils libxml2-utils shared-mime-info x11-utils qt6-translations-l10n $*"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  # shellcheck disable=SC2086
  $SUDO apt-get install -y --no-install-recommends $missing
fi
