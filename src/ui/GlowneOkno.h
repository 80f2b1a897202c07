#pragma once

#include "app/OknoKonfiguracji.h"
#include "workflow/WidokZestawu.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <thread>

class IUzytkownik;
class ISilnikDokumentow;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QModelIndex;
class QPoint;
class QSplitter;
class QStackedWidget;
class QTableView;
class QTableWidget;
class QTableWidgetItem;
class QTextEdit;
class QTimer;
class QToolButton;
class QTreeView;
class TCenaJedn;
class TKonfiguracja;
class TPozycjaRds;
class TProgramController;
class TSilnikLibreOffice;
class TUzytkownikOkna;
class TZestawController;

// The program's main window. It lays out the set's trees and grids (the controller's models), forwards
// every command to the set controller and shows what the controller tells it through IWidokZestawu. It
// also tells the configuration about the screen and hands over its own place and size.
class TGlowneOkno : public QMainWindow, public IOknoKonfiguracji, public IWidokZestawu
{
    Q_OBJECT

public:
    explicit TGlowneOkno(QWidget* rodzic = nullptr);
    ~TGlowneOkno() override;

    // Creates the set controller over the configuration; the user answers its questions (the window's
    // own dialogs when none is given).
    void UtworzKontroler(TKonfiguracja& konfiguracja, IUzytkownik* uzytkownik = nullptr);
    TZestawController* Kontroler() const { return FKontroler.get(); }
    // A set (.zst) or list (.sst) given on the command line or by a second start.
    void OtworzPlik(const QString& plik);
    // The office engine, started in the background on first use and kept warm until the window closes.
    ISilnikDokumentow* Silnik();
    // The window's command by its action's object name (menus, tool bars and pop-ups alike).
    QAction* Akcja(const QString& nazwa) const;

    // IOknoKonfiguracji
    QSize RozmiarEkranu() const override;
    int LiczbaMonitorow() const override;
    int SzerokoscObszaruKlienta(QSize rozmiarOkna) const override;
    int WysokoscPaneluDrzewa(QSize rozmiarOkna) const override;
    int WysokoscPaneluKosztorysu(QSize rozmiarOkna) const override;
    int WysokoscPaneluZbioru(QSize rozmiarOkna) const override;
    void PobierzStanOkna(TKonfiguracja& konfiguracja) override;
    // Takes the window's place and size from the configuration.
    void UstawZKonfiguracji(const TKonfiguracja& konfiguracja);

    // IWidokZestawu
    void UstawTytul(const QString& tytul) override;
    void UstawStatus(int panel, const QString& tekst) override;
    void OdswiezOstatnie() override;
    void OdswiezDrzewoSpecyfikacji() override;
    void UstawWidok(bool specyfikacje) override;
    void ZaznaczElement(const TElementRds* element) override;
    void ZaznaczWierszPozycji(int wiersz) override;
    void ZaznaczWierszZbioru(int wiersz) override;
    void PokazWezelSpecyfikacji(const TSpecyfikacja* wezel) override;
    void UstawTylkoWidokSpecyfikacje(bool tylko) override;
    void ZastosujUstawieniaWidoku() override;
    void ZwinDoPoziomu(int poziom) override;

protected:
    void closeEvent(QCloseEvent* zdarzenie) override;
    void resizeEvent(QResizeEvent* zdarzenie) override;
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    // Layout, in GlowneOkno.cpp.
    QWidget* ZbudujNawigator();
    QWidget* ZbudujPanelDrzewa();
    QWidget* ZbudujObszarRoboczy();
    void ZbudujPasekStanu();
    void PodlaczModele();
    // Menus, tool bars and pop-ups, in GlowneOknoMenu.cpp.
    void ZbudujMenu();
    void ZbudujMenuPodreczne();
    QAction* NowaAkcja(const QString& nazwa, const QString& tekst, const QKeySequence& skrot,
                       std::function<void()> polecenie, const QString& ikona = QString());
    void OdswiezMenuOstatnich();
    void OdswiezAktywnosc();

