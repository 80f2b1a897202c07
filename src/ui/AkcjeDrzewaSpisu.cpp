#include "ui/AkcjeDrzewaSpisu.h"

#include "specs/Specyfikacja.h"
#include "workflow/EdycjaSpisu.h"

#include <QAction>
#include <QMenu>

QList<QAction*> AkcjeDrzewaSpisu(const TTworzenieAkcji& nowa, const std::function<TEdycjaSpisu*()>& edycja,
                                 const std::function<TSpecyfikacja*()>& wezel, std::function<void()> odswiez)
{
    // Each command runs on the node selected when it is triggered; without a list to edit it does nothing.
    const auto na = [&](auto polecenie) {
        return [edycja, wezel, polecenie] {
            if (TEdycjaSpisu* e = edycja())
                (e->*polecenie)(wezel());
        };
    };
    const QList<QAction*> akcje = {
        nowa(
            QStringLiteral("DodajRodzajRobot"), QStringLiteral("Dodaj rodzaj robót"),
            QKeySequence(QStringLiteral("Ctrl+R")),
            [edycja] {
                if (TEdycjaSpisu* e = edycja())
                    e->DodajRodzajRobot();
            },
            QStringLiteral("folder-new")),
        nowa(QStringLiteral("DodajGrupeRobot"), QStringLiteral("Dodaj grupę robót"),
             QKeySequence(QStringLiteral("Ctrl+G")), na(&TEdycjaSpisu::DodajGrupeRobot), QStringLiteral("folder-new")),
        nowa(QStringLiteral("DodajElementRobot"), QStringLiteral("Dodaj element robót"),
             QKeySequence(QStringLiteral("Ctrl+E")), na(&TEdycjaSpisu::DodajElementRobot),
             QStringLiteral("folder-new")),
        nowa(
            QStringLiteral("DodajSpecyfikacje"), QStringLiteral("Dodaj specyfikację"), QKeySequence(Qt::Key_Insert),
            [edycja, wezel] {
                if (TEdycjaSpisu* e = edycja())
                    e->DodajSpecyfikacje(wezel());
            },
            QStringLiteral("document-new")),
        nowa(QStringLiteral("DodajWariant"), QStringLiteral("Dodaj wariant specyfikacji"),
             QKeySequence(Qt::CTRL | Qt::Key_Insert), na(&TEdycjaSpisu::DodajWariant), QStringLiteral("list-add")),
        nowa(QStringLiteral("Usun"), QStringLiteral("Usuń"), QKeySequence(Qt::Key_Delete), na(&TEdycjaSpisu::Usun),
             QStringLiteral("edit-delete")),
        nowa(QStringLiteral("OtworzPlikSt"), QStringLiteral("Otwórz plik ST"),
             QKeySequence(QStringLiteral("Ctrl+Alt+O")), na(&TEdycjaSpisu::OtworzPlik),
             QStringLiteral("document-open")),
        nowa(QStringLiteral("OtworzFolderSt"), QStringLiteral("Otwórz folder zawierający plik ST"), {},
             na(&TEdycjaSpisu::OtworzFolder), QStringLiteral("folder-open")),
        nowa(QStringLiteral("Edytuj"), QStringLiteral("Edytuj"), QKeySequence(Qt::SHIFT | Qt::Key_F2),
             na(&TEdycjaSpisu::Edytuj), QStringLiteral("document-edit")),
        nowa(QStringLiteral("PowiazZPlikiem"), QStringLiteral("Powiąż z plikiem ST"),
             QKeySequence(Qt::CTRL | Qt::Key_F2), na(&TEdycjaSpisu::PowiazZPlikiem), QString()),
        nowa(QStringLiteral("UsunPowiazanie"), QStringLiteral("Usuń powiązanie z plikiem ST"),
             QKeySequence(Qt::CTRL | Qt::Key_Delete), na(&TEdycjaSpisu::UsunPowiazanie), QString()),
        nowa(QStringLiteral("WarunkiOgolne"), TekstWarunkowOgolnych(nullptr), QKeySequence(QStringLiteral("Ctrl+W")),
             na(&TEdycjaSpisu::PrzestawWarunkiOgolne), QString()),
        nowa(QStringLiteral("Odswiez"), QStringLiteral("Odśwież"), QKeySequence(Qt::Key_F5), std::move(odswiez),
             QStringLiteral("view-refresh")),
        nowa(QStringLiteral("PoziomWyzej"), QStringLiteral("Przenieś poziom wyżej"),
             QKeySequence(Qt::CTRL | Qt::Key_Left), na(&TEdycjaSpisu::PoziomWyzej), QString()),
        nowa(QStringLiteral("PoziomNizej"), QStringLiteral("Przenieś poziom niżej"),
             QKeySequence(Qt::CTRL | Qt::Key_Right), na(&TEdycjaSpisu::PoziomNizej), QString()),
        nowa(QStringLiteral("WGore"), QStringLiteral("Przesuń w górę"), QKeySequence(Qt::CTRL | Qt::Key_Up),
             na(&TEdycjaSpisu::WGore), QStringLiteral("go-up")),
        nowa(QStringLiteral("WDol"), QStringLiteral("Przesuń w dół"), QKeySequence(Qt::CTRL | Qt::Key_Down),
             na(&TEdycjaSpisu::WDol), QStringLiteral("go-down")),
    };
    for (QAction* a : akcje) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        // F2, the desktop's key for renaming in place, edits the node through the same checked dialog.
        if (a->objectName() == QLatin1String("Edytuj"))
            a->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F2), QKeySequence(Qt::Key_F2)});
    }
    return akcje;
}

QMenu* MenuZwin(QWidget* rodzic, const TTworzenieAkcji& nowa, std::function<void(int)> zwin)
{
    auto* menu = new QMenu(QStringLiteral("Zwiń"), rodzic);
    menu->setObjectName(QStringLiteral("MenuZwin"));
    const char* const poziomy[] = {"Zwiń do Rodzajów Robót", "Zwiń do Grup Robót", "Zwiń do Elementów Robót"};
    for (int i = 0; i < 3; ++i)
        menu->addAction(nowa(
            QStringLiteral("ZwinDoPoziomu%1").arg(i), QString::fromUtf8(poziomy[i]), {}, [zwin, i] { zwin(i); },
            QString()));
    return menu;
}

QString TekstWarunkowOgolnych(const TSpecyfikacja* wezel)
{
    return wezel && wezel->CzyWarunkiOgolne() ? QStringLiteral("Usuń Wymagania Ogólne")
                                              : QStringLiteral("Ustaw jako Wymagania Ogólne");
}
