# Shared by run.sh and test.sh: installs what is missing, configures and builds.
# shellcheck shell=bash

PAKIETY=(cmake ninja-build g++ ccache pkg-config qt6-base-dev libpugixml-dev libpcre2-dev zlib1g-dev libssl-dev
         libgtest-dev libgmock-dev libbenchmark-dev zip unzip python3 clang-format
         mdbtools mdbtools-dev libxlsxwriter-dev libqpdf-dev
         libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-dev fonts-liberation2 fonts-crosextra-carlito
         fonts-crosextra-caladea poppler-utils procps
         python3-openpyxl python3-xlrd python3-olefile python3-docx qt6-translations-l10n
         dpkg-dev file man-db librsvg2-bin desktop-file-utils appstream shared-mime-info libglib2.0-bin)

zainstaluj_pakiety() {
  local brakujace=()
  for p in "${PAKIETY[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || brakujace+=("$p")
  done
  if [ ${#brakujace[@]} -gt 0 ]; then
    echo "== Instaluję: ${brakujace[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${brakujace[@]}"
  fi
}

# zbuduj <build folder> [cmake options...]
zbuduj() {
  local katalog="$1"
  shift
  cmake -S . -B "$katalog" -G Ninja -DVELOSTRA_WERROR=ON "$@" >/dev/null
  cmake --build "$katalog"
}
