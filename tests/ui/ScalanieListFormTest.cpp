// The window "Scalanie list specyfikacji" as widgets: the buttons reach the logic, OK hands the list over.
#include "ui/ScalanieListForm.h"

#include "Zrzuty.h"
#include "specs/SpisST.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/ModelSpisu.h"
#include "workflow/UzytkownikSkryptowy.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

class ScalanieListForm : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Cel = Katalog.filePath(QStringLiteral("cel.sst"));
        Dodawana = Katalog.filePath(QStringLiteral("dodawana.sst"));
        ZapiszPlik(Cel, "<sst><specyfikacja numer=\"D\" opis=\"Roboty drogowe\" grupa=\"true\"><specyfikacja "
                        "numer=\"D-01\" opis=\"Roboty przygotowawcze\" grupa=\"true\"/></specyfikacja></sst>");
        ZapiszPlik(Dodawana, "<sst><specyfikacja numer=\"X\" opis=\"Roboty instalacyjne\" grupa=\"true\">"
                             "<specyfikacja numer=\"X-01\" opis=\"Instalacje wodne\" grupa=\"true\">"
                             "<specyfikacja numer=\"X-01.01\" opis=\"Rurociągi\"/></specyfikacja></specyfikacja>"
                             "</sst>");
        Okno = std::make_unique<TScalanieListForm>(nullptr, Cel, Zestaw, Konfiguracja(), Uzytkownik);
        Okno->Logika().Czekaj();
        Uzytkownik.DoOtwarcia = {{Dodawana}};
        QTest::mouseClick(Kontrolka<QPushButton>("przyciskWybierz"), Qt::LeftButton);
        Okno->Logika().Czekaj();
    }
    template <class T> T* Kontrolka(const char* nazwa)
    {
        T* w = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_TRUE(w) << nazwa;
        return w;
    }

    QTemporaryDir Katalog;
    QString Cel, Dodawana;
    TZestawST Zestaw;
    TUzytkownikSkryptowy Uzytkownik;
    std::unique_ptr<TScalanieListForm> Okno;
};

TEST_F(ScalanieListForm, PrzyciskKopiujeZaznaczonyWezelAZapiszOddajeListe)
{
    auto* prawe = Kontrolka<QTreeView>("drzewoDodawanej");
    ASSERT_EQ(prawe->model()->rowCount(), 1);
    EXPECT_TRUE(Kontrolka<QPushButton>("przyciskDodaj")->isEnabled());
    EXPECT_EQ(Kontrolka<QComboBox>("ostatnieListy")->currentText(), QStringLiteral("dodawana.sst"));
    prawe->setCurrentIndex(prawe->model()->index(0, 0));
    QTest::mouseClick(Kontrolka<QPushButton>("przyciskDodaj"), Qt::LeftButton);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("import: Dodawanie listy specyfikacji zakończone. 3/0/0/0"));
    auto* lewe = Kontrolka<QTreeView>("drzewoListy");
    EXPECT_EQ(lewe->model()->rowCount(), 2);
    const QModelIndex x01 = lewe->model()->index(0, 0, lewe->model()->index(1, 0));
    EXPECT_EQ(x01.data().toString(), QStringLiteral("X-01 Instalacje wodne")) << "a group has no file to miss";
    EXPECT_EQ(lewe->model()->index(0, 0, x01).data().toString(),
              QStringLiteral("X-01.01 Rurociągi ! Brak powiązanego pliku !"));
    ZapiszZrzut(Okno.get(), QStringLiteral("scalanie-list"));

    QTest::mouseClick(Kontrolka<QPushButton>("przyciskZapisz"), Qt::LeftButton);
    EXPECT_EQ(Okno->result(), QDialog::Accepted);
    const std::unique_ptr<TSpisST> lista = Okno->Logika().PrzejmijListe();
    ASSERT_TRUE(lista);
    EXPECT_TRUE(lista->FindSpecyfikacja(QStringLiteral("X-01.01"), fsSzukajWSpecyfikacjach));
    EXPECT_TRUE(CzytajPlik(Cel).contains("X-01.01"));
}

// Delete in the target tree removes the node after the question; the tree takes drags.
TEST_F(ScalanieListForm, DeleteUsuwaWezelListyDocelowej)
{
    Okno->show();
    Okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Okno.get()));
    auto* lewe = Kontrolka<QTreeView>("drzewoListy");
    EXPECT_EQ(lewe->dragDropMode(), QAbstractItemView::InternalMove);
    const QModelIndex d01 = lewe->model()->index(0, 0, lewe->model()->index(0, 0));
    ASSERT_TRUE(d01.isValid());
    lewe->setCurrentIndex(d01);
    lewe->setFocus();
    Uzytkownik.Pytania[QStringLiteral("Czy na pewno chcesz usunąć specyfikację?")] = {true};
    QTest::keyClick(lewe, Qt::Key_Delete);
    EXPECT_EQ(lewe->model()->rowCount(lewe->model()->index(0, 0)), 0);
    EXPECT_TRUE(Okno->Logika().Zmieniono());
    Uzytkownik.SprawdzZuzyte();
}

// The target tree carries the main tree's commands with their keys; a key adds through the dialog and the new
// node is selected.
TEST_F(ScalanieListForm, DrzewoDoceloweMaPoleceniaGlownegoDrzewa)
{
    Okno->show();
    Okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Okno.get()));
    auto* lewe = Kontrolka<QTreeView>("drzewoListy");
    QStringList nazwy;
    for (const QAction* a : lewe->actions())
        nazwy << a->objectName();
    for (const char* nazwa :
         {"DodajRodzajRobot", "DodajGrupeRobot", "DodajElementRobot", "DodajSpecyfikacje", "DodajWariant", "Usun",
          "Edytuj", "PowiazZPlikiem", "UsunPowiazanie", "WarunkiOgolne", "OtworzPlikSt", "OtworzFolderSt",
          "PoziomWyzej", "PoziomNizej", "WGore", "WDol", "Odswiez"})
        EXPECT_TRUE(nazwy.contains(QLatin1String(nazwa))) << nazwa;
    EXPECT_TRUE(Okno->findChild<QAction*>(QStringLiteral("ZwinDoPoziomu2")));

    lewe->setCurrentIndex(lewe->model()->index(0, 0));
    lewe->setFocus();
    Uzytkownik.Grupy = {TDaneGrupy{1, QStringLiteral("D-02"), QStringLiteral("Podbudowy"), nullptr, QString()}};
    QTest::keyClick(lewe, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("grupa: 1 "));
    EXPECT_EQ(lewe->currentIndex().data().toString().left(4), QStringLiteral("D-02"));
    EXPECT_TRUE(Okno->Logika().Zmieniono());
    Uzytkownik.Grupy = {std::nullopt};
    QTest::keyClick(lewe, Qt::Key_F2);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("grupa: 1 D-02"));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ScalanieListForm, AnulujBezZmianZamykaOdrzucajac)
{
    Okno->show();
    QTest::mouseClick(Kontrolka<QPushButton>("przyciskAnuluj"), Qt::LeftButton);
    EXPECT_EQ(Okno->result(), QDialog::Rejected);
    EXPECT_FALSE(Okno->isVisible());
}

} // namespace
