// Reading and writing the list file (".sst").
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "app/ZapisBezpieczny.h"
#include "prices/CenaJedn.h"
#include "specs/CenaJednXml.h"
#include "specs/CenyOdroczone.h"
#include "specs/CzytnikAtrybutow.h"
#include "specs/IndeksSpisu.h"
#include "specs/IstnienieDokumentow.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/NazwyPlikuSst.h"
#include "specs/ObslugaDuplikatowListy.h"
#include "specs/SpisST.h"
#include "specs/StrumienXml.h"
#include "specs/WariantSpecyfikacji.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Above this size a file reports shorter pauses per step of its progress.
constexpr qsizetype DuzyPlik = 200000;

// The attributes of a node and of a variant, and of a unit, read in one pass each (CzytnikAtrybutow.h).
enum { ANumer, AOpis, APlik, AInfo, AGrupa, AWarunkiOgolne };
constexpr const char* AtrybutyWezla[] = {NazwySst::Numer, NazwySst::Opis,  NazwySst::Plik,
                                         NazwySst::Info,  NazwySst::Grupa, NazwySst::WarunkiOgolne};
enum { AJm, AOpisJednostki, AEksportuj, ACenaJedn };
constexpr const char* AtrybutyJednostki[] = {NazwySst::Jm, NazwySst::Opis, NazwySst::Eksportuj, "cenaJedn"};

// What a node's reading looks for among its children, found in one pass: the first "warianty", the first
// "jednostki" and the first child node, as child(name) finds each.
struct TDzieciWezla
{
    pugi::xml_node Warianty, Jednostki, Pierwszy;
};

TDzieciWezla DzieciWezla(const pugi::xml_node& e)
{
    TDzieciWezla wynik;
    for (pugi::xml_node c = e.first_child(); c; c = c.next_sibling()) {
        const char* nazwa = c.name();
        pugi::xml_node* cel = nullptr;
        if (RowneWprost(nazwa, NazwySst::Wezel))
            cel = &wynik.Pierwszy;
        else if (RowneWprost(nazwa, NazwySst::Jednostki))
            cel = &wynik.Jednostki;
        else if (RowneWprost(nazwa, NazwySst::Warianty))
            cel = &wynik.Warianty;
        if (cel && !*cel)
            *cel = c;
    }
    return wynik;
}

// The "specyfikacja" elements the reading visits: the first one, its following siblings and those nested
// in them, counted without recursion (a file may nest them arbitrarily deep). The rest of the document (units,
// prices, variants) is not walked: it is most of the file.
int PoliczElementy(const pugi::xml_node& pierwszy)
{
    int ile = 0;
    std::vector<pugi::xml_node> stos;
    for (pugi::xml_node n = pierwszy; n; n = NastepnyTakiSam(n, NazwySst::Wezel))
        stos.push_back(n);
    while (!stos.empty()) {
        const pugi::xml_node n = stos.back();
        stos.pop_back();
        ++ile;
        for (pugi::xml_node dziecko = PierwszeDziecko(n, NazwySst::Wezel); dziecko;
             dziecko = NastepnyTakiSam(dziecko, NazwySst::Wezel))
            stos.push_back(dziecko);
    }
    return ile;
}

QByteArray CzytajPlikListy(const QString& sciezka)
{
    try {
        return CzytajCalyPlik(sciezka);
    } catch (const EOdczytPliku& e) {
        if (e.Powod() == EOdczytPliku::ZaDuzy)
            throw;
        throw EBlad(
            QStringLiteral("Nie można otworzyć pliku listy specyfikacji: %1 (%2)").arg(sciezka, e.OpisSystemu()));
    }
}

void ZapiszJednostki(TStrumienXml& xml, const TSpecyfikacja& wezel)
{
    bool otwarte = false;
    for (int i = 0; i < wezel.JmCount(); ++i) {
        const TJmSpecyfikacji* jm = wezel.GetJm(i);
        if (jm->CzyPusta())
            continue;
        if (!otwarte) {
            xml.Otworz(NazwySst::Jednostki);
            otwarte = true;
        }
        xml.Otworz(NazwySst::Jednostka);
        xml.Atrybut(NazwySst::Jm, jm->Jm());
        xml.Atrybut(NazwySst::Opis, jm->Opis());
        xml.Atrybut(NazwySst::Eksportuj, jm->Eksportuj());
        ZapiszCeneJedn(xml, *jm->CenaJedn());
        xml.Zamknij();
    }
    if (otwarte)
        xml.Zamknij();
}

