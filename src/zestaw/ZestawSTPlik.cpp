// Reading and writing the set file (".zst").
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "specs/KonfiguracjaZestawu.h"
#include "zestaw/NazwyPlikuZst.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>

#include <cstring>

namespace {

// Deeper element trees than this come from damaged or hostile files; they would only exhaust the stack.
constexpr int MaksGlebokoscElementow = 100;

QString Tekst(const pugi::xml_node& wezel, const char* nazwa)
{
    return TekstXml(wezel.attribute(nazwa).value()).trimmed();
}

bool Nazwa(const pugi::xml_node& wezel, const char* nazwa)
{
    return wezel.type() == pugi::node_element && std::strcmp(wezel.name(), nazwa) == 0;
}

void WczytajDrzewo(TElementRds& element, const pugi::xml_node& x, int glebokosc)
{
    if (glebokosc > MaksGlebokoscElementow)
        throw EBlad(QStringLiteral("Plik zestawu jest nieprawidłowy: zbyt głęboko zagnieżdżone elementy kosztorysu."));
    for (pugi::xml_node n = x.first_child(); n; n = n.next_sibling()) {
        if (Nazwa(n, "pozycja")) {
            auto p = std::make_unique<TPozycjaRds>();
            p->SetId(Tekst(n, "id"));
            p->SetNr(Tekst(n, "nr"));
            p->SetST(Tekst(n, "st"));
            p->SetPodstawa(Tekst(n, "podstawa"));
            p->SetOpis(Tekst(n, "opis"));
            p->SetJm(Tekst(n, "jm"));
            p->SetIlosc(Tekst(n, "ilosc"));
            p->SetCena(Tekst(n, "cena"));
            p->SetRj(Tekst(n, "rj"));
            p->SetMj(Tekst(n, "mj"));
            p->SetSj(Tekst(n, "sj"));
            p->SetAktywna(XmlNaLogiczna(n.attribute("aktywna"), true));
            element.AddPozycja(std::move(p));
        } else if (Nazwa(n, "element")) {
            bool ok = false;
            int pz = Tekst(n, "pz").toInt(&ok);
            if (!ok)
                pz = 0;
            auto e = std::make_unique<TElementRds>(Tekst(n, "nr"), pz, Tekst(n, "opis"));
            WczytajDrzewo(*element.AddElement(std::move(e)), n, glebokosc + 1);
        }
    }
}

std::vector<std::unique_ptr<TKosztorys>> WczytajKosztorysy(const pugi::xml_node& zestaw,
                                                           const TUstawieniaKosztorysu& ustawienia)
{
    std::vector<std::unique_ptr<TKosztorys>> wynik;
    pugi::xml_node kontener = zestaw.child(NazwyZst::Kosztorysy);
    if (!kontener)
        kontener = zestaw;
    for (pugi::xml_node k = kontener.child(NazwyZst::Kosztorys); k; k = k.next_sibling(NazwyZst::Kosztorys)) {
        const QString path = Tekst(k, NazwyZst::SciezkaKosztorysu);
        const QString id = Tekst(k, "id");
        const QString tytul = Tekst(k, "tytul");
        std::unique_ptr<TKosztorys> kosztorys = TKosztorysFactory::GetKosztorys(path, false, ustawienia);
        if (!kosztorys)
            continue;
        kosztorys->FilePath().SetEncodedPath(path);
        kosztorys->Opis = NazwaPlikuBezRozszerzenia(kosztorys->FilePath().GetPath());
        kosztorys->SetTytul(tytul.isEmpty() ? kosztorys->Opis.trimmed() : tytul);
        kosztorys->Id = id;
        WczytajDrzewo(*kosztorys, k, 0);
        kosztorys->UstawZdarzenieZmianyZawartosciPozycji();
        wynik.push_back(std::move(kosztorys));
    }
    return wynik;
}

void ZapiszDrzewo(pugi::xml_node& x, const TElementRds& element)
{
    for (int i = 0; i < element.PozycjeCount(); ++i) {
        const TPozycjaRds& p = *element.GetPozycja(i);
        pugi::xml_node n = x.append_child("pozycja");
        UstawAtrybut(n, "id", p.Id());
        UstawAtrybut(n, "nr", p.Nr());
        UstawAtrybut(n, "st", p.ST());
        UstawAtrybut(n, "podstawa", p.Podstawa());
        UstawAtrybut(n, "opis", p.Opis());
        UstawAtrybut(n, "jm", p.Jm());
        UstawAtrybut(n, "ilosc", p.Ilosc());
        UstawAtrybut(n, "cena", p.Cena());
        UstawAtrybut(n, "rj", p.Rj());
        UstawAtrybut(n, "mj", p.Mj());
        UstawAtrybut(n, "sj", p.Sj());
        UstawAtrybut(n, "aktywna", p.Aktywna());
    }
    for (int i = 0; i < element.ElementyCount(); ++i) {
        const TElementRds& e = *element.GetElement(i);
        pugi::xml_node n = x.append_child("element");
        UstawAtrybut(n, "nr", e.GetNr());
        UstawAtrybut(n, "opis", e.Opis);
        UstawAtrybut(n, "pz", e.GetPz());
        ZapiszDrzewo(n, e);
    }
}

} // namespace

