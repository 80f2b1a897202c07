#include "specs/ImporterSTC.h"

#include "app/Kodowanie.h"
#include "app/Wyjatki.h"

#include <QFileInfo>

void TImporterSTC::WczytajPlik(const QString& plikSctPath)
{
    Wyczysc();
    if (plikSctPath.trimmed().isEmpty() || !QFileInfo(plikSctPath).isFile())
        throw EBlad(QStringLiteral("Wybrany plik nie istnieje: ") + plikSctPath);
    CzytajTekst(WczytajPlikTekstowy(plikSctPath).Tekst);
}

void TImporterSTC::WczytajZBajtow(const QByteArray& bajty)
{
    Wyczysc();
    CzytajTekst(DekodujTekstPliku(bajty).Tekst);
}

void TImporterSTC::Wyczysc()
{
    FListaNrSt.clear();
    FListaSSt.clear();
    FKluczeNrSt.clear();
    FKluczeSSt.clear();
}

void TImporterSTC::CzytajTekst(const QString& tekst)
{
    // A record has at least four fields. The number is everything before the third "|" from the end (so
    // with five fields the first two joined by "|"), the list everything after the last one.
    const QChar kreska = QLatin1Char('|');
    for (const QString& linia : PodzielNaLinie(tekst)) {
        const qsizetype ostatnia = linia.lastIndexOf(kreska);
        if (ostatnia < 0)
            continue;
        const qsizetype druga = ostatnia > 0 ? linia.lastIndexOf(kreska, ostatnia - 1) : -1;
        if (druga < 0)
            continue;
        const qsizetype trzecia = druga > 0 ? linia.lastIndexOf(kreska, druga - 1) : -1;
        if (trzecia < 0)
            continue;
        Dopisz(FListaNrSt, FKluczeNrSt, linia.left(trzecia).trimmed());
        Dopisz(FListaSSt, FKluczeSSt, linia.mid(ostatnia + 1).trimmed());
    }
}

void TImporterSTC::Dopisz(QStringList& lista, QSet<QString>& klucze, const QString& wartosc)
{
    if (wartosc.isEmpty())
        return;
    const QString klucz = wartosc.toCaseFolded();
    if (klucze.contains(klucz))
        return;
    klucze.insert(klucz);
    lista.append(wartosc);
}
