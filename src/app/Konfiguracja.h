#pragma once

#include "app/MyPath.h"
#include "app/OknoKonfiguracji.h"
#include "app/OpcjeDuplikatow.h"

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include <functional>
#include <memory>

namespace pugi {
class xml_document;
}

// The program's settings that outlive a run, one instance per process. Loaded from
// "<application data>/Velostra/Velostra.conf" when the set controller is created with the main
// window, written back when it is released at the end of the run.
class TKonfiguracja
{
public:
    // The singleton. The first call creates it with the window (which must be given) and, when
    // wczytajPlik is true, loads the file; later calls return it and ignore their arguments.
    // Throws EBlad "Błąd tworzenia konfiguracji programu" when it does not exist and no window is given.
    static TKonfiguracja* GetInstance(IOknoKonfiguracji* okno = nullptr, bool wczytajPlik = false);
    static bool Istnieje();
    // Ends the singleton: takes the window's state, writes the file (unless told not to) and frees it.
    static void Zwolnij(bool zapisz = true);

    ~TKonfiguracja();
    TKonfiguracja(const TKonfiguracja&) = delete;
    TKonfiguracja& operator=(const TKonfiguracja&) = delete;

    // --- Main window and panels
    QPoint FPosition;
    bool FMaximized = true;
    QSize FSize;
    int FDrzewoSTWidth = 0;
    int FNawigatorWidth = 225;
    int FPodgladDrzewaHeight = 0;
    int FPodgladPozHeight = 0;
    int FPodgladPozZStHeight = 0;
    bool FCzyPodgladDrzewa = true;
    bool FCzyPodgladPozycjiZSt = true;
    bool FCzyPodgladSzczPozycji = true;
    bool FWidokKosztorys = false;
    int FFilterKosztorysIndex = 0;
    // --- Filters of the positions and the collection
    bool FCzyPozycjeST = true;
    bool FCzyPozycjeBezST = true;
    bool FCzyPozycjeSynchronizujZDrzewkiem = true;
    bool FCzyZbiorSTPokazKosztorys = true;
    bool FCzyZbiorSTPokazWlasne = true;
    bool FCzyZbiorSTPokazBraki = true;
    bool FCzyZbiorSTPokazZPlikami = true;
    bool FCzyZbiorSTSynchronizujZDrzewkiem = true;
    bool FCzyDrzewkoSynchronizujZeZbioremSt = true;
    // --- Ordering of a list's files
    QString FPorzadkSTFolderDocelowy;
    int FPorzadkSTOpcja = 0;
    bool FPorzadkSTNadpisuj = true;
    bool FPorzadkSTAktualizuj = true;
    // --- Data folders (owned; stored form with "%USERPATH%")
    std::unique_ptr<TMyPath> FZestawyPath;
    std::unique_ptr<TMyPath> FKosztorysyPath;
    std::unique_ptr<TMyPath> FSstPath;
    std::unique_ptr<TMyPath> FSzablonyStronyTytPath;
    std::unique_ptr<TMyPath> FSzablonyStPath;
    std::unique_ptr<TMyPath> FEksportPath;
    std::unique_ptr<TMyPath> FStZSzablonuPath;
    std::unique_ptr<TMyPath> FStcPath;
    // --- Recent files, most recent first (compared without regard to letter case)
    QStringList FRecentZSTList;
    QStringList FRecentSSTList;
    // --- Views and files
    QString FTytulPodgladuDrzewa = QStringLiteral("Szczegóły");
    bool FCzyBackupZestawu = true;
    bool FCzyBackupListySST = true;
    bool FCzySortujPopupListView = true;
    int FRozmiarDrzewoSpecyfikacji = 8;
    int FRozmiarSpecyfikacje = 8;
    int FRozmiarKosztorys = 8;
    int FRozmiarDrzewoElementow = 8;
    bool FCzyscSSTPrzyNowymZst = false;
    bool FCzyPomijajWFiltrzePopupListView = false;
    QString FPomijaneWFiltrzePopupListView;
    // --- Variants
    bool FCzyKorzystajZWariantow = false;
    bool FCzyWyswietlacTytulSTZWariantem = true;
    QString FListaSeparatorowWariantow;
    bool FUwzglednijWariantyPrzyEksporcieKosztorysu = false;
    bool FRozpoznajWariantyPrzyImporcieKosztorysu = false;
    QString FEdbudJdnMdbPath;
    // --- Confirmations and questions
    bool FCzyPotwierdzenieUsunPowiazaniePlikuST = true;
    bool FCzyPotwierdzenieUsunST = true;
    bool FCzyPotwierdzenieUsunSTZPozycji = true;
    bool FCzyPotwierdzenieUsunSTZeZbioru = true;
    bool FPytajOPozostalePozycje = true;
    int FWyborDlaPozostalychPozycji = 0;
    // --- Spreadsheet titles
    bool FCzyZapisujTytulyEksportuXls = false;
    QStringList FTytulyEksportuXls;
    bool FTylkoWidokSpecyfikacje = false;
    // --- Duplicates
    bool FCzyZapamietacOpcjeDuplikatowNumeru = false;
    bool FCzyZapamietacOpcjeDuplikatowPliku = false;
    TOpcjaDuplikatowNumeru FZapamietanaOpcjaDuplikatowNumeru = doNone;
    TOpcjaDuplikatowPliku FZapamietanaOpcjaDuplikatowPliku = dpoNone;
    // --- Output and prices
    bool FCzyEksportDoc = true;
    bool FCzyWyswietlajCeny = true;
    bool FNazwaJmWTytuleStPrzyGenerowaniuKosztorysu = true;
    bool FOtworzKosztorysPoStworzeniu = true;
    bool FWyswietlajEdytorJmPrzyEdycjiSt = false;
    double FWspolczynnikGlobalnyCenyJedn = 1.0;
    bool FCzyWspolczynnikGlobalnyCenyJedn = true;

