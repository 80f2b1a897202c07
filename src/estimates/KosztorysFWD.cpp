#include "estimates/KosztorysFWD.h"

#include "app/Kodowanie.h"
#include "app/Liczby.h"
#include "app/Pliki.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/Windows1250.h"

#include <QIODevice>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The blanks of a line as the format evens them out: trimmed, every pair of blanks dropped, no blank
// before "=" or "]" or after "[".
QString Normalizuj(QStringView linia)
{
    QString s = linia.trimmed().toString();
    s.replace(QLatin1String("  "), QString());
    s.replace(QLatin1String(" ="), QLatin1String("="));
    s.replace(QLatin1String("[ "), QLatin1String("["));
    s.replace(QLatin1String(" ]"), QLatin1String("]"));
    return s;
}

// The line holds a pair of blanks, a blank before "=" or "]", or one after "[": only then does normalising
// change it.
bool CzyDoNormalizacji(QStringView linia)
{
    for (qsizetype i = linia.indexOf(u' '); i >= 0; i = linia.indexOf(u' ', i + 1)) {
        if (i > 0 && linia[i - 1] == u'[')
            return true;
        if (i + 1 < linia.size() && (linia[i + 1] == u' ' || linia[i + 1] == u'=' || linia[i + 1] == u']'))
            return true;
    }
    return false;
}

QChar WielkaLitera(QChar z)
{
    if (z.unicode() < 0x80)
        return z.unicode() >= u'a' && z.unicode() <= u'z' ? QChar(z.unicode() - (u'a' - u'A')) : z;
    return z.toUpper();
}

// The upper-case form of the text contains the (upper-case, ASCII) name.
bool Zawiera(QStringView tekst, QLatin1StringView szukany)
{
    return std::search(tekst.begin(), tekst.end(), szukany.begin(), szukany.end(), [](QChar a, char b) {
               return WielkaLitera(a).unicode() == static_cast<unsigned char>(b);
           }) != tekst.end();
}

// A section line names its section anywhere in its normalised, upper-case form; the names are tried in
// this order.
std::optional<TRodzajSekcjiFwd> RodzajSekcji(QStringView linia)
{
    static const std::pair<QLatin1StringView, TRodzajSekcjiFwd> nazwy[] = {
        {QLatin1StringView("[KOSZTORYS FWD]"), TRodzajSekcjiFwd::Naglowek},
        {QLatin1StringView("[STRONA TYTULOWA]"), TRodzajSekcjiFwd::StronaTytulowa},
        {QLatin1StringView("[POZIOM STRUKTURY]"), TRodzajSekcjiFwd::PoziomStruktury},
        {QLatin1StringView("[POZYCJA]"), TRodzajSekcjiFwd::Pozycja},
        {QLatin1StringView("[PRZEDMIAR]"), TRodzajSekcjiFwd::Przedmiar},
        {QLatin1StringView("[KONIEC]"), TRodzajSekcjiFwd::Koniec},
    };
    for (const auto& [tekst, rodzaj] : nazwy)
        if (linia == tekst)
            return rodzaj;
    // Most section lines need no normalising and are searched as they are, letter by letter in upper case.
    const QString znormalizowana = CzyDoNormalizacji(linia) ? Normalizuj(linia) : QString();
    const QStringView nazwa = znormalizowana.isNull() ? linia : QStringView(znormalizowana);
    for (const auto& [tekst, rodzaj] : nazwy)
        if (Zawiera(nazwa, tekst))
            return rodzaj;
    return std::nullopt;
}

std::unique_ptr<TFWDSekcja> UtworzSekcje(TRodzajSekcjiFwd rodzaj)
{
    switch (rodzaj) {
    case TRodzajSekcjiFwd::Naglowek:
        return std::make_unique<TFWDNaglowek>();
    case TRodzajSekcjiFwd::StronaTytulowa:
        return std::make_unique<TFWDStronaTytulowa>();
    case TRodzajSekcjiFwd::PoziomStruktury:
        return std::make_unique<TFWDPoziomStruktury>();
    case TRodzajSekcjiFwd::Pozycja:
        return std::make_unique<TFWDPozycja>();
    case TRodzajSekcjiFwd::Przedmiar:
        return std::make_unique<TFWDPrzedmiar>();
    case TRodzajSekcjiFwd::Koniec:
        break;
    }
    return std::make_unique<TFWDKoniec>();
}

