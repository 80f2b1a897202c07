#include "estimates/LinieRds.h"

#include "app/Wyjatki.h"

#include <limits>

TLinieRds::TLinieRds(QString tekst)
{
    FKawalki.push_back(std::move(tekst));
    Indeksuj();
}

TLinieRds::TLinieRds(std::vector<QString> kawalki) : FKawalki(std::move(kawalki))
{
    if (FKawalki.size() > 1) {
        FBity = 23;
        FMaska = (std::uint32_t{1} << FBity) - 1;
    }
    Indeksuj();
}

void TLinieRds::Indeksuj()
{
    for (const QString& k : FKawalki)
        FRozmiar += k.size();
    const std::size_t maksKawalkow = std::size_t{1} << (32 - FBity);
    if (FRozmiar >= static_cast<qsizetype>(std::numeric_limits<int>::max()) || FKawalki.size() > maksKawalkow)
        throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
    // Lines of estimates run to a few dozen characters: room for that many lines spares the regrowth.
    const std::size_t przewidywane = static_cast<std::size_t>(FRozmiar / 24 + 16);
    FPoczatki.reserve(przewidywane + 1);
    FRodzaje.reserve(przewidywane);
    for (std::size_t nr = 0; nr < FKawalki.size(); ++nr) {
        const QString& kawalek = FKawalki[nr];
        const qsizetype n = kawalek.size();
        if (FKawalki.size() > 1 && n >= MaksKawalek)
            throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
        const auto* z = reinterpret_cast<const char16_t*>(kawalek.constData());
        const std::uint32_t baza = static_cast<std::uint32_t>(nr) << FBity;
        // One pass finds the line ends and the kind of every line. Only a line holding a "[" may open a
        // block; any other is blank when it holds nothing but white space (as QString::trimmed() sees it).
        bool nawias = false;
        bool niepusta = false;
        qsizetype poczatek = 0;
        const auto zakoncz = [&](qsizetype koniecLinii, qsizetype nastepna) {
            const QStringView linia(z + poczatek, koniecLinii - poczatek);
            FRodzaje.push_back(nawias ? RodzajLinii(linia) : niepusta ? TRodzaj::Zwykla : TRodzaj::Pusta);
            FPoczatki.push_back(baza | static_cast<std::uint32_t>(poczatek));
            poczatek = nastepna;
            nawias = false;
            niepusta = false;
        };
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = z[i];
            if (c > u' ') {
                if (c == u'[')
                    nawias = true;
                if (!niepusta && (c < 0x80 || !QChar::isSpace(c)))
                    niepusta = true;
            } else if (c == u'\r' || c == u'\n') {
                const qsizetype koniecLinii = i;
                if (c == u'\r' && i + 1 < n && z[i + 1] == u'\n')
                    ++i;
                zakoncz(koniecLinii, i + 1);
            } else if (c != u' ' && (c < u'\t' || c > u'\r')) {
                niepusta = true;
            }
        }
        // A text that does not end with a line end has a last line without one.
        if (poczatek != n)
            zakoncz(n, n);
    }
    const std::size_t ostatni = FKawalki.empty() ? 0 : FKawalki.size() - 1;
    const qsizetype koniec = FKawalki.empty() ? 0 : FKawalki.back().size();
    FPoczatki.push_back((static_cast<std::uint32_t>(ostatni) << FBity) | static_cast<std::uint32_t>(koniec));
}

TLinieRds::TRodzaj TLinieRds::RodzajLinii(QStringView linia)
{
    if (linia == u"[ELEM]")
        return TRodzaj::Elementu;
    const char16_t* z = linia.utf16();
    for (qsizetype i = 0; i + 5 <= linia.size(); ++i) {
        if (z[i] != u'[' || z[i + 4] != u']')
            continue;
        const QStringView znacznik = linia.sliced(i + 1, 3);
        if (znacznik == u"AGR" || znacznik == u"POZ")
            return TRodzaj::Pozycji;
    }
    return CzyPusta(linia) ? TRodzaj::Pusta : TRodzaj::Zwykla;
}

int TLinieRds::KoniecBloku(int indeks) const
{
    // Ending a block where another begins keeps two blocks without a blank line between them apart
    // (each keeps its own keys) and keeps the reading linear however the blocks are packed.
    const int ostatnia = Count() - 1;
    for (int j = indeks; j < ostatnia; ++j) {
        if (Rodzaj(j) == TRodzaj::Pusta)
            return j;
        const TRodzaj nastepna = Rodzaj(j + 1);
        if (nastepna == TRodzaj::Elementu || nastepna == TRodzaj::Pozycji)
            return j;
    }
    return ostatnia;
}
