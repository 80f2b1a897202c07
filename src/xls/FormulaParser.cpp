// The reader of the user's notation: a recursive descent into the tree of FormulaWezel.h.

#include "app/Wyjatki.h"
#include "xls/FormulaWezel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

namespace {

using TWezel = TFormula::TWezel;
using TRodzaj = TWezel::TRodzaj;

bool PolskaLitera(char16_t z)
{
    static constexpr std::u16string_view Polskie = u"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
    return z >= 0x80 && Polskie.find(z) != std::u16string_view::npos;
}

// What may begin and continue an unquoted sheet name or a function's name.
bool PoczatekNazwy(char16_t z)
{
    return LiteraAsciiFormuly(z) || z == u'_' || PolskaLitera(z);
}

bool ZnakNazwy(char16_t z)
{
    return CyfraFormuly(z) || PoczatekNazwy(z);
}

struct TOpisFunkcji
{
    TFunkcjaFormuly Funkcja;
    QStringView Nazwa;
    int MinArgumentow;
    int MaksArgumentow;
};

constexpr TOpisFunkcji Funkcje[] = {
    {TFunkcjaFormuly::Suma, u"SUM", 1, MaksArgumentowFormuly},
    {TFunkcjaFormuly::Zaokraglij, u"ROUND", 2, 2},
    {TFunkcjaFormuly::Zlacz, u"CONCATENATE", 1, MaksArgumentowFormuly},
    {TFunkcjaFormuly::SumaJezeli, u"SUMIF", 2, 3},
};

const TOpisFunkcji* ZnajdzFunkcje(QStringView nazwa)
{
    for (const auto& opis : Funkcje)
        if (nazwa.size() == opis.Nazwa.size() && nazwa.compare(opis.Nazwa, Qt::CaseInsensitive) == 0)
            return &opis;
    return nullptr;
}

constexpr int MaksDlugoscNazwyArkusza = 31;

enum class TWynikKomorki : std::uint8_t { Poprawna, NieKomorka, PozaArkuszem };

// A recursive descent over the text's UTF-16 units. Every recursion passes through a TZagniezdzenie, so the
// parser's stack, like the tree's depth, is bounded by MaksGlebokoscFormuly.
class TParser
{
public:
    explicit TParser(const QString& tekst)
        : FTekst(tekst), FZnaki(QStringView(tekst).utf16()), FDlugosc(int(tekst.size()))
    {
    }

    TWezel Formula()
    {
        if (FDlugosc > MaksDlugoscFormuly)
            Blad(QStringLiteral("długość formuły przekracza limit %1 znaków").arg(MaksDlugoscFormuly));
        PominOdstepy();
        if (FPozycja == FDlugosc)
            Blad(QStringLiteral("pusta formuła"));
        TWezel korzen = Wyrazenie();
        PominOdstepy();
        if (FPozycja < FDlugosc)
            BladZnaku(FPozycja, QStringLiteral("nieoczekiwany znak „%1”").arg(ZnakDoKomunikatu(FPozycja)));
        return korzen;
    }

private:
    const QString& FTekst;
    const char16_t* FZnaki;
    int FDlugosc;
    int FPozycja = 0;
    int FGlebokosc = 0;

    [[noreturn]] void Blad(const QString& przyczyna) const { throw EBlad(KomunikatBleduFormuly(FTekst, przyczyna)); }

    [[noreturn]] void BladZnaku(int pozycja, const QString& przyczyna) const
    {
        Blad(QStringLiteral("znak %1: %2").arg(pozycja + 1).arg(przyczyna));
    }

    QString ZnakDoKomunikatu(int pozycja) const
    {
        const int ile = QChar::isHighSurrogate(FZnaki[pozycja]) && pozycja + 1 < FDlugosc ? 2 : 1;
        return FTekst.mid(pozycja, ile);
    }

    char16_t Znak(int pozycja) const { return pozycja < FDlugosc ? FZnaki[pozycja] : u'\0'; }

    void PominOdstepy()
    {
        while (FPozycja < FDlugosc && QChar::isSpace(FZnaki[FPozycja]))
            ++FPozycja;
    }

    // Entered by every construct that nests: parentheses, a call's arguments, unary minus.
    struct TZagniezdzenie
    {
        TParser& P;
        explicit TZagniezdzenie(TParser& p) : P(p)
        {
            if (++P.FGlebokosc > MaksGlebokoscFormuly)
                P.BladZnaku(
                    P.FPozycja,
                    QStringLiteral("zbyt głębokie zagnieżdżenie (najwyżej %1 poziomy)").arg(MaksGlebokoscFormuly));
        }
        ~TZagniezdzenie() { --P.FGlebokosc; }
        TZagniezdzenie(const TZagniezdzenie&) = delete;
        TZagniezdzenie& operator=(const TZagniezdzenie&) = delete;
    };