// Four UTF-16 units at a time: the lanes of the word that hold `c` get their high bit set. Lanes above
// a match may be marked too, so only the lowest mark is taken, and that one is always a match.
constexpr quint64 Jedynki = 0x0001000100010001ULL;
constexpr quint64 Wysokie = 0x8000800080008000ULL;

quint64 Rowne(quint64 slowo, char16_t c)
{
    const quint64 y = slowo ^ (Jedynki * c);
    return (y - Jedynki) & ~y & Wysokie;
}

quint64 Slowo(const QChar* d)
{
    quint64 w;
    std::memcpy(&w, d, sizeof w);
    return w;
}

// The index of the first of the two characters at or after `i`, or `n`. A file has a million lines, and
// most of their characters are neither.
qsizetype Znajdz(const QChar* d, qsizetype i, qsizetype n, char16_t a, char16_t b)
{
#ifdef __SSE2__
    const __m128i wa = _mm_set1_epi16(static_cast<short>(a));
    const __m128i wb = _mm_set1_epi16(static_cast<short>(b));
    for (; i + 8 <= n; i += 8) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        const int m = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(w, wa), _mm_cmpeq_epi16(w, wb)));
        if (m != 0)
            return i + std::countr_zero(static_cast<unsigned>(m)) / 2;
    }
#endif
    // The lowest lane is the first character only in little-endian order.
    if constexpr (std::endian::native == std::endian::little)
        for (; i + 4 <= n; i += 4)
            if (const quint64 m = Rowne(Slowo(d + i), a) | Rowne(Slowo(d + i), b))
                return i + std::countr_zero(m) / 16;
    for (; i < n; ++i)
        if (d[i].unicode() == a || d[i].unicode() == b)
            return i;
    return n;
}

// Lines end at CR LF, LF or a lone CR; a final line end gives no empty last line.
template <typename F> void DlaKazdejLinii(QStringView t, F&& naLinie)
{
    const QChar* d = t.data();
    const qsizetype n = t.size();
    qsizetype poczatek = 0;
    for (qsizetype i = Znajdz(d, 0, n, u'\r', u'\n'); i < n; i = Znajdz(d, i + 1, n, u'\r', u'\n')) {
        naLinie(t.mid(poczatek, i - poczatek));
        if (d[i] == u'\r' && i + 1 < n && d[i + 1] == u'\n')
            ++i;
        poczatek = i + 1;
    }
    if (poczatek < n)
        naLinie(t.mid(poczatek));
}

// QStringView::trimmed, without the call for the usual text that starts and ends with a printable ASCII
// character.
QStringView Przytnij(QStringView t)
{
    if (t.isEmpty())
        return t;
    const char16_t a = t.front().unicode();
    const char16_t b = t.back().unicode();
    if (a > u' ' && a < 0x7F && b > u' ' && b < 0x7F)
        return t;
    return t.trimmed();
}

// A field is matched by its key: the text before the first "=" with the line's blanks normalised. A line
// with no "=" cannot be understood and counts as an unrecognised error.
void CzytajPole(TFWDSekcja& sekcja, QStringView t, bool& bledy)
{
    if (t.isEmpty())
        return;
    // One pass over the line: the first "=" and whether normalising would change the line (see
    // CzyDoNormalizacji), that is whether a blank is followed by a blank, "=" or "]", or follows "[".
    const QChar* d = t.data();
    const qsizetype n = t.size();
    qsizetype rowna = -1;
    bool doNormalizacji = false;
    qsizetype i = 0;
#ifdef __SSE2__
    // Eight characters and the eight after them at a time. The last eight pairs of a line of nine or more
    // are taken as one more group, which may go over pairs already looked at: neither a pair nor the
    // first "=" (none stood before `i`) comes out otherwise.
    const __m128i spacja = _mm_set1_epi16(u' ');
    const __m128i znakRowna = _mm_set1_epi16(u'=');
    const __m128i nawiasZ = _mm_set1_epi16(u']');
    const __m128i nawiasO = _mm_set1_epi16(u'[');
    const auto grupa = [&](qsizetype od) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + od));
        const __m128i nast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + od + 1));
        const __m128i spacjaNast = _mm_cmpeq_epi16(nast, spacja);
        const __m128i para =
            _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi16(w, spacja),
                                       _mm_or_si128(spacjaNast, _mm_or_si128(_mm_cmpeq_epi16(nast, znakRowna),
                                                                             _mm_cmpeq_epi16(nast, nawiasZ)))),
                         _mm_and_si128(_mm_cmpeq_epi16(w, nawiasO), spacjaNast));
        doNormalizacji = doNormalizacji || _mm_movemask_epi8(para) != 0;
        if (rowna < 0)
            if (const int m = _mm_movemask_epi8(_mm_cmpeq_epi16(w, znakRowna)))
                rowna = od + std::countr_zero(static_cast<unsigned>(m)) / 2;
    };
    for (; i + 9 <= n && (rowna < 0 || !doNormalizacji); i += 8)
        grupa(i);
    if (i < n && n >= 9 && (rowna < 0 || !doNormalizacji)) {
        grupa(n - 9);
        // The group's characters end one before the line's; the last may be its first "=".
        if (rowna < 0 && d[n - 1] == u'=')
            rowna = n - 1;
        i = n;
    }
