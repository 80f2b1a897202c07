#pragma once

#include <QString>

#include <vector>

class TEksportXlsDialogu;

// The options of "Eksportuj do excela" as the window's controls see them: the check boxes by name with
// their captions, the numbers, the texts, the columns, and which control is enabled by which option.
// The window binds to it without knowing the spreadsheet's option type.
class TPolaEksportuXls
{
public:
    struct TPrzelacznik
    {
        QString Id;
        QString Napis;
    };

    explicit TPolaEksportuXls(TEksportXlsDialogu& dialog) : FDialog(dialog) {}

    // Every check box of the options, in the dialog's order.
    static const std::vector<TPrzelacznik>& Przelaczniki();
    // An unknown name: std::out_of_range.
    bool Przelacznik(const QString& id) const;
    void UstawPrzelacznik(const QString& id, bool wartosc);

    // Whether the options enable the control of that name ("MiejscPoPrzecinku", "Tytul", "Opis",
    // "NaglowekZestawu", "Ustaw", "Haslo", "CenyZKosztorysu", "VatWPodsumowaniu", "StawkaVat"); any other
    // control is always enabled. "WariantWNrSt" is shown only when the dialog's logic says so.
    bool CzyDostepny(const QString& id) const;
    bool CzyWidoczny(const QString& id) const;

    int MiejscPoPrzecinku() const;
    void UstawMiejscPoPrzecinku(int wartosc);
    int StawkaVat() const;
    void UstawStawkeVat(int wartosc);
    QString Tytul() const;
    void UstawTytul(const QString& wartosc);
    QString Opis() const;
    void UstawOpis(const QString& wartosc);
    // "Dodaj nagłówek zestawu" (set through the dialog's logic, which also edits the description).
    bool CzyNaglowekZestawu() const;

    // The columns of the form: a required column is always displayed.
    int KolumnyCount() const;
    QString KolumnaTytul(int i) const;
    bool CzyKolumnaOpcjonalna(int i) const;
    bool CzyKolumnaWyswietlana(int i) const;
    void UstawKolumneWyswietlana(int i, bool wartosc);
    bool CzyKolumnaChroniona(int i) const;
    void UstawKolumneChroniona(int i, bool wartosc);

private:
    TEksportXlsDialogu& FDialog;
};