    // Fires whenever either title-page template is set.
    std::function<void(TKonfiguracja* sender)> OnZmianaPierwszejStrony;

    // --- Values with rules of their own
    const QString& GetUserPath() const { return FUserPath; }
    // Stored without trailing separators and without the long-path prefix.
    void SetUserPath(const QString& wartosc);
    const QString& GetPierwszaStronaDocTemplate() const { return FPierwszaStronaDocTemplate; }
    void SetPierwszaStronaDocTemplate(const QString& wartosc);
    const QString& GetPierwszaStronaOdtTemplate() const { return FPierwszaStronaOdtTemplate; }
    void SetPierwszaStronaOdtTemplate(const QString& wartosc);
    const QString& GetWizualnySeparatorWariantow() const { return FWizualnySeparatorWariantu; }
    // Refuses "#" (the stored separator) with "Wybrany separator wariantów jest zastrzeżony.".
    void SetWizualnySeparatorWariantow(const QString& wartosc);

    // --- Recent files
    void AddRecentSST(const QString& sciezka);
    void AddRecentZST(const QString& sciezka);
    int RecentSSTCount() const { return static_cast<int>(FRecentSSTList.size()); }
    int RecentZSTCount() const { return static_cast<int>(FRecentZSTList.size()); }
    QString GetRecentSST(int indeks) const { return FRecentSSTList.value(indeks); }
    QString GetRecentZST(int indeks) const { return FRecentZSTList.value(indeks); }

    // --- Groups of defaults (the settings dialog's "Przywróć domyślne")
    void LoadDefaultPanels();
    void LoadDefaultPaths();
    void LoadDefaultPorzadkST();
    void LoadDefaultUserPath();
    void LoadDefaultTytuluEksportuXls();

    // --- Fixed defaults
    static QString GetDefaultUserPath();
    QString GetDefaultZestawyPath() const;
    QString GetDefaultKosztorysyPath() const;
    QString GetDefaultSstPath() const;
    QString GetDefaultSzablonyStronyTytPath() const;
    QString GetDefaultSzablonyStPath() const;
    QString GetDefaultEksportPath() const;
    QString GetDefaultStZSzablonuPath() const;
    QString GetDefaultStcPath() const;
    QSize GetDefaultSize() const;
    QPoint GetDefaultPosition() const;
    int GetDefaultDrzewoSTWidth() const;
    static int GetDefaultNawigatorWidth() { return 225; }
    int GetDefaultPodgladDrzewaHeight() const;
    static QString GetDefaultTytulPodgladuDrzewa() { return QStringLiteral("Szczegóły"); }
    static bool GetDefaultBackupZestawu() { return true; }
    static bool GetDefaultBackupListySST() { return true; }
    static bool GetDefaultSortujPopupListView() { return true; }
    static int GetDefaultRozmiarDrzewoSpecyfikacji() { return 8; }
    static int GetDefaultRozmiarSpecyfikacje() { return 8; }
    static int GetDefaultRozmiarKosztorys() { return 8; }
    static int GetDefaultRozmiarDrzewoElementow() { return 8; }
    static bool GetDefaultPotwierdzenieUsun() { return true; }
    static bool GetDefaultPytajOPozostalePozycje() { return true; }
    static bool GetDefaultKorzystajZWariantow() { return false; }
    static bool GetDefaultWyswietlacTytulSTZWariantem() { return true; }
    static QString GetDefaultWizualnySeparatorWariantu() { return QStringLiteral("."); }
    static QStringList GetDefaultTytulyEksportuXls();
    static bool GetDefaultEksportDoc() { return true; }
    static bool GetDefaultWyswietlajCeny() { return true; }
    static double GetDefaultWspolczynnikGlobalnyCenyJedn() { return 1.0; }
    static QString GetDefaultEdbudJdnMdbPath();

    // The file's full path; creates its folder when missing.
    static QString GetConfFilePath();

    // The file's content as it would be written now (root "zestaw", the 41 elements in their order).
    QByteArray DoXml() const;
    // Writes the file; a failure is silent, as the run must end normally.
    void Zapisz() const;
    // Applies a file's content; a broken document or a value that does not convert gives the
    // first-start defaults instead.
    void WczytajZXml(const QByteArray& xml);

    IOknoKonfiguracji* Okno() const { return FOkno; }

private:
    explicit TKonfiguracja(IOknoKonfiguracji* okno);

    void UstawDomyslnePierwszegoStartu();
    void WczytajZDokumentu(const pugi::xml_document& dokument);
    QString Rozdzielczosc() const;
    static void DodajNaPoczatek(QStringList& lista, const QString& sciezka);

    IOknoKonfiguracji* FOkno = nullptr; // the main window, not owned
    QString FUserPath;
    QString FPierwszaStronaDocTemplate;
    QString FPierwszaStronaOdtTemplate;
    QString FWizualnySeparatorWariantu = QStringLiteral(".");
};