void ZapiszWezel(TStrumienXml& xml, const TSpecyfikacja& wezel)
{
    xml.Otworz(NazwySst::Wezel);
    if (!wezel.Numer().isEmpty())
        xml.Atrybut(NazwySst::Numer, wezel.Numer());
    if (!wezel.Opis().isEmpty())
        xml.Atrybut(NazwySst::Opis, wezel.Opis());
    if (!wezel.GetPlik().isEmpty())
        xml.Atrybut(NazwySst::Plik, wezel.GetEncodedPath());
    if (!wezel.Info().isEmpty())
        xml.Atrybut(NazwySst::Info, wezel.Info());
    if (wezel.CzyGrupa())
        xml.Atrybut(NazwySst::Grupa, true);
    if (wezel.CzyWarunkiOgolne())
        xml.Atrybut(NazwySst::WarunkiOgolne, true);
    // Written for groups too: a specification that became a group keeps its variants and units.
    if (wezel.WariantyCount() > 0) {
        xml.Otworz(NazwySst::Warianty);
        for (int i = 0; i < wezel.WariantyCount(); ++i) {
            const TWariantSpecyfikacji* wariant = wezel.GetWariant(i);
            xml.Otworz(NazwySst::Wariant);
            xml.Atrybut(NazwySst::Numer, wariant->Numer());
            xml.Atrybut(NazwySst::Opis, wariant->Opis());
            xml.Atrybut(NazwySst::Plik, wariant->GetEncodedPath());
            if (!wariant->Info().isEmpty())
                xml.Atrybut(NazwySst::Info, wariant->Info());
            ZapiszJednostki(xml, *wariant);
            xml.Zamknij();
        }
        xml.Zamknij();
    }
    ZapiszJednostki(xml, wezel);
    for (int i = 0; i < wezel.Count(); ++i)
        ZapiszWezel(xml, *wezel.GetSpecyfikacja(i));
    xml.Zamknij();
}

} // namespace

// --- Reading

void TSpisST::Otworz(const QString& sciezka, bool tworzKopieZapasowa)
{
    SpisStPath.SetPath(sciezka);
    if (FOnZmianaNazwyPliku)
        FOnZmianaNazwyPliku(this);
    const QString plik = QStringView(SpisStPath.EncodedPath()).trimmed().isEmpty() ? QString() : SpisStPath.GetPath();
    if (plik.isEmpty() || !QFileInfo(plik).isFile())
        return;
    Wczytaj(CzytajPlikListy(plik), nullptr);
    if (!tworzKopieZapasowa)
        return;
    try {
        // Read again rather than kept: a large list's bytes need not stay in memory while its tree is built.
        ZapiszBezpiecznie(SciezkaKopiiZapasowej(plik), CzytajPlikListy(plik));
    } catch (const EBlad& e) {
        throw EBlad(QStringLiteral("Nie można utworzyć kopii zapasowej listy specyfikacji: ") + e.Komunikat());
    }
}

void TSpisST::OtworzZBajtow(const QByteArray& bajty)
{
    Wczytaj(bajty, nullptr);
}

void TSpisST::DodajListe(const QString& sciezka, IObslugaDuplikatowListy& obsluga)
{
    FListaPustych.clear();
    if (QStringView(sciezka).trimmed().isEmpty() || !QFileInfo(sciezka).isFile())
        throw EBlad(QStringLiteral("Brak pliku listy specyfikacji: ") + sciezka);
    Wczytaj(CzytajPlikListy(sciezka), &obsluga);
}

void TSpisST::DodajListeZBajtow(const QByteArray& bajty, IObslugaDuplikatowListy& obsluga)
{
    Wczytaj(bajty, &obsluga);
}

