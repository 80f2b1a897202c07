#include "estimates/LinieRds.h"

#include "app/Wyjatki.h"
#include "estimates/Windows1250.h"

#include <QVarLengthArray>

#include <algorithm>
#include <bit>
#include <limits>
#include <type_traits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

const QString BladPliku = QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy.");

// One pass over a piece (UTF-16 units, or Windows-1250 bytes) finds the line ends and, for every line, whether
// it holds a "[" (only such a line may open a block) and whether it is not blank (white space as
// QString::trimmed() sees it); dodaj gets each line's start, end, "[" and not blank.
template <typename TZnak, typename TDodaj> void IndeksujKawalek(const TZnak* z, qsizetype n, const TDodaj& dodaj)
{
    bool nawias = false;
    bool niepusta = false;
    qsizetype poczatek = 0;
    for (qsizetype i = 0; i < n; ++i) {
#if defined(__SSE2__)
        if (niepusta) {
            // The rest of a line already known not to be blank matters only at a line end or a "[": a
            // register's worth of characters at a time go to the first of them.
            constexpr bool bajty = sizeof(TZnak) == 1;
            constexpr qsizetype naRaz = 16 / sizeof(TZnak);
            const auto rowne = [](__m128i v, char16_t c) {
                return bajty ? _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(c)))
                             : _mm_cmpeq_epi16(v, _mm_set1_epi16(static_cast<short>(c)));
            };
            for (; i + naRaz <= n; i += naRaz) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + i));
                const __m128i trafienia = _mm_or_si128(_mm_or_si128(rowne(v, u'\n'), rowne(v, u'\r')), rowne(v, u'['));
                if (const int maska = _mm_movemask_epi8(trafienia); maska != 0) {
                    i += std::countr_zero(static_cast<unsigned>(maska)) / static_cast<int>(sizeof(TZnak));
                    break;
                }
            }
            if (i >= n)
                break;
        }
#endif
        const auto c = static_cast<char16_t>(static_cast<std::make_unsigned_t<TZnak>>(z[i]));
        if (c > u' ') {
            if (c == u'[')
                nawias = true;
            if (!niepusta &&
                (c < 0x80 || !QChar::isSpace(sizeof(TZnak) == 1 ? ZnakWindows1250(static_cast<unsigned char>(c)) : c)))
                niepusta = true;
        } else if (c == u'\r' || c == u'\n') {
            const qsizetype koniecLinii = i;
            if (c == u'\r' && i + 1 < n && z[i + 1] == TZnak('\n'))
                ++i;
            dodaj(poczatek, koniecLinii, nawias, niepusta);
            poczatek = i + 1;
            nawias = false;
            niepusta = false;
        } else if (c != u' ' && (c < u'\t' || c > u'\r')) {
            niepusta = true;
        }
    }
    // A text that does not end with a line end has a last line without one.
    if (poczatek != n)
        dodaj(poczatek, n, nawias, niepusta);
}

} // namespace

void TLinieRds::Indeksuj()
{
    for (const QString& k : FKawalki)
        FRozmiar += k.size();
    const std::size_t maksKawalkow = std::size_t{1} << (32 - FBity);
    if (FRozmiar >= static_cast<qsizetype>(std::numeric_limits<int>::max()) || FKawalki.size() > maksKawalkow)
        throw EBlad(BladPliku);
    // Lines of estimates run to a few dozen characters, many to a dozen or less: room for a line in eight
    // characters spares the regrowth (and its copies) for all but odd files, and the room no line takes is
    // never touched.
    const std::size_t przewidywane = static_cast<std::size_t>(FRozmiar / 8 + 16);
    FPoczatki.reserve(przewidywane + 1);
    FRodzaje.reserve(przewidywane);
    for (std::size_t nr = 0; nr < FKawalki.size(); ++nr) {
        const QString& kawalek = FKawalki[nr];
        const qsizetype n = kawalek.size();
        if (FKawalki.size() > 1 && n >= MaksKawalek)
            throw EBlad(BladPliku);
        const auto* z = reinterpret_cast<const char16_t*>(kawalek.constData());
        const std::uint32_t baza = static_cast<std::uint32_t>(nr) << FBity;
        IndeksujKawalek(z, n, [&](qsizetype poczatek, qsizetype koniec, bool nawias, bool niepusta) {
            FRodzaje.push_back(nawias     ? RodzajLinii(QStringView(z + poczatek, koniec - poczatek))
                               : niepusta ? TRodzaj::Zwykla
                                          : TRodzaj::Pusta);
            FPoczatki.push_back(baza | static_cast<std::uint32_t>(poczatek));
        });
    }
    const std::size_t ostatni = FKawalki.empty() ? 0 : FKawalki.size() - 1;
    const qsizetype koniec = FKawalki.empty() ? 0 : FKawalki.back().size();
    FPoczatki.push_back((static_cast<std::uint32_t>(ostatni) << FBity) | static_cast<std::uint32_t>(koniec));
}

