#include "ui/EkranStartowy.h"

#include "app/Pliki.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TEkranStartowy::TEkranStartowy(QWidget* rodzic)
    : QWidget(rodzic, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("EkranStartowy"));
    setFixedSize(480, 240);
    setStyleSheet(QStringLiteral("TEkranStartowy{background: #1f4e79;} QLabel{color: white;}"));
    setAttribute(Qt::WA_StyledBackground);
    auto* uklad = new QVBoxLayout(this);
    auto* nazwa = new QLabel(QStringLiteral("Velostra"), this);
    QFont duza = nazwa->font();
    duza.setPointSize(30);
    duza.setBold(true);
    nazwa->setFont(duza);
    auto* haslo = new QLabel(QStringLiteral("Nowoczesne Zarządzanie Specyfikacjami Technicznymi"), this);
    auto* wersja = new QLabel(QStringLiteral("wer. ") + WersjaProgramu(), this);
    wersja->setObjectName(QStringLiteral("Wersja"));
    for (QLabel* l : {nazwa, haslo, wersja}) {
        l->setAlignment(Qt::AlignCenter);
        uklad->addWidget(l);
    }
    if (const QScreen* ekran = QGuiApplication::primaryScreen()) {
        const QRect obszar = ekran->geometry();
        move(obszar.x() + (obszar.width() - width()) / 2, obszar.y() + (obszar.height() - height()) / 2);
    }
}
