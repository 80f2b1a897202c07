#include "xls/Skoroszyt.h"

#include "app/Wyjatki.h"

#include <algorithm>
#include <cmath>

namespace {

QString KluczFormatu(const TFormatKomorki& f)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(f.Czcionka)
        .arg(f.Rozmiar)
        .arg(int(f.Pogrubienie))
        .arg(int(f.Poziomo))
        .arg(int(f.SrodekPionowo))
        .arg(int(f.Zawijaj))
        .arg(int(f.Ramki))
        .arg(f.FormatLiczby)
        .arg(int(f.Zablokowana));
}

void SprawdzAdres(int wiersz, int kolumna)
{
    if (wiersz < 0 || wiersz >= TArkusz::MaksWierszy)
        throw EBlad(QStringLiteral("Arkusz nie może mieć więcej niż %L1 wierszy.").arg(TArkusz::MaksWierszy));
    if (kolumna < 0 || kolumna >= TArkusz::MaksKolumn)
        throw EBlad(QStringLiteral("Arkusz nie może mieć więcej niż %1 kolumn.").arg(TArkusz::MaksKolumn));
}

bool Zachodza(const TZakres& a, const TZakres& b)
{
    return a.Wiersz1 <= b.Wiersz2 && b.Wiersz1 <= a.Wiersz2 && a.Kolumna1 <= b.Kolumna2 && b.Kolumna1 <= a.Kolumna2;
}

// 409 points in pixels at 96 dots per inch.
constexpr int MaksWysokoscPx = TArkusz::MaksWysokoscPt * 96 / 72;

} // namespace

TWierszArkusza& TArkusz::Wiersz(int wiersz)
{
    SprawdzAdres(wiersz, 0);
    if (wiersz >= static_cast<int>(FWiersze.size()))
        FWiersze.resize(wiersz + 1);
    return FWiersze[wiersz];
}

TKolumnaArkusza& TArkusz::Kolumna(int kolumna)
{
    SprawdzAdres(0, kolumna);
    if (kolumna >= static_cast<int>(FKolumny.size()))
        FKolumny.resize(kolumna + 1);
    return FKolumny[kolumna];
}

TKomorka& TArkusz::Komorka(int wiersz, int kolumna)
{
    SprawdzAdres(wiersz, kolumna);
    auto& komorki = Wiersz(wiersz).Komorki;
    // Cells nearly always come left to right: the last one is checked first.
    if (komorki.empty() || komorki.back().Kolumna < kolumna) {
        komorki.push_back(TKomorka{static_cast<std::uint16_t>(kolumna)});
        return komorki.back();
    }
    auto it = std::lower_bound(komorki.begin(), komorki.end(), kolumna,
                               [](const TKomorka& k, int kol) { return k.Kolumna < kol; });
    if (it != komorki.end() && it->Kolumna == kolumna)
        return *it;
    return *komorki.insert(it, TKomorka{static_cast<std::uint16_t>(kolumna)});
}

void TArkusz::UstawTekst(int wiersz, int kolumna, const QString& tekst)
{
    auto& k = Komorka(wiersz, kolumna);
    if (tekst.size() > MaksDlugoscTekstu) {
        FSkoroszyt->Ostrzez(QStringLiteral("Arkusz \"%1\": tekst komórki w wierszu %2 skrócono do %L3 znaków.")
                                .arg(FNazwa)
                                .arg(wiersz + 1)
                                .arg(MaksDlugoscTekstu));
        k.Indeks = FSkoroszyt->Tekst(tekst.left(MaksDlugoscTekstu));
    } else {
        k.Indeks = FSkoroszyt->Tekst(tekst);
    }
    if (k.Rodzaj != TRodzajKomorki::Tekst)
        ++FSkoroszyt->FUzyciaTekstow;
    k.Rodzaj = TRodzajKomorki::Tekst;
}

void TArkusz::UstawLiczbe(int wiersz, int kolumna, double liczba)
{
    auto& k = Komorka(wiersz, kolumna);
    if (k.Rodzaj == TRodzajKomorki::Tekst)
        --FSkoroszyt->FUzyciaTekstow;
    k.Rodzaj = TRodzajKomorki::Liczba;
    k.Liczba = liczba;
}

