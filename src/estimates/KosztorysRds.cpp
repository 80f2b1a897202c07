#include "estimates/KosztorysRds.h"

#include "app/Kodowanie.h"
#include "app/Liczby.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/KopiaKosztorysu.h"
#include "estimates/LiczbyKosztorysu.h"
#include "estimates/Windows1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QString BladOdczytuKosztorysu = QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku.");
const QString BladPliku = QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy.");
const QString BladZapisu = QStringLiteral("Nieokreślony błąd zapisu kosztorysu: ");

// Deeper nesting than any estimate has; it keeps the tree's recursive walks far from the stack's end.
constexpr int MaksGlebokoscDrzewa = 100;

// Whether the line begins with the text; inline, since the keys are tested on every line of every block.
template <std::size_t N> bool ZaczynaSie(QStringView linia, const char16_t (&prefiks)[N])
{
    constexpr qsizetype n = N - 1;
    return linia.size() >= n && std::equal(prefiks, prefiks + n, linia.utf16());
}

// Where the key text occurs in the line from the position on, or -1. The keys are short and most
// lines hold one at their start only: a search for the key's first letter, then a comparison, is
// much cheaper than a general substring search.
qsizetype ZnajdzKlucz(QStringView linia, QStringView klucz, qsizetype od)
{
    const qsizetype k = klucz.size();
    const char16_t* z = linia.utf16();
    const char16_t* kz = klucz.utf16();
    for (qsizetype i = ZnajdzZnak(linia, kz[0], od); i >= 0 && i + k <= linia.size();
         i = ZnajdzZnak(linia, kz[0], i + 1))
        if (std::equal(kz + 1, kz + k, z + i + 1))
            return i;
    return -1;
}

// The line with every occurrence of the key text replaced, appended to the text. The text's room is
// reused: gathering a block allocates nothing once the texts have grown to the longest values.
template <typename TTekst>
void DopiszWartosc(TTekst& cel, QStringView linia, QStringView klucz, QStringView zamiana = {})
{
    const char16_t* z = linia.utf16();
    const qsizetype n = linia.size();
    const qsizetype k = klucz.size();
    // Most lines hold the key at their start only: the replacement and the rest of the line, copied at once.
    if (n >= k && std::equal(klucz.utf16(), klucz.utf16() + k, z) && ZnajdzKlucz(linia, klucz, k) < 0) {
        const qsizetype poczatek = cel.size();
        cel.resize(poczatek + zamiana.size() + n - k);
        std::copy_n(z + k, n - k, std::copy_n(zamiana.utf16(), zamiana.size(), cel.data() + poczatek));
        return;
    }
    qsizetype od = 0;
    for (qsizetype i = ZnajdzKlucz(linia, klucz, 0); i >= 0; i = ZnajdzKlucz(linia, klucz, od)) {
        cel.append(z + od, i - od);
        cel.append(zamiana.utf16(), zamiana.size());
        od = i + klucz.size();
    }
    cel.append(z + od, linia.size() - od);
}

// The same into an emptied text.
template <typename TTekst>
void UstawWartosc(TTekst& cel, QStringView linia, QStringView klucz, QStringView zamiana = {})
{
    cel.clear();
    DopiszWartosc(cel, linia, klucz, zamiana);
}

// The same as a text of its own, of exactly its size.
QString Wartosc(QStringView linia, QStringView klucz, QStringView zamiana = {})
{
    QVarLengthArray<char16_t, 128> wynik;
    DopiszWartosc(wynik, linia, klucz, zamiana);
    return QStringView(wynik).toString();
}

// The encoding of a file's bytes, by the byte-order mark as DekodujTekstPliku finds it (only the mark's bytes
// are decoded).
TKodowaniePliku KodowaniePliku(const QByteArray& dane)
{
    return DekodujTekstPliku(QByteArray::fromRawData(dane.constData(), std::min<qsizetype>(dane.size(), 3))).Kodowanie;
}

