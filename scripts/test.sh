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
  # Two real Access files (MIT) inside npm packages, unpacked here so that no test downloads anything.
  pakiety="$katalog/npm/pakiety"
  for p in database-js-adodb@1.1.3 mdb@0.1.0; do
    nazwa=${p%@*}
    if [ ! -d "$pakiety/$nazwa/package" ]; then
      mkdir -p "$pakiety/$nazwa"
      if tgz=$(cd "$pakiety/$nazwa" && npm pack --silent "$p" 2>/dev/null | tail -n 1) && [ -n "$tgz" ]; then
        tar xzf "$pakiety/$nazwa/$tgz" -C "$pakiety/$nazwa"
      else
        echo "Uwaga: nie udało się pobrać $p; test prawdziwych plików Access zostanie pominięty." >&2
      fi
    fi
  done
  export VELOSTRA_PAKIETY_NPM="$PWD/$pakiety"
fi

export QT_QPA_PLATFORM=offscreen
# The tests take huge pages from the allocator, as the programs do (app/DuzeStrony.h).
export GLIBC_TUNABLES=glibc.malloc.hugetlb=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
ctest --test-dir "$katalog" --output-on-failure -j "$(nproc)" --timeout 600
