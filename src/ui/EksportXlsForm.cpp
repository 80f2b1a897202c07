#include "ui/EksportXlsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPushButton* Przycisk(QWidget* rodzic, const char* nazwa, const QString& napis)
{
    auto* p = new QPushButton(napis, rodzic);
    p->setObjectName(QString::fromLatin1(nazwa));
    return p;
}

QLineEdit* Edycja(QWidget* rodzic, const char* nazwa)
{
    auto* e = new QLineEdit(rodzic);
    e->setObjectName(QString::fromLatin1(nazwa));
    return e;
}

enum TKolumnaSiatki { KolNazwa = 0, KolWyswietlaj = 1, KolChroniona = 2 };

} // namespace

TEksportXlsForm::TEksportXlsForm(TEksportXlsDialogu& logika, QWidget* rodzic)
    : QDialog(rodzic), FLogika(logika), FOpcjePol(logika)
{
    setWindowTitle(QStringLiteral("Eksportuj do excela"));
    WybierzFolder = [](QWidget* r, const QString& tytul, const QString& folder) {
        return QFileDialog::getExistingDirectory(r, tytul, folder);
    };
    ZmienTytuly = [](QWidget* r, TEksportXlsDialogu& l) {
        TZmienTytulyKosztorysowForm okno(l, r);
        okno.exec();
    };

    // The check boxes first: the panels below place them by name.
    for (const auto& p : TPolaEksportuXls::Przelaczniki()) {
        auto* pole = new QCheckBox(p.Napis, this);
        pole->setObjectName(p.Id);
        FPola.insert(p.Id, pole);
        connect(pole, &QCheckBox::toggled, this, [this, id = p.Id](bool wartosc) {
            FOpcjePol.UstawPrzelacznik(id, wartosc);
            Odswiez();
        });
    }

    FTresc = new QWidget;
    auto* ukladTresci = new QHBoxLayout(FTresc);
    auto* lewa = new QVBoxLayout;
    lewa->addWidget(ZbudujPlik());
    lewa->addWidget(ZbudujKolumny(), 1);
    ukladTresci->addLayout(lewa, 1);
    FOpcje = ZbudujOpcje();
    ukladTresci->addWidget(FOpcje);

    FPrzewijanie = new QScrollArea(this);
    FPrzewijanie->setObjectName(QStringLiteral("Przewijanie"));
    FPrzewijanie->setFrameShape(QFrame::NoFrame);
    FPrzewijanie->setWidgetResizable(true);
    FPrzewijanie->setWidget(FTresc);

    FPostep = new QProgressBar(this);
    FPostep->setObjectName(QStringLiteral("Postep"));
    FDomyslne = Przycisk(this, "PrzywrocDomyslne", QStringLiteral("Przywróć domyślne"));
    FEksportuj = Przycisk(this, "Eksportuj", QStringLiteral("Eksportuj"));
    FEksportuj->setDefault(true);
    FZamknij = Przycisk(this, "Zamknij", QStringLiteral("Zamknij"));
    auto* przyciski = new QHBoxLayout;
    przyciski->addWidget(FDomyslne);
    przyciski->addStretch();
    przyciski->addWidget(FEksportuj);
    przyciski->addWidget(FZamknij);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(FPrzewijanie, 1);
    uklad->addWidget(FPostep);
    uklad->addLayout(przyciski);

    connect(FDomyslne, &QPushButton::clicked, this, [this] {
        FLogika.PrzywrocDomyslne();
        PokazWartosci();
    });
    connect(FEksportuj, &QPushButton::clicked, this, [this] { FLogika.Eksportuj(); });
    connect(FZamknij, &QPushButton::clicked, this, &TEksportXlsForm::reject);

    FLogika.OnZmiana = [this] { Odswiez(); };
    PokazWartosci();
    DopasujRozmiar();
}

TEksportXlsForm::~TEksportXlsForm()
{
    FLogika.OnZmiana = nullptr;
    FLogika.Zamknij();
}