// Whether the reader makes a position of the block: an aggregate always, any other block unless it
// is a component of an aggregate.
bool CzyBlokPozycji(const TLinieRds& linie, int od, int koniec)
{
    if (linie[od] == u"[AGR]")
        return true;
    for (int j = od; j <= koniec; ++j)
        if (linie[j].startsWith(u"AgrID"))
            return false;
    return true;
}

// Windows-1250 byte of every UTF-16 code unit, as NaWindows1250 gives it, so that the copy of a large
// estimate is encoded without a conversion call per line.
const std::array<char, 65536>& TablicaWindows1250()
{
    static const std::array<char, 65536> tablica = [] {
        QString wszystkie(65536, Qt::Uninitialized);
        for (int i = 0; i < 65536; ++i)
            wszystkie[i] = QChar(static_cast<char16_t>(i));
        const QByteArray bajty = NaWindows1250(wszystkie);
        std::array<char, 65536> t{};
        for (int i = 0; i < 65536; ++i)
            t[static_cast<std::size_t>(i)] = bajty[i];
        return t;
    }();
    return tablica;
}

// The lines of the file live only while it is read or written, also when that fails.
struct TZwolnienieLinii
{
    TLinieRds& Linie;
    TWspolneTeksty& Teksty;
    TWspolneZwarte& Zwarte;
    ~TZwolnienieLinii()
    {
        Linie = TLinieRds();
        Teksty = TWspolneTeksty();
        Zwarte = TWspolneZwarte();
    }
};

} // namespace

void TKosztorysRds::TZebraneDane::Wyczysc()
{
    for (TTekstBloku* t : {&Id, &Nr, &ST, &Podstawa, &Opis, &Jm, &Ilosc, &Krot, &Cena})
        t->clear();
    CzyIlosc = false;
    CzyAgrId = false;
}

TKosztorysRds::TKosztorysRds(const QString& filePath, bool renumeruj, bool indeksuj, bool nadpiszKopie,
                             const TUstawieniaKosztorysu& ustawienia)
    : TKosztorys(filePath, renumeruj, indeksuj, nadpiszKopie, ustawienia)
{
}

TKosztorysRds::~TKosztorysRds() = default;

// ---------------------------------------------------------------------------------------------- reading

