#include "ui/DodawanieStyluForm.h"

#include "app/Konfiguracja.h"
#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "docs/ZbiorEksporterDOC.h"
#include "workflow/Uzytkownik.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton* Przycisk(QWidget* rodzic, const char* nazwa, const QString& tekst)
{
    auto* p = new QPushButton(tekst, rodzic);
    p->setObjectName(QString::fromLatin1(nazwa));
    return p;
}

QLineEdit* Pole(QWidget* rodzic, const char* nazwa)
{
    auto* p = new QLineEdit(rodzic);
    p->setObjectName(QString::fromLatin1(nazwa));
    return p;
}

} // namespace

TDodawanieStyluForm::TDodawanieStyluForm(ISilnikDokumentow* silnik, TKonfiguracja& konfiguracja,
                                         IUzytkownik& uzytkownik, QWidget* rodzic)
    : QDialog(rodzic), FSilnik(silnik), FKonfiguracja(konfiguracja), FUzytkownik(uzytkownik)
{
    setObjectName(QStringLiteral("DodawanieStylu"));
    setWindowTitle(QStringLiteral("Dodawanie stylu do plików ST"));
    WybierzFolder = [](QWidget* okno, const QString& tytul, const QString& folder) {
        return QFileDialog::getExistingDirectory(okno, tytul, folder);
    };

    auto* szablon = new QGroupBox(this);
    szablon->setObjectName(QStringLiteral("GrupaSzablonu"));
    FSzablon = Pole(szablon, "Szablon");
    FSzablon->setReadOnly(true);
    FWybierzSzablon = Przycisk(szablon, "WybierzSzablon", QStringLiteral("Wybierz szablon"));
    FStyle = new QListWidget(szablon);
    FStyle->setObjectName(QStringLiteral("Style"));
    FWybranyStyl = Pole(szablon, "WybranyStyl");
    auto* ukladSzablonu = new QGridLayout(szablon);
    ukladSzablonu->addWidget(new QLabel(QStringLiteral("Szablon lub pliku word "), szablon), 0, 0);
    ukladSzablonu->addWidget(FSzablon, 0, 1);
    ukladSzablonu->addWidget(FWybierzSzablon, 0, 2);
    ukladSzablonu->addWidget(new QLabel(QStringLiteral("Dostępne style"), szablon), 1, 0, Qt::AlignTop);
    ukladSzablonu->addWidget(FStyle, 1, 1, 1, 2);
    ukladSzablonu->addWidget(new QLabel(QStringLiteral("Wybrany Styl"), szablon), 2, 0);
    ukladSzablonu->addWidget(FWybranyStyl, 2, 1, 1, 2);
    ukladSzablonu->setColumnStretch(1, 1);

    auto* cel = new QGroupBox(this);
    cel->setObjectName(QStringLiteral("GrupaCelu"));
    FTrybFolderu = new QRadioButton(QStringLiteral("Folder z plikami MS Word (*.doc, *.docx)"), cel);
    FTrybFolderu->setObjectName(QStringLiteral("TrybFolderu"));
    FTrybFolderu->setChecked(true);
    FFolder = Pole(cel, "Folder");
    FWybierzFolder = Przycisk(cel, "WybierzFolder", QStringLiteral("Wybierz folder"));
    FTrybPliku = new QRadioButton(QStringLiteral("Plik MS Word (*.doc, *.docx)"), cel);
    FTrybPliku->setObjectName(QStringLiteral("TrybPliku"));
    FPlik = Pole(cel, "Plik");
    FWybierzPlik = Przycisk(cel, "WybierzPlik", QStringLiteral("Wybierz plik"));
    auto* ukladCelu = new QGridLayout(cel);
    ukladCelu->addWidget(FTrybFolderu, 0, 0, 1, 2);
    ukladCelu->addWidget(FFolder, 1, 0);
    ukladCelu->addWidget(FWybierzFolder, 1, 1);
    ukladCelu->addWidget(FTrybPliku, 2, 0, 1, 2);
    ukladCelu->addWidget(FPlik, 3, 0);
    ukladCelu->addWidget(FWybierzPlik, 3, 1);
    ukladCelu->setColumnStretch(0, 1);

    FNazwaPliku = new QLabel(this);
    FNazwaPliku->setObjectName(QStringLiteral("NazwaPliku"));
    FNazwaPliku->setTextFormat(Qt::PlainText);
    FNazwaPliku->setWordWrap(true);
    FNazwaPliku->setVisible(false);
    FPostep = new QProgressBar(this);
    FPostep->setObjectName(QStringLiteral("Postep"));
    FPostep->setValue(0);
    FDopisz = Przycisk(this, "Dopisz", QStringLiteral("Dopisz wybrany"));
    FDopisz->setDefault(true);
    FAnuluj = Przycisk(this, "Anuluj", QStringLiteral("Anuluj"));
    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(FDopisz);
    przyciski->addWidget(FAnuluj);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(szablon);
    uklad->addWidget(cel);
    uklad->addWidget(FNazwaPliku);
    uklad->addWidget(FPostep);
    uklad->addLayout(przyciski);
    setMinimumWidth(560);

    connect(FWybierzSzablon, &QPushButton::clicked, this, &TDodawanieStyluForm::WybierzSzablon);
    connect(FStyle, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* pozycja) { FWybranyStyl->setText(pozycja->text()); });
    connect(FTrybFolderu, &QRadioButton::toggled, this, &TDodawanieStyluForm::Odswiez);
    connect(FWybierzFolder, &QPushButton::clicked, this, [this] {
        const QString start = FFolder->text().isEmpty() ? FKonfiguracja.GetUserPath() : FFolder->text();
        const QString folder = WybierzFolder(this, QStringLiteral("Wybierz folder z plikami MS Word"), start);
        if (!folder.isEmpty())
            FFolder->setText(folder);
    });
    connect(FWybierzPlik, &QPushButton::clicked, this, &TDodawanieStyluForm::WybierzPlik);
    connect(FDopisz, &QPushButton::clicked, this, &TDodawanieStyluForm::Dopisz);
    connect(FAnuluj, &QPushButton::clicked, this, &TDodawanieStyluForm::reject);
    Odswiez();
}

