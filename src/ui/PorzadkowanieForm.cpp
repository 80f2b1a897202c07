#include "ui/PorzadkowanieForm.h"

#include "ui/Komunikaty.h"
#include "workflow/PorzadkowanieDialogu.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

TPorzadkowanieForm::TPorzadkowanieForm(TPorzadkowanieDialogu& dialog, QWidget* rodzic)
    : QDialog(rodzic), FDialog(dialog), FZegar(new QTimer(this))
{
    setObjectName(QStringLiteral("Porzadkowanie"));
    setWindowTitle(QStringLiteral("Porządkowanie  specyfikacji"));
    WybierzFolder = [](QWidget* okno, const QString& folder) {
        return QFileDialog::getExistingDirectory(okno, QStringLiteral("Folder docelowy:"), folder);
    };
    PokazBlad = PokazKomunikatOkna;

    FFolder = new QLineEdit(this);
    FFolder->setObjectName(QStringLiteral("Folder"));
    FPrzegladaj = new QPushButton(QStringLiteral("Przeglądaj..."), this);
    FPrzegladaj->setObjectName(QStringLiteral("Przegladaj"));
    auto* cel = new QHBoxLayout;
    cel->addWidget(new QLabel(QStringLiteral("Folder docelowy:"), this));
    cel->addWidget(FFolder, 1);
    cel->addWidget(FPrzegladaj);

    auto* opcje = new QGroupBox(this);
    opcje->setObjectName(QStringLiteral("Opcje"));
    const auto wybor = [opcje](const char* nazwa, const QString& tekst) {
        auto* r = new QRadioButton(tekst, opcje);
        r->setObjectName(QString::fromLatin1(nazwa));
        return r;
    };
    FPlaska = wybor("Plaska", QStringLiteral("Stwórz płaską strukturę plików (umieszcza wszystkie znalezione pliki "
                                             "we wskazanym folderze)"));
    FNumer =
        wybor("DrzewoNumer", QStringLiteral("Stwórz strukturę drzewiastą - Numer specyfikacji jako nazwa folderu"));
    FNumerIOpis = wybor("DrzewoNumerIOpis",
                        QStringLiteral("Stwórz strukturę drzewiastą - Numer i opis specyfikacji jako nazwa folderu"));
    auto* grupa = new QButtonGroup(this);
    grupa->addButton(FNumer, TOpcjePorzadkowania::StrukturaNumer);
    grupa->addButton(FNumerIOpis, TOpcjePorzadkowania::StrukturaNumerIOpis);
    grupa->addButton(FPlaska, TOpcjePorzadkowania::StrukturaPlaska);
    FNadpisuj = new QCheckBox(QStringLiteral("Nadpisuj istniejące pliki"), opcje);
    FNadpisuj->setObjectName(QStringLiteral("Nadpisuj"));
    FAktualizuj = new QCheckBox(QStringLiteral("Aktualizuj ścieżki po skopiowaniu"), opcje);
    FAktualizuj->setObjectName(QStringLiteral("Aktualizuj"));
    auto* ukladOpcji = new QVBoxLayout(opcje);
    ukladOpcji->addWidget(FPlaska);
    ukladOpcji->addWidget(FNumer);
    ukladOpcji->addWidget(FNumerIOpis);
    ukladOpcji->addSpacing(6);
    ukladOpcji->addWidget(FNadpisuj);
    ukladOpcji->addWidget(FAktualizuj);

    FStatus = new QLabel(this);
    FStatus->setObjectName(QStringLiteral("Status"));
    FStatus->setTextFormat(Qt::PlainText);
    FStatus->setWordWrap(true);
    FPostep = new QProgressBar(this);
    FPostep->setObjectName(QStringLiteral("Postep"));
    FRaport = new QPlainTextEdit(this);
    FRaport->setObjectName(QStringLiteral("Raport"));
    FRaport->setReadOnly(true);
    FRaport->setMinimumHeight(140);
    FRaport->setVisible(false);
    FDomyslne = new QPushButton(QStringLiteral("Przywróc domyślne"), this);
    FDomyslne->setObjectName(QStringLiteral("PrzywrocDomyslne"));
    FStart = new QPushButton(QStringLiteral("Start"), this);
    FStart->setObjectName(QStringLiteral("Start"));
    FStart->setDefault(true);
    FZamknij = new QPushButton(QStringLiteral("Zamknij"), this);
    FZamknij->setObjectName(QStringLiteral("Zamknij"));
    auto* przyciski = new QHBoxLayout;
    przyciski->addWidget(FDomyslne);
    przyciski->addStretch();
    przyciski->addWidget(FStart);
    przyciski->addWidget(FZamknij);

    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(cel);
    uklad->addWidget(opcje);
    uklad->addWidget(FStatus);
    uklad->addWidget(FPostep);
    uklad->addWidget(FRaport, 1);
    uklad->addLayout(przyciski);

    TOpcjePorzadkowania& o = FDialog.Opcje;
    connect(FFolder, &QLineEdit::textEdited, this, [&o](const QString& t) { o.FolderDocelowy = t; });
    connect(FPrzegladaj, &QPushButton::clicked, this, [this] {
        const QString folder = WybierzFolder(this, FDialog.Opcje.FolderDocelowy);
        if (!folder.isEmpty()) {
            FDialog.Opcje.FolderDocelowy = folder;
            PokazOpcje();
        }
    });
    connect(grupa, &QButtonGroup::idToggled, this, [&o](int id, bool zaznaczony) {
        if (zaznaczony)
            o.Struktura = id;
    });
    connect(FNadpisuj, &QCheckBox::toggled, this, [&o](bool z) { o.Nadpisuj = z; });
    connect(FAktualizuj, &QCheckBox::toggled, this, [&o](bool z) { o.Aktualizuj = z; });
    connect(FDomyslne, &QPushButton::clicked, this, [this] {
        FDialog.PrzywrocDomyslne();
        PokazOpcje();
    });
    connect(FStart, &QPushButton::clicked, this, [this] {
        if (FDialog.CzyTrwa()) {
            FDialog.Stop();
            return;
        }
        FRaport->clear();
        FRaport->setVisible(false);
        FDialog.Start();
        FZegar->start();
        Odswiez();
    });
    connect(FZamknij, &QPushButton::clicked, this, &TPorzadkowanieForm::reject);
    FZegar->setInterval(50);
    connect(FZegar, &QTimer::timeout, this, &TPorzadkowanieForm::Sprawdz);

    FDialog.OnZmiana = [this] { Odswiez(); };
    PokazOpcje();
}

