#include "ui/DialogSpecyfikacji.h"

#include "specs/JmSpecyfikacji.h"
#include "ui/PrzyciskiDialogu.h"

#include <QCheckBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <set>

namespace {

// Empty cells say what goes into them; the unit column's editor completes the table's unit names.
class TDelegatJednostek : public QStyledItemDelegate
{
public:
    TDelegatJednostek(QStringList nazwy, QObject* rodzic) : QStyledItemDelegate(rodzic), FNazwy(std::move(nazwy)) {}

    static QString Podpowiedz(int kolumna)
    {
        return kolumna == 0 ? QStringLiteral("wybierz jm") : QStringLiteral("wpisz opis");
    }

    QWidget* createEditor(QWidget* rodzic, const QStyleOptionViewItem&, const QModelIndex& indeks) const override
    {
        auto* edytor = new QLineEdit(rodzic);
        edytor->setObjectName(indeks.column() == 0 ? QStringLiteral("EdytorJm") : QStringLiteral("EdytorOpisu"));
        edytor->setPlaceholderText(Podpowiedz(indeks.column()));
        if (indeks.column() == 0) {
            auto* podpowiedzi = new QCompleter(FNazwy, edytor);
            podpowiedzi->setCaseSensitivity(Qt::CaseInsensitive);
            podpowiedzi->setFilterMode(Qt::MatchStartsWith);
            edytor->setCompleter(podpowiedzi);
        }
        return edytor;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* opcje, const QModelIndex& indeks) const override
    {
        QStyledItemDelegate::initStyleOption(opcje, indeks);
        if (opcje->text.isEmpty()) {
            opcje->text = Podpowiedz(indeks.column());
            opcje->palette.setColor(QPalette::Text, opcje->palette.color(QPalette::PlaceholderText));
        }
    }

private:
    QStringList FNazwy;
};

// The number field takes no blanks.
class TBezSpacji : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override
    {
        if (zdarzenie->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(zdarzenie)->key() == Qt::Key_Space)
            return true;
        return QObject::eventFilter(obiekt, zdarzenie);
    }
};

QPushButton* Przycisk(const QString& tekst, const char* nazwa, QWidget* rodzic)
{
    auto* p = new QPushButton(tekst, rodzic);
    p->setObjectName(QString::fromLatin1(nazwa));
    p->setAutoDefault(false);
    return p;
}

} // namespace

// ---------------------------------------------------------------- units grid

TTabelaJednostek::TTabelaJednostek(TSpecyfikacjaDialogu& logika, QWidget* rodzic)
    : QTableWidget(0, 2, rodzic), FLogika(logika)
{
    setObjectName(QStringLiteral("Jednostki"));
    setHorizontalHeaderLabels({QStringLiteral("Nazwa JM"), QStringLiteral("Opis")});
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 110);
    verticalHeader()->hide();
    setItemDelegate(new TDelegatJednostek(logika.NazwyJednostek(), this));
    // Not on a mere change of the current cell: Delete, Insert and Enter belong to the grid.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(this, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* k) { FLogika.UstawKomorke(k->row(), k->column(), k->text()); });
    Odswiez();
}

void TTabelaJednostek::Odswiez(int wiersz, int kolumna)
{
    QSignalBlocker blokada(this);
    const auto& wiersze = FLogika.Wiersze();
    setRowCount(static_cast<int>(wiersze.size()));
    // Cells are changed in place: an open editor keeps its cell.
    for (int i = 0; i < rowCount(); ++i) {
        const TWierszJednostki& w = wiersze[static_cast<size_t>(i)];
        for (int k = 0; k < 2; ++k) {
            const QString& tekst = k == 0 ? w.Jm : w.Opis;
            if (QTableWidgetItem* komorka = item(i, k)) {
                if (komorka->text() != tekst)
                    komorka->setText(tekst);
            } else {
                setItem(i, k, new QTableWidgetItem(tekst));
            }
        }
    }
    setEnabled(FLogika.CzyTabelaAktywna());
    // Moving the current cell commits an open editor, which the logic must hear of.
    blokada.unblock();
    if (rowCount() > 0 && wiersz >= 0)
        setCurrentCell(qMin(wiersz, rowCount() - 1), kolumna);
}

void TTabelaJednostek::keyPressEvent(QKeyEvent* zdarzenie)
{
    const int wiersz = currentRow();
    switch (zdarzenie->key()) {
    case Qt::Key_Delete: {
        std::set<int> wybrane;
        for (const QModelIndex& i : selectedIndexes())
            wybrane.insert(i.row());
        if (wybrane.size() == 1) {
            FLogika.UsunWiersz(*wybrane.begin());
            Odswiez(*wybrane.begin(), currentColumn());
        }
        zdarzenie->accept();
        return;
    }
    case Qt::Key_Insert:
        FLogika.WstawWiersz(wiersz + 1);
        Odswiez(wiersz + 1, 0);
        zdarzenie->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken here so that Enter in the grid never closes the dialog.
        if (FLogika.EnterNaWierszu(wiersz))
            Odswiez(wiersz + 1, 0);
        else if (wiersz + 1 < rowCount())
            setCurrentCell(wiersz + 1, currentColumn());
        zdarzenie->accept();
        return;
    default:
        QTableWidget::keyPressEvent(zdarzenie);
    }
}

