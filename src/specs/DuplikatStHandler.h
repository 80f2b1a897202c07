#pragma once

#include "app/OpcjeDuplikatow.h"
#include "specs/ObslugaDuplikatowListy.h"

#include <QString>

#include <memory>

class IDuplikatStDialog;
class TKonfiguracja;
class TSpecyfikacja;
class TSpisST;
class TWariantSpecyfikacji;

// The answers to the duplicate questions remembered from earlier imports; doNone and dpoNone leave the
// question to the user.
struct TZapamietaneOpcjeDuplikatow
{
    TOpcjaDuplikatowNumeru Numeru = doNone;
    TOpcjaDuplikatowPliku Pliku = dpoNone;

    // Each answer the configuration remembers, only while its switch is on.
    static TZapamietaneOpcjeDuplikatow ZKonfiguracji(const TKonfiguracja& konfiguracja);

    bool operator==(const TZapamietaneOpcjeDuplikatow&) const = default;
};

// Decides what becomes of a specification that comes into a list from outside (a merged list file, an
// imported register) and collides with a node already there, by number, by document file or both. It
// asks the user through the dialog where no answer is remembered and counts the outcomes in the dialog's
// import counter. One handler serves one merge or one register file.
class TDuplikatStHandler : public IObslugaDuplikatowListy
{
public:
    // Starts from the remembered answers given. The dialog is the one the list reader's questions go to;
    // without one every check raises.
    explicit TDuplikatStHandler(const TZapamietaneOpcjeDuplikatow& zapamietane, IDuplikatStDialog* dialog = nullptr);

    // True when the incoming node was consumed: `s` is then empty and `istniejacy` is the node of the list
    // that took its place (overwritten) or null (skipped). False: the caller adds `s` as usual (it may
    // have lost its document). czyDuplikatPliku: the decision was made about a duplicate document.
    // Raises EBlad without a dialog, when number and document point to two different nodes, when the user
    // cancels and when a document cannot be copied; nothing of the list has changed then.
    bool CzySaDuplikaty(TSpisST& spis, std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                        bool& czyDuplikatPliku, IDuplikatStDialog* dialog);
    bool CzySaDuplikaty(TSpisST& spis, std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                        bool& czyDuplikatPliku) override;

    TOpcjaDuplikatowNumeru GetZapamietanaOpcjaDuplikatowNumeru() const { return FZapamietanaOpcjaDuplikatowNumeru; }
    TOpcjaDuplikatowPliku GetZapamietanaOpcjaDuplikatowPliku() const { return FZapamietanaOpcjaDuplikatowPliku; }
    TOpcjaDuplikatowNumeru GetWybranaOpcjaDuplikatowNumeru() const override { return FWybranaOpcjaDuplikatowNumeru; }
    TOpcjaDuplikatowPliku GetWybranaOpcjaDuplikatowPliku() const override { return FWybranaOpcjaDuplikatowPliku; }

    // Replaces the file cel with a copy of zrodlo: the copy is written beside cel and renamed over it, so
    // cel is either untouched or whole. Raises EBlad with the system's error text on failure.

private:
    bool ObsluzNumer(TSpecyfikacja& e, std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                     IDuplikatStDialog& dialog);
    bool ObsluzPlik(TSpecyfikacja& e, const TWariantSpecyfikacji* wariant, std::unique_ptr<TSpecyfikacja>& s,
                    TSpecyfikacja*& istniejacy, IDuplikatStDialog& dialog);

    IDuplikatStDialog* FDialog;
    TOpcjaDuplikatowNumeru FZapamietanaOpcjaDuplikatowNumeru = doNone;
    TOpcjaDuplikatowPliku FZapamietanaOpcjaDuplikatowPliku = dpoNone;
    TOpcjaDuplikatowNumeru FWybranaOpcjaDuplikatowNumeru = doNone;
    TOpcjaDuplikatowPliku FWybranaOpcjaDuplikatowPliku = dpoNone;
};