    // "&" binds loosest, then "+" and "-", then "*" and "/"; all of them from left to right.
    TWezel Wyrazenie() { return Lancuch(0); }

    TWezel Lancuch(int poziom)
    {
        static constexpr std::u16string_view Operatory[] = {u"&", u"+-", u"*/"};
        TWezel pierwszy = poziom == 2 ? Jednoargumentowe() : Lancuch(poziom + 1);
        PominOdstepy();
        if (FPozycja >= FDlugosc || Operatory[poziom].find(FZnaki[FPozycja]) == std::u16string_view::npos)
            return pierwszy;
        TWezel lancuch;
        lancuch.Rodzaj = TRodzaj::Dzialania;
        lancuch.Dzieci.reserve(4);
        lancuch.Dzieci.push_back(std::move(pierwszy));
        while (FPozycja < FDlugosc && Operatory[poziom].find(FZnaki[FPozycja]) != std::u16string_view::npos) {
            const char op = char(FZnaki[FPozycja++]);
            lancuch.Dzieci.push_back(poziom == 2 ? Jednoargumentowe() : Lancuch(poziom + 1));
            lancuch.Dzieci.back().Operator = op;
            PominOdstepy();
        }
        return lancuch;
    }

    TWezel Jednoargumentowe()
    {
        PominOdstepy();
        if (Znak(FPozycja) != u'-')
            return Podstawowe();
        TZagniezdzenie zagniezdzenie(*this);
        ++FPozycja;
        TWezel minus;
        minus.Rodzaj = TRodzaj::Minus;
        minus.Dzieci.push_back(Jednoargumentowe());
        return minus;
    }

    TWezel Podstawowe()
    {
        PominOdstepy();
        if (FPozycja >= FDlugosc)
            BladZnaku(FPozycja, QStringLiteral("nieoczekiwany koniec formuły"));
        const char16_t z = FZnaki[FPozycja];
        if (CyfraFormuly(z))
            return Liczba();
        if (z == u'"')
            return Tekst();
        if (z == u'(')
            return Nawias();
        if (z == u'\'')
            return Odwolanie(NazwaArkuszaWCudzyslowie());
        if (z == u'$')
            return Odwolanie(QString());
        if (PoczatekNazwy(z)) {
            const int poczatek = FPozycja;
            int koniec = poczatek;
            while (koniec < FDlugosc && ZnakNazwy(FZnaki[koniec]))
                ++koniec;
            if (Znak(koniec) == u'!') {
                if (koniec - poczatek > MaksDlugoscNazwyArkusza)
                    BladZnaku(poczatek, QStringLiteral("niepoprawna nazwa arkusza"));
                FPozycja = koniec + 1;
                return Odwolanie(FTekst.mid(poczatek, koniec - poczatek));
            }
            int nawias = koniec;
            while (nawias < FDlugosc && QChar::isSpace(FZnaki[nawias]))
                ++nawias;
            if (Znak(nawias) == u'(')
                return Wywolanie(poczatek, koniec, nawias);
            return Odwolanie(QString());
        }
        BladZnaku(FPozycja, QStringLiteral("nieoczekiwany znak „%1”").arg(ZnakDoKomunikatu(FPozycja)));
    }

    // Digits with an optional decimal comma and more digits.
    TWezel Liczba()
    {
        const int poczatek = FPozycja;
        std::string ascii;
        while (CyfraFormuly(Znak(FPozycja)))
            ascii.push_back(char(FZnaki[FPozycja++]));
        if (Znak(FPozycja) == u',') {
            ascii.push_back('.');
            ++FPozycja;
            if (!CyfraFormuly(Znak(FPozycja)))
                BladZnaku(FPozycja, QStringLiteral("po przecinku liczby brak cyfr"));
            while (CyfraFormuly(Znak(FPozycja)))
                ascii.push_back(char(FZnaki[FPozycja++]));
        }
        if (ZnakNazwy(Znak(FPozycja)) || Znak(FPozycja) == u'.')
            BladZnaku(FPozycja, QStringLiteral("niepoprawna liczba"));
        TWezel liczba;
        const auto wynik = std::from_chars(ascii.data(), ascii.data() + ascii.size(), liczba.Liczba);
        if (wynik.ec != std::errc() || !std::isfinite(liczba.Liczba))
            BladZnaku(poczatek, QStringLiteral("liczba poza zakresem"));
        return liczba;
    }

