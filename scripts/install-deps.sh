#!/bin/sh
# Installs every Debian package that building, testing and running the
# launcher need. Does nothing when they are all present already.
set -eu

PACKAGES="
build-essential cmake pkg-config git
zlib1g-dev libssl-dev libcurl4-openssl-dev libcpp-httplib-dev
libgtk-3-dev libwebkit2gtk-4.1-dev libx11-dev libxext-dev libglib2.0-dev libglib2.0-bin
libcairo2-dev libpango1.0-dev
libgtest-dev libgmock-dev libbenchmark-dev
clang libclang-rt-14-dev
xvfb xauth xdotool x11-utils imagemagick openbox trayer xcompmgr
fonts-noto-cjk fonts-liberation2
curl unzip zip file time python3 desktop-file-utils
dbus-x11 gvfs zenity
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "install-deps: installing:$missing" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
