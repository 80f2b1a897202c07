#include "ui/EksportDokumentuForm.h"
#include "ui/UstawieniaStronyForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QCheckBox* Pole(QWidget* rodzic, const char* nazwa, const QString& tekst)
{
    auto* pole = new QCheckBox(tekst, rodzic);
    pole->setObjectName(QString::fromLatin1(nazwa));
    return pole;
}

} // namespace

TEksportDokumentuForm::TEksportDokumentuForm(TZestawST& zestaw, const TListaPlikowEksportu& pliki,
                                             TZbiorEksporter& eksporter, TKonfiguracja& konfiguracja,
                                             IUzytkownik& uzytkownik, QWidget* rodzic)
    : QDialog(rodzic),
      FLogika(std::make_unique<TEksportDokumentuDialogu>(zestaw, pliki, eksporter, konfiguracja, uzytkownik))
{
    setObjectName(QStringLiteral("EksportDokumentu"));
    setWindowTitle(QStringLiteral("Eksportuj pliki specyfikacji"));
    WybierzFolder = [](QWidget* okno, const QString& tytul, const QString& folder) {
        return QFileDialog::getExistingDirectory(okno, tytul, folder);
    };
    EdytujMarginesy = PokazUstawieniaStrony;

    FFolder = new QLineEdit(this);
    FFolder->setObjectName(QStringLiteral("Folder"));
    FPrzegladaj = new QPushButton(QStringLiteral("Przeglądaj..."), this);
    FPrzegladaj->setObjectName(QStringLiteral("Przegladaj"));
    FNazwa = new QLineEdit(this);
    FNazwa->setObjectName(QStringLiteral("Nazwa"));
    auto* cel = new QGridLayout;
    cel->addWidget(new QLabel(QStringLiteral("Folder docelowy:"), this), 0, 0);
    cel->addWidget(FFolder, 0, 1);
    cel->addWidget(FPrzegladaj, 0, 2);
    cel->addWidget(new QLabel(QStringLiteral("Nazwa pliku:"), this), 1, 0);
    cel->addWidget(FNazwa, 1, 1, 1, 2);

    auto* opcje = new QGroupBox(QStringLiteral("Opcje eksportu"), this);
    opcje->setObjectName(QStringLiteral("Opcje"));
    FOtworz = Pole(opcje, "OtworzPoUtworzeniu", QStringLiteral("Otwórz plik po utworzeniu"));
    FDrukDwustronny = Pole(opcje, "DrukDwustronny", QStringLiteral("Wydruk dwustronny stopki"));
    FListaSt = Pole(opcje, "ListaSt", QStringLiteral("Wstaw listę ST do Wymagań Ogólnych"));
    FStylWNaglowku =
        Pole(opcje, "StylWNaglowku", QStringLiteral("Wstaw odwołanie do stylu tekstu w nagłówku dokumentu"));
    FStyl = new QComboBox(opcje);
    FStyl->setObjectName(QStringLiteral("Styl"));
    FStyl->setEditable(true);
    FStyl->setInsertPolicy(QComboBox::NoInsert);
    FStyl->setMinimumContentsLength(24);
    FLinkStylow = new QLabel(opcje);
    FLinkStylow->setObjectName(QStringLiteral("PobierzStyle"));
    FLinkStylow->setTextFormat(Qt::RichText);
    FLinkStylow->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    FWeryfikujStyl = Pole(opcje, "WeryfikujStyl", QStringLiteral("Weryfikuj wybrany styl przed eksportem"));
    FUstawMarginesy = Pole(opcje, "UstawMarginesy", QStringLiteral("Ustaw marginesy"));
    FMarginesy = new QPushButton(QStringLiteral("Marginesy"), opcje);
    FMarginesy->setObjectName(QStringLiteral("Marginesy"));
    auto* styl = new QHBoxLayout;
    styl->setContentsMargins(20, 0, 0, 0);
    styl->addWidget(FStyl, 1);
    styl->addWidget(FLinkStylow);
    auto* weryfikuj = new QHBoxLayout;
    weryfikuj->setContentsMargins(20, 0, 0, 0);
    weryfikuj->addWidget(FWeryfikujStyl);
    auto* marginesy = new QHBoxLayout;
    marginesy->addWidget(FUstawMarginesy);
    marginesy->addWidget(FMarginesy);
    marginesy->addStretch();
    auto* ukladOpcji = new QVBoxLayout(opcje);
    ukladOpcji->addWidget(FOtworz);
    ukladOpcji->addWidget(FDrukDwustronny);
    ukladOpcji->addWidget(FListaSt);
    ukladOpcji->addWidget(FStylWNaglowku);
    ukladOpcji->addLayout(styl);
    ukladOpcji->addLayout(weryfikuj);
    ukladOpcji->addLayout(marginesy);

    FStatus = new QLabel(this);
    FStatus->setObjectName(QStringLiteral("Status"));
    FStatus->setTextFormat(Qt::PlainText);
    FStatus->setWordWrap(true);
    FPostep = new QProgressBar(this);
    FPostep->setObjectName(QStringLiteral("Postep"));
    FStart = new QPushButton(this);
    FStart->setObjectName(QStringLiteral("Start"));
    FStart->setDefault(true);
    FZamknij = new QPushButton(QStringLiteral("Zamknij"), this);
    FZamknij->setObjectName(QStringLiteral("Zamknij"));
    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(FStart);
    przyciski->addWidget(FZamknij);

    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(cel);
    uklad->addWidget(opcje);
    uklad->addWidget(FStatus);
    uklad->addWidget(FPostep);
    uklad->addLayout(przyciski);
    setMinimumWidth(560);

    TEksportDokumentuDialogu& d = *FLogika;
    connect(FFolder, &QLineEdit::textEdited, this, [&d](const QString& t) { d.Folder = t; });
    connect(FNazwa, &QLineEdit::textEdited, this, [&d](const QString& t) { d.Nazwa = t; });
    connect(FPrzegladaj, &QPushButton::clicked, this, [this] {
        FLogika->Przegladaj(WybierzFolder(this, QStringLiteral("Wskaż folder na pliki użytkownika"), FLogika->Folder));
        PokazWartosci();
    });
    const auto pole = [this](QCheckBox* box, bool TEksportDokumentuDialogu::*wartosc) {
        connect(box, &QCheckBox::toggled, this, [this, wartosc](bool zaznaczony) {
            (*FLogika).*wartosc = zaznaczony;
            Odswiez();
        });
    };
    pole(FOtworz, &TEksportDokumentuDialogu::CzyOtworzPoUtworzeniu);
    pole(FDrukDwustronny, &TEksportDokumentuDialogu::CzyDrukDwustronny);
    pole(FListaSt, &TEksportDokumentuDialogu::CzyWstawListeSt);
    pole(FStylWNaglowku, &TEksportDokumentuDialogu::CzyStylWNaglowku);
    pole(FWeryfikujStyl, &TEksportDokumentuDialogu::CzyWeryfikujStyl);
    pole(FUstawMarginesy, &TEksportDokumentuDialogu::CzyUstawMarginesy);
    connect(FStyl, &QComboBox::editTextChanged, this, [&d](const QString& t) { d.NazwaStylu = t; });
    connect(FLinkStylow, &QLabel::linkActivated, this, [this] { FLogika->PobierzStyle(); });
    connect(FMarginesy, &QPushButton::clicked, this, [this] {
        if (const std::optional<TMarginesy> m = EdytujMarginesy(this, FLogika->Marginesy))
            FLogika->Marginesy = *m;
    });
    connect(FStart, &QPushButton::clicked, this, [this] { FLogika->Start(); });
    connect(FZamknij, &QPushButton::clicked, this, &TEksportDokumentuForm::reject);

    d.OnZmiana = [this] { Odswiez(); };
    d.OnKoniec = [this] { accept(); };
    d.OnStyle = [this](const QStringList& style) { PokazStyle(style); };
    PokazWartosci();
}

