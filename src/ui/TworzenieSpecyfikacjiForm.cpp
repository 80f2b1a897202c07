#include "ui/TworzenieSpecyfikacjiForm.h"

#include "app/TabeleKodow.h"
#include "app/Wyjatki.h"
#include "docs/GenerowanieDokumentu.h"
#include "docs/ZbiorEksporter.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/KonfiguracjaZestawu.h"
#include "ui/KodyCpv.h"
#include "workflow/TworzenieSpecyfikacjiDialogu.h"
#include "workflow/Uzytkownik.h"
#include "zestaw/ZestawST.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QTableWidget* Siatka(const QString& nazwa, const QString& kolumna0, const QString& kolumna1, QWidget* rodzic)
{
    auto* siatka = new QTableWidget(0, 2, rodzic);
    siatka->setObjectName(nazwa);
    siatka->setHorizontalHeaderLabels({kolumna0, kolumna1});
    siatka->horizontalHeader()->setStretchLastSection(true);
    siatka->setColumnWidth(0, 130);
    siatka->verticalHeader()->hide();
    siatka->setSelectionBehavior(QAbstractItemView::SelectRows);
    siatka->setSelectionMode(QAbstractItemView::SingleSelection);
    siatka->setMinimumHeight(110);
    return siatka;
}

// The unit's name is typed or chosen from the program's unit table.
class TEdytorNazwyJm : public QStyledItemDelegate
{
public:
    TEdytorNazwyJm(QStringList nazwy, QObject* rodzic) : QStyledItemDelegate(rodzic), FNazwy(std::move(nazwy)) {}

    QWidget* createEditor(QWidget* rodzic, const QStyleOptionViewItem& opcje, const QModelIndex& indeks) const override
    {
        if (indeks.column() != 0 || FNazwy.isEmpty())
            return QStyledItemDelegate::createEditor(rodzic, opcje, indeks);
        auto* lista = new QComboBox(rodzic);
        lista->setObjectName(QStringLiteral("NazwaJm"));
        lista->setEditable(true);
        lista->setInsertPolicy(QComboBox::NoInsert);
        lista->addItems(FNazwy);
        return lista;
    }
    void setEditorData(QWidget* edytor, const QModelIndex& indeks) const override
    {
        if (auto* lista = qobject_cast<QComboBox*>(edytor))
            lista->setCurrentText(indeks.data(Qt::EditRole).toString());
        else
            QStyledItemDelegate::setEditorData(edytor, indeks);
    }
    void setModelData(QWidget* edytor, QAbstractItemModel* model, const QModelIndex& indeks) const override
    {
        if (auto* lista = qobject_cast<QComboBox*>(edytor))
            model->setData(indeks, lista->currentText().trimmed(), Qt::EditRole);
        else
            QStyledItemDelegate::setModelData(edytor, model, indeks);
    }

private:
    QStringList FNazwy;
};

QStringList NazwyJednostek()
{
    QStringList nazwy;
    for (const QString& nazwa : WczytajKodyJednostek())
        if (!nazwa.trimmed().isEmpty() && !nazwy.contains(nazwa.trimmed()))
            nazwy << nazwa.trimmed();
    return nazwy;
}

QToolButton* MalyPrzycisk(const QString& nazwa, const QString& tekst, const QString& podpowiedz, QWidget* rodzic)
{
    auto* p = new QToolButton(rodzic);
    p->setObjectName(nazwa);
    p->setText(tekst);
    p->setToolTip(podpowiedz);
    return p;
}

} // namespace

