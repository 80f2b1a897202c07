#include "ui/StronaTytulowaForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

TStronaTytulowaForm::TStronaTytulowaForm(bool brakSzablonuProgramu, TKonfiguracja& konfiguracja, TZestawST& zestaw,
                                         IUzytkownik& uzytkownik, QWidget* rodzic)
    : QDialog(rodzic), FLogika(brakSzablonuProgramu, konfiguracja, zestaw, uzytkownik)
{
    setObjectName(QStringLiteral("StronaTytulowa"));
    setWindowTitle(QStringLiteral("Strona tytułowa zestawu"));

    auto* grupa = new QGroupBox(QStringLiteral("Wybierz stronę tytułową dla zestawu:"), this);
    grupa->setObjectName(QStringLiteral("Wybor"));
    const auto wybor = [grupa](const char* nazwa, const QString& tekst) {
        auto* r = new QRadioButton(tekst, grupa);
        r->setObjectName(QString::fromLatin1(nazwa));
        return r;
    };
    FSzablonProgramu = wybor("SzablonProgramu", QStringLiteral("Użyj szablonu strony tytułowej programu"));
    FUtworz = wybor("UtworzZSzablonu", QStringLiteral("Utwórz plik strony tytułowej na podstawie szablonu programu"));
    FZDysku = wybor("PlikZDysku", QStringLiteral("Wybierz plik z dysku"));
    auto* przelaczniki = new QButtonGroup(this);
    przelaczniki->addButton(FSzablonProgramu, TWyborStronyTytulowej::SzablonProgramu);
    przelaczniki->addButton(FUtworz, TWyborStronyTytulowej::UtworzonyZSzablonu);
    przelaczniki->addButton(FZDysku, TWyborStronyTytulowej::PlikZDysku);
    FOtworz = new QCheckBox(QStringLiteral("Otwórz plik po utworzeniu"), grupa);
    FOtworz->setObjectName(QStringLiteral("OtworzPoUtworzeniu"));
    // Kept in the layout while hidden, so that the dialog does not jump when the choice changes.
    QSizePolicy miejsce = FOtworz->sizePolicy();
    miejsce.setRetainSizeWhenHidden(true);
    FOtworz->setSizePolicy(miejsce);
    FPlik = new QLineEdit(grupa);
    FPlik->setObjectName(QStringLiteral("Plik"));
    FPlik->setMinimumWidth(320);
    FPrzegladaj = new QPushButton(QStringLiteral("Przeglądaj..."), grupa);
    FPrzegladaj->setObjectName(QStringLiteral("Przegladaj"));
    FUstawJakoSzablon = new QCheckBox(QStringLiteral("Ustaw jako szablon"), grupa);
    FUstawJakoSzablon->setObjectName(QStringLiteral("UstawJakoSzablon"));

    // The dependent controls stand under their choice, indented like the choice's text.
    const int wciecie = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                        style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    auto* siatka = new QGridLayout(grupa);
    siatka->setColumnMinimumWidth(0, wciecie);
    siatka->setColumnStretch(1, 1);
    siatka->addWidget(FSzablonProgramu, 0, 0, 1, 3);
    siatka->addWidget(FUtworz, 1, 0, 1, 3);
    siatka->addWidget(FOtworz, 2, 1, 1, 2);
    siatka->addWidget(FZDysku, 3, 0, 1, 3);
    siatka->addWidget(FPlik, 4, 1);
    siatka->addWidget(FPrzegladaj, 4, 2);
    siatka->addWidget(FUstawJakoSzablon, 5, 1, 1, 2);

    auto* przyciski = new QDialogButtonBox(this);
    QPushButton* ok = przyciski->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* anuluj = przyciski->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("Ok"));
    anuluj->setObjectName(QStringLiteral("Anuluj"));
    ok->setDefault(true);
    connect(przyciski, &QDialogButtonBox::accepted, this, &TStronaTytulowaForm::accept);
    connect(przyciski, &QDialogButtonBox::rejected, this, &TStronaTytulowaForm::reject);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(grupa);
    uklad->addWidget(przyciski);

    connect(przelaczniki, &QButtonGroup::idToggled, this, [this](int id, bool zaznaczony) {
        if (zaznaczony) {
            FLogika.Rodzaj = static_cast<TWyborStronyTytulowej::TRodzaj>(id);
            Odswiez();
        }
    });
    connect(FPlik, &QLineEdit::textEdited, this, [this](const QString& t) { FLogika.Plik = t; });
    connect(FUstawJakoSzablon, &QCheckBox::toggled, this, [this](bool z) { FLogika.UstawJakoSzablon = z; });
    connect(FOtworz, &QCheckBox::toggled, this, [this](bool z) { FLogika.OtworzUtworzony = z; });
    connect(FPrzegladaj, &QPushButton::clicked, this, [this] {
        const bool zamknij = FLogika.Przegladaj();
        Odswiez();
        if (zamknij)
            QDialog::accept();
    });
    Odswiez();
}

void TStronaTytulowaForm::accept()
{
    if (FLogika.Ok())
        QDialog::accept();
}

void TStronaTytulowaForm::Odswiez()
{
    const TStronaTytulowaDialogu& d = FLogika;
    const QSignalBlocker c1(FSzablonProgramu), c2(FUtworz), c3(FZDysku), c4(FPlik), c5(FOtworz), c6(FUstawJakoSzablon);
    FSzablonProgramu->setChecked(d.Rodzaj == TWyborStronyTytulowej::SzablonProgramu);
    FUtworz->setChecked(d.Rodzaj == TWyborStronyTytulowej::UtworzonyZSzablonu);
    FZDysku->setChecked(d.Rodzaj == TWyborStronyTytulowej::PlikZDysku);
    FSzablonProgramu->setEnabled(d.CzySzablonProgramuDostepny());
    FUtworz->setEnabled(d.CzySzablonProgramuDostepny());
    FPlik->setText(d.Plik);
    const bool zDysku = d.Rodzaj == TWyborStronyTytulowej::PlikZDysku;
    FPlik->setEnabled(zDysku);
    FPrzegladaj->setEnabled(zDysku);
    FUstawJakoSzablon->setEnabled(d.CzyUstawJakoSzablonDostepny());
    FUstawJakoSzablon->setChecked(d.UstawJakoSzablon && d.CzyUstawJakoSzablonDostepny());
    FOtworz->setVisible(d.CzyOtworzWidoczny());
    FOtworz->setEnabled(d.CzyOtworzWidoczny());
    FOtworz->setChecked(d.OtworzUtworzony);
}

TWyborStronyTytulowej PokazStronaTytulowa(QWidget* rodzic, bool brakSzablonuProgramu, TKonfiguracja& konfiguracja,
                                          TZestawST& zestaw, IUzytkownik& uzytkownik)
{
    TStronaTytulowaForm okno(brakSzablonuProgramu, konfiguracja, zestaw, uzytkownik, rodzic);
    if (okno.exec() != QDialog::Accepted)
        return {};
    return okno.Logika().Wynik();
}
