#include "estimates/KopiaKosztorysu.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/ElementRds.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

QByteArray CzytajPlikKosztorysu(const QString& sciezka, const TKomunikatyOdczytu& komunikaty, qint64 limit)
{
    try {
        return CzytajCalyPlik(sciezka, limit);
    } catch (const EOdczytPliku& e) {
        switch (e.Powod()) {
        case EOdczytPliku::Brak:
            throw EBlad(komunikaty.Brak);
        case EOdczytPliku::ZaDuzy:
            throw EBlad(komunikaty.ZaDuzy);
        case EOdczytPliku::BladOdczytu:
            break;
        }
        throw EBlad(komunikaty.BladOdczytu);
    }
}

QByteArray CzytajZrodloKopii(const QString& zrodlo)
{
    const QString blad = QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku.");
    return CzytajPlikKosztorysu(zrodlo, {blad, QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."), blad});
}

void SprawdzCelKopii(const QString& zrodlo, const QString& cel)
{
    if (QFileInfo::exists(cel)) {
        QFile plik(cel);
        // Append opens for writing without cutting the file.
        if (!plik.open(QIODevice::WriteOnly | QIODevice::Append))
            throw EBlad(QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku."));
    }
    if (CzyTenSamPlik(zrodlo, cel) || (QFileInfo::exists(cel) && CzyTenSamPlik(zrodlo, SciezkaKopiiTyldy(cel))))
        throw EBlad(QStringLiteral("Błąd tworzenia kosztorysu: kopia nie może zastąpić pliku źródłowego."));
}

namespace {

// Any total order does for finding Ids again: a digest of the text first, then length, then the UTF-16
// units, without locale or case. Equal digests only cost a comparison of the texts, so Ids made to collide
// do not slow the look-up down beyond that.
template <typename TWpis> bool Przed(const TWpis& a, quint64 skrot, const QString& id)
{
    if (a.Skrot != skrot)
        return a.Skrot < skrot;
    if (a.Id.size() != id.size())
        return a.Id.size() < id.size();
    return std::memcmp(a.Id.constData(), id.constData(), static_cast<size_t>(id.size()) * sizeof(QChar)) < 0;
}

} // namespace

quint64 TIndeksPozycji::Skrot(const QString& id)
{
    // FNV-1a over the UTF-16 units.
    quint64 h = 14695981039346656037ULL;
    for (const QChar z : id) {
        h ^= z.unicode();
        h *= 1099511628211ULL;
    }
    return h;
}

TIndeksPozycji::TIndeksPozycji(const TElementRds& korzen)
{
    FPozycje.reserve(static_cast<size_t>(korzen.Count()));
    korzen.DlaKazdejPozycji([this](TPozycjaRds& p) { FPozycje.push_back({Skrot(p.Id()), p.Id(), &p}); });
    // Stable: of equal Ids the first in tree order stays first.
    std::stable_sort(FPozycje.begin(), FPozycje.end(),
                     [](const TWpis& a, const TWpis& b) { return Przed(a, b.Skrot, b.Id); });
}

const TPozycjaRds* TIndeksPozycji::Znajdz(const QString& id) const
{
    const quint64 skrot = Skrot(id);
    const auto it = std::lower_bound(FPozycje.begin(), FPozycje.end(), id,
                                     [skrot](const TWpis& a, const QString& b) { return Przed(a, skrot, b); });
    return it != FPozycje.end() && it->Skrot == skrot && it->Id == id ? it->Pozycja : nullptr;
}
