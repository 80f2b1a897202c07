#!/usr/bin/env bash
# Installs what is missing, builds in build/ and runs the main job on the demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

zainstaluj_pakiety
zbuduj build

# The main job: a demo estimate read into its tree and printed as JSON.
./build/bin/velostra-cli kosztorys "data/demo/rds/przebudowa_drogi_gminnej.rds"
