#pragma once

#include "specs/DuplikatStDialog.h"
#include "specs/LicznikImportuSt.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class IUzytkownik;
class QThread;
class TEdycjaSpisu;
class TKonfiguracja;
class TSpecyfikacja;
class TSpisST;
class TZestawST;

// What the comparison of two specifications shows of each.
struct TOpisDoPorownania
{
    QString Tytul, Numer, NazwaPliku, Folder, Rozmiar, Utworzono, Zmodyfikowano;

    static TOpisDoPorownania Z(const TSpecyfikacja& s);
};

// The logic of the list-merging window: the target list (loaded from the set's list file) and the added
// list, both loaded on a worker; copying nodes from the added list into the target one with the
// duplicate questions; the comparison of two specifications; and how the window may close. It is the
// duplicate handler's dialog provider: the questions go to the user, the remember switches and answers
// to the configuration.
class TScalanieDialogu : public QObject, public IDuplikatStDialog
{
public:
    enum class TZamkniecie { Pozostan, Zatwierdz, Odrzuc };

    TScalanieDialogu(const QString& sciezkaListy, TZestawST& zestaw, TKonfiguracja& konfiguracja,
                     IUzytkownik& uzytkownik);
    // Stops a running load and waits for it.
    ~TScalanieDialogu() override;

    // --- Loading. Starts the worker that loads the target list (when not loaded yet) and the added list
    // from the path (none: only the target); a running load is stopped first. The end is handled on this
    // object's thread: the lists are taken over, the path joins the recent ones, and OnZmiana is called.
    void Wczytaj(const QString& sciezkaDodawanej = QString());
    bool CzyTrwaWczytywanie() const { return FWatek != nullptr; }
    // Waits for a running load and ends it at once (without waiting for the event loop).
    void Czekaj();
    // "...": the open dialog for the added list, then its load.
    void WybierzDodawana();
    // An entry of OstatnioUzywane chosen: its list is loaded.
    void WybierzOstatnia(int indeks);
    const QStringList& OstatnioUzywane() const { return FOstatnie; }
    // The entry of the added list shown; -1 without one.
    int BiezacaOstatnia() const;
    // Called when loading starts or ends and after each copy: the window shows the state anew.
    std::function<void()> OnZmiana;

    TSpisST* Lista() const { return FLista.get(); }
    TSpisST* DodawanaLista() const { return FDodawana.get(); }

    // --- Copies (ignored while loading). "<": below the single selected target node (none: the list).
    void Dodaj(const std::vector<TSpecyfikacja*>& prawe, const std::vector<TSpecyfikacja*>& lewe);
    // "|<": to the end of the target list's top level.
    void DodajNaKoniec(const std::vector<TSpecyfikacja*>& prawe);
    // "<<": every top-level node of the added list.
    void DodajWszystkie();
    // The target list is edited in its tree by the main tree's rules; every edit marks it changed. Nothing is
    // edited while loading.
    TEdycjaSpisu& Edycja() { return *FEdycja; }
    // Called with the node an edit added or moved, for the window to select it.
    std::function<void(TSpecyfikacja*)> OnPokaz;
    // Nodes of either list that took part in the last conflict.
    const std::set<const TSpecyfikacja*>& Konflikty() const { return FKonflikty; }
    bool Zmieniono() const { return FZmieniono; }
    const TLicznikImportuSt& Licznik() const { return FLicznik; }

    // "<>": both descriptions, or none with the notice when either side has nothing selected.
    std::optional<std::pair<TOpisDoPorownania, TOpisDoPorownania>> Porownaj(const TSpecyfikacja* lewa,
                                                                            const TSpecyfikacja* prawa);

    // --- Closing. "Zapisz": the target list to its own file; "Zapisz jako...": to a path asked for;
    // "Anuluj": a changed list is asked about (Tak saves and keeps it, Nie drops it, Anuluj stays).
    TZamkniecie Zapisz();
    TZamkniecie ZapiszJako();
    TZamkniecie Anuluj();
    // The merged list, for the caller after Zatwierdz.
    std::unique_ptr<TSpisST> PrzejmijListe() { return std::move(FLista); }

    // --- IDuplikatStDialog
    TOpcjaDuplikatowNumeru ShowDuplicatStDialog(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                bool czyDuplikatPliku, bool& czyZapamietajWybor) override;
    TOpcjaDuplikatowPliku ShowDuplicatPlikuDialog(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                  bool& czyZapamietajWybor) override;
    void ShowDuplikaty(const TSpecyfikacja& s, const TSpecyfikacja& duplikatPliku,
                       const TSpecyfikacja& duplikatNumeru) override;
    TLicznikImportuSt& GetLicznikImportu() override { return FLicznik; }

private:
    struct TWczytane;
    // Copies each source below its target (null: the list) with a new duplicate handler and shows the
    // summary.
    void Kopiuj(const std::vector<std::pair<const TSpecyfikacja*, TSpecyfikacja*>>& kopie);
    void ZakonczWczytywanie(int pokolenie);
    void Zatrzymaj();
    std::unique_ptr<TSpisST> NowaLista() const;
    // The node of the added list the copy (a clone) came from, for marking.
    void OznaczImportowana(const TSpecyfikacja& importowana);
    bool Zapisano(const QString& sciezka);
    void Edytowano();

    QString FSciezkaListy;
    TZestawST& FZestaw;
    TKonfiguracja& FKonfiguracja;
    IUzytkownik& FUzytkownik;
    std::unique_ptr<TSpisST> FLista;
    std::unique_ptr<TSpisST> FDodawana;
    QString FSciezkaDodawanej;
    QStringList FOstatnie;
    std::set<const TSpecyfikacja*> FKonflikty;
    TLicznikImportuSt FLicznik;
    bool FZmieniono = false;
    std::unique_ptr<TEdycjaSpisu> FEdycja;
    std::unique_ptr<QThread> FWatek;
    std::shared_ptr<TWczytane> FWczytane;
    int FPokolenie = 0;
};
