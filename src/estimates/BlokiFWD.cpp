#include "estimates/BlokiFWD.h"

#include <QStringBuilder>

#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace {

template <typename T> struct TPole
{
    QLatin1StringView Nazwa; // lower case
    QString T::*Wskaznik;
};

// The key names the field, letter case ignored. Keys are ASCII in practice and are compared without
// Qt's case folding; any other key goes through it.
bool CzyKlucz(QStringView klucz, QLatin1StringView nazwa)
{
    if (klucz.size() != nazwa.size())
        return false;
    for (qsizetype i = 0; i < klucz.size(); ++i) {
        char16_t z = klucz[i].unicode();
        if (z >= 0x80)
            return klucz.compare(nazwa, Qt::CaseInsensitive) == 0;
        if (z >= u'A' && z <= u'Z')
            z = static_cast<char16_t>(z + (u'a' - u'A'));
        if (z != static_cast<unsigned char>(nazwa.at(i).toLatin1()))
            return false;
    }
    return true;
}

// The fields of a table by the length of their names, each list in the table's order.
template <typename T, size_t N> const std::vector<const TPole<T>*>& PolaDlugosci(const TPole<T> (&pola)[N], qsizetype n)
{
    static const std::array<std::vector<const TPole<T>*>, 32> poDlugosci = [&pola] {
        std::array<std::vector<const TPole<T>*>, 32> wynik;
        for (const TPole<T>& p : pola)
            wynik[static_cast<size_t>(p.Nazwa.size())].push_back(&p);
        return wynik;
    }();
    static const std::vector<const TPole<T>*> zadne;
    return n >= 0 && n < static_cast<qsizetype>(poDlugosci.size()) ? poDlugosci[static_cast<size_t>(n)] : zadne;
}

// The key is the (lower-case, ASCII) name letter for letter, ASCII upper case taken as lower; nothing when
// the key has another character before the first difference.
std::optional<bool> CzyKluczAscii(QStringView klucz, QLatin1StringView nazwa)
{
    for (qsizetype i = 0; i < klucz.size(); ++i) {
        char16_t z = klucz[i].unicode();
        if (z >= 0x80)
            return std::nullopt;
        if (z >= u'A' && z <= u'Z')
            z = static_cast<char16_t>(z + (u'a' - u'A'));
        if (z != static_cast<unsigned char>(nazwa.data()[i]))
            return false;
    }
    return true;
}

template <typename T, size_t N> QString* ZnajdzPole(T& obiekt, const TPole<T> (&pola)[N], QStringView klucz)
{
    // Only the one or two names of the key's length are compared (CzyKlucz answers false for the others);
    // a key with a character beyond ASCII is compared with all of them, as CzyKlucz does.
    bool ascii = true;
    for (const TPole<T>* p : PolaDlugosci(pola, klucz.size())) {
        const std::optional<bool> rowny = CzyKluczAscii(klucz, p->Nazwa);
        ascii = rowny.has_value();
        if (!ascii)
            break;
        if (*rowny)
            return &(obiekt.*p->Wskaznik);
    }
    if (ascii)
        return nullptr;
    for (const TPole<T>& p : pola)
        if (klucz.size() == p.Nazwa.size() && CzyKlucz(klucz, p.Nazwa))
            return &(obiekt.*p.Wskaznik);
    return nullptr;
}

// Empties a field; a buffer of its own is kept for the next value, a shared one is let go.
void Oproznij(QString& pole)
{
    if (pole.isDetached()) {
        if (!pole.isEmpty())
            pole.resize(0);
    } else
        pole = QString();
}

template <typename T, size_t N> void WyczyscPola(T& obiekt, const TPole<T> (&pola)[N])
{
    for (const TPole<T>& p : pola)
        Oproznij(obiekt.*p.Wskaznik);
}

// The value into the field, in the field's own buffer when it has one large enough.
void Przypisz(QString& pole, QStringView z)
{
    if (pole.isDetached() && pole.capacity() >= z.size()) {
        pole.resize(z.size());
        if (!z.isEmpty())
            std::memcpy(pole.data(), z.data(), static_cast<size_t>(z.size()) * sizeof(QChar));
    } else {
        pole = z.toString();
    }
}

