#include "estimates/KosztorysRds.h"

#include "app/Kodowanie.h"
#include "app/Liczby.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/KopiaKosztorysu.h"

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

// Where the key text occurs in the line from the position on, or -1. The keys are short and most
// lines hold one at their start only: a search for the key's first letter, then a comparison, is
// much cheaper than a general substring search.
qsizetype ZnajdzKlucz(QStringView linia, QStringView klucz, qsizetype od)
{
    const char16_t* z = linia.utf16();
    const char16_t pierwsza = klucz.front().unicode();
    for (qsizetype i = od; i + klucz.size() <= linia.size(); ++i)
        if (z[i] == pierwsza && linia.sliced(i, klucz.size()) == klucz)
            return i;
    return -1;
}

// The line with every occurrence of the key text replaced, appended to the text. The text's room is
// reused: gathering a block allocates nothing once the texts have grown to the longest values.
void DopiszWartosc(QString& cel, QStringView linia, QStringView klucz, QStringView zamiana = {})
{
    QVarLengthArray<qsizetype, 4> miejsca;
    for (qsizetype i = ZnajdzKlucz(linia, klucz, 0); i >= 0; i = ZnajdzKlucz(linia, klucz, i + klucz.size()))
        miejsca.append(i);
    const qsizetype poczatek = cel.size();
    cel.resize(poczatek + linia.size() + miejsca.size() * (zamiana.size() - klucz.size()));
    QChar* z = cel.data() + poczatek;
    const auto kopiuj = [&z](QStringView kawalek) { z = std::copy(kawalek.begin(), kawalek.end(), z); };
    qsizetype od = 0;
    for (const qsizetype i : miejsca) {
        kopiuj(linia.sliced(od, i - od));
        kopiuj(zamiana);
        od = i + klucz.size();
    }
    kopiuj(linia.sliced(od));
}

// The same into an emptied text.
void UstawWartosc(QString& cel, QStringView linia, QStringView klucz, QStringView zamiana = {})
{
    cel.resize(0);
    DopiszWartosc(cel, linia, klucz, zamiana);
}

// The same as a text of its own, of exactly its size.
QString Wartosc(QStringView linia, QStringView klucz, QStringView zamiana = {})
{
    QString wynik;
    DopiszWartosc(wynik, linia, klucz, zamiana);
    return wynik;
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
    ~TZwolnienieLinii()
    {
        Linie = TLinieRds();
        Teksty = TWspolneTeksty();
    }
};

} // namespace

void TKosztorysRds::TZebraneDane::Wyczysc()
{
    for (QString* t : {&Id, &Nr, &ST, &Podstawa, &Opis, &Jm, &Ilosc, &Krot, &Cena})
        t->resize(0);
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
    const TZwolnienieLinii zwolnienie{FPlikRds, FWspolneTeksty};
    std::vector<QString> kawalki = DekodujPlikWKawalkach(dane);
    dane = QByteArray(); // the text holds it all now; a large estimate needs the memory for its tree
    // No text file holds a NUL: binary data would otherwise read as an estimate without positions.
    for (const QString& kawalek : kawalki)
        if (kawalek.contains(QChar(0)))
            throw EBlad(BladPliku);
    FPlikRds = TLinieRds(std::move(kawalki));
    Id.clear();

    // A file without one line of the format (identifier, element, position) is some other file, not an
    // empty estimate.
    bool rozpoznany = false;
    TElementRds* biezacy = this;
    int glebokoscBiezacego = 0;
    const int n = FPlikRds.Count();
    for (int i = 0; i < n; ++i) {
        const QStringView linia = FPlikRds[i];
        if (!linia.isEmpty() && linia.front() == u'I' && linia.startsWith(u"ID_KS=")) {
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
            if (linia.startsWith(u"ID")) {
                UstawWartosc(dane.Id, linia, u"ID=");
            } else if (linia.startsWith(u"Ilość")) {
                UstawWartosc(dane.Ilosc, linia, u"Ilość=", spacja);
                dane.CzyIlosc = true;
            }
            break;
        case u'N':
            if (linia.startsWith(u"Nr="))
                UstawWartosc(dane.Nr, linia, u"Nr=");
            break;
        case u'S':
            if (linia.startsWith(u"ST"))
                UstawWartosc(dane.ST, linia, u"ST=");
            break;
        case u'K':
            if (linia.startsWith(u"Kat"))
                UstawWartosc(dane.Podstawa, linia, u"Kat=");
            else if (krotnosc && linia.startsWith(u"Krot"))
                UstawWartosc(dane.Krot, linia, u"Krot=", spacja);
            break;
        case u'T':
            if (linia.startsWith(u"Tabl"))
                DopiszWartosc(dane.Podstawa, linia, u"Tabl=", spacja);
            else if (linia.startsWith(u"Tekst"))
                DopiszWartosc(dane.Podstawa, linia, u"Tekst=", spacja);
            break;
        case u'O':
            if (linia.startsWith(u"Opis"))
                UstawWartosc(dane.Opis, linia, u"Opis=", spacja);
            break;
        case u'J':
            if (linia.startsWith(u"Jm"))
                UstawWartosc(dane.Jm, linia, u"Jm=", spacja);
            break;
        case u'C':
            if (linia.startsWith(u"Cena="))
                UstawWartosc(dane.Cena, linia, u"Cena=", spacja);
            break;
        case u'A':
            if (linia.startsWith(u"AgrID"))
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
            for (QString* t : {&skladnik.Ilosc, &skladnik.Cena, &skladnik.Krot})
                t->replace(QLatin1Char('.'), QLatin1Char(','));
            // The aggregate's multiplier is the one of the last block scanned.
            dane.Krot.resize(0);
            dane.Krot.append(skladnik.Krot);
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
            const double q = TekstNaLiczbe(s.Ilosc).value_or(1.0);
            const double k = TekstNaLiczbe(s.Krot).value_or(1.0);
            if (const auto p = TekstNaLiczbe(s.Cena))
                suma = ZaokraglijDo2(suma + ZaokraglijDo2(q * k * *p));
        });
    } else if (dane.CzyAgrId) {
        return; // a component: its aggregate holds it
    }

    QString obliczona;
    QStringView cena = dane.Cena;
    if (suma != 0.0) {
        // A quantity of 0 leaves no price to divide into: the price stays as the file gives it.
        const double q = TekstNaLiczbe(dane.Ilosc).value_or(1.0);
        if (q != 0.0 && std::isfinite(ZaokraglijDo2(suma / q)))
            cena = obliczona = LiczbaNaTekst(ZaokraglijDo2(suma / q));
    } else if (!QStringView(dane.Krot).trimmed().isEmpty()) {
        const auto p = TekstNaLiczbe(dane.Cena);
        const auto k = TekstNaLiczbe(dane.Krot);
        if (p && k && std::isfinite(ZaokraglijDo2(*p) * *k))
            cena = obliczona = LiczbaNaTekst(ZaokraglijDo2(*p) * *k);
    }
    UtworzPozycje(element, dane, dane.Ilosc, cena, aktywna);
}