    TWezel Tekst()
    {
        const int poczatek = FPozycja++;
        TWezel tekst;
        tekst.Rodzaj = TRodzaj::Tekst;
        for (;;) {
            if (FPozycja >= FDlugosc)
                BladZnaku(poczatek, QStringLiteral("niezamknięty cudzysłów"));
            if (FZnaki[FPozycja] == u'"') {
                if (Znak(FPozycja + 1) != u'"')
                    break;
                ++FPozycja;
            }
            tekst.Tekst.append(QChar(FZnaki[FPozycja++]));
        }
        ++FPozycja;
        if (tekst.Tekst.size() > MaksDlugoscTekstuFormuly)
            BladZnaku(poczatek, QStringLiteral("tekst dłuższy niż %1 znaków").arg(MaksDlugoscTekstuFormuly));
        return tekst;
    }

    TWezel Nawias()
    {
        TZagniezdzenie zagniezdzenie(*this);
        const int poczatek = FPozycja++;
        TWezel nawias;
        nawias.Rodzaj = TRodzaj::Nawias;
        nawias.Dzieci.push_back(Wyrazenie());
        PominOdstepy();
        if (Znak(FPozycja) != u')')
            BladZnaku(poczatek, QStringLiteral("nawias bez pary"));
        ++FPozycja;
        return nawias;
    }

    // 'Arkusz 1'! with apostrophes doubled inside; the name as the workbook knows it.
    QString NazwaArkuszaWCudzyslowie()
    {
        const int poczatek = FPozycja++;
        QString nazwa;
        for (;;) {
            if (FPozycja >= FDlugosc)
                BladZnaku(poczatek, QStringLiteral("niezamknięta nazwa arkusza"));
            if (FZnaki[FPozycja] == u'\'') {
                if (Znak(FPozycja + 1) != u'\'')
                    break;
                ++FPozycja;
            }
            nazwa.append(QChar(FZnaki[FPozycja++]));
        }
        ++FPozycja;
        // No sheet can bear these names, and a colon would be a range of sheets.
        static constexpr QStringView Zakazane = u":\\/?*[]";
        if (nazwa.isEmpty() || nazwa.size() > MaksDlugoscNazwyArkusza ||
            std::any_of(nazwa.cbegin(), nazwa.cend(), [](QChar z) { return Zakazane.contains(z); }))
            BladZnaku(poczatek, QStringLiteral("niepoprawna nazwa arkusza"));
        if (Znak(FPozycja) != u'!')
            BladZnaku(FPozycja, QStringLiteral("po nazwie arkusza brak „!”"));
        ++FPozycja;
        return nazwa;
    }

    // A cell (G5, $G$5) or a range (G5:G40), after the sheet's name if any.
    TWezel Odwolanie(QString arkusz)
    {
        TWezel odwolanie;
        odwolanie.Rodzaj = TRodzaj::Komorka;
        odwolanie.Tekst = std::move(arkusz);
        Komorka(odwolanie.Poczatek);
        const int poDrugiej = FPozycja;
        PominOdstepy();
        if (Znak(FPozycja) != u':') {
            FPozycja = poDrugiej;
            return odwolanie;
        }
        ++FPozycja;
        PominOdstepy();
        odwolanie.Rodzaj = TRodzaj::Obszar;
        Komorka(odwolanie.Koniec);
        // Corners as written ("G40:G5") name the same range; the files keep the top left one first.
        auto& a = odwolanie.Poczatek;
        auto& b = odwolanie.Koniec;
        if (a.Wiersz > b.Wiersz) {
            std::swap(a.Wiersz, b.Wiersz);
            std::swap(a.WierszStaly, b.WierszStaly);
        }
        if (a.Kolumna > b.Kolumna) {
            std::swap(a.Kolumna, b.Kolumna);
            std::swap(a.KolumnaStala, b.KolumnaStala);
        }
        return odwolanie;
    }

    void Komorka(TKomorkaFormuly& komorka)
    {
        const int poczatek = FPozycja;
        switch (CzytajKomorke(komorka)) {
        case TWynikKomorki::Poprawna:
            return;
        case TWynikKomorki::PozaArkuszem:
            BladZnaku(poczatek, QStringLiteral("odwołanie „%1” poza arkuszem (kolumny A–IV, wiersze 1–65536)")
                                    .arg(FTekst.mid(poczatek, FPozycja - poczatek)));
        case TWynikKomorki::NieKomorka:
            break;
        }
        int koniec = poczatek;
        while (koniec < FDlugosc && (ZnakNazwy(FZnaki[koniec]) || FZnaki[koniec] == u'$'))
            ++koniec;
        if (koniec == poczatek)
            BladZnaku(poczatek, QStringLiteral("brak odwołania do komórki"));
        BladZnaku(poczatek, QStringLiteral("nieznana nazwa „%1”").arg(FTekst.mid(poczatek, koniec - poczatek)));
    }

