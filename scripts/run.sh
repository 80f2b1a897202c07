#!/usr/bin/env bash
# Installs what is missing, builds in build/ and runs the main job on the demo data: the window on the demo
# set when a display is available, else the demo document made by the command-line tool.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

zainstaluj_pakiety
zbuduj build

# The main job: the demo set opened with its list, every position of its five estimates matched against
# the list (the demo folder is laid out as a user folder, "%USERPATH%" in the stored paths, and its
# estimates use variants), and its specification documents (.odt, .doc and .docx) merged by a private
# headless LibreOffice into one document: title page, header, numbered footers, the task name and the list
# of specifications in the general conditions. Progress goes to stderr, a JSON summary to stdout.
# With a display the program's window opens on the demo set instead; the document is generated there with
# "Generuj plik".
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/bin/velostra --katalog-uzytkownika data/demo --warianty "data/demo/Zestaw demo.zst"
fi
echo "Brak ekranu (zmienne DISPLAY i WAYLAND_DISPLAY są puste): okno programu nie zostanie otwarte," \
     "tworzę dokument zestawu demo poleceniem velostra-cli." >&2
wynik="$PWD/build/demo/Specyfikacje techniczne - zestaw demo.docx"
./build/bin/velostra-cli generuj "data/demo/Zestaw demo.zst" --katalog-uzytkownika data/demo --warianty -o "$wynik"
echo "Dokument zestawu demo: $wynik"
