#include "xls/ArkuszXls.h"

#include "xls/HasloArkusza.h"

#include "app/Wyjatki.h"
#include "xls/Formula.h"
#include "xls/Skoroszyt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>

namespace {

constexpr int WierszyWBloku = 32;
constexpr int MaksScalenWRekordzie = 1026;
constexpr std::uint16_t DomyslnaWysokoscTwip = 255; // 12.75 points: Arial 10
constexpr int DomyslnaSzerokoscPx = 64;             // 8.43 characters

bool CzyRekordWiersza(const TWierszArkusza& w)
{
    return !w.Komorki.empty() || w.WysokoscPx >= 0 || w.Ukryty;
}

std::uint64_t Bity(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

double ZBitow(std::uint64_t b)
{
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

// The 4-byte form of a number (RK) when it holds the number exactly: a 30-bit integer or the top 30 bits
// of a double, either of them optionally divided by 100.
bool KodRk(double v, std::uint32_t& rk)
{
    constexpr double Min = -(1 << 29), Max = (1 << 29) - 1;
    constexpr std::uint64_t NizszeBity = (std::uint64_t(1) << 34) - 1;
    if (v >= Min && v <= Max && v == std::trunc(v) && Bity(static_cast<std::int32_t>(v)) == Bity(v)) {
        rk = static_cast<std::uint32_t>(static_cast<std::int32_t>(v)) << 2 | 2;
        return true;
    }
    const double v100 = v * 100;
    if (v100 >= Min && v100 <= Max && v100 == std::trunc(v100) &&
        Bity(static_cast<std::int32_t>(v100) / 100.0) == Bity(v)) {
        rk = static_cast<std::uint32_t>(static_cast<std::int32_t>(v100)) << 2 | 3;
        return true;
    }
    if ((Bity(v) & NizszeBity) == 0) {
        rk = static_cast<std::uint32_t>(Bity(v) >> 32);
        return true;
    }
    if ((Bity(v100) & NizszeBity) == 0 && Bity(ZBitow(Bity(v100)) / 100) == Bity(v)) {
        rk = static_cast<std::uint32_t>(Bity(v100) >> 32) | 1;
        return true;
    }
    return false;
}

QString AdresKomorki(int wiersz, int kolumna)
{
    QString litery;
    for (int k = kolumna + 1; k > 0; k = (k - 1) / 26)
        litery.prepend(QChar(u'A' + (k - 1) % 26));
    return litery + QString::number(wiersz + 1);
}

// Whether the formula's value is text: its outermost operation is CONCATENATE. The cached value of such
// a cell is then an empty text rather than the number 0.
bool CzyWynikTekstowy(const QString& formula)
{
    QStringView f = QStringView(formula).trimmed();
    const QLatin1String nazwa("CONCATENATE");
    if (!f.startsWith(nazwa, Qt::CaseInsensitive))
        return false;
    f = f.mid(nazwa.size()).trimmed();
    if (f.isEmpty() || f[0] != u'(')
        return false;
    int glebokosc = 0;
    char16_t cudzyslow = 0;
    for (qsizetype i = 0; i < f.size(); ++i) {
        const char16_t z = f[i].unicode();
        if (cudzyslow) {
            if (z == cudzyslow) {
                if (i + 1 < f.size() && f[i + 1] == cudzyslow)
                    ++i; // a doubled quote inside
                else
                    cudzyslow = 0;
            }
        } else if (z == u'"' || z == u'\'') {
            cudzyslow = z;
        } else if (z == u'(') {
            ++glebokosc;
        } else if (z == u')' && --glebokosc == 0) {
            return i == f.size() - 1;
        }
    }
    return false;
}

class TZapisArkusza
{
public:
    TZapisArkusza(TRekordyBiff8& rekordy, const TArkusz& arkusz, int indeks, const TUkladXls& uklad)
        : FRekordy(rekordy), FArkusz(arkusz), FIndeks(indeks), FUklad(uklad)
    {
        // Sheet i is entry i of the workbook's table of sheets.
        FArkuszFormul = [this](const QString& nazwa) {
            return FUklad.TabelaArkuszy ? FArkusz.Skoroszyt().IndeksArkusza(nazwa) : -1;
        };
    }

    void Zapisz();

private:
    void Ustawienia();
    void Ochrona();
    void Kolumny();
    void Wiersze();
    void Wiersz(int nr, const TWierszArkusza& w);
    void Komorki(int nr, const TWierszArkusza& w);
    void Formula(int nr, const TKomorka& k);
    // A cell record's header and the cell's address and format, which every cell record starts with.
    void NaglowekKomorki(std::uint16_t typ, std::uint16_t rozmiar, std::uint16_t wiersz, std::uint16_t kolumna,
                         std::uint16_t xf)
    {
        FRekordy.Naglowek(typ, rozmiar);
        FRekordy.U16(wiersz);
        FRekordy.U16(kolumna);
        FRekordy.U16(xf);
    }
    void Scalenia();

    TRekordyBiff8& FRekordy;
    const TArkusz& FArkusz;
    int FIndeks;
    const TUkladXls& FUklad;
    std::function<int(const QString&)> FArkuszFormul;
    qsizetype FRekordIndeksu = 0;
};

void TZapisArkusza::Zapisz()
{
    const auto& wiersze = FArkusz.Wiersze();
    // Rows with a ROW record, their blocks of 32, and the range of cells.
    int pierwszy = -1, ostatni = -1, bloki = 0;
    int pierwszyZDanymi = -1, ostatniZDanymi = -1, kolumnaMin = TArkusz::MaksKolumn, kolumnaMax = -1;
    for (int w = 0; w < static_cast<int>(wiersze.size()); ++w) {
        if (!CzyRekordWiersza(wiersze[w]))
            continue;
        if (ostatni < 0 || w / WierszyWBloku != ostatni / WierszyWBloku)
            ++bloki;
        if (pierwszy < 0)
            pierwszy = w;
        ostatni = w;
        if (const auto& k = wiersze[w].Komorki; !k.empty()) {
            if (pierwszyZDanymi < 0)
                pierwszyZDanymi = w;
            ostatniZDanymi = w;
            kolumnaMin = std::min<int>(kolumnaMin, k.front().Kolumna);
            kolumnaMax = std::max<int>(kolumnaMax, k.back().Kolumna);
        }
    }

    FRekordy.Bof(Biff8::BofArkusz);
    // The index of row blocks; the offsets are written as the blocks are.
    FRekordIndeksu = FRekordy.Pozycja();
    FRekordy.Naglowek(Biff8::Index, static_cast<std::uint16_t>(16 + 4 * bloki));
    FRekordy.U32(0);
    FRekordy.U32(pierwszy < 0 ? 0 : pierwszy);
    FRekordy.U32(ostatni + 1);
    FRekordy.U32(0);
    FRekordy.Zera(4 * bloki);
    Ustawienia();
    Ochrona();
    FRekordy.Popraw32(FRekordIndeksu + 16, static_cast<std::uint32_t>(FRekordy.Pozycja()));
    FRekordy.Naglowek(Biff8::DefColWidth, 2);
    FRekordy.U16(8);
    Kolumny();
    FRekordy.Naglowek(Biff8::Dimensions, 14);
    FRekordy.U32(pierwszyZDanymi < 0 ? 0 : pierwszyZDanymi);
    FRekordy.U32(ostatniZDanymi + 1);
    FRekordy.U16(static_cast<std::uint16_t>(kolumnaMax < 0 ? 0 : kolumnaMin));
    FRekordy.U16(static_cast<std::uint16_t>(kolumnaMax + 1));
    FRekordy.U16(0);
    Wiersze();

    FRekordy.Naglowek(Biff8::Window2, 18);
    // Grid, headers, zeros, outline symbols shown; the first sheet selected and open.
    FRekordy.U16(FIndeks == 0 ? 0x06B6 : 0x00B6);
    FRekordy.U16(0);
    FRekordy.U16(0);
    FRekordy.U16(64); // grid colour: automatic
    FRekordy.U16(0);
    FRekordy.U16(0);
    FRekordy.U16(0);
    FRekordy.U32(0);
    Scalenia();
    if (FArkusz.CzyChroniony()) {
        // The options of the protection (what stays allowed), as a shared-feature header.
        FRekordy.Naglowek(Biff8::FeatHeadr, 23);
        FRekordy.U16(Biff8::FeatHeadr);
        FRekordy.Zera(10);
        FRekordy.U16(2); // protection
        FRekordy.U8(1);
        FRekordy.U32(0xFFFFFFFF);
        FRekordy.U16(FArkusz.OpcjeOchrony());
        FRekordy.U16(0);
    }
    FRekordy.Naglowek(Biff8::Eof, 0);
}

void TZapisArkusza::Ustawienia()
{
    auto rekord16 = [this](std::uint16_t typ, std::uint16_t v) {
        FRekordy.Naglowek(typ, 2);
        FRekordy.U16(v);
    };
    rekord16(Biff8::CalcMode, 1); // automatic
    rekord16(Biff8::CalcCount, 100);
    rekord16(Biff8::RefMode, 1); // A1
    rekord16(Biff8::Iteration, 0);
    FRekordy.Naglowek(Biff8::Delta, 8);
    FRekordy.F64(0.001);
    rekord16(Biff8::SaveRecalc, 1);
    rekord16(Biff8::PrintHeaders, 0);
    rekord16(Biff8::PrintGridLines, 0);
    rekord16(Biff8::GridSet, 1);
    FRekordy.Naglowek(Biff8::Guts, 8);
    FRekordy.Zera(8);
    FRekordy.Naglowek(Biff8::DefaultRowHeight, 4);
    FRekordy.U16(0);
    FRekordy.U16(DomyslnaWysokoscTwip);
    // 0x0100: fit the printout to the page size of the SETUP record.
    rekord16(Biff8::WsBool, FArkusz.CzyDopasowanyDoSzerokosciStrony() ? 0x05C1 : 0x04C1);
    QString stopka = FArkusz.StopkaJakoTekst();
    if (!stopka.isEmpty()) {
        if (stopka.size() > 255)
            stopka.truncate(stopka[254].isHighSurrogate() ? 254 : 255);
        const qsizetype rekord = FRekordy.Otworz(Biff8::Footer);
        FRekordy.Tekst16(stopka);
        FRekordy.Zamknij(rekord);
    }
    rekord16(Biff8::HCenter, 0);
    rekord16(Biff8::VCenter, 0);
    if (FArkusz.CzyDopasowanyDoSzerokosciStrony()) {
        FRekordy.Naglowek(Biff8::Setup, 34);
        FRekordy.U16(9);      // A4
        FRekordy.U16(100);    // scale, unused when fitting
        FRekordy.U16(1);      // first page number
        FRekordy.U16(1);      // one page wide
        FRekordy.U16(0);      // as many pages high as needed
        FRekordy.U16(0x0002); // portrait; the printer settings are valid
        FRekordy.U16(600);
        FRekordy.U16(600);
        FRekordy.F64(0.5); // header and footer margins, inches
        FRekordy.F64(0.5);
        FRekordy.U16(1); // copies
    }
}

void TZapisArkusza::Ochrona()
{
    if (!FArkusz.CzyChroniony())
        return;
    FRekordy.Naglowek(Biff8::Protect, 2);
    FRekordy.U16(1);
    if (!FArkusz.Haslo().isEmpty()) {
        FRekordy.Naglowek(Biff8::Password, 2);
        FRekordy.U16(WeryfikatorHaslaArkusza(FArkusz.Haslo()));
    }
}

void TZapisArkusza::Kolumny()
{
    const auto& kolumny = FArkusz.Kolumny();
    const int n = static_cast<int>(kolumny.size());
    for (int k = 0; k < n;) {
        const TKolumnaArkusza& c = kolumny[k];
        if (c.SzerokoscPx < 0 && !c.Ukryta) {
            ++k;
            continue;
        }
        // Neighbours alike share one record.
        int koniec = k + 1;
        while (koniec < n && kolumny[koniec].SzerokoscPx == c.SzerokoscPx && kolumny[koniec].Ukryta == c.Ukryta)
            ++koniec;
        FRekordy.Naglowek(Biff8::ColInfo, 12);
        FRekordy.U16(static_cast<std::uint16_t>(k));
        FRekordy.U16(static_cast<std::uint16_t>(koniec - 1));
        FRekordy.U16(SzerokoscKolumnyXls(c.SzerokoscPx < 0 ? DomyslnaSzerokoscPx : c.SzerokoscPx));
        FRekordy.U16(TUkladXls::PierwszyXf);
        FRekordy.U16((c.Ukryta ? 0x0001 : 0) | (c.SzerokoscPx >= 0 ? 0x0002 : 0));
        FRekordy.U16(0);
        k = koniec;
    }
}

void TZapisArkusza::Wiersze()
{
    const auto& wiersze = FArkusz.Wiersze();
    const int n = static_cast<int>(wiersze.size());
    int blok = 0;
    for (int poczatek = 0; poczatek < n; poczatek += WierszyWBloku) {
        const int koniec = std::min(n, poczatek + WierszyWBloku);
        const qsizetype pierwszyRow = FRekordy.Pozycja();
        for (int w = poczatek; w < koniec; ++w)
            if (CzyRekordWiersza(wiersze[w]))
                Wiersz(w, wiersze[w]);
        if (FRekordy.Pozycja() == pierwszyRow)
            continue;
        // Offsets of each row's first cell: from the end of the first ROW record, then from the
        // previous row's first cell.
        std::array<std::uint16_t, WierszyWBloku> przesuniecia{};
        int ile = 0;
        qsizetype poprzednia = pierwszyRow + 20;
        for (int w = poczatek; w < koniec; ++w)
            if (!wiersze[w].Komorki.empty()) {
                przesuniecia[ile++] = static_cast<std::uint16_t>(FRekordy.Pozycja() - poprzednia);
                poprzednia = FRekordy.Pozycja();
                Komorki(w, wiersze[w]);
            }
        const qsizetype dbcell = FRekordy.Pozycja();
        FRekordy.Naglowek(Biff8::DbCell, static_cast<std::uint16_t>(4 + 2 * ile));
        FRekordy.U32(static_cast<std::uint32_t>(dbcell - pierwszyRow));
        for (int i = 0; i < ile; ++i)
            FRekordy.U16(przesuniecia[i]);
        FRekordy.Popraw32(FRekordIndeksu + 20 + 4 * blok++, static_cast<std::uint32_t>(dbcell));
    }
}

void TZapisArkusza::Wiersz(int nr, const TWierszArkusza& w)
{
    FRekordy.Naglowek(Biff8::Row, 16);
    FRekordy.U16(static_cast<std::uint16_t>(nr));
    FRekordy.U16(w.Komorki.empty() ? 0 : w.Komorki.front().Kolumna);
    FRekordy.U16(w.Komorki.empty() ? 0 : w.Komorki.back().Kolumna + 1);
    FRekordy.U16(w.WysokoscPx >= 0 ? static_cast<std::uint16_t>(w.WysokoscPx * 15) : (DomyslnaWysokoscTwip | 0x8000));
    FRekordy.U32(0);
    // Default cell format 15; hidden (0x20); height set by hand (0x40); 0x100 is always set.
    FRekordy.U32(TUkladXls::PierwszyXf << 16 | 0x100 | (w.Ukryty ? 0x20 : 0) | (w.WysokoscPx >= 0 ? 0x40 : 0));
}

void TZapisArkusza::Komorki(int nr, const TWierszArkusza& w)
{
    const auto& komorki = w.Komorki;
    const auto wiersz = static_cast<std::uint16_t>(nr);
    for (std::size_t i = 0; i < komorki.size();) {
        const TKomorka& k = komorki[i];
        const auto xf = static_cast<std::uint16_t>(TUkladXls::PierwszyXf + k.Format);
        switch (k.Rodzaj) {
        case TRodzajKomorki::Pusta: {
            // Adjacent cells that carry only a format: one record.
            std::size_t j = i + 1;
            while (j < komorki.size() && komorki[j].Rodzaj == TRodzajKomorki::Pusta &&
                   komorki[j].Kolumna == komorki[j - 1].Kolumna + 1)
                ++j;
            if (j - i == 1) {
                NaglowekKomorki(Biff8::Blank, 6, wiersz, k.Kolumna, xf);
            } else {
                FRekordy.Naglowek(Biff8::MulBlank, static_cast<std::uint16_t>(6 + 2 * (j - i)));
                FRekordy.U16(wiersz);
                FRekordy.U16(k.Kolumna);
                for (std::size_t m = i; m < j; ++m)
                    FRekordy.U16(static_cast<std::uint16_t>(TUkladXls::PierwszyXf + komorki[m].Format));
                FRekordy.U16(komorki[j - 1].Kolumna);
            }
            i = j;
            continue;
        }
        case TRodzajKomorki::Liczba: {
            std::uint32_t rk;
            if (KodRk(k.Liczba, rk)) {
                NaglowekKomorki(Biff8::Rk, 10, wiersz, k.Kolumna, xf);
                FRekordy.U32(rk);
            } else {
                NaglowekKomorki(Biff8::Number, 14, wiersz, k.Kolumna, xf);
                FRekordy.F64(k.Liczba);
            }
            break;
        }
        case TRodzajKomorki::Tekst:
            NaglowekKomorki(Biff8::LabelSst, 10, wiersz, k.Kolumna, xf);
            FRekordy.U32(k.Indeks);
            break;
        case TRodzajKomorki::Formula:
            Formula(nr, k);
            break;
        }
        ++i;
    }
}

void TZapisArkusza::Formula(int nr, const TKomorka& k)
{
    const QString& tekst = FArkusz.Formuly()[k.Indeks];
    QByteArray tokeny;
    try {
        tokeny = TFormula::Parsuj(tekst).TokenyBiff8(FArkuszFormul);
    } catch (const EBlad& e) {
        throw EBlad(QStringLiteral("Arkusz \"%1\", komórka %2: %3")
                        .arg(FArkusz.Nazwa(), AdresKomorki(nr, k.Kolumna), e.Komunikat()));
    }
    NaglowekKomorki(Biff8::Formula, static_cast<std::uint16_t>(22 + tokeny.size()), static_cast<std::uint16_t>(nr),
                    k.Kolumna, static_cast<std::uint16_t>(TUkladXls::PierwszyXf + k.Format));
    // The cached value, stale by design: the flag below has readers calculate every formula.
    if (CzyWynikTekstowy(tekst)) {
        FRekordy.U8(3); // an empty text
        FRekordy.Zera(5);
        FRekordy.U16(0xFFFF);
    } else {
        FRekordy.Zera(8); // the number 0
    }
    FRekordy.U16(0x0001); // always calculate
    FRekordy.U32(0);
    FRekordy.U16(static_cast<std::uint16_t>(tokeny.size()));
    FRekordy.Bajty(tokeny.constData(), tokeny.size());
}

void TZapisArkusza::Scalenia()
{
    const auto& scalenia = FArkusz.Scalenia();
    for (std::size_t od = 0; od < scalenia.size(); od += MaksScalenWRekordzie) {
        const std::size_t ile = std::min<std::size_t>(MaksScalenWRekordzie, scalenia.size() - od);
        FRekordy.Naglowek(Biff8::MergedCells, static_cast<std::uint16_t>(2 + 8 * ile));
        FRekordy.U16(static_cast<std::uint16_t>(ile));
        for (std::size_t i = od; i < od + ile; ++i) {
            FRekordy.U16(static_cast<std::uint16_t>(scalenia[i].Wiersz1));
            FRekordy.U16(static_cast<std::uint16_t>(scalenia[i].Wiersz2));
            FRekordy.U16(static_cast<std::uint16_t>(scalenia[i].Kolumna1));
            FRekordy.U16(static_cast<std::uint16_t>(scalenia[i].Kolumna2));
        }
    }
}

} // namespace

void ZapiszArkuszXls(TRekordyBiff8& rekordy, const TArkusz& arkusz, int indeks, const TUkladXls& uklad)
{
    TZapisArkusza(rekordy, arkusz, indeks, uklad).Zapisz();
}

std::uint16_t SzerokoscKolumnyXls(int piksele)
{
    double szerokosc = piksele;
    if (piksele > 12) {
        // Characters shown to two decimal places, then back to pixels with the 5-pixel padding.
        const double znaki = std::trunc((piksele - 5) / 7.0 * 100 + 0.5) / 100;
        szerokosc = znaki * 7 + 5;
    }
    return static_cast<std::uint16_t>(std::clamp(std::trunc(szerokosc / 7 * 256), 0.0, 255.0 * 256));
}
