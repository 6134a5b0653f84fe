#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing,
# so that a second run costs nothing, and never through recommendations: whatever a
# script or test runs is named here (git for the formatting check's file list,
# clang-format and clang-tidy for the checks, clang's runtimes for the fuzzers and
# sanitizers, fonts and Xvfb for the windows, poppler-utils for reading the reports back).
# Usage: scripts/deps.sh [core|full|bench]
set -euo pipefail

packages=(build-essential cmake ninja-build git libgtest-dev libgmock-dev libbenchmark-dev python3)
if [ "${1:-full}" != core ]; then
  packages+=(qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev qt6-translations-l10n libqt6svg6 fonts-liberation fonts-comic-neue fonts-dejavu-core
             poppler-utils
             xvfb xauth clang libclang-rt-14-dev clang-format clang-tidy)
  # pdftotext reads back what the teacher's slips say.
  packages+=(poppler-utils)
fi
if [ "${1:-full}" = bench ]; then
  packages+=(time valgrind)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
# dpkg's progress is long; it is shown only when the installation fails.
if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } \
  >"$log" 2>&1; then
  tail -n 30 "$log"
  rm -f "$log"
  echo "deps.sh: installing the packages failed" >&2
  exit 1
fi
rm -f "$log"