TPorzadkowanieForm::~TPorzadkowanieForm()
{
    // The job's last calls must not reach widgets being destroyed.
    FDialog.OnZmiana = nullptr;
    FDialog.Zamknij();
}

void TPorzadkowanieForm::reject()
{
    FZegar->stop();
    FDialog.OnZmiana = nullptr;
    FDialog.Zamknij();
    QDialog::reject();
}

void TPorzadkowanieForm::PokazOpcje()
{
    const TOpcjePorzadkowania& o = FDialog.Opcje;
    const QSignalBlocker c1(FFolder), c2(FNadpisuj), c3(FAktualizuj), c4(FPlaska), c5(FNumer), c6(FNumerIOpis);
    FFolder->setText(o.FolderDocelowy);
    FPlaska->setChecked(o.Struktura == TOpcjePorzadkowania::StrukturaPlaska);
    FNumer->setChecked(o.Struktura == TOpcjePorzadkowania::StrukturaNumer);
    FNumerIOpis->setChecked(o.Struktura == TOpcjePorzadkowania::StrukturaNumerIOpis);
    FNadpisuj->setChecked(o.Nadpisuj);
    FAktualizuj->setChecked(o.Aktualizuj);
    Odswiez();
}

void TPorzadkowanieForm::Odswiez()
{
    const bool trwa = FDialog.CzyTrwa();
    FPrzegladaj->setEnabled(!trwa);
    FFolder->setEnabled(!trwa);
    FDomyslne->setEnabled(!trwa);
    for (QWidget* w : std::initializer_list<QWidget*>{FPlaska, FNumer, FNumerIOpis, FNadpisuj, FAktualizuj})
        w->setEnabled(!trwa);
    FStart->setText(trwa ? QStringLiteral("Stop") : QStringLiteral("Start"));
    FPostep->setRange(0, qMax(1, FDialog.Maksimum()));
    FPostep->setValue(FDialog.Pozycja());
    FStatus->setText(FDialog.Status());
}

void TPorzadkowanieForm::Sprawdz()
{
    if (FDialog.CzyTrwa())
        return;
    FZegar->stop();
    FDialog.Czekaj();
    Odswiez();
    if (!FDialog.Raport().isEmpty()) {
        FRaport->setPlainText(FDialog.Raport().join(QLatin1Char('\n')));
        FRaport->setVisible(true);
    }
    if (!FDialog.Blad().isEmpty() && PokazBlad)
        PokazBlad(this, FDialog.Blad());
}

void PokazPorzadkowanie(QWidget* rodzic, TPorzadkowanieDialogu& dialog)
{
    TPorzadkowanieForm okno(dialog, rodzic);
    okno.exec();
}
