#include "estimates/KosztorysFwdSt.h"
#include "app/Kodowanie.h"

#include "app/Liczby.h"
#include "app/Wyjatki.h"
#include "estimates/KopiaKosztorysu.h"
#include "estimates/KosztorysFWD.h"
#include "estimates/Windows1250.h"
#include "estimates/WspolneTeksty.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <algorithm>
#include <string>
#include <utility>

namespace {

// Far deeper than any real estimate; the tree and everything that walks it recurse, so a hostile file
// must not nest levels without bound.
constexpr int MaksGlebokoscElementow = 200;

int Glebokosc(const TElementRds* element)
{
    int g = 0;
    for (const TElementRds* e = element; e && e->Parent; e = e->Parent)
        ++g;
    return g;
}

// The bytes of the file, failing as the parser's loaders fail.
QByteArray CzytajBajty(const QString& sciezka)
{
    try {
        return CzytajZrodloKopii(sciezka);
    } catch (const EBlad& e) {
        throw TExBladPodczasOtwarciaPliku(e.Komunikat());
    }
}

constexpr qsizetype DlugoscKlucza = 32;

// The position key (see KluczPozycji), its 32 hexadecimal digits written into the room for them.
void ZapiszKlucz(QStringView opis, QStringView jm, char16_t* cel)
{
    // One hash object and one buffer for every position: a digest per position is made without
    // allocating.
    thread_local QCryptographicHash md5(QCryptographicHash::Md5);
    thread_local QByteArray dane;
    dane.resize(0);
    DopiszWindows1250(opis.trimmed(), dane);
    DopiszWindows1250(jm.trimmed(), dane);
    md5.reset();
    md5.addData(QByteArrayView(dane));
    static const char cyfry[] = "0123456789abcdef";
    for (const char b : md5.resultView()) {
        const auto u = static_cast<unsigned char>(b);
        *cel++ = static_cast<char16_t>(cyfry[u >> 4]);
        *cel++ = static_cast<char16_t>(cyfry[u & 0xF]);
    }
}

} // namespace

TKosztorysFwdSt::TKosztorysFwdSt(const QString& filePath, bool renumeruj, bool indeksuj, bool nadpiszKopie,
                                 const TUstawieniaKosztorysu& ustawienia)
    : TKosztorys(filePath, renumeruj, indeksuj, nadpiszKopie, ustawienia)
{
    if (!filePath.isEmpty())
        WczytajKosztorys();
}

QString TKosztorysFwdSt::PobierzIdKosztorysu(const QString&)
{
    return {};
}

QString TKosztorysFwdSt::GetDefaultExt() const
{
    return QStringLiteral(".fwd");
}

QString TKosztorysFwdSt::GetFilter() const
{
    return QStringLiteral("Kosztorys FWD (*.fwd)|*.fwd");
}

QString TKosztorysFwdSt::KluczPozycji(QStringView opis, QStringView jm)
{
    QString wynik(DlugoscKlucza, Qt::Uninitialized);
    ZapiszKlucz(opis, jm, reinterpret_cast<char16_t*>(wynik.data()));
    return wynik;
}

