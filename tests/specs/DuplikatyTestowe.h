#pragma once

#include "app/Konfiguracja.h"
#include "specs/DialogDuplikatowTestowy.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/SpisST.h"

#include <QDir>
#include <QFileInfo>

// Base of the duplicate-handling and import tests: a small list whose documents exist in folder "A"
// of the test's folder, a scripted dialog, and the configuration's duplicate answers put back afterwards.
//
//   D                 group "Roboty drogowe"
//     D-01            group "Roboty przygotowawcze"
//       D-01.01       A/d0101.doc, variant "a" with A/wariant_a.doc
//       D-01.02       A/d0102.doc
//       D-01.03       A/d0103.doc, which does not exist
class TestDuplikatow : public TestSpecyfikacji
{
protected:
    TSpisST Spis;
    TDialogDuplikatowTestowy Dialog;
    TSpecyfikacja* GrupaD = nullptr;
    TSpecyfikacja* GrupaD01 = nullptr;
    TSpecyfikacja* D0101 = nullptr;
    TSpecyfikacja* D0102 = nullptr;
    TSpecyfikacja* D0103 = nullptr;

    void SetUp() override
    {
        FPrzed = {K->CzyZapamietacOpcjeDuplikatowNumeru, K->CzyZapamietacOpcjeDuplikatowPliku,
                  K->ZapamietanaOpcjaDuplikatowNumeru, K->ZapamietanaOpcjaDuplikatowPliku};
        GrupaD = Dodaj(Spis, NowaGrupa(QStringLiteral("D"), QStringLiteral("Roboty drogowe")));
        GrupaD01 = Dodaj(*GrupaD, NowaGrupa(QStringLiteral("D-01"), QStringLiteral("Roboty przygotowawcze")));
        D0101 = Dodaj(*GrupaD01, NowaSpecyfikacja(QStringLiteral("D-01.01"), Plik("A/d0101.doc", "stary 0101"),
                                                  QStringLiteral("Odtworzenie trasy")));
        DodajWariant(*D0101, NowyWariant(QStringLiteral("a"), QStringLiteral("Teren zabudowany"),
                                         Plik("A/wariant_a.doc", "stary wariant")));
        D0102 = Dodaj(*GrupaD01, NowaSpecyfikacja(QStringLiteral("D-01.02"), Plik("A/d0102.doc", "stary 0102"),
                                                  QStringLiteral("Usunięcie drzew")));
        D0103 = Dodaj(*GrupaD01,
                      NowaSpecyfikacja(QStringLiteral("D-01.03"), BrakujacyDokument(QStringLiteral("A/d0103.doc")),
                                       QStringLiteral("Rozbiórki")));
    }

    void TearDown() override
    {
        K->CzyZapamietacOpcjeDuplikatowNumeru = FPrzed.CzyNumer;
        K->CzyZapamietacOpcjeDuplikatowPliku = FPrzed.CzyPlik;
        K->ZapamietanaOpcjaDuplikatowNumeru = FPrzed.Numer;
        K->ZapamietanaOpcjaDuplikatowPliku = FPrzed.Plik;
    }

    // Writes a document with the given content in the test's folder and returns its path.
    QString Plik(const char* wzgledna, const QByteArray& zawartosc)
    {
        const QString sciezka = Katalog.filePath(QString::fromUtf8(wzgledna));
        ZapiszPlik(sciezka, zawartosc);
        return sciezka;
    }
    QString Sciezka(const char* wzgledna) const { return Katalog.filePath(QString::fromUtf8(wzgledna)); }

    // Files in a folder of the test, hidden ones included (a left-over temporary copy would be one).
    QStringList PlikiW(const char* folder) const
    {
        return QDir(Sciezka(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private:
    struct TUstawienia
    {
        bool CzyNumer;
        bool CzyPlik;
        TOpcjaDuplikatowNumeru Numer;
        TOpcjaDuplikatowPliku Plik;
    } FPrzed{};
};