void TSpisST::Wczytaj(QByteArray bajty, IObslugaDuplikatowListy* obsluga)
{
    FListaPustych.clear();
    // A plain open leaves the unit prices in the document until they are asked for; a merge restores
    // them at once, for the user's answers may replace them.
    auto zrodlo = std::make_shared<TCenyOdroczone>();
    pugi::xml_document& dokument = zrodlo->Dokument;
    ParsujXml(bajty, dokument);
    zrodlo->Ustawienia = FUstawieniaCen;
    const qsizetype rozmiar = bajty.size();
    FRozmiarPliku = std::max(FRozmiarPliku, rozmiar);
    bajty = QByteArray(); // the document holds its own copy
    const pugi::xml_node pierwszy = PierwszeDziecko(dokument.document_element(), NazwySst::Wezel);
    const int elementow = PoliczElementy(pierwszy);
    FIndeks->Zarezerwuj(elementow);
    if (FOnOtworzMaxProgres)
        FOnOtworzMaxProgres(elementow, rozmiar <= DuzyPlik ? 5 : 2);
    if (obsluga) {
        // A merge keeps what it read before a failure: the user's answers have changed existing nodes.
        WczytajElementy(pierwszy, *this, obsluga);
        return;
    }
    const int przed = Count();
    // No one else acts while a plain open reads: the documents' folders may be read once for all nodes.
    TIstnienieDokumentow istnienie;
    TZakresIstnieniaDokumentow zakres(istnienie);
    FCenyOdroczone = std::move(zrodlo);
    try {
        WczytajElementy(pierwszy, *this, nullptr);
        FCenyOdroczone.reset();
    } catch (...) {
        FCenyOdroczone.reset();
        // A plain open adds only new nodes, all below new top-level nodes: taking those away leaves the
        // list as it was.
        FKoniec = true;
        while (Count() > przed)
            Remove(Count() - 1);
        FKoniec = false;
        PrzebudujIndeks();
        FListaPustych.clear();
        throw;
    }
}

void TSpisST::WczytajElementy(const pugi::xml_node& pierwszy, TSpecyfikacja& rodzic, IObslugaDuplikatowListy* obsluga)
{
    for (pugi::xml_node e = pierwszy; e && !FTerminatedOtworz; e = NastepnyTakiSam(e, NazwySst::Wezel))
        WczytajElement(e, rodzic, obsluga);
}

bool TSpisST::CzyDuplikatPrzyOtwarciu(TSpecyfikacja& s, bool czyGrupa)
{
    // The node's document was looked at when it was set: that answer stands for GetPlik. Only the file
    // name counts, and the stored form has the same one unless the user-folder token stands in it.
    if (!czyGrupa || QStringView(s.Numer()).trimmed().isEmpty()) {
        if (CzyUzywanyNumer(s.Numer()))
            return true;
        if (!s.CzyIstnieje())
            return false;
        const QString& zapisana = s.GetEncodedPath();
        const bool zTokenem = TMyPath::ZawieraToken(NazwaPlikuZeSciezki(zapisana));
        return CzyUzywanyPlik(zTokenem ? s.GetPath()->GetPath() : zapisana);
    }
    return CzyUzywanyNumerWGrupach(s.Numer());
}

template <typename Krok> void TSpisST::JakoSpecyfikacja(TSpecyfikacja& wezel, Krok&& krok)
{
    // The group flag is reached through the list's own type: the model keeps no operation that attaches
    // to a group what a specification keeps when it becomes one, and such a node must read back whole.
    bool TSpecyfikacja::*grupa = &TSpisST::FGrupa;
    const bool byla = wezel.*grupa;
    wezel.*grupa = false;
    try {
        krok();
    } catch (...) {
        wezel.*grupa = byla;
        throw;
    }
    wezel.*grupa = byla;
}