TOdczytanyZestaw::TOdczytanyZestaw() = default;
TOdczytanyZestaw::~TOdczytanyZestaw() = default;
TOdczytanyZestaw::TOdczytanyZestaw(TOdczytanyZestaw&&) noexcept = default;
TOdczytanyZestaw& TOdczytanyZestaw::operator=(TOdczytanyZestaw&&) noexcept = default;

void TZestawST::Otworz(const QString& zestawPath, bool, bool)
{
    TOdczytanyZestaw odczyt;
    Wczytaj(zestawPath, odczyt);
    Przyjmij(std::move(odczyt));
}

void TZestawST::OtworzZBajtow(QByteArray bajty, const QString& zestawPath)
{
    TOdczytanyZestaw odczyt;
    WczytajZBajtow(std::move(bajty), zestawPath, odczyt);
    Przyjmij(std::move(odczyt));
}

void TZestawST::Wczytaj(const QString& zestawPath, TOdczytanyZestaw& odczyt) const
{
    const QString brak = QStringLiteral("Podany plik zestawu nie istnieje");
    if (zestawPath.isEmpty() || !QFileInfo(zestawPath).isFile())
        throw EBlad(brak);
    QByteArray bajty;
    try {
        bajty = CzytajCalyPlik(zestawPath);
    } catch (const EOdczytPliku& e) {
        if (e.Powod() == EOdczytPliku::Brak)
            throw EBlad(brak);
        throw EBlad(QStringLiteral("Nie można otworzyć pliku zestawu: ") + e.Komunikat());
    }
    WczytajZBajtow(std::move(bajty), zestawPath, odczyt);
}

void TZestawST::WczytajZBajtow(QByteArray bajty, const QString& zestawPath, TOdczytanyZestaw& odczyt) const
{
    // Other programs have put escape characters into texts of set files; XML does not allow them.
    bajty.replace('\x1b', ' ');
    auto dokument = std::make_unique<pugi::xml_document>();
    ParsujXml(bajty, *dokument);
    const pugi::xml_node zestaw = dokument->document_element();
    // Another document of the program (a list, a configuration) would read as an empty set.
    if (!Nazwa(zestaw, "zestaw"))
        throw EBlad(QStringLiteral("Wybrany plik nie jest plikiem zestawu specyfikacji."));

    if (!odczyt.Spis)
        odczyt.Spis = std::make_unique<TSpisST>();
    TSpisST& spis = *odczyt.Spis;
    spis.UstawKatalogUzytkownika(FUstawienia.KatalogUzytkownika);
    if (FSpisST) // the new list prices its units as the one it replaces
        spis.SetUstawieniaCen(FSpisST->UstawieniaCen());
    const QString sciezkaSpisu = Tekst(zestaw.child(NazwyZst::Sst), NazwyZst::SciezkaSpisu);
    if (!sciezkaSpisu.isEmpty()) {
        // The set's progress events, unless the caller gave the list events of its own.
        const bool zdarzeniaZestawu = !spis.OnOtworzMaxProgres() && !spis.OnOtworzChangeProgres();
        if (zdarzeniaZestawu) {
            spis.SetOnOtworzMaxProgres(FOnOtworzMaxProgres);
            spis.SetOnOtworzChangeProgres(FOnOtworzChangeProgres);
        }
        TMyPath sciezka(FUstawienia.KatalogUzytkownika);
        sciezka.SetEncodedPath(sciezkaSpisu);
        spis.Otworz(sciezka.GetPath());
        // Keep the stored form: a list inside the user folder stays bound to it after a move.
        spis.GetSpisStPath()->SetEncodedPath(sciezkaSpisu);
        if (zdarzeniaZestawu) {
            spis.SetOnOtworzMaxProgres({});
            spis.SetOnOtworzChangeProgres({});
        }
    }
    odczyt.Kosztorysy = WczytajKosztorysy(zestaw, FUstawienia);
    // An entry without a number stands for nothing; it is skipped rather than failing the whole set.
    for (pugi::xml_node n = zestaw.child("zbior_st").first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element && !Tekst(n, "st").isEmpty())
            odczyt.Wlasne << Tekst(n, "st");
    odczyt.Sciezka = zestawPath;
    odczyt.Dokument = std::move(dokument);
}