QWidget* TEksportXlsForm::ZbudujPlik()
{
    auto* ramka = new QGroupBox(QStringLiteral("Plik"));
    auto* uklad = new QGridLayout(ramka);
    FFolder = Edycja(ramka, "Folder");
    FFolder->setMinimumWidth(300);
    FPrzegladaj = Przycisk(ramka, "Przegladaj", QStringLiteral("Przeglądaj..."));
    FPlik = Edycja(ramka, "Plik");
    FHaslo = Edycja(ramka, "Haslo");
    FHaslo->setEchoMode(QLineEdit::Password);
    FHasloPowtorzone = Edycja(ramka, "HasloPowtorzone");
    FHasloPowtorzone->setEchoMode(QLineEdit::Password);
    uklad->addWidget(new QLabel(QStringLiteral("Lokalizacja pliku:")), 0, 0);
    uklad->addWidget(FFolder, 0, 1);
    uklad->addWidget(FPrzegladaj, 0, 2);
    uklad->addWidget(new QLabel(QStringLiteral("Nazwa pliku:")), 1, 0);
    uklad->addWidget(FPlik, 1, 1, 1, 2);
    uklad->addWidget(Pole(QStringLiteral("ChronArkusz")), 2, 0, 1, 3);
    uklad->addWidget(new QLabel(QStringLiteral("Hasło:")), 3, 0);
    uklad->addWidget(FHaslo, 3, 1, 1, 2);
    uklad->addWidget(new QLabel(QStringLiteral("Powtórz hasło:")), 4, 0);
    uklad->addWidget(FHasloPowtorzone, 4, 1, 1, 2);

    connect(FFolder, &QLineEdit::textEdited, this, [this](const QString& t) { FLogika.Folder = t; });
    connect(FPlik, &QLineEdit::textEdited, this, [this](const QString& t) { FLogika.Plik = t; });
    connect(FHaslo, &QLineEdit::textEdited, this, [this](const QString& t) { FLogika.Haslo = t; });
    connect(FHasloPowtorzone, &QLineEdit::textEdited, this, [this](const QString& t) { FLogika.HasloPowtorzone = t; });
    connect(FPrzegladaj, &QPushButton::clicked, this, [this] {
        const QString folder = WybierzFolder(this, QStringLiteral("Wybierz lokalizację pliku"), FLogika.Folder);
        if (folder.isEmpty())
            return;
        FLogika.Folder = folder;
        FFolder->setText(folder);
    });
    return ramka;
}

