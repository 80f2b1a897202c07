#pragma once

#include "workflow/ProgramController.h"
#include "workflow/Uzytkownik.h"

#include <functional>

class ISilnikDokumentow;
class QWidget;
class TKonfiguracja;

// The user behind the main window: the controllers' questions and dialogs shown as the desktop's
// dialogs, modal over the window.
class TUzytkownikOkna : public IUzytkownik, public IUzytkownikAktualizacji
{
public:
    // The engine is the window's warm office (not owned); it is asked for when an export starts.
    // zestaw: the window's open set, for the dialogs that work on it.
    TUzytkownikOkna(QWidget* okno, TKonfiguracja& konfiguracja, std::function<ISilnikDokumentow*()> silnik,
                    std::function<TZestawST*()> zestaw);

    void PokazKomunikat(const QString& tekst) override;
    bool ZadajPytanie(const QString& komunikat, const QString& pytanie) override;
    TOdpowiedz PytanieTakNieAnuluj(const QString& tekst) override;
    TWybranePliki WybierzDoOtwarcia(const TDialogPliku& dialog) override;
    QString WybierzDoZapisu(const TDialogPliku& dialog) override;
    std::optional<TWyborPozostalych> WyborDlaPozostalychPozycji(const QString& tekst, bool zmianaZDrzewa,
                                                                int domyslny) override;
    void CzekajNaOtwarcie(TCzekanieNaOtwarcie& czekanie) override;
    void PokazSpecyfikacjeZPustymNumerem(TSpisST& spis) override;
    std::unique_ptr<TSpisST> ScalListy(const QString& sciezkaListy, TZestawST& zestaw) override;
    TWyborStronyTytulowej StronaTytulowaZestawu(bool brakSzablonuProgramu) override;
    bool Ustawienia(TZestawST& zestaw) override;
    void OtworzPlikWProgramie(const QString& plik) override;
    void OtworzFolder(const QString& folder) override;
    void PorzadkowanieSpisu(TPorzadkowanieDialogu& dialog) override;
    std::optional<TUstawieniaEksportuZestawu> EksportujPlikiSpecyfikacji(TZestawST& zestaw,
                                                                         const TListaPlikowEksportu& pliki) override;
    void EksportujDoArkusza(TEksportXlsDialogu& dialog) override;
    bool BrakujacePliki(const std::vector<std::unique_ptr<TListaBrakowPlikow>>& listy) override;
    QString RozpakujArchiwum(bool czyZestaw, const QString& archiwum) override;
    TOpcjaDuplikatowNumeru DuplikatNumeru(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                          bool czyDuplikatPliku, bool& zapamietaj) override;
    TOpcjaDuplikatowPliku DuplikatPliku(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                        bool& zapamietaj) override;
    void KonfliktSpecyfikacji(const TSpecyfikacja& specyfikacja, const TSpecyfikacja& duplikatPliku,
                              const TSpecyfikacja& duplikatNumeru) override;
    void PodsumowanieImportu(const QString& komunikat, const TLicznikImportuSt& licznik) override;
    int WybierzListe(const QStringList& listy) override;
    std::optional<TDaneGrupy> EdycjaGrupy(const TDaneGrupy& dane) override;
    std::optional<TDaneSpecyfikacji> EdycjaSpecyfikacji(const TDaneSpecyfikacji& dane) override;
    void OtworzAdres(const QUrl& adres) override;

    // The Qt filter of a dialog's "description|patterns|..." filter, and the entry the index names.
    static QString FiltrQt(const QString& filtr);
    static QString WybranyFiltr(const QString& filtr, int indeks);

private:
    QWidget* FOkno;
    TKonfiguracja& FKonfiguracja;
    std::function<ISilnikDokumentow*()> FSilnik;
    std::function<TZestawST*()> FZestaw;
};
