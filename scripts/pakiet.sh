#!/usr/bin/env bash
# Builds the Debian package velostra_<version>_amd64.deb: installs what is missing, builds the programs
# (Release, without tests) and runs cpack. Prints the package's path.
#   scripts/pakiet.sh [BUILD_FOLDER]     (build-pakiet/ by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

katalog=${1:-build-pakiet}
zainstaluj_pakiety dpkg-dev librsvg2-bin
zbuduj "$katalog" -DCMAKE_BUILD_TYPE=Release -DVELOSTRA_TESTS=OFF -DVELOSTRA_BENCH=OFF
(cd "$katalog" && cpack -G DEB >/dev/null)
wersja=$(sed -n 's/^project(Velostra VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
pakiet="$(cd "$katalog" && pwd)/velostra_${wersja}_$(dpkg --print-architecture).deb"
[ -f "$pakiet" ] || { echo "Nie powstał pakiet $pakiet" >&2; exit 1; }
echo "$pakiet"
echo "Instalacja: sudo apt install $pakiet" >&2
