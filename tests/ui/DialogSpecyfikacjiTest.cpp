// The specification and variant dialogs: controls following the logic, the units grid's keys, the units
// panel's heights, "Wybierz plik" and "Stwórz plik" closing the dialog.
#include "ui/DialogSpecyfikacji.h"

#include "specs/JmSpecyfikacji.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/UzytkownikSkryptowy.h"

#include "Zrzuty.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class DialogSpecyfikacji : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().WyswietlajEdytorJmPrzyEdycjiSt = true;
        auto g = std::make_unique<TSpecyfikacja>(QStringLiteral("D-01.00.00"), false, true, QString(), QString(),
                                                 QStringLiteral("Roboty"));
        G = g.get();
        Spis.Add(std::move(g));
        ZapiszPlik(Katalog.filePath(QStringLiteral("s1.doc")), "s");
        auto s = std::make_unique<TSpecyfikacja>(QStringLiteral("D-01.01.00"), false, false, QString(),
                                                 Katalog.filePath(QStringLiteral("s1.doc")), QStringLiteral("Ziemne"));
        S1 = s.get();
        G->Add(std::move(s));
        S1->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m3"), QStringLiteral("objętości"), true));
    }
    void Otworz(TDaneSpecyfikacji dane, TTworzeniePliku tworzenie = {})
    {
        dane.Spis = &Spis;
        Okno = std::make_unique<TDialogSpecyfikacji>(dane, Uzytkownik, Konfiguracja(), std::move(tworzenie), nullptr);
        Okno->show();
        QApplication::processEvents();
    }
    TDaneSpecyfikacji Dodanie() const
    {
        TDaneSpecyfikacji d;
        d.Tytul = QStringLiteral("Dodaj Specyfikację");
        d.Nadrzedna = G;
        return d;
    }
    TDaneSpecyfikacji Wariant() const
    {
        TDaneSpecyfikacji d;
        d.Tytul = QStringLiteral("Dodaj wariant specyfikacji");
        d.Specyfikacja = S1;
        d.CzyWariant = true;
        return d;
    }
    template <class T> T* Kontrolka(const char* nazwa) const
    {
        T* k = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }

    QTemporaryDir Katalog;
    TSpisST Spis;
    TSpecyfikacja* G = nullptr;
    TSpecyfikacja* S1 = nullptr;
    TUzytkownikSkryptowy Uzytkownik;
    std::unique_ptr<TDialogSpecyfikacji> Okno;
};

TEST_F(DialogSpecyfikacji, DodanieZPropozycjaNumeruIKontrolami)
{
    Otworz(Dodanie());
    auto* numer = Kontrolka<QLineEdit>("Numer");
    EXPECT_EQ(Kontrolka<QPushButton>("OK")->text(), QStringLiteral("Dodaj"));
    EXPECT_EQ(Okno->focusWidget(), numer);
    EXPECT_EQ(numer->selectedText(), QStringLiteral("00.00")) << "the segments the child's number overtypes";
    QTest::keyClicks(numer, QStringLiteral("01 .00"));
    EXPECT_EQ(numer->text(), QStringLiteral("D-01.01.00")) << "no blanks";
    ZapiszZrzut(Okno.get(), QStringLiteral("dialog-specyfikacji"));

    QTest::mouseClick(Kontrolka<QPushButton>("OK"), Qt::LeftButton);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Podany numer specyfikacji jest już używany!"));
    EXPECT_TRUE(Okno->isVisible());
    numer->setText(QStringLiteral("D-01.02.00"));
    Kontrolka<QLineEdit>("Tytul")->setText(QStringLiteral("Nowa"));
    // "Wybierz plik" closes the dialog at once when the checks pass.
    ZapiszPlik(Katalog.filePath(QStringLiteral("n.doc")), "n");
    Uzytkownik.DoOtwarcia = {{Katalog.filePath(QStringLiteral("n.doc"))}};
    QTest::mouseClick(Kontrolka<QPushButton>("WybierzPlik"), Qt::LeftButton);
    EXPECT_EQ(Okno->result(), QDialog::Accepted);
    EXPECT_EQ(Okno->Dane().Numer, QStringLiteral("D-01.02.00"));
    EXPECT_EQ(Okno->Dane().Opis, QStringLiteral("Nowa"));
    EXPECT_EQ(Kontrolka<QLabel>("Plik")->text(), QStringLiteral("n.doc"));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(DialogSpecyfikacji, KlawiszeTabeliJednostek)
{
    TDaneSpecyfikacji d;
    d.Tytul = QStringLiteral("Edytuj Specyfikację");
    d.Numer = S1->Numer();
    d.Edytowana = S1;
    Otworz(d);
    EXPECT_EQ(Kontrolka<QPushButton>("OK")->text(), QStringLiteral("Zapisz"));
    EXPECT_EQ(Okno->focusWidget(), Kontrolka<QLineEdit>("Tytul"));
    auto* tabela = Kontrolka<TTabelaJednostek>("Jednostki");
    ASSERT_EQ(tabela->rowCount(), 1);
    EXPECT_EQ(tabela->item(0, 0)->text(), QStringLiteral("m3"));
    tabela->setFocus();
    tabela->setCurrentCell(0, 1);
    QTest::keyClick(tabela, Qt::Key_Return);
    EXPECT_EQ(tabela->rowCount(), 2) << "Enter on the last row appends";
    EXPECT_TRUE(Okno->isVisible()) << "and does not close the dialog";
    tabela->setCurrentCell(0, 0);
    QTest::keyClick(tabela, Qt::Key_Insert);
    EXPECT_EQ(tabela->rowCount(), 3);
    tabela->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);
    QTest::keyClick(tabela, Qt::Key_Delete);
    EXPECT_EQ(tabela->rowCount(), 3) << "two rows selected: nothing removed";
    for (int i = 0; i < 3; ++i) {
        tabela->clearSelection();
        tabela->setCurrentCell(0, 0);
        QTest::keyClick(tabela, Qt::Key_Delete);
    }
    EXPECT_EQ(tabela->rowCount(), 0);
    EXPECT_FALSE(tabela->isEnabled());
    QTest::mouseClick(Kontrolka<QPushButton>("DodajJednostke"), Qt::LeftButton);
    EXPECT_TRUE(tabela->isEnabled());
    EXPECT_EQ(tabela->rowCount(), 1);
    // Enter closes the cell editor with what was typed.
    tabela->setCurrentCell(0, 0);
    tabela->editItem(tabela->item(0, 0));
    auto* edytor = tabela->findChild<QLineEdit*>(QStringLiteral("EdytorJm"));
    ASSERT_NE(edytor, nullptr);
    QTest::keyClicks(edytor, QStringLiteral("m2"));
    // The first Enter takes the table's unit the completer offers.
    if (edytor->completer()->popup()->isVisible())
        QTest::keyClick(edytor->completer()->popup(), Qt::Key_Return);
    QTest::keyClick(edytor, Qt::Key_Return);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tabela->item(0, 0)->text(), QStringLiteral("m2"));
    EXPECT_EQ(tabela->findChild<QLineEdit*>(QStringLiteral("EdytorJm")), nullptr);
    QTest::mouseClick(Kontrolka<QPushButton>("OK"), Qt::LeftButton);
    ASSERT_EQ(Okno->result(), QDialog::Accepted);
    ASSERT_EQ(Okno->Dane().Jednostki.size(), 1u);
    EXPECT_EQ(Okno->Dane().Jednostki[0]->Jm(), QStringLiteral("m2"));
}

