#include "estimates/KosztorysZuzia.h"

#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/KopiaKosztorysu.h"
#include "estimates/LiczbyKosztorysu.h"
#include "estimates/Windows1250.h"
#include "estimates/WspolneTeksty.h"
#include "estimates/XmlKosztorysu.h"

#include <QFileInfo>
#include <QHashFunctions>
#include <QStringBuilder>
#include <QStringDecoder>

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// Far deeper than any real estimate; the tree and everything that walks it recurse, so a hostile
// document must not nest elements without bound.
constexpr int MaksGlebokoscElementow = 200;

} // namespace

// How the values of the parsed document are written: in UTF-8, the parser's own, or in Windows-1250 when
// the document was parsed in its own bytes. Every value is read through it.
struct TKodowanieWartosci
{
    bool Windows1250 = false;

    // The value as QString::fromUtf8 gives its UTF-8 form.
    QString Tekst(const char* v, qsizetype n) const
    {
        return Windows1250 ? Windows1250NaTekst(QByteArrayView(v, n)) : QString::fromUtf8(v, n);
    }
    QString Tekst(const char* v) const { return Tekst(v, static_cast<qsizetype>(std::strlen(v))); }
    // The value as the XML layer gives its UTF-8 form (TekstXml).
    QString TekstXml(const char* v) const
    {
        return Windows1250 ? Windows1250NaTekst(QByteArrayView(v, static_cast<qsizetype>(std::strlen(v))))
                           : ::TekstXml(v);
    }
    // XmlNaTekst: the attribute's trimmed text, null when there is none.
    QString Przyciety(const pugi::xml_attribute& a) const { return a ? TekstXml(a.value()).trimmed() : QString(); }
    QString Atrybut(const pugi::xml_node& w, const char* nazwa) const { return Przyciety(w.attribute(nazwa)); }

    // The attribute, trimmed, is "1". Asked of every node: the usual values are answered without a QString.
    bool CzyJeden(const pugi::xml_attribute& a) const
    {
        if (!a)
            return false;
        const char* v = a.value();
        if (v[0] == '1' && v[1] == '\0')
            return true;
        if (v[0] == '\0' || (v[0] == '0' && v[1] == '\0'))
            return false;
        return Przyciety(a) == QLatin1String("1");
    }
};

namespace {

const TKodowanieWartosci Utf8;

} // namespace

// A node with the attributes and children the reader uses, each found in one pass (the first of a name
// counts, as with a look-up by name).
struct TWezelZuzi
{
    // What a node is to the reader, told by its name (letter case counts).
    enum class TRodzaj { Inny, ElementDrzewa, Pozycja, Transport, Narzuty };

    static TRodzaj RodzajWezla(const pugi::xml_node& wezel)
    {
        const char* n = wezel.name();
        const auto jest = [n](const char* nazwa) { return RowneWprost(n, nazwa); };
        switch (n[0]) {
        case 'R':
            return jest("Rozdzial") ? TRodzaj::ElementDrzewa : jest("Rusztowanie") ? TRodzaj::Pozycja : TRodzaj::Inny;
        case 'G':
            return jest("Grupa") ? TRodzaj::ElementDrzewa : TRodzaj::Inny;
        case 'E':
            return jest("Element") ? TRodzaj::ElementDrzewa : TRodzaj::Inny;
        case 'P':
            return jest("Pozycja") ? TRodzaj::Pozycja : TRodzaj::Inny;
        case 'S':
            return jest("Scalona") ? TRodzaj::Pozycja : TRodzaj::Inny;
        case 'T':
            return jest("Transport") ? TRodzaj::Transport : TRodzaj::Inny;
        case 'N':
            return jest("Narzuty") ? TRodzaj::Narzuty : TRodzaj::Inny;
        default:
            return TRodzaj::Inny;
        }
    }

