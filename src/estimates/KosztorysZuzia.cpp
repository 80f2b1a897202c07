#include "estimates/KosztorysZuzia.h"

#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/KopiaKosztorysu.h"
#include "estimates/LiczbyKosztorysu.h"
#include "estimates/WspolneTeksty.h"
#include "estimates/XmlKosztorysu.h"

#include <QFileInfo>
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

QString Tekst(const pugi::xml_attribute& a)
{
    return XmlNaTekst(a);
}

QString Atrybut(const pugi::xml_node& w, const char* nazwa)
{
    return XmlNaTekst(w.attribute(nazwa));
}

// The attribute, trimmed, is "1". Asked of every node: the usual values are answered without a QString.
bool CzyJeden(const pugi::xml_attribute& a)
{
    if (!a)
        return false;
    const char* v = a.value();
    if (v[0] == '1' && v[1] == '\0')
        return true;
    if (v[0] == '\0' || (v[0] == '0' && v[1] == '\0'))
        return false;
    return XmlNaTekst(a) == QLatin1String("1");
}

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
        const auto jest = [n](const char* nazwa) { return std::strcmp(n, nazwa) == 0; };
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

    explicit TWezelZuzi(const pugi::xml_node& w) : Wezel(w), Rodzaj(RodzajWezla(w))
    {
        if (Rodzaj == TRodzaj::Inny)
            return;
        for (pugi::xml_attribute a = w.first_attribute(); a; a = a.next_attribute()) {
            const char* n = a.name();
            const auto ustaw = [&a, n](pugi::xml_attribute& cel, const char* nazwa) {
                if (!cel && std::strcmp(n, nazwa) == 0)
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
            if (!Nazwa && std::strcmp(n, "Nazwa") == 0)
                Nazwa = d;
            else if (!Sst && std::strcmp(n, "Sst") == 0)
                Sst = d;
            else if (!Katalog && std::strcmp(n, "Katalog") == 0)
                Katalog = d;
        }
    }

    bool CzyWylaczony() const { return CzyJeden(Blok); }
    bool CzyScalony() const { return CzyJeden(Scal); }

    pugi::xml_node Wezel;
    TRodzaj Rodzaj;
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
QString TekstNazwy(const pugi::xml_node& nazwa)
{
    if (!nazwa)
        return {};
    const pugi::xml_node pierwszy = nazwa.first_child();
    if (pierwszy.type() == pugi::node_pcdata && !pierwszy.next_sibling())
        return QString::fromUtf8(pierwszy.value()).trimmed();
    std::string tekst;
    for (pugi::xml_node w = pierwszy; w; w = Nastepny(w, nazwa))
        if (w.type() == pugi::node_pcdata || w.type() == pugi::node_cdata)
            tekst += w.value();
    return QString::fromUtf8(tekst.data(), static_cast<qsizetype>(tekst.size())).trimmed();
}

bool Aktywna(const TWezelZuzi& w)
{
    return !XmlNaLogiczna(w.Blok ? std::optional<QString>(QString::fromUtf8(w.Blok.value())) : std::nullopt, false);
}

// The catalogue basis of a position as the attributes of its "Katalog" child give it.
QString PodstawaZKatalogu(const pugi::xml_node& katalog)
{
    QString podstawa = Atrybut(katalog, "Podstawa");
    if (podstawa.isEmpty()) {
        const QString nazwaKatalogu = Atrybut(katalog, "Nazwa");
        if (!nazwaKatalogu.isEmpty()) {
            const QString tab = Atrybut(katalog, "Tab");
            const QString kol = Atrybut(katalog, "Kol");
            podstawa = nazwaKatalogu % QLatin1Char(' ') % Atrybut(katalog, "Nr") %
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

// The texts of one reading. A value is decoded into a buffer reused from one value to the next, and only
// what the tree keeps is allocated: a text that repeats through the estimate is shared, any other gets a
// copy of its exact size; a price is worked out once for a run of positions with the same value and
// quantity. A value that the quick way might decode otherwise than the XML layer (one that starts with a
// byte-order mark or holds an invalid sequence) goes the XML layer's way.
class TTekstyZuzi
{
public:
    // The buffers of the values held at once.
    enum TBufor { Tekstowy, Ilosci, Wartosci, Nazwy, Numeru, Tabeli, Kolumny, LiczbaBuforow };

    TWspolneTeksty Wspolne;

    // The attribute's trimmed text (null when there is none): a view into the buffer, or into `zapas`.
    QStringView Tekst(const pugi::xml_attribute& a, TBufor bufor, QString& zapas)
    {
        if (!a)
            return {};
        if (const std::optional<QStringView> v = Widok(a.value(), bufor))
            return *v;
        zapas = ::Tekst(a);
        return zapas;
    }

    QString Wspolny(const pugi::xml_attribute& a)
    {
        QString zapas;
        return Wspolne(Tekst(a, Tekstowy, zapas));
    }

    // A text of the position's own (an Id, a number): not looked up among the shared ones.
    QString Wlasny(const pugi::xml_attribute& a)
    {
        if (a)
            if (const std::optional<QStringView> v = Widok(a.value(), Tekstowy); v && !v->isEmpty())
                return v->toString();
        return ::Tekst(a);
    }

    QString Nazwa(const pugi::xml_node& nazwa)
    {
        const pugi::xml_node pierwszy = nazwa.first_child();
        if (pierwszy.type() == pugi::node_pcdata && !pierwszy.next_sibling())
            if (const std::optional<QStringView> v = Widok(pierwszy.value(), Tekstowy))
                return Wspolne(*v);
        return Wspolne(TekstNazwy(nazwa));
    }

    // PodstawaZKatalogu, shared, with the attributes found in one pass (the first of a name counts).
    QString Podstawa(const pugi::xml_node& katalog)
    {
        pugi::xml_attribute podstawa, nazwa, nr, tab, kol;
        for (pugi::xml_attribute a = katalog.first_attribute(); a; a = a.next_attribute()) {
            const char* n = a.name();
            const auto ustaw = [&a, n](pugi::xml_attribute& cel, const char* szukana) {
                if (!cel && std::strcmp(n, szukana) == 0)
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
        const auto widok = [this](const pugi::xml_attribute& a, TBufor bufor) -> std::optional<QStringView> {
            if (!a)
                return QStringView();
            return Widok(a.value(), bufor);
        };
        const std::optional<QStringView> p = widok(podstawa, Tekstowy);
        if (!p)
            return Wspolne(PodstawaZKatalogu(katalog));
        if (!p->isEmpty())
            return Wspolne(*p);
        const std::optional<QStringView> n = widok(nazwa, Nazwy);
        if (!n)
            return Wspolne(PodstawaZKatalogu(katalog));
        if (n->isEmpty())
            return {};
        const std::optional<QStringView> r = widok(nr, Numeru);
        const std::optional<QStringView> t = widok(tab, Tabeli);
        const std::optional<QStringView> k = widok(kol, Kolumny);
        if (!r || !t || !k)
            return Wspolne(PodstawaZKatalogu(katalog));
        FSklad.clear();
        FSklad.append(n->utf16(), static_cast<size_t>(n->size()));
        FSklad += u' ';
        FSklad.append(r->utf16(), static_cast<size_t>(r->size()));
        for (const QStringView& dodatek : {*t, *k})
            if (!dodatek.isEmpty()) {
                FSklad += u'/';
                FSklad.append(dodatek.utf16(), static_cast<size_t>(dodatek.size()));
            }
        return Wspolne(QStringView(FSklad));
    }

    // The price last worked out, for the value, quantity and VAT rate it was worked out from.
    struct TCena
    {
        std::u16string Wartosc, Ilosc;
        double StawkaVat = 0.0;
        QString Cena;
        bool Jest = false;

        bool Dla(QStringView wartosc, QStringView ilosc, double vat) const
        {
            return Jest && vat == StawkaVat && QStringView(Wartosc) == wartosc && QStringView(Ilosc) == ilosc;
        }
        void Zapamietaj(QStringView wartosc, QStringView ilosc, double vat, const QString& cena)
        {
            Wartosc.assign(wartosc.utf16(), static_cast<size_t>(wartosc.size()));
            Ilosc.assign(ilosc.utf16(), static_cast<size_t>(ilosc.size()));
            StawkaVat = vat;
            Cena = cena;
            Jest = true;
        }
    } OstatniaCena;

private:
    // The UTF-8 text decoded and trimmed, or nothing when the XML layer's way is needed.
    std::optional<QStringView> Widok(const char* utf8, TBufor bufor)
    {
        const size_t n = std::strlen(utf8);
        if (n >= 3 && std::memcmp(utf8, "\xEF\xBB\xBF", 3) == 0)
            return std::nullopt;
        std::vector<char16_t>& b = FBufory[bufor];
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
    CzytajDane(CzytajZrodloKopii(sciezka));
}

void TKosztorysZuzia::CzytajDane(const QByteArray& dane)
{
    FStawkaVat = 0.0;
    pugi::xml_document dokument;
    QByteArray tekst;
    ParsujXmlKosztorysu(dane, OpcjeCzytaniaXmlKosztorysu, dokument, tekst);
    const pugi::xml_node korzen = dokument.document_element();
    if (korzen.first_child())
        CzytajWezly(korzen, this);
}

// Each child in document order: a chapter, group or element opens an element (and becomes the current
// element for the rest of the children), a position goes to the element being read (to the merged element
// itself when it is one), and the child's own children are read into the current element. The walk keeps
// its own stack, so the depth of the document does not matter.
void TKosztorysZuzia::CzytajWezly(const pugi::xml_node& wezel, TElementRds* element)
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
    TTekstyZuzi teksty;
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
        const TWezelZuzi wezelZuzi(k);
        bool scalony = false;
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
    return std::make_unique<TElementRds>(Tekst(wezel.Nr), 0, TekstNazwy(wezel.Nazwa));
}

// The position is made with its texts and then given the estimate's change handler: reading reports no
// changes. Texts that repeat through the estimate keep one copy.
std::unique_ptr<TPozycjaRds> TKosztorysZuzia::CzytajPozycjeZuzia(const TWezelZuzi& wezel, bool scalony,
                                                                 TTekstyZuzi& teksty)
{
    if (wezel.Rodzaj == TWezelZuzi::TRodzaj::Narzuty)
        if (const pugi::xml_node vat = wezel.Wezel.child("VAT"))
            FStawkaVat = XmlNaLiczbe(AtrybutXml(vat, "Suma"), 0.0);

    const bool element = scalony && wezel.Rodzaj == TWezelZuzi::TRodzaj::ElementDrzewa && !wezel.CzyWylaczony();
    const bool pozycja = wezel.Rodzaj == TWezelZuzi::TRodzaj::Pozycja && !wezel.CzyWylaczony();
    const bool transport = wezel.Rodzaj == TWezelZuzi::TRodzaj::Transport;
    if (!element && !pozycja && !transport)
        return nullptr;

    TPozycjaRds::TTeksty t;
    t.Opis = teksty.Nazwa(wezel.Nazwa);
    t.ST = teksty.Wspolne(NormalizujSeparatorWariantu(teksty.Wspolny(wezel.Sst.attribute("Nr")), Ustawienia()));
    t.Id = teksty.Wlasny(wezel.Id);
    t.Nr = teksty.Wlasny(wezel.Nr);
    if (pozycja)
        t.Podstawa = teksty.Podstawa(wezel.Katalog);
    t.Jm = teksty.Wspolny(transport ? wezel.Odleglosc : wezel.Jedn);
    QString zapasIlosci, zapasWartosci;
    const QStringView ilosc = teksty.Tekst(element ? wezel.IloscJedn : wezel.Ilosc, TTekstyZuzi::Ilosci, zapasIlosci);
    const QStringView wartosc = teksty.Tekst(wezel.Wartosc, TTekstyZuzi::Wartosci, zapasWartosci);
    t.Aktywna = Aktywna(wezel);
    TTekstyZuzi::TCena& cena = teksty.OstatniaCena;
    if (!cena.Dla(wartosc, ilosc, FStawkaVat))
        cena.Zapamietaj(wartosc, ilosc, FStawkaVat, teksty.Wspolne(CenaZWartosci(wartosc, ilosc)));
    t.Cena = cena.Cena;
    t.Ilosc = teksty.Wspolne(PrzytnijIlosc(ilosc));
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
              (rodzaj == TWezelZuzi::TRodzaj::ElementDrzewa && CzyJeden(k.attribute("Scal")))))
            continue;
        const QString id = Atrybut(k, "Id");
        if (id.isEmpty())
            continue;
        const TPozycjaRds* pozycja = indeks.Znajdz(id);
        if (!pozycja)
            continue;
        pugi::xml_node sst = k.child("Sst");
        if (sst) {
            if (Atrybut(sst, "Nr").compare(pozycja->ST(), Qt::CaseInsensitive) == 0)
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
