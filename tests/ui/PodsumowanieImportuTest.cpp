// "Import specyfikacji" and "Otwórz listę specyfikacji" of the imports.
#include "ui/PodsumowanieImportu.h"
#include "ui/WyborListy.h"

#include "specs/LicznikImportuSt.h"

#include "Zrzuty.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(PodsumowanieImportu, LiczbyPodPodpisami)
{
    TLicznikImportuSt licznik;
    licznik.IncDodanychSt();
    licznik.IncDodanychSt();
    licznik.IncNadpisanychPlikow();
    licznik.IncPominietychSt();
    licznik.IncPominietychSt();
    licznik.IncPominietychSt();
    TPodsumowanieImportu okno(QStringLiteral("Zakończono import specyfikacji."), licznik);
    okno.show();
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Import specyfikacji"));
    EXPECT_EQ(okno.findChild<QLabel*>(QStringLiteral("Komunikat"))->text(),
              QStringLiteral("Zakończono import specyfikacji."));
    const std::pair<const char*, const char*> wiersze[] = {{"Dodanych", "Dodanych specyfikacji:"},
                                                           {"NadpisanychPlikow", "Nadpisanych plików specyfikacji:"},
                                                           {"Pominietych", "Pominiętych specyfikacji:"},
                                                           {"Nadpisanych", "Nadpisanych specyfikacji:"}};
    const QStringList liczby{"2", "1", "3", "0"};
    for (int i = 0; i < 4; ++i) {
        auto* liczba = okno.findChild<QLabel*>(QString::fromLatin1(wiersze[i].first));
        ASSERT_NE(liczba, nullptr);
        EXPECT_EQ(liczba->text(), liczby[i]);
        auto* podpis = qobject_cast<QLabel*>(okno.findChild<QFormLayout*>()->labelForField(liczba));
        ASSERT_NE(podpis, nullptr);
        EXPECT_EQ(podpis->text(), QString::fromUtf8(wiersze[i].second));
    }
    ZapiszZrzut(&okno, QStringLiteral("podsumowanie-importu"));
    QTest::mouseClick(okno.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(okno.result(), QDialog::Accepted);
}

TEST(WyborListy, PierwszaWybranaIZmianaWyboru)
{
    TWyborListy okno({QStringLiteral("/a/Drogi.sst"), QStringLiteral("/a/Mosty.sst")});
    okno.show();
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Otwórz listę specyfikacji"));
    EXPECT_EQ(okno.Wybrana(), 0);
    QTest::mouseClick(okno.findChild<QRadioButton*>(QStringLiteral("Lista1")), Qt::LeftButton);
    EXPECT_EQ(okno.Wybrana(), 1);
    ZapiszZrzut(&okno, QStringLiteral("wybor-listy"));
}

} // namespace
