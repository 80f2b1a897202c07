#include "ui/WyborWariantu.h"

#include "specs/WariantSpecyfikacji.h"
#include "ui/PrzyciskiDialogu.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TWyborWariantu::TWyborWariantu(const TSpecyfikacja& specyfikacja, const QString& separator, QWidget* rodzic)
    : QDialog(rodzic), FSpecyfikacja(specyfikacja), FWarianty(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("WyborWariantu"));
    setWindowTitle(QStringLiteral("Wybierz wariant specyfikacji"));
    resize(560, 320);
    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(new QLabel(QStringLiteral("Wybrana specyfikacja posiada dodatkowe warianty."), this));
    uklad->addWidget(new QLabel(QStringLiteral("Wybierz wariant lub pozostaw specyfikację bez zmian."), this));
    FWarianty->setObjectName(QStringLiteral("Warianty"));
    FWarianty->setHeaderHidden(true);
    FWarianty->setRootIsDecorated(false);
    for (int i = 0; i < specyfikacja.WariantyCount(); ++i) {
        const TWariantSpecyfikacji* w = specyfikacja.GetWariant(i);
        new QTreeWidgetItem(FWarianty, {specyfikacja.Numer() + separator + w->Numer() + QLatin1Char(' ') + w->Opis()});
    }
    uklad->addWidget(FWarianty);
    auto* przyciski = PrzyciskiOkAnuluj(this);
    auto* ok = przyciski->findChild<QPushButton*>(QStringLiteral("OK"));
    connect(FWarianty, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    // OK only with exactly one variant chosen.
    connect(FWarianty, &QTreeWidget::itemSelectionChanged, this,
            [this, ok] { ok->setEnabled(FWarianty->selectedItems().size() == 1); });
    uklad->addWidget(przyciski);
    if (FWarianty->topLevelItemCount() > 0)
        FWarianty->setCurrentItem(FWarianty->topLevelItem(0));
    ok->setEnabled(FWarianty->selectedItems().size() == 1);
}

TWariantSpecyfikacji* TWyborWariantu::Wariant() const
{
    if (result() != QDialog::Accepted || FWarianty->selectedItems().size() != 1)
        return nullptr;
    return FSpecyfikacja.GetWariant(FWarianty->indexOfTopLevelItem(FWarianty->selectedItems().first()));
}