    // What a command works on.
    TSpecyfikacja* WybranyWezel() const;
    TElementRds* WybranyElementDrzewa() const;
    // The command runs only with a controller; its failures reach the user as a notice.
    void Wykonaj(const std::function<void()>& polecenie);

    // The set's export settings into the navigator's panels, without firing their handlers.
    void WypelnijUstawieniaEksportu();
    void ZmianaUstawienEksportu();
    void PokazPodglad(const QModelIndex& indeks);
    void UstawDolnyPanel(QSplitter* podzial, int wysokosc);
    // The three prices of a unit, one line each, as its price pop-up and tooltip list them.
    static QStringList CenyJednostki(const TCenaJedn& cena);
    void PokazCenyJednostki(const QPoint& miejsce);
    void WybranoWezel();
    void WybranoWierszPozycji();
    void WybranoWierszZbioru();
    void ZmienRodzajWyjscia();
    // The units of the specification shown in the preview (its grid edits them in place).
    TSpecyfikacja* WezelPodgladu() const;
    void ZmianaJednostki(QTableWidgetItem* element);
    void Filtruj();
    // A number typed into the positions grid (the variant chooser first, where it applies).
    void ZmienNumer(TPozycjaRds* pozycja, const QString& numer);

    TKonfiguracja* FKonfiguracja = nullptr;
    std::unique_ptr<TSilnikLibreOffice> FSilnik;
    std::thread FStartSilnika; // the engine's start in the background, joined before the engine goes
    std::unique_ptr<TUzytkownikOkna> FUzytkownikOkna;
    std::unique_ptr<TZestawController> FKontroler;
    std::unique_ptr<TProgramController> FProgram;
    IUzytkownik* FUzytkownik = nullptr; // who answers: the window's own dialogs or a test's script
    bool FWypelnianie = false;

    // Navigator
    QToolButton* FPrzyciskSpecyfikacje = nullptr;
    QToolButton* FPrzyciskKosztorys = nullptr;
    QStackedWidget* FStronyNawigatora = nullptr;
    QCheckBox* FStronaTytulowa = nullptr;
    QLabel* FSzablon = nullptr;
    QCheckBox* FWstawNazweZadania = nullptr;
    QTextEdit* FNazwaZadania = nullptr;
    QTextEdit* FStopka = nullptr;
    QCheckBox* FDodajStopke = nullptr;
    QCheckBox* FNrStrony = nullptr;
    QCheckBox* FDwustronny = nullptr;
    QTextEdit* FNaglowek = nullptr;
    QCheckBox* FDodajNaglowek = nullptr;
    QTreeView* FDrzewoElementow = nullptr;
    // List tree
    QTreeView* FDrzewoSpisu = nullptr;
    QLineEdit* FSzukaj = nullptr;
    QComboBox* FZakresSzukania = nullptr;
    QCheckBox* FSynchronizuj = nullptr;
    QTimer* FZegarSzukania = nullptr;
    QLabel* FTytulPodgladu = nullptr;
    QTextEdit* FObmiar = nullptr;
    QTableWidget* FJednostki = nullptr;
    QCheckBox* FOpisJmWTytule = nullptr;
    // Work area
    QStackedWidget* FObszar = nullptr;
    QTableView* FPozycje = nullptr;
    QTableView* FSzczegoly = nullptr;
    QTableView* FZbior = nullptr;
    QTableView* FPozycjeZSt = nullptr;
    QSplitter* FPodzial = nullptr;
    // Each ends in a lower panel whose height the configuration keeps: the tree's preview, the
    // position's details, the positions of a specification.
    QSplitter* FPodzialDrzewa = nullptr;
    QSplitter* FPodzialKosztorysu = nullptr;
    QSplitter* FPodzialZbioru = nullptr;
    // Status bar
    std::vector<QLabel*> FPanele;
    QToolButton* FRodzajWyjscia = nullptr;
    QMenu* FOstatnieZestawy = nullptr;
    QMenu* FOstatnieListy = nullptr;
};
