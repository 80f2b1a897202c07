#pragma once

#include "specs/DuplikatStDialog.h"
#include "workflow/ModelElementow.h"
#include "workflow/ModelSpisu.h"
#include "workflow/ModelTabeli.h"
#include "workflow/Uzytkownik.h"
#include "workflow/ZadanieArchiwum.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class IUzytkownik;
class IWidokZestawu;
class TEdycjaSpisu;
class TElementRds;
class TKonfiguracja;
class IUzytkownikCeny;
class QObject;
class TCenaJedn;
class TKalkulacjaCeny;
class TKosztorys;
class TLicznikImportuSt;
class TPozycjaRds;
class TPozycjaZbioru;
class TSpecyfikacja;
class TSpisST;
class TWariantSpecyfikacji;
class TZestawST;
struct TUstawieniaKosztorysu;

// The one object that carries out the window's commands on the open set: it owns the set, keeps the
// two "changed" flags, asks before work is lost, runs the long opens through the waiting dialog, keeps
// the caption, the status bar and the recent files up to date and fills the grids and trees, which are
// its models. It reaches the window only through IWidokZestawu and the user through IUzytkownik.
class TZestawController : public IDuplikatStDialog
{
public:
    TZestawController(TKonfiguracja& konfiguracja, IWidokZestawu& widok, IUzytkownik& uzytkownik);
    ~TZestawController() override;
    TZestawController(const TZestawController&) = delete;
    TZestawController& operator=(const TZestawController&) = delete;

    // --- Set
    // False when the user cancelled a question.
    bool UtworzNowyZestaw(bool force = false);
    // An empty path asks for one.
    void OtworzZestaw(const QString& path = QString(), bool tworzBackup = false);
    // False when the set was not saved (failure, cancelled dialog).
    bool ZapiszZestaw();
    bool ZapiszZestawJako();
    // The list, then the set.
    bool ZapiszWszystko();
    // Asks about unsaved work before the window closes; false cancels the closing.
    bool Zamknij();
    void ZmienionoZestaw();
    void WyswietlZestawJakoZapisany();
    // The recent sets and lists as the menus show them: at most four, most recent first.
    QStringList OstatnieZestawy() const;
    QStringList OstatnieListy() const;
    // A click on a recent entry: opens the file if it still exists.
    void OtworzOstatniZestaw(int indeks);
    void OtworzOstatniaListe(int indeks);
    // Restores the set or the list from its backup copy ("*.~zst", "*.~sst") chosen by the user.
    void OdzyskajZestawZKopii();
    void OdzyskajSpisStZKopii();

    // --- List
    bool UtworzNowySST();
    // A missing or empty path asks for one.
    void OtworzSST(const QString& path = QString());
    bool ZapiszSST();
    bool ZapiszSSTJako();
    // The window "Scalanie list specyfikacji" for the saved list; its result replaces the list.
    void DodajListeSst();
    void ZmianaNazwyPliku();
    void ZmianaZawartosciSpecyfikacji();

    // --- Estimates
    // Adds the file, or asks for files when the name is empty.
    void OtworzKosztorys(const QString& nazwaPliku = QString());
    void UsunKosztorys(TKosztorys* kosztorys);
    void UsunWszystkieKosztorysy();
    void PrzesunKosztorysWGore(TKosztorys* kosztorys);
    void PrzesunKosztorysWDol(TKosztorys* kosztorys);
    bool CzyOtwartyKosztorys() const;
    // Writes a copy of the estimate's file with the numbers of its positions, to its own file or another
    // one the user chooses; all of them to their own files after one question.
    void EksportujKosztorys(TKosztorys* kosztorys);
    void EksportujWszystkieKosztorysy();
    // A new estimate (Rodos text format) with one position per unit of every specification of the
    // collection; opened in the set afterwards when the configuration says so.
    void GenerujKosztorys();

