#pragma once

#include "app/Watki.h"

#include <QString>

#include <functional>
#include <unordered_set>
#include <vector>

class TSpecyfikacja;
class TSpisST;

// Checks in the background whether the documents of a list exist and sets each node's CzyIstnieje.
//
// The worker never touches the tree, which the user may edit meanwhile: the nodes and their decoded
// paths are taken when the check is created (on the main thread), the worker only asks the file
// system, and the answers are written into the nodes in the end step, on the main thread, except for
// nodes that left the tree or changed in between (their own change already re-checked them).
class TCzyIstniejaPlikiThread : public TPrzetworzPlikiThread
{
public:
    using TOnFinished = std::function<void(TCzyIstniejaPlikiThread* sender)>;

    // Clears the list's stop flag and takes the nodes: depth first from the root, children only below
    // groups; groups have no document and count as missing. Variants are not checked.
    TCzyIstniejaPlikiThread(TSpisST* spisSt, TOnFinished onFinished);
    // Stops and waits while this object's own part still exists for the worker.
    ~TCzyIstniejaPlikiThread() override;

    // Sets the list's stop flag too: the remaining nodes are skipped.
    void PoprosOZatrzymanie() override;
    // The node left the tree or changed: its answer is not written.
    void Pomin(const TSpecyfikacja* wezel);

    TSpisST* SpisSt;
    // Called with the thread as sender at the end, on the main thread.
    TOnFinished OnFinished;

protected:
    void Przetwarzaj() override;
    void Zakoncz() override;

private:
    struct TSprawdzenie
    {
        TSpecyfikacja* Wezel;
        QString Sciezka; // decoded; empty for a group
        bool Istnieje = false;
        bool Sprawdzone = false;
    };

    std::vector<TSprawdzenie> FSprawdzenia;
    // Touched only on the main thread.
    std::unordered_set<const TSpecyfikacja*> FPominiete;
};