void TArkusz::UstawFormule(int wiersz, int kolumna, const QString& formula)
{
    auto& k = Komorka(wiersz, kolumna);
    if (k.Rodzaj == TRodzajKomorki::Tekst)
        --FSkoroszyt->FUzyciaTekstow;
    k.Rodzaj = TRodzajKomorki::Formula;
    k.Indeks = static_cast<std::uint32_t>(FFormuly.size());
    FFormuly.push_back(formula);
}

void TArkusz::UstawFormat(int wiersz, int kolumna, std::uint16_t format)
{
    Komorka(wiersz, kolumna).Format = format;
}

void TArkusz::UstawFormat(int wiersz, int kolumna, const TFormatKomorki& format)
{
    UstawFormat(wiersz, kolumna, FSkoroszyt->Format(format));
}

const TFormatKomorki& TArkusz::Format(int wiersz, int kolumna) const
{
    if (wiersz >= 0 && wiersz < static_cast<int>(FWiersze.size())) {
        const auto& komorki = FWiersze[wiersz].Komorki;
        auto it = std::lower_bound(komorki.begin(), komorki.end(), kolumna,
                                   [](const TKomorka& k, int kol) { return k.Kolumna < kol; });
        if (it != komorki.end() && it->Kolumna == kolumna)
            return FSkoroszyt->FFormaty[it->Format];
    }
    return FSkoroszyt->FFormaty[0];
}

void TArkusz::Obramuj(const TZakres& z)
{
    for (int w = z.Wiersz1; w <= z.Wiersz2; ++w)
        for (int k = z.Kolumna1; k <= z.Kolumna2; ++k) {
            std::uint8_t krawedzie = 0;
            if (w == z.Wiersz1)
                krawedzie |= KrawedzGorna;
            if (w == z.Wiersz2)
                krawedzie |= KrawedzDolna;
            if (k == z.Kolumna1)
                krawedzie |= KrawedzLewa;
            if (k == z.Kolumna2)
                krawedzie |= KrawedzPrawa;
            if (!krawedzie)
                continue;
            TFormatKomorki f = Format(w, k);
            if ((f.Ramki | krawedzie) == f.Ramki)
                continue;
            f.Ramki |= krawedzie;
            UstawFormat(w, k, f);
        }
}

void TArkusz::Scal(const TZakres& z)
{
    if (z.Wiersz1 > z.Wiersz2 || z.Kolumna1 > z.Kolumna2)
        throw EBlad(QStringLiteral("Niepoprawny zakres scalanych komórek."));
    SprawdzAdres(z.Wiersz2, z.Kolumna2);
    SprawdzAdres(z.Wiersz1, z.Kolumna1);
    if (z.Wiersz1 == z.Wiersz2 && z.Kolumna1 == z.Kolumna2)
        return; // one cell needs no merge
    // The export merges within one row at a time, so only the ranges near the end can overlap.
    for (auto it = FScalenia.rbegin(); it != FScalenia.rend() && it->Wiersz2 >= z.Wiersz1 - 64; ++it)
        if (Zachodza(*it, z))
            throw EBlad(QStringLiteral("Scalane zakresy komórek w arkuszu \"%1\" nachodzą na siebie.").arg(FNazwa));
    FScalenia.push_back(z);
}

void TArkusz::UstawSzerokoscKolumnyPx(int kolumna, int px)
{
    Kolumna(kolumna).SzerokoscPx = std::max(0, px);
}

void TArkusz::UkryjKolumne(int kolumna)
{
    Kolumna(kolumna).Ukryta = true;
}

void TArkusz::UstawWysokoscWierszaPx(int wiersz, int px)
{
    if (px > MaksWysokoscPx) {
        FSkoroszyt->Ostrzez(QStringLiteral("Arkusz \"%1\": wysokość wiersza %2 ograniczono do %3 punktów.")
                                .arg(FNazwa)
                                .arg(wiersz + 1)
                                .arg(MaksWysokoscPt));
        px = MaksWysokoscPx;
    }
    Wiersz(wiersz).WysokoscPx = std::max(0, px);
}

void TArkusz::UkryjWiersz(int wiersz)
{
    Wiersz(wiersz).Ukryty = true;
}

void TArkusz::UstawStopke(const QString& lewa, const QString& srodek, const QString& prawa)
{
    FStopka[0] = lewa;
    FStopka[1] = srodek;
    FStopka[2] = prawa;
}

