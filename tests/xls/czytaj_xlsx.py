#!/usr/bin/env python3
"""Dumps an .xlsx file as JSON (stdout) for the tests: see tests/xls/OdczytArkusza.h for the layout."""
import json
import sys

import openpyxl
from openpyxl.utils import get_column_letter


def tekst_stopki(czesc):
    return czesc.text if czesc is not None and czesc.text is not None else ""


def wartosc_json(v):
    if v is None or isinstance(v, (bool, int, float, str)):
        return v
    return str(v)


def arkusz(ws, ws_wartosci):
    komorki = {}
    for wiersz in ws.iter_rows():
        for c in wiersz:
            if c.value is None and not c.has_style:
                continue
            formula = c.value if isinstance(c.value, str) and c.value.startswith("=") else None
            komorki[c.coordinate] = {
                "wartosc": wartosc_json(ws_wartosci[c.coordinate].value),
                "formula": formula,
                "czcionka": c.font.name,
                "rozmiar": float(c.font.sz) if c.font.sz is not None else None,
                "pogrubienie": bool(c.font.b),
                "poziomo": c.alignment.horizontal or "general",
                "pionowo": c.alignment.vertical or "bottom",
                "zawijaj": bool(c.alignment.wrap_text),
                "ramki": {
                    "lewa": c.border.left.style,
                    "prawa": c.border.right.style,
                    "gorna": c.border.top.style,
                    "dolna": c.border.bottom.style,
                },
                "format": c.number_format,
                "zablokowana": c.protection.locked is not False,
            }
    kolumny = {}
    for wymiar in ws.column_dimensions.values():
        od = wymiar.min or openpyxl.utils.column_index_from_string(wymiar.index)
        do = wymiar.max or od
        for k in range(od, min(do, 256) + 1):
            kolumny[get_column_letter(k)] = {"szerokosc": wymiar.width, "ukryta": bool(wymiar.hidden)}
    wiersze = {}
    for nr, wymiar in ws.row_dimensions.items():
        wiersze[str(nr)] = {"wysokosc": wymiar.height, "ukryty": bool(wymiar.hidden)}
    ochrona = ws.protection
    return {
        "nazwa": ws.title,
        "komorki": komorki,
        "scalenia": sorted(str(z) for z in ws.merged_cells.ranges),
        "kolumny": kolumny,
        "wiersze": wiersze,
        "stopka": {
            "lewa": tekst_stopki(ws.oddFooter.left),
            "srodek": tekst_stopki(ws.oddFooter.center),
            "prawa": tekst_stopki(ws.oddFooter.right),
        },
        "ochrona": {
            "arkusz": bool(ochrona.sheet),
            "haslo": ochrona.password or "",
            "formatowanie_komorek": bool(ochrona.formatCells),
            "formatowanie_kolumn": bool(ochrona.formatColumns),
            "formatowanie_wierszy": bool(ochrona.formatRows),
            "wstawianie_wierszy": bool(ochrona.insertRows),
            "usuwanie_wierszy": bool(ochrona.deleteRows),
            "zaznaczanie_zablokowanych": bool(ochrona.selectLockedCells),
        },
        "wiersze_tytulowe": ws.print_title_rows or "",
    }


def main():
    sciezka = sys.argv[1]
    formuly = openpyxl.load_workbook(sciezka, data_only=False)
    wartosci = openpyxl.load_workbook(sciezka, data_only=True)
    wynik = {"arkusze": [arkusz(ws, wartosci[ws.title]) for ws in formuly.worksheets]}
    json.dump(wynik, sys.stdout)


if __name__ == "__main__":
    main()
