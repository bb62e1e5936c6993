#!/usr/bin/env bash
# Installs the Debian 12 packages Velda needs to build, run and test, when missing.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-qpa-plugins qtbase5-dev
  liblhasa-dev liblhasa0 libarchive-dev libarchive13
  libgtest-dev
  fonts-noto-cjk qt6-translations-l10n qttranslations5-l10n
  xdg-utils
  desktop-file-utils appstream dpkg-dev fakeroot lintian
  xvfb openbox x11-utils xdotool
  exfat-fuse exfatprogs
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
