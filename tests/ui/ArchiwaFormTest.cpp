// The archive windows: "Brakujące pliki archiwum" and "Rozpakuj archiwum".
#include "ui/BrakujacePlikiForm.h"
#include "ui/RozpakujArchiwumForm.h"

#include "archive/ListaBrakowPlikow.h"
#include "support/Pomocnicze.h"
#include "workflow/ArchiwumTestowe.h"

#include "Zrzuty.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Clicks the button of that name in the modal dialog once it is shown.
void KliknijWOknieModalnym(const QString& przycisk, const std::function<void(QWidget*)>& przed = {})
{
    QTimer::singleShot(0, [=] {
        QWidget* okno = QApplication::activeModalWidget();
        ASSERT_NE(okno, nullptr);
        if (przed)
            przed(okno);
        okno->findChild<QPushButton*>(przycisk)->click();
    });
}

class ArchiwaForm : public TTestArchiwum
{
};

TEST_F(ArchiwaForm, BrakujacePlikiPokazujeGrupyIZwracaOdpowiedz)
{
    std::vector<std::unique_ptr<TListaBrakowPlikow>> listy;
    listy.push_back(std::make_unique<TListaBrakowPlikow>(QStringLiteral("Kosztorys")));
    listy.back()->Dodaj(QStringLiteral("/dane/kosztorys.rds"));
    listy.push_back(std::make_unique<TListaBrakowPlikow>(QStringLiteral("Specyfikacje")));
    listy.back()->Dodaj(QStringLiteral("/dane/sst/D-01.01.01 Roboty pomiarowe.doc"));
    listy.back()->Dodaj(QStringLiteral("/dane/sst/D-02.01.01 Wykopy.doc"));

    TBrakujacePlikiForm okno(listy, true);
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Brakujące pliki archiwum"));
    auto* drzewo = okno.findChild<QTreeWidget*>(QStringLiteral("Pliki"));
    EXPECT_EQ(drzewo->headerItem()->text(0), QStringLiteral("Nazwa pliku"));
    ASSERT_EQ(drzewo->topLevelItemCount(), 2);
    EXPECT_EQ(drzewo->topLevelItem(1)->text(0), QStringLiteral("Specyfikacje"));
    EXPECT_EQ(drzewo->topLevelItem(1)->childCount(), 2);
    EXPECT_EQ(okno.findChild<QLabel*>(QStringLiteral("Pytanie"))->text(),
              QStringLiteral("Czy chcesz stworzyć archiwum zestawu pomimo brakujących plików ?"));
    ZapiszZrzut(&okno, QStringLiteral("brakujace-pliki"));
    TBrakujacePlikiForm spis(listy, false);
    EXPECT_EQ(spis.findChild<QLabel*>(QStringLiteral("Opis"))->text(),
              QStringLiteral("W bieżącym spisie specyfikacji brakuje następujących, powiązanych plików:"));

    for (const bool tak : {true, false}) {
        KliknijWOknieModalnym(tak ? QStringLiteral("Tak") : QStringLiteral("Nie"));
        EXPECT_EQ(PokazBrakujacePliki(nullptr, listy), tak);
    }
}

