// The window "Wybierz kody CPV": ticks over the caller's trees kept across a search, "Anuluj" bringing
// back the ticks of the opening, the search modes and the browsing of the program's table.
#include "ui/KodyCpv.h"

#include "Zrzuty.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

std::unique_ptr<TKodCpv> Kod(const char* kod, const char* opis, int poziom)
{
    auto k = std::make_unique<TKodCpv>();
    k->Kod = QString::fromUtf8(kod);
    k->Opis = QString::fromUtf8(opis);
    k->Poziom = poziom;
    return k;
}

// 45000000-7 > 45100000-8 > 45110000-1, and 71000000-8 outside the construction works.
class KodyCpv : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FKody.push_back(Kod("45000000-7", "Roboty budowlane", 0));
        FTeren = FKody[0]->Dodaj(Kod("45100000-8", "Przygotowanie terenu pod budowę", 1));
        FRozbiorki = FTeren->Dodaj(Kod("45110000-1", "Roboty w zakresie rozbiórki", 2));
        FKody.push_back(Kod("71000000-8", "Usługi architektoniczne", 0));
        FTeren->Checked = true;
    }

    static QTreeWidgetItem* Element(TKodyCpv& okno, const QString& kod)
    {
        auto* drzewo = okno.findChild<QTreeWidget*>(QStringLiteral("Drzewo"));
        const auto znalezione = drzewo->findItems(kod, Qt::MatchStartsWith | Qt::MatchRecursive);
        return znalezione.isEmpty() ? nullptr : znalezione.front();
    }
    static void Szukaj(TKodyCpv& okno, const QString& tekst, int oczekiwanych)
    {
        okno.findChild<QLineEdit*>(QStringLiteral("Szukaj"))->setText(tekst);
        EXPECT_TRUE(QTest::qWaitFor([&] { return okno.Widocznych() == oczekiwanych; }, 3000))
            << tekst.toStdString() << ": " << okno.Widocznych();
    }

    TListaKodowCpv FKody;
    TKodCpv* FTeren = nullptr;
    TKodCpv* FRozbiorki = nullptr;
};

TEST_F(KodyCpv, ZaznaczeniaPrzetrwajaSzukanieIOkZatwierdza)
{
    TKodyCpv okno(FKody, nullptr);
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Wybierz kody CPV"));
    EXPECT_EQ(okno.Widocznych(), 4);
    ASSERT_NE(Element(okno, QStringLiteral("45110000-1")), nullptr);
    EXPECT_EQ(Element(okno, QStringLiteral("45110000-1"))->text(0),
              QStringLiteral("45110000-1 - Roboty w zakresie rozbiórki"));
    Element(okno, QStringLiteral("45110000-1"))->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(FRozbiorki->Checked);

    Szukaj(okno, QStringLiteral("ROZBIÓRKI"), 3); // the level-2 code with its ancestors
    EXPECT_EQ(Element(okno, QStringLiteral("45110000-1"))->checkState(0), Qt::Checked);
    EXPECT_EQ(Element(okno, QStringLiteral("45100000-8"))->checkState(0), Qt::Checked);
    EXPECT_TRUE(Element(okno, QStringLiteral("45100000-8"))->isExpanded());
    Szukaj(okno, QString(), 4);
    EXPECT_TRUE(FRozbiorki->Checked && FTeren->Checked);

    okno.findChild<QPushButton*>(QStringLiteral("OK"))->click();
    EXPECT_EQ(okno.result(), QDialog::Accepted);
    EXPECT_TRUE(FRozbiorki->Checked);
}

TEST_F(KodyCpv, AnulujPrzywracaZaznaczeniaOtwarcia)
{
    TKodyCpv okno(FKody, nullptr);
    Element(okno, QStringLiteral("45110000-1"))->setCheckState(0, Qt::Checked);
    Element(okno, QStringLiteral("45100000-8"))->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(FTeren->Checked);
    okno.findChild<QPushButton*>(QStringLiteral("Anuluj"))->click();
    EXPECT_EQ(okno.result(), QDialog::Rejected);
    EXPECT_TRUE(FTeren->Checked);
    EXPECT_FALSE(FRozbiorki->Checked);
    EXPECT_FALSE(FKody[0]->Checked);
}

TEST_F(KodyCpv, TrybRobotBudowlanychUkrywaInneKody)
{
    TKodyCpv okno(FKody, nullptr);
    auto* szukaj = okno.findChild<QLineEdit*>(QStringLiteral("Szukaj"));
    auto* tryb = okno.findChild<QComboBox*>(QStringLiteral("TrybSzukania"));
    EXPECT_EQ(szukaj->placeholderText(), QStringLiteral("       Szukaj w Robotach Budowlanych"));
    EXPECT_EQ(tryb->currentText(), QStringLiteral("Szukaj w Robotach Budowlanych"));
    Szukaj(okno, QStringLiteral("architekt"), 0);
    tryb->setCurrentIndex(1); // the search runs again at once
    EXPECT_EQ(okno.Widocznych(), 1);
    EXPECT_EQ(szukaj->placeholderText(), QStringLiteral("       Szukaj w całym słowniku CPV"));
    ZapiszZrzut(&okno, QStringLiteral("kody-cpv-wybor"));
}

TEST_F(KodyCpv, PrzegladanieBezZaznaczania)
{
    TKodyCpv okno(nullptr);
    EXPECT_GT(okno.Widocznych(), 100); // the program's table
    EXPECT_TRUE(okno.findChild<QPushButton*>(QStringLiteral("OK"))->isHidden());
    auto* zamknij = okno.findChild<QPushButton*>(QStringLiteral("Anuluj"));
    EXPECT_EQ(zamknij->text(), QStringLiteral("Zamknij"));
    EXPECT_TRUE(zamknij->isDefault());
    auto* drzewo = okno.findChild<QTreeWidget*>(QStringLiteral("Drzewo"));
    for (QTreeWidgetItemIterator it(drzewo); *it; ++it)
        ASSERT_FALSE((*it)->flags() & Qt::ItemIsUserCheckable);
    ZapiszZrzut(&okno, QStringLiteral("kody-cpv-przegladanie"));
}

} // namespace