TEksportDokumentuForm::~TEksportDokumentuForm()
{
    // The logic's last calls (a stopped job's end) must not reach widgets being destroyed.
    FLogika->OnZmiana = nullptr;
    FLogika->OnKoniec = nullptr;
    FLogika->OnStyle = nullptr;
    FLogika->Zamknij();
}

void TEksportDokumentuForm::reject()
{
    FLogika->Zamknij();
    QDialog::reject();
}

void TEksportDokumentuForm::PokazWartosci()
{
    const TEksportDokumentuDialogu& d = *FLogika;
    const auto ustaw = [](QCheckBox* box, bool wartosc) {
        const QSignalBlocker cicho(box);
        box->setChecked(wartosc);
    };
    {
        const QSignalBlocker cicho(FFolder);
        FFolder->setText(d.Folder);
    }
    {
        const QSignalBlocker cicho(FNazwa);
        FNazwa->setText(d.Nazwa);
    }
    ustaw(FOtworz, d.CzyOtworzPoUtworzeniu);
    ustaw(FDrukDwustronny, d.CzyDrukDwustronny);
    ustaw(FListaSt, d.CzyWstawListeSt);
    ustaw(FStylWNaglowku, d.CzyStylWNaglowku);
    ustaw(FWeryfikujStyl, d.CzyWeryfikujStyl);
    ustaw(FUstawMarginesy, d.CzyUstawMarginesy);
    {
        const QSignalBlocker cicho(FStyl);
        FStyl->setEditText(d.NazwaStylu);
    }
    Odswiez();
}