TLinieRds TLinieRds::ZBajtowWindows1250(QByteArray bajty)
{
    TLinieRds linie;
    const qsizetype n = bajty.size();
    if (n >= static_cast<qsizetype>(std::numeric_limits<int>::max()))
        throw EBlad(BladPliku);
    // Pieces of a MiB or more, each ending after a LF, and never more than the lines' places can name; a
    // file with a line too long for a piece is one piece.
    const qsizetype rozmiarKawalka = std::max(qsizetype{1} << 20, n / 256);
    std::vector<qsizetype>& granice = linie.FGranice;
    granice.push_back(0);
    for (qsizetype od = 0; n > rozmiarKawalka && od < n;) {
        const qsizetype lf = bajty.indexOf('\n', std::min(od + rozmiarKawalka, n) - 1);
        od = lf < 0 ? n : lf + 1;
        if (od - granice.back() >= MaksKawalek) {
            granice.resize(1);
            break;
        }
        granice.push_back(od);
    }
    if (granice.size() == 1)
        granice.push_back(n);
    if (granice.size() > 2) {
        linie.FBity = 23;
        linie.FMaska = (std::uint32_t{1} << linie.FBity) - 1;
    }
    linie.FBajty = std::move(bajty);
    linie.IndeksujBajty();
    return linie;
}

void TLinieRds::IndeksujBajty()
{
    const qsizetype n = FBajty.size();
    FRozmiar = n;
    const std::size_t kawalkow = FGranice.size() - 1;
    if (kawalkow > (std::size_t{1} << (32 - FBity)))
        throw EBlad(BladPliku);
    FKawalki.resize(kawalkow);
    const std::size_t przewidywane = static_cast<std::size_t>(n / 8 + 16); // as in Indeksuj
    FPoczatki.reserve(przewidywane + 1);
    FRodzaje.reserve(przewidywane);
    QVarLengthArray<char16_t, 256> linia;
    for (std::size_t nr = 0; nr < kawalkow; ++nr) {
        const char* z = FBajty.constData() + FGranice[nr];
        const std::uint32_t baza = static_cast<std::uint32_t>(nr) << FBity;
        IndeksujKawalek(z, FGranice[nr + 1] - FGranice[nr],
                        [&](qsizetype poczatek, qsizetype koniec, bool nawias, bool niepusta) {
                            TRodzaj rodzaj = niepusta ? TRodzaj::Zwykla : TRodzaj::Pusta;
                            if (nawias) {
                                // Few lines hold a "[": each is decoded to tell its kind.
                                linia.resize(koniec - poczatek);
                                Windows1250DoBufora(QByteArrayView(z + poczatek, koniec - poczatek), linia.data());
                                rodzaj = RodzajLinii(QStringView(linia.data(), linia.size()));
                            }
                            FRodzaje.push_back(rodzaj);
                            FPoczatki.push_back(baza | static_cast<std::uint32_t>(poczatek));
                        });
    }
    const std::size_t ostatni = kawalkow - 1;
    FPoczatki.push_back((static_cast<std::uint32_t>(ostatni) << FBity) |
                        static_cast<std::uint32_t>(FGranice[kawalkow] - FGranice[ostatni]));
}

const QString& TLinieRds::Dekoduj(std::size_t nr) const
{
    const qsizetype od = FGranice[nr];
    const qsizetype n = FGranice[nr + 1] - od;
    // The room of a piece let go serves, with some to spare: the pieces differ by the lengths of lines.
    QString kawalek = std::exchange(FZapas, QString());
    if (kawalek.capacity() < n)
        kawalek.reserve(n + n / 8);
    kawalek.resize(n);
    Windows1250DoBufora(QByteArrayView(FBajty.constData() + od, n), reinterpret_cast<char16_t*>(kawalek.data()));
    FKawalki[nr] = std::move(kawalek);
    return FKawalki[nr];
}

void TLinieRds::Zwolnij(std::size_t przed)
{
    for (; FZwolnione < przed; ++FZwolnione)
        if (!FKawalki[FZwolnione].isNull())
            FZapas = std::exchange(FKawalki[FZwolnione], QString());
}

bool TLinieRds::CzyZawieraNul() const
{
    if (FBajty.isEmpty())
        return std::any_of(FKawalki.begin(), FKawalki.end(), [](const QString& k) { return k.contains(QChar(0)); });
    // The bytes that decode to U+0000 (the NUL byte itself).
    for (int b = 0; b < 256; ++b)
        if (ZnakWindows1250(static_cast<unsigned char>(b)) == 0 && FBajty.contains(static_cast<char>(b)))
            return true;
    return false;
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

qsizetype ZnajdzZnak(QStringView tekst, char16_t znak, qsizetype od)
{
    const char16_t* z = tekst.utf16();
    const qsizetype n = tekst.size();
    qsizetype i = std::max(od, qsizetype{0});
#if defined(__SSE2__)
    const __m128i szukany = _mm_set1_epi16(static_cast<short>(znak));
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + i));
        if (const int maska = _mm_movemask_epi8(_mm_cmpeq_epi16(v, szukany)); maska != 0)
            return i + std::countr_zero(static_cast<unsigned>(maska)) / 2;
    }
#endif
    for (; i < n; ++i)
        if (z[i] == znak)
            return i;
    return -1;
}