QWidget* TEksportXlsForm::ZbudujOpcje()
{
    auto* ramka = new QGroupBox(QStringLiteral("Opcje eksportu"));
    auto* uklad = new QVBoxLayout(ramka);

    auto* tytul = new QHBoxLayout;
    tytul->addWidget(Pole(QStringLiteral("WstawTytul")));
    FTytul = new QComboBox(ramka);
    FTytul->setObjectName(QStringLiteral("Tytul"));
    FTytul->setEditable(true);
    FTytul->setMinimumWidth(280);
    tytul->addWidget(FTytul, 1);
    uklad->addLayout(tytul);

    uklad->addWidget(Pole(QStringLiteral("WstawOpis")));
    FOpis = new QPlainTextEdit(ramka);
    FOpis->setObjectName(QStringLiteral("Opis"));
    FOpis->setFixedHeight(64);
    uklad->addWidget(FOpis);
    FNaglowek = new QCheckBox(QStringLiteral("Dodaj nagłówek zestawu"), ramka);
    FNaglowek->setObjectName(QStringLiteral("NaglowekZestawu"));
    uklad->addWidget(FNaglowek);

    auto* tytuly = new QHBoxLayout;
    tytuly->addWidget(Pole(QStringLiteral("TytulyKosztorysow")));
    FUstaw = Przycisk(ramka, "Ustaw", QStringLiteral("Ustaw"));
    tytuly->addWidget(FUstaw);
    tytuly->addStretch();
    uklad->addLayout(tytuly);

    auto* zaokraglanie = new QHBoxLayout;
    zaokraglanie->addWidget(Pole(QStringLiteral("Zaokraglaj")));
    FMiejsca = new QSpinBox(ramka);
    FMiejsca->setObjectName(QStringLiteral("MiejscPoPrzecinku"));
    FMiejsca->setRange(0, 10);
    zaokraglanie->addWidget(FMiejsca);
    zaokraglanie->addStretch();
    uklad->addLayout(zaokraglanie);

    uklad->addWidget(Pole(QStringLiteral("FormulyWartosci")));
    uklad->addWidget(Pole(QStringLiteral("PodsumowanieElementow")));
    uklad->addWidget(Pole(QStringLiteral("CenyZKosztorysu")));
    uklad->addWidget(Pole(QStringLiteral("RMSj")));
    uklad->addWidget(Pole(QStringLiteral("ElementWOpisie")));
    uklad->addWidget(Pole(QStringLiteral("WariantWNrSt")));
    uklad->addWidget(Pole(QStringLiteral("PodsumowanieKoncowe")));
    auto* vat = new QHBoxLayout;
    vat->addSpacing(20);
    vat->addWidget(Pole(QStringLiteral("VatWPodsumowaniu")));
    FStawkaVat = new QSpinBox(ramka);
    FStawkaVat->setObjectName(QStringLiteral("StawkaVat"));
    FStawkaVat->setRange(0, 100);
    FStawkaVat->setSuffix(QStringLiteral(" %"));
    vat->addWidget(FStawkaVat);
    vat->addStretch();
    uklad->addLayout(vat);
    uklad->addWidget(Pole(QStringLiteral("NumeracjaStron")));
    uklad->addWidget(Pole(QStringLiteral("DataWStopce")));
    uklad->addWidget(Pole(QStringLiteral("OtworzPoEksporcie")));
    uklad->addStretch();

    connect(FTytul, &QComboBox::currentTextChanged, this, [this](const QString& t) { FOpcjePol.UstawTytul(t); });
    connect(FOpis, &QPlainTextEdit::textChanged, this, [this] { FOpcjePol.UstawOpis(FOpis->toPlainText()); });
    connect(FNaglowek, &QCheckBox::toggled, this, [this](bool w) {
        FLogika.UstawNaglowekZestawuWOpisie(w);
        const QSignalBlocker b(FOpis);
        FOpis->setPlainText(FOpcjePol.Opis());
    });
    connect(FMiejsca, &QSpinBox::valueChanged, this, [this](int w) { FOpcjePol.UstawMiejscPoPrzecinku(w); });
    connect(FStawkaVat, &QSpinBox::valueChanged, this, [this](int w) { FOpcjePol.UstawStawkeVat(w); });
    connect(FUstaw, &QPushButton::clicked, this, [this] { ZmienTytuly(this, FLogika); });
    return ramka;
}

QWidget* TEksportXlsForm::ZbudujKolumny()
{
    auto* ramka = new QGroupBox(QStringLiteral("Kolumny"));
    auto* uklad = new QVBoxLayout(ramka);
    FKolumny = new QTableWidget(0, 3, ramka);
    FKolumny->setObjectName(QStringLiteral("Kolumny"));
    FKolumny->setHorizontalHeaderLabels(
        {QStringLiteral("Kolumna"), QStringLiteral("Wyświetlaj"), QStringLiteral("Chroniona")});
    FKolumny->verticalHeader()->hide();
    FKolumny->horizontalHeader()->setSectionResizeMode(KolNazwa, QHeaderView::Stretch);
    FKolumny->horizontalHeader()->setSectionResizeMode(KolWyswietlaj, QHeaderView::ResizeToContents);
    FKolumny->horizontalHeader()->setSectionResizeMode(KolChroniona, QHeaderView::ResizeToContents);
    FKolumny->setSelectionMode(QAbstractItemView::NoSelection);
    FKolumny->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FKolumny->setMinimumHeight(200);
    uklad->addWidget(FKolumny);
    connect(FKolumny, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* element) {
        const bool zaznaczona = element->checkState() == Qt::Checked;
        if (element->column() == KolWyswietlaj)
            FOpcjePol.UstawKolumneWyswietlana(element->row(), zaznaczona);
        else if (element->column() == KolChroniona)
            FOpcjePol.UstawKolumneChroniona(element->row(), zaznaczona);
    });
    return ramka;
}