// ---------------------------------------------------------------- dialog

TDialogSpecyfikacji::TDialogSpecyfikacji(const TDaneSpecyfikacji& dane, IUzytkownik& uzytkownik,
                                         TKonfiguracja& konfiguracja, TTworzeniePliku tworzenie, QWidget* rodzic)
    : QDialog(rodzic), FLogika(dane, uzytkownik, konfiguracja), FTworzenie(std::move(tworzenie)),
      FNumer(new QLineEdit(FLogika.Numer, this)), FTytul(new QLineEdit(FLogika.Tytul, this)),
      FPlik(new QLabel(FLogika.NazwaPliku(), this)),
      FPokazJm(new QCheckBox(QStringLiteral("Pokaż edytor jednostek"), this)), FPanelJm(new QWidget(this)),
      FTabela(new TTabelaJednostek(FLogika, FPanelJm))
{
    const bool wariant = FLogika.CzyWariant();
    setObjectName(QStringLiteral("DialogSpecyfikacji"));
    setWindowTitle(dane.Tytul);
    setMinimumWidth(560);
    FNumer->setObjectName(QStringLiteral("Numer"));
    FNumer->installEventFilter(new TBezSpacji(FNumer));
    FTytul->setObjectName(QStringLiteral("Tytul"));
    FPlik->setObjectName(QStringLiteral("Plik"));
    FPokazJm->setObjectName(QStringLiteral("PokazEdytorJm"));
    FPanelJm->setObjectName(QStringLiteral("PanelJednostek"));

    auto* uklad = new QVBoxLayout(this);
    auto* pola = new QFormLayout;
    pola->addRow(wariant ? QStringLiteral("Numer wariantu") : QStringLiteral("Numer Specyfikacji"), FNumer);
    pola->addRow(wariant ? QStringLiteral("Tytuł wariantu") : QStringLiteral("Tytuł Specyfikacji"), FTytul);
    pola->addRow(QStringLiteral("Plik ST :"), FPlik);
    uklad->addLayout(pola);

    auto* wiersz = new QHBoxLayout;
    auto* wybierz = Przycisk(QStringLiteral("Wybierz plik"), "WybierzPlik", this);
    auto* stworz = Przycisk(QStringLiteral("Stwórz plik"), "StworzPlik", this);
    wiersz->addWidget(wybierz);
    wiersz->addWidget(stworz);
    if (wariant) {
        FOtworzPoStworzeniu = new QCheckBox(QStringLiteral("Otwórz plik po stworzeniu"), this);
        FOtworzPoStworzeniu->setObjectName(QStringLiteral("OtworzPoStworzeniu"));
        FOtworzPoStworzeniu->setChecked(FLogika.OtworzPoStworzeniu);
        wiersz->addWidget(FOtworzPoStworzeniu);
        stworz->setEnabled(FLogika.CzyStworzPlikWariantuDostepne());
        connect(FOtworzPoStworzeniu, &QCheckBox::toggled, this, [this](bool v) { FLogika.OtworzPoStworzeniu = v; });
    }
    wiersz->addStretch(1);
    uklad->addLayout(wiersz);
    uklad->addWidget(FPokazJm);

    auto* panel = new QVBoxLayout(FPanelJm);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(FTabela, 1);
    auto* przyciskiJm = new QHBoxLayout;
    auto* dodajJm = Przycisk(QStringLiteral("Dodaj jednostkę"), "DodajJednostke", FPanelJm);
    auto* usunJm = Przycisk(QStringLiteral("Usuń jednostkę"), "UsunJednostke", FPanelJm);
    przyciskiJm->addWidget(dodajJm);
    przyciskiJm->addWidget(usunJm);
    przyciskiJm->addStretch(1);
    panel->addLayout(przyciskiJm);
    uklad->addWidget(FPanelJm, 1);
    // Takes the panel's place while it is hidden, so that the fields stay together at the top.
    uklad->addStretch(0);

    auto* przyciski = PrzyciskiOkAnuluj(this, FLogika.TekstOk());
    uklad->addWidget(przyciski);

    connect(FNumer, &QLineEdit::textChanged, this, [this](const QString& t) { FLogika.Numer = t; });
    connect(FTytul, &QLineEdit::textChanged, this, [this](const QString& t) { FLogika.Tytul = t; });
    connect(wybierz, &QPushButton::clicked, this, [this] {
        const bool ok = FLogika.WybierzPlik();
        Odswiez();
        if (ok)
            Zakoncz(true);
    });
    connect(stworz, &QPushButton::clicked, this, &TDialogSpecyfikacji::StworzPlik);
    connect(dodajJm, &QPushButton::clicked, this, [this] {
        FLogika.DodajJednostke();
        FTabela->Odswiez(static_cast<int>(FLogika.Wiersze().size()) - 1);
        FTabela->setFocus();
    });
    connect(usunJm, &QPushButton::clicked, this, [this] {
        const int wybrany = FTabela->selectionModel()->selectedIndexes().isEmpty() ? -1 : FTabela->currentRow();
        FLogika.UsunJednostke(wybrany);
        FTabela->Odswiez(wybrany);
    });
    connect(FPokazJm, &QCheckBox::toggled, this, &TDialogSpecyfikacji::PokazJednostki);

    FPokazJm->setChecked(FLogika.PokazEdytorJm);
    if (wariant) {
        resize(qMax(sizeHint().width(), 560), height());
        PokazJednostki(FLogika.PokazEdytorJm);
    } else {
        FWysokoscPanelu = FPanelJm->sizeHint().height();
        FPanelJm->setVisible(FLogika.PokazEdytorJm);
        resize(qMax(sizeHint().width(), 560), FLogika.PokazEdytorJm ? 470 : minimumSizeHint().height());
    }
}