TTworzenieSpecyfikacjiForm::TTworzenieSpecyfikacjiForm(TTworzenieSpecyfikacjiDialogu& logika, QWidget* rodzic)
    : QDialog(rodzic), FLogika(logika)
{
    setObjectName(QStringLiteral("TworzenieSpecyfikacji"));
    setWindowTitle(QStringLiteral("Tworzenie Specyfikacji"));
    WybierzFolder = [](QWidget* okno, const QString& tytul, const QString& folder) {
        return QFileDialog::getExistingDirectory(okno, tytul, folder);
    };
    WybierzKodyCpv = [](QWidget* okno, TListaKodowCpv& kody) {
        return TKodyCpv(kody, okno).exec() == QDialog::Accepted;
    };
    auto* uklad = new QVBoxLayout(this);

    // The new specification: its number as given and its title on the list.
    auto* dane = new QFormLayout;
    FNumer = new QLineEdit(FLogika.Numer(), this);
    FNumer->setObjectName(QStringLiteral("Numer"));
    FNumer->setReadOnly(true);
    dane->addRow(QStringLiteral("Numer specyfikacji"), FNumer);
    FTytulNaLiscie = new QLineEdit(FLogika.TytulNaLiscie(), this);
    FTytulNaLiscie->setObjectName(QStringLiteral("TytulNaLiscie"));
    dane->addRow(QStringLiteral("Tytuł specyfikacji  na Liście ST"), FTytulNaLiscie);
    uklad->addLayout(dane);

    auto* podstawa = new QGroupBox(QStringLiteral("Stwórz specyfikację na podstawie "), this);
    podstawa->setObjectName(QStringLiteral("Podstawa"));
    auto* ukladPodstawy = new QGridLayout(podstawa);
    FSzablon = new QRadioButton(QStringLiteral("Szablonu"), podstawa);
    FSzablon->setObjectName(QStringLiteral("Szablonu"));
    FIstniejaca = new QRadioButton(QStringLiteral("Istniejącej specyfikacji"), podstawa);
    FIstniejaca->setObjectName(QStringLiteral("IstniejacejSpecyfikacji"));
    auto* rodzaje = new QHBoxLayout;
    rodzaje->addWidget(FSzablon);
    rodzaje->addWidget(FIstniejaca);
    rodzaje->addStretch();
    ukladPodstawy->addLayout(rodzaje, 0, 0, 1, 2);
    FPodstawy = new QComboBox(podstawa);
    FPodstawy->setObjectName(QStringLiteral("Podstawy"));
    FPodstawy->setPlaceholderText(QStringLiteral("Wybierz szablon"));
    FPodstawy->setMinimumContentsLength(40);
    FPodstawy->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ukladPodstawy->addWidget(FPodstawy, 1, 0);
    FInnySpis =
        MalyPrzycisk(QStringLiteral("InnySpis"), QStringLiteral("..."), QStringLiteral("Wybierz Listę ST"), podstawa);
    ukladPodstawy->addWidget(FInnySpis, 1, 1);
    ukladPodstawy->setColumnStretch(0, 1);
    uklad->addWidget(podstawa);

    auto* cel = new QGroupBox(QStringLiteral("Docelowa lokalizacja"), this);
    cel->setObjectName(QStringLiteral("DocelowaLokalizacja"));
    auto* ukladCelu = new QHBoxLayout(cel);
    FFolder = new QLineEdit(cel);
    FFolder->setObjectName(QStringLiteral("Folder"));
    FFolder->setReadOnly(true);
    ukladCelu->addWidget(FFolder, 1);
    FZmienFolder = new QPushButton(QStringLiteral("zmień"), cel);
    FZmienFolder->setObjectName(QStringLiteral("ZmienFolder"));
    ukladCelu->addWidget(FZmienFolder);
    uklad->addWidget(cel);

    FWstawTytul = new QCheckBox(QStringLiteral("Wstaw tytuł specyfikacji do pliku"), this);
    FWstawTytul->setObjectName(QStringLiteral("WstawTytul"));
    uklad->addWidget(FWstawTytul);
    FTytul = new QTextEdit(this);
    FTytul->setObjectName(QStringLiteral("Tytul"));
    FTytul->setAcceptRichText(true);
    FTytul->setFixedHeight(3 * FTytul->fontMetrics().lineSpacing() + 12);
    uklad->addWidget(FTytul);

    FWstawJednostki = new QCheckBox(QStringLiteral("Wstaw Jednostki miary "), this);
    FWstawJednostki->setObjectName(QStringLiteral("WstawJednostki"));
    FDodajJednostke =
        MalyPrzycisk(QStringLiteral("DodajJednostke"), QStringLiteral("+"), QStringLiteral("Dodaj jednostkę"), this);
    FUsunJednostke =
        MalyPrzycisk(QStringLiteral("UsunJednostke"), QStringLiteral("-"), QStringLiteral("Usuń jednostkę"), this);
    auto* naglowekJednostek = new QHBoxLayout;
    naglowekJednostek->addWidget(FWstawJednostki);
    naglowekJednostek->addStretch();
    naglowekJednostek->addWidget(FDodajJednostke);
    naglowekJednostek->addWidget(FUsunJednostke);
    uklad->addLayout(naglowekJednostek);
    FJednostki = Siatka(QStringLiteral("Jednostki"), QStringLiteral("Nazwa JM"), QStringLiteral("Opis"), this);
    FJednostki->setItemDelegate(new TEdytorNazwyJm(NazwyJednostek(), FJednostki));
    uklad->addWidget(FJednostki);

    FWstawKodyCpv = new QCheckBox(QStringLiteral("Wstaw Nazwę i Kod Wspólnego Słownika Zamówień CPV"), this);
    FWstawKodyCpv->setObjectName(QStringLiteral("WstawKodyCpv"));
    FWybierzKody = new QPushButton(QStringLiteral("wybierz"), this);
    FWybierzKody->setObjectName(QStringLiteral("WybierzKodyCpv"));
    FWybierzKody->setToolTip(QStringLiteral("Znajdź CPV"));
    auto* naglowekKodow = new QHBoxLayout;
    naglowekKodow->addWidget(FWstawKodyCpv);
    naglowekKodow->addStretch();
    naglowekKodow->addWidget(FWybierzKody);
    uklad->addLayout(naglowekKodow);
    FKodyCpv = Siatka(QStringLiteral("KodyCpv"), QStringLiteral("Kod CPV"), QStringLiteral("Nazwa CPV"), this);
    FKodyCpv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FKodyCpv->installEventFilter(this);
    uklad->addWidget(FKodyCpv);

    FOtworzPlik = new QCheckBox(QStringLiteral("Otwórz  plik po stworzeniu"), this);
    FOtworzPlik->setObjectName(QStringLiteral("OtworzPlik"));
    uklad->addWidget(FOtworzPlik);

    auto* przyciski = new QDialogButtonBox(this);
    przyciski->setObjectName(QStringLiteral("Przyciski"));
    FStworz = przyciski->addButton(QStringLiteral("&Stwórz"), QDialogButtonBox::AcceptRole);
    FStworz->setObjectName(QStringLiteral("Stworz"));
    FStworz->setDefault(true);
    QPushButton* anuluj = przyciski->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    anuluj->setObjectName(QStringLiteral("Anuluj"));
    uklad->addWidget(przyciski);

    connect(FTytulNaLiscie, &QLineEdit::textEdited, this, [this](const QString& t) { FLogika.UstawTytulNaLiscie(t); });
    connect(FSzablon, &QRadioButton::toggled, this, [this](bool wlaczony) {
        FLogika.UstawRodzajPodstawy(wlaczony ? TRodzajPodstawy::Szablon : TRodzajPodstawy::IstniejacaSpecyfikacja);
        Odswiez();
    });
    connect(FPodstawy, &QComboBox::currentIndexChanged, this, [this](int indeks) {
        FLogika.WybierzPodstawe(indeks);
        Odswiez();
    });
    connect(FInnySpis, &QToolButton::clicked, this, [this] {
        if (FLogika.WybierzInnySpis())
            Odswiez();
    });
    connect(FZmienFolder, &QPushButton::clicked, this, [this] {
        const QString folder = WybierzFolder(this, QStringLiteral("Wybierz lokalizację docelową"), FFolder->text());
        if (!folder.isEmpty()) {
            FLogika.UstawWlasnaSciezke(folder);
            Odswiez();
        }
    });
    connect(FWstawTytul, &QCheckBox::toggled, this, [this](bool wstaw) {
        if (FLogika.UstawWstawTytul(wstaw)) {
            FTytul->setPlainText(FLogika.Tytul());
            FTytul->selectAll();
            FTytul->setFocus();
        }
    });
    connect(FTytul, &QTextEdit::textChanged, this, [this] { FLogika.UstawTytul(FTytul->toPlainText()); });
    connect(FWstawJednostki, &QCheckBox::toggled, this, [this](bool w) { FLogika.UstawWstawJednostki(w); });
    connect(FWstawKodyCpv, &QCheckBox::toggled, this, [this](bool w) { FLogika.UstawWstawKodyCpv(w); });
    connect(FOtworzPlik, &QCheckBox::toggled, this, [this](bool w) { FLogika.UstawOtworzPlik(w); });
    connect(FJednostki, &QTableWidget::cellChanged, this, [this](int wiersz, int) {
        const auto tekst = [this, wiersz](int kolumna) {
            const QTableWidgetItem* e = FJednostki->item(wiersz, kolumna);
            return e ? e->text() : QString();
        };
        FLogika.UstawJednostke(wiersz, tekst(0), tekst(1));
    });
    connect(FDodajJednostke, &QToolButton::clicked, this, [this] {
        FLogika.DodajJednostke();
        OdswiezJednostki();
        FJednostki->setCurrentCell(FJednostki->rowCount() - 1, 0);
        FJednostki->editItem(FJednostki->item(FJednostki->rowCount() - 1, 0));
    });
    connect(FUsunJednostke, &QToolButton::clicked, this, [this] {
        FLogika.UsunJednostke(FJednostki->currentRow());
        OdswiezJednostki();
    });
    connect(FWybierzKody, &QPushButton::clicked, this, [this] {
        if (WybierzKodyCpv(this, FLogika.DrzewaKodowCpv())) {
            FLogika.PrzyjmijKodyCpv();
            OdswiezKodyCpv();
        }
    });
    connect(przyciski, &QDialogButtonBox::accepted, this, &TTworzenieSpecyfikacjiForm::Stworz);
    connect(przyciski, &QDialogButtonBox::rejected, this, &QDialog::reject);

    Odswiez();
    FTytul->setPlainText(FLogika.Tytul());
    OdswiezJednostki();
    OdswiezKodyCpv();
    FPodstawy->setFocus();
    setMinimumWidth(600);
    resize(640, sizeHint().height());
}