QString TArkusz::StopkaJakoTekst() const
{
    QString tekst;
    static const char* kody[] = {"&L", "&C", "&R"};
    for (int i = 0; i < 3; ++i)
        if (!FStopka[i].isEmpty())
            tekst += QLatin1String(kody[i]) + FStopka[i];
    return tekst;
}

void TArkusz::UstawWierszeTytulowe(int od, int do_)
{
    SprawdzAdres(od, 0);
    SprawdzAdres(do_, 0);
    if (od > do_)
        throw EBlad(QStringLiteral("Niepoprawny zakres wierszy tytułowych."));
    FTytulowe = {od, do_};
}

void TArkusz::Chron(const QString& haslo, std::uint16_t opcje)
{
    FChroniony = true;
    FHaslo = haslo;
    FOpcjeOchrony = opcje;
}

namespace {

// The height of one line of text in pixels.
int WysokoscLiniiPx(const TFormatKomorki& f)
{
    return static_cast<int>(std::ceil(f.Rozmiar * 1.6)) + 1;
}

// How many lines a text takes when wrapped by words in a cell of the width. Characters are taken at an
// average width a little above that of the fonts' lowercase letters: a row one line too high reads
// better than a cut text.
int LiczbaLinii(const QString& tekst, int szerokoscPx, const TFormatKomorki& f)
{
    const double znak = f.Rozmiar * 96.0 / 72.0 * (f.Pogrubienie ? 0.6 : 0.55);
    const int naLinie = std::max(1, static_cast<int>((szerokoscPx - 6) / znak));
    if (tekst.size() <= naLinie && !tekst.contains(QLatin1Char('\n')))
        return 1;
    int linie = 0;
    for (const QStringView akapit : QStringView(tekst).split(QLatin1Char('\n'))) {
        int dlugosc = 0;
        ++linie;
        for (const QStringView slowo : akapit.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            int reszta = static_cast<int>(slowo.size());
            if (dlugosc > 0 && dlugosc + 1 + reszta > naLinie) {
                ++linie;
                dlugosc = 0;
            }
            while (reszta > naLinie) { // a word longer than the line is broken
                reszta -= naLinie;
                ++linie;
            }
            dlugosc += (dlugosc > 0 ? 1 : 0) + reszta;
        }
    }
    return linie;
}

} // namespace

void TArkusz::DopasujWysokosciWierszy()
{
    auto szerokosc = [&](int k) {
        if (k >= static_cast<int>(FKolumny.size()))
            return DomyslnaSzerokoscPx;
        const auto& kolumna = FKolumny[k];
        return kolumna.Ukryta ? 0 : (kolumna.SzerokoscPx >= 0 ? kolumna.SzerokoscPx : DomyslnaSzerokoscPx);
    };
    // A merged range of one row: its first cell has the range's width, the others none. Ranges over
    // several rows are left out (their height is shared).
    QHash<quint64, int> scalone;
    auto klucz = [](int w, int k) { return (quint64(w) << 16) | quint64(k); };
    for (const auto& z : FScalenia) {
        int suma = 0;
        for (int k = z.Kolumna1; k <= z.Kolumna2; ++k) {
            suma += szerokosc(k);
            if (k > z.Kolumna1 || z.Wiersz1 != z.Wiersz2)
                scalone.insert(klucz(z.Wiersz1, k), 0);
        }
        if (z.Wiersz1 == z.Wiersz2)
            scalone.insert(klucz(z.Wiersz1, z.Kolumna1), suma);
    }
    const auto& formaty = FSkoroszyt->FFormaty;
    const auto& teksty = FSkoroszyt->FTeksty;
    for (int w = 0; w < static_cast<int>(FWiersze.size()); ++w) {
        auto& wiersz = FWiersze[w];
        if (wiersz.Ukryty || wiersz.WysokoscPx >= 0)
            continue;
        int potrzebna = DomyslnaWysokoscPx;
        for (const auto& c : wiersz.Komorki) {
            if (c.Rodzaj == TRodzajKomorki::Pusta)
                continue;
            const auto& f = formaty[c.Format];
            int linie = 1;
            if (c.Rodzaj == TRodzajKomorki::Tekst && f.Zawijaj) {
                const int s = scalone.value(klucz(w, c.Kolumna), szerokosc(c.Kolumna));
                if (s <= 0)
                    continue;
                linie = LiczbaLinii(teksty[c.Indeks], s, f);
            }
            potrzebna = std::max(potrzebna, linie * WysokoscLiniiPx(f));
        }
        if (potrzebna > DomyslnaWysokoscPx)
            UstawWysokoscWierszaPx(w, potrzebna);
    }
}

