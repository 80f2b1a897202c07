#include "specs/CenaJednXml.h"

#include "app/Liczby.h"
#include "app/Xml.h"
#include "prices/CenaJedn.h"
#include "specs/CzytnikAtrybutow.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

namespace {

const char* NazwaZrodla(std::uint8_t zrodlo)
{
    switch (zrodlo) {
    case TCenaJedn::ZrodloRMSj:
        return "RMSj";
    case TCenaJedn::ZrodloInfCen:
        return "InfCen";
    default:
        return "zReki";
    }
}

std::uint8_t ZrodloZNazwy(const pugi::xml_attribute& a)
{
    if (std::strcmp(a.value(), "RMSj") == 0)
        return TCenaJedn::ZrodloRMSj;
    if (std::strcmp(a.value(), "InfCen") == 0)
        return TCenaJedn::ZrodloInfCen;
    return TCenaJedn::ZrodloZReki;
}

// A plain decimal ("12", "-3,5", "0.25"), the form nearly every stored number has, read without the
// general reader; any other text goes through XmlNaLiczbe, which gives the same value for these.
bool ProstaLiczba(const char* tekst, double& wynik)
{
    const std::size_t dlugosc = std::strlen(tekst);
    if (dlugosc == 0 || dlugosc > 30)
        return false;
    char bufor[32];
    std::size_t n = 0;
    int cyfr = 0;
    int separatorow = 0;
    for (std::size_t i = 0; i < dlugosc; ++i) {
        const char z = tekst[i];
        if (z >= '0' && z <= '9') {
            ++cyfr;
            bufor[n++] = z;
        } else if (z == '.' || z == ',') {
            ++separatorow;
            bufor[n++] = '.';
        } else if (z == '-' && i == 0) {
            bufor[n++] = z;
        } else if (z != '+' || i != 0) {
            return false;
        }
    }
    if (cyfr == 0 || separatorow > 1)
        return false;
    // Correctly rounded, as strtod is.
    return std::from_chars(bufor, bufor + n, wynik).ec == std::errc();
}

// A plain integer, likewise.
int Calkowita(const pugi::xml_attribute& a, int domyslna)
{
    if (!a)
        return domyslna;
    const char* tekst = a.value();
    const std::size_t dlugosc = std::strlen(tekst);
    int wynik = 0;
    const auto r = std::from_chars(tekst, tekst + dlugosc, wynik);
    if (dlugosc > 0 && r.ec == std::errc() && r.ptr == tekst + dlugosc)
        return wynik;
    return XmlNaCalkowita(QString::fromUtf8(tekst), domyslna);
}

double LiczbaAtrybutu(const pugi::xml_attribute& a, double domyslna)
{
    double wynik = 0.0;
    if (ProstaLiczba(a.value(), wynik))
        return wynik;
    return XmlNaLiczbe(QString::fromUtf8(a.value()), domyslna);
}

double Liczba(const pugi::xml_attribute& a, double domyslna)
{
    return a ? LiczbaAtrybutu(a, domyslna) : domyslna;
}

// Booleans of the price fall back to false also when unreadable.
bool Logiczna(const pugi::xml_attribute& a)
{
    return a && TekstNaLogiczna(QString::fromUtf8(a.value())).value_or(false);
}

// The attributes of "cenaJedn" and "cenaInfCen" in writing order.
enum {
    Zrodlo,
    Data,
    Cena,
    Wspolczynnik,
    CenaZReki,
    Wartosc,
    Rj,
    RjWspolcz,
    RjObliczone,
    Mj,
    MjWspolcz,
    MjObliczone,
    Sj,
    SjWspolcz,
    SjObliczone,
    SumaRMSj,
    SumaRMSjWspolcz,
    SumaRMSjObliczone,
    WybranyInfCen,
    Oplata,
    CzyOplataR,
    CzyOplataM,
    CzyOplataS
};
constexpr const char* AtrybutyCeny[] = {"zrodlo",
                                        "data",
                                        "cena",
                                        "wspolczynnik",
                                        "cenaZReki",
                                        "wartosc",
                                        "rj",
                                        "rjwspolcz",
                                        "rjobliczone",
                                        "mj",
                                        "mjwspolcz",
                                        "mjobliczone",
                                        "sj",
                                        "sjwspolcz",
                                        "sjobliczone",
                                        "sumaRMSj",
                                        "sumaRMSjwspolcz",
                                        "sumaRMSjobliczone",
                                        "wybranyInfCen",
                                        "oplata",
                                        "czyOplataR",
                                        "czyOplataM",
                                        "czyOplataS"};
enum { NazwaInfCen, InfCenPath, Wydanie, Symbol, Kolumna, Wspolcz, Obliczone };
constexpr const char* AtrybutyZrodla[] = {"nazwaInfCen", "infCenPath", "wydanie",  "symbol",
                                          "kolumna",     "wspolcz",    "obliczone"};
enum { NazwaCeny, WartoscCeny };
constexpr const char* AtrybutyPozycji[] = {"nazwa", "wartosc"};

} // namespace