    // --- List editing. The node is the single one selected in the tree (null: none, or several).
    void DodajRodzajRobotSST();
    void DodajGrupeRobotSST(TSpecyfikacja* wybrany);
    void DodajElementRobotSST(TSpecyfikacja* wybrany);
    void DodajSpecyfikacje(TSpecyfikacja* wybrany, const QString& numer = QString());
    void DodajWariantSpecyfikacji(TSpecyfikacja* wybrany);
    void EdytujSpecyfikacje(TSpecyfikacja* wybrany);
    void EdytujWariantSpecyfikacji(TWariantSpecyfikacji* wariant);
    void UsunSpecyfikacje(TSpecyfikacja* wybrany);
    void UsunWariantSpecyfikacji(TWariantSpecyfikacji* wariant);
    void PowiazSpecyfikacjeZPlikiem(TSpecyfikacja* wybrany);
    void UsunPowiazanieZPlikiemST(TSpecyfikacja* wybrany);
    void PrzestawWarunkiOgolne(TSpecyfikacja* wybrany);
    void PrzeniesStWGore(TSpecyfikacja* wybrany);
    void PrzeniesStWDol(TSpecyfikacja* wybrany);
    void PrzeniesStPoziomWyzej(TSpecyfikacja* wybrany);
    void PrzeniesStPoziomNizej(TSpecyfikacja* wybrany);
    // Dragging in the tree: the node goes under cel (null: the list itself) before its child miejsce (past
    // the end, or -1: last), when the list's nesting allows it; variants are not moved. With wykonaj false
    // only tells whether it may.
    bool PrzeniesSt(TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj = true);
    void OtworzPlikSTDrzewka(const TSpecyfikacja* wybrany);
    void OtworzFolderPlikuSTDrzewka(const TSpecyfikacja* wybrany);
    void OtworzPlikSTZbioru(int wiersz);
    void OtworzFolderPlikuSTZbioru(int wiersz);
    // The search text applied to the list (within the group when one is given); the tree is rebuilt.
    void AktualizujFiltrSpecyfikacji(const QString& tekst, const TSpecyfikacja* grupa = nullptr);
    void ZwinSpecyfikacjeDoPoziomu(int poziom);
    // The dialog "Porządkowanie  specyfikacji" for the saved list.
    void PorzadkowanieStrukturySST();
    bool CzyJestRaportPorzadkowania() const;
    void PokazRaportPorzadkowania();

    // --- Exports
    // The checks and questions, then the dialog that generates the document from the files the collection
    // grid shows; its options go into the set only when they differ.
    void EksportujZbiorST();
    void EksportujKosztorysDoExcela();
    // The window's export controls copied into the set (nothing while a set is being opened).
    void ZmianaUstawienEksportu(bool czyWstawStroneTytulowa);
    void ZmianaUstawienNaglowka(bool czyNaglowek, const QString& tresc);
    void ZmianaUstawienStopki(bool czyStopka, const QString& tresc, bool czyNrStrony);
    void ZmianaUstawienWstawTekstDoST(bool czyTekst, const QString& tekst);

    // --- Archives and imports
    // A ".azst" of the saved set / an ".alst" of the saved list, after the missing files were shown.
    void ArchiwizujZestaw();
    void ArchiwizujSpisSt();
    // A set (".azst") or list (".alst") archive given to the program: the unpacking dialog with it, and the
    // unpacked file opened when the user asked for that.
    static bool CzyArchiwum(const QString& plik);
    void RozpakujArchiwum(const QString& archiwum);
    // The dialog "Rozpakuj archiwum"; the unpacked set or list opened when the user asked for it.
    void RozpakujArchiwumZestawu();
    void RozpakujArchiwumSpisuSt();
    // Registers (".wst") imported below the node (its group for a specification; the list without one).
    void ImportujPlikWST(TSpecyfikacja* wybrany);
    // The numbers of an ".stc" file added to the collection; the list it names offered for opening.
    void ImportujSTC();
    // The same from a given file, without the open dialog; returns the lists the file names.
    QStringList ImportujSTC(const QString& plik);

    // --- The duplicate dialogs of imports (answers remembered in the configuration)
    TOpcjaDuplikatowNumeru ShowDuplicatStDialog(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                bool czyDuplikatPliku, bool& czyZapamietajWybor) override;
    TOpcjaDuplikatowPliku ShowDuplicatPlikuDialog(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                  bool& czyZapamietajWybor) override;
    void ShowDuplikaty(const TSpecyfikacja& s, const TSpecyfikacja& duplikatPliku,
                       const TSpecyfikacja& duplikatNumeru) override;
    TLicznikImportuSt& GetLicznikImportu() override;

    // --- Unit prices
    // The logic of "Kalkulacja Ceny Jednostkowej" for a unit price of the open list: the global coefficient
    // it sets goes to the configuration at once and to every unit price of the list.
    std::unique_ptr<TKalkulacjaCeny> KalkulacjaCeny(TCenaJedn& cena, IUzytkownikCeny& uzytkownik);

