// The token array of a cell formula in the older format: the operands and operators in postfix order,
// each token a byte of its kind and class followed by its fixed-size data.

#include "xls/Formula.h"

#include "app/Wyjatki.h"
#include "xls/FormulaWezel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using TWezel = TFormula::TWezel;
using TRodzaj = TWezel::TRodzaj;

// The class of an operand token: what its consumer expects. A reference a function takes as a
// reference (SUM's ranges) stays one; everywhere else the consumer wants its value.
using TKlasa = std::uint8_t;
constexpr TKlasa KlasaOdwolanie = 0x20;
constexpr TKlasa KlasaWartosc = 0x40;

// Token kinds (the low five bits; operands and calls add their class).
constexpr std::uint8_t TokenFunkcjaStala = 0x01;
constexpr std::uint8_t TokenFunkcjaZmienna = 0x02;
constexpr std::uint8_t TokenDodaj = 0x03;
constexpr std::uint8_t TokenOdejmij = 0x04;
constexpr std::uint8_t TokenPomnoz = 0x05;
constexpr std::uint8_t TokenPodziel = 0x06;
constexpr std::uint8_t TokenZlacz = 0x08;
constexpr std::uint8_t TokenMinus = 0x13;
constexpr std::uint8_t TokenNawias = 0x15;
constexpr std::uint8_t TokenTekst = 0x17;
constexpr std::uint8_t TokenCalkowita = 0x1E;
constexpr std::uint8_t TokenLiczba = 0x1F;
constexpr std::uint8_t TokenKomorka = 0x04;
constexpr std::uint8_t TokenObszar = 0x05;
constexpr std::uint8_t TokenKomorka3d = 0x1A;
constexpr std::uint8_t TokenObszar3d = 0x1B;

// What the format knows of each function: its index in the built-in function table, whether the call
// carries its argument count (a variable-argument function), and which arguments are references.
struct TFunkcjaBiff8
{
    std::uint16_t Indeks;
    bool ZmiennaLiczba;
    bool (*ArgumentOdwolaniem)(int argument);
};

TFunkcjaBiff8 OpisBiff8(TFunkcjaFormuly funkcja)
{
    switch (funkcja) {
    case TFunkcjaFormuly::Suma:
        return {4, true, [](int) { return true; }};
    case TFunkcjaFormuly::Zaokraglij:
        return {27, false, [](int) { return false; }};
    case TFunkcjaFormuly::Zlacz:
        return {336, true, [](int) { return false; }};
    case TFunkcjaFormuly::SumaJezeli:
        // The range and the summed range are references, the criterion a value.
        return {345, true, [](int argument) { return argument != 1; }};
    }
    return {0, false, [](int) { return false; }};
}

class TPisarzBiff8
{
public:
    TPisarzBiff8(const TWezel& korzen, const std::function<int(const QString&)>& indeksArkusza)
        : FKorzen(korzen), FIndeksArkusza(indeksArkusza)
    {
    }

    QByteArray Pisz()
    {
        Wezel(FKorzen, KlasaWartosc);
        if (FRozmiar > TFormula::MaksDlugoscTokenow)
            Blad(QStringLiteral("rozmiar formuły w pliku XLS %1 B, dozwolone najwyżej %2 B")
                     .arg(FRozmiar)
                     .arg(TFormula::MaksDlugoscTokenow));
        return QByteArray(FBufor, FRozmiar);
    }

private:
    const TWezel& FKorzen;
    const std::function<int(const QString&)>& FIndeksArkusza;
    // Bytes past the limit are only counted, for the message.
    char FBufor[TFormula::MaksDlugoscTokenow];
    int FRozmiar = 0;

    [[noreturn]] void Blad(const QString& przyczyna) const
    {
        throw EBlad(KomunikatBleduFormuly(FKorzen.Zrodlo, przyczyna));
    }

    void Bajt(std::uint8_t b)
    {
        if (FRozmiar < TFormula::MaksDlugoscTokenow)
            FBufor[FRozmiar] = char(b);
        ++FRozmiar;
    }

    void Slowo(std::uint16_t s)
    {
        Bajt(std::uint8_t(s & 0xFF));
        Bajt(std::uint8_t(s >> 8));
    }

    // Relative references keep their absolute coordinates in a cell formula; two bits of the column
    // word tell that the column and the row follow the cell when copied.
    static std::uint16_t SlowoKolumny(const TKomorkaFormuly& k)
    {
        return std::uint16_t(k.Kolumna | (k.KolumnaStala ? 0 : 0x4000) | (k.WierszStaly ? 0 : 0x8000));
    }

