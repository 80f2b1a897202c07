#include "ui/DialogPozostalychPozycji.h"

#include "ui/PrzyciskiDialogu.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TDialogPozostalychPozycji::TDialogPozostalychPozycji(const QString& tekst, bool zmianaZDrzewa, int domyslny,
                                                     QWidget* rodzic)
    : QDialog(rodzic), FWybory(new QButtonGroup(this)),
      FNiePytaj(new QCheckBox(QStringLiteral("Nie pytaj ponownie"), this))
{
    setObjectName(QStringLiteral("DialogPozostalychPozycji"));
    setWindowTitle(QStringLiteral("Informacja "));
    auto* uklad = new QVBoxLayout(this);
    auto* opis = new QLabel(tekst, this);
    opis->setObjectName(QStringLiteral("Opis"));
    opis->setWordWrap(true);
    uklad->addWidget(opis);
    const QStringList wybory{QStringLiteral("Zmień tylko w tej pozycji"), QStringLiteral("Zmień w bieżącym elemencie"),
                             QStringLiteral("Zmień w całym kosztorysie"),
                             QStringLiteral("Zmień we wszystkich kosztorysach")};
    for (int i = 0; i < wybory.size(); ++i) {
        auto* przycisk = new QRadioButton(wybory[i], this);
        przycisk->setObjectName(QStringLiteral("Wybor%1").arg(i));
        FWybory->addButton(przycisk, i);
        uklad->addWidget(przycisk);
        // From the tree there is no "this position".
        przycisk->setVisible(!(zmianaZDrzewa && i == 0));
    }
    if (QAbstractButton* wybrany = FWybory->button(domyslny))
        wybrany->setChecked(true);
    FNiePytaj->setObjectName(QStringLiteral("NiePytaj"));
    FNiePytaj->setVisible(!zmianaZDrzewa);
    uklad->addWidget(FNiePytaj);
    auto* przyciski = PrzyciskiOkAnuluj(this);
    uklad->addWidget(przyciski);
}

TWyborPozostalych TDialogPozostalychPozycji::Wybor() const
{
    return {qMax(0, FWybory->checkedId()), FNiePytaj->isChecked()};
}
