#include "ui/GlowneOkno.h"
#include "ui/Ikony.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "docs/libreoffice/SilnikLibreOffice.h"
#include "estimates/Kosztorys.h"
#include "prices/CenaJedn.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "ui/EdycjaNumeru.h"
#include "ui/Komunikaty.h"
#include "ui/RodzajWyjscia.h"
#include "ui/UzytkownikOkna.h"
#include "ui/WyborWariantu.h"
#include "workflow/ProgramController.h"
#include "workflow/ZestawController.h"
#include "zestaw/ZestawST.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <thread>

namespace {

// Menus, tool bars and the status bar take this much of the window's height; the frame this much width.
constexpr int WysokoscRamek = 140;
constexpr int SzerokoscRamek = 16;

// Columns as wide as their texts (a long title at most half the grid), the last one taking the rest. Only the
// visible rows are measured, so that a grid of thousands of rows fills at once.
void DopasujKolumny(QTableView* tabela)
{
    tabela->horizontalHeader()->setResizeContentsPrecision(200);
    const int polowa = qMax(200, tabela->viewport()->width() / 2);
    for (int k = 0; k + 1 < tabela->model()->columnCount(); ++k) {
        tabela->resizeColumnToContents(k);
        if (tabela->columnWidth(k) > polowa)
            tabela->setColumnWidth(k, polowa);
    }
}

} // namespace

TGlowneOkno::TGlowneOkno(QWidget* rodzic) : QMainWindow(rodzic)
{
    setWindowTitle(QStringLiteral("Velostra"));
    setObjectName(QStringLiteral("GlowneOkno"));
    FZegarSzukania = new QTimer(this);
    FZegarSzukania->setSingleShot(true);
    FZegarSzukania->setInterval(500);
    connect(FZegarSzukania, &QTimer::timeout, this, &TGlowneOkno::Filtruj);

    FPodzial = new QSplitter(Qt::Horizontal, this);
    FPodzial->setObjectName(QStringLiteral("Podzial"));
    FPodzial->addWidget(ZbudujNawigator());
    FPodzial->addWidget(ZbudujPanelDrzewa());
    FPodzial->addWidget(ZbudujObszarRoboczy());
    FPodzial->setStretchFactor(2, 1);
    setCentralWidget(FPodzial);
    ZbudujPasekStanu();
    ZbudujMenu();
    ZbudujMenuPodreczne();
    OdswiezAktywnosc();
}

TGlowneOkno::~TGlowneOkno()
{
    // The controller and its models go before the widgets that show them; the engine after its start.
    FProgram.reset();
    FKontroler.reset();
    if (FStartSilnika.joinable())
        FStartSilnika.join();
}

// ---------------------------------------------------------------- the controller

void TGlowneOkno::UtworzKontroler(TKonfiguracja& konfiguracja, IUzytkownik* uzytkownik)
{
    FKonfiguracja = &konfiguracja;
    FUzytkownikOkna = std::make_unique<TUzytkownikOkna>(
        this, konfiguracja, [this] { return Silnik(); }, [this] { return &FKontroler->Zestaw(); });
    IUzytkownik& kto = uzytkownik ? *uzytkownik : *FUzytkownikOkna;
    FUzytkownik = &kto;
    FKontroler = std::make_unique<TZestawController>(konfiguracja, *this, kto);
    FProgram = std::make_unique<TProgramController>(*FUzytkownikOkna);
    PodlaczModele();
    {
        const QSignalBlocker blokada(FSynchronizuj);
        FSynchronizuj->setChecked(konfiguracja.CzyDrzewkoSynchronizujZeZbioremSt);
    }
    {
        const QSignalBlocker blokada(FOpisJmWTytule);
        FOpisJmWTytule->setChecked(konfiguracja.NazwaJmWTytuleStPrzyGenerowaniuKosztorysu);
    }
    UstawWidok(FKontroler->CzyWidokSpecyfikacje());
    OdswiezDrzewoSpecyfikacji();
    ZastosujUstawieniaWidoku();
    OdswiezMenuOstatnich();
    WypelnijUstawieniaEksportu();
    OdswiezAktywnosc();
}

