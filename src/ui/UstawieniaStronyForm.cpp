#include "ui/UstawieniaStronyForm.h"

#include "ui/Komunikaty.h"
#include "ui/PrzyciskiDialogu.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

TUstawieniaStronyForm::TUstawieniaStronyForm(const TMarginesy& marginesy, QWidget* rodzic) : QDialog(rodzic)
{
    setObjectName(QStringLiteral("UstawieniaMarginesow"));
    setWindowTitle(QStringLiteral("Ustawienia marginesów"));
    auto* grupa = new QGroupBox(QStringLiteral("Marginesy (w mm)"), this);
    auto* siatka = new QGridLayout(grupa);
    struct TOpis
    {
        const char* Nazwa;
        QString Etykieta;
        int Wartosc;
        int Wiersz;
    };
    // Laid out as on the page (top above bottom, left beside right), checked left, right, top, bottom.
    const TOpis opisy[] = {{"Lewy", QStringLiteral("Lewy :"), marginesy.L, 1},
                           {"Prawy", QStringLiteral("Prawy:"), marginesy.R, 2},
                           {"Gorny", QStringLiteral("Górny:"), marginesy.G, 0},
                           {"Dolny", QStringLiteral("Dolny :"), marginesy.D, 3}};
    for (int i = 0; i < 4; ++i) {
        auto* pole = new QLineEdit(QString::number(opisy[i].Wartosc), grupa);
        pole->setObjectName(QString::fromLatin1(opisy[i].Nazwa));
        pole->setMaximumWidth(70);
        pole->setAlignment(Qt::AlignRight);
        auto* etykieta = new QLabel(opisy[i].Etykieta, grupa);
        etykieta->setBuddy(pole);
        siatka->addWidget(etykieta, opisy[i].Wiersz, 0);
        siatka->addWidget(pole, opisy[i].Wiersz, 1);
        connect(pole, &QLineEdit::textChanged, this, &TUstawieniaStronyForm::Rysuj);
        FPola[i] = pole;
    }
    siatka->setRowStretch(4, 1);
    // Tab follows the page: top, left, right, bottom.
    setTabOrder(FPola[2], FPola[0]);
    setTabOrder(FPola[0], FPola[1]);
    setTabOrder(FPola[1], FPola[3]);

    FPodglad = new QLabel(this);
    FPodglad->setObjectName(QStringLiteral("Podglad"));
    FPodglad->setFixedSize(SzerokoscPodgladu, WysokoscPodgladu);

    auto* gora = new QHBoxLayout;
    gora->addWidget(grupa);
    gora->addWidget(FPodglad);
    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(gora);
    uklad->addWidget(PrzyciskiOkAnuluj(this, QStringLiteral("Ustaw")));
    Rysuj();
}

void TUstawieniaStronyForm::Rysuj()
{
    QPixmap obraz(SzerokoscPodgladu, WysokoscPodgladu);
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, SzerokoscPodgladu - 1, WysokoscPodgladu - 1);
    const TLiniePodgladu linie = LiniePodgladu(SzerokoscPodgladu, WysokoscPodgladu, FPola[0]->text(), FPola[1]->text(),
                                               FPola[2]->text(), FPola[3]->text());
    p.setPen(QPen(Qt::red, 1, Qt::DotLine));
    const int w = SzerokoscPodgladu - 1;
    const int h = WysokoscPodgladu - 1;
    if (linie.Lewa)
        p.drawLine(*linie.Lewa, 0, *linie.Lewa, h);
    if (linie.Prawa)
        p.drawLine(*linie.Prawa, 0, *linie.Prawa, h);
    if (linie.Gorna)
        p.drawLine(0, *linie.Gorna, w, *linie.Gorna);
    if (linie.Dolna)
        p.drawLine(0, *linie.Dolna, w, *linie.Dolna);
    p.end();
    FPodglad->setPixmap(obraz);
}

void TUstawieniaStronyForm::accept()
{
    try {
        CzytajMarginesy(FPola[0]->text(), FPola[1]->text(), FPola[2]->text(), FPola[3]->text());
    } catch (const EBladMarginesu& e) {
        FPola[e.Pole]->setFocus();
        FPola[e.Pole]->selectAll();
        PokazKomunikatOkna(this, e.Komunikat());
        return;
    }
    QDialog::accept();
}

TMarginesy TUstawieniaStronyForm::Marginesy() const
{
    return TMarginesy{WartoscMarginesu(FPola[0]->text()), WartoscMarginesu(FPola[1]->text()),
                      WartoscMarginesu(FPola[2]->text()), WartoscMarginesu(FPola[3]->text())};
}

std::optional<TMarginesy> PokazUstawieniaStrony(QWidget* rodzic, const TMarginesy& marginesy)
{
    TUstawieniaStronyForm okno(marginesy, rodzic);
    if (okno.exec() != QDialog::Accepted)
        return std::nullopt;
    return okno.Marginesy();
}