    TWezelZuzi(const pugi::xml_node& w, TRodzaj rodzaj, const TKodowanieWartosci& kodowanie)
        : Wezel(w), Rodzaj(rodzaj), Kodowanie(kodowanie)
    {
        if (Rodzaj == TRodzaj::Inny)
            return;
        for (pugi::xml_attribute a = w.first_attribute(); a; a = a.next_attribute()) {
            const char* n = a.name();
            const auto ustaw = [&a, n](pugi::xml_attribute& cel, const char* nazwa) {
                // The name first: it is compared in line, the attribute's emptiness only through the library.
                if (RowneWprost(n, nazwa) && !cel)
                    cel = a;
            };
            switch (n[0]) {
            case 'B':
                ustaw(Blok, "Blok");
                break;
            case 'S':
                ustaw(Scal, "Scal");
                break;
            case 'N':
                ustaw(Nr, "Nr");
                break;
            case 'J':
                ustaw(Jedn, "Jedn");
                break;
            case 'W':
                ustaw(Wartosc, "Wartosc");
                break;
            case 'O':
                ustaw(Odleglosc, "Odleglosc");
                break;
            case 'I':
                ustaw(Id, "Id");
                ustaw(Ilosc, "Ilosc");
                ustaw(IloscJedn, "Ilosc_Jedn");
                break;
            default:
                break;
            }
        }
        for (pugi::xml_node d = w.first_child(); d; d = d.next_sibling()) {
            const char* n = d.name();
            if (RowneWprost(n, "Nazwa") && !Nazwa)
                Nazwa = d;
            else if (RowneWprost(n, "Sst") && !Sst)
                Sst = d;
            else if (RowneWprost(n, "Katalog") && !Katalog)
                Katalog = d;
        }
    }

    bool CzyWylaczony() const { return Kodowanie.CzyJeden(Blok); }
    bool CzyScalony() const { return Kodowanie.CzyJeden(Scal); }

    pugi::xml_node Wezel;
    TRodzaj Rodzaj;
    const TKodowanieWartosci& Kodowanie;
    pugi::xml_attribute Blok, Scal, Id, Nr, Jedn, Ilosc, IloscJedn, Wartosc, Odleglosc;
    pugi::xml_node Nazwa, Sst, Katalog;
};

namespace {

// The next node in document order below the root (children first), null past the root's last descendant.
pugi::xml_node Nastepny(pugi::xml_node w, const pugi::xml_node& korzen)
{
    if (w.first_child())
        return w.first_child();
    while (w && w != korzen) {
        if (w.next_sibling())
            return w.next_sibling();
        w = w.parent();
    }
    return {};
}

// The text of a "Nazwa" node, all its text pieces together, trimmed.
QString TekstNazwy(const pugi::xml_node& nazwa, const TKodowanieWartosci& k)
{
    if (!nazwa)
        return {};
    const pugi::xml_node pierwszy = nazwa.first_child();
    if (pierwszy.type() == pugi::node_pcdata && !pierwszy.next_sibling())
        return k.Tekst(pierwszy.value()).trimmed();
    std::string tekst;
    for (pugi::xml_node w = pierwszy; w; w = Nastepny(w, nazwa))
        if (w.type() == pugi::node_pcdata || w.type() == pugi::node_cdata)
            tekst += w.value();
    return k.Tekst(tekst.data(), static_cast<qsizetype>(tekst.size())).trimmed();
}

bool Aktywna(const TWezelZuzi& w)
{
    return !XmlNaLogiczna(w.Blok ? std::optional<QString>(w.Kodowanie.Tekst(w.Blok.value())) : std::nullopt, false);
}

// The catalogue basis of a position as the attributes of its "Katalog" child give it.
QString PodstawaZKatalogu(const pugi::xml_node& katalog, const TKodowanieWartosci& k)
{
    QString podstawa = k.Atrybut(katalog, "Podstawa");
    if (podstawa.isEmpty()) {
        const QString nazwaKatalogu = k.Atrybut(katalog, "Nazwa");
        if (!nazwaKatalogu.isEmpty()) {
            const QString tab = k.Atrybut(katalog, "Tab");
            const QString kol = k.Atrybut(katalog, "Kol");
            podstawa = nazwaKatalogu % QLatin1Char(' ') % k.Atrybut(katalog, "Nr") %
                       (tab.isEmpty() ? QString() : QLatin1Char('/') % tab) %
                       (kol.isEmpty() ? QString() : QLatin1Char('/') % kol);
        }
    }
    return podstawa;
}

// After the last element child, on a line of its own indented like that child, when the source is laid
// out that way; otherwise simply at the end.
pugi::xml_node DodajSst(pugi::xml_node wezel)
{
    const pugi::xml_node ostatni = wezel.last_child();
    if (ostatni.type() == pugi::node_pcdata && QByteArray(ostatni.value()).trimmed().isEmpty()) {
        const pugi::xml_node poprzedni = ostatni.previous_sibling();
        const pugi::xml_node wciecie = poprzedni ? poprzedni.previous_sibling() : pugi::xml_node();
        if (poprzedni.type() == pugi::node_element && wciecie.type() == pugi::node_pcdata &&
            QByteArray(wciecie.value()).trimmed().isEmpty()) {
            const pugi::xml_node kopia = wezel.insert_copy_after(wciecie, poprzedni);
            return wezel.insert_child_after("Sst", kopia);
        }
    }
    return wezel.append_child("Sst");
}

} // namespace

