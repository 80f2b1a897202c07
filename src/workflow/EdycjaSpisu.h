#pragma once

#include "workflow/Uzytkownik.h"

#include <QString>

#include <functional>
#include <vector>

class IUzytkownik;
class TKonfiguracja;
class TSpecyfikacja;
class TSpisST;
class TWariantSpecyfikacji;

// The edits of one specification list in its tree, through the user's dialogs: adding kinds, groups,
// elements, specifications and variants, editing and deleting them, binding documents, moving nodes and
// opening a node's document. The main window's list and the merge window's target list are edited by
// the same rules; what else an edit touches (matching, the set, the estimates) the owner says through
// the hooks. Every command does nothing while there is no list.
class TEdycjaSpisu
{
public:
    struct TZaczepy
    {
        // After nodes were added, edited, deleted or bound: whatever shows the list is made again.
        std::function<void()> PoEdycji;
        // After a move: only the tree is shown again.
        std::function<void()> PoPrzeniesieniu;
        // The node to select after an addition or a move.
        std::function<void(TSpecyfikacja*)> Pokaz;
        // The subtree about to be deleted: false when the owner's questions refused it.
        std::function<bool(const std::vector<const TSpecyfikacja*>&)> CzyMoznaUsunac;
        // Just before nodes are freed: the owner lets go of pointers into them.
        std::function<void()> PrzedUsunieciem;
        // A specification's or variant's full number ("B.01" or "B.01#1") changed from the first to the second.
        std::function<void(const QString&, const QString&)> PoZmianieNumeru;
        // The general-requirements switch of a specification changed.
        std::function<void()> PoZmianieWarunkow;
        // Whether the documents are Word files (else OpenDocument), for the file dialog's filter.
        std::function<bool()> CzyDokumentyWord;
        // Whether deleting asks first; without the hook it always does.
        std::function<bool()> CzyPotwierdzacUsuniecie;
    };

    TEdycjaSpisu(std::function<TSpisST*()> spis, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik,
                 TZaczepy zaczepy);

    void DodajRodzajRobot();
    // The group and element go into the kind or group of the node selected (or that node itself).
    void DodajGrupeRobot(TSpecyfikacja* wybrany);
    void DodajElementRobot(TSpecyfikacja* wybrany);
    // Into the group selected, beside the specification selected, or beside a variant's specification.
    void DodajSpecyfikacje(TSpecyfikacja* wybrany, const QString& numer = QString());
    void DodajWariant(TSpecyfikacja* wybrany);
    // Groups, specifications and variants through their own dialogs.
    void Edytuj(TSpecyfikacja* wybrany);
    void Usun(TSpecyfikacja* wybrany);
    void PowiazZPlikiem(TSpecyfikacja* wybrany);
    void UsunPowiazanie(TSpecyfikacja* wybrany);
    void PrzestawWarunkiOgolne(TSpecyfikacja* wybrany);
    void WGore(TSpecyfikacja* wybrany);
    void WDol(TSpecyfikacja* wybrany);
    void PoziomWyzej(TSpecyfikacja* wybrany);
    void PoziomNizej(TSpecyfikacja* wybrany);
    // A drag in the tree: PrzeniesWezel's rules; wykonaj false only asks.
    bool Przenies(TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj = true);
    // The node's document in the desktop's program, or its folder.
    void OtworzPlik(const TSpecyfikacja* wybrany);
    void OtworzFolder(const TSpecyfikacja* wybrany);
    void OtworzDokument(const QString& plik, bool folder);

    // The document dialog of the output kind, starting at the document's folder or the last one chosen.
    TDialogPliku DialogDokumentu(const QString& tytul, const QString& plik) const;

private:
    void DodajGrupe(TSpecyfikacja* rodzic, int poziom);
    // Runs the addition (null: refused); an added node is shown and its document's folder remembered. A
    // refusal with a reason reaches the user.
    void Dodaj(const QString& plik, const std::function<TSpecyfikacja*()>& dodaj);
    void EdytujWariant(TWariantSpecyfikacji* wariant);
    void UsunWariant(TWariantSpecyfikacji* wariant);
    bool Potwierdz(const QString& pytanie);
    void PoEdycji();
    void PoPrzeniesieniu(TSpecyfikacja* wezel);

    std::function<TSpisST*()> FSpis;
    TKonfiguracja& FKonfiguracja;
    IUzytkownik& FUzytkownik;
    TZaczepy FZaczepy;
    // Where the document dialogs start: the folder of the last document chosen.
    QString FFolderDokumentow;
};
