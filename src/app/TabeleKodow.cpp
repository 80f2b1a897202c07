#include "app/TabeleKodow.h"

#include "app/Kodowanie.h"
#include "app/Lokalizacje.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Wyrazenie.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

// The program's tables have a few hundred lines; a file of this size is no table of ours.
constexpr qint64 LimitTabeli = qint64(64) << 20;

} // namespace

QStringList WczytajLinieTabeli(const QString& sciezka, bool* istnieje)
{
    QByteArray bajty;
    try {
        bajty = CzytajCalyPlik(sciezka, LimitTabeli);
    } catch (const EOdczytPliku& e) {
        if (istnieje)
            *istnieje = e.Powod() == EOdczytPliku::ZaDuzy;
        return {};
    }
    if (istnieje)
        *istnieje = true;
    TTekstPliku tekst = DekodujTekstPliku(bajty);
    if (tekst.Kodowanie == TKodowaniePliku::Ansi) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString jakoUtf8 = utf8(bajty);
        if (!utf8.hasError())
            tekst.Tekst = jakoUtf8;
    }
    return PodzielNaLinie(tekst.Tekst);
}

TListaKodowCpv WczytajKodyCpv()
{
    return WczytajKodyCpv(PlikKodowCpv());
}

TListaKodowCpv WczytajKodyCpv(const QString& sciezka)
{
    static const TWyrazenieRegularne wzorLinii(QStringLiteral("(.*?);(.*)"));
    static const TWyrazenieRegularne wzorKodu(QStringLiteral("\\d+?(0*)-\\d"));
    TListaKodowCpv wynik;
    TKodCpv* biezacy = nullptr;
    for (const QString& linia : WczytajLinieTabeli(sciezka)) {
        const auto m = wzorLinii.Dopasuj(linia);
        if (!m.Jest)
            continue;
        auto kod = std::make_unique<TKodCpv>();
        kod->Kod = m.Grupa(1);
        kod->Opis = m.Grupa(2);
        const auto mk = wzorKodu.Dopasuj(kod->Kod);
        if (!mk.Jest)
            throw EBlad(QStringLiteral("Nieprawidlowy poziom: ") + kod->Kod);
        kod->Poziom = std::clamp(6 - static_cast<int>(mk.Grupa(1).size()), 0, 3);
        // A code of a higher level before any level-0 code has no tree to join: it starts one.
        if (kod->Poziom == 0 || !biezacy) {
            wynik.push_back(std::move(kod));
            biezacy = wynik.back().get();
        } else {
            biezacy = biezacy->Dodaj(std::move(kod));
        }
    }
    return wynik;
}

QMap<QString, QString> WczytajKodyJednostek()
{
    return WczytajKodyJednostek(PlikKodowJednostek());
}

QMap<QString, QString> WczytajKodyJednostek(const QString& sciezka)
{
    static const TWyrazenieRegularne wzor(QStringLiteral("(.*);(.*);"));
    QMap<QString, QString> wynik;
    for (const QString& linia : WczytajLinieTabeli(sciezka)) {
        const auto m = wzor.Dopasuj(linia);
        if (m.Jest && !wynik.contains(m.Grupa(1)))
            wynik.insert(m.Grupa(1), m.Grupa(2));
    }
    return wynik;
}