void TGlowneOkno::PodlaczModele()
{
    FDrzewoElementow->setModel(&FKontroler->DrzewoElementow());
    FDrzewoSpisu->setModel(&FKontroler->DrzewoSpisu());
    auto* edycja = new TEdycjaNumeruProxy(FKontroler->ListaPozycji(), 1, this);
    edycja->OnZmiana = [this](int wiersz, const QString& numer) {
        auto* pozycja = static_cast<TPozycjaRds*>(FKontroler->ListaPozycji().Obiekt(wiersz));
        if (!pozycja)
            return;
        // Edited from inside the view's commit: the grid is filled again only after it.
        QTimer::singleShot(0, this, [this, pozycja, numer] { Wykonaj([&] { ZmienNumer(pozycja, numer); }); });
    };
    FPozycje->setModel(edycja);
    FPozycje->setItemDelegateForColumn(1, new TEdytorNumeru(*FKontroler, this));
    FSzczegoly->setModel(&FKontroler->SzczegolyPozycji());
    FZbior->setModel(&FKontroler->ZbiorSt());
    FPozycjeZSt->setModel(&FKontroler->ListaPozycjiZSt());

    connect(FDrzewoElementow->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& indeks) {
                if (TElementRds* element = TModelElementow::Element(indeks))
                    Wykonaj([&] { FKontroler->WyswietlPozycje(element); });
            });
    connect(FDrzewoSpisu->selectionModel(), &QItemSelectionModel::currentChanged, this, &TGlowneOkno::WybranoWezel);
    connect(FPozycje->selectionModel(), &QItemSelectionModel::currentChanged, this, &TGlowneOkno::WybranoWierszPozycji);
    connect(FZbior->selectionModel(), &QItemSelectionModel::currentChanged, this, &TGlowneOkno::WybranoWierszZbioru);
    // A model reset replaces the selection models' contents, not the models themselves.
    connect(&FKontroler->ListaPozycji(), &QAbstractItemModel::modelReset, this, [this] { DopasujKolumny(FPozycje); });
    connect(&FKontroler->ZbiorSt(), &QAbstractItemModel::modelReset, this, [this] {
        DopasujKolumny(FZbior);
        OdswiezAktywnosc();
    });
    connect(&FKontroler->SzczegolyPozycji(), &QAbstractItemModel::modelReset, this,
            [this] { DopasujKolumny(FSzczegoly); });
    connect(&FKontroler->ListaPozycjiZSt(), &QAbstractItemModel::modelReset, this,
            [this] { DopasujKolumny(FPozycjeZSt); });
}

void TGlowneOkno::ZmienNumer(TPozycjaRds* pozycja, const QString& numer)
{
    // With variants in use a specification that has them asks which one the position takes.
    if (FKonfiguracja && FKonfiguracja->CzyKorzystajZWariantow && !numer.isEmpty()) {
        if (TSpecyfikacja* s = FKontroler->Spis().FindSpecyfikacja(numer, fsSzukajWSpecyfikacjach);
            s && s->WariantyCount() > 0) {
            TWyborWariantu wybor(*s, FKonfiguracja->GetWizualnySeparatorWariantow(), this);
            // The variant travels after "#", as the controller reads numbers typed with one.
            if (wybor.exec() == QDialog::Accepted && wybor.Wariant()) {
                FKontroler->ZmienNumerPozycji(pozycja, s->Numer() + QLatin1Char('#') + wybor.Wariant()->Numer());
                return;
            }
        }
    }
    FKontroler->ZmienNumerPozycji(pozycja, numer);
}

