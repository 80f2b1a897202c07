#pragma once

#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"
#include "specs/ZdarzenieZmiany.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

// The configuration singleton every path operation needs, created once without a file.
inline TKonfiguracja* Konfiguracja()
{
    static TOknoBezEkranu okno;
    return TKonfiguracja::GetInstance(&okno, false);
}

// Keeps the settings the tests of this module change and puts them back, so tests stay independent.
class TZachowaneUstawienia
{
public:
    TZachowaneUstawienia()
        : FKonfiguracja(Konfiguracja()), FKorzystajZWariantow(FKonfiguracja->CzyKorzystajZWariantow),
          FTytulZWariantem(FKonfiguracja->CzyWyswietlacTytulSTZWariantem),
          FSeparator(FKonfiguracja->GetWizualnySeparatorWariantow()), FUserPath(FKonfiguracja->GetUserPath())
    {
    }
    ~TZachowaneUstawienia()
    {
        FKonfiguracja->CzyKorzystajZWariantow = FKorzystajZWariantow;
        FKonfiguracja->CzyWyswietlacTytulSTZWariantem = FTytulZWariantem;
        FKonfiguracja->SetWizualnySeparatorWariantow(FSeparator);
        FKonfiguracja->SetUserPath(FUserPath);
    }
    TZachowaneUstawienia(const TZachowaneUstawienia&) = delete;
    TZachowaneUstawienia& operator=(const TZachowaneUstawienia&) = delete;

private:
    TKonfiguracja* FKonfiguracja;
    bool FKorzystajZWariantow;
    bool FTytulZWariantem;
    QString FSeparator;
    QString FUserPath;
};

// Records every change event with its sender.
class TRejestrZmian
{
public:
    TZdarzenieZmiany Zdarzenie()
    {
        return [this](TNadawcaZmiany* nadawca) { Nadawcy.push_back(nadawca); };
    }
    std::vector<TNadawcaZmiany*> Nadawcy;
};

// Base of the module's tests: the configuration, its settings restored afterwards, and a folder for
// document files that exist.
class TestSpecyfikacji : public ::testing::Test
{
protected:
    TKonfiguracja* K = Konfiguracja();
    TZachowaneUstawienia Zachowane;
    QTemporaryDir Katalog;

    // Creates a document file in the test's folder and returns its path.
    QString Dokument(const QString& nazwa)
    {
        const QString sciezka = Katalog.filePath(nazwa);
        ZapiszPlik(sciezka, "dokument");
        return sciezka;
    }
    // A path in the test's folder where no file exists.
    QString BrakujacyDokument(const QString& nazwa) const { return Katalog.filePath(nazwa); }
};

#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"

#include <memory>

inline std::unique_ptr<TSpecyfikacja> NowaGrupa(const QString& numer, const QString& opis = QString())
{
    return std::make_unique<TSpecyfikacja>(numer, false, true, QString(), QString(), opis);
}

inline std::unique_ptr<TSpecyfikacja> NowaSpecyfikacja(const QString& numer, const QString& plik = QString(),
                                                       const QString& opis = QString())
{
    return std::make_unique<TSpecyfikacja>(numer, false, false, QString(), plik, opis);
}

inline std::unique_ptr<TWariantSpecyfikacji> NowyWariant(const QString& numer, const QString& opis = QString(),
                                                         const QString& plik = QString())
{
    return std::make_unique<TWariantSpecyfikacji>(numer, opis, plik, QString());
}

// Adds the node and returns it, for building trees in a line.
inline TSpecyfikacja* Dodaj(TSpecyfikacja& rodzic, std::unique_ptr<TSpecyfikacja> s)
{
    TSpecyfikacja* wynik = s.get();
    if (!rodzic.Add(std::move(s)))
        throw std::runtime_error("Add refused a node while building a test tree");
    return wynik;
}

inline TWariantSpecyfikacji* DodajWariant(TSpecyfikacja& rodzic, std::unique_ptr<TWariantSpecyfikacji> w)
{
    TWariantSpecyfikacji* wynik = w.get();
    if (!rodzic.AddWariant(std::move(w)))
        throw std::runtime_error("AddWariant refused a variant while building a test tree");
    return wynik;
}

// Every node below the root with its level, in tree order: "2 D-01 Roboty przygotowawcze".
inline QStringList Drzewo(const TSpecyfikacja& korzen)
{
    QStringList wynik;
    auto dodaj = [&](const TSpecyfikacja& w, auto&& dalej) -> void {
        for (int i = 0; i < w.Count(); ++i) {
            const TSpecyfikacja* d = w.GetSpecyfikacja(i);
            wynik << QString::number(d->KtoryPoziom()) + QLatin1Char(' ') + d->GetCaption();
            dalej(*d, dalej);
        }
    };
    dodaj(korzen, dodaj);
    return wynik;
}
