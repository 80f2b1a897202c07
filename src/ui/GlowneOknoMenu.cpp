// The main window's commands: menus, tool bars and pop-up menus, each a QAction named after its command
// and calling one operation of the set controller.
#include "app/Konfiguracja.h"
#include "app/Lokalizacje.h"
#include "app/Pliki.h"
#include "estimates/Kosztorys.h"
#include "specs/WariantSpecyfikacji.h"
#include "ui/AkcjeDrzewaSpisu.h"
#include "ui/DodawanieStyluForm.h"
#include "ui/GlowneOkno.h"
#include "ui/Ikony.h"
#include "ui/KodyCpv.h"
#include "ui/Komunikaty.h"
#include "ui/OProgramie.h"
#include "workflow/ProgramController.h"
#include "workflow/ZestawController.h"
#include "zestaw/ZestawST.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <algorithm>

namespace {

const char* const KStronaZmian = "https://velostra.pl/zmiany.html";

std::vector<int> WybraneWiersze(const QTableView* tabela)
{
    std::vector<int> wiersze;
    for (const QModelIndex& i : tabela->selectionModel()->selectedRows())
        wiersze.push_back(i.row());
    if (wiersze.empty() && tabela->currentIndex().isValid())
        wiersze.push_back(tabela->currentIndex().row());
    std::sort(wiersze.begin(), wiersze.end());
    return wiersze;
}

} // namespace

QAction* TGlowneOkno::NowaAkcja(const QString& nazwa, const QString& tekst, const QKeySequence& skrot,
                                std::function<void()> polecenie, const QString& ikona)
{
    auto* akcja = new QAction(tekst, this);
    akcja->setObjectName(nazwa);
    akcja->setShortcut(skrot);
    if (!ikona.isEmpty())
        akcja->setIcon(IkonaMotywu(ikona));
    connect(akcja, &QAction::triggered, this, [this, polecenie = std::move(polecenie)] { Wykonaj(polecenie); });
    return akcja;
}

QAction* TGlowneOkno::Akcja(const QString& nazwa) const
{
    return findChild<QAction*>(nazwa, Qt::FindDirectChildrenOnly);
}