void TGlowneOkno::Wykonaj(const std::function<void()>& polecenie)
{
    if (!FKontroler)
        return;
    try {
        polecenie();
    } catch (const EBlad& e) {
        FUzytkownik->PokazKomunikat(e.Komunikat());
    } catch (const std::exception& e) {
        FUzytkownik->PokazKomunikat(QString::fromLocal8Bit(e.what()));
    }
    OdswiezAktywnosc();
}

ISilnikDokumentow* TGlowneOkno::Silnik()
{
    if (!FSilnik) {
        FSilnik = std::make_unique<TSilnikLibreOffice>();
        // Started beside the user's work; the first merge waits for it if it is not ready yet.
        FStartSilnika = std::thread([silnik = FSilnik.get()] {
            try {
                silnik->Uruchom();
            } catch (...) {
                // Reported when the export asks for it.
            }
        });
    }
    return FSilnik.get();
}

void TGlowneOkno::OtworzPlik(const QString& plik)
{
    if (TZestawController::CzyArchiwum(plik))
        Wykonaj([&] { FKontroler->RozpakujArchiwum(plik); });
    else if (plik.endsWith(QLatin1String(".sst"), Qt::CaseInsensitive))
        Wykonaj([&] { FKontroler->OtworzSST(plik); });
    else
        Wykonaj([&] { FKontroler->OtworzZestaw(plik); });
}

TSpecyfikacja* TGlowneOkno::WybranyWezel() const
{
    if (!FKontroler)
        return nullptr;
    const QModelIndexList wybrane = FDrzewoSpisu->selectionModel()->selectedRows();
    // Commands on one node only: none with several selected.
    if (wybrane.size() > 1)
        return nullptr;
    return FKontroler->DrzewoSpisu().Wezel(wybrane.isEmpty() ? FDrzewoSpisu->currentIndex() : wybrane.first());
}

TElementRds* TGlowneOkno::WybranyElementDrzewa() const
{
    return TModelElementow::Element(FDrzewoElementow->currentIndex());
}

// ---------------------------------------------------------------- handlers

void TGlowneOkno::WypelnijUstawieniaEksportu()
{
    if (!FKontroler)
        return;
    const TKonfiguracjaZestawu& k = *FKontroler->Zestaw().GetKonfiguracja();
    FWypelnianie = true;
    const QSignalBlocker b1(FStronaTytulowa), b2(FWstawNazweZadania), b3(FNazwaZadania), b4(FStopka), b5(FDodajStopke),
        b6(FNrStrony), b7(FDwustronny), b8(FNaglowek), b9(FDodajNaglowek);
    FStronaTytulowa->setChecked(k.CzyWstawiacSzablonPierwszejStrony);
    const QString szablon = FKontroler->PobierzSzablonPierwszejStrony();
    FStronaTytulowa->setToolTip(szablon.isEmpty() ? QStringLiteral("Brak wbranego pliku szablony strony tytułowej!")
                                                  : szablon);
    FSzablon->setText(szablon.isEmpty()
                          ? QString()
                          : QStringLiteral("<a href=\"#\">%1</a>").arg(QFileInfo(szablon).fileName().toHtmlEscaped()));
    FWstawNazweZadania->setChecked(k.CzyWstawTekstDoSt);
    if (FNazwaZadania->toPlainText() != k.TekstDoSt)
        FNazwaZadania->setPlainText(k.TekstDoSt);
    FDodajStopke->setChecked(k.CzyStopka);
    FNrStrony->setChecked(k.CzyNrStronyStopki);
    FDwustronny->setChecked(k.CzyDrukDwustronnyStopki);
    if (FStopka->toPlainText() != k.TrescStopki)
        FStopka->setPlainText(k.TrescStopki);
    FDodajNaglowek->setChecked(k.CzyNaglowek);
    if (FNaglowek->toPlainText() != k.TrescNaglowka)
        FNaglowek->setPlainText(k.TrescNaglowka);
    FDwustronny->setEnabled(k.CzyStopka);
    FRodzajWyjscia->setIcon(IkonaRodzajuWyjscia(k.CzyEksportDoc));
    FRodzajWyjscia->setToolTip(k.CzyEksportDoc ? QStringLiteral("Microsoft Word (DOC)")
                                               : QStringLiteral("OpenOffice Writer (ODT)"));
    FWypelnianie = false;
}