TEST_F(ArchiwaForm, RozpakujPokazujeOpcjeIZnacznikFolderu)
{
    const QString cel = Sciezka(QStringLiteral("cel"));
    ZapiszStruktureSst(cel + QStringLiteral("/Specyfikacje Techniczne"), 1);
    TRozpakujArchiwumForm okno(false, Konfiguracja(), Uzytkownik);
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Rozpakuj archiwum"));
    EXPECT_EQ(okno.findChild<QCheckBox*>(QStringLiteral("Otworz"))->text(),
              QStringLiteral("Otwórz spis specyfikacji po rozpakowaniu"));
    EXPECT_TRUE(okno.findChild<QCheckBox*>(QStringLiteral("Otworz"))->isChecked());
    EXPECT_TRUE(okno.findChild<QRadioButton*>(QStringLiteral("Struktura0"))->isChecked());
    EXPECT_EQ(okno.findChild<QLineEdit*>(QStringLiteral("Folder"))->text(), Konfiguracja().GetUserPath() + "/");

    // Browsing: the archive through the user's open dialog, the folder through the window's; the folder's
    // marker selects its structure.
    Uzytkownik.DoOtwarcia.push_back({Sciezka(QStringLiteral("x.alst"))});
    QTest::mouseClick(okno.findChild<QPushButton*>(QStringLiteral("PrzegladajArchiwum")), Qt::LeftButton);
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("otwórz: .alst")});
    EXPECT_EQ(okno.findChild<QLineEdit*>(QStringLiteral("Archiwum"))->text(), Sciezka(QStringLiteral("x.alst")));
    QString tytul;
    okno.WybierzFolder = [&](QWidget*, const QString& t, const QString&) {
        tytul = t;
        return cel;
    };
    QTest::mouseClick(okno.findChild<QPushButton*>(QStringLiteral("PrzegladajFolder")), Qt::LeftButton);
    EXPECT_EQ(tytul, QStringLiteral("Wskaż folder docelowy"));
    EXPECT_TRUE(okno.findChild<QRadioButton*>(QStringLiteral("Struktura1"))->isChecked());
    okno.findChild<QRadioButton*>(QStringLiteral("Struktura2"))->click();
    EXPECT_EQ(okno.Logika().Struktura, 2);
    okno.findChild<QCheckBox*>(QStringLiteral("Nadpisuj"))->click();
    EXPECT_TRUE(okno.Logika().CzyNadpisuj);
    ZapiszZrzut(&okno, QStringLiteral("rozpakuj-archiwum"));
}

TEST_F(ArchiwaForm, RozpakujRozpakowujeIZwracaPlikDoOtwarcia)
{
    const QString archiwum = Archiwum({QStringLiteral("a")});
    for (const bool otworz : {true, false}) {
        const QString cel = Sciezka(otworz ? QStringLiteral("cel1") : QStringLiteral("cel2"));
        KliknijWOknieModalnym(QStringLiteral("Rozpakuj"), [&](QWidget* okno) {
            QTest::keyClicks(okno->findChild<QLineEdit*>(QStringLiteral("Archiwum")), archiwum);
            auto* folder = okno->findChild<QLineEdit*>(QStringLiteral("Folder"));
            folder->clear();
            QTest::keyClicks(folder, cel);
            okno->findChild<QCheckBox*>(QStringLiteral("Otworz"))->setChecked(otworz);
        });
        const QString wynik = PokazRozpakujArchiwum(nullptr, false, Konfiguracja(), Uzytkownik);
        const QString lista = cel + QStringLiteral("/Dane/Listy SST/l.sst");
        EXPECT_EQ(wynik, otworz ? lista : QString());
        EXPECT_TRUE(QFileInfo(lista).isFile());
        EXPECT_EQ(CzytajPlik(cel + QStringLiteral("/Specyfikacje Techniczne/a.doc")), "a");
    }
    EXPECT_EQ(Uzytkownik.Zapis, QStringList(2, QStringLiteral("komunikat: Archiwum zostało pomyślnie rozpakowane.")));
}

TEST_F(ArchiwaForm, RozpakujZBledemZostajeOtwarte)
{
    TRozpakujArchiwumForm okno(true, Konfiguracja(), Uzytkownik);
    okno.show();
    ZapiszPlik(Sciezka(QStringLiteral("zly.azst")), "to nie zip");
    QTest::keyClicks(okno.findChild<QLineEdit*>(QStringLiteral("Archiwum")), Sciezka(QStringLiteral("zly.azst")));
    QTest::mouseClick(okno.findChild<QPushButton*>(QStringLiteral("Rozpakuj")), Qt::LeftButton);
    EXPECT_EQ(okno.findChild<QPushButton*>(QStringLiteral("Rozpakuj"))->text(), QStringLiteral("Zatrzymaj"));
    EXPECT_FALSE(okno.findChild<QLineEdit*>(QStringLiteral("Archiwum"))->isEnabled());
    okno.Logika().Czekaj();
    EXPECT_TRUE(okno.isVisible());
    EXPECT_EQ(okno.findChild<QPushButton*>(QStringLiteral("Rozpakuj"))->text(), QStringLiteral("Rozpakuj"));
    ASSERT_EQ(Uzytkownik.Zapis.size(), 1);
    EXPECT_TRUE(Uzytkownik.Zapis[0].startsWith(QStringLiteral("komunikat: "))) << Uzytkownik.Zapis[0].toStdString();
    EXPECT_TRUE(okno.Logika().Wynik().isEmpty());
}

} // namespace
