#include "estimates/KosztorysRds7.h"

#include "app/Liczby.h"
#include "app/Wyjatki.h"
#include "estimates/LiczbyKosztorysu.h"
#include "prices/InterpreterWyrazen.h"

#include <QStringDecoder>

#include <cmath>

namespace {

// Quantities longer than this are kept as text: the interpreter rewrites the whole text at every
// step, and a measurement no estimator writes must not stall the reading of the estimate.
constexpr qsizetype MaksDlugoscWyrazenia = 500;

// A number the interpreter gives back unchanged: no sign, no leading zero, at most 15 digits before
// the comma and at most three after it, the last of them not 0 ("0", "12", "125,5", "0,125").
// Most quantities are such numbers; they skip the interpreter's rewriting.
bool CzyLiczbaKanoniczna(QStringView tekst)
{
    const qsizetype n = tekst.size();
    const qsizetype przecinek = tekst.indexOf(QLatin1Char(','));
    const qsizetype calkowite = przecinek < 0 ? n : przecinek;
    if (calkowite == 0 || calkowite > 15 || (calkowite > 1 && tekst[0] == QLatin1Char('0')))
        return false;
    for (qsizetype i = 0; i < n; ++i)
        if (i != przecinek && (tekst[i] < QLatin1Char('0') || tekst[i] > QLatin1Char('9')))
            return false;
    if (przecinek < 0)
        return true;
    const qsizetype ulamek = n - przecinek - 1;
    return ulamek >= 1 && ulamek <= 3 && tekst[n - 1] != QLatin1Char('0');
}

} // namespace

TKosztorysRds7::TKosztorysRds7(const QString& filePath, bool renumeruj, bool indeksuj, bool nadpiszKopie,
                               const TUstawieniaKosztorysu& ustawienia)
    : TKosztorysRds(filePath, renumeruj, indeksuj, nadpiszKopie, ustawienia)
{
}

QString TKosztorysRds7::ObliczIlosc(const QString& tekst)
{
    // A plain number written as such needs no normalising either.
    const QStringView przyciety = QStringView(tekst).trimmed();
    if (CzyLiczbaKanoniczna(przyciety))
        return przyciety.toString();
    const QString znormalizowany = NormalizujWyrazenie(tekst);
    if (znormalizowany.size() > MaksDlugoscWyrazenia || CzyLiczbaKanoniczna(znormalizowany))
        return znormalizowany;
    try {
        return ObliczWyrazenie(znormalizowany);
    } catch (const EBlad&) {
        // One quantity the interpreter cannot reduce must not cost the whole estimate.
        return znormalizowany;
    }
}

namespace {

// Past this many different expressions a reading meets few repeats; the ones kept still serve.
constexpr qsizetype MaksObliczonychIlosci = 1 << 16;

// The worked-out quantities live as long as one reading, also when it fails.
struct TZwolnienieIlosci
{
    QHash<QString, QString>& Ilosci;
    ~TZwolnienieIlosci() { Ilosci = QHash<QString, QString>(); }
};

} // namespace

void TKosztorysRds7::Wczytaj()
{
    const TZwolnienieIlosci zwolnienie{FObliczoneIlosci};
    TKosztorysRds::Wczytaj();
}

void TKosztorysRds7::CzytajDane(const QByteArray& dane)
{
    const TZwolnienieIlosci zwolnienie{FObliczoneIlosci};
    TKosztorysRds::CzytajDane(dane);
}