void UstawLiczbeXml(pugi::xml_node& e, const char* nazwa, double wartosc)
{
    if (wartosc == 0.0) {
        e.append_attribute(nazwa) = "0"; // also for -0
        return;
    }
    // to_chars with a precision is printf's "%.15g".
    char bufor[64];
    const auto wynik = std::to_chars(bufor, bufor + sizeof bufor - 1, wartosc, std::chars_format::general, 15);
    *wynik.ptr = '\0';
    for (char* z = bufor; z != wynik.ptr; ++z)
        if (*z == '.')
            *z = ',';
    e.append_attribute(nazwa) = bufor;
}

void UstawTekstXml(pugi::xml_node& e, const char* nazwa, const QString& wartosc)
{
    if (wartosc.isEmpty())
        e.append_attribute(nazwa) = "";
    else
        e.append_attribute(nazwa) = wartosc.toUtf8().constData();
}

namespace {

void ZapiszZrodlo(pugi::xml_node& cenaJedn, const TCenaInfCen& zrodlo)
{
    pugi::xml_node e = cenaJedn.append_child("cenaInfCen");
    UstawTekstXml(e, "nazwaInfCen", zrodlo.GetNazwaInfCen());
    UstawTekstXml(e, "infCenPath", zrodlo.GetInfCenPath());
    UstawTekstXml(e, "wydanie", zrodlo.GetWydanie());
    UstawTekstXml(e, "symbol", zrodlo.GetSymbol());
    UstawTekstXml(e, "kolumna", zrodlo.GetKolumna());
    UstawLiczbeXml(e, "wspolcz", zrodlo.GetWspolcz());
    UstawLiczbeXml(e, "obliczone", zrodlo.GetObliczone());
    for (const auto& cena : zrodlo.GetCenyPozycji()) {
        pugi::xml_node c = e.append_child("cena");
        UstawTekstXml(c, "nazwa", cena->GetNazwa());
        UstawLiczbeXml(c, "wartosc", cena->GetWartosc());
    }
}

void WczytajZrodlo(const pugi::xml_node& e, TCenaInfCen& zrodlo)
{
    std::vector<TCena> ceny;
    for (pugi::xml_node c = e.child("cena"); c; c = c.next_sibling("cena")) {
        const auto a = AtrybutyWedlugNazw(c, AtrybutyPozycji);
        ceny.emplace_back(XmlNaTekst(a[NazwaCeny]), Liczba(a[WartoscCeny], 0.0));
    }
    const auto a = AtrybutyWedlugNazw(e, AtrybutyZrodla);
    zrodlo.UstawInfCen(XmlNaTekst(a[NazwaInfCen]), XmlNaTekst(a[InfCenPath]), XmlNaTekst(a[Wydanie]),
                       XmlNaTekst(a[Symbol]), XmlNaTekst(a[Kolumna]), Liczba(a[Wspolcz], 0.0),
                       Liczba(a[Obliczone], 0.0), ceny);
}

} // namespace