#endif
    for (; i < n && (rowna < 0 || !doNormalizacji); ++i) {
        if (d[i] == u'=' && rowna < 0)
            rowna = i;
        if (i + 1 < n && ((d[i] == u' ' && (d[i + 1] == u' ' || d[i + 1] == u'=' || d[i + 1] == u']')) ||
                          (d[i] == u'[' && d[i + 1] == u' ')))
            doNormalizacji = true;
    }
    if (rowna < 0) {
        bledy = true;
        return;
    }
    const QStringView wartosc = Przytnij(t.mid(rowna + 1));
    if (!doNormalizacji) {
        sekcja.UstawPole(t.left(rowna), wartosc, wartosc);
        return;
    }
    const QString znormalizowana = Normalizuj(t);
    const qsizetype r = znormalizowana.indexOf(u'=');
    sekcja.UstawPole(QStringView(znormalizowana).left(r), wartosc, QStringView(znormalizowana).mid(r + 1).trimmed());
}

struct TPrzejscie
{
    bool Bledy = false;
    bool Koniec = false;
    bool CosRozpoznano = false;
};

// The walk over the text shared by the loaders and PrzejdzSekcje: `daj` gives the object to fill for a
// section, `oddaj` receives it filled, with its depth: a structure level's from its own "poziom=" (1 when
// that is no integer; a level without one is not given a later block's), a position's one below the last
// level seen, a measurement's two below (0 before any level).
template <typename FLinie, typename FDaj, typename FOddaj>
TPrzejscie Przejdz(FLinie&& dlaKazdejLinii, FDaj&& daj, FOddaj&& oddaj)
{
    TPrzejscie wynik;
    int ostatniPoziom = 0;
    int numer = 0;
    TFWDSekcja* biezaca = nullptr;
    const auto zakoncz = [&] {
        if (!biezaca)
            return;
        if (auto* s = SekcjaJako<TFWDPoziomStruktury>(*biezaca)) {
            s->PoziomBloku = TekstNaCalkowita(Normalizuj(s->poziom)).value_or(1);
            ostatniPoziom = s->PoziomBloku;
        } else if (auto* p = SekcjaJako<TFWDPozycja>(*biezaca)) {
            p->PoziomBloku = ostatniPoziom + 1;
        } else if (auto* m = SekcjaJako<TFWDPrzedmiar>(*biezaca)) {
            m->PoziomBloku = ostatniPoziom + 2;
        }
        TFWDSekcja& gotowa = *biezaca;
        biezaca = nullptr;
        oddaj(gotowa);
    };
    dlaKazdejLinii([&](QStringView linia) {
        const QStringView t = Przytnij(linia);
        if (t.startsWith(u'[')) {
            zakoncz();
            const std::optional<TRodzajSekcjiFwd> rodzaj = RodzajSekcji(t);
            if (rodzaj) {
                wynik.CosRozpoznano = true;
                wynik.Koniec = wynik.Koniec || *rodzaj == TRodzajSekcjiFwd::Koniec;
                // No object: a section the caller does not want, whose lines are passed over.
                biezaca = daj(*rodzaj);
                if (biezaca) {
                    biezaca->PozycjaBloku = numer;
                    biezaca->LiczbaLinii = 0;
                }
            }
        } else if (biezaca) {
            ++biezaca->LiczbaLinii;
            CzytajPole(*biezaca, t, wynik.Bledy);
        }
        ++numer;
    });
    zakoncz();
    return wynik;
}

