#pragma once

#include "UzytkownikSkryptowy.h"

#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/ZestawController.h"

#include <QTemporaryDir>

#include <memory>

// A controller on a fresh configuration whose user folder is the test's own, with a scripted user and a
// test view. The files a test needs it writes itself.
class TTestKontrolera : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().SetUserPath(Katalog.path());
        Konfiguracja().PytajOPozostalePozycje = true;
        Kontroler = std::make_unique<TZestawController>(Konfiguracja(), Widok, Uzytkownik);
    }
    void TearDown() override
    {
        Kontroler.reset();
        TTestZKonfiguracja::TearDown();
    }

    QString Plik(const QString& nazwa, const QByteArray& tresc)
    {
        const QString sciezka = Katalog.filePath(nazwa);
        ZapiszPlik(sciezka, tresc);
        return sciezka;
    }

    // A list of two specifications, the first with the variant "A"; the documents exist.
    QString Lista(const QString& nazwa = QStringLiteral("lista.sst"))
    {
        Plik(QStringLiteral("S-1.odt"), "x");
        Plik(QStringLiteral("S-1 A.odt"), "x");
        Plik(QStringLiteral("S-2.odt"), "x");
        return Plik(nazwa, "<sst><specyfikacja numer=\"G\" opis=\"Grupa\" grupa=\"true\">"
                           "<specyfikacja numer=\"S-1\" opis=\"Pierwsza\" plik=\"%USERPATH%/S-1.odt\"><warianty>"
                           "<wariant numer=\"A\" opis=\"Wariant A\" plik=\"%USERPATH%/S-1 A.odt\"/></warianty>"
                           "</specyfikacja>"
                           "<specyfikacja numer=\"S-2\" opis=\"Druga\" plik=\"%USERPATH%/S-2.odt\"/>"
                           "</specyfikacja></sst>");
    }

    // An estimate of two elements; positions P1 and P2 carry "S-1", P3 carries nothing.
    QString Kosztorys(const QString& nazwa = QStringLiteral("k.rds"))
    {
        return Plik(nazwa, "[KOSZTORYS]\nID_KS=K1\nNazwa=Kosztorys\n\n"
                           "[ELEM]\nNr=1\nOpis=Pierwszy\nPZ=0\n\n"
                           "[POZ]\nID=P1\nNr=1.1\nST=S-1\nOpis=Roboty a\nJm=m\nIlość=1\nCena=2,5\n\n"
                           "[POZ]\nID=P3\nNr=1.2\nST=\nOpis=Roboty c\nJm=m\nIlość=1\nCena=abc\n\n"
                           "[ELEM]\nNr=2\nOpis=Drugi\nPZ=0\n\n"
                           "[POZ]\nID=P2\nNr=2.1\nST=S-1\nOpis=Roboty b\nJm=m\nIlość=1\nCena=1\n");
    }

    QTemporaryDir Katalog;
    TUzytkownikSkryptowy Uzytkownik;
    TWidokTestowy Widok;
    std::unique_ptr<TZestawController> Kontroler;
};
