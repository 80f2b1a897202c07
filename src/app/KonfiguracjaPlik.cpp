// Reading and writing the configuration file: root "zestaw" with its 41 elements in a fixed order.
#include "app/Konfiguracja.h"

#include "app/Liczby.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace {

constexpr int MaksPozycjiOstatnich = 5;

// The value of an attribute of a setting; for names that occur more than once, the first element of
// that name that carries the attribute.
std::optional<QString> Atr(const pugi::xml_node& korzen, const char* element, const char* atrybut)
{
    for (pugi::xml_node n = korzen.child(element); n; n = n.next_sibling(element))
        if (const pugi::xml_attribute a = n.attribute(atrybut))
            return QString::fromUtf8(a.value());
    return std::nullopt;
}

const char* NazwaOpcjiNumeru(TOpcjaDuplikatowNumeru o)
{
    switch (o) {
    case doPomin:
        return "doPomin";
    case doNadpisz:
        return "doNadpisz";
    default:
        return nullptr;
    }
}

const char* NazwaOpcjiPliku(TOpcjaDuplikatowPliku o)
{
    switch (o) {
    case dpoDodajBezPliku:
        return "dpoDodajBezPliku";
    case dpoNadpiszPlikIPominSt:
        return "dpoNadpiszPlikIPominSt";
    case dpoNadpisz:
        return "dpoNadpisz";
    case dpoPominSt:
        return "dpoPominSt";
    default:
        return nullptr;
    }
}

TOpcjaDuplikatowNumeru OpcjaNumeruZTekstu(const std::optional<QString>& t)
{
    if (t == QStringLiteral("doPomin"))
        return doPomin;
    if (t == QStringLiteral("doNadpisz"))
        return doNadpisz;
    return doNone;
}

TOpcjaDuplikatowPliku OpcjaPlikuZTekstu(const std::optional<QString>& t)
{
    for (TOpcjaDuplikatowPliku o : {dpoDodajBezPliku, dpoNadpiszPlikIPominSt, dpoNadpisz, dpoPominSt})
        if (t == QString::fromLatin1(NazwaOpcjiPliku(o)))
            return o;
    return dpoNone;
}

pugi::xml_node Dodaj(pugi::xml_node& rodzic, const char* nazwa)
{
    return rodzic.append_child(nazwa);
}

} // namespace

