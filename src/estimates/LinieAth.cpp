#include "estimates/LinieAth.h"

#include "app/Kodowanie.h"
#include "app/Wyjatki.h"
#include "estimates/WzorceAth.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace {

EBlad PlikNieprawidlowy()
{
    return EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
}

constexpr char16_t Esc = 27;

// The level of an element section: its digits as a number, the largest int when they overflow.
int PoziomZCyfr(QStringView cyfry)
{
    long long wynik = 0;
    for (const QChar z : cyfry) {
        wynik = wynik * 10 + (z.unicode() - u'0');
        if (wynik > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(wynik);
}

void Klasyfikuj(QStringView linia, TSegmentAth& segment)
{
    using namespace WzorceAth;
    if (const TWersja wersja = DopasujWersje(linia); wersja.Jest) {
        segment.Rodzaj = TRodzajLiniiAth::Wersja;
        segment.CzyWersjaPrzed44 = CzyWersjaPrzed44(wersja);
        return;
    }
    QStringView poziom;
    if (DopasujElement(linia, poziom)) {
        segment.Rodzaj = TRodzajLiniiAth::Element;
        segment.Poziom = PoziomZCyfr(poziom);
        return;
    }
    if (CzyLiniaPodpozycji(linia))
        segment.Rodzaj = TRodzajLiniiAth::Podpozycja;
    else if (CzyLiniaPozycji(linia))
        segment.Rodzaj = TRodzajLiniiAth::Pozycja;
}

// The 256 characters of Windows-1250, as the program's code page conversion gives them.
const std::array<char16_t, 256>& ZnakiWindows1250()
{
    static const std::array<char16_t, 256> znaki = [] {
        std::array<char16_t, 256> wynik{};
        QByteArray bajty(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            bajty[b] = static_cast<char>(b);
        const QString tekst = ZWindows1250(bajty);
        for (int b = 0; b < 256; ++b)
            wynik[static_cast<size_t>(b)] = tekst[b].unicode();
        return wynik;
    }();
    return znaki;
}

} // namespace

TZapisAth::TZapisAth(qsizetype szacunek) : FDane(std::max<qsizetype>(szacunek, 64), Qt::Uninitialized)
{
    FPoczatek = FDane.data();
}

void TZapisAth::Powieksz(qsizetype ile)
{
    FDane.resize(std::max(FDane.size() * 2, FDlugosc + ile));
    FPoczatek = FDane.data();
}

QByteArray TZapisAth::Wynik()
{
    FDane.truncate(FDlugosc);
    FPoczatek = nullptr;
    FDlugosc = 0;
    return std::move(FDane);
}

TLinieAth::TLinieAth(const QByteArray& dane, bool doKopii)
{
    if (dane.size() > MaksRozmiar)
        throw PlikNieprawidlowy();
    const bool znacznik = dane.startsWith("\xEF\xBB\xBF") || dane.startsWith("\xFF\xFE") || dane.startsWith("\xFE\xFF");
    if (znacznik) {
        FCzyAnsi = false;
        FTekst = DekodujTekstPliku(dane).Tekst;
        if (FTekst.contains(QChar(0)))
            throw PlikNieprawidlowy();
        Podziel();
    } else {
        // Windows-1250 through a table, one character per byte, split into lines in the same pass.
        if (doKopii)
            FBajty = dane;
        FTekst.resize(dane.size());
        const auto& znaki = ZnakiWindows1250();
        const auto* z = reinterpret_cast<const unsigned char*>(dane.constData());
        auto* cel = reinterpret_cast<char16_t*>(FTekst.data());
        const auto n = static_cast<std::uint32_t>(dane.size());
        FLinie.reserve(n / 24 + 1);
        std::uint32_t poczatek = 0;
        for (std::uint32_t i = 0; i < n; ++i) {
            const unsigned char b = z[i];
            cel[i] = znaki[b];
            if (b > '\r')
                continue;
            if (b == 0)
                throw PlikNieprawidlowy();
            if (b != '\r' && b != '\n')
                continue;
            FLinie.push_back({poczatek, i});
            if (b == '\r' && i + 1 < n && z[i + 1] == '\n')
                cel[++i] = u'\n';
            poczatek = i + 1;
        }
        if (poczatek < n)
            FLinie.push_back({poczatek, n});
    }
}

void TLinieAth::Podziel()
{
    const char16_t* z = reinterpret_cast<const char16_t*>(FTekst.constData());
    const auto n = static_cast<std::uint32_t>(FTekst.size());
    FLinie.reserve(n / 24 + 1);
    std::uint32_t poczatek = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const char16_t c = z[i];
        if (c != u'\r' && c != u'\n')
            continue;
        FLinie.push_back({poczatek, i});
        if (c == u'\r' && i + 1 < n && z[i + 1] == u'\n')
            ++i;
        poczatek = i + 1;
    }
    if (poczatek < n)
        FLinie.push_back({poczatek, n});
}

void TLinieAth::DopiszLinie(TZapisAth& wynik, int indeks) const
{
    if (!FCzyAnsi || FBajty.isEmpty()) {
        DopiszTekst(wynik, (*this)[indeks]);
        return;
    }
    const TZakres& z = FLinie[static_cast<size_t>(indeks)];
    const auto dlugosc = static_cast<qsizetype>(z.Koniec - z.Poczatek);
    char* cel = wynik.Miejsce(dlugosc + 2);
    std::memcpy(cel, FBajty.constData() + z.Poczatek, static_cast<size_t>(dlugosc));
    cel[dlugosc] = '\r';
    cel[dlugosc + 1] = '\n';
}

void TLinieAth::DopiszTekst(TZapisAth& wynik, QStringView tekst)
{
    bool ascii = true;
    for (const QChar z : tekst)
        if (z.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        char* cel = wynik.Miejsce(tekst.size());
        for (const QChar z : tekst)
            *cel++ = static_cast<char>(z.unicode());
    } else {
        // Only in a blank line does a missing character become a blank: there it keeps the line blank,
        // elsewhere "?" can neither make a section line of another line nor blank it.
        const char zamiast = CzyLiniaPustaAth(tekst) ? ' ' : '?';
        for (const QChar z : tekst) {
            if (z.unicode() < 0x80) {
                wynik.Dopisz(static_cast<char>(z.unicode()));
                continue;
            }
            const QString znak(z);
            if (CzyMiesciSieWStronie(znak, TStronaKodowa::Windows1250))
                wynik.Dopisz(NaWindows1250(znak).at(0));
            else
                wynik.Dopisz(zamiast);
        }
    }
    wynik.Dopisz("\r\n", 2);
}

bool TPrzegladAth::Nastepny(TSegmentAth& segment)
{
    const int n = FLinie.Count();
    if (FIndeks >= n)
        return false;
    segment = TSegmentAth();
    segment.Linia = FIndeks;
    const QStringView linia = FLinie[FIndeks];
    if (linia.contains(QChar(Esc))) {
        QString kopia = linia.toString();
        kopia.replace(QChar(Esc), QLatin1Char(' '));
        Klasyfikuj(kopia, segment);
    } else {
        Klasyfikuj(linia, segment);
    }
    int koniec = FIndeks + 1;
    if (segment.Rodzaj == TRodzajLiniiAth::Element || segment.Rodzaj == TRodzajLiniiAth::Pozycja)
        while (koniec < n)
            if (CzyLiniaPustaAth(FLinie[koniec++]))
                break;
    segment.Koniec = koniec;
    FIndeks = koniec;
    return true;
}

TBlokAth::TBlokAth(const TLinieAth& linie, int od, int doLinii) : FLinie(linie)
{
    FLinieBloku.reserve(static_cast<size_t>(doLinii - od + 2));
    for (int i = od; i < doLinii; ++i)
        FLinieBloku.push_back({i, QString()});
}

QStringView TBlokAth::operator[](int indeks) const
{
    const TLiniaBloku& l = FLinieBloku[static_cast<size_t>(indeks)];
    return l.Zrodlo >= 0 ? FLinie[l.Zrodlo] : QStringView(l.Nowa);
}

int TBlokAth::OstatniaZKluczem(QStringView klucz) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (ZaczynaSieOdAth((*this)[i], klucz))
            return i;
    return -1;
}

bool TBlokAth::ZastapOstatnia(QStringView klucz, const QString& nowa)
{
    const int i = OstatniaZKluczem(klucz);
    if (i < 0)
        return false;
    // A line that already reads so stays as it is, bytes and all.
    if ((*this)[i] != nowa)
        FLinieBloku[static_cast<size_t>(i)] = {-1, nowa};
    return true;
}

void TBlokAth::Wstaw(const QString& nowa)
{
    int miejsce = Count();
    if (miejsce >= 3)
        miejsce = 2;
    else if (miejsce > 0 && CzyLiniaPustaAth((*this)[miejsce - 1]))
        --miejsce;
    FLinieBloku.insert(FLinieBloku.begin() + miejsce, {-1, nowa});
}

void TBlokAth::Dopisz(TZapisAth& wynik) const
{
    for (const TLiniaBloku& l : FLinieBloku) {
        if (l.Zrodlo >= 0)
            FLinie.DopiszLinie(wynik, l.Zrodlo);
        else
            TLinieAth::DopiszTekst(wynik, l.Nowa);
    }
}