void TSpisST::WczytajElement(const pugi::xml_node& e, TSpecyfikacja& rodzic, IObslugaDuplikatowListy* obsluga)
{
    if (FTerminatedOtworz)
        return;
    const auto a = AtrybutyWedlugNazw(e, AtrybutyWezla);
    const QString numer = XmlNaTekst(a[ANumer]);
    const QString opis = XmlNaTekst(a[AOpis]);
    const QString plik = XmlNaTekst(a[APlik]);
    const QString info = XmlNaTekst(a[AInfo]);
    const bool czyGrupa = XmlNaLogiczna(a[AGrupa], false);
    const bool czyWarunkiOgolne = XmlNaLogiczna(a[AWarunkiOgolne], false);
    if (FOnOtworzChangeProgres)
        FOnOtworzChangeProgres(this);
    if (numer.isEmpty() && opis.isEmpty() && plik.isEmpty())
        return;
    const TDzieciWezla dzieci = DzieciWezla(e);

    if (!obsluga) {
        // A plain open reads the node whole before it joins the tree: its variants and units then cost
        // neither a look at the document nor a change event each, and the document is looked at once.
        auto s = std::make_unique<TSpecyfikacja>(numer, czyWarunkiOgolne, czyGrupa, info, QString(), opis,
                                                 KatalogUzytkownika());
        WczytajWarianty(dzieci.Warianty, *s);
        WczytajJednostki(dzieci.Jednostki, *s);
        if (!czyGrupa && !plik.isEmpty()) {
            void (TSpecyfikacja::*ustawPlik)(const QString&) = &TSpisST::UstawPlikWczytany;
            ((*s).*ustawPlik)(plik);
        }
        if (CzyDuplikatPrzyOtwarciu(*s, czyGrupa))
            return;
        TSpecyfikacja* wezel = s.get();
        if (!rodzic.Add(std::move(s)))
            return;
        DopiszPusty(*wezel);
        WczytajElementy(dzieci.Pierwszy, *wezel, nullptr);
        return;
    }

    auto s = std::make_unique<TSpecyfikacja>(numer, czyWarunkiOgolne, czyGrupa, info, plik, opis, KatalogUzytkownika());
    TSpecyfikacja* wezel = nullptr;
    bool czyNadpisany = false;
    TSpecyfikacja* istniejacy = nullptr;
    bool czyDuplikatPliku = false;
    if (obsluga->CzySaDuplikaty(*this, s, istniejacy, czyDuplikatPliku)) {
        if (!istniejacy)
            return;
        wezel = istniejacy;
        czyNadpisany = czyDuplikatPliku ? obsluga->GetWybranaOpcjaDuplikatowPliku() == dpoNadpisz
                                        : obsluga->GetWybranaOpcjaDuplikatowNumeru() == doNadpisz;
    } else {
        if (!s)
            return;
        wezel = s.get();
        if (!rodzic.Add(std::move(s)))
            return;
    }
    DopiszPusty(*wezel);
    if (czyNadpisany)
        wezel->ClearWarianty();
    WczytajWarianty(dzieci.Warianty, *wezel);
    WczytajJednostki(dzieci.Jednostki, *wezel);
    WczytajElementy(dzieci.Pierwszy, *wezel, obsluga);
}

void TSpisST::DopiszPusty(TSpecyfikacja& wezel)
{
    if (QStringView(wezel.Numer()).trimmed().isEmpty() && wezel.KtoryPoziom() >= 2 &&
        std::find(FListaPustych.begin(), FListaPustych.end(), &wezel) == FListaPustych.end())
        FListaPustych.push_back(&wezel);
}

void TSpisST::WczytajWarianty(const pugi::xml_node& warianty, TSpecyfikacja& wezel)
{
    for (pugi::xml_node w = PierwszeDziecko(warianty, NazwySst::Wariant); w;
         w = NastepnyTakiSam(w, NazwySst::Wariant)) {
        const auto a = AtrybutyWedlugNazw(w, AtrybutyWezla);
        auto wariant =
            std::make_unique<TWariantSpecyfikacji>(XmlNaTekst(a[ANumer]), XmlNaTekst(a[AOpis]), XmlNaTekst(a[APlik]),
                                                   XmlNaTekst(a[AInfo]), KatalogUzytkownika());
        WczytajJednostki(PierwszeDziecko(w, NazwySst::Jednostki), *wariant);
        JakoSpecyfikacja(wezel, [&] { wezel.AddWariant(std::move(wariant)); });
    }
}