QByteArray TKonfiguracja::DoXml() const
{
    pugi::xml_document dok;
    NowyDokumentXml(dok);
    pugi::xml_node k = dok.append_child("zestaw");
    UstawAtrybutLiczba(k, "wspolczynnikGlobalnyCenyJedn", FWspolczynnikGlobalnyCenyJedn);
    UstawAtrybut(k, "czyWspolczynnikGlobalnyCenyJedn", FCzyWspolczynnikGlobalnyCenyJedn);

    const QString res = Rozdzielczosc();
    const int monitorow = FOkno->LiczbaMonitorow();
    pugi::xml_node e = Dodaj(k, "position");
    UstawAtrybut(e, "res", res);
    UstawAtrybut(e, "x", FPosition.x());
    UstawAtrybut(e, "y", FPosition.y());
    UstawAtrybut(e, "max", FMaximized);
    UstawAtrybut(e, "monCount", monitorow);
    e = Dodaj(k, "size");
    UstawAtrybut(e, "res", res);
    UstawAtrybut(e, "cx", FSize.width());
    UstawAtrybut(e, "cy", FSize.height());
    UstawAtrybut(e, "monCount", monitorow);
    e = Dodaj(k, "panele");
    UstawAtrybut(e, "drzewoWidth", FDrzewoSTWidth);
    UstawAtrybut(e, "naviWidth", FNawigatorWidth);
    e = Dodaj(k, "szczePoz");
    UstawAtrybut(e, "height", FPodgladPozHeight);
    e = Dodaj(k, "widokKosztorys");
    UstawAtrybut(e, "visible", FWidokKosztorys);
    e = Dodaj(k, "otworzKosztorysDlg");
    UstawAtrybut(e, "filterIndex", FFilterKosztorysIndex);
    e = Dodaj(k, "filtryZbioruST");
    UstawAtrybut(e, "pokazKosztorys", FCzyZbiorSTPokazKosztorys);
    UstawAtrybut(e, "pokazWlasne", FCzyZbiorSTPokazWlasne);
    UstawAtrybut(e, "pokazBraki", FCzyZbiorSTPokazBraki);
    UstawAtrybut(e, "pokazZPlikami", FCzyZbiorSTPokazZPlikami);
    UstawAtrybut(e, "synchroST", FCzyZbiorSTSynchronizujZDrzewkiem);
    UstawAtrybut(e, "synchroDrzewaZeZbioremST", FCzyDrzewkoSynchronizujZeZbioremSt);
    e = Dodaj(k, "filtryPozycji");
    UstawAtrybut(e, "st", FCzyPozycjeST);
    UstawAtrybut(e, "bezSt", FCzyPozycjeBezST);
    UstawAtrybut(e, "synchroST", FCzyPozycjeSynchronizujZDrzewkiem);
    e = Dodaj(k, "podgladSzczPoz");
    UstawAtrybut(e, "value", FCzyPodgladSzczPozycji);
    e = Dodaj(k, "porzadkST");
    UstawAtrybut(e, "folder", FPorzadkSTFolderDocelowy);
    UstawAtrybut(e, "opcja", FPorzadkSTOpcja);
    UstawAtrybut(e, "nadpisuj", FPorzadkSTNadpisuj);
    UstawAtrybut(e, "aktualizuj", FPorzadkSTAktualizuj);
    e = Dodaj(k, "userPath");
    UstawAtrybut(e, "path", FUserPath);
    e = Dodaj(k, "podgladPozZSt");
    UstawAtrybut(e, "value", FCzyPodgladPozycjiZSt);
    e = Dodaj(k, "pozZSt");
    UstawAtrybut(e, "height", FPodgladPozZStHeight);
    e = Dodaj(k, "czyPodgladDrzewa");
    UstawAtrybut(e, "value", FCzyPodgladDrzewa);
    e = Dodaj(k, "podglDrzewa");
    UstawAtrybut(e, "height", FPodgladDrzewaHeight);
    e = Dodaj(k, "pytajOPozostalePozycje");
    UstawAtrybut(e, "value", FPytajOPozostalePozycje);
    UstawAtrybut(e, "option", FWyborDlaPozostalychPozycji);
    e = Dodaj(k, "paths");
    UstawAtrybut(e, "zestawy", FZestawyPath->EncodedPath());
    UstawAtrybut(e, "kosztorysy", FKosztorysyPath->EncodedPath());
    UstawAtrybut(e, "sst", FSstPath->EncodedPath());
    UstawAtrybut(e, "stronyTyt", FSzablonyStronyTytPath->EncodedPath());
    UstawAtrybut(e, "szablonySt", FSzablonyStPath->EncodedPath());
    UstawAtrybut(e, "eksport", FEksportPath->EncodedPath());
    UstawAtrybut(e, "stzszablonu", FStZSzablonuPath->EncodedPath());
    UstawAtrybut(e, "stc", FStcPath->EncodedPath());
    for (const auto& [nazwa, lista] :
         {std::pair{"recentZst", &FRecentZSTList}, std::pair{"recentSst", &FRecentSSTList}}) {
        e = Dodaj(k, nazwa);
        for (qsizetype i = 0; i < lista->size() && i < MaksPozycjiOstatnich; ++i)
            e.append_child("item").text().set(lista->at(i).toUtf8().constData());
    }
    e = Dodaj(k, "tytulPodgladuDrzewa");
    UstawAtrybut(e, "value", FTytulPodgladuDrzewa);
    e = Dodaj(k, "backupZst");
    UstawAtrybut(e, "value", FCzyBackupZestawu);
    e = Dodaj(k, "backupSst");
    UstawAtrybut(e, "value", FCzyBackupListySST);
    e = Dodaj(k, "sortPopup");
    UstawAtrybut(e, "value", FCzySortujPopupListView);
    e = Dodaj(k, "rozmiary");
    UstawAtrybut(e, "drzewoSt", FRozmiarDrzewoSpecyfikacji);
    UstawAtrybut(e, "st", FRozmiarSpecyfikacje);
    UstawAtrybut(e, "koszt", FRozmiarKosztorys);
    UstawAtrybut(e, "drzewoEl", FRozmiarDrzewoElementow);
    e = Dodaj(k, "pierwszaStronaDoc");
    UstawAtrybut(e, "path", FPierwszaStronaDocTemplate);
    e = Dodaj(k, "pierwszaStronaOdt");
    UstawAtrybut(e, "path", FPierwszaStronaOdtTemplate);
    e = Dodaj(k, "zestaw");
    UstawAtrybut(e, "czyscGdyNowy", FCzyscSSTPrzyNowymZst);
    e = Dodaj(k, "popupListViewFiltrExcludes");
    UstawAtrybut(e, "enabled", FCzyPomijajWFiltrzePopupListView);
    UstawAtrybut(e, "exclude", FPomijaneWFiltrzePopupListView);
    e = Dodaj(k, "warianty");
    UstawAtrybut(e, "use", FCzyKorzystajZWariantow);
    UstawAtrybut(e, "zTytulemST", FCzyWyswietlacTytulSTZWariantem);
    e = Dodaj(k, "edbud");
    UstawAtrybut(e, "jdnPath", FEdbudJdnMdbPath);
    e = Dodaj(k, "warianty");
    UstawAtrybut(e, "separatory", FListaSeparatorowWariantow);
    e = Dodaj(k, "potwierdzenia");
    UstawAtrybut(e, "powiazaniePlikuSt", FCzyPotwierdzenieUsunPowiazaniePlikuST);
    UstawAtrybut(e, "st", FCzyPotwierdzenieUsunST);
    UstawAtrybut(e, "stPozycji", FCzyPotwierdzenieUsunSTZPozycji);
    UstawAtrybut(e, "stZeZbioru", FCzyPotwierdzenieUsunSTZeZbioru);
    e = Dodaj(k, "warianty");
    UstawAtrybut(e, "wizualnySeparator", FWizualnySeparatorWariantu);
    UstawAtrybut(e, "uwzglednijPrzyEksporcie", FUwzglednijWariantyPrzyEksporcieKosztorysu);
    UstawAtrybut(e, "rozpoznajPrzyImporcie", FRozpoznajWariantyPrzyImporcieKosztorysu);
    e = Dodaj(k, "zap_tyt_xls");
    UstawAtrybut(e, "use", FCzyZapisujTytulyEksportuXls);
    for (const QString& tytul : FTytulyEksportuXls) {
        pugi::xml_node item = e.append_child("item");
        UstawAtrybut(item, "value", tytul);
    }
    e = Dodaj(k, "tylkoSpecyfikacje");
    UstawAtrybut(e, "value", FTylkoWidokSpecyfikacje);
    e = Dodaj(k, "opcjeDuplikatow");
    UstawAtrybut(e, "czyZapamietacOpcjeNumeru", FCzyZapamietacOpcjeDuplikatowNumeru);
    UstawAtrybut(e, "czyZapamietacOpcjePliku", FCzyZapamietacOpcjeDuplikatowPliku);
    if (const char* n = NazwaOpcjiNumeru(FZapamietanaOpcjaDuplikatowNumeru))
        e.append_attribute("opcjeNumeru") = n;
    if (const char* n = NazwaOpcjiPliku(FZapamietanaOpcjaDuplikatowPliku))
        e.append_attribute("opcjePliku") = n;
    e = Dodaj(k, "eksport_zestawu");
    UstawAtrybut(e, "doc", FCzyEksportDoc);
    e = Dodaj(k, "ceny");
    UstawAtrybut(e, "use", FCzyWyswietlajCeny);
    e = Dodaj(k, "jm");
    UstawAtrybut(e, "nazwaJmWTytulSt", FNazwaJmWTytuleStPrzyGenerowaniuKosztorysu);
    e = Dodaj(k, "kosztorys");
    UstawAtrybut(e, "otworzPoStworzeniu", FOtworzKosztorysPoStworzeniu);
    e = Dodaj(k, "jm");
    UstawAtrybut(e, "edytorPrzyEdycjiJm", FWyswietlajEdytorJmPrzyEdycjiSt);
    return XmlNaBajty(dok);
}