void TKosztorysFwdSt::Wczytaj()
{
    const QString sciezka = FilePath().GetPath();
    const QFileInfo plik(sciezka);
    if (!plik.exists())
        throw EBlad(QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    Opis = plik.completeBaseName();
    SetTytul(Opis);
    CzytajDane(CzytajBajty(sciezka));
}

void TKosztorysFwdSt::CzytajDane(const QByteArray& dane)
{
    CzytajSekcje(dane);
}

// Sections in file order, structure errors ignored. Levels nest by their "poziom": a first level or level
// 1 under the root, the same level beside the current element, a deeper one inside it, a shallower one as
// many levels up. Positions go into the current element.
void TKosztorysFwdSt::CzytajSekcje(const QByteArray& dane)
{
    const TPozycjaRds::TOnZmiana* handler = WspolnyHandlerPozycji();
    TWspolneTeksty wspolne;
    TWspolneZwarte zwarte;
    TWspolneZwarte opisy; // descriptions seldom repeat from one position to the next
    TElementRds* biezacy = nullptr;
    int ostatniPoziom = 0;
    // The basis is put together here, in a buffer reused by every position: only a basis not met before
    // is copied for the tree.
    std::u16string podstawa;
    const auto dopisz = [&podstawa](const QString& t) {
        podstawa.append(QStringView(t).utf16(), static_cast<size_t>(t.size()));
    };
    const auto naSekcje = [&](TFWDSekcja& sekcja) {
        if (const auto* s = SekcjaJako<TFWDPoziomStruktury>(sekcja)) {
            const std::optional<int> poziom = TekstNaCalkowita(s->poziom);
            if (!poziom)
                throw EBlad(QStringLiteral("Błąd poziomu struktury: ") + s->poziom);
            TElementRds* rodzic = this;
            if (!biezacy || *poziom == 1) {
                ostatniPoziom = *poziom;
            } else if (*poziom == ostatniPoziom) {
                rodzic = biezacy->Parent ? biezacy->Parent : this;
            } else if (*poziom > ostatniPoziom) {
                rodzic = biezacy;
                ostatniPoziom = *poziom;
            } else {
                TElementRds* e = biezacy;
                for (qint64 n = qint64(ostatniPoziom) - *poziom + 1; n > 0 && e; --n)
                    e = e->Parent;
                rodzic = e ? e : this;
                ostatniPoziom = *poziom;
            }
            if (Glebokosc(rodzic) >= MaksGlebokoscElementow)
                throw EBlad(QStringLiteral("Błąd poziomu struktury: ") + s->poziom);
            biezacy = rodzic->AddElement(std::make_unique<TElementRds>(s->lp, *poziom, s->opis));
        } else if (const auto* b = SekcjaJako<TFWDPozycja>(sekcja)) {
            // Filled at once: reading reports no changes. Texts that repeat are shared, a field's own repeats
            // from one position to the next found without hashing.
            TPozycjaRds::TTeksty t;
            t.ST = wspolne(NormalizujSeparatorWariantu(b->spec_techn, Ustawienia()), 0);
            podstawa.clear();
            dopisz(b->katalog_rodzaj);
            podstawa += u' ';
            dopisz(b->katalog_symbol);
            podstawa += u' ';
            dopisz(b->opis_podstawy);
            podstawa += u' ';
            dopisz(b->katalog_wydanie);
            const QStringView sklad(podstawa);
            t.Podstawa = zwarte(sklad.trimmed().isEmpty() ? QStringView(b->opis_podstawy) : sklad, 1);
            t.Jm = zwarte(b->jm, 2);
            t.Cena = zwarte(b->cena, 3);
            t.Rj = wspolne(b->rj, 4);
            t.Mj = wspolne(b->mj, 5);
            t.Sj = wspolne(b->sj, 6);
            t.Ilosc = zwarte(b->ilosc, 7);
            // The texts of the position's own: its key, its number, and a description not met before.
            char16_t klucz[DlugoscKlucza];
            ZapiszKlucz(b->opisKlucza, b->jmKlucza, klucz);
            t.UstawWlasne(QStringView(klucz, DlugoscKlucza), b->lp, b->opis, opisy, opisy.Skrot(b->opis));
            auto p = std::make_unique<TPozycjaRds>(std::move(t), handler);
            (biezacy ? biezacy : this)->AddPozycja(std::move(p));
        }
    };
    // Only levels and positions make the tree; the lines of the other sections are not read.
    const bool rozpoznany = TKosztorysFWD::PrzejdzSekcjePliku(dane, naSekcje,
                                                              TKosztorysFWD::Bit(TRodzajSekcjiFwd::PoziomStruktury) |
                                                                  TKosztorysFWD::Bit(TRodzajSekcjiFwd::Pozycja));
    // Structure errors are ignored, so anything at all would open; a file with no section of the format
    // is not an FWD estimate.
    if (!rozpoznany)
        throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
}

// The copy's bytes as TKosztorysFWD writes them, with every position block's "spec_techn" set to the ST number of the
// estimate's position with the block's key; built section by section.
QByteArray TKosztorysFwdSt::Kopia(const QByteArray& dane) const
{
    const TIndeksPozycji indeks(*this);
    std::unique_ptr<TFWDNaglowek> naglowek;
    std::unique_ptr<TFWDStronaTytulowa> strona;
    QString bloki;
    bloki.reserve(dane.size() + dane.size() / 4);
    bool saBloki = false;
    TKosztorysFWD::PrzejdzSekcjePliku(dane, [&](TFWDSekcja& sekcja) {
        // Header and title page replace any earlier ones.
        if (const auto* n = SekcjaJako<TFWDNaglowek>(sekcja)) {
            naglowek = std::make_unique<TFWDNaglowek>(*n);
        } else if (const auto* s = SekcjaJako<TFWDStronaTytulowa>(sekcja)) {
            strona = std::make_unique<TFWDStronaTytulowa>(*s);
        } else {
            saBloki = true;
            if (auto* b = SekcjaJako<TFWDPozycja>(sekcja))
                if (const TPozycjaRds* p = indeks.Znajdz(KluczPozycji(b->opisKlucza, b->jmKlucza)))
                    b->spec_techn = STDoZapisu(*p, Ustawienia());
            sekcja.Zapisz(bloki);
        }
    });
    return TKosztorysFWD::ZlozBajty(naglowek.get(), strona.get(), bloki, saBloki);
}

QByteArray TKosztorysFwdSt::KopiaDanych(const QByteArray& zrodlo) const
{
    return Kopia(zrodlo);
}

void TKosztorysFwdSt::SaveFile(const QString& newFilePath)
{
    const QString zrodlo = FilePath().GetPath();
    const QByteArray dane = CzytajZrodloKopii(zrodlo);
    SprawdzCelKopii(zrodlo, newFilePath);
    TKosztorysFWD::ZapiszPlik(newFilePath, ZapiszDoDanych(dane));
}
