#include "ui/RozpakujArchiwumForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TRozpakujArchiwumForm::TRozpakujArchiwumForm(bool czyZestaw, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik,
                                             QWidget* rodzic)
    : QDialog(rodzic), FUzytkownik(uzytkownik),
      FLogika(std::make_unique<TRozpakowanieDialogu>(czyZestaw, konfiguracja, uzytkownik))
{
    setWindowTitle(QStringLiteral("Rozpakuj archiwum"));
    WybierzFolder = [](QWidget* r, const QString& tytul, const QString& folder) {
        return QFileDialog::getExistingDirectory(r, tytul, folder);
    };

    auto* uklad = new QVBoxLayout(this);
    auto* pola = new QGridLayout;
    auto* etykietaArchiwum = new QLabel(QStringLiteral("Plik archiwum:"), this);
    FArchiwum = new QLineEdit(this);
    FArchiwum->setObjectName(QStringLiteral("Archiwum"));
    FArchiwum->setMinimumWidth(380);
    FPrzegladajArchiwum = new QPushButton(QStringLiteral("Przeglądaj..."), this);
    FPrzegladajArchiwum->setObjectName(QStringLiteral("PrzegladajArchiwum"));
    auto* etykietaFolderu = new QLabel(QStringLiteral("Folder docelowy:"), this);
    FFolder = new QLineEdit(this);
    FFolder->setObjectName(QStringLiteral("Folder"));
    FPrzegladajFolder = new QPushButton(QStringLiteral("Przeglądaj..."), this);
    FPrzegladajFolder->setObjectName(QStringLiteral("PrzegladajFolder"));
    pola->addWidget(etykietaArchiwum, 0, 0);
    pola->addWidget(FArchiwum, 0, 1);
    pola->addWidget(FPrzegladajArchiwum, 0, 2);
    pola->addWidget(etykietaFolderu, 1, 0);
    pola->addWidget(FFolder, 1, 1);
    pola->addWidget(FPrzegladajFolder, 1, 2);
    uklad->addLayout(pola);

    FNadpisuj = new QCheckBox(QStringLiteral("Nadpisuj istniejące pliki"), this);
    FNadpisuj->setObjectName(QStringLiteral("Nadpisuj"));
    uklad->addWidget(FNadpisuj);

    auto* ramka = new QGroupBox(QStringLiteral("Struktura folderów specyfikacji"), this);
    auto* ukladRamki = new QVBoxLayout(ramka);
    const QString napisy[3] = {
        QStringLiteral("Stwórz strukturę drzewiastą - Numer specyfikacji jako nazwa folderu"),
        QStringLiteral("Stwórz strukturę drzewiastą - Numer i opis specyfikacji jako nazwa folderu"),
        QStringLiteral("Stwórz płaską strukturę plików (umieszcza wszystkie znalezione pliki we wskazanym folderze)"),
    };
    auto* grupa = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        FStruktury[i] = new QRadioButton(napisy[i], ramka);
        FStruktury[i]->setObjectName(QStringLiteral("Struktura%1").arg(i));
        grupa->addButton(FStruktury[i], i);
        ukladRamki->addWidget(FStruktury[i]);
    }
    uklad->addWidget(ramka);

    FOtworz = new QCheckBox(FLogika->NapisOtworz(), this);
    FOtworz->setObjectName(QStringLiteral("Otworz"));
    uklad->addWidget(FOtworz);

    FPostep = new QProgressBar(this);
    FPostep->setObjectName(QStringLiteral("Postep"));
    FPostep->setTextVisible(false);
    uklad->addWidget(FPostep);

    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    FRozpakuj = new QPushButton(QStringLiteral("Rozpakuj"), this);
    FRozpakuj->setObjectName(QStringLiteral("Rozpakuj"));
    FRozpakuj->setDefault(true);
    FZamknij = new QPushButton(QStringLiteral("Anuluj"), this);
    FZamknij->setObjectName(QStringLiteral("Anuluj"));
    przyciski->addWidget(FRozpakuj);
    przyciski->addWidget(FZamknij);
    uklad->addLayout(przyciski);

    connect(FArchiwum, &QLineEdit::textEdited, this, [this](const QString& t) { FLogika->Archiwum = t; });
    connect(FFolder, &QLineEdit::textEdited, this, [this](const QString& t) { FLogika->Folder = t; });
    connect(FNadpisuj, &QCheckBox::toggled, this, [this](bool w) { FLogika->CzyNadpisuj = w; });
    connect(FOtworz, &QCheckBox::toggled, this, [this](bool w) { FLogika->CzyOtworz = w; });
    connect(grupa, &QButtonGroup::idToggled, this, [this](int id, bool w) {
        if (w)
            FLogika->Struktura = id;
    });
    connect(FPrzegladajArchiwum, &QPushButton::clicked, this, [this] {
        const TWybranePliki wybor = FUzytkownik.WybierzDoOtwarcia(FLogika->DialogArchiwum());
        if (wybor.Pliki.isEmpty())
            return;
        UstawArchiwum(wybor.Pliki.first());
    });
    connect(FPrzegladajFolder, &QPushButton::clicked, this, [this] {
        const QString folder = WybierzFolder(this, TRozpakowanieDialogu::TytulFolderu(), FLogika->Folder);
        if (folder.isEmpty())
            return;
        FLogika->Folder = folder;
        FLogika->CzytajZnacznik();
        PokazWartosci();
    });
    connect(FRozpakuj, &QPushButton::clicked, this, [this] { FLogika->Rozpakuj(); });
    connect(FZamknij, &QPushButton::clicked, this, &TRozpakujArchiwumForm::reject);

    FLogika->OnZmiana = [this] { Odswiez(); };
    FLogika->OnKoniec = [this] { accept(); };
    PokazWartosci();
    Odswiez();
}