void TTworzenieSpecyfikacjiForm::Odswiez()
{
    const QSignalBlocker b1(FSzablon), b2(FIstniejaca), b3(FPodstawy), b4(FWstawTytul), b5(FWstawJednostki),
        b6(FWstawKodyCpv), b7(FOtworzPlik);
    const bool szablon = FLogika.RodzajPodstawy() == TRodzajPodstawy::Szablon;
    FSzablon->setChecked(szablon);
    FIstniejaca->setChecked(!szablon);
    const QStringList podstawy = FLogika.Podstawy();
    QStringList obecne;
    for (int i = 0; i < FPodstawy->count(); ++i)
        obecne << FPodstawy->itemText(i);
    if (obecne != podstawy) {
        FPodstawy->clear();
        FPodstawy->addItems(podstawy);
    }
    FPodstawy->setCurrentIndex(FLogika.WybranaPodstawa());
    FInnySpis->setEnabled(FLogika.CzyWyborSpisu());
    FFolder->setText(FLogika.FolderDocelowy());
    const bool opcje = FLogika.CzyOpcjeWstawiania();
    FWstawTytul->setChecked(FLogika.CzyWstawTytul());
    FWstawJednostki->setChecked(FLogika.CzyWstawJednostki());
    FWstawKodyCpv->setChecked(FLogika.CzyWstawKodyCpv());
    for (QWidget* w : std::initializer_list<QWidget*>{FWstawTytul, FTytul, FWstawJednostki, FJednostki, FDodajJednostke,
                                                      FUsunJednostke, FWstawKodyCpv, FKodyCpv, FWybierzKody})
        w->setEnabled(opcje);
    FOtworzPlik->setChecked(FLogika.CzyOtworzPlik());
    FOtworzPlik->setEnabled(FLogika.CzyWyborOtwarcia());
    FStworz->setEnabled(FLogika.CzyMoznaStworzyc());
}

