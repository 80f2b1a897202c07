// Reading and writing the list file (".sst").
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "app/ZapisBezpieczny.h"
#include "prices/CenaJedn.h"
#include "specs/CenaJednXml.h"
#include "specs/IndeksSpisu.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/NazwyPlikuSst.h"
#include "specs/ObslugaDuplikatowListy.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace {

// Above this size a file reports shorter pauses per step of its progress.
constexpr qsizetype DuzyPlik = 200000;

QString Tekst(const pugi::xml_node& e, const char* nazwa)
{
    return XmlNaTekst(e.attribute(nazwa));
}

bool Logiczna(const pugi::xml_node& e, const char* nazwa)
{
    return XmlNaLogiczna(AtrybutXml(e, nazwa), false);
}

bool CzySpecyfikacja(const pugi::xml_node& n)
{
    return n.type() == pugi::node_element && std::strcmp(n.name(), NazwySst::Wezel) == 0;
}

// "specyfikacja" elements at every depth below and including the first one and its following siblings,
// counted without recursion (a file may nest elements arbitrarily deep).
int PoliczElementy(const pugi::xml_node& pierwszy)
{
    int ile = 0;
    for (pugi::xml_node gora = pierwszy; gora; gora = gora.next_sibling(NazwySst::Wezel)) {
        pugi::xml_node n = gora;
        while (true) {
            if (CzySpecyfikacja(n))
                ++ile;
            if (n.first_child()) {
                n = n.first_child();
                continue;
            }
            while (n != gora && !n.next_sibling())
                n = n.parent();
            if (n == gora)
                break;
            n = n.next_sibling();
        }
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

void ZapiszJednostki(pugi::xml_node& rodzic, const TSpecyfikacja& wezel)
{
    pugi::xml_node jednostki;
    for (int i = 0; i < wezel.JmCount(); ++i) {
        const TJmSpecyfikacji* jm = wezel.GetJm(i);
        if (jm->CzyPusta())
            continue;
        if (!jednostki)
            jednostki = rodzic.append_child(NazwySst::Jednostki);
        pugi::xml_node e = jednostki.append_child(NazwySst::Jednostka);
        UstawTekstXml(e, NazwySst::Jm, jm->Jm());
        UstawTekstXml(e, NazwySst::Opis, jm->Opis());
        UstawAtrybut(e, NazwySst::Eksportuj, jm->Eksportuj());
        ZapiszCeneJedn(e, *jm->CenaJedn());
    }
}

void ZapiszWezel(pugi::xml_node& rodzic, const TSpecyfikacja& wezel)
{
    pugi::xml_node e = rodzic.append_child(NazwySst::Wezel);
    if (!wezel.Numer().isEmpty())
        UstawTekstXml(e, NazwySst::Numer, wezel.Numer());
    if (!wezel.Opis().isEmpty())
        UstawTekstXml(e, NazwySst::Opis, wezel.Opis());
    if (!wezel.GetPlik().isEmpty())
        UstawTekstXml(e, NazwySst::Plik, wezel.GetEncodedPath());
    if (!wezel.Info().isEmpty())
        UstawTekstXml(e, NazwySst::Info, wezel.Info());
    if (wezel.CzyGrupa())
        UstawAtrybut(e, NazwySst::Grupa, true);
    if (wezel.CzyWarunkiOgolne())
        UstawAtrybut(e, NazwySst::WarunkiOgolne, true);
    // Written for groups too: a specification that became a group keeps its variants and units.
    if (wezel.WariantyCount() > 0) {
        pugi::xml_node warianty = e.append_child(NazwySst::Warianty);
        for (int i = 0; i < wezel.WariantyCount(); ++i) {
            const TWariantSpecyfikacji* wariant = wezel.GetWariant(i);
            pugi::xml_node w = warianty.append_child(NazwySst::Wariant);
            UstawTekstXml(w, NazwySst::Numer, wariant->Numer());
            UstawTekstXml(w, NazwySst::Opis, wariant->Opis());
            UstawTekstXml(w, NazwySst::Plik, wariant->GetEncodedPath());
            if (!wariant->Info().isEmpty())
                UstawTekstXml(w, NazwySst::Info, wariant->Info());
            ZapiszJednostki(w, *wariant);
        }
    }
    ZapiszJednostki(e, wezel);
    for (int i = 0; i < wezel.Count(); ++i)
        ZapiszWezel(e, *wezel.GetSpecyfikacja(i));
}

} // namespace

// --- Reading

void TSpisST::Otworz(const QString& sciezka, bool tworzKopieZapasowa)
{
    SpisStPath.SetPath(sciezka);
    if (FOnZmianaNazwyPliku)
        FOnZmianaNazwyPliku(this);
    const QString plik = SpisStPath.EncodedPath().trimmed().isEmpty() ? QString() : SpisStPath.GetPath();
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
    if (sciezka.trimmed().isEmpty() || !QFileInfo(sciezka).isFile())
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
    pugi::xml_document dokument;
    ParsujXml(bajty, dokument);
    const qsizetype rozmiar = bajty.size();
    bajty = QByteArray(); // the document holds its own copy
    const pugi::xml_node pierwszy = dokument.document_element().child(NazwySst::Wezel);
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
    try {
        WczytajElementy(pierwszy, *this, nullptr);
    } catch (...) {
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
    for (pugi::xml_node e = pierwszy; e && !FTerminatedOtworz; e = e.next_sibling(NazwySst::Wezel))
        WczytajElement(e, rodzic, obsluga);
}

bool TSpisST::CzyDuplikatPrzyOtwarciu(TSpecyfikacja& s, bool czyGrupa)
{
    // The node's document was looked at when it was set: that answer stands for GetPlik. Only the file
    // name counts, and the stored form has the same one unless the user-folder token stands in it.
    if (!czyGrupa || s.Numer().trimmed().isEmpty()) {
        if (CzyUzywanyNumer(s.Numer()))
            return true;
        if (!s.CzyIstnieje())
            return false;
        const QString& zapisana = s.GetEncodedPath();
        const bool zTokenem = NazwaPlikuZeSciezki(zapisana).contains(TMyPath::Token, Qt::CaseInsensitive);
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
    const QString numer = Tekst(e, NazwySst::Numer);
    const QString opis = Tekst(e, NazwySst::Opis);
    const QString plik = Tekst(e, NazwySst::Plik);
    const QString info = Tekst(e, NazwySst::Info);
    const bool czyGrupa = Logiczna(e, NazwySst::Grupa);
    const bool czyWarunkiOgolne = Logiczna(e, NazwySst::WarunkiOgolne);
    if (FOnOtworzChangeProgres)
        FOnOtworzChangeProgres(this);
    if (numer.isEmpty() && opis.isEmpty() && plik.isEmpty())
        return;

    if (!obsluga) {
        // A plain open reads the node whole before it joins the tree: its variants and units then cost
        // neither a look at the document nor a change event each, and the document is looked at once.
        auto s = std::make_unique<TSpecyfikacja>(numer, czyWarunkiOgolne, czyGrupa, info, QString(), opis,
                                                 KatalogUzytkownika());
        WczytajWarianty(e, *s);
        WczytajJednostki(e, *s);
        if (!czyGrupa && !plik.isEmpty())
            s->SetPlik(plik);
        if (CzyDuplikatPrzyOtwarciu(*s, czyGrupa))
            return;
        TSpecyfikacja* wezel = s.get();
        if (!rodzic.Add(std::move(s)))
            return;
        DopiszPusty(*wezel);
        WczytajElementy(e.child(NazwySst::Wezel), *wezel, nullptr);
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
    WczytajWarianty(e, *wezel);
    WczytajJednostki(e, *wezel);
    WczytajElementy(e.child(NazwySst::Wezel), *wezel, obsluga);
}

void TSpisST::DopiszPusty(TSpecyfikacja& wezel)
{
    if (wezel.Numer().trimmed().isEmpty() && wezel.KtoryPoziom() >= 2 &&
        std::find(FListaPustych.begin(), FListaPustych.end(), &wezel) == FListaPustych.end())
        FListaPustych.push_back(&wezel);
}

void TSpisST::WczytajWarianty(const pugi::xml_node& e, TSpecyfikacja& wezel)
{
    for (pugi::xml_node w = e.child(NazwySst::Warianty).child(NazwySst::Wariant); w;
         w = w.next_sibling(NazwySst::Wariant)) {
        auto wariant = std::make_unique<TWariantSpecyfikacji>(Tekst(w, NazwySst::Numer), Tekst(w, NazwySst::Opis),
                                                              Tekst(w, NazwySst::Plik), Tekst(w, NazwySst::Info),
                                                              KatalogUzytkownika());
        WczytajJednostki(w, *wariant);
        JakoSpecyfikacja(wezel, [&] { wezel.AddWariant(std::move(wariant)); });
    }
}

void TSpisST::WczytajJednostki(const pugi::xml_node& e, TSpecyfikacja& wezel)
{
    for (pugi::xml_node j = e.child(NazwySst::Jednostki).child(NazwySst::Jednostka); j;
         j = j.next_sibling(NazwySst::Jednostka)) {
        auto jm = std::make_unique<TJmSpecyfikacji>(Tekst(j, NazwySst::Jm), Tekst(j, NazwySst::Opis),
                                                    Logiczna(j, NazwySst::Eksportuj));
        // Before the price is read, so that reading computes it once, with the list's settings.
        jm->CenaJedn()->SetUstawienia(FUstawieniaCen);
        WczytajCeneJedn(j, *jm->CenaJedn());
        JakoSpecyfikacja(wezel, [&] { wezel.AddJm(std::move(jm)); });
    }
}

// --- Writing

QByteArray TSpisST::ZapiszDoBajtow() const
{
    pugi::xml_document dokument;
    NowyDokumentXml(dokument);
    pugi::xml_node sst = dokument.append_child(NazwySst::Korzen);
    UstawAtrybut(sst, NazwySst::Wersja, WersjaProgramu());
    for (int i = 0; i < Count(); ++i)
        ZapiszWezel(sst, *GetSpecyfikacja(i));
    return XmlNaBajty(dokument);
}

void TSpisST::Zapisz(const QString& sciezka)
{
    if (!sciezka.isEmpty()) {
        SpisStPath.SetPath(sciezka);
        if (FOnZmianaNazwyPliku)
            FOnZmianaNazwyPliku(this);
    }
    if (SpisStPath.EncodedPath().trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać plik SST"));
    const QString cel = SpisStPath.GetPath();
    if (QFileInfo(cel).isDir())
        throw EBlad(QStringLiteral("Nie można zapisać pliku: \"%1\" jest folderem.").arg(cel));
    const QByteArray bajty = ZapiszDoBajtow();
    try {
        ZapiszBezpiecznie(cel, bajty);
    } catch (const EBlad& e) {
        throw EBlad(QStringLiteral("Nie można zapisać pliku: ") + e.Komunikat());
    }
}