void TGlowneOkno::ZbudujMenu()
{
    auto k = [this] { return FKontroler.get(); };
    auto* plik = menuBar()->addMenu(QStringLiteral("&Plik"));
    plik->setObjectName(QStringLiteral("MenuPlik"));
    plik->addAction(NowaAkcja(
        QStringLiteral("NowyZestaw"), QStringLiteral("Nowy Zestaw"), QKeySequence(QStringLiteral("Ctrl+N")),
        [k] { k()->UtworzNowyZestaw(); }, QStringLiteral("document-new")));
    plik->addAction(NowaAkcja(
        QStringLiteral("OtworzZestaw"), QStringLiteral("Otwórz Zestaw"), QKeySequence(QStringLiteral("Ctrl+O")),
        [k] { k()->OtworzZestaw(); }, QStringLiteral("document-open")));
    plik->addAction(NowaAkcja(
        QStringLiteral("OdzyskajZestaw"), QStringLiteral("Odzyskaj..."), {}, [k] { k()->OdzyskajZestawZKopii(); },
        QStringLiteral("document-revert")));
    plik->addAction(NowaAkcja(
        QStringLiteral("ZapiszZestaw"), QStringLiteral("Zapisz Zestaw"), QKeySequence(QStringLiteral("Ctrl+S")),
        [k] { k()->ZapiszZestaw(); }, QStringLiteral("document-save")));
    plik->addAction(NowaAkcja(
        QStringLiteral("ZapiszZestawJako"), QStringLiteral("Zapisz Zestaw jako..."), {},
        [k] { k()->ZapiszZestawJako(); }, QStringLiteral("document-save-as")));
    plik->addAction(NowaAkcja(
        QStringLiteral("ZapiszWszystko"), QStringLiteral("Zapisz wszystko"), {}, [k] { k()->ZapiszWszystko(); },
        QStringLiteral("document-save-all")));
    plik->addSeparator();
    plik->addAction(NowaAkcja(
        QStringLiteral("ArchiwizujZestaw"), QStringLiteral("Archiwizuj zestaw"), {}, [k] { k()->ArchiwizujZestaw(); },
        QStringLiteral("package-x-generic")));
    plik->addAction(NowaAkcja(QStringLiteral("RozpakujArchiwumZestawu"), QStringLiteral("Rozpakuj archiwum"), {},
                              [k] { k()->RozpakujArchiwumZestawu(); }));
    plik->addSeparator();
    FOstatnieZestawy = plik->addMenu(QStringLiteral("Ostatnie zestawy"));
    FOstatnieZestawy->setObjectName(QStringLiteral("OstatnieZestawy"));
    plik->addSeparator();
    plik->addAction(NowaAkcja(
        QStringLiteral("Zamknij"), QStringLiteral("Zamknij"), QKeySequence::Quit, [this] { close(); },
        QStringLiteral("application-exit")));
    connect(plik, &QMenu::aboutToShow, this, &TGlowneOkno::OdswiezMenuOstatnich);

    auto* spec = menuBar()->addMenu(QStringLiteral("&Specyfikacje"));
    spec->setObjectName(QStringLiteral("MenuSpecyfikacje"));
    spec->addAction(NowaAkcja(
        QStringLiteral("NowaLista"), QStringLiteral("Nowa lista"), QKeySequence(QStringLiteral("Ctrl+Shift+N")),
        [k] { k()->UtworzNowySST(); }, QStringLiteral("document-new")));
    spec->addAction(NowaAkcja(
        QStringLiteral("OtworzListe"), QStringLiteral("Otwórz listę"), QKeySequence(QStringLiteral("Ctrl+Shift+O")),
        [k] { k()->OtworzSST(); }, QStringLiteral("document-open")));
    spec->addAction(NowaAkcja(QStringLiteral("OdzyskajListe"), QStringLiteral("Odzyskaj..."), {},
                              [k] { k()->OdzyskajSpisStZKopii(); }));
    spec->addAction(NowaAkcja(QStringLiteral("ArchiwizujListe"), QStringLiteral("Archiwizuj listę"), {},
                              [k] { k()->ArchiwizujSpisSt(); }));
    spec->addAction(NowaAkcja(QStringLiteral("RozpakujArchiwumListy"), QStringLiteral("Rozpakuj archiwum"), {},
                              [k] { k()->RozpakujArchiwumSpisuSt(); }));
    spec->addAction(NowaAkcja(
        QStringLiteral("ZapiszListe"), QStringLiteral("Zapisz Listę"), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
        [k] { k()->ZapiszSST(); }, QStringLiteral("document-save")));
    spec->addAction(NowaAkcja(
        QStringLiteral("ZapiszListeJako"), QStringLiteral("Zapisz jako..."), {}, [k] { k()->ZapiszSSTJako(); },
        QStringLiteral("document-save-as")));
    spec->addSeparator();
    FOstatnieListy = spec->addMenu(QStringLiteral("Ostatnie listy"));
    FOstatnieListy->setObjectName(QStringLiteral("OstatnieListy"));
    connect(spec, &QMenu::aboutToShow, this, &TGlowneOkno::OdswiezMenuOstatnich);

    auto* kosztorys = menuBar()->addMenu(QStringLiteral("&Kosztorys"));
    kosztorys->setObjectName(QStringLiteral("MenuKosztorys"));
    const auto wybranyKosztorys = [this]() -> TKosztorys* {
        // The estimate of the element chosen in the tree, else the first one.
        for (TElementRds* e = WybranyElementDrzewa(); e; e = e->Parent)
            if (auto* wybrany = dynamic_cast<TKosztorys*>(e))
                return wybrany;
        return FKontroler->Zestaw().KosztorysyCount() > 0 ? FKontroler->Zestaw().GetKosztorys(0) : nullptr;
    };
    kosztorys->addAction(NowaAkcja(
        QStringLiteral("OtworzKosztorys"), QStringLiteral("Otwórz kosztorys"), QKeySequence(QStringLiteral("Ctrl+K")),
        [k] { k()->OtworzKosztorys(); }, QStringLiteral("document-open")));
    kosztorys->addAction(NowaAkcja(
        QStringLiteral("ZapiszKosztorys"), QStringLiteral("Zapisz kosztorys"),
        QKeySequence(QStringLiteral("Ctrl+Shift+K")),
        [k, wybranyKosztorys] {
            if (TKosztorys* w = wybranyKosztorys())
                k()->EksportujKosztorys(w);
        },
        QStringLiteral("document-save")));
    kosztorys->addAction(NowaAkcja(QStringLiteral("ZapiszWszystkieKosztorysy"), QStringLiteral("Zapisz wszystkie"), {},
                                   [k] { k()->EksportujWszystkieKosztorysy(); }));
    kosztorys->addAction(NowaAkcja(
        QStringLiteral("EksportujDoExcela"), QStringLiteral("Eksportuj do MS Excel"), {},
        [k] { k()->EksportujKosztorysDoExcela(); }, QStringLiteral("x-office-spreadsheet")));
    kosztorys->addAction(NowaAkcja(
        QStringLiteral("UsunKosztorys"), QStringLiteral("Usuń kosztorys"), {},
        [k, wybranyKosztorys] {
            if (TKosztorys* w = wybranyKosztorys())
                k()->UsunKosztorys(w);
        },
        QStringLiteral("edit-delete")));
    kosztorys->addAction(NowaAkcja(QStringLiteral("UsunWszystkieKosztorysy"), QStringLiteral("Usuń wszystkie"), {},
                                   [k] { k()->UsunWszystkieKosztorysy(); }));
    connect(kosztorys, &QMenu::aboutToShow, this, &TGlowneOkno::OdswiezAktywnosc);

    auto* narzedzia = menuBar()->addMenu(QStringLiteral("&Narzędzia"));
    narzedzia->setObjectName(QStringLiteral("MenuNarzedzia"));
    narzedzia->addAction(NowaAkcja(QStringLiteral("PorzadkowanieSpecyfikacji"),
                                   QStringLiteral("Porządkowanie specyfikacji"), {},
                                   [k] { k()->PorzadkowanieStrukturySST(); }));
    narzedzia->addAction(NowaAkcja(QStringLiteral("PorzadkujListySt"), QStringLiteral("Porządkuj Listy ST"), {},
                                   [k] { k()->DodajListeSst(); }));
    narzedzia->addAction(
        NowaAkcja(QStringLiteral("KodyCpv"), QStringLiteral("Kody CPV"), {}, [this] { TKodyCpv(this).exec(); }));
    narzedzia->addAction(NowaAkcja(
        QStringLiteral("Ustawienia"), QStringLiteral("Ustawienia"), QKeySequence(QStringLiteral("Ctrl+U")),
        [k] { k()->WyswietlUstawienia(); }, QStringLiteral("preferences-system")));
    narzedzia->addAction(NowaAkcja(QStringLiteral("PrzywrocDomyslnePanele"),
                                   QStringLiteral("Przywróć domyślne rozmieszczenie okien"), {},
                                   [k] { k()->PrzywrocDomyslnePanele(); }));
    narzedzia->addAction(NowaAkcja(QStringLiteral("DopiszStyl"), QStringLiteral("Dopisz styl do plików Ms Word"), {},
                                   [this] { PokazDodawanieStylu(this, Silnik(), *FKonfiguracja, *FUzytkownik); }));

    auto* pomoc = menuBar()->addMenu(QStringLiteral("P&omoc"));
    pomoc->setObjectName(QStringLiteral("MenuPomoc"));
    pomoc->addAction(NowaAkcja(QStringLiteral("RaportPorzadkowania"), QStringLiteral("Pokaż raport z porządkowania"),
                               {}, [k] { k()->PokazRaportPorzadkowania(); }));
    pomoc->addAction(NowaAkcja(
        QStringLiteral("OProgramie"), QStringLiteral("O programie"), {}, [this] { TOProgramie(this).exec(); },
        QStringLiteral("help-about")));
    pomoc->addAction(NowaAkcja(QStringLiteral("SprawdzAktualizacje"), QStringLiteral("Sprawdź aktualizację"), {},
                               [this] { FProgram->SprawdzAktualnoscProgramu(); }));
    pomoc->addAction(NowaAkcja(QStringLiteral("InformacjaOZmianach"), QStringLiteral("Informacja o zmianach"), {},
                               [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(KStronaZmian))); }));
    pomoc->addAction(NowaAkcja(
        QStringLiteral("Pomoc"), QStringLiteral("Pomoc"), QKeySequence(QStringLiteral("F1")),
        [this] {
            const QString strona = PlikProgramu(QStringLiteral("pomoc/index.html"));
            if (!QFileInfo::exists(strona) || !QDesktopServices::openUrl(QUrl::fromLocalFile(strona)))
                PokazKomunikatOkna(this, QStringLiteral("Nie można otworzyć pomocy: ") + strona);
        },
        QStringLiteral("help-contents")));
    connect(pomoc, &QMenu::aboutToShow, this, &TGlowneOkno::OdswiezAktywnosc);

    // The set tool bar.
    auto* zestaw = addToolBar(QStringLiteral("Zestaw"));
    zestaw->setObjectName(QStringLiteral("PasekZestawu"));
    zestaw->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    zestaw->setMovable(false);
    const std::pair<const char*, const char*> przyciski[] = {{"NowyZestaw", "Utwórz Zestaw"},
                                                             {"OtworzZestaw", "Otwórz zestaw"},
                                                             {"ZapiszZestaw", "Zapisz zestaw"},
                                                             {"ZapiszWszystko", "Zapisz wszystko"}};
    for (const auto& [nazwa, tekst] : przyciski) {
        QAction* akcja = Akcja(QLatin1String(nazwa));
        zestaw->addAction(akcja);
        if (auto* p = qobject_cast<QToolButton*>(zestaw->widgetForAction(akcja)))
            p->setText(QString::fromUtf8(tekst));
    }
}