// Where a block of the bytes may end at or after `od`: just after a line end, so that no line and no CR LF
// is cut; the end of the bytes when no line ends after `od`.
qsizetype KoniecBloku(QByteArrayView b, qsizetype od)
{
    const qsizetype n = b.size();
    if (od >= n)
        return n;
    if (const void* lf = std::memchr(b.data() + od, '\n', static_cast<size_t>(n - od)))
        return static_cast<const char*>(lf) - b.data() + 1;
    // No LF left: only a CR not followed by LF ends a line.
    for (qsizetype i = od; i < n; ++i)
        if (b[i] == '\r' && (i + 1 == n || b[i + 1] != '\n'))
            return i + 1;
    return n;
}

// DlaKazdejLinii for a block of single-byte text and its decoded characters (as many): the line ends are
// found in the bytes, sixteen at a time, every CR and LF of a group from one mask instead of a search
// started again after each line.
template <typename F> void DlaKazdejLiniiBloku(QByteArrayView bajty, const char16_t* znaki, F&& naLinie)
{
    const char* b = bajty.data();
    const qsizetype n = bajty.size();
    qsizetype poczatek = 0;
    const auto koniecLinii = [&](qsizetype i) {
        if (i < poczatek) // the LF of a CR LF
            return;
        naLinie(QStringView(znaki + poczatek, i - poczatek));
        poczatek = b[i] == '\r' && i + 1 < n && b[i + 1] == '\n' ? i + 2 : i + 1;
    };
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        for (auto m =
                 static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(w, cr), _mm_cmpeq_epi8(w, lf))));
             m != 0; m &= m - 1)
            koniecLinii(i + std::countr_zero(m));
    }
#endif
    for (; i < n; ++i)
        if (b[i] == '\r' || b[i] == '\n')
            koniecLinii(i);
    if (poczatek < n)
        naLinie(QStringView(znaki + poczatek, n - poczatek));
}

// The lines of Windows-1250 bytes, decoded a block at a time into one buffer that stays in the cache:
// a large file is never held as a whole text. The views live until the next block is decoded.
template <typename F> void DlaKazdejLiniiWindows1250(QByteArrayView bajty, F&& naLinie)
{
    constexpr qsizetype RozmiarBloku = qsizetype(1) << 15;
    std::vector<char16_t> bufor;
    for (qsizetype poczatek = 0; poczatek < bajty.size();) {
        const qsizetype koniec = KoniecBloku(bajty, poczatek + RozmiarBloku);
        const QByteArrayView blok = bajty.sliced(poczatek, koniec - poczatek);
        if (bufor.size() < static_cast<size_t>(blok.size()))
            bufor.resize(static_cast<size_t>(blok.size()));
        Windows1250DoBufora(blok, bufor.data());
        DlaKazdejLiniiBloku(blok, bufor.data(), naLinie);
        poczatek = koniec;
    }
}

// The section objects reused by PrzejdzSekcje: each kind's fields keep their buffers from one section to
// the next. Kinds not among the ones asked for get none.
class TSekcjeWielokrotne
{
public:
    explicit TSekcjeWielokrotne(unsigned rodzaje)
    {
        for (std::size_t i = 0; i < FSekcje.size(); ++i) {
            const auto rodzaj = static_cast<TRodzajSekcjiFwd>(i);
            if ((rodzaje & TKosztorysFWD::Bit(rodzaj)) != 0)
                FSekcje[i] = UtworzSekcje(rodzaj);
        }
    }

    TFWDSekcja* Daj(TRodzajSekcjiFwd rodzaj)
    {
        TFWDSekcja* s = FSekcje[static_cast<std::size_t>(rodzaj)].get();
        if (s)
            s->Wyczysc();
        return s;
    }

private:
    std::array<std::unique_ptr<TFWDSekcja>, static_cast<std::size_t>(TRodzajSekcjiFwd::Koniec) + 1> FSekcje;
};

} // namespace

TKosztorysFWD::TKosztorysFWD() = default;
TKosztorysFWD::~TKosztorysFWD() = default;

void TKosztorysFWD::WyzerujKosztorys()
{
    fLinie.clear();
    fZawartoscPliku.clear();
    ListaBlokow.clear();
    Naglowek.reset();
    StronaTytulowa.reset();
}