// Each line goes in with one append: large copies write a million of them.
void Linia(QString& cel, QLatin1StringView klucz, const QString& wartosc)
{
    cel += klucz % wartosc % QLatin1String("\r\n");
}

void LiniaNiepusta(QString& cel, QLatin1StringView klucz, const QString& wartosc)
{
    if (!wartosc.isEmpty())
        Linia(cel, klucz, wartosc);
}

void LiniaDomyslna(QString& cel, QLatin1StringView klucz, const QString& wartosc, QLatin1StringView domyslna)
{
    if (wartosc.isEmpty())
        cel += klucz % domyslna % QLatin1String("\r\n");
    else
        Linia(cel, klucz, wartosc);
}

void Sekcja(QString& cel, QLatin1StringView naglowek)
{
    cel += naglowek % QLatin1String("\r\n");
}

// Copies are always written in Windows-1250, so a copy's header must not name another code page.
QString StronaKodowaKopii(const QString& wartosc)
{
    if (wartosc.contains(QLatin1String("1250")))
        return wartosc;
    return QStringLiteral("Windows-1250");
}

using N = TFWDNaglowek;
const TPole<N> PolaNaglowka[] = {
    {QLatin1StringView("wersja_fwd"), &N::wersja_FWD},
    {QLatin1StringView("program"), &N::program_},
    {QLatin1StringView("wersja_programu"), &N::wersja_programu},
    {QLatin1StringView("strona_kodowa"), &N::strona_kodowa},
};

using S = TFWDStronaTytulowa;
const TPole<S> PolaStronyTytulowej[] = {
    {QLatin1StringView("rodzaj_kosztorysu"), &S::rodzaj_kosztorysu},
    {QLatin1StringView("opis_roboty"), &S::opis_roboty},
    {QLatin1StringView("adres_budowy"), &S::adres_budowy},
    {QLatin1StringView("nazwa_inwestora"), &S::nazwa_inwestora},
    {QLatin1StringView("adres_inwestora"), &S::adres_inwestora},
    {QLatin1StringView("nazwa_wykonawcy"), &S::nazwa_wykonawcy},
    {QLatin1StringView("adres_wykonawcy"), &S::adres_wykonawcy},
    {QLatin1StringView("opracowal"), &S::opracowal},
    {QLatin1StringView("sprawdzil"), &S::sprawdzil},
    {QLatin1StringView("data_opracowania"), &S::data_opracowania},
    {QLatin1StringView("poziom_cen"), &S::poziom_cen},
    {QLatin1StringView("wartosc_netto"), &S::wartosc_netto},
    {QLatin1StringView("stawka_vat"), &S::stawka_VAT},
    {QLatin1StringView("wartosc_brutto"), &S::wartosc_brutto},
};

using L = TFWDPoziomStruktury;
const TPole<L> PolaPoziomu[] = {
    {QLatin1StringView("poziom"), &L::poziom},         {QLatin1StringView("lp"), &L::lp},
    {QLatin1StringView("rodzaj"), &L::rodzaj},         {QLatin1StringView("opis"), &L::opis},
    {QLatin1StringView("spec_techn"), &L::spec_techn},
};

// The most frequent keys first.
using P = TFWDPozycja;
const TPole<P> PolaPozycji[] = {
    {QLatin1StringView("opis"), &P::opis},
    {QLatin1StringView("jm"), &P::jm},
    {QLatin1StringView("ilosc"), &P::ilosc},
    {QLatin1StringView("cena"), &P::cena},
    {QLatin1StringView("wartosc"), &P::wartosc},
    {QLatin1StringView("lp"), &P::lp},
    {QLatin1StringView("typ"), &P::typ},
    {QLatin1StringView("spec_techn"), &P::spec_techn},
    {QLatin1StringView("katalog_rodzaj"), &P::katalog_rodzaj},
    {QLatin1StringView("katalog_symbol"), &P::katalog_symbol},
    {QLatin1StringView("katalog_wydawca"), &P::katalog_wydawca},
    {QLatin1StringView("katalog_wydanie"), &P::katalog_wydanie},
    {QLatin1StringView("opis_podstawy"), &P::opis_podstawy},
    {QLatin1StringView("uwagi"), &P::uwagi},
    {QLatin1StringView("precyzja"), &P::precyzja},
    {QLatin1StringView("rj"), &P::rj},
    {QLatin1StringView("mj"), &P::mj},
    {QLatin1StringView("sj"), &P::sj},
};

