#!/usr/bin/env python3
"""velostra-cli's manual page and its --help must say the same, and both must name every option the
commands' parsers accept (and no other).

  sprawdz_podrecznik.py VELOSTRA_CLI STRONA.1 KATALOG_SRC_CLI
"""
import os
import re
import subprocess
import sys
from pathlib import Path


def uruchom(*argumenty, **opcje):
    return subprocess.run(argumenty, check=True, capture_output=True, text=True, **opcje).stdout


def splaszcz(tekst):
    # The rendered page: no bold or underline, troff's minus and hyphen as "-", one space between words.
    tekst = re.sub(r"\x1b\[[0-9;]*m", "", tekst)
    tekst = re.sub(r".\x08", "", tekst)
    tekst = tekst.replace("\u2212", "-").replace("\u2010", "-")
    return " ".join(tekst.split())


def main():
    cli, strona, zrodla = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", MANWIDTH="100")
    podrecznik = splaszcz(uruchom("man", "-l", strona, env=env))
    bledy = []

    ogolna = uruchom(cli, "--help")
    polecenia = re.findall(r"^  (\S+) {2,}", ogolna.split("Polecenia:\n", 1)[1].split("\n\n", 1)[0], re.M)
    if len(polecenia) < 5:
        bledy.append("za mało poleceń w pomocy: %s" % polecenia)
    zrodla_polecen = {p.stem[len("Polecenie"):].lower(): p for p in zrodla.glob("Polecenie?*.cpp")}
    if sorted(zrodla_polecen) != sorted(polecenia):
        bledy.append("polecenia w pomocy %s, w źródłach %s" % (sorted(polecenia), sorted(zrodla_polecen)))

    for polecenie in polecenia:
        pomoc = uruchom(cli, polecenie, "--help")
        # Each paragraph of the help, words in order, is in the page; the options one by one.
        opisy = re.split(r"\n\n", pomoc)
        for blok in opisy:
            tekst = " ".join(blok.split())
            if tekst.startswith("Opcje:"):
                for postac, opis in re.findall(r"^  (\S.*)\n((?:      .*\n?)+)", blok, re.M):
                    for czesc in (postac, " ".join(opis.split())):
                        if czesc not in podrecznik:
                            bledy.append("%s: opcji nie ma w podręczniku: %s" % (polecenie, czesc))
            else:
                for czesc in tekst.replace("Użycie: ", "").split("velostra-cli "):
                    if czesc.strip() and czesc.strip() not in podrecznik:
                        bledy.append("%s: tekstu pomocy nie ma w podręczniku: %s" % (polecenie, czesc))

        # The options the parser knows, against the ones the help lists.
        opisane = set(re.findall(r"^  (-[-\w]+)", pomoc, re.M)) - {"--help"}
        kod = zrodla_polecen[polecenie].read_text(encoding="utf-8")
        kod = kod.split("::Pomoc() const", 1)[0]
        w_kodzie = set(re.findall(r'(?:Jest|QLatin1String)\("(-[-a-z]*[a-z])"\)', kod))
        if w_kodzie != opisane:
            bledy.append("%s: opcje w kodzie %s, w pomocy %s" % (polecenie, sorted(w_kodzie), sorted(opisane)))

    for linia in ogolna.split("Opcje:\n", 1)[1].splitlines():
        linia = " ".join(linia.split())
        if linia and linia != "Kod wyjścia:" and linia not in podrecznik:
            bledy.append("pomocy ogólnej nie ma w podręczniku: %s" % linia)

    for b in bledy:
        print("BŁĄD:", b, file=sys.stderr)
    print("Polecenia sprawdzone: %d" % len(polecenia))
    return 1 if bledy else 0


if __name__ == "__main__":
    sys.exit(main())