void TKosztorysFWD::LoadFromFile(const QString& nazwaPliku, bool ignorujBledyStruktury)
{
    QByteArray bajty;
    try {
        bajty = CzytajCalyPlik(nazwaPliku);
    } catch (const EOdczytPliku& e) {
        throw TExBladPodczasOtwarciaPliku(e.Powod() == EOdczytPliku::ZaDuzy
                                              ? e.Komunikat()
                                              : QStringLiteral("Nie można otworzyć pliku \"%1\".").arg(nazwaPliku));
    }
    Zaladuj(DekodujTekstPliku(bajty).Tekst, ignorujBledyStruktury);
}

void TKosztorysFWD::LoadFromStream(QIODevice& strumien, bool ignorujBledyStruktury)
{
    if (!strumien.isReadable())
        throw TExBladPodczasOtwarciaPliku(QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    const QByteArray bajty = strumien.readAll();
    Zaladuj(DekodujTekstPliku(bajty).Tekst, ignorujBledyStruktury);
}

void TKosztorysFWD::LoadFromString(const QString& tekst, bool ignorujBledyStruktury)
{
    Zaladuj(tekst, ignorujBledyStruktury);
}

void TKosztorysFWD::Zaladuj(QString tekst, bool ignorujBledyStruktury)
{
    try {
        WyzerujKosztorys();
        fIgnorujBledyStruktury = ignorujBledyStruktury;
        fZawartoscPliku = std::move(tekst);
        DlaKazdejLinii(fZawartoscPliku, [this](QStringView linia) { fLinie.push_back(linia); });
        std::unique_ptr<TFWDSekcja> nowa;
        const TPrzejscie wynik = Przejdz([this](auto&& naLinie) { DlaKazdejLinii(fZawartoscPliku, naLinie); },
                                         [&nowa](TRodzajSekcjiFwd rodzaj) {
                                             nowa = UtworzSekcje(rodzaj);
                                             return nowa.get();
                                         },
                                         [&nowa, this](TFWDSekcja& sekcja) {
                                             // Header and title page replace any earlier ones.
                                             if (auto* n = SekcjaJako<TFWDNaglowek>(sekcja))
                                                 Naglowek.reset(n);
                                             else if (auto* s = SekcjaJako<TFWDStronaTytulowa>(sekcja))
                                                 StronaTytulowa.reset(s);
                                             else
                                                 ListaBlokow.emplace_back(static_cast<TFWDBlok*>(&sekcja));
                                             (void)nowa.release();
                                         });
        if (fIgnorujBledyStruktury)
            return;
        if (wynik.Bledy)
            throw TExBladNierozpoznany(QStringLiteral("Występują nierozpoznane błędy."));
        if (!Naglowek)
            throw TExBladBrakNaglowka(QStringLiteral("Brak nagłówka pliku."));
        if (!StronaTytulowa)
            throw TExBladBrakStronyTytulowej(QStringLiteral("Brak strony tytułowej kosztorysu."));
        if (!wynik.Koniec)
            throw TExBladBrakKoncaPliku(QStringLiteral("Brak znacznika zakończenia pliku. Plik może być uszkodzony."));
    } catch (const EBlad& e) {
        WyzerujKosztorys();
        throw TExBladPodczasOtwarciaPliku(e.Komunikat());
    } catch (const std::exception& e) {
        WyzerujKosztorys();
        throw TExBladPodczasOtwarciaPliku(QString::fromUtf8(e.what()));
    }
}

bool TKosztorysFWD::PrzejdzSekcje(QStringView tekst, const std::function<void(TFWDSekcja&)>& naSekcje, unsigned rodzaje)
{
    TSekcjeWielokrotne sekcje(rodzaje);
    const auto daj = [&sekcje](TRodzajSekcjiFwd rodzaj) { return sekcje.Daj(rodzaj); };
    return Przejdz([tekst](auto&& naLinie) { DlaKazdejLinii(tekst, naLinie); }, daj, naSekcje).CosRozpoznano;
}

bool TKosztorysFWD::PrzejdzSekcjePliku(const QByteArray& bajty, const std::function<void(TFWDSekcja&)>& naSekcje,
                                       unsigned rodzaje)
{
    // A byte-order mark: the text as DekodujTekstPliku decodes it. Without one the bytes are Windows-1250,
    // one character each, and are decoded block by block as the walk goes.
    if (bajty.startsWith("\xEF\xBB\xBF") || bajty.startsWith("\xFF\xFE") || bajty.startsWith("\xFE\xFF"))
        return PrzejdzSekcje(DekodujTekstPliku(bajty).Tekst, naSekcje, rodzaje);
    TSekcjeWielokrotne sekcje(rodzaje);
    const auto daj = [&sekcje](TRodzajSekcjiFwd rodzaj) { return sekcje.Daj(rodzaj); };
    const QByteArrayView b(bajty);
    return Przejdz([b](auto&& naLinie) { DlaKazdejLiniiWindows1250(b, naLinie); }, daj, naSekcje).CosRozpoznano;
}

QStringList TKosztorysFWD::ZawartoscPliku() const
{
    QStringList wynik;
    wynik.reserve(static_cast<qsizetype>(fLinie.size()));
    for (const QStringView l : fLinie)
        wynik.append(l.toString());
    return wynik;
}

QStringList TKosztorysFWD::DaneTxtBloku(const TFWDSekcja& sekcja) const
{
    QStringList wynik;
    for (int i = sekcja.PozycjaBloku + 1; i <= sekcja.PozycjaBloku + sekcja.LiczbaLinii; ++i)
        if (i >= 0 && i < static_cast<int>(fLinie.size()))
            wynik.append(fLinie[static_cast<size_t>(i)].toString());
    return wynik;
}

QString TKosztorysFWD::ZlozTekst(const TFWDNaglowek* naglowek, const TFWDStronaTytulowa* strona, const QString& bloki,
                                 bool saBloki)
{
    if (!naglowek && !strona && !saBloki)
        throw TExBladBrakDanych(QStringLiteral("Brak danych do zapisania."));
    QString cel;
    cel.reserve(bloki.size() + 1024);
    if (naglowek)
        naglowek->Zapisz(cel);
    if (strona)
        strona->Zapisz(cel);
    cel += bloki;
    cel += QLatin1String("[KONIEC]\r\n");
    return cel;
}

QByteArray TKosztorysFWD::ZlozBajty(const TFWDNaglowek* naglowek, const TFWDStronaTytulowa* strona,
                                    const QString& bloki, bool saBloki)
{
    if (!naglowek && !strona && !saBloki)
        throw TExBladBrakDanych(QStringLiteral("Brak danych do zapisania."));
    QString poczatek;
    if (naglowek)
        naglowek->Zapisz(poczatek);
    if (strona)
        strona->Zapisz(poczatek);
    QByteArray cel;
    cel.reserve(poczatek.size() + bloki.size() + 16);
    DopiszWindows1250(poczatek, cel);
    DopiszWindows1250(bloki, cel);
    cel += "[KONIEC]\r\n";
    return cel;
}

QString TKosztorysFWD::SaveToString() const
{
    return ZlozTekst(Naglowek.get(), StronaTytulowa.get(), TekstBlokow(), !ListaBlokow.empty());
}

QByteArray TKosztorysFWD::SaveToBytes() const
{
    return ZlozBajty(Naglowek.get(), StronaTytulowa.get(), TekstBlokow(), !ListaBlokow.empty());
}

QString TKosztorysFWD::TekstBlokow() const
{
    QString bloki;
    bloki.reserve(static_cast<qsizetype>(ListaBlokow.size()) * 320);
    for (const auto& blok : ListaBlokow)
        blok->Zapisz(bloki);
    return bloki;
}

void TKosztorysFWD::ZapiszPlik(const QString& nazwaPliku, const QByteArray& bajty)
{
    try {
        ZapiszBezpiecznie(nazwaPliku, bajty);
    } catch (const EBlad&) {
        throw TExBladPodczasZapisuPliku(QStringLiteral("Błąd podczas zapisywania pliku."));
    }
}

void TKosztorysFWD::SaveToFile(const QString& nazwaPliku) const
{
    ZapiszPlik(nazwaPliku, SaveToBytes());
}

void TKosztorysFWD::SaveToStream(QIODevice& strumien) const
{
    const QByteArray bajty = SaveToBytes();
    if (!strumien.isWritable() || strumien.write(bajty) != bajty.size())
        throw TExBladPodczasZapisuPliku(QStringLiteral("Błąd podczas zapisywania pliku."));
}
