// The dialog "Ustawienia" as widgets: the controls reach the logic and show what it decides.
#include "ui/UstawieniaForm.h"

#include "support/KonfiguracjaTestowa.h"
#include "workflow/UzytkownikSkryptowy.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {

// What the user's mouse and keyboard send; the test programs do not link Qt's test library.
void KliknijW(QWidget* w, QPoint punkt)
{
    for (const QEvent::Type typ : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(typ, punkt, w->mapToGlobal(punkt), Qt::LeftButton,
                      typ == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

void Pisz(QWidget* w, const QString& tekst)
{
    for (const QChar z : tekst)
        for (const QEvent::Type typ : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(typ, z == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_A, Qt::NoModifier, QString(z));
            QApplication::sendEvent(w, &e);
        }
}

class UstawieniaForm : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().SetUserPath(Katalog.path());
        Logika = std::make_unique<TUstawieniaDialogu>(Konfiguracja(), Zestaw, Uzytkownik);
        Okno = std::make_unique<TUstawieniaForm>(*Logika);
        Okno->show();
        QApplication::processEvents();
    }
    template <class T> T* Kontrolka(const char* nazwa)
    {
        T* k = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }
    void Kliknij(const char* nazwa) { Kontrolka<QAbstractButton>(nazwa)->click(); }

    QTemporaryDir Katalog;
    TZestawST Zestaw;
    TUzytkownikSkryptowy Uzytkownik;
    std::unique_ptr<TUstawieniaDialogu> Logika;
    std::unique_ptr<TUstawieniaForm> Okno;
};

TEST_F(UstawieniaForm, DrzewoPrzelaczaStronyIZrzutyStron)
{
    const char* const strony[] = {"Ogolne", "Warianty", "Widok", "Potwierdzenia", "Program", "Szablony", "Pozostale"};
    const QString zrzuty = QDir::cleanPath(QStringLiteral(VELOSTRA_BIN_DIR "/../zrzuty"));
    ASSERT_TRUE(QDir().mkpath(zrzuty));
    auto* drzewo = Kontrolka<QTreeWidget>("drzewoKategorii");
    for (int i = LiczbaStronUstawien - 1; i >= 0; --i) {
        QTreeWidgetItem* wezel = drzewo->topLevelItem(i);
        KliknijW(drzewo->viewport(), drzewo->visualItemRect(wezel).center());
        const QString id = QString::fromLatin1(strony[i]);
        EXPECT_EQ(Kontrolka<QStackedWidget>("strony")->currentWidget()->objectName(), QStringLiteral("strona") + id);
        EXPECT_TRUE(Okno->grab().save(zrzuty + QStringLiteral("/ustawienia-") + id.toLower() + QStringLiteral(".png")));
    }
}

TEST_F(UstawieniaForm, PolaWiazaneZLogika)
{
    auto* tytul = Kontrolka<QCheckBox>("cbTytulZWariantem");
    auto* separator = Kontrolka<QLineEdit>("edSeparatorWariantu");
    EXPECT_FALSE(tytul->isEnabled());
    Kliknij("cbKorzystajZWariantow");
    EXPECT_TRUE(Logika->Wartosci.KorzystajZWariantow);
    EXPECT_TRUE(tytul->isEnabled());
    EXPECT_TRUE(separator->isEnabled());
    Pisz(separator, QStringLiteral("ab"));
    EXPECT_EQ(separator->text(), QStringLiteral("a"));
    EXPECT_EQ(Logika->Wartosci.SeparatorWariantu, QStringLiteral("a"));
    auto* pomijane = Kontrolka<QLineEdit>("edPomijaneZnaki");
    Pisz(pomijane, QStringLiteral("x y"));
    EXPECT_EQ(pomijane->text(), QStringLiteral("xy"));

    Kliknij("cbWszystkieProgram");
    EXPECT_EQ(Kontrolka<QCheckBox>("cbWszystkieProgram")->text(), QStringLiteral("  Zaznacz Wszystkie"));
    EXPECT_FALSE(Kontrolka<QCheckBox>("cbZaznaczZestawy")->isChecked());
    EXPECT_FALSE(Logika->CzyZaznaczona(TSciezkaUstawien::Zestawy));
}

TEST_F(UstawieniaForm, PrzegladajPrzezPodanaFunkcje)
{
    QStringList tytuly;
    QString odpowiedz = Katalog.filePath(QStringLiteral("brak"));
    Okno->WybierzFolder = [&](const QString& tytul, const QString&) {
        tytuly << tytul;
        return odpowiedz;
    };
    Kliknij("btPrzegladajEksport");
    odpowiedz = Katalog.path();
    Kliknij("btPrzegladajEksport");
    EXPECT_EQ(tytuly, QStringList(2, QStringLiteral("Wskaż folder na pliki eksportu")));
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("komunikat: Wybrany folder jest nieprawidłowy!")});
    EXPECT_EQ(Kontrolka<QLineEdit>("edSciezkaEksport")->text(), Katalog.path());
    EXPECT_EQ(TUstawieniaForm::FiltrQt(QStringLiteral("Plik Microsoft Word (*.doc;*.docx)|*.doc;*.docx")),
              QStringLiteral("Plik Microsoft Word (*.doc *.docx)"));
}

TEST_F(UstawieniaForm, ZapiszZapisujeIZamyka)
{
    const bool sortuj = Konfiguracja().CzySortujPopupListView;
    int zamkniete = 0;
    QObject::connect(Okno.get(), &QDialog::accepted, [&] { ++zamkniete; });
    Kliknij("cbSortujPodrecznaListe");
    Kliknij("btZapisz");
    EXPECT_EQ(zamkniete, 1);
    EXPECT_EQ(Okno->result(), QDialog::Accepted);
    EXPECT_EQ(Konfiguracja().CzySortujPopupListView, !sortuj);
}

} // namespace