void TEksportDokumentuForm::Odswiez()
{
    const TEksportDokumentuDialogu& d = *FLogika;
    FFolder->setEnabled(d.CzyPolaDostepne());
    FNazwa->setEnabled(d.CzyPolaDostepne());
    FPrzegladaj->setEnabled(d.CzyPrzegladajDostepny());
    FOtworz->setVisible(d.CzyOtworzWidoczny());
    FOtworz->setEnabled(d.CzyOtworzDostepny());
    FDrukDwustronny->setEnabled(d.CzyDrukDwustronnyDostepny());
    FListaSt->setEnabled(d.CzyPolaDostepne());
    FStylWNaglowku->setEnabled(d.CzyStylWNaglowkuDostepny());
    FStyl->setEnabled(d.CzyPolaStyluDostepne());
    FWeryfikujStyl->setEnabled(d.CzyPolaStyluDostepne());
    FLinkStylow->setEnabled(d.CzyLinkStylowDostepny());
    // A link without a target is no link to the label.
    FLinkStylow->setText(
        QString(d.TekstLinkuStylow()).replace(QStringLiteral("<a>"), QStringLiteral("<a href=\"#\">")));
    FUstawMarginesy->setEnabled(d.CzyUstawMarginesyDostepne());
    FMarginesy->setEnabled(d.CzyPrzyciskMarginesowDostepny());
    FStatus->setText(d.Status());
    FPostep->setRange(0, qMax(1, d.Maksimum()));
    FPostep->setValue(d.Pozycja());
    FStart->setText(d.TekstStartu());
    FStart->setEnabled(d.CzyStartDostepny());
}

void TEksportDokumentuForm::PokazStyle(const QStringList& style)
{
    {
        const QSignalBlocker cicho(FStyl);
        FStyl->clear();
        FStyl->addItems(style);
        FStyl->setEditText(FLogika->NazwaStylu);
    }
    if (!style.isEmpty() && FStyl->isVisible())
        FStyl->showPopup();
}

std::optional<TUstawieniaEksportuZestawu> PokazEksportDokumentu(QWidget* rodzic, TZestawST& zestaw,
                                                                const TListaPlikowEksportu& pliki,
                                                                TZbiorEksporter& eksporter, TKonfiguracja& konfiguracja,
                                                                IUzytkownik& uzytkownik)
{
    TEksportDokumentuForm okno(zestaw, pliki, eksporter, konfiguracja, uzytkownik, rodzic);
    if (okno.exec() != QDialog::Accepted)
        return std::nullopt;
    return okno.Logika().Wynik();
}
