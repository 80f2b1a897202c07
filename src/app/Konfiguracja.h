#pragma once

#include "app/KonfiguracjaUstawienia.h"
#include "app/MyPath.h"
#include "app/OknoKonfiguracji.h"
#include "app/OpcjeDuplikatow.h"

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QVariant>

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

    // --- The settings. Their defaults, names in the file and kinds are in the table of settings
    // (KonfiguracjaUstawienia.h); the reader, the writer and the defaults walk it.
    // --- Main window and panels
    QPoint Position;
    bool Maximized{};
    QSize Size;
    int DrzewoSTWidth{};
    int NawigatorWidth{};
    int PodgladDrzewaHeight{};
    int PodgladPozHeight{};
    int PodgladPozZStHeight{};
    bool CzyPodgladDrzewa{};
    bool CzyPodgladPozycjiZSt{};
    bool CzyPodgladSzczPozycji{};
    bool WidokKosztorys{};
    int FilterKosztorysIndex{};
    // --- Filters of the positions and the collection
    bool CzyPozycjeST{};
    bool CzyPozycjeBezST{};
    bool CzyPozycjeSynchronizujZDrzewkiem{};
    bool CzyZbiorSTPokazKosztorys{};
    bool CzyZbiorSTPokazWlasne{};
    bool CzyZbiorSTPokazBraki{};
    bool CzyZbiorSTPokazZPlikami{};
    bool CzyZbiorSTSynchronizujZDrzewkiem{};
    bool CzyDrzewkoSynchronizujZeZbioremSt{};
    // --- Ordering of a list's files
    QString PorzadkSTFolderDocelowy;
    int PorzadkSTOpcja{};
    bool PorzadkSTNadpisuj{};
    bool PorzadkSTAktualizuj{};
    // --- Data folders (owned; stored form with "%USERPATH%")
    std::unique_ptr<TMyPath> ZestawyPath;
    std::unique_ptr<TMyPath> KosztorysyPath;
    std::unique_ptr<TMyPath> SstPath;
    std::unique_ptr<TMyPath> SzablonyStronyTytPath;
    std::unique_ptr<TMyPath> SzablonyStPath;
    std::unique_ptr<TMyPath> EksportPath;
    std::unique_ptr<TMyPath> StZSzablonuPath;
    std::unique_ptr<TMyPath> StcPath;
    // --- Recent files, most recent first (compared without regard to letter case)
    QStringList RecentZSTList;
    QStringList RecentSSTList;
    // --- Views and files
    QString TytulPodgladuDrzewa;
    bool CzyBackupZestawu{};
    bool CzyBackupListySST{};
    bool CzySortujPopupListView{};
    int RozmiarDrzewoSpecyfikacji{};
    int RozmiarSpecyfikacje{};
    int RozmiarKosztorys{};
    int RozmiarDrzewoElementow{};
    bool CzyscSSTPrzyNowymZst{};
    bool CzyPomijajWFiltrzePopupListView{};
    QString PomijaneWFiltrzePopupListView;
    // --- Variants
    bool CzyKorzystajZWariantow{};
    bool CzyWyswietlacTytulSTZWariantem{};
    QString ListaSeparatorowWariantow;
    bool UwzglednijWariantyPrzyEksporcieKosztorysu{};
    bool RozpoznajWariantyPrzyImporcieKosztorysu{};
    QString EdbudJdnMdbPath;
    // --- Confirmations and questions
    bool CzyPotwierdzenieUsunPowiazaniePlikuST{};
    bool CzyPotwierdzenieUsunST{};
    bool CzyPotwierdzenieUsunSTZPozycji{};
    bool CzyPotwierdzenieUsunSTZeZbioru{};
    bool PytajOPozostalePozycje{};
    int WyborDlaPozostalychPozycji{};
    // --- Spreadsheet titles
    bool CzyZapisujTytulyEksportuXls{};
    QStringList TytulyEksportuXls;
    bool TylkoWidokSpecyfikacje{};
    // --- Duplicates
    bool CzyZapamietacOpcjeDuplikatowNumeru{};
    bool CzyZapamietacOpcjeDuplikatowPliku{};
    TOpcjaDuplikatowNumeru ZapamietanaOpcjaDuplikatowNumeru{};
    TOpcjaDuplikatowPliku ZapamietanaOpcjaDuplikatowPliku{};
    // --- Output and prices
    bool CzyEksportDoc{};
    bool CzyWyswietlajCeny{};
    bool NazwaJmWTytuleStPrzyGenerowaniuKosztorysu{};
    bool OtworzKosztorysPoStworzeniu{};
    bool WyswietlajEdytorJmPrzyEdycjiSt{};
    double WspolczynnikGlobalnyCenyJedn{};
    bool CzyWspolczynnikGlobalnyCenyJedn{};

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
    int RecentSSTCount() const { return static_cast<int>(RecentSSTList.size()); }
    int RecentZSTCount() const { return static_cast<int>(RecentZSTList.size()); }
    QString GetRecentSST(int indeks) const { return RecentSSTList.value(indeks); }
    QString GetRecentZST(int indeks) const { return RecentZSTList.value(indeks); }

    // --- Groups of defaults (the settings dialog's "Przywróć domyślne")
    void LoadDefaultPanels();
    void LoadDefaultPaths();
    void LoadDefaultPorzadkST();
    void LoadDefaultUserPath();
    void LoadDefaultTytuluEksportuXls();

    // --- Defaults, as the table of settings gives them
    // The fixed default of the setting of that name (the field's name without "F"). Throws
    // std::logic_error for a name the table lacks or a default computed from the screen or the user folder.
    static QVariant GetDefault(const QString& nazwa);
    // A folder's default (a path of the table's kind Sciezka, e.g. "SstPath") as a real path.
    QString GetDefaultFolder(const QString& nazwa) const;
    static QString GetDefaultUserPath();
    // 80 % of the screen.
    QSize GetDefaultSize() const;
    // Centred on the screen for the current window size (the default size while there is none).
    QPoint GetDefaultPosition() const;
    // Half of the client width beside the navigator.
    int GetDefaultDrzewoSTWidth() const;
    // A quarter of the specification-tree panel.
    int GetDefaultPodgladDrzewaHeight() const;
    static QStringList GetDefaultTytulyEksportuXls()
    {
        return GetDefault(QStringLiteral("TytulyEksportuXls")).toStringList();
    }
    // The Edbud unit dictionary at its usual place, when it is there.
    static QString GetDefaultEdbudJdnMdbPath();

    // The file's full path; creates its folder when missing.
    static QString GetConfFilePath();

    // The file's content as it would be written now: root "zestaw", then the settings in the table's order.
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
    void PrzywrocDomyslne(TGrupaUstawien grupa);
    void WczytajZDokumentu(const pugi::xml_document& dokument);
    static void DodajNaPoczatek(QStringList& lista, const QString& sciezka);

    IOknoKonfiguracji* FOkno = nullptr; // the main window, not owned
    QString FUserPath;
    QString FPierwszaStronaDocTemplate;
    QString FPierwszaStronaOdtTemplate;
    QString FWizualnySeparatorWariantu;
};