// The fields of a position that often repeat from one position to the next (TWspolneTeksty's fields).
enum TPoleZuzi : std::size_t { PoleStZrodla, PoleSt, PolePodstawa, PoleJm, PoleIlosc, LiczbaPol };
static_assert(LiczbaPol <= TWspolneTeksty::MaksPol);

// The texts of one reading. A value is decoded into a buffer reused from one value to the next, and only
// what the tree keeps is allocated: a text that repeats through the estimate is shared, any other gets a
// copy of its exact size; a price is worked out once for a run of positions with the same value and
// quantity. A value that the quick way might decode otherwise than the XML layer (one that starts with a
// byte-order mark or holds an invalid sequence) goes the XML layer's way.
class TTekstyZuzi
{
public:
    // The buffers of the values held at once.
    enum TBufor { Tekstowy, Opisu, Ilosci, Wartosci, Nazwy, Numeru, Tabeli, Kolumny, Id, NrPozycji, LiczbaBuforow };

    explicit TTekstyZuzi(bool windows1250) { Kodowanie.Windows1250 = windows1250; }

    TKodowanieWartosci Kodowanie;
    TWspolneTeksty Wspolne;
    TWspolneZwarte Zwarte;

    // The attribute's trimmed text (null when there is none): a view into the buffer, or into `zapas`.
    QStringView Tekst(const pugi::xml_attribute& a, TBufor bufor, QString& zapas)
    {
        if (!a)
            return {};
        if (const std::optional<QStringView> v = Widok(a.value(), bufor))
            return *v;
        zapas = Kodowanie.Przyciety(a);
        return zapas;
    }

    QString Wspolny(const pugi::xml_attribute& a, TPoleZuzi pole)
    {
        if (!a)
            return {};
        // The same bytes as the field's last give the same text, without decoding them again.
        TSurowe& surowe = FSurowe[pole];
        const char* v = a.value();
        if (surowe.Jest && RowneWprost(v, surowe.Bajty.c_str()))
            return surowe.Tekst;
        QString zapas;
        surowe.Tekst = Wspolne(Tekst(a, Tekstowy, zapas), pole);
        surowe.Bajty = v;
        surowe.Jest = true;
        return surowe.Tekst;
    }

    // The text of a "Nazwa" node: a view into its own buffer, or into `zapas`.
    QStringView Nazwa(const pugi::xml_node& nazwa, QString& zapas)
    {
        const pugi::xml_node pierwszy = nazwa.first_child();
        if (pierwszy.type() == pugi::node_pcdata && !pierwszy.next_sibling())
            if (const std::optional<QStringView> v = Widok(pierwszy.value(), Opisu))
                return *v;
        zapas = TekstNazwy(nazwa, Kodowanie);
        return zapas;
    }

