#pragma once

#include "xls/EksportXlsColumn.h"

#include <QString>

class TKonfiguracjaZestawu;

// The options of the spreadsheet export of a set's estimates, kept in the set's configuration. A plain
// value: the dialog works on a copy and the defaults are a default-constructed object.
class TEksportElementuXlsOpt
{
public:
    bool Zaokraglaj = true;           // number cells get a fixed number of decimals
    int IloscMiejscPoPrzecinku = 2;   // 0..10
    bool WstawFormuleWartosci = true; // formulas for the unit price and the value
    bool WstawiajPodsumowanieElementow = true;
    bool EksportujCenyZKosztorysu = false; // otherwise the price cells stay empty
    bool WstawTytul = false;
    QString Tytul;
    bool WstawOpis = false;
    QString Opis;                         // may hold several lines
    bool NaglowekZestawuWOpisie = false;  // the set's header text is part of Opis (the dialog's concern)
    bool WstawPodsumowanieKoncowe = true; // summary under each estimate and the summary sheet
    bool WstawVatWPodsumowaniu = true;
    int StawkaVat = 23;       // percent, 0..100
    int FormatLiczbIndex = 0; // the workbook's number format; recomputed at export
    bool OtworzPoEksporcie = true;
    bool NumeracjaStronWStopce = true;
    bool DataWStopce = true;
    bool ElementWOpisie = false; // element titles start in the "Opis" column
    bool ChronArkusz = false;
    QString HasloOchrony;      // never stored
    bool WariantWNrSt = false; // the ST number includes the variant
    bool WstawTytulKosztorysu = false;
    bool RMSj = true;       // write the Rj, Mj, Sj values
    bool Wykonanie = false; // kept for an execution view; the export treats it as off

    TEksportXlsColumnList& ColumnList() { return FColumnList; }
    const TEksportXlsColumnList& ColumnList() const { return FColumnList; }

    void SetDefaults();

    // Takes over the stored options only when every one of them reads and is valid; anything missing,
    // unconvertible or out of range (a required column stored as hidden too) gives all the defaults,
    // silently. True when the stored options were taken over. The password is never stored: it is
    // empty afterwards either way.
    bool Wczytaj(const TKonfiguracjaZestawu& konfiguracja);
    // Writes every option (not the password), then the display and protection of each column.
    void Zapisz(TKonfiguracjaZestawu& konfiguracja) const;

private:
    TEksportXlsColumnList FColumnList;
};
