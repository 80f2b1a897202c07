#include "ui/OknoCzekania.h"

#include "app/Pliki.h"
#include "workflow/CzekanieNaOtwarcie.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TOknoCzekania::TOknoCzekania(TCzekanieNaOtwarcie& czekanie, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::FramelessWindowHint), FCzekanie(czekanie), FPostep(new QProgressBar(this))
{
    setObjectName(QStringLiteral("OknoCzekania"));
    setWindowTitle(czekanie.Tytul);
    setModal(true);
    auto* uklad = new QVBoxLayout(this);
    auto* naglowek = new QLabel(czekanie.Tytul, this);
    QFont gruba = naglowek->font();
    gruba.setBold(true);
    gruba.setPointSizeF(gruba.pointSizeF() * 1.3);
    naglowek->setFont(gruba);
    naglowek->setAlignment(Qt::AlignCenter);
    auto* haslo = new QLabel(QStringLiteral("Nowoczesne Zarządzanie Specyfikacjami Technicznymi"), this);
    haslo->setAlignment(Qt::AlignCenter);
    auto* wersja = new QLabel(QStringLiteral("wer. ") + WersjaProgramu(), this);
    wersja->setAlignment(Qt::AlignCenter);
    FPostep->setObjectName(QStringLiteral("Postep"));
    FPostep->setRange(0, 0); // busy until the job tells its size
    auto* anuluj = new QPushButton(QStringLiteral("Anuluj"), this);
    anuluj->setObjectName(QStringLiteral("Anuluj"));
    connect(anuluj, &QPushButton::clicked, this, &TOknoCzekania::reject);
    uklad->addWidget(naglowek);
    uklad->addWidget(haslo);
    uklad->addWidget(wersja);
    uklad->addWidget(FPostep);
    uklad->addWidget(anuluj, 0, Qt::AlignHCenter);
    setStyleSheet(QStringLiteral("TOknoCzekania{border: 1px solid palette(mid);}"));
    setMinimumWidth(420);

    FCzekanie.OnZmiana = [this] {
        if (FCzekanie.Maksimum() > 0) {
            FPostep->setRange(0, FCzekanie.Maksimum());
            FPostep->setValue(qMin(FCzekanie.Pozycja(), FCzekanie.Maksimum()));
        }
    };
    FCzekanie.OnKoniec = [this] { accept(); };
}

void TOknoCzekania::Wykonaj()
{
    FCzekanie.Uruchom();
    if (!FCzekanie.CzyZakonczone())
        exec();
    // The job's last calls to the main thread are served and its end awaited.
    FCzekanie.Czekaj();
    FCzekanie.OnZmiana = nullptr;
    FCzekanie.OnKoniec = nullptr;
}

void TOknoCzekania::reject()
{
    // "Anuluj" and Escape only ask the job to stop: the dialog closes when it has ended.
    FCzekanie.Anuluj();
}