TDodawanieStyluForm::~TDodawanieStyluForm()
{
    Zatrzymaj();
}

bool TDodawanieStyluForm::CzyTrwa() const
{
    return FZadanie && FZadanie->isRunning();
}

void TDodawanieStyluForm::reject()
{
    Zatrzymaj();
    QDialog::reject();
}

void TDodawanieStyluForm::WybierzSzablon()
{
    TDialogPliku d;
    d.Tytul = QStringLiteral("Wybierz szablon");
    d.Filtr = QStringLiteral("Plik Microsoft Word (*.doc;*.docx;*.dotx)|*.doc;*.docx;*.dotx");
    d.Folder = QCoreApplication::applicationDirPath();
    const TWybranePliki wybrane = FUzytkownik.WybierzDoOtwarcia(d);
    if (wybrane.Pliki.isEmpty())
        return;
    FSzablon->setText(wybrane.Pliki.first());
    FStyle->clear();
    // The export's reader gives the names sorted and each once, letter case aside.
    TMyPath sciezka;
    sciezka.SetPath(wybrane.Pliki.first());
    QStringList style;
    try {
        TZbiorEksporterDOC(FSilnik).GetNazwyStylow({&sciezka}, style);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
    FStyle->addItems(style);
}

void TDodawanieStyluForm::WybierzPlik()
{
    TDialogPliku d;
    d.Tytul = QStringLiteral("Wybierz plik");
    d.Filtr = QStringLiteral("Plik Microsoft Word (*.doc;*.docx)|*.doc;*.docx");
    d.Folder = FPlik->text().isEmpty() ? FKonfiguracja.GetUserPath() : QFileInfo(FPlik->text()).absolutePath();
    const TWybranePliki wybrane = FUzytkownik.WybierzDoOtwarcia(d);
    if (!wybrane.Pliki.isEmpty())
        FPlik->setText(wybrane.Pliki.first());
}

void TDodawanieStyluForm::Dopisz()
{
    if (CzyTrwa()) {
        Zatrzymaj();
        return;
    }
    const bool trybFolderu = FTrybFolderu->isChecked();
    const QString blad =
        SprawdzDopisanieStylu(trybFolderu, FPlik->text(), FFolder->text(), FSzablon->text(), FWybranyStyl->text());
    if (!blad.isEmpty()) {
        FUzytkownik.PokazKomunikat(blad);
        return;
    }
    FZadanie.reset();
    FZadanie = std::make_unique<TDopiszStylDoPlikow>(
        this, FSilnik, trybFolderu ? FFolder->text() : FPlik->text(), trybFolderu, FSzablon->text(),
        FWybranyStyl->text(), [this](TExceptionMsgThread* zadanie) {
            // Shown after the wait that may be serving this call.
            const QString tekst = zadanie->ExceptionMsg();
            QMetaObject::invokeMethod(
                this, [this, tekst] { FUzytkownik.PokazKomunikat(tekst); }, Qt::QueuedConnection);
        });
    FZadanie->start();
}

void TDodawanieStyluForm::Zatrzymaj()
{
    if (!FZadanie)
        return;
    FZadanie->PoprosOZatrzymanie();
    FZadanie->Czekaj();
    FZadanie.reset();
}

void TDodawanieStyluForm::DopisywanieRozpoczete(int liczbaPlikow)
{
    FTrwa = true;
    FNazwaPliku->clear();
    FNazwaPliku->setVisible(false);
    FPostep->setRange(0, qMax(1, liczbaPlikow));
    FPostep->setValue(0);
    Odswiez();
}

void TDodawanieStyluForm::KolejnyPlik(const QString& nazwaPliku)
{
    FNazwaPliku->setText(nazwaPliku);
    FNazwaPliku->setVisible(true);
    FPostep->setValue(FPostep->value() + 1);
}

void TDodawanieStyluForm::DopisywanieZakonczone(const QString& komunikat)
{
    FTrwa = false;
    FNazwaPliku->setVisible(false);
    Odswiez();
    // The end step may run inside a wait for the job, which must not open a dialog of its own.
    QMetaObject::invokeMethod(
        this, [this, komunikat] { FUzytkownik.PokazKomunikat(komunikat); }, Qt::QueuedConnection);
}

void TDodawanieStyluForm::Odswiez()
{
    const bool folder = FTrybFolderu->isChecked();
    FTrybFolderu->setEnabled(!FTrwa);
    FTrybPliku->setEnabled(!FTrwa);
    FFolder->setEnabled(!FTrwa && folder);
    FWybierzFolder->setEnabled(!FTrwa && folder);
    FPlik->setEnabled(!FTrwa && !folder);
    FWybierzPlik->setEnabled(!FTrwa && !folder);
    FWybierzSzablon->setEnabled(!FTrwa);
    FStyle->setEnabled(!FTrwa);
    FDopisz->setText(FTrwa ? QStringLiteral("Przerwij") : QStringLiteral("Dopisz wybrany"));
}

void PokazDodawanieStylu(QWidget* rodzic, ISilnikDokumentow* silnik, TKonfiguracja& konfiguracja,
                         IUzytkownik& uzytkownik)
{
    TDodawanieStyluForm okno(silnik, konfiguracja, uzytkownik, rodzic);
    okno.exec();
}