    // PodstawaZKatalogu, shared, with the attributes found in one pass (the first of a name counts).
    TZwartyTekst Podstawa(const pugi::xml_node& katalog)
    {
        pugi::xml_attribute podstawa, nazwa, nr, tab, kol;
        for (pugi::xml_attribute a = katalog.first_attribute(); a; a = a.next_attribute()) {
            const char* n = a.name();
            const auto ustaw = [&a, n](pugi::xml_attribute& cel, const char* szukana) {
                if (RowneWprost(n, szukana) && !cel)
                    cel = a;
            };
            switch (n[0]) {
            case 'P':
                ustaw(podstawa, "Podstawa");
                break;
            case 'N':
                ustaw(nazwa, "Nazwa");
                ustaw(nr, "Nr");
                break;
            case 'T':
                ustaw(tab, "Tab");
                break;
            case 'K':
                ustaw(kol, "Kol");
                break;
            default:
                break;
            }
        }
        // The same attributes as the last catalogue's give the same basis, without decoding them again.
        const std::array<const char*, 5> wartosci{podstawa ? podstawa.value() : nullptr,
                                                  nazwa ? nazwa.value() : nullptr, nr ? nr.value() : nullptr,
                                                  tab ? tab.value() : nullptr, kol ? kol.value() : nullptr};
        bool teSame = FJestPodstawa;
        for (size_t i = 0; teSame && i < wartosci.size(); ++i)
            teSame = wartosci[i] ? FKatalog[i] && RowneWprost(wartosci[i], FKatalog[i]->c_str()) : !FKatalog[i];
        if (!teSame) {
            FPodstawa = PodstawaZAtrybutow(katalog, podstawa, nazwa, nr, tab, kol);
            for (size_t i = 0; i < wartosci.size(); ++i)
                FKatalog[i] = wartosci[i] ? std::optional<std::string>(wartosci[i]) : std::nullopt;
            FJestPodstawa = true;
        }
        return FPodstawa;
    }

    TZwartyTekst PodstawaZAtrybutow(const pugi::xml_node& katalog, const pugi::xml_attribute& podstawa,
                                    const pugi::xml_attribute& nazwa, const pugi::xml_attribute& nr,
                                    const pugi::xml_attribute& tab, const pugi::xml_attribute& kol)
    {
        const auto widok = [this](const pugi::xml_attribute& a, TBufor bufor) -> std::optional<QStringView> {
            if (!a)
                return QStringView();
            return Widok(a.value(), bufor);
        };
        const std::optional<QStringView> p = widok(podstawa, Tekstowy);
        if (!p)
            return Zwarte(PodstawaZKatalogu(katalog, Kodowanie), PolePodstawa);
        if (!p->isEmpty())
            return Zwarte(*p, PolePodstawa);
        const std::optional<QStringView> n = widok(nazwa, Nazwy);
        if (!n)
            return Zwarte(PodstawaZKatalogu(katalog, Kodowanie), PolePodstawa);
        if (n->isEmpty())
            return {};
        const std::optional<QStringView> r = widok(nr, Numeru);
        const std::optional<QStringView> t = widok(tab, Tabeli);
        const std::optional<QStringView> k = widok(kol, Kolumny);
        if (!r || !t || !k)
            return Zwarte(PodstawaZKatalogu(katalog, Kodowanie), PolePodstawa);
        FSklad.clear();
        FSklad.append(n->utf16(), static_cast<size_t>(n->size()));
        FSklad += u' ';
        FSklad.append(r->utf16(), static_cast<size_t>(r->size()));
        for (const QStringView& dodatek : {*t, *k})
            if (!dodatek.isEmpty()) {
                FSklad += u'/';
                FSklad.append(dodatek.utf16(), static_cast<size_t>(dodatek.size()));
            }
        return Zwarte(QStringView(FSklad), PolePodstawa);
    }

    // The price last worked out, for the value, quantity and VAT rate it was worked out from.
    struct TCena
    {
        std::u16string Wartosc, Ilosc;
        double StawkaVat = 0.0;
        TZwartyTekst Cena;
        bool Jest = false;

        bool Dla(QStringView wartosc, QStringView ilosc, double vat) const
        {
            return Jest && vat == StawkaVat && QStringView(Wartosc) == wartosc && QStringView(Ilosc) == ilosc;
        }
        void Zapamietaj(QStringView wartosc, QStringView ilosc, double vat, const TZwartyTekst& cena)
        {
            Wartosc.assign(wartosc.utf16(), static_cast<size_t>(wartosc.size()));
            Ilosc.assign(ilosc.utf16(), static_cast<size_t>(ilosc.size()));
            StawkaVat = vat;
            Cena = cena;
            Jest = true;
        }
    } OstatniaCena;