void ZapiszCeneJedn(pugi::xml_node& jednostka, const TCenaJedn& cena)
{
    pugi::xml_node e = jednostka.append_child("cenaJedn");
    e.append_attribute("zrodlo") = NazwaZrodla(cena.GetZrodloCenyJedn());
    UstawTekstXml(e, "data", cena.GetData());
    UstawLiczbeXml(e, "cena", cena.GetCena());
    UstawLiczbeXml(e, "wspolczynnik", cena.GetWspolczynnik());
    UstawLiczbeXml(e, "cenaZReki", cena.GetCenaZReki());
    UstawLiczbeXml(e, "wartosc", cena.GetWartosc());
    UstawLiczbeXml(e, "rj", cena.GetRj());
    UstawLiczbeXml(e, "rjwspolcz", cena.GetRjWspolcz());
    UstawLiczbeXml(e, "rjobliczone", cena.GetRjObliczone());
    UstawLiczbeXml(e, "mj", cena.GetMj());
    UstawLiczbeXml(e, "mjwspolcz", cena.GetMjWspolcz());
    UstawLiczbeXml(e, "mjobliczone", cena.GetMjObliczone());
    UstawLiczbeXml(e, "sj", cena.GetSj());
    UstawLiczbeXml(e, "sjwspolcz", cena.GetSjWspolcz());
    UstawLiczbeXml(e, "sjobliczone", cena.GetSjObliczone());
    UstawLiczbeXml(e, "sumaRMSj", cena.GetSumaRMSj());
    UstawLiczbeXml(e, "sumaRMSjwspolcz", cena.GetSumaRMSjWspolcz());
    UstawLiczbeXml(e, "sumaRMSjobliczone", cena.GetSumaRMSjObliczone());
    UstawAtrybut(e, "wybranyInfCen", cena.GetWybranyInfCen());
    UstawLiczbeXml(e, "oplata", cena.GetOplata());
    UstawAtrybut(e, "czyOplataR", cena.GetCzyOplataR());
    UstawAtrybut(e, "czyOplataM", cena.GetCzyOplataM());
    UstawAtrybut(e, "czyOplataS", cena.GetCzyOplataS());
    for (int numer = 1; numer <= 3; ++numer)
        ZapiszZrodlo(e, *cena.GetInfCen(numer));
}

void WczytajCeneJedn(const pugi::xml_node& jednostka, TCenaJedn& cena)
{
    // The older form: the hand price alone, as an attribute of the unit.
    if (const pugi::xml_attribute stara = jednostka.attribute("cenaJedn")) {
        double wartosc = 0.0;
        if (ProstaLiczba(stara.value(), wartosc)) {
            cena.SetCena(wartosc);
            return;
        }
        if (const auto liczba = TekstNaLiczbeDowolnySeparator(QString::fromUtf8(stara.value()))) {
            cena.SetCena(*liczba);
            return;
        }
    }
    const pugi::xml_node e = jednostka.child("cenaJedn");
    if (!e)
        return;
    const auto a = AtrybutyWedlugNazw(e, AtrybutyCeny);
    cena.UstawDate(XmlNaTekst(a[Data]));
    cena.UstawCeneZReki(a[Zrodlo] ? ZrodloZNazwy(a[Zrodlo]) : TCenaJedn::ZrodloZReki, Liczba(a[Cena], 0.0),
                        Liczba(a[Wspolczynnik], 0.0), Liczba(a[Wartosc], 0.0), Liczba(a[CenaZReki], 0.0));
    cena.UstawCeneRms(Liczba(a[Rj], 0.0), Liczba(a[Mj], 0.0), Liczba(a[Sj], 0.0), Liczba(a[RjWspolcz], 1.0),
                      Liczba(a[MjWspolcz], 1.0), Liczba(a[SjWspolcz], 1.0), Liczba(a[RjObliczone], 0.0),
                      Liczba(a[MjObliczone], 0.0), Liczba(a[SjObliczone], 0.0), Liczba(a[SumaRMSj], 0.0),
                      Liczba(a[SumaRMSjWspolcz], 1.0), Liczba(a[SumaRMSjObliczone], 0.0));
    cena.UstawWybranyInfCen(Calkowita(a[WybranyInfCen], 0));
    cena.UstawOplata(Logiczna(a[CzyOplataR]), Logiczna(a[CzyOplataM]), Logiczna(a[CzyOplataS]), Liczba(a[Oplata], 0.0));
    // The sources are the first three child elements, whatever their names.
    int numer = 1;
    for (pugi::xml_node zrodloInf = e.first_child(); zrodloInf && numer <= 3; zrodloInf = zrodloInf.next_sibling()) {
        if (zrodloInf.type() != pugi::node_element)
            continue;
        WczytajZrodlo(zrodloInf, *cena.GetInfCen(numer));
        ++numer;
    }
    cena.Oblicz();
}
