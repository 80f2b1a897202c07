#include "ui/DialogSpecyfikacji.h"

#include "ui/Komunikaty.h"
#include "ui/PrzyciskiDialogu.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TDialogSpecyfikacji::TDialogSpecyfikacji(const TDaneSpecyfikacji& dane, IUzytkownik& uzytkownik, QWidget* rodzic)
    : QDialog(rodzic), FDane(dane), FUzytkownik(uzytkownik), FNumer(new QLineEdit(dane.Numer, this)),
      FTytul(new QLineEdit(dane.Opis, this)), FPlik(new QLabel(QFileInfo(dane.NazwaPliku).fileName(), this))
{
    setObjectName(QStringLiteral("DialogSpecyfikacji"));
    setWindowTitle(dane.Tytul);
    setMinimumWidth(520);
    FNumer->setObjectName(QStringLiteral("Numer"));
    FTytul->setObjectName(QStringLiteral("Tytul"));
    FPlik->setObjectName(QStringLiteral("Plik"));
    auto* uklad = new QFormLayout(this);
    uklad->addRow(QStringLiteral("Numer"), FNumer);
    uklad->addRow(QStringLiteral("Tytuł"), FTytul);
    auto* wiersz = new QHBoxLayout;
    auto* przegladaj = new QPushButton(QStringLiteral("Przeglądaj..."), this);
    przegladaj->setObjectName(QStringLiteral("Przegladaj"));
    wiersz->addWidget(FPlik, 1);
    wiersz->addWidget(przegladaj);
    uklad->addRow(QStringLiteral("Plik"), wiersz);
    connect(przegladaj, &QPushButton::clicked, this, [this] {
        const TWybranePliki wybrane = FUzytkownik.WybierzDoOtwarcia(FDane.DialogPliku);
        if (wybrane.Pliki.isEmpty())
            return;
        FDane.Plik = wybrane.Pliki.first();
        FPlik->setText(QFileInfo(FDane.Plik).fileName());
    });
    auto* przyciski = PrzyciskiOkAnuluj(this);
    uklad->addRow(przyciski);
}

TDaneSpecyfikacji TDialogSpecyfikacji::Dane() const
{
    TDaneSpecyfikacji wynik = FDane;
    wynik.Numer = FNumer->text().trimmed();
    wynik.Opis = FTytul->text();
    return wynik;
}

void TDialogSpecyfikacji::accept()
{
    if (FNumer->text().trimmed().isEmpty()) {
        PokazKomunikatOkna(this, QStringLiteral("Numer nie może być pusty."));
        return;
    }
    QDialog::accept();
}
