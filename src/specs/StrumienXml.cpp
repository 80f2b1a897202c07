#include "specs/StrumienXml.h"

#include <algorithm>
#include <charconv>
#include <cstring>

int LiczbaXml(double wartosc, char (&bufor)[64])
{
    if (wartosc == 0.0) {
        bufor[0] = '0';
        bufor[1] = '\0';
        return 1;
    }
    // to_chars with a precision is printf's "%.15g".
    const auto wynik = std::to_chars(bufor, bufor + sizeof bufor - 1, wartosc, std::chars_format::general, 15);
    *wynik.ptr = '\0';
    for (char* z = bufor; z != wynik.ptr; ++z)
        if (*z == '.')
            *z = ',';
    return static_cast<int>(wynik.ptr - bufor);
}

TStrumienXml::TStrumienXml(qsizetype okolo)
{
    FBajty.resize(std::max<qsizetype>(okolo, 4096));
    FKoniec = FBajty.data();
    FKoniecMiejsca = FKoniec + FBajty.size();
    FOtwarte.reserve(16);
    static constexpr char Deklaracja[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    Dopisz(Deklaracja, sizeof Deklaracja - 1);
}

namespace {

constexpr qsizetype Blok = 1 << 20;

} // namespace

TStrumienXml::TStrumienXml(TUjscie ujscie) : TStrumienXml(Blok + Blok / 4)
{
    FUjscie = std::move(ujscie);
}

void TStrumienXml::Powieksz(qsizetype ile)
{
    if (FUjscie && ile <= Blok) {
        const qsizetype zapisane = FKoniec - FBajty.data();
        FUjscie(FBajty.constData(), zapisane);
        FOddane += zapisane;
        FKoniec = FBajty.data();
        if (FKoniecMiejsca - FKoniec >= ile)
            return;
    }
    const qsizetype zapisane = FKoniec - FBajty.data();
    FBajty.resize(std::max(2 * FBajty.size(), zapisane + ile));
    FKoniec = FBajty.data() + zapisane;
    FKoniecMiejsca = FBajty.data() + FBajty.size();
}

void TStrumienXml::Wciecie()
{
    static constexpr char Spacje[] = "                                                                ";
    qsizetype ile = 2 * static_cast<qsizetype>(FOtwarte.size());
    while (ile > 0) {
        const qsizetype kawalek = std::min<qsizetype>(ile, sizeof Spacje - 1);
        Dopisz(Spacje, kawalek);
        ile -= kawalek;
    }
}

void TStrumienXml::Otworz(const char* nazwa)
{
    if (FNiedomkniety)
        Dopisz(">\n", 2);
    Wciecie();
    Dopisz('<');
    DopiszNazwe(nazwa);
    FOtwarte.push_back(nazwa);
    FNiedomkniety = true;
}

void TStrumienXml::Zamknij()
{
    const char* nazwa = FOtwarte.back();
    FOtwarte.pop_back();
    if (FNiedomkniety) {
        Dopisz(" />\n", 4);
        FNiedomkniety = false;
        return;
    }
    Wciecie();
    Dopisz("</", 2);
    DopiszNazwe(nazwa);
    Dopisz(">\n", 2);
}

void TStrumienXml::DopiszEscape(const char* utf8, qsizetype dlugosc)
{
    // pugixml escapes in attribute values the control characters (as "&#NN;"), '"', '&' and '<'.
    const char* poczatek = utf8;
    const char* koniec = utf8 + dlugosc;
    for (const char* z = utf8; z != koniec; ++z) {
        const auto c = static_cast<unsigned char>(*z);
        if (c >= 32 && c != '"' && c != '&' && c != '<')
            continue;
        Dopisz(poczatek, z - poczatek);
        poczatek = z + 1;
        switch (c) {
        case '"':
            Dopisz("&quot;", 6);
            break;
        case '&':
            Dopisz("&amp;", 5);
            break;
        case '<':
            Dopisz("&lt;", 4);
            break;
        default: {
            const char kod[] = {'&', '#', static_cast<char>('0' + c / 10), static_cast<char>('0' + c % 10), ';'};
            Dopisz(kod, sizeof kod);
            break;
        }
        }
    }
    Dopisz(poczatek, koniec - poczatek);
}

void TStrumienXml::Atrybut(const char* nazwa, const char* utf8)
{
    Dopisz(' ');
    DopiszNazwe(nazwa);
    Dopisz("=\"", 2);
    DopiszEscape(utf8, static_cast<qsizetype>(std::strlen(utf8)));
    Dopisz('"');
}

void TStrumienXml::Atrybut(const char* nazwa, const QString& wartosc)
{
    // Most texts of a list are short and mostly ASCII: encoded here into a buffer on the stack, without an
    // allocation. A lone surrogate goes through Qt's encoder, which decides what it becomes.
    char bufor[512];
    qsizetype n = 0;
    bool przezQt = wartosc.size() * 3 > static_cast<qsizetype>(sizeof bufor);
    const char16_t* z = reinterpret_cast<const char16_t*>(wartosc.constData());
    const char16_t* koniec = z + wartosc.size();
    for (; z != koniec && !przezQt; ++z) {
        const char16_t u = *z;
        if (u == 0)
            break;
        if (u < 0x80) {
            bufor[n++] = static_cast<char>(u);
        } else if (u < 0x800) {
            bufor[n++] = static_cast<char>(0xC0 | (u >> 6));
            bufor[n++] = static_cast<char>(0x80 | (u & 0x3F));
        } else if (u < 0xD800 || u > 0xDFFF) {
            bufor[n++] = static_cast<char>(0xE0 | (u >> 12));
            bufor[n++] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            bufor[n++] = static_cast<char>(0x80 | (u & 0x3F));
        } else {
            przezQt = true;
        }
    }
    Dopisz(' ');
    DopiszNazwe(nazwa);
    Dopisz("=\"", 2);
    if (przezQt) {
        const QByteArray utf8 = wartosc.toUtf8();
        DopiszEscape(utf8.constData(), static_cast<qsizetype>(std::strlen(utf8.constData())));
    } else {
        DopiszEscape(bufor, n);
    }
    Dopisz('"');
}

void TStrumienXml::AtrybutLiczba(const char* nazwa, double wartosc)
{
    char bufor[64];
    LiczbaXml(wartosc, bufor);
    Atrybut(nazwa, bufor);
}

qint64 TStrumienXml::Dokoncz()
{
    const qsizetype zapisane = FKoniec - FBajty.data();
    if (zapisane > 0)
        FUjscie(FBajty.constData(), zapisane);
    FOddane += zapisane;
    FKoniec = FBajty.data();
    return FOddane;
}

QByteArray TStrumienXml::Wynik() &&
{
    FBajty.truncate(FKoniec - FBajty.data());
    FKoniec = FKoniecMiejsca = nullptr;
    return std::move(FBajty);
}
