#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class IObslugaDuplikatowListy;
class TSpecyfikacja;
class TSpisST;

// Copies nodes of one specification list into another under the list's add and nesting rules. Every
// copied node goes through the duplicate handling, which may ask the user, skip the node or let it
// overwrite the node already in the list (its children then go into that node). The handler counts the
// outcomes into its dialog's import counter.
class TScalanieList
{
public:
    // cel: the list that receives the copies.
    TScalanieList(TSpisST& cel, IObslugaDuplikatowListy& obsluga);

    // Why zrodlo may not go below docelowy (a node of the target list or the list itself), empty when it
    // may: nothing goes below a specification, and a group may not bring more group levels than fit.
    static QString SprawdzZagniezdzenie(const TSpecyfikacja& zrodlo, const TSpecyfikacja& docelowy);
    // "rodzaju robót (1)": what a node is by its level, with its number.
    static QString OpisWezla(const TSpecyfikacja& wezel);

    // Copies zrodlo with its subtree below docelowy. A specification that would land directly on the
    // list's top level is skipped with a notice in Uwagi. A failure of the duplicate handling (a cancelled
    // question, an unresolvable conflict) or of the list's level rules is raised as EBlad; what was
    // copied before stays.
    void Kopiuj(const TSpecyfikacja& zrodlo, TSpecyfikacja& docelowy);

    // Notices of nodes skipped by the copy, in order.
    const QStringList& Uwagi() const { return FUwagi; }
    // Called for every node added to the target list (not for overwritten ones).
    std::function<void(TSpecyfikacja& dodany)> OnDodano;

private:
    TSpisST& FCel;
    IObslugaDuplikatowListy& FObsluga;
    QStringList FUwagi;
};