void TTworzenieSpecyfikacjiForm::OdswiezJednostki()
{
    const QSignalBlocker blokada(FJednostki);
    const auto& jednostki = FLogika.Jednostki();
    FJednostki->setRowCount(static_cast<int>(jednostki.size()));
    for (int i = 0; i < static_cast<int>(jednostki.size()); ++i) {
        FJednostki->setItem(i, 0, new QTableWidgetItem(jednostki[i].Nazwa));
        FJednostki->setItem(i, 1, new QTableWidgetItem(jednostki[i].Opis));
    }
}

void TTworzenieSpecyfikacjiForm::OdswiezKodyCpv()
{
    const auto& kody = FLogika.KodyCpv();
    FKodyCpv->setRowCount(static_cast<int>(kody.size()));
    for (int i = 0; i < static_cast<int>(kody.size()); ++i) {
        FKodyCpv->setItem(i, 0, new QTableWidgetItem(kody[i]->Kod));
        FKodyCpv->setItem(i, 1, new QTableWidgetItem(kody[i]->Opis));
    }
}

bool TTworzenieSpecyfikacjiForm::eventFilter(QObject* obiekt, QEvent* zdarzenie)
{
    if (obiekt == FKodyCpv && zdarzenie->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(zdarzenie)->key() == Qt::Key_Delete && FKodyCpv->currentRow() >= 0) {
        FLogika.UsunKodCpv(FKodyCpv->currentRow());
        OdswiezKodyCpv();
        return true;
    }
    return QDialog::eventFilter(obiekt, zdarzenie);
}