using M = TFWDPrzedmiar;
const TPole<M> PolaPrzedmiaru[] = {
    {QLatin1StringView("typ"), &M::typ},
    {QLatin1StringView("wyrazenie"), &M::wyrazenie},
    {QLatin1StringView("wynik"), &M::wynik},
    {QLatin1StringView("komentarz"), &M::komentarz},
};

} // namespace

TFWDSekcja::~TFWDSekcja() = default;

void TFWDSekcja::UstawPole(QStringView klucz, QStringView tekst, QStringView)
{
    if (QString* pole = Pole(klucz))
        Przypisz(*pole, tekst);
}

QString* TFWDNaglowek::Pole(QStringView klucz)
{
    return ZnajdzPole(*this, PolaNaglowka, klucz);
}

void TFWDNaglowek::Wyczysc()
{
    WyczyscPola(*this, PolaNaglowka);
}

void TFWDNaglowek::Zapisz(QString& cel) const
{
    Sekcja(cel, QLatin1StringView("[KOSZTORYS FWD]"));
    Linia(cel, QLatin1StringView("wersja_FWD="), QStringLiteral("1.0"));
    Linia(cel, QLatin1StringView("program="), program_);
    Linia(cel, QLatin1StringView("wersja_programu="), wersja_programu);
    Linia(cel, QLatin1StringView("strona_kodowa="), StronaKodowaKopii(strona_kodowa));
    cel += QLatin1String("\r\n");
}

QString* TFWDStronaTytulowa::Pole(QStringView klucz)
{
    return ZnajdzPole(*this, PolaStronyTytulowej, klucz);
}

void TFWDStronaTytulowa::Wyczysc()
{
    WyczyscPola(*this, PolaStronyTytulowej);
}

void TFWDStronaTytulowa::Zapisz(QString& cel) const
{
    Sekcja(cel, QLatin1StringView("[STRONA TYTULOWA]"));
    Linia(cel, QLatin1StringView("rodzaj_kosztorysu="), rodzaj_kosztorysu);
    Linia(cel, QLatin1StringView("opis_roboty="), opis_roboty);
    LiniaNiepusta(cel, QLatin1StringView("adres_budowy="), adres_budowy);
    LiniaNiepusta(cel, QLatin1StringView("nazwa_inwestora="), nazwa_inwestora);
    LiniaNiepusta(cel, QLatin1StringView("adres_inwestora="), adres_inwestora);
    LiniaNiepusta(cel, QLatin1StringView("nazwa_wykonawcy="), nazwa_wykonawcy);
    LiniaNiepusta(cel, QLatin1StringView("adres_wykonawcy="), adres_wykonawcy);
    LiniaNiepusta(cel, QLatin1StringView("opracowal="), opracowal);
    LiniaNiepusta(cel, QLatin1StringView("sprawdzil="), sprawdzil);
    LiniaNiepusta(cel, QLatin1StringView("data_opracowania="), data_opracowania);
    LiniaNiepusta(cel, QLatin1StringView("poziom_cen="), poziom_cen);
    LiniaDomyslna(cel, QLatin1StringView("wartosc_netto="), wartosc_netto, QLatin1StringView("0"));
    LiniaNiepusta(cel, QLatin1StringView("stawka_VAT="), stawka_VAT);
    LiniaNiepusta(cel, QLatin1StringView("wartosc_brutto="), wartosc_brutto);
    cel += QLatin1String("\r\n");
}

QString* TFWDPoziomStruktury::Pole(QStringView klucz)
{
    return ZnajdzPole(*this, PolaPoziomu, klucz);
}