    // --- Title page
    // A title-page template of the set's output kind exists (the set's own or the program's).
    bool CzyIstniejeSzablonPierwszejStrony() const;
    // That template's path; empty when none exists.
    QString PobierzSzablonPierwszejStrony() const;
    // The dialog "Strona tytułowa zestawu"; true when it ended with OK.
    bool WybierzSzablonPierwszejStronyZestawu();
    // "Wstaw stronę tytułową" switched on: without a template the user is asked to choose one; false
    // when the box is to be unchecked.
    bool SprawdzPlikiSzablonow(bool zaznaczone);
    void OtworzSzablonPierwszejStrony();

    // --- Views and settings
    void UstawWidokKosztorys();
    void UstawWidokSpecyfikacje();
    // The view restricted to specifications, as the configuration says.
    void UstawTylkoWidokSpecyfikacje();
    // The dialog "Ustawienia" and, after OK, what its changes call for.
    void WyswietlUstawienia();
    void PrzywrocDomyslnePanele();

    // --- Assignment of specifications to positions
    void ZaktualizujDopasowanieSpecyfikacji();
    // The specification or variant chosen in the tree goes to the position.
    void PrzypiszWybraneStDoPozycji(TSpecyfikacja* specyfikacja, TPozycjaRds* pozycja);
    void PrzypiszWybranyWariantDoPozycji(TWariantSpecyfikacji* wariant, TPozycjaRds* pozycja);
    // A number typed into the positions grid; spreads it as the user chooses, or, with zakres (a choice of
    // the dialog "Informacja ", 0 to 3), as the caller chose without asking. False when cancelled (the
    // position keeps its old number then).
    bool ZmienNumerPozycji(TPozycjaRds* pozycja, const QString& nowyNumer, std::optional<int> zakres = std::nullopt);
    bool ZaktualizujWPozostalychPozycjach(const QString& numerSt, const QString& nowyNumerSt, bool zmianaZDrzewa,
                                          std::optional<int> zakres = std::nullopt);
    void UsunSTPozycji(const std::vector<TPozycjaRds*>& pozycje);
    void UsunSTElementu(TElementRds* element);
    void DopiszDoZbioruST(TSpecyfikacja* specyfikacja);
    void DopiszWariantDoZbioruST(TWariantSpecyfikacji* wariant);
    void UsunSTZeZbioruST(const std::vector<TPozycjaZbioru*>& wpisy);
    // Fills the positions grid with the element's positions (null: the selected element).
    void WyswietlPozycje(TElementRds* element = nullptr);
    void WyswietlZbiorST();
    void WyswietlSzczegolyPozycji(int wiersz);
    void WyswietlListePozycjiZSt(int wiersz);
    // The position in the estimate view, its element shown first when it has no row.
    void SkoczDoPozycji(TPozycjaRds* pozycja);
    // Tree to collection: the first row of the specification is selected.
    void SynchronizujDrzewoZeZbiorem(const TSpecyfikacja* specyfikacja);
    // Collection to tree, when "Synchronizuj" of the collection is down.
    void SynchronizujZbiorZDrzewkiemST(int wiersz);
    // Makes the node of the specification (or of its variant, variants in use) visible in the tree.
    void ZaznaczSpecyfikacje(const TSpecyfikacja* specyfikacja, const TWariantSpecyfikacji* wariant);
    // The number or description of the specification changed in the tree.
    void ZaktualizujSTwPopupListView(const TSpecyfikacja* specyfikacja);
    // The pop-up number list of the position editor (TModelTabeli PopupLista): rebuilt when forced or
    // marked for rebuilding; specyfikacja with variants lists its variants.
    void OdswiezPopupListView(const QString& filtr, TSpecyfikacja* specyfikacja, bool force, bool tylkoWarianty);

    // --- State
    // The settings the set goes by from now on (the command line's own user folder and variants).
    void UstawUstawienia(const TUstawieniaKosztorysu& ustawienia);
    TZestawST& Zestaw() const { return *FZestaw; }
    TSpisST& Spis() const;
    bool ZmienionyZestaw() const { return FZmienionyZestaw; }
    bool ZmienionySST() const { return FZmienionySST; }
    bool CzyWidokSpecyfikacje() const { return FWidokSpecyfikacje; }
    TElementRds* WybranyElement() const { return FWybranyElement; }
    bool CzyAktualizowacPopupListView() const { return FCzyAktualizowacPopupListView; }
    QString Tytul() const;

