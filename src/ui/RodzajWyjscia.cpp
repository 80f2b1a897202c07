#include "ui/RodzajWyjscia.h"

#include <QGroupBox>
#include <QPropertyAnimation>
#include <QRadioButton>
#include <QVBoxLayout>

TRodzajWyjscia::TRodzajWyjscia(bool word, QWidget* rodzic) : QDialog(rodzic, Qt::Popup), FWord(word)
{
    setObjectName(QStringLiteral("RodzajWyjscia"));
    auto* uklad = new QVBoxLayout(this);
    auto* grupa = new QGroupBox(QStringLiteral("Typ pliku STWiORB"), this);
    auto* ukladGrupy = new QVBoxLayout(grupa);
    auto* doc = new QRadioButton(QStringLiteral("Microsoft Word (DOC)"), grupa);
    auto* odt = new QRadioButton(QStringLiteral("OpenOffice Writer (ODT)"), grupa);
    doc->setObjectName(QStringLiteral("Word"));
    odt->setObjectName(QStringLiteral("Odt"));
    // Preset before the handlers are attached: showing the choice is not making it.
    (word ? doc : odt)->setChecked(true);
    connect(doc, &QRadioButton::clicked, this, [this] {
        FWord = true;
        accept();
    });
    connect(odt, &QRadioButton::clicked, this, [this] {
        FWord = false;
        accept();
    });
    ukladGrupy->addWidget(doc);
    ukladGrupy->addWidget(odt);
    uklad->addWidget(grupa);
}

void TRodzajWyjscia::showEvent(QShowEvent* zdarzenie)
{
    QDialog::showEvent(zdarzenie);
    // Slides up from the panel that opened it.
    auto* animacja = new QPropertyAnimation(this, "pos", this);
    animacja->setDuration(100);
    animacja->setStartValue(pos() + QPoint(0, 20));
    animacja->setEndValue(pos());
    animacja->start(QAbstractAnimation::DeleteWhenStopped);
}
