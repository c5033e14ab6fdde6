#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, if any are
# missing. Sourced by run.sh (lumetra_setup_run: the Linux viewer only), test.sh and
# bench.sh (lumetra_setup: everything the tests build and run as well).
lumetra_run_packages=(
  build-essential cmake
  qt6-base-dev qt6-svg-dev fonts-dejavu-core
)
lumetra_packages=(
  "${lumetra_run_packages[@]}"
  pkg-config
  libgtest-dev libgmock-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 fonts-wine xvfb xdotool
  python3 python3-jsonschema
  dmidecode desktop-file-utils appstream man-db dpkg-dev file
  clang-14 libclang-rt-14-dev
)

lumetra_setup() {
  lumetra_install "${lumetra_packages[@]}"
}

lumetra_setup_run() {
  lumetra_install "${lumetra_run_packages[@]}"
}

# Installs those of the given packages that are missing.
lumetra_install() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
}
