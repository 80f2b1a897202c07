#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test through CTest.
#   scripts/test.sh          build in build/
#   scripts/test.sh --asan   build in build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

katalog=build
opcje=()
for arg in "$@"; do
  case "$arg" in
    --asan) katalog=build-asan; opcje+=(-DVELOSTRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
    *) echo "Nieznana opcja: $arg" >&2; exit 2 ;;
  esac
done

zainstaluj_pakiety
zbuduj "$katalog" "${opcje[@]}"

# The second, independent reader of Access files in the tests: mdb-reader under Node (already on the
# machine; npm is never installed through apt). Without it those comparisons are skipped.
if command -v npm >/dev/null 2>&1; then
  if [ ! -d "$katalog/npm/node_modules/mdb-reader" ]; then
    npm install --silent --no-audit --no-fund --prefix "$katalog/npm" mdb-reader@3 >/dev/null 2>&1 ||
      echo "Uwaga: nie udało się zainstalować mdb-reader; porównania z nim zostaną pominięte." >&2
  fi
  export VELOSTRA_NODE_MODULES="$PWD/$katalog/npm/node_modules"
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
ctest --test-dir "$katalog" --output-on-failure -j "$(nproc)" --timeout 600