    // The quantity and price last given, for the bytes of the quantity and value attributes and the VAT rate.
    struct TSurowaIlosc
    {
        std::optional<std::string> BajtyIlosci, BajtyWartosci;
        double StawkaVat = 0.0;
        TZwartyTekst Cena, Ilosc;
        bool Jest = false;

        static bool Rowna(const pugi::xml_attribute& a, const std::optional<std::string>& bajty)
        {
            return a ? bajty && RowneWprost(a.value(), bajty->c_str()) : !bajty;
        }
        static std::optional<std::string> Bajty(const pugi::xml_attribute& a)
        {
            return a ? std::optional<std::string>(a.value()) : std::nullopt;
        }
        bool Dla(const pugi::xml_attribute& ilosc, const pugi::xml_attribute& wartosc, double vat) const
        {
            return Jest && vat == StawkaVat && Rowna(ilosc, BajtyIlosci) && Rowna(wartosc, BajtyWartosci);
        }
        void Zapamietaj(const pugi::xml_attribute& ilosc, const pugi::xml_attribute& wartosc, double vat,
                        const TZwartyTekst& cena, const TZwartyTekst& iloscTekst)
        {
            BajtyIlosci = Bajty(ilosc);
            BajtyWartosci = Bajty(wartosc);
            StawkaVat = vat;
            Cena = cena;
            Ilosc = iloscTekst;
            Jest = true;
        }
    } OstatniaIlosc;

private:
    // The UTF-8 text decoded and trimmed, or nothing when the XML layer's way is needed.
    std::optional<QStringView> Widok(const char* utf8, TBufor bufor)
    {
        const size_t n = std::strlen(utf8);
        std::vector<char16_t>& b = FBufory[bufor];
        if (Kodowanie.Windows1250) {
            // A character for every byte, and no byte the code page leaves undefined.
            if (b.size() < n)
                b.resize(n);
            Windows1250DoBufora(QByteArrayView(utf8, static_cast<qsizetype>(n)), b.data());
            return QStringView(b.data(), static_cast<qsizetype>(n)).trimmed();
        }
        if (n >= 3 && std::memcmp(utf8, "\xEF\xBB\xBF", 3) == 0)
            return std::nullopt;
        const qsizetype potrzeba = FDekoder.requiredSpace(static_cast<qsizetype>(n));
        if (static_cast<qsizetype>(b.size()) < potrzeba)
            b.resize(static_cast<size_t>(potrzeba));
        QChar* const poczatek = reinterpret_cast<QChar*>(b.data());
        const QChar* const koniec = FDekoder.appendToBuffer(poczatek, QByteArrayView(utf8, static_cast<qsizetype>(n)));
        if (FDekoder.hasError()) {
            FDekoder.resetState();
            return std::nullopt;
        }
        const QStringView v(poczatek, koniec - poczatek);
        // A replacement character may stand for an invalid sequence, which the XML layer's way decodes.
        if (std::find(v.begin(), v.end(), QChar(QChar::ReplacementCharacter)) != v.end())
            return std::nullopt;
        return v.trimmed();
    }

