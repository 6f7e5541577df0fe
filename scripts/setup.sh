#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Idempotent: when everything is present it changes nothing and does not touch the network.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git ccache ninja-build lld
  qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick
  dosfstools mtools
  poppler-utils fonts-dejavu-core pandoc weasyprint qpdf
  umockdev libumockdev-dev
  g++-mingw-w64-x86-64 wine64 libxml2-utils
  nsis fonts-wine unzip tesseract-ocr tesseract-ocr-eng
  clang-14 libclang-rt-14-dev
  dpkg-dev file lintian appstream desktop-file-utils xdotool icoutils debootstrap
  osslsigncode openssl zip libx11-dev
  qttranslations5-l10n fonts-noto-cjk locales
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
