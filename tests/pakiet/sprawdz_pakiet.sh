#!/usr/bin/env bash
# The Debian package made from a build folder, checked as a user would get it:
#   sprawdz_pakiet.sh BUILD_FOLDER SOURCE_FOLDER
# cpack makes the package into a temporary folder; its metadata and contents are checked, the launcher
# and AppStream data validated, the file types recognised through the shared MIME database, and the
# unpacked velostra-cli run from the package's own tree (its data found in usr/share/velostra, never in
# the build folder): its version, archives of the demo data and the demo document through LibreOffice.
set -euo pipefail
budowa=$(cd "$1" && pwd)
zrodla=$(cd "$2" && pwd)
probki="$zrodla/tests/pakiet/probki"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bledow=0
blad() {
  echo "BŁĄD: $*" >&2
  bledow=$((bledow + 1))
}
krok() { echo "== $*"; }

krok "cpack"
if ! cpack --config "$budowa/CPackConfig.cmake" -G DEB -B "$tmp/pakiet" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log" >&2
  echo "BŁĄD: cpack się nie powiódł" >&2
  exit 1
fi
wersja=$(sed -n 's/^project(Velostra VERSION \([0-9.]*\).*/\1/p' "$zrodla/CMakeLists.txt")
deb="$tmp/pakiet/velostra_${wersja}_amd64.deb"
[ -f "$deb" ] || { ls "$tmp/pakiet" >&2; echo "BŁĄD: brak $deb" >&2; exit 1; }

krok "metadane"
[ "$(dpkg-deb -f "$deb" Package)" = velostra ] || blad "Package: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$wersja" ] || blad "Version: $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || blad "Architecture: $(dpkg-deb -f "$deb" Architecture)"
zalezne=$(dpkg-deb -f "$deb" Depends)
for wymagany in "libreoffice-writer-nogui | libreoffice-writer" libqt6core6 libqt6widgets6 libqt6gui6 libpugixml1v5 \
                fonts-liberation2 qt6-translations-l10n; do
  grep -qF "$wymagany" <<<"$zalezne" || blad "Depends bez \"$wymagany\": $zalezne"
done

krok "zawartość"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/zawartosc"
oczekiwane=(/usr/bin/velostra /usr/bin/velostra-cli
            /usr/share/velostra/kodyCpv.csv /usr/share/velostra/kodyJednostek.csv /usr/share/velostra/Velostra.zip
            /usr/share/velostra/pomoc/index.html
            /usr/share/applications/velostra.desktop /usr/share/metainfo/pl.velostra.Velostra.metainfo.xml
            /usr/share/icons/hicolor/scalable/apps/velostra.svg /usr/share/mime/packages/velostra.xml
            /usr/share/man/man1/velostra.1.gz /usr/share/man/man1/velostra-cli.1.gz
            /usr/share/bash-completion/completions/velostra-cli)
for r in 16 32 48 64 128 256; do oczekiwane+=("/usr/share/icons/hicolor/${r}x${r}/apps/velostra.png"); done
for plik in "${oczekiwane[@]}"; do
  grep -qxF "$plik" "$tmp/zawartosc" || blad "brak w pakiecie: $plik"
done
# Nothing but /usr: the program writes only in the user's folders.
grep -v '^/usr\(/\|$\)' "$tmp/zawartosc" | grep -v '^/$' && blad "pliki poza /usr"

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
for r in 16 48 256; do
  # (grep -q at the end of a pipe would end its writer early, which pipefail counts as a failure.)
  rodzaj=$(file -b "$root/usr/share/icons/hicolor/${r}x${r}/apps/velostra.png")
  grep -q "PNG image data, $r x $r" <<<"$rodzaj" || blad "ikona ${r}x${r}: $rodzaj"
done
for program in velostra velostra-cli; do
  runpath=$(readelf -d "$root/usr/bin/$program" | sed -n 's/.*R\(UN\)\?PATH.*\[\(.*\)\]/\2/p')
  case ":$runpath:" in *"$budowa"*|*"$zrodla"*) blad "$program wskazuje na drzewo budowy: $runpath" ;; esac
  grep -qaF "$budowa" "$root/usr/bin/$program" && blad "$program zawiera ścieżkę drzewa budowy"
done
cmp -s <(zcat "$root/usr/share/man/man1/velostra-cli.1.gz") "$budowa/pulpit/velostra-cli.1" ||
  blad "strona podręcznika w pakiecie inna niż wygenerowana z pomocy"

krok "desktop-file-validate, appstreamcli"
desktop-file-validate "$root/usr/share/applications/velostra.desktop" || blad "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/pl.velostra.Velostra.metainfo.xml" >"$tmp/appstream" 2>&1 || true
if grep -q '^E:' "$tmp/appstream" || ! grep -q 'Validation was successful' "$tmp/appstream"; then
  cat "$tmp/appstream" >&2
  blad "appstreamcli validate"