void TKosztorysRds7::WczytajPozycje(TElementRds* element, QStringView naglowek, int indeksLinii)
{
    const bool aktywna = !naglowek.contains(QLatin1Char('-'));
    TZebraneDane& dane = FZebrane;
    const int koniec = ZbierzBlok(indeksLinii, dane);
    double suma = 0.0;
    if (naglowek == u"[AGR]") {
        PrzejdzSkladniki(koniec, dane, [&suma](const TZebraneDane& s) {
            const double q = LiczbaZPrzecinkiem(ObliczIlosc(QStringView(s.Ilosc).toString())).value_or(1.0);
            if (const auto p = LiczbaZPrzecinkiem(s.Cena))
                suma = ZaokraglijDo2Powtarzane(suma + ZaokraglijDo2Powtarzane(q * *p));
        });
    } else if (dane.CzyAgrId) {
        return; // a component: its aggregate holds it
    }

    // Without a quantity line the quantity stays empty. A plain number (most quantities) is kept as
    // written, without a copy; only the others go to the interpreter.
    QString obliczonaIlosc;
    QStringView ilosc;
    if (dane.CzyIlosc) {
        ilosc = QStringView(dane.Ilosc).trimmed();
        if (!CzyLiczbaKanoniczna(ilosc)) {
            // Looked up by a view of the text: no copy unless it is new.
            const auto it = FObliczoneIlosci.constFind(Tekst(dane.Ilosc));
            if (it != FObliczoneIlosci.constEnd()) {
                obliczonaIlosc = *it;
            } else {
                obliczonaIlosc = ObliczIlosc(QStringView(dane.Ilosc).toString());
                if (FObliczoneIlosci.size() < MaksObliczonychIlosci)
                    FObliczoneIlosci.insert(QStringView(dane.Ilosc).toString(), obliczonaIlosc);
            }
            ilosc = obliczonaIlosc;
        }
    }
    QString obliczonaCena;
    QStringView cena = dane.Cena;
    if (suma != 0.0) {
        // The quantity as written divides the sum; 0 leaves the price as the file gives it.
        const double q = LiczbaZPrzecinkiem(dane.Ilosc).value_or(1.0);
        if (q != 0.0 && std::isfinite(ZaokraglijDo2Powtarzane(suma / q)))
            cena = obliczonaCena = TekstZLiczbyKosztorysu(ZaokraglijDo2Powtarzane(suma / q));
    }
    UtworzPozycje(element, dane, ilosc, cena, aktywna);
}

QString TKosztorysRds7::DekodujPlik(const QByteArray& dane) const
{
    // Stateless: a sequence cut off at the end of the file is an error too, not a character to come.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString tekst = utf8.decode(dane);
    if (!utf8.hasError())
        return tekst;
    return TKosztorysRds::DekodujPlik(dane);
}

void TKosztorysRds7::DopiszLinie(QByteArray& wynik, QStringView linia) const
{
    const qsizetype poczatek = wynik.size();
    wynik.resize(poczatek + 3 * linia.size() + 2);
    auto* cel = reinterpret_cast<unsigned char*>(wynik.data() + poczatek);
    const qsizetype n = linia.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t kod = linia[i].unicode();
        if (QChar::isHighSurrogate(kod) && i + 1 < n && linia[i + 1].isLowSurrogate()) {
            kod = QChar::surrogateToUcs4(static_cast<char16_t>(kod), linia[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(kod)) {
            kod = 0xFFFD; // a lone half of a pair has no UTF-8 form
        }
        if (kod < 0x80) {
            *cel++ = static_cast<unsigned char>(kod);
        } else if (kod < 0x800) {
            *cel++ = static_cast<unsigned char>(0xC0 | (kod >> 6));
            *cel++ = static_cast<unsigned char>(0x80 | (kod & 0x3F));
        } else if (kod < 0x10000) {
            *cel++ = static_cast<unsigned char>(0xE0 | (kod >> 12));
            *cel++ = static_cast<unsigned char>(0x80 | ((kod >> 6) & 0x3F));
            *cel++ = static_cast<unsigned char>(0x80 | (kod & 0x3F));
        } else {
            *cel++ = static_cast<unsigned char>(0xF0 | (kod >> 18));
            *cel++ = static_cast<unsigned char>(0x80 | ((kod >> 12) & 0x3F));
            *cel++ = static_cast<unsigned char>(0x80 | ((kod >> 6) & 0x3F));
            *cel++ = static_cast<unsigned char>(0x80 | (kod & 0x3F));
        }
    }
    *cel++ = '\r';
    *cel++ = '\n';
    wynik.resize(reinterpret_cast<char*>(cel) - wynik.data());
}