void TGlowneOkno::ZbudujMenuPodreczne()
{
    auto k = [this] { return FKontroler.get(); };
    const auto wezel = [this] { return WybranyWezel(); };
    const auto wariant = [this] { return dynamic_cast<TWariantSpecyfikacji*>(WybranyWezel()); };
    const auto pozycja = [this]() -> TPozycjaRds* {
        return FPozycje->currentIndex().isValid()
                   ? static_cast<TPozycjaRds*>(FKontroler->ListaPozycji().Obiekt(FPozycje->currentIndex().row()))
                   : nullptr;
    };

    // The list tree: its commands act on the one node selected and answer their keys while it has focus.
    const TTworzenieAkcji nowa = [this](const QString& nazwa, const QString& tekst, const QKeySequence& skrot,
                                        std::function<void()> polecenie, const QString& ikona) {
        return NowaAkcja(nazwa, tekst, skrot, std::move(polecenie), ikona);
    };
    QList<QAction*> drzewo = AkcjeDrzewaSpisu(
        nowa, [k]() -> TEdycjaSpisu* { return k() ? &k()->EdycjaSpisu() : nullptr; }, wezel,
        [k] {
            k()->ZaktualizujDopasowanieSpecyfikacji();
            k()->DrzewoSpisu().Odswiez();
        });
    // The main tree's own commands: assigning to the position shown and adding to the set.
    const auto przed = [&drzewo](const char* nazwa, QAction* akcja) {
        const auto i = std::find_if(drzewo.begin(), drzewo.end(),
                                    [nazwa](const QAction* a) { return a->objectName() == QLatin1String(nazwa); });
        akcja->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        drzewo.insert(i, akcja);
    };
    przed("Edytuj", NowaAkcja(QStringLiteral("PrzypiszDoPozycji"), QStringLiteral("Przypisz do pozycji"),
                              QKeySequence(Qt::SHIFT | Qt::Key_Return), [k, wezel, wariant, pozycja] {
                                  if (TWariantSpecyfikacji* w = wariant())
                                      k()->PrzypiszWybranyWariantDoPozycji(w, pozycja());
                                  else
                                      k()->PrzypiszWybraneStDoPozycji(wezel(), pozycja());
                              }));
    przed("Odswiez", NowaAkcja(
                         QStringLiteral("DodajDoZbioru"), QStringLiteral("Dodaj do zbioru specyfikacji"),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return),
                         [k, wezel, wariant] {
                             if (TWariantSpecyfikacji* w = wariant())
                                 k()->DopiszWariantDoZbioruST(w);
                             else
                                 k()->DopiszDoZbioruST(wezel());
                         },
                         QStringLiteral("list-add")));
    przed("Odswiez", NowaAkcja(QStringLiteral("ImportujWst"), QStringLiteral("Importuj z pliku WST"), {},
                               [k, wezel] { k()->ImportujPlikWST(wezel()); }));
    FDrzewoSpisu->addActions(drzewo);
    // Assigning from the tree is for the keyboard; the menu keeps it out of sight.
    Akcja(QStringLiteral("PrzypiszDoPozycji"))->setVisible(false);
    QMenu* zwin = MenuZwin(this, nowa, [k](int poziom) { k()->ZwinSpecyfikacjeDoPoziomu(poziom); });

    auto* pasekDrzewa =
        FDrzewoSpisu->parentWidget()->parentWidget()->findChild<QToolBar*>(QStringLiteral("PasekDrzewa"));
    for (const char* nazwa : {"NowaLista", "OtworzListe", "ZapiszListeJako"})
        pasekDrzewa->addAction(Akcja(QLatin1String(nazwa)));
    pasekDrzewa->addSeparator();
    for (const char* nazwa :
         {"DodajRodzajRobot", "DodajGrupeRobot", "DodajElementRobot", "DodajSpecyfikacje", "DodajWariant", "Usun"})
        pasekDrzewa->addAction(Akcja(QLatin1String(nazwa)));
    pasekDrzewa->addSeparator();
    for (const char* nazwa : {"DodajDoZbioru", "Edytuj", "OtworzPlikSt"})
        pasekDrzewa->addAction(Akcja(QLatin1String(nazwa)));
    auto* przyciskZwin = new QToolButton(pasekDrzewa);
    przyciskZwin->setObjectName(QStringLiteral("Zwin"));
    przyciskZwin->setIcon(IkonaMotywu(QStringLiteral("view-list-tree")));
    przyciskZwin->setText(QStringLiteral("Zwiń"));
    przyciskZwin->setMenu(zwin);
    przyciskZwin->setPopupMode(QToolButton::InstantPopup);
    pasekDrzewa->addWidget(przyciskZwin);

    // The positions grid.
    const auto pozycjeZaznaczone = [this] {
        std::vector<TPozycjaRds*> wynik;
        for (int w : WybraneWiersze(FPozycje))
            if (auto* p = static_cast<TPozycjaRds*>(FKontroler->ListaPozycji().Obiekt(w)))
                wynik.push_back(p);
        return wynik;
    };
    QAction* przypiszPozycji = NowaAkcja(
        QStringLiteral("DodajSpecyfikacjePozycji"), QStringLiteral("Dodaj specyfikację"), {},
        [k, wezel, pozycja] { k()->PrzypiszWybraneStDoPozycji(wezel(), pozycja()); }, QStringLiteral("list-add"));
    QAction* usunZPozycji = NowaAkcja(
        QStringLiteral("UsunSpecyfikacjePozycji"), QStringLiteral("Usuń specyfikację"), {},
        [k, pozycjeZaznaczone] { k()->UsunSTPozycji(pozycjeZaznaczone()); }, QStringLiteral("list-remove"));
    QAction* wszystkiePozycje = NowaAkcja(QStringLiteral("ZaznaczWszystkiePozycje"), QStringLiteral("Zaznacz wszystko"),
                                          QKeySequence::SelectAll, [this] { FPozycje->selectAll(); });
    wszystkiePozycje->setShortcutContext(Qt::WidgetShortcut);
    FPozycje->addActions({przypiszPozycji, usunZPozycji, wszystkiePozycje});

    const auto przelacznik = [this](const QString& nazwa, const QString& tekst, bool TKonfiguracja::*pole,
                                    std::function<void()> odswiez) {
        auto* akcja = new QAction(tekst, this);
        akcja->setObjectName(nazwa);
        akcja->setCheckable(true);
        connect(akcja, &QAction::toggled, this, [this, pole, odswiez = std::move(odswiez)](bool wlacz) {
            if (!FKonfiguracja || FKonfiguracja->*pole == wlacz)
                return;
            FKonfiguracja->*pole = wlacz;
            Wykonaj(odswiez);
        });
        return akcja;
    };
    auto* pasekK = FObszar->findChild<QToolBar*>(QStringLiteral("PasekKosztorysu"));
    pasekK->addAction(Akcja(QStringLiteral("OtworzKosztorys")));
    pasekK->addAction(Akcja(QStringLiteral("ZapiszKosztorys")));
    pasekK->addAction(Akcja(QStringLiteral("UsunKosztorys")));
    pasekK->addAction(Akcja(QStringLiteral("EksportujDoExcela")));
    pasekK->addSeparator();
    pasekK->addAction(usunZPozycji);
    pasekK->addAction(przelacznik(QStringLiteral("PozycjeZSt"), QStringLiteral("Pokazuj pozycje z ST"),
                                  &TKonfiguracja::CzyPozycjeST, [k] { k()->WyswietlPozycje(); }));
    pasekK->addAction(przelacznik(QStringLiteral("PozycjeBezSt"), QStringLiteral("Pokazuj pozycje bez ST"),
                                  &TKonfiguracja::CzyPozycjeBezST, [k] { k()->WyswietlPozycje(); }));
    pasekK->addAction(przelacznik(QStringLiteral("SzczegolyPozycji"), QStringLiteral("Pokaż szczegóły pozycji"),
                                  &TKonfiguracja::CzyPodgladSzczPozycji, [this] {
                                      FSzczegoly->parentWidget()->setVisible(FKonfiguracja->CzyPodgladSzczPozycji);
                                  }));
    pasekK->addAction(przelacznik(QStringLiteral("SynchronizujPozycje"), QStringLiteral("Synchronizuj"),
                                  &TKonfiguracja::CzyPozycjeSynchronizujZDrzewkiem, [] {}));

    // The collection grid.
    const auto wpisyZaznaczone = [this] {
        std::vector<TPozycjaZbioru*> wynik;
        for (int w : WybraneWiersze(FZbior))
            if (auto* p = static_cast<TPozycjaZbioru*>(FKontroler->ZbiorSt().Obiekt(w)))
                wynik.push_back(p);
        return wynik;
    };
    QAction* otworzZbioru = NowaAkcja(
        QStringLiteral("OtworzPlikZbioru"), QStringLiteral("Otwórz plik ST"), {},
        [this, k] { k()->OtworzPlikSTZbioru(FZbior->currentIndex().row()); }, QStringLiteral("document-open"));
    QAction* folderZbioru = NowaAkcja(
        QStringLiteral("OtworzFolderZbioru"), QStringLiteral("Otwórz folder zawierający plik ST"), {},
        [this, k] { k()->OtworzFolderPlikuSTZbioru(FZbior->currentIndex().row()); }, QStringLiteral("folder-open"));
    QAction* dodajDoZbioru = NowaAkcja(
        QStringLiteral("DodajSpecyfikacjeZbioru"), QStringLiteral("Dodaj specyfikację"), {},
        [k, wezel] { k()->DopiszDoZbioruST(wezel()); }, QStringLiteral("list-add"));
    QAction* usunZeZbioru = NowaAkcja(
        QStringLiteral("UsunSpecyfikacjeZbioru"), QStringLiteral("Usuń specyfikację"), {},
        [k, wpisyZaznaczone] { k()->UsunSTZeZbioruST(wpisyZaznaczone()); }, QStringLiteral("list-remove"));
    QAction* wszystkieZbioru = NowaAkcja(QStringLiteral("ZaznaczWszystkieZbioru"), QStringLiteral("Zaznacz wszystko"),
                                         QKeySequence::SelectAll, [this] { FZbior->selectAll(); });
    wszystkieZbioru->setShortcutContext(Qt::WidgetShortcut);
    FZbior->addActions({otworzZbioru, folderZbioru, dodajDoZbioru, usunZeZbioru, wszystkieZbioru});
    auto* pasekZ = FObszar->findChild<QToolBar*>(QStringLiteral("PasekZbioru"));
    QAction* otworzPlik = NowaAkcja(
        QStringLiteral("OtworzPlik"), QStringLiteral("Otwórz plik"), {},
        [this, k] { k()->OtworzPlikSTZbioru(FZbior->currentIndex().row()); }, QStringLiteral("document-open"));
    QAction* otworzFolder = NowaAkcja(
        QStringLiteral("OtworzFolder"), QStringLiteral("Otwórz folder"), {},
        [this, k] { k()->OtworzFolderPlikuSTZbioru(FZbior->currentIndex().row()); }, QStringLiteral("folder-open"));
    pasekZ->addAction(otworzPlik);
    pasekZ->addAction(otworzFolder);
    pasekZ->addAction(NowaAkcja(
        QStringLiteral("StworzKosztorys"), QStringLiteral("Stwórz kosztorys"), {}, [k] { k()->GenerujKosztorys(); },
        QStringLiteral("document-new")));
    pasekZ->addAction(NowaAkcja(
        QStringLiteral("ImportStc"), QStringLiteral("Import specyfikacji ze Velostra Cad"), {},
        [k] { k()->ImportujSTC(); }, QStringLiteral("document-import")));
    pasekZ->addAction(usunZeZbioru);
    pasekZ->addSeparator();
    const auto zbior = [k] { k()->WyswietlZbiorST(); };
    pasekZ->addAction(przelacznik(QStringLiteral("ZbiorZKosztorysu"),
                                  QStringLiteral("Pokazuj specyfikacje z kosztorysu"),
                                  &TKonfiguracja::CzyZbiorSTPokazKosztorys, zbior));
    pasekZ->addAction(przelacznik(QStringLiteral("ZbiorWlasne"), QStringLiteral("Pokazuj specyfikacje dodane ręcznie"),
                                  &TKonfiguracja::CzyZbiorSTPokazWlasne, zbior));
    pasekZ->addAction(przelacznik(QStringLiteral("ZbiorZPlikiem"),
                                  QStringLiteral("Pokazuj specyfikacje z powiązanym plikiem"),
                                  &TKonfiguracja::CzyZbiorSTPokazZPlikami, zbior));
    pasekZ->addAction(przelacznik(QStringLiteral("ZbiorBezPliku"),
                                  QStringLiteral("Pokazuj specyfikacje bez powiązanego pliku"),
                                  &TKonfiguracja::CzyZbiorSTPokazBraki, zbior));
    pasekZ->addAction(
        przelacznik(QStringLiteral("PozycjeZeSt"), QStringLiteral("Pokaż listę pozycji, w których występuje ST"),
                    &TKonfiguracja::CzyPodgladPozycjiZSt,
                    [this] { FPozycjeZSt->parentWidget()->setVisible(FKonfiguracja->CzyPodgladPozycjiZSt); }));

    // The positions of a specification.
    FPozycjeZSt->addAction(
        NowaAkcja(QStringLiteral("SkoczDoPozycji"), QStringLiteral("Skocz do pozycji"), {}, [this, k] {
            const int w = FPozycjeZSt->currentIndex().row();
            if (auto* p = static_cast<TPozycjaRds*>(FKontroler->ListaPozycjiZSt().Obiekt(w)))
                k()->SkoczDoPozycji(p);
        }));
    connect(FPozycjeZSt, &QTableView::doubleClicked, Akcja(QStringLiteral("SkoczDoPozycji")), &QAction::trigger);
    // The elements' tree.
    FDrzewoElementow->addActions({Akcja(QStringLiteral("OtworzKosztorys")), Akcja(QStringLiteral("ZapiszKosztorys")),
                                  Akcja(QStringLiteral("UsunKosztorys"))});
}

