#include "estimates/LinieRds.h"

#include "app/Wyjatki.h"

#include <limits>

TLinieRds::TLinieRds(QString tekst) : FTekst(std::move(tekst))
{
    const qsizetype n = FTekst.size();
    if (n >= static_cast<qsizetype>(std::numeric_limits<int>::max()))
        throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
    const auto* z = reinterpret_cast<const char16_t*>(FTekst.constData());
    // One pass finds the line ends and the lines holding a "[", the only ones that may open a block.
    std::vector<bool> zNawiasem;
    bool nawias = false;
    FPoczatki.push_back(0);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = z[i];
        if (c > u'[')
            continue;
        if (c == u'[') {
            nawias = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && z[i + 1] == u'\n')
                ++i;
            FPoczatki.push_back(static_cast<std::uint32_t>(i + 1));
            zNawiasem.push_back(nawias);
            nawias = false;
        }
    }
    // A text that does not end with a line end has a last line without one.
    if (FPoczatki.back() != static_cast<std::uint32_t>(n)) {
        FPoczatki.push_back(static_cast<std::uint32_t>(n));
        zNawiasem.push_back(nawias);
    }
    FRodzaje.resize(FPoczatki.size() - 1);
    for (int i = 0; i < Count(); ++i) {
        const QStringView linia = (*this)[i];
        const std::size_t j = static_cast<std::size_t>(i);
        FRodzaje[j] = zNawiasem[j] ? RodzajLinii(linia) : CzyPusta(linia) ? TRodzaj::Pusta : TRodzaj::Zwykla;
    }
}

QStringView TLinieRds::operator[](int indeks) const
{
    const std::size_t i = static_cast<std::size_t>(indeks);
    const qsizetype poczatek = FPoczatki[i];
    qsizetype koniec = FPoczatki[i + 1];
    const QChar* z = FTekst.constData();
    // The next line starts after this line's end: take back its LF, CR or CR LF.
    if (koniec > poczatek && z[koniec - 1] == u'\n')
        --koniec;
    if (koniec > poczatek && z[koniec - 1] == u'\r')
        --koniec;
    return QStringView(z + poczatek, koniec - poczatek);
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