int TArkusz::LiczbaWierszy() const
{
    for (int w = static_cast<int>(FWiersze.size()) - 1; w >= 0; --w)
        if (!FWiersze[w].Komorki.empty() || FWiersze[w].WysokoscPx >= 0 || FWiersze[w].Ukryty)
            return w + 1;
    return 0;
}

int TArkusz::LiczbaKolumn() const
{
    int n = 0;
    for (const auto& w : FWiersze)
        if (!w.Komorki.empty())
            n = std::max(n, w.Komorki.back().Kolumna + 1);
    return n;
}

TSkoroszyt::TSkoroszyt()
{
    Format(TFormatKomorki{});
}

TSkoroszyt::~TSkoroszyt() = default;

bool TSkoroszyt::CzyPoprawnaNazwaArkusza(const QString& nazwa)
{
    if (nazwa.isEmpty() || nazwa.size() > 31 || nazwa.startsWith(QLatin1Char('\'')) ||
        nazwa.endsWith(QLatin1Char('\'')))
        return false;
    for (QChar z : nazwa)
        if (QStringLiteral("[]:*?/\\").contains(z) || z.unicode() < 0x20)
            return false;
    return true;
}

TArkusz& TSkoroszyt::DodajArkusz(const QString& nazwa)
{
    if (!CzyPoprawnaNazwaArkusza(nazwa))
        throw EBlad(QStringLiteral("Niepoprawna nazwa arkusza: \"%1\".").arg(nazwa));
    if (IndeksArkusza(nazwa) >= 0)
        throw EBlad(QStringLiteral("Arkusz o nazwie \"%1\" już istnieje.").arg(nazwa));
    FArkusze.push_back(std::unique_ptr<TArkusz>(new TArkusz(this, nazwa)));
    return *FArkusze.back();
}

int TSkoroszyt::IndeksArkusza(const QString& nazwa) const
{
    for (int i = 0; i < ArkuszeCount(); ++i)
        if (FArkusze[i]->Nazwa().compare(nazwa, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

std::uint16_t TSkoroszyt::Format(const TFormatKomorki& format)
{
    const QString klucz = KluczFormatu(format);
    auto it = FIndeksyFormatow.constFind(klucz);
    if (it != FIndeksyFormatow.constEnd())
        return it.value();
    // The older format holds about 4,000 cell formats; the export uses a few dozen.
    if (FFormaty.size() >= 4000)
        throw EBlad(QStringLiteral("Skoroszyt nie może mieć więcej niż 4000 formatów komórek."));
    const auto indeks = static_cast<std::uint16_t>(FFormaty.size());
    FFormaty.push_back(format);
    FIndeksyFormatow.insert(klucz, indeks);
    return indeks;
}

int TSkoroszyt::DodajFormatLiczby(const QString& wzorzec)
{
    for (const auto& [indeks, w] : FFormatyLiczb)
        if (w == wzorzec)
            return indeks;
    const int indeks = PierwszyWlasnyFormatLiczby + static_cast<int>(FFormatyLiczb.size());
    FFormatyLiczb.emplace_back(indeks, wzorzec);
    return indeks;
}

QString TSkoroszyt::WzorzecFormatuLiczby(int indeks) const
{
    if (indeks == 0)
        return QStringLiteral("General");
    for (const auto& [i, w] : FFormatyLiczb)
        if (i == indeks)
            return w;
    return {};
}

std::uint32_t TSkoroszyt::Tekst(const QString& tekst)
{
    auto it = FIndeksyTekstow.constFind(tekst);
    if (it != FIndeksyTekstow.constEnd())
        return it.value();
    const auto indeks = static_cast<std::uint32_t>(FTeksty.size());
    FTeksty.push_back(tekst);
    FIndeksyTekstow.insert(tekst, indeks);
    return indeks;
}

void TSkoroszyt::Ostrzez(const QString& tekst)
{
    FOstrzezenia << tekst;
}
