// Texts shared through one reading, and the compact texts of positions.
#include "estimates/WspolneTeksty.h"
#include "estimates/ZwartyTekst.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

bool TaSamaKopia(const QString& a, const QString& b)
{
    return a.constData() == b.constData();
}

bool TaSamaKopia(const TZwartyTekst& a, const TZwartyTekst& b)
{
    return a.TaSamaKopia(b);
}

QString Tekst(const QString& t)
{
    return t;
}

QString Tekst(const TZwartyTekst& t)
{
    return t.Tekst();
}

template <typename T> class Wspolne : public ::testing::Test
{
};
using TypyKopii = ::testing::Types<QString, TZwartyTekst>;
TYPED_TEST_SUITE(Wspolne, TypyKopii);

TYPED_TEST(Wspolne, JednaKopiaTekstu)
{
    TWspolne<TypeParam> wspolne;
    const TypeParam a = wspolne(u"m3");
    struct TPrzypadek
    {
        QStringView Tekst;
        std::size_t Pole;
        bool TaSamaCoA;
    };
    constexpr std::size_t bezPola = TWspolne<TypeParam>::MaksPol;
    const TPrzypadek przypadki[] = {
        {u"m3", bezPola, true}, {u"m3", 3, true}, {u"m3", 3, true},
        {u"m2", 3, false},      {u"m3", 0, true}, {u"M3", bezPola, false},
    };
    for (const TPrzypadek& p : przypadki) {
        const TypeParam t = p.Pole < bezPola ? wspolne(p.Tekst, p.Pole) : wspolne(p.Tekst);
        EXPECT_EQ(Tekst(t), p.Tekst.toString());
        EXPECT_EQ(TaSamaKopia(t, a), p.TaSamaCoA) << p.Tekst.toString().toStdString();
    }
    EXPECT_TRUE(Tekst(wspolne(QStringView())).isNull());
    // Past many texts (and the growing of the table) the first are still found.
    for (int i = 0; i < 5000; ++i)
        wspolne(QString::number(i));
    EXPECT_TRUE(TaSamaKopia(wspolne(u"m3"), a));
    EXPECT_TRUE(TaSamaKopia(wspolne(u"4999"), wspolne(u"4999", 1)));
    // A copy made by the reader, kept after a miss, is the one found next.
    const TypeParam wlasna(QStringLiteral("opis"));
    EXPECT_TRUE(Tekst(wspolne.Znajdz(u"opis")).isEmpty());
    wspolne.Dodaj(u"opis", wlasna);
    EXPECT_TRUE(TaSamaKopia(wspolne.Znajdz(u"opis"), wlasna));
}

// Every text reads back exactly as it was given, whatever it holds, and compares equal only to itself.
TEST(ZwartyTekst, OddajeTenSamTekst)
{
    const QString przypadki[] = {
        QString(),
        QStringLiteral("m3"),
        QStringLiteral("Wykopy oraz przekopy wykonywane koparkami podsiębiernymi, grunt kat. III"),
        QStringLiteral("Roboty ziemne – odcinek 1 (ŻÓŁĆ, ąęśźń)"),
        QString::fromUtf8("Rura \xF0\x9F\x94\xA7 ø 110"), // a character beyond the first plane: a surrogate pair
        QString(QChar(0xD800)) + QStringLiteral("x"),     // a lone surrogate
        QString(QChar(0xFEFF)) + QStringLiteral("m3"),    // a byte-order mark of its own
        QString(QChar(0xFEFF)),
        QString(QChar(0x7F)) + QChar(0x80) + QChar(0x7FF) + QChar(0x800) + QChar(0xFFFF),
    };
    for (const QString& t : przypadki) {
        const TZwartyTekst z(t);
        EXPECT_EQ(z.Tekst(), t);
        EXPECT_EQ(z.isEmpty(), t.isEmpty());
        EXPECT_TRUE(z.Rowny(t));
        const TZwartyTekst kopia = z;
        EXPECT_TRUE(kopia == z);
        EXPECT_EQ(kopia.TaSamaKopia(z), !t.isEmpty());
        for (const QString& inny : przypadki)
            if (inny != t) {
                EXPECT_FALSE(z.Rowny(inny)) << t.toStdString() << " / " << inny.toStdString();
                EXPECT_FALSE(z == TZwartyTekst(inny));
            }
        // Texts that differ only in their last character, or by one more.
        if (!t.isEmpty()) {
            EXPECT_FALSE(z.Rowny(t.left(t.size() - 1)));
            EXPECT_FALSE(z.Rowny(t + QChar(u'ą')));
            EXPECT_FALSE(z.Rowny(t + QChar(u'a')));
        }
    }
}

// Texts made in one allocation read back as made, and a copy of one lives on after the others are gone.
TEST(ZwartyTekst, RazemWJednymBloku)
{
    const QString teksty[] = {QStringLiteral("0123456789abcdef0123456789abcdef"), QString(), QStringLiteral("1.2"),
                              QString::fromUtf8("Rura \xF0\x9F\x94\xA7"),
                              QStringLiteral("Wykopy – grunt kat. III, ąę")};
    TZwartyTekst zostaje;
    {
        const auto razem = TZwartyTekst::Razem<5>({teksty[0], teksty[1], teksty[2], teksty[3], teksty[4]});
        for (std::size_t i = 0; i < razem.size(); ++i) {
            EXPECT_EQ(razem[i].Tekst(), teksty[i]);
            EXPECT_TRUE(razem[i].Rowny(teksty[i]));
            EXPECT_TRUE(razem[i] == TZwartyTekst(teksty[i]));
        }
        zostaje = razem[4];
        EXPECT_TRUE(zostaje.TaSamaKopia(razem[4]));
        EXPECT_FALSE(razem[2] == razem[4]);
    }
    EXPECT_EQ(zostaje.Tekst(), teksty[4]);
    // One text, or none, needs no shared allocation.
    const auto jeden = TZwartyTekst::Razem<2>({QStringView(), teksty[2]});
    EXPECT_TRUE(jeden[0].isEmpty());
    EXPECT_EQ(jeden[1].Tekst(), teksty[2]);
}

} // namespace