void TGlowneOkno::ZmianaUstawienEksportu()
{
    if (FWypelnianie || !FKontroler)
        return;
    Wykonaj([this] {
        const TKonfiguracjaZestawu& k = *FKontroler->Zestaw().GetKonfiguracja();
        if (FDodajNaglowek->isChecked() != k.CzyNaglowek || FNaglowek->toPlainText() != k.TrescNaglowka)
            FKontroler->ZmianaUstawienNaglowka(FDodajNaglowek->isChecked(), FNaglowek->toPlainText());
        if (FDodajStopke->isChecked() != k.CzyStopka || FStopka->toPlainText() != k.TrescStopki ||
            FNrStrony->isChecked() != k.CzyNrStronyStopki)
            FKontroler->ZmianaUstawienStopki(FDodajStopke->isChecked(), FStopka->toPlainText(), FNrStrony->isChecked());
        if (FDwustronny->isChecked() != k.CzyDrukDwustronnyStopki) {
            FKontroler->Zestaw().GetKonfiguracja()->CzyDrukDwustronnyStopki = FDwustronny->isChecked();
            FKontroler->ZmienionoZestaw();
        }
        if (FWstawNazweZadania->isChecked() != k.CzyWstawTekstDoSt || FNazwaZadania->toPlainText() != k.TekstDoSt)
            FKontroler->ZmianaUstawienWstawTekstDoST(FWstawNazweZadania->isChecked(), FNazwaZadania->toPlainText());
        FDwustronny->setEnabled(FDodajStopke->isChecked());
    });
}

void TGlowneOkno::WybranoWezel()
{
    const QModelIndex indeks = FDrzewoSpisu->currentIndex();
    PokazPodglad(indeks);
    const TSpecyfikacja* wezel = FKontroler ? FKontroler->DrzewoSpisu().Wezel(indeks) : nullptr;
    if (wezel && FSynchronizuj->isChecked() && !wezel->CzyGrupa())
        Wykonaj([&] { FKontroler->SynchronizujDrzewoZeZbiorem(wezel); });
    OdswiezAktywnosc();
}

void TGlowneOkno::PokazPodglad(const QModelIndex& indeks)
{
    const TSpecyfikacja* wezel = FKontroler ? FKontroler->DrzewoSpisu().Wezel(indeks) : nullptr;
    FJednostki->setRowCount(0);
    if (!wezel) {
        FTytulPodgladu->clear();
        FObmiar->clear();
        return;
    }
    const QString naglowek = FKonfiguracja && !FKonfiguracja->TytulPodgladuDrzewa.isEmpty()
                                 ? FKonfiguracja->TytulPodgladuDrzewa + QStringLiteral(": ")
                                 : QString();
    FTytulPodgladu->setText(
        naglowek + wezel->GetCaption() +
        (!wezel->CzyGrupa() && wezel->GetPlik().isEmpty() ? QStringLiteral(" (Brak powiązanego pliku)") : QString()));
    FObmiar->setHtml(wezel->Info());
    if (wezel->CzyGrupa())
        return;
    const QSignalBlocker blokada(FJednostki);
    FJednostki->setRowCount(wezel->JmCount());
    const auto kwota = [](double wartosc) { return QString::number(wartosc, 'f', 2); };
    for (int i = 0; i < wezel->JmCount(); ++i) {
        const TJmSpecyfikacji* jm = wezel->GetJm(i);
        // Empty cells prompt for what they take.
        const auto komorka = [](const QString& tekst, const QString& podpowiedz) {
            auto* element = new QTableWidgetItem(tekst.isEmpty() ? podpowiedz : tekst);
            if (tekst.isEmpty())
                element->setForeground(Qt::gray);
            return element;
        };
        FJednostki->setItem(i, 0, komorka(jm->Jm(), QStringLiteral("wybierz jm")));
        FJednostki->setItem(i, 1, komorka(jm->Opis(), QStringLiteral("wpisz opis")));
        const TCenaJedn* cena = jm->CenaJedn();
        auto* elementCeny = new QTableWidgetItem(cena ? kwota(cena->GetWartosc()) : QStringLiteral("cena"));
        if (cena)
            elementCeny->setToolTip(CenyJednostki(*cena).join(QLatin1Char('\n')));
        FJednostki->setItem(i, 2, elementCeny);
    }
}