void TTworzenieSpecyfikacjiForm::Stworz()
{
    FLogika.UstawTytulNaLiscie(FTytulNaLiscie->text());
    FLogika.UstawTytul(FTytul->toPlainText());
    if (FLogika.Stworz())
        accept();
}

std::optional<TTworzenieSpecyfikacjiWynik>
PokazTworzenieSpecyfikacji(QWidget* rodzic, const TTworzenieSpecyfikacjiWejscie& wejscie, TZestawST& zestaw,
                           TKonfiguracja& konfiguracja, ISilnikDokumentow* silnik, IUzytkownik& uzytkownik)
{
    try {
        const bool czyWord = !zestaw.GetKonfiguracja() || zestaw.GetKonfiguracja()->CzyEksportDoc;
        const std::unique_ptr<TZbiorEksporter> edytor = UtworzEksporter(czyWord, silnik);
        TTworzenieSpecyfikacjiDialogu logika(wejscie.Numer, wejscie.Tytul, wejscie.Rodzic, wejscie.Jednostki, zestaw,
                                             konfiguracja, *edytor, uzytkownik, WczytajKodyCpv());
        TTworzenieSpecyfikacjiForm okno(logika, rodzic);
        if (okno.exec() != QDialog::Accepted)
            return std::nullopt;
        TTworzenieSpecyfikacjiWynik wynik;
        wynik.Plik = logika.StworzonyPlikStPath();
        wynik.Tytul = logika.TytulNaLiscie();
        wynik.Jednostki = logika.PrzejmijStworzoneJednostki();
        return wynik;
    } catch (const EBlad& e) {
        uzytkownik.PokazKomunikat(e.Komunikat());
        return std::nullopt;
    }
}
