#include "estimates/KosztorysFwdSt.h"
#include "app/Kodowanie.h"

#include "app/Liczby.h"
#include "app/Wyjatki.h"
#include "estimates/KopiaKosztorysu.h"
#include "estimates/KosztorysFWD.h"
#include "estimates/Windows1250.h"
#include "estimates/WspolneTeksty.h"

#include <QFileInfo>

#include <openssl/evp.h>

#include <string>

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

class TKontekstMd5
{
public:
    TKontekstMd5() : FKontekst(EVP_MD_CTX_new()) {}
    ~TKontekstMd5() { EVP_MD_CTX_free(FKontekst); }
    TKontekstMd5(const TKontekstMd5&) = delete;
    TKontekstMd5& operator=(const TKontekstMd5&) = delete;
    EVP_MD_CTX* Kontekst() const { return FKontekst; }

private:
    EVP_MD_CTX* FKontekst;
};

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
    // Fetched once: an implicit fetch on every digest would cost more than the digest itself.
    static EVP_MD* const md5 = EVP_MD_fetch(nullptr, "MD5", nullptr);
    thread_local const TKontekstMd5 kontekst;
    thread_local QByteArray dane;
    dane.resize(0);
    DopiszWindows1250(opis.trimmed(), dane);
    DopiszWindows1250(jm.trimmed(), dane);
    unsigned char skrot[EVP_MAX_MD_SIZE];
    unsigned int dlugosc = 0;
    if (!md5 || !kontekst.Kontekst() || EVP_DigestInit_ex(kontekst.Kontekst(), md5, nullptr) != 1 ||
        EVP_DigestUpdate(kontekst.Kontekst(), dane.constData(), static_cast<size_t>(dane.size())) != 1 ||
        EVP_DigestFinal_ex(kontekst.Kontekst(), skrot, &dlugosc) != 1)
        throw EBlad(QStringLiteral("Błąd obliczania skrótu MD5 pozycji kosztorysu."));
    static const char cyfry[] = "0123456789abcdef";
    QString wynik(static_cast<qsizetype>(dlugosc) * 2, Qt::Uninitialized);
    for (unsigned int i = 0; i < dlugosc; ++i) {
        wynik[2 * i] = QLatin1Char(cyfry[skrot[i] >> 4]);
        wynik[2 * i + 1] = QLatin1Char(cyfry[skrot[i] & 0xF]);
    }
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
    CzytajTekst(DekodujTekstPliku(dane).Tekst);
}

// Sections in file order, structure errors ignored. Levels nest by their "poziom": a first level or level
// 1 under the root, the same level beside the current element, a deeper one inside it, a shallower one as
// many levels up. Positions go into the current element.
void TKosztorysFwdSt::CzytajTekst(QStringView tekst)
{
    const TPozycjaRds::TOnZmiana* handler = WspolnyHandlerPozycji();
    TWspolneTeksty wspolne;
    TElementRds* biezacy = nullptr;
    int ostatniPoziom = 0;
    // The basis is put together here, in a buffer reused by every position: only a basis not met before
    // is copied for the tree.
    std::u16string podstawa;
    const auto dopisz = [&podstawa](const QString& t) {
        podstawa.append(QStringView(t).utf16(), static_cast<size_t>(t.size()));
    };
    const bool rozpoznany = TKosztorysFWD::PrzejdzSekcje(tekst, [&](TFWDSekcja& sekcja) {
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
            // Filled at once: reading reports no changes. Texts that repeat are shared.
            TPozycjaRds::TTeksty t;
            t.Id = KluczPozycji(b->opisKlucza, b->jmKlucza);
            t.Nr = b->lp;
            t.ST = wspolne(NormalizujSeparatorWariantu(b->spec_techn, Ustawienia()));
            podstawa.clear();
            dopisz(b->katalog_rodzaj);
            podstawa += u' ';
            dopisz(b->katalog_symbol);
            podstawa += u' ';
            dopisz(b->opis_podstawy);
            podstawa += u' ';
            dopisz(b->katalog_wydanie);
            const QStringView sklad(podstawa);
            t.Podstawa = wspolne(sklad.trimmed().isEmpty() ? QStringView(b->opis_podstawy) : sklad);
            t.Opis = wspolne(b->opis);
            t.Jm = wspolne(b->jm);
            t.Cena = wspolne(b->cena);
            t.Rj = wspolne(b->rj);
            t.Mj = wspolne(b->mj);
            t.Sj = wspolne(b->sj);
            t.Ilosc = wspolne(b->ilosc);
            auto p = std::make_unique<TPozycjaRds>(std::move(t), handler);
            (biezacy ? biezacy : this)->AddPozycja(std::move(p));
        }
    });
    // Structure errors are ignored, so anything at all would open; a file with no section of the format
    // is not an FWD estimate.
    if (!rozpoznany)
        throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
}

// The copy's bytes as TKosztorysFWD writes them, with every position block's "spec_techn" set to the ST number of the
// estimate's position with the block's key; built section by section.
QByteArray TKosztorysFwdSt::Kopia(QStringView tekst) const
{
    const TIndeksPozycji indeks(*this);
    std::unique_ptr<TFWDNaglowek> naglowek;
    std::unique_ptr<TFWDStronaTytulowa> strona;
    QString bloki;
    bloki.reserve(tekst.size() + tekst.size() / 4);
    bool saBloki = false;
    TKosztorysFWD::PrzejdzSekcje(tekst, [&](TFWDSekcja& sekcja) {
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
    return Kopia(DekodujTekstPliku(zrodlo).Tekst);
}

void TKosztorysFwdSt::SaveFile(const QString& newFilePath)
{
    const QString zrodlo = FilePath().GetPath();
    const QByteArray dane = CzytajZrodloKopii(zrodlo);
    SprawdzCelKopii(zrodlo, newFilePath);
    TKosztorysFWD::ZapiszPlik(newFilePath, ZapiszDoDanych(dane));
}
