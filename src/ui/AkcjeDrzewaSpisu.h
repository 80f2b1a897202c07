#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;
class TEdycjaSpisu;
class TSpecyfikacja;

// How a tree command becomes an action: the main window wraps every command in its error handling.
using TTworzenieAkcji = std::function<QAction*(const QString& nazwa, const QString& tekst, const QKeySequence& skrot,
                                               std::function<void()> polecenie, const QString& ikona)>;

// The editing commands of a list tree on its one node selected, with their names, captions and keys, in menu
// order; the main window's tree and the merge window's target tree offer the same. "Odswiez" (F5) runs the
// caller's refresh. The keys answer only while the tree has the focus.
QList<QAction*> AkcjeDrzewaSpisu(const TTworzenieAkcji& nowa, const std::function<TEdycjaSpisu*()>& edycja,
                                 const std::function<TSpecyfikacja*()>& wezel, std::function<void()> odswiez);

// The menu "Zwiń" with its three levels (0: kinds of works, 1: groups, 2: elements).
QMenu* MenuZwin(QWidget* rodzic, const TTworzenieAkcji& nowa, std::function<void(int)> zwin);

// The general-requirements command's caption for the node: it says what the command will do.
QString TekstWarunkowOgolnych(const TSpecyfikacja* wezel);
