#include "ui/Komunikaty.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// The dialog is as wide as its longest line needs, at least 240 and at most 800 pixels: long paths stay
// readable without a window wider than the screen.
void UstawSzerokosc(QMessageBox& okno)
{
    okno.setStyleSheet(QStringLiteral("QLabel{min-width: 200px; max-width: 760px;}"));
}

} // namespace

void PokazKomunikatOkna(QWidget* rodzic, const QString& tekst)
{
    QMessageBox okno(QMessageBox::Information, QStringLiteral("Uwaga!"), tekst, QMessageBox::NoButton, rodzic);
    okno.setObjectName(QStringLiteral("Komunikat"));
    QPushButton* ok = okno.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    okno.setDefaultButton(ok);
    okno.setEscapeButton(ok);
    UstawSzerokosc(okno);
    okno.exec();
}

bool ZadajPytanieOkna(QWidget* rodzic, const QString& komunikat, const QString& pytanie)
{
    QMessageBox okno(QMessageBox::Question, QStringLiteral("Pytanie ?"),
                     pytanie.isEmpty() ? komunikat : komunikat + QLatin1Char('\n') + pytanie, QMessageBox::NoButton,
                     rodzic);
    okno.setObjectName(QStringLiteral("Pytanie"));
    QPushButton* tak = okno.addButton(QStringLiteral("Tak"), QMessageBox::YesRole);
    QPushButton* nie = okno.addButton(QStringLiteral("Nie"), QMessageBox::NoRole);
    tak->setObjectName(QStringLiteral("Tak"));
    nie->setObjectName(QStringLiteral("Nie"));
    okno.setDefaultButton(tak);
    okno.setEscapeButton(nie);
    UstawSzerokosc(okno);
    okno.exec();
    return okno.clickedButton() == tak;
}

TOdpowiedz PytanieTakNieAnulujOkna(QWidget* rodzic, const QString& tekst)
{
    QMessageBox okno(QMessageBox::Question, QStringLiteral("Pytanie"), tekst, QMessageBox::NoButton, rodzic);
    okno.setObjectName(QStringLiteral("PytanieAnuluj"));
    QPushButton* tak = okno.addButton(QStringLiteral("Tak"), QMessageBox::YesRole);
    QPushButton* nie = okno.addButton(QStringLiteral("Nie"), QMessageBox::NoRole);
    QPushButton* anuluj = okno.addButton(QStringLiteral("Anuluj"), QMessageBox::RejectRole);
    tak->setObjectName(QStringLiteral("Tak"));
    nie->setObjectName(QStringLiteral("Nie"));
    anuluj->setObjectName(QStringLiteral("Anuluj"));
    okno.setDefaultButton(tak);
    okno.setEscapeButton(anuluj);
    UstawSzerokosc(okno);
    okno.exec();
    if (okno.clickedButton() == tak)
        return TOdpowiedz::Tak;
    if (okno.clickedButton() == nie)
        return TOdpowiedz::Nie;
    return TOdpowiedz::Anuluj;
}
