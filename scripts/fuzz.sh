#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan/UBSan and runs each on its seed corpus.
#   scripts/fuzz.sh [seconds per target, default 60] [target names...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

sekundy="${1:-60}"
shift || true
zainstaluj_pakiety clang libclang-rt-dev
cmake -S . -B build-fuzz -G Ninja -DVELOSTRA_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

cele=("$@")
if [ ${#cele[@]} -eq 0 ]; then
  for f in fuzz/*.cpp; do cele+=("$(basename "$f" .cpp)"); done
fi
cmake --build build-fuzz --target "${cele[@]/#/fuzz_}"
for cel in "${cele[@]}"; do
  korpus="fuzz/corpus/$cel"
  roboczy="build-fuzz/corpus/$cel"
  mkdir -p "$roboczy"
  echo "== fuzz_$cel: $sekundy s"
  "build-fuzz/bin/fuzz_$cel" -max_total_time="$sekundy" -timeout=10 -rss_limit_mb=2048 "$roboczy" "$korpus"
done
