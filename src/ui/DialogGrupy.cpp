#include "ui/DialogGrupy.h"

#include "ui/Komunikaty.h"
#include "ui/PrzyciskiDialogu.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const KRodzaje[] = {" Rodzaj Robót", " Grupę Robót", " Element Robót"};
const char* const KTytuly[] = {"Tytuł Rodzaju Robót", "Tytuł Grupy Robót", "Tytuł Elementu Robót"};

} // namespace

TDialogGrupy::TDialogGrupy(const TDaneGrupy& dane, QWidget* rodzic)
    : QDialog(rodzic), FDane(dane), FPoziom(qBound(0, dane.Poziom, 2)), FNumer(new QLineEdit(dane.Numer, this)),
      FTytul(new QLineEdit(dane.Opis, this))
{
    const bool edycja = !dane.Numer.isEmpty();
    setObjectName(QStringLiteral("DialogGrupy"));
    setWindowTitle((edycja ? QStringLiteral("Edytuj") : QStringLiteral("Dodaj")) +
                   QString::fromUtf8(KRodzaje[FPoziom]));
    setFixedWidth(400);
    FNumer->setObjectName(QStringLiteral("Numer"));
    FTytul->setObjectName(QStringLiteral("Tytul"));
    auto* uklad = new QFormLayout(this);
    uklad->addRow(QStringLiteral("Numer"), FNumer);
    uklad->addRow(QString::fromUtf8(KTytuly[FPoziom]), FTytul);
    auto* przyciski = PrzyciskiOkAnuluj(this, edycja ? QStringLiteral("Zapisz") : QStringLiteral("Dodaj"));
    uklad->addRow(przyciski);
    FNumer->setFocus();
}

TDaneGrupy TDialogGrupy::Dane() const
{
    TDaneGrupy dane = FDane;
    dane.Poziom = FPoziom;
    dane.Numer = FNumer->text().trimmed();
    dane.Opis = FTytul->text();
    return dane;
}

void TDialogGrupy::accept()
{
    const QString blad = FDane.BladNumeru(FNumer->text());
    if (!blad.isEmpty()) {
        FNumer->setFocus();
        PokazKomunikatOkna(this, blad);
        return;
    }
    QDialog::accept();
}