void TGlowneOkno::OdswiezMenuOstatnich()
{
    if (!FKontroler)
        return;
    const auto wypelnij = [this](QMenu* menu, const QStringList& pliki, void (TZestawController::*otworz)(int)) {
        menu->clear();
        for (int i = 0; i < pliki.size(); ++i) {
            QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(pliki[i]));
            a->setObjectName(QStringLiteral("Ostatni%1").arg(i));
            connect(a, &QAction::triggered, this,
                    [this, otworz, i] { Wykonaj([&] { (FKontroler.get()->*otworz)(i); }); });
        }
        menu->setEnabled(!pliki.isEmpty());
    };
    wypelnij(FOstatnieZestawy, FKontroler->OstatnieZestawy(), &TZestawController::OtworzOstatniZestaw);
    wypelnij(FOstatnieListy, FKontroler->OstatnieListy(), &TZestawController::OtworzOstatniaListe);
}

void TGlowneOkno::OdswiezAktywnosc()
{
    const bool jest = FKontroler != nullptr;
    const int kosztorysow = jest ? FKontroler->Zestaw().KosztorysyCount() : 0;
    for (QAction* a : findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly))
        a->setEnabled(jest);
    if (!jest)
        return;
    for (const char* nazwa : {"ZapiszKosztorys", "UsunKosztorys", "EksportujDoExcela"})
        Akcja(QLatin1String(nazwa))->setEnabled(kosztorysow > 0);
    Akcja(QStringLiteral("ZapiszWszystkieKosztorysy"))->setVisible(kosztorysow > 1);
    Akcja(QStringLiteral("UsunWszystkieKosztorysy"))->setVisible(kosztorysow > 1);
    Akcja(QStringLiteral("RaportPorzadkowania"))->setEnabled(FKontroler->CzyJestRaportPorzadkowania());
    const TSpecyfikacja* w = WybranyWezel();
    Akcja(QStringLiteral("WarunkiOgolne"))->setText(TekstWarunkowOgolnych(w));
    const QModelIndex wiersz = FZbior->currentIndex();
    const bool plikZbioru =
        wiersz.isValid() &&
        !FKontroler->ZbiorSt().Tekst(wiersz.row(), FKontroler->ZbiorSt().columnCount() - 1).isEmpty();
    for (const char* nazwa : {"OtworzPlikZbioru", "OtworzFolderZbioru", "OtworzPlik", "OtworzFolder"})
        Akcja(QLatin1String(nazwa))->setEnabled(plikZbioru);
    if (FKonfiguracja) {
        const std::pair<const char*, bool> przelaczniki[] = {
            {"PozycjeZSt", FKonfiguracja->CzyPozycjeST},
            {"PozycjeBezSt", FKonfiguracja->CzyPozycjeBezST},
            {"SzczegolyPozycji", FKonfiguracja->CzyPodgladSzczPozycji},
            {"SynchronizujPozycje", FKonfiguracja->CzyPozycjeSynchronizujZDrzewkiem},
            {"ZbiorZKosztorysu", FKonfiguracja->CzyZbiorSTPokazKosztorys},
            {"ZbiorWlasne", FKonfiguracja->CzyZbiorSTPokazWlasne},
            {"ZbiorZPlikiem", FKonfiguracja->CzyZbiorSTPokazZPlikami},
            {"ZbiorBezPliku", FKonfiguracja->CzyZbiorSTPokazBraki},
            {"PozycjeZeSt", FKonfiguracja->CzyPodgladPozycjiZSt}};
        for (const auto& [nazwa, wartosc] : przelaczniki) {
            QAction* a = Akcja(QLatin1String(nazwa));
            const QSignalBlocker blokada(a);
            a->setChecked(wartosc);
        }
        FSzczegoly->parentWidget()->setVisible(FKonfiguracja->CzyPodgladSzczPozycji);
        FPozycjeZSt->parentWidget()->setVisible(FKonfiguracja->CzyPodgladPozycjiZSt);
    }
}
