// Any bytes as a ".stc" file: reading never crashes; both lists hold trimmed, non-empty entries, none twice
// in any letter case; and they are what the record pattern "(.*)\|.*\|.*\|(.*)" gives line by line (checked
// on lines that are valid UTF-16, which the pattern engine requires).
#include "app/Kodowanie.h"
#include "app/Wyrazenie.h"
#include "specs/ImporterSTC.h"

#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Dopisz(QStringList& lista, QSet<QString>& klucze, const QString& wartosc)
{
    if (!wartosc.isEmpty() && !klucze.contains(wartosc.toCaseFolded())) {
        klucze.insert(wartosc.toCaseFolded());
        lista.append(wartosc);
    }
}

void SprawdzListe(const QStringList& lista)
{
    QSet<QString> klucze;
    for (const QString& s : lista) {
        if (s.isEmpty() || s != s.trimmed() || klucze.contains(s.toCaseFolded()))
            std::abort();
        klucze.insert(s.toCaseFolded());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    TImporterSTC importer;
    importer.WczytajZBajtow(bajty);
    SprawdzListe(importer.ListaNumerowSt());
    SprawdzListe(importer.ListaSst());

    static const TWyrazenieRegularne wzorzec(QStringLiteral("(.*)\\|.*\\|.*\\|(.*)"));
    QStringList numery;
    QStringList listy;
    QSet<QString> kluczeNumerow;
    QSet<QString> kluczyList;
    bool wszystkiePoprawne = true;
    for (const QString& linia : PodzielNaLinie(DekodujTekstPliku(bajty).Tekst)) {
        if (!linia.isValidUtf16()) {
            wszystkiePoprawne = false;
            break;
        }
        const TWyrazenieRegularne::TDopasowanie d = wzorzec.Dopasuj(linia);
        if (!d.Jest)
            continue;
        Dopisz(numery, kluczeNumerow, d.Grupa(1).trimmed());
        Dopisz(listy, kluczyList, d.Grupa(2).trimmed());
    }
    if (wszystkiePoprawne && (numery != importer.ListaNumerowSt() || listy != importer.ListaSst()))
        std::abort();
    return 0;
}