void TEksportXlsForm::DopasujRozmiar()
{
    // The content keeps its natural size unless the screen is too low; then it scrolls and the dialog
    // gets room for the scroll bar.
    const QSize tresc = FTresc->sizeHint();
    int wysokosc = tresc.height();
    int szerokosc = tresc.width();
    if (const QScreen* ekran = screen()) {
        const int reszta = FPostep->sizeHint().height() + FEksportuj->sizeHint().height() + 40;
        const int najwyzej = ekran->availableGeometry().height() - 20 - reszta;
        if (wysokosc > najwyzej) {
            wysokosc = najwyzej;
            szerokosc += 20;
        }
    }
    FPrzewijanie->setMinimumSize(szerokosc, wysokosc);
}

void TEksportXlsForm::PokazWartosci()
{
    std::vector<std::unique_ptr<QSignalBlocker>> blokady;
    for (QObject* o : std::initializer_list<QObject*>{FFolder, FPlik, FHaslo, FHasloPowtorzone, FMiejsca, FStawkaVat,
                                                      FTytul, FOpis, FNaglowek, FKolumny})
        blokady.push_back(std::make_unique<QSignalBlocker>(o));
    for (auto it = FPola.cbegin(); it != FPola.cend(); ++it) {
        const QSignalBlocker b(it.value());
        it.value()->setChecked(FOpcjePol.Przelacznik(it.key()));
    }
    FFolder->setText(FLogika.Folder);
    FPlik->setText(FLogika.Plik);
    FHaslo->setText(FLogika.Haslo);
    FHasloPowtorzone->setText(FLogika.HasloPowtorzone);
    FMiejsca->setValue(FOpcjePol.MiejscPoPrzecinku());
    FStawkaVat->setValue(FOpcjePol.StawkaVat());
    FTytul->clear();
    FTytul->addItems(FLogika.TytulyDoWyboru);
    FTytul->setCurrentText(FOpcjePol.Tytul());
    FOpis->setPlainText(FOpcjePol.Opis());
    FNaglowek->setChecked(FOpcjePol.CzyNaglowekZestawu());

    FKolumny->setRowCount(FOpcjePol.KolumnyCount());
    for (int i = 0; i < FOpcjePol.KolumnyCount(); ++i) {
        auto* nazwa = new QTableWidgetItem(FOpcjePol.KolumnaTytul(i));
        nazwa->setFlags(Qt::ItemIsEnabled);
        auto* wyswietlaj = new QTableWidgetItem;
        wyswietlaj->setFlags(FOpcjePol.CzyKolumnaOpcjonalna(i) ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable
                                                               : Qt::NoItemFlags);
        wyswietlaj->setCheckState(FOpcjePol.CzyKolumnaWyswietlana(i) ? Qt::Checked : Qt::Unchecked);
        auto* chroniona = new QTableWidgetItem;
        chroniona->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        chroniona->setCheckState(FOpcjePol.CzyKolumnaChroniona(i) ? Qt::Checked : Qt::Unchecked);
        FKolumny->setItem(i, KolNazwa, nazwa);
        FKolumny->setItem(i, KolWyswietlaj, wyswietlaj);
        FKolumny->setItem(i, KolChroniona, chroniona);
    }
    FKolumny->resizeRowsToContents();
    Odswiez();
}

