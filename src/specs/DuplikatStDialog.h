#pragma once

#include "app/OpcjeDuplikatow.h"

class TLicznikImportuSt;
class TSpecyfikacja;

// How the duplicate handler asks the user about an incoming specification that collides with one already
// in the list. The user interface implements it (the main window's controller, the list-merging window);
// the handler itself shows nothing.
class IDuplikatStDialog
{
public:
    virtual ~IDuplikatStDialog() = default;

    // A duplicate number. doNone means the user cancelled. czyZapamietajWybor: the user wants the answer
    // used for every later duplicate number of this import.
    virtual TOpcjaDuplikatowNumeru ShowDuplicatStDialog(const TSpecyfikacja& istniejaca,
                                                        const TSpecyfikacja& importowana, bool czyDuplikatPliku,
                                                        bool& czyZapamietajWybor) = 0;
    // A duplicate document file. dpoNone means the user cancelled.
    virtual TOpcjaDuplikatowPliku ShowDuplicatPlikuDialog(const TSpecyfikacja& istniejaca,
                                                          const TSpecyfikacja& importowana,
                                                          bool& czyZapamietajWybor) = 0;
    // The number and the document point to two different nodes: shown, then the import ends.
    virtual void ShowDuplikaty(const TSpecyfikacja& s, const TSpecyfikacja& duplikatPliku,
                               const TSpecyfikacja& duplikatNumeru) = 0;
    // The counter the handler updates; it stays with the provider after the import.
    virtual TLicznikImportuSt& GetLicznikImportu() = 0;
};