void TKonfiguracja::WczytajZXml(const QByteArray& xml)
{
    try {
        pugi::xml_document dok;
        ParsujXml(xml, dok);
        WczytajZDokumentu(dok);
    } catch (const EBlad&) {
        UstawDomyslnePierwszegoStartu();
    }
}

void TKonfiguracja::WczytajZDokumentu(const pugi::xml_document& dokument)
{
    const pugi::xml_node k = dokument.document_element();
    if (QString::fromUtf8(k.name()) != QLatin1String("zestaw"))
        throw EBlad(QStringLiteral("Nieprawidłowy plik konfiguracji."));
    auto A = [&k](const char* element, const char* atrybut) { return Atr(k, element, atrybut); };
    auto B = [&A](const char* element, const char* atrybut, bool domyslna) {
        return XmlNaLogiczna(A(element, atrybut), domyslna);
    };
    auto I = [&A](const char* element, const char* atrybut, int domyslna) {
        return XmlNaCalkowita(A(element, atrybut), domyslna);
    };

    // The root's coefficient.
    if (const auto w = AtrybutXml(k, "wspolczynnikGlobalnyCenyJedn")) {
        FWspolczynnikGlobalnyCenyJedn = XmlNaLiczbe(w, 1.0);
        FCzyWspolczynnikGlobalnyCenyJedn = XmlNaLogiczna(AtrybutXml(k, "czyWspolczynnikGlobalnyCenyJedn"), true);
    } else {
        FWspolczynnikGlobalnyCenyJedn = 1.0;
        FCzyWspolczynnikGlobalnyCenyJedn = true;
    }

    // Window place and size hold only for the screen they were taken on.
    const QString res = Rozdzielczosc();
    const int monitorow = FOkno->LiczbaMonitorow();
    auto TenSamEkran = [&](const char* element, const char* ax, const char* ay, QPoint& wynik) {
        const auto x = TekstNaCalkowita(A(element, ax).value_or(QString()));
        const auto y = TekstNaCalkowita(A(element, ay).value_or(QString()));
        const auto mon = TekstNaCalkowita(A(element, "monCount").value_or(QString()));
        if (XmlNaTekst(A(element, "res")) != res || !x || !y || !mon || *mon != monitorow)
            return false;
        wynik = QPoint(*x, *y);
        return true;
    };
    QPoint p;
    FSize = k.child("size") && TenSamEkran("size", "cx", "cy", p) ? QSize(p.x(), p.y()) : GetDefaultSize();
    if (k.child("position")) {
        FMaximized = B("position", "max", false);
        if (TenSamEkran("position", "x", "y", p)) {
            FPosition = p;
        } else {
            FPosition = GetDefaultPosition();
            FMaximized = true;
        }
    } else {
        FPosition = GetDefaultPosition();
        FMaximized = true;
    }

    FDrzewoSTWidth = I("panele", "drzewoWidth", GetDefaultDrzewoSTWidth());
    FNawigatorWidth = I("panele", "naviWidth", GetDefaultNawigatorWidth());
    FPodgladDrzewaHeight = I("podglDrzewa", "height", GetDefaultPodgladDrzewaHeight());
    FPodgladPozHeight =
        I("szczePoz", "height", static_cast<int>(std::nearbyint(FOkno->WysokoscPaneluKosztorysu(FSize) / 4.0)));
    FPodgladPozZStHeight =
        I("pozZSt", "height", static_cast<int>(std::nearbyint(FOkno->WysokoscPaneluZbioru(FSize) / 4.0)));
    FWidokKosztorys = B("widokKosztorys", "visible", false);
    FFilterKosztorysIndex = I("otworzKosztorysDlg", "filterIndex", 0);
    FCzyZbiorSTPokazKosztorys = B("filtryZbioruST", "pokazKosztorys", true);
    FCzyZbiorSTPokazWlasne = B("filtryZbioruST", "pokazWlasne", true);
    FCzyZbiorSTPokazBraki = B("filtryZbioruST", "pokazBraki", true);
    FCzyZbiorSTPokazZPlikami = B("filtryZbioruST", "pokazZPlikami", true);
    FCzyZbiorSTSynchronizujZDrzewkiem = B("filtryZbioruST", "synchroST", true);
    FCzyDrzewkoSynchronizujZeZbioremSt = B("filtryZbioruST", "synchroDrzewaZeZbioremST", true);
    FCzyPozycjeST = B("filtryPozycji", "st", true);
    FCzyPozycjeBezST = B("filtryPozycji", "bezSt", true);
    FCzyPozycjeSynchronizujZDrzewkiem = B("filtryPozycji", "synchroST", true);
    FCzyPodgladSzczPozycji = B("podgladSzczPoz", "value", true);

    FPorzadkSTFolderDocelowy = XmlNaTekst(A("porzadkST", "folder"));
    if (!FPorzadkSTFolderDocelowy.isEmpty() && !QFileInfo(FPorzadkSTFolderDocelowy).isDir())
        FPorzadkSTFolderDocelowy.clear();
    FPorzadkSTOpcja = I("porzadkST", "opcja", 0);
    FPorzadkSTNadpisuj = B("porzadkST", "nadpisuj", true);
    FPorzadkSTAktualizuj = B("porzadkST", "aktualizuj", true);

    const QString userPath = XmlNaTekst(A("userPath", "path"));
    if (!userPath.isEmpty() && QFileInfo(userPath).isDir())
        SetUserPath(userPath);
    else
        LoadDefaultUserPath();

    FCzyPodgladPozycjiZSt = B("podgladPozZSt", "value", true);
    FCzyPodgladDrzewa = B("czyPodgladDrzewa", "value", true);
    FPytajOPozostalePozycje = B("pytajOPozostalePozycje", "value", true);
    FWyborDlaPozostalychPozycji = I("pytajOPozostalePozycje", "option", 0);

    // Folders: one of the four main folders empty resets all seven (not "stc").
    LoadDefaultPaths();
    if (k.child("paths")) {
        struct TFolder
        {
            const char* Atrybut;
            TMyPath* Sciezka;
        };
        const TFolder foldery[] = {{"zestawy", FZestawyPath.get()},
                                   {"kosztorysy", FKosztorysyPath.get()},
                                   {"sst", FSstPath.get()},
                                   {"stronyTyt", FSzablonyStronyTytPath.get()},
                                   {"szablonySt", FSzablonyStPath.get()},
                                   {"eksport", FEksportPath.get()},
                                   {"stzszablonu", FStZSzablonuPath.get()},
                                   {"stc", FStcPath.get()}};
        const bool pustyGlowny =
            XmlNaTekstDomyslny(A("paths", "zestawy"), FZestawyPath->EncodedPath()).isEmpty() ||
            XmlNaTekstDomyslny(A("paths", "kosztorysy"), FKosztorysyPath->EncodedPath()).isEmpty() ||
            XmlNaTekstDomyslny(A("paths", "sst"), FSstPath->EncodedPath()).isEmpty() ||
            XmlNaTekstDomyslny(A("paths", "eksport"), FEksportPath->EncodedPath()).isEmpty();
        for (const TFolder& f : foldery) {
            const QString zapisana = XmlNaTekstDomyslny(A("paths", f.Atrybut), f.Sciezka->EncodedPath());
            if (pustyGlowny && f.Sciezka != FStcPath.get())
                continue; // stays at its default
            const bool wlasnaDomyslna = f.Sciezka == FSzablonyStPath.get() || f.Sciezka == FStZSzablonuPath.get() ||
                                        f.Sciezka == FStcPath.get();
            if (zapisana.isEmpty() && wlasnaDomyslna)
                continue; // an empty one of these alone goes back to its default
            f.Sciezka->SetEncodedPath(zapisana);
        }
    }

    FRecentZSTList.clear();
    FRecentSSTList.clear();
    for (const auto& [nazwa, lista] :
         {std::pair{"recentZst", &FRecentZSTList}, std::pair{"recentSst", &FRecentSSTList}})
        for (pugi::xml_node item = k.child(nazwa).child("item"); item; item = item.next_sibling("item")) {
            const QString sciezka = TekstWezla(item).trimmed();
            if (!sciezka.isEmpty() && QFileInfo::exists(sciezka))
                lista->append(sciezka);
        }

    FTytulPodgladuDrzewa = XmlNaTekstDomyslny(A("tytulPodgladuDrzewa", "value"), GetDefaultTytulPodgladuDrzewa());
    FCzyBackupZestawu = B("backupZst", "value", true);
    FCzyBackupListySST = B("backupSst", "value", true);
    FCzySortujPopupListView = B("sortPopup", "value", true);
    FRozmiarDrzewoSpecyfikacji = I("rozmiary", "drzewoSt", 8);
    FRozmiarSpecyfikacje = I("rozmiary", "st", 8);
    FRozmiarKosztorys = I("rozmiary", "koszt", 8);
    FRozmiarDrzewoElementow = I("rozmiary", "drzewoEl", 8);
    SetPierwszaStronaDocTemplate(XmlNaTekst(A("pierwszaStronaDoc", "path")));
    SetPierwszaStronaOdtTemplate(XmlNaTekst(A("pierwszaStronaOdt", "path")));
    FCzyscSSTPrzyNowymZst = B("zestaw", "czyscGdyNowy", false);
    FCzyPomijajWFiltrzePopupListView = B("popupListViewFiltrExcludes", "enabled", false);
    FPomijaneWFiltrzePopupListView = XmlNaTekst(A("popupListViewFiltrExcludes", "exclude"));
    FPomijaneWFiltrzePopupListView.remove(QLatin1Char(' '));
    FCzyKorzystajZWariantow = B("warianty", "use", false);
    FCzyWyswietlacTytulSTZWariantem = B("warianty", "zTytulemST", true);
    FEdbudJdnMdbPath = XmlNaTekstDomyslny(A("edbud", "jdnPath"), GetDefaultEdbudJdnMdbPath());
    // Separators are kept as written: a blank may be one of them.
    FListaSeparatorowWariantow = A("warianty", "separatory").value_or(QString());
    FCzyPotwierdzenieUsunPowiazaniePlikuST = B("potwierdzenia", "powiazaniePlikuSt", true);
    FCzyPotwierdzenieUsunST = B("potwierdzenia", "st", true);
    FCzyPotwierdzenieUsunSTZPozycji = B("potwierdzenia", "stPozycji", true);
    FCzyPotwierdzenieUsunSTZeZbioru = B("potwierdzenia", "stZeZbioru", true);
    const QString separator = A("warianty", "wizualnySeparator").value_or(GetDefaultWizualnySeparatorWariantu());
    FWizualnySeparatorWariantu =
        separator.trimmed() == QLatin1String("#") ? GetDefaultWizualnySeparatorWariantu() : separator;
    FUwzglednijWariantyPrzyEksporcieKosztorysu = B("warianty", "uwzglednijPrzyEksporcie", false);
    FRozpoznajWariantyPrzyImporcieKosztorysu = B("warianty", "rozpoznajPrzyImporcie", false);

    FCzyZapisujTytulyEksportuXls = B("zap_tyt_xls", "use", false);
    FTytulyEksportuXls.clear();
    const pugi::xml_node tytuly = k.child("zap_tyt_xls");
    if (!tytuly.child("item")) {
        LoadDefaultTytuluEksportuXls();
    } else {
        for (pugi::xml_node item = tytuly.child("item"); item; item = item.next_sibling("item")) {
            const QString tytul = XmlNaTekst(AtrybutXml(item, "value"));
            if (!tytul.isEmpty())
                FTytulyEksportuXls.append(tytul);
        }
    }
    FTylkoWidokSpecyfikacje = B("tylkoSpecyfikacje", "value", false);
    FCzyZapamietacOpcjeDuplikatowNumeru = B("opcjeDuplikatow", "czyZapamietacOpcjeNumeru", false);
    FCzyZapamietacOpcjeDuplikatowPliku = B("opcjeDuplikatow", "czyZapamietacOpcjePliku", false);
    FZapamietanaOpcjaDuplikatowNumeru = OpcjaNumeruZTekstu(A("opcjeDuplikatow", "opcjeNumeru"));
    FZapamietanaOpcjaDuplikatowPliku = OpcjaPlikuZTekstu(A("opcjeDuplikatow", "opcjePliku"));
    FCzyEksportDoc = B("eksport_zestawu", "doc", true);
    FCzyWyswietlajCeny = B("ceny", "use", true);
    FNazwaJmWTytuleStPrzyGenerowaniuKosztorysu = B("jm", "nazwaJmWTytulSt", true);
    FOtworzKosztorysPoStworzeniu = B("kosztorys", "otworzPoStworzeniu", true);
    FWyswietlajEdytorJmPrzyEdycjiSt = B("jm", "edytorPrzyEdycjiJm", false);
}
