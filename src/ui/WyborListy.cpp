#include "ui/WyborListy.h"

#include "ui/PrzyciskiDialogu.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TWyborListy::TWyborListy(const QStringList& listy, QWidget* rodzic) : QDialog(rodzic), FGrupa(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("WyborListy"));
    setWindowTitle(QStringLiteral("Otwórz listę specyfikacji"));
    auto* ramka = new QGroupBox(QStringLiteral("Wybierz listę specyfikacji:"), this);
    auto* ukladRamki = new QVBoxLayout(ramka);
    for (int i = 0; i < listy.size(); ++i) {
        auto* wybor = new QRadioButton(listy[i], ramka);
        wybor->setObjectName(QStringLiteral("Lista%1").arg(i));
        wybor->setChecked(i == 0);
        FGrupa->addButton(wybor, i);
        ukladRamki->addWidget(wybor);
    }
    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(ramka);
    uklad->addWidget(PrzyciskiOkAnuluj(this));
}

int TWyborListy::Wybrana() const
{
    return FGrupa->checkedId();
}