TRozpakujArchiwumForm::~TRozpakujArchiwumForm()
{
    FLogika->OnZmiana = nullptr;
    FLogika->OnKoniec = nullptr;
    FLogika->Zamknij();
}

void TRozpakujArchiwumForm::UstawArchiwum(const QString& archiwum)
{
    FLogika->Archiwum = archiwum;
    FLogika->CzytajZnacznik();
    PokazWartosci();
}

void TRozpakujArchiwumForm::PokazWartosci()
{
    const QSignalBlocker b1(FArchiwum), b2(FFolder), b3(FNadpisuj), b4(FOtworz);
    FArchiwum->setText(FLogika->Archiwum);
    FFolder->setText(FLogika->Folder);
    FNadpisuj->setChecked(FLogika->CzyNadpisuj);
    FOtworz->setChecked(FLogika->CzyOtworz);
    const int s = FLogika->Struktura;
    if (s >= 0 && s < 3)
        FStruktury[s]->setChecked(true);
}

void TRozpakujArchiwumForm::Odswiez()
{
    const bool trwa = FLogika->CzyTrwa();
    FRozpakuj->setText(trwa ? QStringLiteral("Zatrzymaj") : QStringLiteral("Rozpakuj"));
    for (QWidget* w : std::initializer_list<QWidget*>{FArchiwum, FPrzegladajArchiwum, FFolder, FPrzegladajFolder,
                                                      FNadpisuj, FStruktury[0], FStruktury[1], FStruktury[2]})
        w->setEnabled(!trwa);
    // Busy until the first file tells how many there are.
    const int maksimum = trwa ? FLogika->Maksimum() : 1;
    FPostep->setRange(0, maksimum);
    FPostep->setValue(trwa ? qMin(FLogika->Pozycja(), maksimum) : 0);
    if (FLogika->Struktura >= 0 && FLogika->Struktura < 3 && !FStruktury[FLogika->Struktura]->isChecked()) {
        const QSignalBlocker b(FStruktury[FLogika->Struktura]);
        FStruktury[FLogika->Struktura]->setChecked(true);
    }
}

void TRozpakujArchiwumForm::reject()
{
    FLogika->Zamknij();
    QDialog::reject();
}

QString PokazRozpakujArchiwum(QWidget* rodzic, bool czyZestaw, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik,
                              const QString& archiwum)
{
    TRozpakujArchiwumForm okno(czyZestaw, konfiguracja, uzytkownik, rodzic);
    if (!archiwum.isEmpty())
        okno.UstawArchiwum(archiwum);
    if (okno.exec() != QDialog::Accepted || !okno.Logika().CzyOtworz)
        return {};
    return okno.Logika().Wynik();
}