TDialogSpecyfikacji::~TDialogSpecyfikacji() = default;

void TDialogSpecyfikacji::PokazJednostki(bool pokaz)
{
    FLogika.PokazEdytorJm = pokaz;
    if (FLogika.CzyWariant()) {
        FPanelJm->setVisible(pokaz);
        setFixedHeight(pokaz ? WysokoscWariantuZJednostkami : WysokoscWariantuBezJednostek);
        return;
    }
    if (pokaz == !FPanelJm->isHidden())
        return;
    // The dialog loses exactly the panel's place, and gets it back.
    const int spacja = layout()->spacing();
    if (pokaz) {
        FPanelJm->show();
        resize(width(), height() + FWysokoscPanelu + spacja);
    } else {
        FWysokoscPanelu = FPanelJm->height();
        FPanelJm->hide();
        layout()->activate();
        resize(width(), height() - FWysokoscPanelu - spacja);
    }
}

void TDialogSpecyfikacji::Odswiez()
{
    const QSignalBlocker b1(FNumer);
    const QSignalBlocker b2(FTytul);
    if (FNumer->text() != FLogika.Numer)
        FNumer->setText(FLogika.Numer);
    if (FTytul->text() != FLogika.Tytul)
        FTytul->setText(FLogika.Tytul);
    FPlik->setText(FLogika.NazwaPliku());
    FTabela->Odswiez();
}

void TDialogSpecyfikacji::showEvent(QShowEvent* zdarzenie)
{
    QDialog::showEvent(zdarzenie);
    if (FLogika.PoleStartowe() == TSpecyfikacjaDialogu::TPole::Tytul) {
        FTytul->setFocus();
        return;
    }
    FNumer->setFocus();
    if (FLogika.ZaznaczenieDlugosc() > 0)
        FNumer->setSelection(FLogika.ZaznaczenieOd(), FLogika.ZaznaczenieDlugosc());
    else
        FNumer->setCursorPosition(FLogika.ZaznaczenieOd());
}

void TDialogSpecyfikacji::StworzPlik()
{
    if (FLogika.CzyWariant()) {
        const bool ok = FLogika.StworzPlikWariantu();
        Odswiez();
        if (ok)
            Zakoncz(true);
        return;
    }
    if (!FLogika.SprawdzPrzedTworzeniem()) {
        if (FLogika.PoleBledu() == TSpecyfikacjaDialogu::TPole::Numer)
            FNumer->setFocus();
        return;
    }
    TTworzenieSpecyfikacjiWejscie wejscie;
    wejscie.Numer = FLogika.Numer.trimmed();
    wejscie.Tytul = FLogika.Tytul;
    wejscie.Rodzic = FLogika.RodzicTworzonej();
    for (auto& jm : FLogika.Jednostki())
        wejscie.Jednostki.push_back(std::move(jm));
    std::optional<TTworzenieSpecyfikacjiWynik> wynik = FTworzenie ? FTworzenie(this, wejscie) : std::nullopt;
    if (!wynik)
        return;
    const bool ok = FLogika.PoUtworzeniu(wynik->Plik, wynik->Tytul, std::move(wynik->Jednostki));
    Odswiez();
    if (ok)
        Zakoncz(true);
}

void TDialogSpecyfikacji::Zakoncz(bool czyOk)
{
    if (czyOk)
        QDialog::accept();
    else
        QDialog::reject();
}

void TDialogSpecyfikacji::accept()
{
    if (FLogika.Dodaj()) {
        QDialog::accept();
        return;
    }
    Odswiez();
    if (FLogika.PoleBledu() == TSpecyfikacjaDialogu::TPole::Numer)
        FNumer->setFocus();
}

void TDialogSpecyfikacji::done(int wynik)
{
    if (!FZamkniety) {
        FZamkniety = true;
        FLogika.Zamknij();
    }
    QDialog::done(wynik);
}
