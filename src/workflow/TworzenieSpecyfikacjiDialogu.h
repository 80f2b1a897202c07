#pragma once

#include "app/KodCpv.h"
#include "authoring/TworzenieSpecyfikacji.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class IUzytkownik;
class TJmSpecyfikacji;
class TKonfiguracja;
class TPodstawyDoSt;
class TSpecyfikacja;
class TSpisST;
class TZbiorEksporter;
class TZestawST;

// The rules of the dialog "Tworzenie Specyfikacji", free of widgets: the source of the bases and their
// list, the target folder, which options are open, the units and CPV codes to insert, and the creation
// itself with what it hands back. The window lays the state out and forwards the user's commands.
class TTworzenieSpecyfikacjiDialogu
{
public:
    static inline const QString TytulWyboruSpisu = QStringLiteral("Otwórz spis specyfikacji technicznych");
    static inline const QString FiltrWyboruSpisu = QStringLiteral("Spis specyfikacji technicznych|*.sst");

    // The new specification's number and list title, the node it goes under (may be null) and the units
    // it starts with. The set, configuration, editor and user are not owned; the editor (of the set's
    // output kind) fills templates. The CPV trees are the dialog's own.
    TTworzenieSpecyfikacjiDialogu(QString numer, QString tytulNaLiscie, const TSpecyfikacja* rodzic,
                                  const std::vector<std::shared_ptr<const TJmSpecyfikacji>>& jednostki,
                                  TZestawST& zestaw, TKonfiguracja& konfiguracja, TZbiorEksporter& edytor,
                                  IUzytkownik& uzytkownik, TListaKodowCpv kodyCpv);
    ~TTworzenieSpecyfikacjiDialogu();

    const QString& Numer() const { return FNumer; }
    const QString& TytulNaLiscie() const { return FTytulNaLiscie; }
    void UstawTytulNaLiscie(const QString& tytul) { FTytulNaLiscie = tytul; }

    // --- Bases
    TRodzajPodstawy RodzajPodstawy() const { return FRodzaj; }
    // Rebuilds the bases of the source, resets the insert options and the opening of the file, and drops
    // the choice (one basis alone is chosen).
    void UstawRodzajPodstawy(TRodzajPodstawy rodzaj);
    // The captions of the bases, in order.
    QStringList Podstawy() const;
    int WybranaPodstawa() const { return FWybrana; }
    void WybierzPodstawe(int indeks);
    // "...": asks for another list; when one is chosen and read, the bases come from it. A failed read is
    // shown and changes nothing. True when the list was taken.
    bool WybierzInnySpis();
    bool CzyWyborSpisu() const { return FRodzaj == TRodzajPodstawy::IstniejacaSpecyfikacja; }
    bool CzyMoznaStworzyc() const { return FWybrana >= 0; }

    // --- Target folder: the user's folder when picked, else the rule's (empty when it cannot be made).
    QString FolderDocelowy() const;
    void UstawWlasnaSciezke(const QString& folder) { FWlasnaSciezka = folder; }
    const QString& WlasnaSciezka() const { return FWlasnaSciezka; }

    // --- Insert options, open only for a template.
    bool CzyOpcjeWstawiania() const { return FRodzaj == TRodzajPodstawy::Szablon; }
    bool CzyWstawTytul() const { return FCzyWstawTytul; }
    // Ticking with an empty title copies the list title into it; true then (the window selects it).
    bool UstawWstawTytul(bool wstaw);
    const QString& Tytul() const { return FTytul; }
    void UstawTytul(const QString& tytul) { FTytul = tytul; }
    bool CzyWstawJednostki() const { return FCzyWstawJednostki; }
    void UstawWstawJednostki(bool wstaw) { FCzyWstawJednostki = wstaw; }
    bool CzyWstawKodyCpv() const { return FCzyWstawKodyCpv; }
    void UstawWstawKodyCpv(bool wstaw) { FCzyWstawKodyCpv = wstaw; }
    // "Otwórz  plik po stworzeniu": ticked and closed for a template, the user's for an existing one.
    bool CzyOtworzPlik() const { return FCzyOtworzPlik; }
    void UstawOtworzPlik(bool otworz) { FCzyOtworzPlik = otworz; }
    bool CzyWyborOtwarcia() const { return FRodzaj != TRodzajPodstawy::Szablon; }

    // --- Units grid
    const std::vector<TJednostkaDoWstawienia>& Jednostki() const { return FJednostki; }
    void DodajJednostke() { FJednostki.push_back({}); }
    void UstawJednostke(int wiersz, const QString& nazwa, const QString& opis);
    void UsunJednostke(int wiersz);

    // --- CPV codes: the trees the browser ticks, and the grid of the ticked ones.
    TListaKodowCpv& DrzewaKodowCpv() { return FDrzewaCpv; }
    // After the browser's OK: every ticked code, depth first.
    void PrzyjmijKodyCpv();
    const std::vector<TKodCpv*>& KodyCpv() const { return FKodyCpv; }
    // Delete on a row: the code is unticked and its row removed.
    void UsunKodCpv(int wiersz);

    // What the core gets. Raises EBlad when the rule's folder cannot be made.
    TDaneTworzeniaSpecyfikacji Dane() const;
    // "Stwórz": creates the document and opens it when asked; a failure is shown and false returned (the
    // dialog stays open).
    bool Stworz();
    // After a successful Stworz.
    const QString& StworzonyPlikStPath() const { return FStworzonyPlik; }
    std::vector<std::unique_ptr<TJmSpecyfikacji>> PrzejmijStworzoneJednostki();

private:
    QString FolderReguly() const;

    QString FNumer;
    QString FTytulNaLiscie;
    const TSpecyfikacja* FRodzic;
    TZestawST* FZestaw;
    TKonfiguracja* FKonfiguracja;
    TZbiorEksporter* FEdytor;
    IUzytkownik* FUzytkownik;
    TListaKodowCpv FDrzewaCpv;

    TRodzajPodstawy FRodzaj = TRodzajPodstawy::Szablon;
    std::unique_ptr<TSpisST> FInnySpis;
    std::unique_ptr<TPodstawyDoSt> FPodstawy;
    int FWybrana = -1;
    QString FWlasnaSciezka;
    bool FCzyWstawTytul = true;
    QString FTytul;
    bool FCzyWstawJednostki = true;
    bool FCzyWstawKodyCpv = true;
    bool FCzyOtworzPlik = true;
    std::vector<TJednostkaDoWstawienia> FJednostki;
    std::vector<TKodCpv*> FKodyCpv;
    QString FStworzonyPlik;
    std::vector<std::unique_ptr<TJmSpecyfikacji>> FStworzoneJednostki;
};