    QStringDecoder FDekoder{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    std::array<std::vector<char16_t>, LiczbaBuforow> FBufory;
    std::u16string FSklad;
    // The bytes a field had last and the text they gave.
    struct TSurowe
    {
        std::string Bajty;
        QString Tekst;
        bool Jest = false;
    };
    std::array<TSurowe, LiczbaPol> FSurowe;
    // The attributes of the last catalogue (Podstawa, Nazwa, Nr, Tab, Kol) and the basis they gave.
    std::array<std::optional<std::string>, 5> FKatalog;
    TZwartyTekst FPodstawa;
    bool FJestPodstawa = false;
};

TKosztorysZuzia::TKosztorysZuzia(const QString& filePath, bool renumeruj, bool indeksuj, bool nadpiszKopie,
                                 const TUstawieniaKosztorysu& ustawienia)
    : TKosztorys(filePath, renumeruj, indeksuj, nadpiszKopie, ustawienia)
{
    if (!filePath.isEmpty())
        WczytajKosztorys();
}

QString TKosztorysZuzia::PobierzIdKosztorysu(const QString&)
{
    return {};
}

QString TKosztorysZuzia::GetDefaultExt() const
{
    return QStringLiteral(".xml");
}

QString TKosztorysZuzia::GetFilter() const
{
    return QStringLiteral("Kosztorys Zuzi (*.xml)|*.xml");
}

void TKosztorysZuzia::Wczytaj()
{
    const QString sciezka = FilePath().GetPath();
    const QFileInfo plik(sciezka);
    if (!plik.exists())
        throw EBlad(QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    FStawkaVat = 0.0;
    Opis = plik.completeBaseName();
    SetTytul(Opis);
    // The bytes read are the parser's alone: parsed in place, they are not copied once more.
    CzytajDokument(CzytajZrodloKopii(sciezka), [&sciezka] { return CzytajZrodloKopii(sciezka); });
}

void TKosztorysZuzia::CzytajDane(const QByteArray& dane)
{
    CzytajDokument(dane, [&dane] { return dane; });
}

void TKosztorysZuzia::CzytajDokument(QByteArray dane, const std::function<QByteArray()>& zrodlo)
{
    FStawkaVat = 0.0;
    pugi::xml_document dokument;
    QByteArray tekst;
    const bool windows1250 = CzytajXmlKosztorysu(std::move(dane), zrodlo, dokument, tekst);
    const pugi::xml_node korzen = dokument.document_element();
    if (korzen.first_child())
        CzytajWezly(korzen, this, windows1250);
}

// Each child in document order: a chapter, group or element opens an element (and becomes the current
// element for the rest of the children), a position goes to the element being read (to the merged element
// itself when it is one), and the child's own children are read into the current element. The walk keeps
// its own stack, so the depth of the document does not matter.
void TKosztorysZuzia::CzytajWezly(const pugi::xml_node& wezel, TElementRds* element, bool windows1250)
{
    struct TRamka
    {
        pugi::xml_node Dziecko;
        TElementRds* Element;
        TElementRds* Biezacy;
        int Glebokosc;
        int GlebokoscBiezacego;
    };
    std::vector<TRamka> stos{{wezel.first_child(), element, element, 0, 0}};
    TTekstyZuzi teksty(windows1250);
    while (!stos.empty()) {
        TRamka& ramka = stos.back();
        const pugi::xml_node k = ramka.Dziecko;
        if (!k) {
            stos.pop_back();
            continue;
        }
        ramka.Dziecko = k.next_sibling();
        if (k.type() != pugi::node_element)
            continue;
        bool scalony = false;
        // Most nodes (names, catalogues, ST numbers) are neither elements nor positions: only their children
        // are read.
        if (const TWezelZuzi::TRodzaj rodzaj = TWezelZuzi::RodzajWezla(k); rodzaj != TWezelZuzi::TRodzaj::Inny) {
            const TWezelZuzi wezelZuzi(k, rodzaj, teksty.Kodowanie);
            if (std::unique_ptr<TElementRds> nowy = CzytajElementZuzia(wezelZuzi, scalony)) {
                if (ramka.Glebokosc >= MaksGlebokoscElementow)
                    throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
                ramka.Biezacy = ramka.Element->AddElement(std::move(nowy));
                ramka.GlebokoscBiezacego = ramka.Glebokosc + 1;
            } else if (wezelZuzi.Rodzaj == TWezelZuzi::TRodzaj::ElementDrzewa) {
                // An excluded chapter is excluded with its contents, which would otherwise land in whatever
                // element happens to be current.
                continue;
            }
            if (std::unique_ptr<TPozycjaRds> pozycja = CzytajPozycjeZuzia(wezelZuzi, scalony, teksty))
                (scalony ? ramka.Biezacy : ramka.Element)->AddPozycja(std::move(pozycja));
        }
        if (!scalony && k.first_child()) {
            const TRamka dzieci{k.first_child(), ramka.Biezacy, ramka.Biezacy, ramka.GlebokoscBiezacego,
                                ramka.GlebokoscBiezacego};
            stos.push_back(dzieci);
        }
    }
}

std::unique_ptr<TElementRds> TKosztorysZuzia::CzytajElementZuzia(const TWezelZuzi& wezel, bool& scalony) const
{
    scalony = false;
    if (wezel.Rodzaj != TWezelZuzi::TRodzaj::ElementDrzewa || wezel.CzyWylaczony())
        return nullptr;
    scalony = wezel.CzyScalony();
    return std::make_unique<TElementRds>(wezel.Kodowanie.Przyciety(wezel.Nr), 0,
                                         TekstNazwy(wezel.Nazwa, wezel.Kodowanie));
}

// The position is made with its texts and then given the estimate's change handler: reading reports no
// changes. Texts that repeat through the estimate keep one copy.
std::unique_ptr<TPozycjaRds> TKosztorysZuzia::CzytajPozycjeZuzia(const TWezelZuzi& wezel, bool scalony,
                                                                 TTekstyZuzi& teksty)
{
    if (wezel.Rodzaj == TWezelZuzi::TRodzaj::Narzuty)
        if (const pugi::xml_node vat = wezel.Wezel.child("VAT")) {
            const pugi::xml_attribute suma = vat.attribute("Suma");
            FStawkaVat =
                XmlNaLiczbe(suma ? std::optional<QString>(wezel.Kodowanie.TekstXml(suma.value())) : std::nullopt, 0.0);
        }

    const bool element = scalony && wezel.Rodzaj == TWezelZuzi::TRodzaj::ElementDrzewa && !wezel.CzyWylaczony();
    const bool pozycja = wezel.Rodzaj == TWezelZuzi::TRodzaj::Pozycja && !wezel.CzyWylaczony();
    const bool transport = wezel.Rodzaj == TWezelZuzi::TRodzaj::Transport;
    if (!element && !pozycja && !transport)
        return nullptr;

    TPozycjaRds::TTeksty t;
    // The description, most often met for the first time, is looked up last, once its slot is at hand.
    QString zapasOpisu;
    const QStringView opis = teksty.Nazwa(wezel.Nazwa, zapasOpisu);
    const quint32 skrotOpisu = teksty.Zwarte.Skrot(opis);
    teksty.Zwarte.Przygotuj(skrotOpisu);
    t.ST = teksty.Wspolne(
        NormalizujSeparatorWariantu(teksty.Wspolny(wezel.Sst.attribute("Nr"), PoleStZrodla), Ustawienia()), PoleSt);
    // The position's own texts, not looked up among the shared ones: made together at the end.
    QString zapasId, zapasNr;
    const QStringView id = teksty.Tekst(wezel.Id, TTekstyZuzi::Id, zapasId);
    const QStringView nr = teksty.Tekst(wezel.Nr, TTekstyZuzi::NrPozycji, zapasNr);
    if (pozycja)
        t.Podstawa = teksty.Podstawa(wezel.Katalog);
    t.Jm = teksty.Zwarte(teksty.Wspolny(transport ? wezel.Odleglosc : wezel.Jedn, PoleJm), PoleJm);
    t.Aktywna = Aktywna(wezel);
    // The quantity and the price come from the bytes of the quantity and the value (and the VAT rate): the
    // same bytes as the last position's give the same texts without decoding them again.
    const pugi::xml_attribute iloscXml = element ? wezel.IloscJedn : wezel.Ilosc;
    TTekstyZuzi::TSurowaIlosc& surowa = teksty.OstatniaIlosc;
    if (!surowa.Dla(iloscXml, wezel.Wartosc, FStawkaVat)) {
        QString zapasIlosci, zapasWartosci;
        const QStringView ilosc = teksty.Tekst(iloscXml, TTekstyZuzi::Ilosci, zapasIlosci);
        const QStringView wartosc = teksty.Tekst(wezel.Wartosc, TTekstyZuzi::Wartosci, zapasWartosci);
        TTekstyZuzi::TCena& cena = teksty.OstatniaCena;
        if (!cena.Dla(wartosc, ilosc, FStawkaVat))
            cena.Zapamietaj(wartosc, ilosc, FStawkaVat, teksty.Zwarte(CenaZWartosci(wartosc, ilosc)));
        surowa.Zapamietaj(iloscXml, wezel.Wartosc, FStawkaVat, cena.Cena,
                          teksty.Zwarte(PrzytnijIlosc(ilosc), PoleIlosc));
    }
    t.Cena = surowa.Cena;
    t.Ilosc = surowa.Ilosc;
    t.UstawWlasne(id, nr, opis, teksty.Zwarte, skrotOpisu);
    return std::make_unique<TPozycjaRds>(std::move(t), WspolnyHandlerPozycji());
}

// The position's value (gross while a VAT rate is known) turned into a net unit price.
QString TKosztorysZuzia::CenaZWartosci(QStringView wartosc, QStringView ilosc) const
{
    if (wartosc.isEmpty() || ilosc.isEmpty())
        return QStringLiteral("0");
    // Views of the texts as the number parser's arguments: nothing is copied.
    const std::optional<double> w = LiczbaZTekstuKosztorysu(QString::fromRawData(wartosc.data(), wartosc.size()));
    const std::optional<double> i = LiczbaZTekstuKosztorysu(QString::fromRawData(ilosc.data(), ilosc.size()));
    if (!w || !i || *w == 0.0 || *i == 0.0)
        return QStringLiteral("0");
    double netto = *w;
    if (FStawkaVat != 0.0)
        netto /= 1.0 + FStawkaVat / 100.0;
    const double cena = netto / *i;
    // A rate of -100 % or values beyond double range give no price rather than "inf".
    if (!std::isfinite(cena))
        return QStringLiteral("0");
    return TekstZLiczbyKosztorysu(cena);
}

QStringView TKosztorysZuzia::PrzytnijIlosc(QStringView ilosc)
{
    if (ilosc.trimmed().isEmpty())
        return ilosc;
    const qsizetype kropka = ilosc.indexOf(QLatin1Char('.'));
    if (kropka >= 0 && ilosc.size() > kropka + 3)
        return ilosc.left(kropka + 3);
    return ilosc;
}

void TKosztorysZuzia::SaveFile(const QString& newFilePath)
{
    const QString zrodlo = FilePath().GetPath();
    const QByteArray dane = CzytajZrodloKopii(zrodlo);
    SprawdzCelKopii(zrodlo, newFilePath);
    ZapiszBezpiecznie(newFilePath, ZapiszDoDanych(dane));
}

QByteArray TKosztorysZuzia::KopiaDanych(const QByteArray& zrodlo) const
{
    pugi::xml_document dokument;
    QByteArray tekst;
    const TFormaXml forma = ParsujXmlKosztorysu(zrodlo, OpcjeKopiiXmlKosztorysu, dokument, tekst);
    ZapiszSst(dokument.document_element(), TIndeksPozycji(*this));
    return XmlKosztorysuNaBajty(dokument, forma);
}

// Every position node in document order (merged elements count as positions) gets the ST number of the
// position with its Id. A node without an Id is left alone: an empty Id names no position.
void TKosztorysZuzia::ZapiszSst(pugi::xml_node wezel, const TIndeksPozycji& indeks) const
{
    for (pugi::xml_node k = wezel.first_child(); k; k = Nastepny(k, wezel)) {
        if (k.type() != pugi::node_element)
            continue;
        const TWezelZuzi::TRodzaj rodzaj = TWezelZuzi::RodzajWezla(k);
        if (!(rodzaj == TWezelZuzi::TRodzaj::Pozycja || rodzaj == TWezelZuzi::TRodzaj::Transport ||
              (rodzaj == TWezelZuzi::TRodzaj::ElementDrzewa && Utf8.CzyJeden(k.attribute("Scal")))))
            continue;
        const QString id = Utf8.Atrybut(k, "Id");
        if (id.isEmpty())
            continue;
        const TPozycjaRds* pozycja = indeks.Znajdz(id);
        if (!pozycja)
            continue;
        pugi::xml_node sst = k.child("Sst");
        if (sst) {
            if (Utf8.Atrybut(sst, "Nr").compare(pozycja->ST(), Qt::CaseInsensitive) == 0)
                continue;
        } else {
            if (pozycja->ST().trimmed().isEmpty())
                continue;
            sst = DodajSst(k);
        }
        pugi::xml_attribute nr = sst.attribute("Nr");
        if (!nr)
            nr = sst.append_attribute("Nr");
        nr.set_value(STDoZapisu(*pozycja, Ustawienia()).toUtf8().constData());
    }
}