void TFWDPoziomStruktury::Wyczysc()
{
    WyczyscPola(*this, PolaPoziomu);
}

void TFWDPoziomStruktury::Zapisz(QString& cel) const
{
    Sekcja(cel, QLatin1StringView("[POZIOM STRUKTURY]"));
    LiniaDomyslna(cel, QLatin1StringView("poziom="), poziom, QLatin1StringView("1"));
    LiniaNiepusta(cel, QLatin1StringView("lp="), lp);
    LiniaNiepusta(cel, QLatin1StringView("rodzaj="), rodzaj);
    Linia(cel, QLatin1StringView("opis="), opis);
    LiniaNiepusta(cel, QLatin1StringView("spec_techn="), spec_techn);
    cel += QLatin1String("\r\n");
}

QString* TFWDPozycja::Pole(QStringView klucz)
{
    return ZnajdzPole(*this, PolaPozycji, klucz);
}

void TFWDPozycja::UstawPole(QStringView klucz, QStringView tekst, QStringView tekstKlucza)
{
    QString* pole = Pole(klucz);
    if (!pole)
        return;
    Przypisz(*pole, tekst);
    if (pole == &opis)
        Przypisz(opisKlucza, tekstKlucza);
    else if (pole == &jm)
        Przypisz(jmKlucza, tekstKlucza);
}

void TFWDPozycja::Wyczysc()
{
    WyczyscPola(*this, PolaPozycji);
    Oproznij(opisKlucza);
    Oproznij(jmKlucza);
}

void TFWDPozycja::Zapisz(QString& cel) const
{
    Sekcja(cel, QLatin1StringView("[POZYCJA]"));
    Linia(cel, QLatin1StringView("typ="), typ);
    LiniaNiepusta(cel, QLatin1StringView("lp="), lp);
    LiniaNiepusta(cel, QLatin1StringView("katalog_rodzaj="), katalog_rodzaj);
    LiniaNiepusta(cel, QLatin1StringView("katalog_symbol="), katalog_symbol);
    LiniaNiepusta(cel, QLatin1StringView("katalog_wydawca="), katalog_wydawca);
    LiniaNiepusta(cel, QLatin1StringView("katalog_wydanie="), katalog_wydanie);
    LiniaNiepusta(cel, QLatin1StringView("opis_podstawy="), opis_podstawy);
    Linia(cel, QLatin1StringView("opis="), opis);
    LiniaNiepusta(cel, QLatin1StringView("uwagi="), uwagi);
    LiniaDomyslna(cel, QLatin1StringView("precyzja="), precyzja, QLatin1StringView("2"));
    LiniaDomyslna(cel, QLatin1StringView("ilosc="), ilosc, QLatin1StringView("0"));
    Linia(cel, QLatin1StringView("jm="), jm);
    LiniaNiepusta(cel, QLatin1StringView("cena="), cena);
    LiniaDomyslna(cel, QLatin1StringView("wartosc="), wartosc, QLatin1StringView("0"));
    LiniaNiepusta(cel, QLatin1StringView("spec_techn="), spec_techn);
    LiniaNiepusta(cel, QLatin1StringView("rj="), rj);
    LiniaNiepusta(cel, QLatin1StringView("mj="), mj);
    LiniaNiepusta(cel, QLatin1StringView("sj="), sj);
    cel += QLatin1String("\r\n");
}

QString* TFWDPrzedmiar::Pole(QStringView klucz)
{
    return ZnajdzPole(*this, PolaPrzedmiaru, klucz);
}

void TFWDPrzedmiar::Wyczysc()
{
    WyczyscPola(*this, PolaPrzedmiaru);
}

void TFWDPrzedmiar::Zapisz(QString& cel) const
{
    Sekcja(cel, QLatin1StringView("[PRZEDMIAR]"));
    Linia(cel, QLatin1StringView("typ="), typ);
    Linia(cel, QLatin1StringView("wyrazenie="), wyrazenie);
    Linia(cel, QLatin1StringView("wynik="), wynik);
    LiniaNiepusta(cel, QLatin1StringView("komentarz="), komentarz);
    cel += QLatin1String("\r\n");
}
