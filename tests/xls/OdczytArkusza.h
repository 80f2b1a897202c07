#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <vector>

// Reading spreadsheet files back in tests through programs independent of the writers: the office
// (converting), openpyxl (.xlsx), xlrd and olefile (.xls). Each helper returns empty when its program is
// missing, so that a test can GTEST_SKIP; a failure of a present program is a test failure.

// Converts all the files in ONE start of the office (soffice --headless --convert-to <format>), with a
// private profile in a temporary folder that has formulas recalculated when a file is opened, into a
// temporary folder that lasts as long as the test program. `format` is what --convert-to takes ("xlsx",
// or "xlsx:Calc MS Excel 2007 XML"). Returns the converted paths in the order of `pliki` (an empty path
// for a file the office did not convert), or nothing when soffice is missing. Files must have different
// base names.
std::vector<QString> KonwertujWOffice(const QStringList& pliki, const QString& format);
bool CzyJestOffice();

// An .xlsx file read by openpyxl (tests/xls/czytaj_xlsx.py), the values from the file's cached results
// (after KonwertujWOffice: calculated by the office) and the formulas as text:
//   {"arkusze": [{
//      "nazwa": "Arkusz 1",
//      "komorki": {"B2": {"wartosc": 12.5 | "text" | null, "formula": "=SUM(A1:A3)" | null,
//                         "czcionka": "Arial", "rozmiar": 10.0, "pogrubienie": false,
//                         "poziomo": "general|left|center|right", "pionowo": "bottom|center|top",
//                         "zawijaj": false, "ramki": {"lewa": "thin" | null, "prawa", "gorna", "dolna"},
//                         "format": "0.00", "zablokowana": true}},   (cells with a value or a style)
//      "scalenia": ["A1:C1", ...],
//      "kolumny": {"A": {"szerokosc": 13.57, "ukryta": false}},  (width in characters, padding included)
//      "wiersze": {"1": {"wysokosc": 15.0, "ukryty": false}},    (height in points; 1-based rows)
//      "stopka": {"lewa": "&D", "srodek": "", "prawa": "Strona &P z &N"},
//      "ochrona": {"arkusz": true, "haslo": "CBEB", "formatowanie_komorek": false, ...},
//      "wiersze_tytulowe": "$1:$2" | ""}]}
QJsonObject CzytajXlsx(const QString& sciezka);

// An .xls file as stored, read by xlrd with formatting and by olefile (tests/xls/czytaj_xls.py):
//   {"arkusze": [{"nazwa", "komorki": {"A1": {"typ": "text|number|blank|...", "wartosc", "xf",
//                   "format": "raw number format", "czcionka", "wysokosc_czcionki" (twips), "pogrubienie",
//                   "poziomo" (0 general, 1 left, 2 centre, 3 right), "pionowo" (1 centre, 2 bottom),
//                   "zawijaj", "ramki": [left, right, top, bottom line styles], "zablokowana"}},
//                "scalenia": [[row1, row2+1, col1, col2+1], ...],
//                "kolumny": {"0": {"szerokosc" (1/256 characters), "ukryta"}},
//                "wiersze": {"0": {"wysokosc" (twips), "ukryty", "wlasna_wysokosc"}}}],
//    "nazwy": [{"nazwa": "Print_Titles", "wbudowana", "zasieg" (sheet index), "obszary": [[sheet1, sheet2+1,
//               row1, row2+1, col1, col2+1]]}],
//    and everything CzytajOle gives}
QJsonObject CzytajXlsXlrd(const QString& sciezka);

// Any compound document read by olefile, every inconsistency it notices an error:
//   {"strumienie": {"Workbook": {"rozmiar", "md5"}}, "katalog": [{"sid", "nazwa", "typ", "czarny", "lewy",
//    "prawy", "dziecko", "start", "rozmiar"}], "sektory_tablicy", "sektory_difat", "sektory_mini_tablicy",
//    "problemy": []}
QJsonObject CzytajOle(const QString& sciezka);
// One stream of a compound document as it is (read by olefile).
QByteArray CzytajStrumien(const QString& sciezka, const QString& strumien);
bool CzyJestPython();