// Identifiers and numbers differ from position to position and get copies of their own; the other texts
// are shared. The position is filled at once and reports no change while it is read.
void TKosztorysRds::UtworzPozycje(TElementRds* element, const TZebraneDane& dane, QStringView ilosc, QStringView cena,
                                  bool aktywna)
{
    TWspolneTeksty& wspolne = FWspolneTeksty;
    TPozycjaRds::TTeksty t;
    t.Id = QString(dane.Id.constData(), dane.Id.size());
    t.Nr = QString(dane.Nr.constData(), dane.Nr.size());
    t.ST = wspolne(NormalizujSeparatorWariantu(dane.ST, Ustawienia()));
    t.Podstawa = wspolne(dane.Podstawa);
    t.Opis = wspolne(dane.Opis);
    t.Jm = wspolne(dane.Jm);
    t.Ilosc = wspolne(ilosc);
    t.Cena = wspolne(cena);
    t.Aktywna = aktywna;
    element->AddPozycja(std::make_unique<TPozycjaRds>(std::move(t), WspolnyHandlerPozycji()));
}

QString TKosztorysRds::DekodujPlik(const QByteArray& dane) const
{
    return DekodujTekstPliku(dane).Tekst;
}

// A Windows-1250 file (no byte-order mark) is one character per byte, so it is decoded piece by piece,
// each piece ending after a LF; any other encoding, and a file with a line too long for a piece, is
// decoded whole.
std::vector<QString> TKosztorysRds::DekodujPlikWKawalkach(const QByteArray& dane) const
{
    const qsizetype n = dane.size();
    // A MiB or more, and never more pieces than TLinieRds can place.
    const qsizetype RozmiarKawalka = std::max(qsizetype{1} << 20, n / 256);
    if (n <= RozmiarKawalka)
        return {DekodujPlik(dane)};
    std::vector<QString> kawalki;
    for (qsizetype od = 0; od < n;) {
        const qsizetype lf = dane.indexOf('\n', std::min(od + RozmiarKawalka, n) - 1);
        const qsizetype koniec = lf < 0 ? n : lf + 1;
        if (koniec - od >= TLinieRds::MaksKawalek)
            return {DekodujPlik(dane)};
        const QByteArray kawalek = QByteArray::fromRawData(dane.constData() + od, koniec - od);
        if (od == 0) {
            // The first piece says whether the file is Windows-1250, as the whole file would.
            TTekstPliku tekst = DekodujTekstPliku(kawalek);
            if (tekst.Kodowanie != TKodowaniePliku::Ansi)
                return {DekodujPlik(dane)};
            kawalki.push_back(std::move(tekst.Tekst));
        } else {
            kawalki.push_back(ZWindows1250(kawalek));
        }
        od = koniec;
    }
    return kawalki;
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
