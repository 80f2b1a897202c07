#!/usr/bin/env python3
"""Dumps an .xls file as JSON (stdout) for the tests, read by xlrd (cells and formats as stored) and
olefile (the compound document): see tests/xls/OdczytArkusza.h for the layout. The argument --ole reads
the compound document only (any file, not just a workbook); --strumien NAME writes that stream's bytes
as they are."""
import hashlib
import json
import sys

import olefile


def kontener(sciezka):
    # Every inconsistency of the container counts, not only the fatal ones.
    ole = olefile.OleFileIO(sciezka, raise_defects=olefile.DEFECT_INCORRECT)
    strumienie = {}
    for sciezka_strumienia in ole.listdir(streams=True, storages=False):
        nazwa = "/".join(sciezka_strumienia)
        dane = ole.openstream(sciezka_strumienia).read()
        strumienie[nazwa] = {
            "rozmiar": ole.get_size(sciezka_strumienia),
            "md5": hashlib.md5(dane).hexdigest(),
        }
    katalog = []
    for wpis in ole.direntries:
        if wpis is None:
            continue
        katalog.append({
            "sid": wpis.sid,
            "nazwa": wpis.name,
            "typ": wpis.entry_type,
            "czarny": wpis.color == 1,
            "lewy": wpis.sid_left,
            "prawy": wpis.sid_right,
            "dziecko": wpis.sid_child,
            "start": wpis.isectStart,
            "rozmiar": wpis.size,
        })
    wynik = {
        "strumienie": strumienie,
        "katalog": katalog,
        "sektory_tablicy": ole.num_fat_sectors,
        "sektory_difat": ole.num_difat_sectors,
        "sektory_mini_tablicy": ole.num_mini_fat_sectors,
        "problemy": [str(p) for p in ole.parsing_issues],
    }
    ole.close()
    return wynik


def adres(wiersz, kolumna):
    litery = ""
    k = kolumna + 1
    while k > 0:
        k, r = divmod(k - 1, 26)
        litery = chr(ord("A") + r) + litery
    return "%s%d" % (litery, wiersz + 1)


def skoroszyt(sciezka):
    import xlrd

    ksiazka = xlrd.open_workbook(sciezka, formatting_info=True)
    arkusze = []
    for sh in ksiazka.sheets():
        komorki = {}
        for w in range(sh.nrows):
            for k in range(sh.ncols):
                c = sh.cell(w, k)
                if c.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                xf = ksiazka.xf_list[c.xf_index]
                czcionka = ksiazka.font_list[xf.font_index]
                komorki[adres(w, k)] = {
                    "typ": xlrd.sheet.ctype_text.get(c.ctype, str(c.ctype)),
                    "wartosc": c.value,
                    "xf": c.xf_index,
                    "format": ksiazka.format_map[xf.format_key].format_str,
                    "czcionka": czcionka.name,
                    "wysokosc_czcionki": czcionka.height,
                    "pogrubienie": czcionka.bold,
                    "poziomo": xf.alignment.hor_align,
                    "pionowo": xf.alignment.vert_align,
                    "zawijaj": bool(xf.alignment.text_wrapped),
                    "ramki": [xf.border.left_line_style, xf.border.right_line_style,
                              xf.border.top_line_style, xf.border.bottom_line_style],
                    "zablokowana": bool(xf.protection.cell_locked),
                }
        arkusze.append({
            "nazwa": sh.name,
            "komorki": komorki,
            "scalenia": [list(z) for z in sh.merged_cells],
            "kolumny": {str(k): {"szerokosc": i.width, "ukryta": bool(i.hidden)}
                        for k, i in sh.colinfo_map.items()},
            "wiersze": {str(w): {"wysokosc": i.height, "ukryty": bool(i.hidden),
                                 "wlasna_wysokosc": bool(i.height_mismatch)}
                        for w, i in sh.rowinfo_map.items()},
        })
    nazwy = []
    for n in ksiazka.name_obj_list:
        obszary = []
        if n.result is not None and n.result.kind == xlrd.oREF:
            obszary = [list(r.coords) for r in n.result.value]
        nazwy.append({"nazwa": n.name, "wbudowana": bool(n.builtin), "zasieg": n.scope, "obszary": obszary})
    return {"arkusze": arkusze, "nazwy": nazwy}


def main():
    if sys.argv[1] == "--strumien":
        ole = olefile.OleFileIO(sys.argv[3])
        sys.stdout.buffer.write(ole.openstream(sys.argv[2]).read())
        return
    if sys.argv[1] == "--ole":
        wynik = kontener(sys.argv[2])
    else:
        wynik = skoroszyt(sys.argv[1])
        wynik.update(kontener(sys.argv[1]))
    json.dump(wynik, sys.stdout)


if __name__ == "__main__":
    main()