    // --- Models the window shows
    TModelElementow& DrzewoElementow() const { return *FDrzewoElementow; }
    TModelSpisu& DrzewoSpisu() const { return *FDrzewoSpisu; }
    TEdycjaSpisu& EdycjaSpisu() const { return *FEdycjaSpisu; }
    TModelTabeli& ListaPozycji() const { return *FListaPozycji; }
    TModelTabeli& SzczegolyPozycji() const { return *FSzczegolyPozycji; }
    TModelTabeli& ZbiorSt() const { return *FZbiorSt; }
    TModelTabeli& ListaPozycjiZSt() const { return *FListaPozycjiZSt; }
    TModelTabeli& PopupLista() const { return *FPopupLista; }

private:
    // Packs an archive on a worker under the waiting dialog; false when it failed (the user was told) or was
    // stopped.
    bool ArchiwizujWTle(const TZadanieArchiwum::TPraca& praca);
    void RozpakujArchiwum(bool czyZestaw, const QString& archiwum);
    // Asks whether to save when changed; "Tak" saves, and a save that fails counts as "Anuluj".
    bool PytanieOZapis(bool zmieniony, const QString& pytanie, bool (TZestawController::*zapisz)());
    bool PytanieOListe();
    bool PytanieOZestaw();
    void SluchajZestawu();
    void SluchajSpisu();
    void SluchajKosztorysow();
    void PustyZestaw();
    // The list tree shown again from the open list; the view hears of it.
    void OdswiezDrzewoSpisu();
    // The set's list replaced; the tree lets go of the old nodes first.
    std::unique_ptr<TSpisST> ZamienSpis(std::unique_ptr<TSpisST> nowy);
    void PoOtwarciuSpisu();
    // The long-path notice and the dialog of empty numbers for a list just opened.
    void SprawdzOtwartySpis();
    // After a list edit: the pop-up list is made again, matching runs and the tree is rebuilt.
    void PoEdycjiSpisu();
    // The list's edits, with what else they touch in the set.
    std::unique_ptr<TEdycjaSpisu> NowaEdycjaSpisu();
    void DodajKosztorysZPliku(const QString& plik);
    void OdswiezTytul();
    void OdswiezStatusSpisu();
    void OdswiezStatusKosztorysu();
    void OdswiezElementy();
    void WyswietlPozycjeWybranegoElementu();
    void UstawNaglowki();
    void ZapomnijWybor();

    TKonfiguracja& FKonfiguracja;
    IWidokZestawu& FWidok;
    IUzytkownik& FUzytkownik;
    std::unique_ptr<TZestawST> FZestaw;
    bool FZmienionyZestaw = false;
    bool FZmienionySST = false;
    bool FOtwieranieZestawu = false;
    bool FPodlaczanieSpisu = false;
    bool FTrwaSynchronizacjaDrzewaZeZbiorem = false;
    std::unique_ptr<TLicznikImportuSt> FLicznikImportu;
    // The importers want an owner window; the controller stands for it.
    std::unique_ptr<QObject> FWlasciciel;
    bool FWidokSpecyfikacje = true;
    bool FCzyAktualizowacPopupListView = true;
    TElementRds* FWybranyElement = nullptr; // not owned
    std::unique_ptr<TModelElementow> FDrzewoElementow;
    std::unique_ptr<TModelTabeli> FListaPozycji;
    std::unique_ptr<TModelTabeli> FSzczegolyPozycji;
    std::unique_ptr<TModelTabeli> FZbiorSt;
    std::unique_ptr<TModelTabeli> FListaPozycjiZSt;
    std::unique_ptr<TModelTabeli> FPopupLista;
    std::unique_ptr<TModelSpisu> FDrzewoSpisu;
    std::unique_ptr<TEdycjaSpisu> FEdycjaSpisu;
    // The pop-up list's texts to compare, made again when the list or its content changes.
    struct TPodpowiedzi
    {
        struct TWpis
        {
            TSpecyfikacja* Specyfikacja;
            QString Tekst;
            QStringList Komorki;
        };
        QString Pomijane;
        std::vector<TWpis> Wpisy;
    };
    std::unique_ptr<TPodpowiedzi> FPodpowiedzi;
};