QStringList TGlowneOkno::CenyJednostki(const TCenaJedn& cena)
{
    const auto kwota = [](double wartosc) { return QString::number(wartosc, 'f', 2); };
    const TCenaInfCen* infCen = cena.GetWybranaInfCen();
    return {QStringLiteral("Cena z ręki = ") + kwota(cena.GetCenaZReki()),
            QStringLiteral("Cena z InfCen = ") + kwota(infCen ? infCen->GetObliczone() : 0.0),
            QStringLiteral("Cena z RMSj = ") + kwota(cena.GetSumaRMSjObliczone())};
}

void TGlowneOkno::PokazCenyJednostki(const QPoint& miejsce)
{
    const TSpecyfikacja* wezel = WezelPodgladu();
    const QModelIndex indeks = FJednostki->indexAt(miejsce);
    if (!wezel || indeks.row() < 0 || indeks.row() >= wezel->JmCount())
        return;
    const TCenaJedn* cena = wezel->GetJm(indeks.row())->CenaJedn();
    if (!cena)
        return;
    auto* menu = new QMenu(FJednostki);
    menu->setObjectName(QStringLiteral("CenyJednostki"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const QString& tekst : CenyJednostki(*cena))
        menu->addAction(tekst)->setEnabled(false);
    menu->popup(FJednostki->viewport()->mapToGlobal(miejsce));
}

TSpecyfikacja* TGlowneOkno::WezelPodgladu() const
{
    TSpecyfikacja* wezel = FKontroler ? FKontroler->DrzewoSpisu().Wezel(FDrzewoSpisu->currentIndex()) : nullptr;
    return wezel && !wezel->CzyGrupa() ? wezel : nullptr;
}

void TGlowneOkno::ZmianaJednostki(QTableWidgetItem* element)
{
    TSpecyfikacja* wezel = WezelPodgladu();
    if (!wezel || element->row() >= wezel->JmCount())
        return;
    TJmSpecyfikacji* jm = wezel->GetJm(element->row());
    const QString tekst = element->text().trimmed();
    Wykonaj([&] {
        if (element->column() == 0 && tekst != QLatin1String("wybierz jm"))
            jm->SetJm(tekst);
        else if (element->column() == 1 && tekst != QLatin1String("wpisz opis"))
            jm->SetOpis(tekst);
        else if (element->column() == 2 && jm->CenaJedn()) {
            bool ok = false;
            const double cena = QString(tekst).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (!ok || cena < 0)
                FUzytkownik->PokazKomunikat(QStringLiteral("Wartość nieprawidłowa."));
            else
                jm->CenaJedn()->SetCena(cena);
        }
    });
    // Shown again from the unit: a refused price returns to the stored one, prices as "0.00".
    QTimer::singleShot(0, this, [this] { PokazPodglad(FDrzewoSpisu->currentIndex()); });
}

void TGlowneOkno::WybranoWierszPozycji()
{
    const int wiersz = FPozycje->currentIndex().row();
    if (wiersz >= 0)
        Wykonaj([&] { FKontroler->WyswietlSzczegolyPozycji(wiersz); });
}

void TGlowneOkno::WybranoWierszZbioru()
{
    const int wiersz = FZbior->currentIndex().row();
    if (wiersz < 0)
        return;
    Wykonaj([&] {
        FKontroler->SynchronizujZbiorZDrzewkiemST(wiersz);
        FKontroler->WyswietlListePozycjiZSt(wiersz);
    });
}

void TGlowneOkno::ZmienRodzajWyjscia()
{
    if (!FKontroler)
        return;
    TKonfiguracjaZestawu& k = *FKontroler->Zestaw().GetKonfiguracja();
    TRodzajWyjscia okno(k.CzyEksportDoc, this);
    const QPoint nad = FRodzajWyjscia->mapToGlobal(QPoint(0, 0));
    okno.move(nad.x(), nad.y() - okno.sizeHint().height());
    if (okno.exec() != QDialog::Accepted || okno.CzyWord() == k.CzyEksportDoc)
        return;
    k.CzyEksportDoc = okno.CzyWord();
    Wykonaj([this] {
        FKontroler->ZmienionoZestaw();
        FKontroler->WyswietlZbiorST();
    });
    WypelnijUstawieniaEksportu();
}

void TGlowneOkno::Filtruj()
{
    const TSpecyfikacja* grupa = FZakresSzukania->currentIndex() == 1 ? WybranyWezel() : nullptr;
    Wykonaj([&] { FKontroler->AktualizujFiltrSpecyfikacji(FSzukaj->text(), grupa); });
    if (!FSzukaj->text().isEmpty())
        FDrzewoSpisu->expandAll();
}

// ---------------------------------------------------------------- IWidokZestawu

void TGlowneOkno::UstawTytul(const QString& tytul)
{
    setWindowTitle(tytul);
    // A set opened or made anew: the navigator shows its export settings.
    WypelnijUstawieniaEksportu();
}

void TGlowneOkno::UstawStatus(int panel, const QString& tekst)
{
    if (panel < 0 || panel >= static_cast<int>(FPanele.size()))
        return;
    FPanele[static_cast<size_t>(panel)]->setText(tekst);
    if (panel == 2)
        FPanele[2]->setMinimumWidth(FPanele[2]->fontMetrics().horizontalAdvance(tekst) + 38);
    if (panel == 4)
        FPanele[4]->setMinimumWidth(static_cast<int>(FPanele[4]->fontMetrics().horizontalAdvance(tekst) * 1.2));
}

void TGlowneOkno::OdswiezOstatnie()
{
    OdswiezMenuOstatnich();
}

void TGlowneOkno::OdswiezDrzewoSpecyfikacji()
{
    // The model was built again by the controller: the first level stays open for orientation.
    FDrzewoSpisu->expandToDepth(FSzukaj->text().isEmpty() ? 0 : 3);
    PokazPodglad(FDrzewoSpisu->currentIndex());
}

void TGlowneOkno::UstawWidok(bool specyfikacje)
{
    FStronyNawigatora->setCurrentIndex(specyfikacje ? 0 : 1);
    FObszar->setCurrentIndex(specyfikacje ? 1 : 0);
    (specyfikacje ? FPrzyciskSpecyfikacje : FPrzyciskKosztorys)->setChecked(true);
    OdswiezAktywnosc();
}

void TGlowneOkno::ZaznaczElement(const TElementRds* element)
{
    if (!FKontroler)
        return;
    const QModelIndex indeks = FKontroler->DrzewoElementow().Indeks(element);
    const QSignalBlocker blokada(FDrzewoElementow->selectionModel());
    FDrzewoElementow->setCurrentIndex(indeks);
    if (indeks.isValid())
        FDrzewoElementow->scrollTo(indeks);
}

void TGlowneOkno::ZaznaczWierszPozycji(int wiersz)
{
    const QModelIndex indeks = FPozycje->model()->index(wiersz, 0);
    FPozycje->setCurrentIndex(indeks);
    FPozycje->selectRow(wiersz);
    FPozycje->scrollTo(indeks);
    FPozycje->setFocus();
}

void TGlowneOkno::ZaznaczWierszZbioru(int wiersz)
{
    const QModelIndex indeks = FZbior->model()->index(wiersz, 0);
    const QSignalBlocker blokada(FZbior->selectionModel());
    FZbior->setCurrentIndex(indeks);
    FZbior->selectRow(wiersz);
    FZbior->scrollTo(indeks);
}

void TGlowneOkno::PokazWezelSpecyfikacji(const TSpecyfikacja* wezel)
{
    if (!FKontroler)
        return;
    QModelIndex indeks = FKontroler->DrzewoSpisu().Indeks(wezel);
    if (!indeks.isValid()) {
        // A node added since the last rebuild.
        FKontroler->DrzewoSpisu().Odswiez();
        indeks = FKontroler->DrzewoSpisu().Indeks(wezel);
    }
    if (!indeks.isValid())
        return;
    FDrzewoSpisu->setUpdatesEnabled(false);
    for (QModelIndex rodzic = indeks.parent(); rodzic.isValid(); rodzic = rodzic.parent())
        FDrzewoSpisu->expand(rodzic);
    FDrzewoSpisu->setCurrentIndex(indeks);
    FDrzewoSpisu->scrollTo(indeks);
    FDrzewoSpisu->setUpdatesEnabled(true);
}

void TGlowneOkno::UstawTylkoWidokSpecyfikacje(bool tylko)
{
    FPrzyciskKosztorys->setVisible(!tylko);
    for (const QString& nazwa : {QStringLiteral("OtworzKosztorys"), QStringLiteral("ZapiszKosztorys"),
                                 QStringLiteral("EksportujDoExcela"), QStringLiteral("UsunKosztorys")})
        if (QAction* a = Akcja(nazwa))
            a->setVisible(!tylko);
    if (tylko)
        UstawWidok(true);
}

void TGlowneOkno::ZastosujUstawieniaWidoku()
{
    if (!FKonfiguracja)
        return;
    const auto czcionka = [](QWidget* w, int rozmiar) {
        if (rozmiar <= 0)
            return;
        QFont f = w->font();
        f.setPointSize(rozmiar);
        w->setFont(f);
    };
    czcionka(FDrzewoSpisu, FKonfiguracja->RozmiarDrzewoSpecyfikacji);
    czcionka(FDrzewoElementow, FKonfiguracja->RozmiarDrzewoElementow);
    czcionka(FZbior, FKonfiguracja->RozmiarSpecyfikacje);
    czcionka(FPozycjeZSt, FKonfiguracja->RozmiarSpecyfikacje);
    czcionka(FPozycje, FKonfiguracja->RozmiarKosztorys);
    czcionka(FSzczegoly, FKonfiguracja->RozmiarKosztorys);
    const int szerokosc = qMax(width(), 800);
    const int nawigator = FKonfiguracja->NawigatorWidth > 0 ? FKonfiguracja->NawigatorWidth : szerokosc / 6;
    const int drzewo = FKonfiguracja->DrzewoSTWidth > 0 ? FKonfiguracja->DrzewoSTWidth : szerokosc / 3;
    // The list tree needs room for numbers and titles; older layouts kept it narrow.
    const int drzewoSzersze = qMax(drzewo, 360);
    FPodzial->setSizes({nawigator, drzewoSzersze, qMax(200, szerokosc - nawigator - drzewoSzersze)});
    UstawDolnyPanel(FPodzialDrzewa, FKonfiguracja->PodgladDrzewaHeight);
    UstawDolnyPanel(FPodzialKosztorysu, FKonfiguracja->PodgladPozHeight);
    UstawDolnyPanel(FPodzialZbioru, FKonfiguracja->PodgladPozZStHeight);
    UstawTylkoWidokSpecyfikacje(FKonfiguracja->TylkoWidokSpecyfikacje);
    PokazPodglad(FDrzewoSpisu->currentIndex());
}

void TGlowneOkno::UstawDolnyPanel(QSplitter* podzial, int wysokosc)
{
    if (wysokosc <= 0)
        return;
    // A splitter on a page not shown yet has no height of its own; the window's stands in for it.
    const int calosc =
        podzial->isVisible() ? podzial->height() - podzial->handleWidth() : qMax(200, height() - WysokoscRamek);
    // The upper panel always keeps a usable part of the height.
    const int dolny = qMin(wysokosc, calosc - calosc / 4);
    podzial->setSizes({calosc - dolny, dolny});
}

void TGlowneOkno::ZwinDoPoziomu(int poziom)
{
    FDrzewoSpisu->collapseAll();
    if (poziom > 0)
        FDrzewoSpisu->expandToDepth(poziom - 1);
}

// ---------------------------------------------------------------- window events

void TGlowneOkno::closeEvent(QCloseEvent* zdarzenie)
{
    if (FKontroler) {
        bool zamknij = true;
        Wykonaj([&] { zamknij = FKontroler->Zamknij(); });
        if (!zamknij) {
            zdarzenie->ignore();
            return;
        }
        if (FKonfiguracja) {
            const QList<int> rozmiary = FPodzial->sizes();
            FKonfiguracja->NawigatorWidth = rozmiary.value(0);
            FKonfiguracja->DrzewoSTWidth = rozmiary.value(1);
            // A panel never shown (its page not opened) has no height to keep.
            const auto dolny = [](const QSplitter* podzial, int& wysokosc) {
                if (podzial->sizes().value(1) > 0 && podzial->isVisible())
                    wysokosc = podzial->sizes().value(1);
            };
            dolny(FPodzialDrzewa, FKonfiguracja->PodgladDrzewaHeight);
            dolny(FPodzialKosztorysu, FKonfiguracja->PodgladPozHeight);
            dolny(FPodzialZbioru, FKonfiguracja->PodgladPozZStHeight);
            FKonfiguracja->WidokKosztorys = !FKontroler->CzyWidokSpecyfikacje();
        }
    }
    zdarzenie->accept();
}

bool TGlowneOkno::eventFilter(QObject* obiekt, QEvent* zdarzenie)
{
    // Escape in the search box clears it (and so shows the whole list again).
    if (obiekt == FSzukaj && zdarzenie->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(zdarzenie)->key() == Qt::Key_Escape) {
        FSzukaj->clear();
        return true;
    }
    return QMainWindow::eventFilter(obiekt, zdarzenie);
}

void TGlowneOkno::resizeEvent(QResizeEvent* zdarzenie)
{
    QMainWindow::resizeEvent(zdarzenie);
    // The navigator keeps its width; the work area takes what the window gains or loses.
    FPodzial->setStretchFactor(0, 0);
}

// ---------------------------------------------------------------- IOknoKonfiguracji

QSize TGlowneOkno::RozmiarEkranu() const
{
    const QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    return ekran ? ekran->size() : QSize(1920, 1080);
}

int TGlowneOkno::LiczbaMonitorow() const
{
    return static_cast<int>(QGuiApplication::screens().size());
}

int TGlowneOkno::SzerokoscObszaruKlienta(QSize rozmiarOkna) const
{
    return rozmiarOkna.width() - SzerokoscRamek;
}

int TGlowneOkno::WysokoscPaneluDrzewa(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

int TGlowneOkno::WysokoscPaneluKosztorysu(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

int TGlowneOkno::WysokoscPaneluZbioru(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

void TGlowneOkno::PobierzStanOkna(TKonfiguracja& konfiguracja)
{
    konfiguracja.Maximized = isMaximized();
    const QRect normalne = normalGeometry();
    if (normalne.isValid()) {
        konfiguracja.Position = normalne.topLeft();
        konfiguracja.Size = normalne.size();
    }
}

void TGlowneOkno::UstawZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    resize(konfiguracja.Size);
    move(konfiguracja.Position);
}
