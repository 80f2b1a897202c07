#include "xls/Skoroszyt.h"
#include "app/Wyjatki.h"

#include <gtest/gtest.h>

TEST(Skoroszyt, NazwyArkuszyIGraniceFormatu)
{
    TSkoroszyt s;
    const std::vector<std::pair<QString, bool>> nazwy = {
        {QStringLiteral("Formularz"), true},    {QString(31, QLatin1Char('a')), true},
        {QString(32, QLatin1Char('a')), false}, {QString(), false},
        {QStringLiteral("a/b"), false},         {QStringLiteral("a[1]"), false},
        {QStringLiteral("'cytat'"), false},     {QStringLiteral("O'Brien"), true}};
    for (const auto& [nazwa, dobra] : nazwy)
        EXPECT_EQ(TSkoroszyt::CzyPoprawnaNazwaArkusza(nazwa), dobra) << nazwa.toStdString();
    TArkusz& a = s.DodajArkusz(QStringLiteral("Formularz"));
    EXPECT_THROW(s.DodajArkusz(QStringLiteral("FORMULARZ")), EBlad);
    EXPECT_THROW(a.UstawLiczbe(65536, 0, 1), EBlad);
    EXPECT_THROW(a.UstawLiczbe(0, 256, 1), EBlad);
    EXPECT_NO_THROW(a.UstawLiczbe(65535, 255, 1));
    a.Scal({1, 1, 1, 3});
    EXPECT_THROW(a.Scal({1, 3, 2, 4}), EBlad);

    a.UstawTekst(2, 1, QString(40000, QLatin1Char('x')));
    a.UstawWysokoscWierszaPx(3, 1000);
    EXPECT_EQ(s.Teksty().back().size(), TArkusz::MaksDlugoscTekstu);
    EXPECT_EQ(a.Wiersze()[3].WysokoscPx, 545);
    EXPECT_EQ(s.Ostrzezenia().size(), 2);
}

TEST(Skoroszyt, TekstyIFormatyRazIObramowanie)
{
    TSkoroszyt s;
    TArkusz& a = s.DodajArkusz(QStringLiteral("A"));
    a.UstawTekst(0, 0, QStringLiteral("m2"));
    a.UstawTekst(1, 0, QStringLiteral("m2"));
    a.UstawTekst(1, 0, QStringLiteral("m3")); // replaced: still one use
    EXPECT_EQ(s.Teksty().size(), 2u);
    EXPECT_EQ(s.UzyciaTekstow(), 2u);
    EXPECT_EQ(s.DodajFormatLiczby(QStringLiteral("#,##0.00")), TSkoroszyt::PierwszyWlasnyFormatLiczby);
    EXPECT_EQ(s.DodajFormatLiczby(QStringLiteral("#,##0.00")), TSkoroszyt::PierwszyWlasnyFormatLiczby);
    a.Obramuj({2, 1, 3, 3});
    EXPECT_EQ(a.Format(2, 1).Ramki, KrawedzGorna | KrawedzLewa);
    EXPECT_EQ(a.Format(3, 2).Ramki, KrawedzDolna);
    EXPECT_EQ(a.Format(3, 3).Ramki, KrawedzDolna | KrawedzPrawa);
    EXPECT_EQ(s.Formaty().size(), 7u); // the default and six edge sets
}

TEST(Skoroszyt, WysokosciWierszyDlaZawijanychTekstow)
{
    TSkoroszyt s;
    TArkusz& a = s.DodajArkusz(QStringLiteral("A"));
    TFormatKomorki zawijany;
    zawijany.Zawijaj = true;
    a.UstawSzerokoscKolumnyPx(1, 100);
    const QString dlugi = QStringLiteral("Podbudowa z kruszywa łamanego stabilizowanego mechanicznie grubości 20 cm");
    const std::vector<std::tuple<QString, bool, int>> przypadki = {
        {QStringLiteral("krótki"), true, -1},      // fits: the default height stays
        {dlugi, false, -1},                        // not wrapped: one line
        {dlugi, true, 8 * 17},                     // 12 characters a line, a long word broken
        {QStringLiteral("a\nb\nc"), true, 3 * 17}, // line breaks
    };
    for (size_t i = 0; i < przypadki.size(); ++i) {
        const auto& [tekst, zawijaj, wysokosc] = przypadki[i];
        a.UstawTekst(static_cast<int>(i), 1, tekst);
        if (zawijaj)
            a.UstawFormat(static_cast<int>(i), 1, zawijany);
    }
    a.UstawTekst(4, 1, dlugi); // merged over three columns: 228 px
    a.UstawFormat(4, 1, zawijany);
    a.Scal({4, 1, 4, 3});
    a.DopasujWysokosciWierszy();
    for (size_t i = 0; i < przypadki.size(); ++i)
        EXPECT_EQ(a.Wiersze()[i].WysokoscPx, std::get<2>(przypadki[i])) << i;
    EXPECT_EQ(a.Wiersze()[4].WysokoscPx, 3 * 17);
}
