#include "estimates/BlokiFWD.h"

#include <QStringBuilder>

#include <array>
#include <cstring>
#include <optional>
#include <string>
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

// A name of at most 31 ASCII letters in lower case, its bytes in four words and the rest zero: equal
// names are equal words.
struct TNazwaSpakowana
{
    std::array<quint64, 4> Slowa{};

    bool operator==(const TNazwaSpakowana&) const = default;
};

TNazwaSpakowana Spakuj(QLatin1StringView nazwa)
{
    TNazwaSpakowana w;
    std::memcpy(w.Slowa.data(), nazwa.data(), static_cast<size_t>(nazwa.size()));
    return w;
}

// The key as Spakuj packs a name, ASCII upper case taken as lower; nothing when the key has a character
// beyond ASCII.
std::optional<TNazwaSpakowana> SpakujKlucz(QStringView klucz)
{
    // The caller passes keys of at most 31 characters (the longest name).
    unsigned char litery[sizeof(TNazwaSpakowana::Slowa)] = {};
    const char16_t* z = klucz.utf16();
    for (size_t i = 0, n = static_cast<size_t>(klucz.size()); i < n; ++i) {
        const char16_t c = z[i];
        if (c >= 0x80)
            return std::nullopt;
        litery[i] = static_cast<unsigned char>(c | (static_cast<unsigned>(c - u'A') < 26u ? 0x20 : 0));
    }
    TNazwaSpakowana w;
    std::memcpy(w.Slowa.data(), litery, sizeof litery);
    return w;
}

// The key is these characters. Keys are a few letters long and most differ in the first: compared in
// place, without a call.
bool RowneZnaki(QStringView klucz, const char16_t* znaki)
{
    const char16_t* z = klucz.utf16();
    for (qsizetype i = 0; i < klucz.size(); ++i)
        if (z[i] != znaki[i])
            return false;
    return true;
}

template <typename T> struct TPoleSpakowane
{
    TNazwaSpakowana Nazwa;
    std::u16string Znaki; // the name as a key written in lower case has it
    const TPole<T>* Pole;
};

// The fields of a table by the length of their names, each list in the table's order.
template <typename T, size_t N>
const std::vector<TPoleSpakowane<T>>& PolaDlugosci(const TPole<T> (&pola)[N], qsizetype n)
{
    static const std::array<std::vector<TPoleSpakowane<T>>, 32> poDlugosci = [&pola] {
        std::array<std::vector<TPoleSpakowane<T>>, 32> wynik;
        for (const TPole<T>& p : pola)
            wynik[static_cast<size_t>(p.Nazwa.size())].push_back(
                {Spakuj(p.Nazwa), std::u16string(p.Nazwa.begin(), p.Nazwa.end()), &p});
        return wynik;
    }();
    static const std::vector<TPoleSpakowane<T>> zadne;
    return n >= 0 && n < static_cast<qsizetype>(poDlugosci.size()) ? poDlugosci[static_cast<size_t>(n)] : zadne;
}

template <typename T, size_t N> QString* ZnajdzPole(T& obiekt, const TPole<T> (&pola)[N], QStringView klucz)
{
    // Only the names of the key's length are compared. A key as files write it, in lower case, is one of
    // them letter for letter (and then no other); any other is packed in lower case once, or goes through
    // CzyKlucz when it has a character beyond ASCII.
    const std::vector<TPoleSpakowane<T>>& kandydaci = PolaDlugosci(pola, klucz.size());
    for (const TPoleSpakowane<T>& k : kandydaci)
        if (RowneZnaki(klucz, k.Znaki.data()))
            return &(obiekt.*k.Pole->Wskaznik);
    if (kandydaci.empty())
        return nullptr;
    const std::optional<TNazwaSpakowana> spakowany = SpakujKlucz(klucz);
    for (const TPoleSpakowane<T>& k : kandydaci)
        if (spakowany ? k.Nazwa == *spakowany : CzyKlucz(klucz, k.Pole->Nazwa))
            return &(obiekt.*k.Pole->Wskaznik);
    return nullptr;
}

// The string's own buffer (detached) has room for n characters after its start.
bool JestMiejsce(const QString& pole, qsizetype n)
{
    return pole.isDetached() && n <= pole.size() + pole.data_ptr().freeSpaceAtEnd();
}

// The string's length set within its own buffer (see JestMiejsce), ended by the NUL Qt keeps after the
// characters: what QString::resize does there, without its call for every field of a large file.
void UstawDlugosc(QString& pole, qsizetype n)
{
    QString::DataPointer& d = pole.data_ptr();
    d.size = n;
    if (d->allocatedCapacity())
        d.data()[n] = u'\0';
}

// Empties a field; a buffer of its own is kept for the next value, a shared one is let go.
void Oproznij(QString& pole)
{
    if (pole.isDetached()) {
        if (!pole.isEmpty())
            UstawDlugosc(pole, 0);
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
    if (JestMiejsce(pole, z.size())) {
        if (!z.isEmpty())
            std::memcpy(pole.data_ptr().data(), z.data(), static_cast<size_t>(z.size()) * sizeof(QChar));
        UstawDlugosc(pole, z.size());
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