void TSpisST::WczytajJednostki(const pugi::xml_node& jednostki, TSpecyfikacja& wezel)
{
    for (pugi::xml_node j = PierwszeDziecko(jednostki, NazwySst::Jednostka); j;
         j = NastepnyTakiSam(j, NazwySst::Jednostka)) {
        const auto a = AtrybutyWedlugNazw(j, AtrybutyJednostki);
        std::unique_ptr<TJmSpecyfikacji> jm;
        const QString symbol = XmlNaTekst(a[AJm]);
        const QString opis = XmlNaTekst(a[AOpisJednostki]);
        const bool eksportuj = XmlNaLogiczna(a[AEksportuj], false);
        // The older form (a number in an attribute) costs nothing to read now.
        if (FCenyOdroczone && !a[ACenaJedn] && PierwszeDziecko(j, "cenaJedn")) {
            jm = std::make_unique<TJmSpecyfikacji>(symbol, opis, eksportuj, FCenyOdroczone, j);
        } else {
            jm = std::make_unique<TJmSpecyfikacji>(symbol, opis, eksportuj);
            WczytajCeneJedn(j, *jm->CenaJedn(), FUstawieniaCen);
        }
        JakoSpecyfikacja(wezel, [&] { wezel.AddJm(std::move(jm)); });
    }
}

// --- Writing

void TSpisST::ZapiszDo(TStrumienXml& xml) const
{
    // Every node's document is looked at again: only an existing one is written.
    TIstnienieDokumentow istnienie;
    TZakresIstnieniaDokumentow zakres(istnienie);
    xml.Otworz(NazwySst::Korzen);
    xml.Atrybut(NazwySst::Wersja, WersjaProgramu());
    for (int i = 0; i < Count(); ++i)
        ZapiszWezel(xml, *GetSpecyfikacja(i));
    xml.Zamknij();
}

QByteArray TSpisST::ZapiszDoBajtow() const
{
    TStrumienXml xml(FRozmiarPliku + FRozmiarPliku / 16);
    ZapiszDo(xml);
    QByteArray wynik = std::move(xml).Wynik();
    FRozmiarPliku = wynik.size();
    return wynik;
}

void TSpisST::Zapisz(const QString& sciezka)
{
    if (!sciezka.isEmpty()) {
        SpisStPath.SetPath(sciezka);
        if (FOnZmianaNazwyPliku)
            FOnZmianaNazwyPliku(this);
    }
    if (QStringView(SpisStPath.EncodedPath()).trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać plik SST"));
    const QString cel = SpisStPath.GetPath();
    if (QFileInfo(cel).isDir())
        throw EBlad(QStringLiteral("Nie można zapisać pliku: \"%1\" jest folderem.").arg(cel));
    // The file goes to its temporary in blocks, as it is made, rather than whole from memory: the safe
    // write opens the temporary through this device maker, which writes the content into it and hands it
    // back for the flush to disk and the replacement. Failures read as the safe write's own ("Błąd zapisu
    // pliku ...: <the system's reason>").
    const TFabrykaUrzadzenia doTymczasowego = [this](const QString& tymczasowy) -> std::unique_ptr<QIODevice> {
        auto plik = std::make_unique<QFile>(tymczasowy);
        if (!plik->open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw EBlad(plik->errorString());
        TStrumienXml xml([&plik](const char* dane, qsizetype dlugosc) {
            qint64 zapisane = 0;
            while (zapisane < dlugosc) {
                const qint64 n = plik->write(dane + zapisane, dlugosc - zapisane);
                if (n <= 0)
                    throw EBlad(plik->errorString());
                zapisane += n;
            }
        });
        ZapiszDo(xml);
        FRozmiarPliku = xml.Dokoncz();
        return plik;
    };
    try {
        ZapiszBezpiecznie(cel, QByteArray(), doTymczasowego);
    } catch (const EBlad& e) {
        throw EBlad(QStringLiteral("Nie można zapisać pliku: ") + e.Komunikat());
    }
}
