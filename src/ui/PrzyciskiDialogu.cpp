#include "ui/PrzyciskiDialogu.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* PrzyciskiOkAnuluj(QDialog* dialog, const QString& tekstOk)
{
    auto* przyciski = new QDialogButtonBox(dialog);
    QPushButton* ok = przyciski->addButton(tekstOk, QDialogButtonBox::AcceptRole);
    QPushButton* anuluj = przyciski->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("OK"));
    anuluj->setObjectName(QStringLiteral("Anuluj"));
    ok->setDefault(true);
    QObject::connect(przyciski, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(przyciski, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return przyciski;
}