fi

# The installed program's data, and a home of its own: the configuration and the office profile go there.
export HOME="$tmp/dom" XDG_CONFIG_HOME="$tmp/dom/.config" XDG_DATA_HOME="$tmp/dom/.local/share"
export XDG_CACHE_HOME="$tmp/dom/.cache" XDG_RUNTIME_DIR="$tmp/dom/run" TMPDIR="$tmp/tmp"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$TMPDIR"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset LD_LIBRARY_PATH
cli="$root/usr/bin/velostra-cli"

krok "velostra-cli z pakietu"
# The program's version has four numbers, the package's the project's three.
[[ "$("$cli" --version)" == "velostra-cli $wersja"* ]] || blad "--version: $("$cli" --version 2>&1)"
cp -r "$zrodla/data/demo" "$tmp/demo"
mkdir -p "$tmp/probki"
"$cli" archiwizuj "$tmp/demo/Zestaw demo.zst" -o "$tmp/probki/demo.azst" --katalog-uzytkownika "$tmp/demo" >/dev/null ||
  blad "archiwizuj zestawu"
"$cli" archiwizuj "$tmp/demo/Lista demo.sst" -o "$tmp/probki/demo.alst" --katalog-uzytkownika "$tmp/demo" >/dev/null ||
  blad "archiwizuj listy"
if "$cli" generuj "$tmp/demo/Zestaw demo.zst" --katalog-uzytkownika "$tmp/demo" --warianty \
     -o "$tmp/wynik/demo.docx" >"$tmp/generuj.json" 2>"$tmp/generuj.log"; then
  grep -q '"plik"' "$tmp/generuj.json" || blad "generuj: brak podsumowania JSON"
  spis=$(unzip -l "$tmp/wynik/demo.docx" 2>&1 || true)
  grep -q 'word/document.xml' <<<"$spis" || blad "generuj: demo.docx nie jest dokumentem: $spis"
else
  cat "$tmp/generuj.log" >&2
  blad "generuj dokumentu demo"
fi

krok "pierwsze uruchomienie okna z pakietu"
# The window's first run fills the user folder from the program's archive, found in usr/share/velostra.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/velostra" >"$tmp/okno.log" 2>&1 &
okno=$!
for _ in $(seq 60); do
  [ -f "$HOME/Documents/Velostra/Zestaw demo.zst" ] && break
  kill -0 "$okno" 2>/dev/null || break
  sleep 0.5
done
kill -9 "$okno" 2>/dev/null || true
wait "$okno" 2>/dev/null || true
[ -f "$HOME/Documents/Velostra/Zestaw demo.zst" ] || { cat "$tmp/okno.log" >&2; blad "okno nie wypełniło folderu użytkownika"; }

krok "uzupełnianie w bash"
uzupelnij() {
  # shellcheck disable=SC1091
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _velostra_cli; echo "${COMPREPLY[*]}"' \
    _ "$root/usr/share/bash-completion/completions/velostra-cli" "$@"
}
[ "$(uzupelnij velostra-cli gen)" = generuj ] || blad "uzupełnianie polecenia: $(uzupelnij velostra-cli gen)"
[ "$(uzupelnij velostra-cli generuj --rod)" = --rodzaj ] || blad "uzupełnianie opcji: $(uzupelnij velostra-cli generuj --rod)"
[ "$(uzupelnij velostra-cli generuj --rodzaj '')" = "word odt" ] || blad "uzupełnianie wartości"

krok "typy plików"
# Only our definitions in a private database, over the system's (for application/xml, zip and zstd).
mime="$tmp/mime"
mkdir -p "$mime/mime/packages"
cp "$root/usr/share/mime/packages/velostra.xml" "$mime/mime/packages/"
XDG_DATA_HOME="$mime" update-mime-database "$mime/mime"
cp "$probki/zestaw.zst" "$probki/lista.sst" "$probki/wykaz.wst" "$tmp/probki/"
# A real Zstandard frame under the same extension stays Zstandard's.
printf '\x28\xb5\x2f\xfd\x24\x00\x01\x00\x00' >"$tmp/probki/dane.zst"
while read -r plik typ; do
  jest=$(XDG_DATA_HOME="$mime" XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$tmp/probki/$plik" |
         sed -n 's/^ *standard::content-type: //p')
  [ "$jest" = "$typ" ] || blad "$plik: $jest zamiast $typ"
done <<'TYPY'
zestaw.zst application/x-velostra-zestaw
lista.sst application/x-velostra-spis
demo.azst application/x-velostra-archiwum-zestawu
demo.alst application/x-velostra-archiwum-spisu
wykaz.wst application/x-velostra-wykaz
dane.zst application/zstd
TYPY

if [ "$bledow" -gt 0 ]; then
  echo "Błędów: $bledow" >&2
  exit 1
fi
echo "Pakiet $(basename "$deb") w porządku."
