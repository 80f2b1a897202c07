#include "ui/SpecyfikacjeZPustymNumerem.h"

#include "app/Wyjatki.h"
#include "specs/SpisST.h"
#include "workflow/PusteNumery.h"
#include "workflow/Uzytkownik.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TSpecyfikacjeZPustymNumerem::TSpecyfikacjeZPustymNumerem(TSpisST& spis, IUzytkownik& uzytkownik, QWidget* rodzic)
    : QDialog(rodzic), FSpis(spis), FUzytkownik(uzytkownik), FTabela(new QTableWidget(this)),
      FOstrzezenie(new QLabel(QStringLiteral("Istnieją specyfikacje bez numeru, które zostaną pominięte."), this))
{
    setObjectName(QStringLiteral("SpecyfikacjeZPustymNumerem"));
    setWindowTitle(QStringLiteral("Specyfikacje z pustym numerem"));
    resize(720, 420);
    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(new QLabel(QStringLiteral("Lista SST zawiera specyfikacje bez numeru"), this));
    uklad->addWidget(new QLabel(
        QStringLiteral("Poprzez edycję specyfikacji nadaj im numer - w przeciwnym wypadku zostaną pominięte."), this));
    FTabela->setObjectName(QStringLiteral("Tabela"));
    FTabela->setColumnCount(3);
    FTabela->setHorizontalHeaderLabels({QStringLiteral("Numer"), QStringLiteral("Tytuł"), QStringLiteral("Plik")});
    FTabela->horizontalHeader()->setStretchLastSection(true);
    FTabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(FTabela, &QTableWidget::cellDoubleClicked, this, [this](int wiersz, int) { Edytuj(wiersz); });
    uklad->addWidget(FTabela);
    FOstrzezenie->setObjectName(QStringLiteral("Ostrzezenie"));
    FOstrzezenie->setStyleSheet(QStringLiteral("color: #b00020;"));
    uklad->addWidget(FOstrzezenie);
    auto* przyciski = new QDialogButtonBox(this);
    przyciski->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("OK"));
    connect(przyciski, &QDialogButtonBox::accepted, this, &TSpecyfikacjeZPustymNumerem::accept);
    uklad->addWidget(przyciski);
    Wypelnij();
}

void TSpecyfikacjeZPustymNumerem::Wypelnij()
{
    const auto wiersze = WierszePustychNumerow(FSpis);
    FTabela->setRowCount(static_cast<int>(wiersze.size()));
    for (int i = 0; i < FTabela->rowCount(); ++i) {
        const auto& w = wiersze[static_cast<size_t>(i)];
        FTabela->setItem(i, 0, new QTableWidgetItem(w.Numer));
        FTabela->setItem(i, 1, new QTableWidgetItem(w.Tytul));
        FTabela->setItem(i, 2, new QTableWidgetItem(w.Plik));
    }
    FTabela->resizeColumnToContents(0);
    FOstrzezenie->setVisible(CzySaPusteNumery(FSpis));
}

void TSpecyfikacjeZPustymNumerem::Edytuj(int wiersz)
{
    const auto wiersze = WierszePustychNumerow(FSpis);
    if (wiersz < 0 || wiersz >= static_cast<int>(wiersze.size()))
        return;
    TSpecyfikacja* wezel = wiersze[static_cast<size_t>(wiersz)].Wezel;
    try {
        if (wezel->CzyGrupa()) {
            const auto dane = FUzytkownik.EdycjaGrupy(
                {qBound(0, wezel->KtoryPoziom() - 1, 2), wezel->Numer(), wezel->Opis(), &FSpis, wezel->Numer()});
            if (!dane)
                return;
            wezel->SetNumer(dane->Numer);
            wezel->SetOpis(dane->Opis);
        } else {
            TDaneSpecyfikacji wejscie;
            wejscie.Tytul = QStringLiteral("Edytuj Specyfikację");
            wejscie.Spis = &FSpis;
            wejscie.Edytowana = wezel;
            wejscie.Numer = wezel->Numer();
            wejscie.Opis = wezel->Opis();
            wejscie.NazwaPliku = wezel->GetLongPath();
            wejscie.DialogPliku.Folder = QFileInfo(wezel->GetLongPath()).absolutePath();
            wejscie.DialogPliku.Filtr = QStringLiteral("Plik dokumentów (*.doc;*.docx;*.odt)|*.doc;*.docx;*.odt");
            const auto dane = FUzytkownik.EdycjaSpecyfikacji(wejscie);
            if (!dane)
                return;
            wezel->SetNumer(dane->Numer);
            wezel->SetOpis(dane->Opis);
            if (!dane->Plik.isEmpty())
                wezel->SetPlik(dane->Plik);
        }
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
    Wypelnij();
}

void TSpecyfikacjeZPustymNumerem::accept()
{
    UsunPusteNumery(FSpis);
    QDialog::accept();
}
