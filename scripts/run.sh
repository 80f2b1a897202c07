#!/usr/bin/env bash
# Installs what is missing, builds in build/ and runs the main job on the demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

zainstaluj_pakiety
zbuduj build

# The main job: the demo set opened with its list, every position of its five estimates matched against
# the list, and the set printed as JSON with its collection of specifications. The demo folder is laid
# out as a user folder ("%USERPATH%" in the stored paths) and its estimates use variants.
./build/bin/velostra-cli zestaw "data/demo/Zestaw demo.zst" --katalog-uzytkownika data/demo --warianty