void TEksportXlsForm::Odswiez()
{
    const bool zablokowany = FLogika.CzyZablokowany();
    FFolder->setEnabled(!zablokowany);
    FPrzegladaj->setEnabled(!zablokowany);
    FPlik->setEnabled(!zablokowany);
    // The running export reads the options: they stay as they are until it ends.
    FOpcje->setEnabled(!zablokowany);
    FKolumny->setEnabled(!zablokowany);
    FDomyslne->setEnabled(!zablokowany);
    Pole(QStringLiteral("ChronArkusz"))->setEnabled(!zablokowany);
    FEksportuj->setText(zablokowany ? QStringLiteral("Zatrzymaj") : QStringLiteral("Eksportuj"));

    const auto dostepny = [this](const char* id) { return FOpcjePol.CzyDostepny(QString::fromLatin1(id)); };
    FHaslo->setEnabled(!zablokowany && dostepny("Haslo"));
    FHasloPowtorzone->setEnabled(!zablokowany && dostepny("Haslo"));
    FMiejsca->setEnabled(dostepny("MiejscPoPrzecinku"));
    FTytul->setEnabled(dostepny("Tytul"));
    FOpis->setEnabled(dostepny("Opis"));
    FNaglowek->setEnabled(dostepny("NaglowekZestawu"));
    FUstaw->setEnabled(dostepny("Ustaw"));
    FStawkaVat->setEnabled(dostepny("StawkaVat"));
    for (auto it = FPola.cbegin(); it != FPola.cend(); ++it) {
        it.value()->setEnabled(it.key() == QLatin1String("ChronArkusz") ? !zablokowany
                                                                        : FOpcjePol.CzyDostepny(it.key()));
        it.value()->setVisible(FOpcjePol.CzyWidoczny(it.key()));
    }

    FPostep->setRange(0, std::max(FLogika.Maksimum(), 1));
    FPostep->setValue(std::min(FLogika.Pozycja(), FPostep->maximum()));
}

void TEksportXlsForm::reject()
{
    FLogika.Zamknij();
    QDialog::reject();
}

TZmienTytulyKosztorysowForm::TZmienTytulyKosztorysowForm(TEksportXlsDialogu& logika, QWidget* rodzic)
    : QDialog(rodzic), FLogika(logika)
{
    setWindowTitle(QStringLiteral("Zmień tytuły kosztorysów "));
    const auto wiersze = logika.TytulyKosztorysow();
    FTabela = new QTableWidget(static_cast<int>(wiersze.size()), 2, this);
    FTabela->setObjectName(QStringLiteral("Tytuly"));
    FTabela->setHorizontalHeaderLabels({QStringLiteral("Lista kosztorysów"), QStringLiteral("Tytuł w arkuszu")});
    FTabela->verticalHeader()->hide();
    FTabela->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FTabela->horizontalHeader()->setStretchLastSection(true);
    FTabela->setEditTriggers(QAbstractItemView::AllEditTriggers);
    for (int i = 0; i < static_cast<int>(wiersze.size()); ++i) {
        auto* plik = new QTableWidgetItem(wiersze[static_cast<std::size_t>(i)].Plik);
        plik->setFlags(Qt::ItemIsEnabled);
        FTabela->setItem(i, 0, plik);
        FTabela->setItem(i, 1, new QTableWidgetItem(wiersze[static_cast<std::size_t>(i)].Tytul));
    }
    FTabela->setMinimumSize(480, 200);

    auto* zastosuj = Przycisk(this, "Zastosuj", QStringLiteral("Zastosuj"));
    zastosuj->setDefault(true);
    auto* anuluj = Przycisk(this, "Anuluj", QStringLiteral("Anuluj"));
    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(zastosuj);
    przyciski->addWidget(anuluj);
    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(FTabela, 1);
    uklad->addLayout(przyciski);
    connect(zastosuj, &QPushButton::clicked, this, &TZmienTytulyKosztorysowForm::Zastosuj);
    connect(anuluj, &QPushButton::clicked, this, &QDialog::reject);
}

void TZmienTytulyKosztorysowForm::Zastosuj()
{
    // Moving the current cell away commits an open editor first.
    FTabela->setCurrentIndex(QModelIndex());
    QStringList tytuly;
    for (int i = 0; i < FTabela->rowCount(); ++i)
        tytuly << (FTabela->item(i, 1) ? FTabela->item(i, 1)->text() : QString());
    FLogika.ZastosujTytulyKosztorysow(tytuly);
    accept();
}

void PokazEksportDoArkusza(QWidget* rodzic, TEksportXlsDialogu& dialog)
{
    TEksportXlsForm okno(dialog, rodzic);
    okno.exec();
}