    // [$]letters[$]digits, not followed by another character of a name.
    TWynikKomorki CzytajKomorke(TKomorkaFormuly& komorka)
    {
        int i = FPozycja;
        komorka.KolumnaStala = Znak(i) == u'$';
        i += komorka.KolumnaStala;
        int kolumna = 0;
        int litery = 0;
        for (; LiteraAsciiFormuly(Znak(i)) && litery < 4; ++i, ++litery)
            kolumna = kolumna * 26 + ((Znak(i) | 0x20) - u'a' + 1);
        komorka.WierszStaly = Znak(i) == u'$';
        i += komorka.WierszStaly;
        qint64 wiersz = 0;
        int cyfry = 0;
        for (; CyfraFormuly(Znak(i)); ++i, ++cyfry)
            wiersz = std::min<qint64>(wiersz * 10 + (Znak(i) - u'0'), 1'000'000);
        if (litery == 0 || litery > 3 || cyfry == 0 || ZnakNazwy(Znak(i)) || Znak(i) == u'$')
            return TWynikKomorki::NieKomorka;
        FPozycja = i;
        if (kolumna > 256 || wiersz < 1 || wiersz > 65536)
            return TWynikKomorki::PozaArkuszem;
        komorka.Kolumna = std::uint8_t(kolumna - 1);
        komorka.Wiersz = std::uint16_t(wiersz - 1);
        return TWynikKomorki::Poprawna;
    }

    TWezel Wywolanie(int poczatekNazwy, int koniecNazwy, int nawias)
    {
        const QStringView nazwa = QStringView(FTekst).mid(poczatekNazwy, koniecNazwy - poczatekNazwy);
        const TOpisFunkcji* opis = ZnajdzFunkcje(nazwa);
        if (!opis)
            BladZnaku(poczatekNazwy, QStringLiteral("nieznana funkcja „%1”").arg(nazwa));
        TZagniezdzenie zagniezdzenie(*this);
        FPozycja = nawias + 1;
        TWezel wywolanie;
        wywolanie.Rodzaj = TRodzaj::Funkcja;
        wywolanie.Funkcja = opis->Funkcja;
        wywolanie.Dzieci.reserve(4);
        PominOdstepy();
        if (Znak(FPozycja) != u')') {
            for (;;) {
                if (int(wywolanie.Dzieci.size()) == opis->MaksArgumentow)
                    BladZnaku(FPozycja, QStringLiteral("funkcja %1: za dużo argumentów (najwyżej %2)")
                                            .arg(opis->Nazwa)
                                            .arg(opis->MaksArgumentow));
                wywolanie.Dzieci.push_back(Wyrazenie());
                PominOdstepy();
                if (Znak(FPozycja) != u';')
                    break;
                ++FPozycja;
            }
            if (Znak(FPozycja) != u')')
                BladZnaku(nawias, QStringLiteral("nawias bez pary"));
        }
        ++FPozycja;
        if (int(wywolanie.Dzieci.size()) < opis->MinArgumentow)
            BladZnaku(poczatekNazwy, QStringLiteral("funkcja %1: za mało argumentów (co najmniej %2)")
                                         .arg(opis->Nazwa)
                                         .arg(opis->MinArgumentow));
        return wywolanie;
    }
};

} // namespace

std::unique_ptr<TFormula::TWezel> ParsujWezelFormuly(const QString& tekst)
{
    auto korzen = std::make_unique<TWezel>(TParser(tekst).Formula());
    korzen->Zrodlo = tekst;
    return korzen;
}

QString NazwaFunkcjiFormuly(TFunkcjaFormuly funkcja)
{
    for (const auto& opis : Funkcje)
        if (opis.Funkcja == funkcja)
            return opis.Nazwa.toString();
    return {};
}

QString KomunikatBleduFormuly(const QString& tekst, const QString& przyczyna)
{
    constexpr int Skrot = 80;
    QString pokazany = tekst.trimmed();
    if (pokazany.size() > Skrot) {
        const int ile = pokazany[Skrot - 1].isHighSurrogate() ? Skrot - 1 : Skrot;
        pokazany = pokazany.left(ile) + u'…';
    }
    return QStringLiteral("Niepoprawna formuła: %1 (%2).").arg(pokazany, przyczyna);
}
