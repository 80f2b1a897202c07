#include "specs/CenaJednXml.h"

#include "app/Liczby.h"
#include "app/Xml.h"
#include "prices/CenaJedn.h"
#include "specs/CzytnikAtrybutow.h"
#include "specs/StrumienXml.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
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
    // Up to 15 digits make an integer that a double holds exactly, and a power of ten up to 10^22 is exact
    // too, so one division rounds correctly: the value from_chars would give, without its general parse.
    if (cyfr <= 15) {
        std::int64_t calosc = 0;
        int poPrzecinku = -1;
        for (std::size_t i = 0; i < n; ++i) {
            if (bufor[i] == '.')
                poPrzecinku = 0;
            else if (bufor[i] != '-') {
                calosc = calosc * 10 + (bufor[i] - '0');
                if (poPrzecinku >= 0)
                    ++poPrzecinku;
            }
        }
        static constexpr double Potegi[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const double wartosc = static_cast<double>(calosc) / Potegi[std::max(poPrzecinku, 0)];
        wynik = bufor[0] == '-' ? -wartosc : wartosc;
        return true;
    }
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
    if (!a)
        return false;
    if (const std::optional<bool> wprost = LogicznaWprost(a.value()))
        return *wprost;
    return TekstNaLogiczna(QString::fromUtf8(a.value())).value_or(false);
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
    char bufor[64];
    LiczbaXml(wartosc, bufor);
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

void ZapiszZrodlo(TStrumienXml& xml, const TCenaInfCen& zrodlo)
{
    xml.Otworz("cenaInfCen");
    xml.Atrybut("nazwaInfCen", zrodlo.GetNazwaInfCen());
    xml.Atrybut("infCenPath", zrodlo.GetInfCenPath());
    xml.Atrybut("wydanie", zrodlo.GetWydanie());
    xml.Atrybut("symbol", zrodlo.GetSymbol());
    xml.Atrybut("kolumna", zrodlo.GetKolumna());
    xml.AtrybutLiczba("wspolcz", zrodlo.GetWspolcz());
    xml.AtrybutLiczba("obliczone", zrodlo.GetObliczone());
    for (const auto& cena : zrodlo.GetCenyPozycji()) {
        xml.Otworz("cena");
        xml.Atrybut("nazwa", cena->GetNazwa());
        xml.AtrybutLiczba("wartosc", cena->GetWartosc());
        xml.Zamknij();
    }
    xml.Zamknij();
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

void ZapiszCeneJedn(TStrumienXml& xml, const TCenaJedn& cena)
{
    xml.Otworz("cenaJedn");
    xml.Atrybut("zrodlo", NazwaZrodla(cena.GetZrodloCenyJedn()));
    xml.Atrybut("data", cena.GetData());
    xml.AtrybutLiczba("cena", cena.GetCena());
    xml.AtrybutLiczba("wspolczynnik", cena.GetWspolczynnik());
    xml.AtrybutLiczba("cenaZReki", cena.GetCenaZReki());
    xml.AtrybutLiczba("wartosc", cena.GetWartosc());
    xml.AtrybutLiczba("rj", cena.GetRj());
    xml.AtrybutLiczba("rjwspolcz", cena.GetRjWspolcz());
    xml.AtrybutLiczba("rjobliczone", cena.GetRjObliczone());
    xml.AtrybutLiczba("mj", cena.GetMj());
    xml.AtrybutLiczba("mjwspolcz", cena.GetMjWspolcz());
    xml.AtrybutLiczba("mjobliczone", cena.GetMjObliczone());
    xml.AtrybutLiczba("sj", cena.GetSj());
    xml.AtrybutLiczba("sjwspolcz", cena.GetSjWspolcz());
    xml.AtrybutLiczba("sjobliczone", cena.GetSjObliczone());
    xml.AtrybutLiczba("sumaRMSj", cena.GetSumaRMSj());
    xml.AtrybutLiczba("sumaRMSjwspolcz", cena.GetSumaRMSjWspolcz());
    xml.AtrybutLiczba("sumaRMSjobliczone", cena.GetSumaRMSjObliczone());
    char wybrany[16];
    *std::to_chars(wybrany, wybrany + sizeof wybrany - 1, cena.GetWybranyInfCen()).ptr = '\0';
    xml.Atrybut("wybranyInfCen", wybrany);
    xml.AtrybutLiczba("oplata", cena.GetOplata());
    xml.Atrybut("czyOplataR", cena.GetCzyOplataR());
    xml.Atrybut("czyOplataM", cena.GetCzyOplataM());
    xml.Atrybut("czyOplataS", cena.GetCzyOplataS());
    for (int numer = 1; numer <= 3; ++numer)
        ZapiszZrodlo(xml, *cena.GetInfCen(numer));
    xml.Zamknij();
}

void WczytajCeneJedn(const pugi::xml_node& jednostka, TCenaJedn& cena, const TUstawieniaCen& ustawienia)
{
    // The older form: the hand price alone, as an attribute of the unit.
    if (const pugi::xml_attribute stara = jednostka.attribute("cenaJedn")) {
        // The hand price's setter recalculates: the settings come first.
        cena.SetUstawienia(ustawienia);
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
    if (!e) {
        cena.SetUstawienia(ustawienia);
        return;
    }
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
    // Restoring computes nothing: the price is computed here once, from what was read, with the settings
    // (taking different settings computes it).
    if (cena.GetUstawienia() == ustawienia)
        cena.Oblicz();
    else
        cena.SetUstawienia(ustawienia);
}
