#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class TArkusz;
class TEksportElementuXlsOpt;
class TSkoroszyt;

// Where one estimate's totals are, as sheet-qualified references ('Formularz'!L41) for the summary
// sheet. The VAT and gross references stay empty without VAT.
struct TEksportXlsAdresyZbiorcze
{
    QString AdrWartoscNetto;
    QString AdrWartoscVat;
    QString AdrWartoscBrutto;
};

// The summary block under one estimate: net value, and with VAT the tax and the gross value.
class TXlsPodsumowanie
{
public:
    TXlsPodsumowanie(TSkoroszyt& plikXls, TArkusz& sheet, const TEksportElementuXlsOpt& opcjeEksportu);

    TSkoroszyt& PlikXls;
    TArkusz& Sheet;
    const TEksportElementuXlsOpt& OpcjeEksportu;
    int WierszPoczatkowy = 0; // first position row of the value column
    int WierszKoncowy = 0;    // last row of the estimate's table
    int Kolumna = 0;          // the value column
    // The value ranges of the whole estimate joined by ";" (empty without element sums).
    QString ZakresyKomorek;
    // How many ranges ZakresyKomorek holds.
    int LiczbaZakresow = 0;

    // Draws the block from row wiersz on; returns where its totals are.
    TEksportXlsAdresyZbiorcze RysujPodsumowanie(int wiersz);

    // The złoty format of the summaries' value cells.
    static QString FormatZlotych();
    // The options' VAT rate as a fraction in the formula notation (23 → "0,23").
    static QString StawkaJakoUlamek(int stawkaProcent);
    // Sheet-qualified reference to a cell: the name in apostrophes (doubled inside) and the address.
    static QString AdresZArkuszem(const QString& nazwaArkusza, int wiersz, int kolumna);
};

// The sum of value ranges that the older format can hold: SUM(ranges) when there are at most 30 of
// them, otherwise SUMIF over the rows of the span marked as positions in the hidden first column (the
// same cells); "" when there are no ranges.
QString FormulaSumyZakresow(const QStringList& zakresy, int kolumna, int wierszOd, int wierszDo);

// The marks of the hidden first column.
inline constexpr char16_t ZnacznikElementu[] = u"E";
inline constexpr char16_t ZnacznikPozycji[] = u"U";