TEST_F(DialogSpecyfikacji, EdytorJednostekZmieniaWysokosc)
{
    Otworz(Dodanie());
    auto* panel = Kontrolka<QWidget>("PanelJednostek");
    const int wysokosc = Okno->height();
    const int panelu = panel->height();
    Kontrolka<QCheckBox>("PokazEdytorJm")->click();
    QApplication::processEvents();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(Okno->height(), wysokosc - panelu - Okno->layout()->spacing());
    Okno->reject();
    EXPECT_FALSE(Konfiguracja().WyswietlajEdytorJmPrzyEdycjiSt) << "kept however the dialog closes";
    Otworz(Dodanie());
    EXPECT_FALSE(Kontrolka<QWidget>("PanelJednostek")->isVisible());
    EXPECT_LT(Okno->height(), wysokosc - panelu + 20) << "opens without the panel's place";
    ZapiszZrzut(Okno.get(), QStringLiteral("dialog-specyfikacji-bez-jednostek"));

    Konfiguracja().WyswietlajEdytorJmPrzyEdycjiSt = true;
    Otworz(Wariant());
    EXPECT_EQ(Okno->height(), TDialogSpecyfikacji::WysokoscWariantuZJednostkami);
    EXPECT_TRUE(Kontrolka<QPushButton>("StworzPlik")->isEnabled()) << "the specification's file exists";
    ZapiszZrzut(Okno.get(), QStringLiteral("dialog-wariantu"));
    Kontrolka<QCheckBox>("PokazEdytorJm")->click();
    EXPECT_EQ(Okno->height(), TDialogSpecyfikacji::WysokoscWariantuBezJednostek);
    ZapiszZrzut(Okno.get(), QStringLiteral("dialog-wariantu-bez-jednostek"));
}

TEST_F(DialogSpecyfikacji, StworzPlikPrzejmujeUtworzonaSpecyfikacje)
{
    TTworzenieSpecyfikacjiWejscie wejscie;
    Otworz(Dodanie(), [&](QWidget*, const TTworzenieSpecyfikacjiWejscie& w) {
        wejscie = w;
        TTworzenieSpecyfikacjiWynik wynik;
        wynik.Plik = Katalog.filePath(QStringLiteral("utworzona.doc"));
        wynik.Tytul = QStringLiteral("Utworzona");
        wynik.Jednostki.push_back(std::make_unique<TJmSpecyfikacji>(QStringLiteral("szt."), QString(), true));
        return std::optional<TTworzenieSpecyfikacjiWynik>(std::move(wynik));
    });
    Kontrolka<QLineEdit>("Numer")->setText(QStringLiteral("D-01.07.00"));
    QTest::mouseClick(Kontrolka<QPushButton>("StworzPlik"), Qt::LeftButton);
    EXPECT_EQ(wejscie.Numer, QStringLiteral("D-01.07.00"));
    EXPECT_EQ(wejscie.Rodzic, G);
    ASSERT_EQ(Okno->result(), QDialog::Accepted);
    EXPECT_EQ(Kontrolka<QLineEdit>("Tytul")->text(), QStringLiteral("Utworzona"));
    EXPECT_EQ(Okno->Dane().Plik, Katalog.filePath(QStringLiteral("utworzona.doc")));
    ASSERT_EQ(Okno->Dane().Jednostki.size(), 1u);
    EXPECT_EQ(Okno->Dane().Jednostki[0]->Jm(), QStringLiteral("szt."));
}

} // namespace
