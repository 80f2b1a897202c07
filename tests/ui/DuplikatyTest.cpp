// The duplicate dialogs of imports and merges: the specifications side by side and the user's choice.
#include "ui/UzytkownikOkna.h"

#include "specs/Specyfikacja.h"
#include "support/KonfiguracjaTestowa.h"

#include "Zrzuty.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

class Duplikaty : public TTestZKonfiguracja
{
protected:
    TUzytkownikOkna Uzytkownik{nullptr, Konfiguracja(), [] { return static_cast<ISilnikDokumentow*>(nullptr); },
                               [] { return static_cast<TZestawST*>(nullptr); }};
    TSpecyfikacja Istniejaca{QStringLiteral("D-01.01"), false, false, QString(), QString(), QStringLiteral("Roboty")};
    TSpecyfikacja Importowana{QStringLiteral("D-09.09"), false, false, QString(), QString(), QStringLiteral("Inne")};
    TSpecyfikacja Trzecia{QStringLiteral("D-01.02"), false, false, QString(), QString(), QStringLiteral("Trzecia")};
};

TEST_F(Duplikaty, DuplikatPlikuZwracaWybraneDzialanie)
{
    const TOpcjaDuplikatowPliku oczekiwane[] = {dpoDodajBezPliku, dpoNadpiszPlikIPominSt, dpoNadpisz, dpoPominSt};
    for (int wybor = 0; wybor < 4; ++wybor) {
        QTimer::singleShot(0, [wybor] {
            QWidget* okno = QApplication::activeModalWidget();
            ASSERT_NE(okno, nullptr);
            // The first choice is preselected; both specifications are shown.
            EXPECT_TRUE(okno->findChild<QRadioButton*>(QStringLiteral("Wybor0"))->isChecked());
            EXPECT_EQ(okno->findChild<QLabel*>(QStringLiteral("Wartosc1_1"))->text(), QStringLiteral("D-01.01"));
            EXPECT_EQ(okno->findChild<QLabel*>(QStringLiteral("Wartosc2_1"))->text(), QStringLiteral("D-09.09"));
            if (wybor == 3)
                ZapiszZrzut(okno, QStringLiteral("duplikat-pliku"));
            okno->findChild<QRadioButton*>(QStringLiteral("Wybor%1").arg(wybor))->setChecked(true);
            okno->findChild<QCheckBox*>(QStringLiteral("NiePytaj"))->setChecked(wybor == 2);
            QTest::mouseClick(okno->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        });
        bool zapamietaj = false;
        EXPECT_EQ(Uzytkownik.DuplikatPliku(Istniejaca, Importowana, zapamietaj), oczekiwane[wybor]);
        EXPECT_EQ(zapamietaj, wybor == 2);
    }
    QTimer::singleShot(0, [] {
        QTest::mouseClick(QApplication::activeModalWidget()->findChild<QPushButton*>(QStringLiteral("Anuluj")),
                          Qt::LeftButton);
    });
    bool zapamietaj = true;
    EXPECT_EQ(Uzytkownik.DuplikatPliku(Istniejaca, Importowana, zapamietaj), dpoNone);
}

TEST_F(Duplikaty, KonfliktPokazujeTrzySpecyfikacje)
{
    QTimer::singleShot(0, [] {
        QWidget* okno = QApplication::activeModalWidget();
        ASSERT_NE(okno, nullptr);
        EXPECT_EQ(okno->windowTitle(), QStringLiteral("Konflikt specyfikacji"));
        EXPECT_EQ(okno->findChild<QLabel*>(QStringLiteral("Wartosc1_1"))->text(), QStringLiteral("D-09.09"));
        EXPECT_EQ(okno->findChild<QLabel*>(QStringLiteral("Wartosc2_1"))->text(), QStringLiteral("D-01.01"));
        EXPECT_EQ(okno->findChild<QLabel*>(QStringLiteral("Wartosc3_1"))->text(), QStringLiteral("D-01.02"));
        ZapiszZrzut(okno, QStringLiteral("konflikt-specyfikacji"));
        QTest::mouseClick(okno->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
    });
    Uzytkownik.KonfliktSpecyfikacji(Importowana, Trzecia, Istniejaca);
}

} // namespace