void TKosztorysRds::Wczytaj()
{
    const QString sciezka = FilePath().GetPath();
    const QFileInfo info(sciezka);
    if (sciezka.isEmpty() || !info.exists())
        throw EBlad(QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    Opis = NazwaPlikuBezRozszerzenia(sciezka);
    SetTytul(Opis);
    // Not the memory entry point: the bytes are let go once decoded, a large estimate needs the room.
    Przetworz(CzytajPlikKosztorysu(sciezka, {BladOdczytuKosztorysu, BladPliku, BladOdczytuKosztorysu}));
}

void TKosztorysRds::CzytajDane(const QByteArray& dane)
{
    Przetworz(dane);
}

void TKosztorysRds::Przetworz(QByteArray dane)
{
    const TZwolnienieLinii zwolnienie{FPlikRds, FWspolneTeksty, FWspolneZwarte};
    FPlikRds = LinieDoCzytania(dane);
    dane = QByteArray(); // the lines hold what they need; a large estimate needs the memory for its tree
    // No text file holds a NUL: binary data would otherwise read as an estimate without positions.
    if (FPlikRds.CzyZawieraNul())
        throw EBlad(BladPliku);
    Id.clear();

    // A file without one line of the format (identifier, element, position) is some other file, not an
    // empty estimate.
    bool rozpoznany = false;
    TElementRds* biezacy = this;
    int glebokoscBiezacego = 0;
    const int n = FPlikRds.Count();
    for (int i = 0; i < n; ++i) {
        // The reading goes forward only: the text of the lines passed is let go.
        FPlikRds.ZwolnijPrzed(i);
        const QStringView linia = FPlikRds[i];
        if (!linia.isEmpty() && linia.front() == u'I' && ZaczynaSie(linia, u"ID_KS=")) {
            Id = Wartosc(linia, u"ID_KS=");
            rozpoznany = true;
        }
        const TLinieRds::TRodzaj rodzaj = FPlikRds.Rodzaj(i);
        rozpoznany = rozpoznany || rodzaj == TLinieRds::TRodzaj::Elementu || rodzaj == TLinieRds::TRodzaj::Pozycji;
        if (rodzaj == TLinieRds::TRodzaj::Elementu) {
            int poziom = 0;
            std::unique_ptr<TElementRds> element = WczytajElement(i, poziom);
            TElementRds* rodzic = this;
            int glebokosc = 0;
            if (poziom != 0) {
                rodzic = biezacy;
                glebokosc = glebokoscBiezacego;
                while (rodzic->GetPz() >= poziom && rodzic->Parent) {
                    rodzic = rodzic->Parent;
                    --glebokosc;
                }
            }
            if (glebokosc + 1 > MaksGlebokoscDrzewa)
                throw EBlad(BladPliku);
            biezacy = rodzic->AddElement(std::move(element));
            glebokoscBiezacego = glebokosc + 1;
        }
        if (rodzaj == TLinieRds::TRodzaj::Pozycji)
            WczytajPozycje(biezacy, linia, i);
    }
    if (!rozpoznany)
        throw EBlad(BladPliku);
}

std::unique_ptr<TElementRds> TKosztorysRds::WczytajElement(int indeksLinii, int& poziom) const
{
    QString nr;
    QString opis;
    poziom = 0;
    const int koniec = FPlikRds.KoniecBloku(indeksLinii);
    for (int j = indeksLinii; j <= koniec; ++j) {
        const QStringView linia = FPlikRds[j].trimmed();
        if (linia.startsWith(u"Nr="))
            nr = Wartosc(linia, u"Nr=");
        else if (linia.startsWith(u"Opis="))
            opis = Wartosc(linia, u"Opis=");
        else if (linia.startsWith(u"PZ="))
            poziom = TekstNaCalkowita(Wartosc(linia, u"PZ=")).value_or(0);
    }
    return std::make_unique<TElementRds>(nr, poziom, opis);
}

int TKosztorysRds::ZbierzBlok(int indeksLinii, TZebraneDane& dane) const
{
    const bool krotnosc = CzyKrotnosc();
    const int koniec = FPlikRds.KoniecBloku(indeksLinii);
    const QStringView spacja = u" ";
    dane.Wyczysc();
    for (int j = indeksLinii; j <= koniec; ++j) {
        const QStringView linia = FPlikRds[j];
        if (linia.isEmpty())
            continue;
        switch (linia.front().unicode()) {
        case u'I':
            if (ZaczynaSie(linia, u"ID")) {
                UstawWartosc(dane.Id, linia, u"ID=");
            } else if (ZaczynaSie(linia, u"Ilość")) {
                UstawWartosc(dane.Ilosc, linia, u"Ilość=", spacja);
                dane.CzyIlosc = true;
            }
            break;
        case u'N':
            if (ZaczynaSie(linia, u"Nr="))
                UstawWartosc(dane.Nr, linia, u"Nr=");
            break;
        case u'S':
            if (ZaczynaSie(linia, u"ST"))
                UstawWartosc(dane.ST, linia, u"ST=");
            break;
        case u'K':
            if (ZaczynaSie(linia, u"Kat"))
                UstawWartosc(dane.Podstawa, linia, u"Kat=");
            else if (krotnosc && ZaczynaSie(linia, u"Krot"))
                UstawWartosc(dane.Krot, linia, u"Krot=", spacja);
            break;
        case u'T':
            if (ZaczynaSie(linia, u"Tabl"))
                DopiszWartosc(dane.Podstawa, linia, u"Tabl=", spacja);
            else if (ZaczynaSie(linia, u"Tekst"))
                DopiszWartosc(dane.Podstawa, linia, u"Tekst=", spacja);
            break;
        case u'O':
            if (ZaczynaSie(linia, u"Opis"))
                UstawWartosc(dane.Opis, linia, u"Opis=", spacja);
            break;
        case u'J':
            if (ZaczynaSie(linia, u"Jm"))
                UstawWartosc(dane.Jm, linia, u"Jm=", spacja);
            break;
        case u'C':
            if (ZaczynaSie(linia, u"Cena="))
                UstawWartosc(dane.Cena, linia, u"Cena=", spacja);
            break;
        case u'A':
            if (ZaczynaSie(linia, u"AgrID"))
                dane.CzyAgrId = true;
            break;
        default:
            break;
        }
    }
    return koniec;
}

void TKosztorysRds::PrzejdzSkladniki(int koniecBloku, TZebraneDane& dane,
                                     const std::function<void(const TZebraneDane& skladnik)>& dodaj) const
{
    TZebraneDane& skladnik = FSkladnik;
    const int n = FPlikRds.Count();
    for (int j = koniecBloku + 1; j < n; ++j) {
        // Only a line that opens a block can be one of the markers below.
        const TLinieRds::TRodzaj rodzaj = FPlikRds.Rodzaj(j);
        if (rodzaj != TLinieRds::TRodzaj::Pozycji && rodzaj != TLinieRds::TRodzaj::Elementu)
            continue;
        const QStringView linia = FPlikRds[j];
        if (linia == u"[POZ]") {
            ZbierzBlok(j, skladnik);
            // "," and "." of a component's numbers are the decimal comma; replaced in the texts' own room.
            for (TTekstBloku* t : {&skladnik.Ilosc, &skladnik.Cena, &skladnik.Krot})
                std::replace(t->begin(), t->end(), u'.', u',');
            // The aggregate's multiplier is the one of the last block scanned.
            dane.Krot = skladnik.Krot;
            if (!skladnik.CzyAgrId)
                return; // a position of its own: the aggregate ends before it
            dodaj(skladnik);
        }
        if (linia == u"[AGR]" || linia == u"[ELEM]")
            return;
    }
}

void TKosztorysRds::WczytajPozycje(TElementRds* element, QStringView naglowek, int indeksLinii)
{
    const bool aktywna = !naglowek.contains(QLatin1Char('-'));
    TZebraneDane& dane = FZebrane;
    const int koniec = ZbierzBlok(indeksLinii, dane);
    double suma = 0.0;
    if (naglowek == u"[AGR]") {
        PrzejdzSkladniki(koniec, dane, [&suma](const TZebraneDane& s) {
            const double q = LiczbaZPrzecinkiem(s.Ilosc).value_or(1.0);
            const double k = LiczbaZPrzecinkiem(s.Krot).value_or(1.0);
            if (const auto p = LiczbaZPrzecinkiem(s.Cena))
                suma = ZaokraglijDo2Powtarzane(suma + ZaokraglijDo2Powtarzane(q * k * *p));
        });
    } else if (dane.CzyAgrId) {
        return; // a component: its aggregate holds it
    }

    QString obliczona;
    QStringView cena = dane.Cena;
    if (suma != 0.0) {
        // A quantity of 0 leaves no price to divide into: the price stays as the file gives it.
        const double q = LiczbaZPrzecinkiem(dane.Ilosc).value_or(1.0);
        if (q != 0.0 && std::isfinite(ZaokraglijDo2Powtarzane(suma / q)))
            cena = obliczona = TekstZLiczbyKosztorysu(ZaokraglijDo2Powtarzane(suma / q));
    } else if (!QStringView(dane.Krot).trimmed().isEmpty()) {
        const auto p = LiczbaZPrzecinkiem(dane.Cena);
        const auto k = LiczbaZPrzecinkiem(dane.Krot);
        if (p && k && std::isfinite(ZaokraglijDo2Powtarzane(*p) * *k))
            cena = obliczona = TekstZLiczbyKosztorysu(ZaokraglijDo2Powtarzane(*p) * *k);
    }
    UtworzPozycje(element, dane, dane.Ilosc, cena, aktywna);
}

// Identifiers and numbers differ from position to position and get copies of their own; the other texts
// are shared. The position is filled at once and reports no change while it is read.
void TKosztorysRds::UtworzPozycje(TElementRds* element, const TZebraneDane& dane, QStringView ilosc, QStringView cena,
                                  bool aktywna)
{
    TWspolneZwarte& zwarte = FWspolneZwarte;
    TPozycjaRds::TTeksty t;
    t.Id = TZwartyTekst(dane.Id);
    t.Nr = TZwartyTekst(dane.Nr);
    t.ST = FWspolneTeksty(NormalizujSeparatorWariantu(Tekst(dane.ST), Ustawienia()), 0);
    t.Podstawa = zwarte(dane.Podstawa, 1);
    t.Opis = zwarte(dane.Opis, 2);
    t.Jm = zwarte(dane.Jm, 3);
    t.Ilosc = zwarte(ilosc, 4);
    t.Cena = zwarte(cena, 5);
    t.Aktywna = aktywna;
    element->AddPozycja(std::make_unique<TPozycjaRds>(std::move(t), WspolnyHandlerPozycji()));
}

QString TKosztorysRds::DekodujPlik(const QByteArray& dane) const
{
    if (KodowaniePliku(dane) == TKodowaniePliku::Ansi)
        return Windows1250NaTekst(dane);
    return DekodujTekstPliku(dane).Tekst;
}

TLinieRds TKosztorysRds::LinieDoCzytania(const QByteArray& dane) const
{
    if (!dane.isEmpty() && KodowaniePliku(dane) == TKodowaniePliku::Ansi)
        return TLinieRds::ZBajtowWindows1250(dane);
    return TLinieRds(DekodujPlik(dane));
}

// --------------------------------------------------------------------------------------------- identifier

QString TKosztorysRds::IdKosztorysuZDanych(const QByteArray& dane) const
{
    const TLinieRds linie(DekodujPlik(dane));
    for (int i = 0; i < linie.Count(); ++i)
        if (linie[i].startsWith(u"ID_KS="))
            return Wartosc(linie[i], u"ID_KS=");
    return {};
}

QString TKosztorysRds::PobierzIdKosztorysu(const QString& sciezka)
{
    const QString brak = QStringLiteral("Wybrany plik nie istnieje.");
    if (sciezka.isEmpty())
        throw EBlad(brak);
    const QString blad = QStringLiteral("Błąd odczytu pliku.");
    return IdKosztorysuZDanych(CzytajPlikKosztorysu(sciezka, {brak, blad, blad}));
}

// ------------------------------------------------------------------------------------------------ writing

void TKosztorysRds::DopiszLinie(QByteArray& wynik, QStringView linia) const
{
    const std::array<char, 65536>& tablica = TablicaWindows1250();
    const qsizetype poczatek = wynik.size();
    wynik.resize(poczatek + linia.size() + 2);
    char* cel = wynik.data() + poczatek;
    for (const QChar znak : linia)
        *cel++ = tablica[znak.unicode()];
    *cel++ = '\r';
    *cel = '\n';
}

QByteArray TKosztorysRds::KopiaDanych(const QByteArray& zrodlo) const
{
    return ZbudujKopie(TLinieRds(DekodujPlik(zrodlo)));
}

QByteArray TKosztorysRds::ZbudujKopie(const TLinieRds& linie) const
{
    const TIndeksId indeks = ZbudujIndeksId();
    QByteArray wynik = PoczatekKopii();
    const int n = linie.Count();
    wynik.reserve(wynik.size() + linie.Rozmiar() + 2 * static_cast<qsizetype>(n) + 4096);
    QStringList blok;
    for (int i = 0; i < n;) {
        const QStringView linia = linie[i];
        if (linie.Rodzaj(i) != TLinieRds::TRodzaj::Pozycji) {
            DopiszLinie(wynik, linia);
            ++i;
            continue;
        }
        // A position block ends where the reader ends it, so an ST number always lands in the block of
        // the position it belongs to; components of aggregates are written as read.
        const int koniec = linie.KoniecBloku(i);
        if (CzyBlokPozycji(linie, i, koniec)) {
            // The lines refer to the text, which outlives them; a line that is changed gets its own copy.
            blok.clear();
            for (int j = i; j <= koniec; ++j) {
                const QStringView l = linie[j];
                blok.append(QString::fromRawData(l.data(), l.size()));
            }
            UstawSTWBloku(blok, &indeks);
            for (const QString& l : std::as_const(blok))
                DopiszLinie(wynik, l);
        } else {
            for (int j = i; j <= koniec; ++j)
                DopiszLinie(wynik, linie[j]);
        }
        i = koniec + 1;
    }
    return wynik;
}

void TKosztorysRds::KopiujPlikTowarzyszacy(const QString& newFilePath, const QString& rozszerzenie) const
{
    const QString zrodlo = FilePath().GetPath();
    if (newFilePath == zrodlo || CzyTenSamPlik(newFilePath, zrodlo))
        return;
    const QFileInfo infoZrodla(zrodlo);
    const QString katalog = infoZrodla.absolutePath() + QLatin1Char('/');
    const QString towarzyszacy = katalog + infoZrodla.completeBaseName() + rozszerzenie;
    const QString cel = katalog + QFileInfo(newFilePath).completeBaseName() + rozszerzenie;
    if (!QFileInfo(towarzyszacy).isFile())
        return;
    // The copy replaces its target through the target's "~" name: none of these may be a source.
    const QString odlozony = SciezkaKopiiTyldy(cel);
    if (CzyTenSamPlik(cel, towarzyszacy) || CzyTenSamPlik(cel, zrodlo) || CzyTenSamPlik(odlozony, zrodlo) ||
        CzyTenSamPlik(odlozony, towarzyszacy))
        return;
    ZapiszBezpiecznie(cel, CzytajCalyPlik(towarzyszacy));
}

void TKosztorysRds::SaveFile(const QString& newFilePath)
{
    const QString zrodlo = FilePath().GetPath();
    {
        QFile plik(zrodlo);
        if (zrodlo.isEmpty() || !QFileInfo(zrodlo).isFile() || !plik.open(QIODevice::ReadOnly))
            throw EBlad(BladOdczytuKosztorysu);
    }
    if (QFileInfo::exists(newFilePath)) {
        QFile cel(newFilePath);
        if (!QFileInfo(newFilePath).isFile() || !cel.open(QIODevice::ReadOnly))
            throw EBlad(QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku."));
    }
    try {
        // Everything is read before anything is written, so the copy may replace its own source.
        const QByteArray dane = CzytajCalyPlik(zrodlo);
        // Replacing the target moves it aside under its "~" name, which must not be the source.
        if (QFileInfo::exists(newFilePath) && CzyTenSamPlik(SciezkaKopiiTyldy(newFilePath), zrodlo))
            throw EBlad(QStringLiteral("plik źródłowy zajmuje nazwę \"%1\" potrzebną do zastąpienia pliku docelowego.")
                            .arg(QDir::toNativeSeparators(SciezkaKopiiTyldy(newFilePath))));
        for (const QString& rozszerzenie : RozszerzeniaTowarzyszace()) {
            try {
                KopiujPlikTowarzyszacy(newFilePath, rozszerzenie);
            } catch (...) {
                break; // a companion that cannot be copied never stops the copy of the estimate
            }
        }
        ZapiszBezpiecznie(newFilePath, ZapiszDoDanych(dane));
    } catch (const EBlad& e) {
        throw EBlad(BladZapisu + e.Komunikat());
    } catch (const std::exception& e) {
        throw EBlad(BladZapisu + QString::fromLocal8Bit(e.what()));
    }
}
