#!/usr/bin/env bash
# The code's own rules, run by CTest with every test run:
#   scripts/sprawdz_kod.sh format         every C++ file of ours laid out as .clang-format says
#   scripts/sprawdz_kod.sh konfiguracja   no core library reads the configuration singleton: it is taken
#                                         only at the program's edge (src/cli, src/ui, the workflow) and
#                                         defined in src/app/Konfiguracja.cpp
set -euo pipefail
cd "$(dirname "$0")/.."

pliki_cpp() {
  find src tests fuzz bench -type f \( -name '*.cpp' -o -name '*.h' \) -not -path '*/corpus/*' | sort
}

case "${1:-}" in
  format)
    # One clang-format for all files: its warnings name each file that differs.
    zle=$(pliki_cpp | xargs clang-format --dry-run 2>&1 | grep -oE '^[^: ]+\.(cpp|h):' | sort -u | tr -d ':' || true)
    if [ -n "$zle" ]; then
      printf 'Pliki niezgodne z .clang-format (clang-format -i PLIK):\n%s\n' "$zle" >&2
      exit 1
    fi
    ;;
  konfiguracja)
    rdzen=(src/app src/prices src/specs src/estimates src/zestaw src/archive src/docs src/authoring src/xls)
    if trafienia=$(grep -rnE 'TKonfiguracja::(GetInstance|Istnieje)' "${rdzen[@]}" | grep -v '^src/app/Konfiguracja\.cpp:'); then
      printf 'Biblioteki rdzenia czytają konfigurację programu zamiast dostać ustawienia od wywołującego:\n%s\n' \
        "$trafienia" >&2
      exit 1
    fi
    ;;
  *)
    echo "Użycie: $0 format|konfiguracja" >&2
    exit 2
    ;;
esac