void TZestawST::Przyjmij(TOdczytanyZestaw&& odczyt)
{
    if (!odczyt.Spis || !odczyt.Dokument)
        throw EBlad(QStringLiteral("Wybrany plik nie jest plikiem zestawu specyfikacji."));
    // The configuration's read either succeeds whole or changes nothing: it goes first.
    Konfiguracja->Load(odczyt.Dokument->document_element());
    FZestawPath = odczyt.Sciezka;
    FZbiorST->ClearAll();
    Kosztorysy = std::move(odczyt.Kosztorysy);
    for (const auto& k : Kosztorysy)
        k->UstawUstawienia(FUstawienia);
    FSpisST = std::move(odczyt.Spis);
    FSpisST->UstawKatalogUzytkownika(FUstawienia.KatalogUzytkownika);
    for (const QString& st : odczyt.Wlasne)
        FZbiorST->Add(st);
}

QByteArray TZestawST::ZapiszDoBajtow() const
{
    pugi::xml_document dokument;
    NowyDokumentXml(dokument);
    pugi::xml_node zestaw = dokument.append_child("zestaw");
    UstawAtrybut(zestaw, "wersja", WersjaProgramu());
    if (!Kosztorysy.empty()) {
        pugi::xml_node lista = zestaw.append_child(NazwyZst::Kosztorysy);
        for (const auto& k : Kosztorysy) {
            pugi::xml_node n = lista.append_child(NazwyZst::Kosztorys);
            UstawAtrybut(n, "id", k->Id);
            UstawAtrybut(n, NazwyZst::SciezkaKosztorysu, k->FilePath().EncodedPath());
            UstawAtrybut(n, "tytul", k->Tytul());
            ZapiszDrzewo(n, *k);
        }
    }
    if (FSpisST) {
        pugi::xml_node sst = zestaw.append_child(NazwyZst::Sst);
        UstawAtrybut(sst, NazwyZst::SciezkaSpisu, FSpisST->GetSpisStPath()->EncodedPath());
    }
    pugi::xml_node zbior = zestaw.append_child("zbior_st");
    for (int i = 0; i < FZbiorST->Count(); ++i) {
        const TPozycjaZbioru* p = FZbiorST->GetPozycjaZbioru(i);
        if (p->CzyWlasna()) {
            pugi::xml_node n = zbior.append_child("pozycja");
            UstawAtrybut(n, "st", p->ST());
        }
    }
    Konfiguracja->Save(zestaw);
    return XmlNaBajty(dokument);
}

void TZestawST::Zapisz(const QString& zestawPath)
{
    if (!zestawPath.isEmpty())
        FZestawPath = zestawPath;
    if (FZestawPath.trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać plik ZST"));
    if (QFileInfo(FZestawPath).isDir())
        throw EBlad(QStringLiteral("Nie można zapisać pliku: \"%1\" jest folderem.").arg(FZestawPath));
    const QByteArray bajty = ZapiszDoBajtow();
    try {
        ZapiszBezpiecznie(FZestawPath, bajty);
    } catch (const EBlad& e) {
        throw EBlad(QStringLiteral("Nie można zapisać pliku: ") + e.Komunikat());
    }
    if (FOnZapisano)
        FOnZapisano(this);
}
