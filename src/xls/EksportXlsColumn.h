#pragma once

#include <QString>

#include <memory>
#include <vector>

// One column of the exported price form.
class TEksportXlsColumn
{
public:
    // A required column is always displayed.
    TEksportXlsColumn(const QString& id, const QString& nazwa, const QString& tytul, bool opcjonalna, bool chroniona);

    // The identifier used by the configuration keys and the column mapper.
    const QString& Id() const { return FId; }
    // The machine name written into the hidden first row of each sheet.
    const QString& Nazwa() const { return FNazwa; }
    // The heading shown to the user.
    const QString& Tytul() const { return FTytul; }
    bool Wyswietlaj() const { return FWyswietlaj; }
    bool Opcjonalna() const { return FOpcjonalna; }
    // Under sheet protection the column's cells stay locked; otherwise they are left for the user to fill in.
    bool Chroniona() const { return FChroniona; }

    // Hiding a required column raises EWymaganaKolumnaException.
    void SetWyswietlaj(bool wartosc);
    void SetChroniona(bool wartosc) { FChroniona = wartosc; }

private:
    QString FId;
    QString FNazwa;
    QString FTytul;
    bool FWyswietlaj = true;
    bool FOpcjonalna;
    bool FChroniona;
};

// The fixed columns of the form, in their left-to-right order. A value: copies are deep, and assigning
// keeps the columns' addresses (only their settings change), so pointers handed out stay valid.
class TEksportXlsColumnList
{
public:
    TEksportXlsColumnList();
    ~TEksportXlsColumnList();
    TEksportXlsColumnList(const TEksportXlsColumnList& inna);
    TEksportXlsColumnList& operator=(const TEksportXlsColumnList& inna);

    int Count() const { return static_cast<int>(FKolumny.size()); }
    // By identifier (exact, case-sensitive) or by index; null when there is none.
    TEksportXlsColumn* GetColumn(const QString& id) const;
    TEksportXlsColumn* GetColumn(int index) const;
    int WyswietlaneCount() const;
    // Every column displayed; every column protected except the unit price and the value.
    void SetDefaults();

private:
    std::vector<std::unique_ptr<TEksportXlsColumn>> FKolumny;
};
