#pragma once

#include "app/Wyjatki.h"

#include <QString>
#include <QStringView>

// The sections of an FWD file and the failures of its parser and writer (TKosztorysFWD).

class TExBladFwd : public EBlad
{
public:
    using EBlad::EBlad;
};
class TExBladNierozpoznany : public TExBladFwd
{
public:
    using TExBladFwd::TExBladFwd;
};
class TExBladBrakNaglowka : public TExBladFwd
{
public:
    using TExBladFwd::TExBladFwd;
};
class TExBladBrakStronyTytulowej : public TExBladFwd
{
public:
    using TExBladFwd::TExBladFwd;
};
class TExBladBrakKoncaPliku : public TExBladFwd
{
public:
    using TExBladFwd::TExBladFwd;
};
class TExBladPodczasOtwarciaPliku : public TExBladFwd
{
public:
    using TExBladFwd::TExBladFwd;
};
class TExBladBrakDanych : public TExBladFwd
{
public:
    using TExBladFwd::TExBladFwd;
};
class TExBladPodczasZapisuPliku : public TExBladFwd
{
public:
    using TExBladFwd::TExBladFwd;
};

enum class TRodzajSekcjiFwd { Naglowek, StronaTytulowa, PoziomStruktury, Pozycja, Przedmiar, Koniec };

// One section of the file: the index of its section line and the number of lines after it that belong
// to it. Its fields are set by key (the text before "=", letter case ignored).
class TFWDSekcja
{
public:
    virtual ~TFWDSekcja();
    virtual TRodzajSekcjiFwd Rodzaj() const = 0;
    int PozycjaBloku = -1;
    int LiczbaLinii = 0;

    // tekst: the text after the first "=" as the file has it, trimmed. tekstKlucza: the same after the
    // blanks of the line were normalised (what the position key is made of). A field whose string holds
    // a buffer of its own keeps it.
    virtual void UstawPole(QStringView klucz, QStringView tekst, QStringView tekstKlucza);
    // Empties every field, keeping the strings' buffers for the next section.
    virtual void Wyczysc() = 0;
    // Appends the section's lines as the writer rebuilds them, each ended by CR LF.
    virtual void Zapisz(QString& cel) const = 0;

protected:
    virtual QString* Pole(QStringView klucz) = 0;
};

class TFWDNaglowek : public TFWDSekcja
{
public:
    static constexpr TRodzajSekcjiFwd KRodzaj = TRodzajSekcjiFwd::Naglowek;
    TRodzajSekcjiFwd Rodzaj() const override { return KRodzaj; }
    QString wersja_FWD, program_, wersja_programu, strona_kodowa;
    void Wyczysc() override;
    void Zapisz(QString& cel) const override;

protected:
    QString* Pole(QStringView klucz) override;
};

class TFWDStronaTytulowa : public TFWDSekcja
{
public:
    static constexpr TRodzajSekcjiFwd KRodzaj = TRodzajSekcjiFwd::StronaTytulowa;
    TRodzajSekcjiFwd Rodzaj() const override { return KRodzaj; }
    QString rodzaj_kosztorysu, opis_roboty, adres_budowy, nazwa_inwestora, adres_inwestora, nazwa_wykonawcy,
        adres_wykonawcy, opracowal, sprawdzil, data_opracowania, poziom_cen, wartosc_netto, stawka_VAT, wartosc_brutto;
    void Wyczysc() override;
    void Zapisz(QString& cel) const override;

protected:
    QString* Pole(QStringView klucz) override;
};

// A section that sits in the list of blocks, with its depth in the structure.
class TFWDBlok : public TFWDSekcja
{
public:
    int PoziomBloku = 0;
};

class TFWDPoziomStruktury : public TFWDBlok
{
public:
    static constexpr TRodzajSekcjiFwd KRodzaj = TRodzajSekcjiFwd::PoziomStruktury;
    TRodzajSekcjiFwd Rodzaj() const override { return KRodzaj; }
    QString poziom, lp, rodzaj, opis, spec_techn;
    void Wyczysc() override;
    void Zapisz(QString& cel) const override;

protected:
    QString* Pole(QStringView klucz) override;
};

class TFWDPozycja : public TFWDBlok
{
public:
    static constexpr TRodzajSekcjiFwd KRodzaj = TRodzajSekcjiFwd::Pozycja;
    TRodzajSekcjiFwd Rodzaj() const override { return KRodzaj; }
    QString typ, lp, katalog_rodzaj, katalog_symbol, katalog_wydawca, katalog_wydanie, opis_podstawy, opis, uwagi,
        precyzja, ilosc, jm, cena, wartosc, spec_techn, rj, mj, sj;
    // Description and unit as the position key is made of them (see UstawPole).
    QString opisKlucza, jmKlucza;
    void UstawPole(QStringView klucz, QStringView tekst, QStringView tekstKlucza) override;
    void Wyczysc() override;
    void Zapisz(QString& cel) const override;

protected:
    QString* Pole(QStringView klucz) override;
};

class TFWDPrzedmiar : public TFWDBlok
{
public:
    static constexpr TRodzajSekcjiFwd KRodzaj = TRodzajSekcjiFwd::Przedmiar;
    TRodzajSekcjiFwd Rodzaj() const override { return KRodzaj; }
    QString typ, wyrazenie, wynik, komentarz;
    void Wyczysc() override;
    void Zapisz(QString& cel) const override;

protected:
    QString* Pole(QStringView klucz) override;
};

class TFWDKoniec : public TFWDBlok
{
public:
    static constexpr TRodzajSekcjiFwd KRodzaj = TRodzajSekcjiFwd::Koniec;
    TRodzajSekcjiFwd Rodzaj() const override { return KRodzaj; }
    void Wyczysc() override {}
    // The end marker is written once, after everything else, by the writer itself.
    void Zapisz(QString&) const override {}

protected:
    QString* Pole(QStringView) override { return nullptr; }
};

// The section as its own class, or null when it is another: what dynamic_cast tells, without its cost on
// every section of a large file.
template <typename T> T* SekcjaJako(TFWDSekcja& sekcja)
{
    return sekcja.Rodzaj() == T::KRodzaj ? static_cast<T*>(&sekcja) : nullptr;
}

template <typename T> const T* SekcjaJako(const TFWDSekcja& sekcja)
{
    return sekcja.Rodzaj() == T::KRodzaj ? static_cast<const T*>(&sekcja) : nullptr;
}
