#!/usr/bin/env bash
# Installs what is missing, builds in build/ and runs the main job on the demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

zainstaluj_pakiety
zbuduj build

./build/bin/velostra-cli konfiguracja