    void Wezel(const TWezel& w, TKlasa klasa)
    {
        switch (w.Rodzaj) {
        case TRodzaj::Liczba:
            Liczba(w.Liczba);
            return;
        case TRodzaj::Tekst:
            Tekst(w.Tekst);
            return;
        case TRodzaj::Komorka:
        case TRodzaj::Obszar:
            Odwolanie(w, klasa);
            return;
        case TRodzaj::Nawias:
            // Parentheses change no class: SUM((A1:A5)) still sums a reference.
            Wezel(w.Dzieci.front(), klasa);
            Bajt(TokenNawias);
            return;
        case TRodzaj::Minus:
            Wezel(w.Dzieci.front(), KlasaWartosc);
            Bajt(TokenMinus);
            return;
        case TRodzaj::Dzialania:
            Wezel(w.Dzieci.front(), KlasaWartosc);
            for (size_t i = 1; i < w.Dzieci.size(); ++i) {
                Wezel(w.Dzieci[i], KlasaWartosc);
                Bajt(TokenOperatora(w.Dzieci[i].Operator));
            }
            return;
        case TRodzaj::Funkcja:
            Funkcja(w);
            return;
        }
    }

    static std::uint8_t TokenOperatora(char op)
    {
        switch (op) {
        case '+':
            return TokenDodaj;
        case '-':
            return TokenOdejmij;
        case '*':
            return TokenPomnoz;
        case '/':
            return TokenPodziel;
        default:
            return TokenZlacz;
        }
    }

    // Whole numbers that fit sixteen bits unsigned take the short token.
    void Liczba(double liczba)
    {
        if (liczba >= 0 && liczba <= 65535 && std::floor(liczba) == liczba) {
            Bajt(TokenCalkowita);
            Slowo(std::uint16_t(liczba));
            return;
        }
        Bajt(TokenLiczba);
        std::uint64_t bity;
        std::memcpy(&bity, &liczba, sizeof bity);
        for (int i = 0; i < 8; ++i)
            Bajt(std::uint8_t(bity >> (8 * i)));
    }

    // One byte of length, then one byte per character when all of them fit in it, otherwise UTF-16LE.
    void Tekst(const QString& tekst)
    {
        Bajt(TokenTekst);
        Bajt(std::uint8_t(tekst.size()));
        const bool szerokie = std::any_of(tekst.cbegin(), tekst.cend(), [](QChar z) { return z.unicode() > 0xFF; });
        Bajt(szerokie ? 1 : 0);
        for (const QChar z : tekst) {
            if (szerokie)
                Slowo(z.unicode());
            else
                Bajt(std::uint8_t(z.unicode()));
        }
    }

    void Odwolanie(const TWezel& w, TKlasa klasa)
    {
        const bool obszar = w.Rodzaj == TRodzaj::Obszar;
        if (w.Tekst.isEmpty()) {
            Bajt(std::uint8_t((obszar ? TokenObszar : TokenKomorka) | klasa));
        } else {
            const int indeks = FIndeksArkusza ? FIndeksArkusza(w.Tekst) : -1;
            if (indeks < 0 || indeks > 0xFFFF)
                Blad(QStringLiteral("nieznany arkusz „%1”").arg(w.Tekst));
            Bajt(std::uint8_t((obszar ? TokenObszar3d : TokenKomorka3d) | klasa));
            Slowo(std::uint16_t(indeks));
        }
        Slowo(w.Poczatek.Wiersz);
        if (obszar) {
            Slowo(w.Koniec.Wiersz);
            Slowo(SlowoKolumny(w.Poczatek));
            Slowo(SlowoKolumny(w.Koniec));
        } else {
            Slowo(SlowoKolumny(w.Poczatek));
        }
    }

    // Every function here returns a value, so its own token is of the value class wherever it stands.
    void Funkcja(const TWezel& w)
    {
        const TFunkcjaBiff8 opis = OpisBiff8(w.Funkcja);
        const int argumenty = int(w.Dzieci.size());
        if (argumenty > TFormula::MaksArgumentow)
            Blad(QStringLiteral("funkcja %1: liczba argumentów %2, w pliku XLS dozwolone najwyżej %3")
                     .arg(NazwaFunkcjiFormuly(w.Funkcja))
                     .arg(argumenty)
                     .arg(TFormula::MaksArgumentow));
        for (int i = 0; i < argumenty; ++i)
            Wezel(w.Dzieci[i], opis.ArgumentOdwolaniem(i) ? KlasaOdwolanie : KlasaWartosc);
        if (opis.ZmiennaLiczba) {
            Bajt(TokenFunkcjaZmienna | KlasaWartosc);
            Bajt(std::uint8_t(argumenty));
        } else {
            Bajt(TokenFunkcjaStala | KlasaWartosc);
        }
        Slowo(opis.Indeks);
    }
};

} // namespace

QByteArray TFormula::TokenyBiff8(const std::function<int(const QString& nazwaArkusza)>& indeksArkusza) const
{
    return TPisarzBiff8(*FKorzen, indeksArkusza).Pisz();
}
