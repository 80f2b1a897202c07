// The dialog "Ustawienia marginesów": its checks on "Ustaw", the values it gives back, the preview.
#include "ui/UstawieniaStronyForm.h"

#include "Zrzuty.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct TPrzypadek
{
    const char* Pole;
    const char* Tekst;
    const char* Komunikat; // none: the dialog closes with OK
};

class UstawieniaStronyForm : public ::testing::TestWithParam<TPrzypadek>
{
};

TEST_P(UstawieniaStronyForm, UstawSprawdzaPolaWKolejnosci)
{
    const TPrzypadek& p = GetParam();
    TUstawieniaStronyForm okno(TMarginesy{10, 20, 30, 40});
    okno.show();
    auto* pole = okno.findChild<QLineEdit*>(QString::fromLatin1(p.Pole));
    ASSERT_NE(pole, nullptr);
    pole->setText(QString::fromUtf8(p.Tekst));
    // A wrong bottom field is never reported while an earlier field is wrong too.
    okno.findChild<QLineEdit*>(QStringLiteral("Dolny"))
        ->setText(p.Komunikat ? QStringLiteral("x") : QStringLiteral("40"));
    QString komunikat;
    QTimer::singleShot(0, [&] {
        if (auto* pudelko = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            komunikat = pudelko->text();
            pudelko->accept();
        }
    });
    QTest::mouseClick(okno.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
    if (p.Komunikat) {
        EXPECT_EQ(komunikat, QString::fromUtf8(p.Komunikat));
        EXPECT_EQ(okno.result(), QDialog::Rejected);
        EXPECT_EQ(okno.focusWidget(), pole);
    } else {
        EXPECT_TRUE(komunikat.isEmpty());
        EXPECT_EQ(okno.result(), QDialog::Accepted);
        const TMarginesy m = okno.Marginesy();
        EXPECT_EQ(QString::number(p.Pole == QLatin1String("Lewy") ? m.L : m.G), QString::fromUtf8(p.Tekst));
    }
}

INSTANTIATE_TEST_SUITE_P(Pola, UstawieniaStronyForm,
                         ::testing::Values(TPrzypadek{"Lewy", "501", "Lewy margines jest nieprawidłowy"},
                                           TPrzypadek{"Prawy", "-1", "Prawy margines jest nieprawidłowy"},
                                           TPrzypadek{"Gorny", "2,5", "Górny margines jest nieprawidłowy"},
                                           TPrzypadek{"Lewy", "0", nullptr}, TPrzypadek{"Gorny", "500", nullptr}));

// Every field that reads as a number has its dotted red line in the page's picture, moved as it changes.
TEST(UstawieniaStronyFormPodglad, LinieMarginesow)
{
    TUstawieniaStronyForm okno(TMarginesy{20, 20, 20, 20});
    okno.show();
    auto* podglad = okno.findChild<QLabel*>(QStringLiteral("Podglad"));
    const auto czerwony = [&](int x, int y) {
        const QImage obraz = podglad->pixmap().toImage();
        return obraz.pixelColor(x, y).red() > 200 && obraz.pixelColor(x, y).green() < 80;
    };
    const int w = TUstawieniaStronyForm::SzerokoscPodgladu;
    const int h = TUstawieniaStronyForm::WysokoscPodgladu;
    const TLiniePodgladu przed = LiniePodgladu(w, h, "20", "20", "20", "20");
    ASSERT_TRUE(przed.Lewa && przed.Gorna);
    // Dotted: one of two neighbouring pixels of the line is drawn.
    EXPECT_TRUE(czerwony(*przed.Lewa, h / 2) || czerwony(*przed.Lewa, h / 2 + 1));
    okno.findChild<QLineEdit*>(QStringLiteral("Lewy"))->setText(QStringLiteral("60"));
    const int nowa = *LiniePodgladu(w, h, "60", "20", "20", "20").Lewa;
    ASSERT_NE(nowa, *przed.Lewa);
    EXPECT_TRUE(czerwony(nowa, h / 2) || czerwony(nowa, h / 2 + 1));
    EXPECT_FALSE(czerwony(*przed.Lewa, h / 2) || czerwony(*przed.Lewa, h / 2 + 1));
    ZapiszZrzut(&okno, QStringLiteral("ustawienia-marginesow"));
}

} // namespace
