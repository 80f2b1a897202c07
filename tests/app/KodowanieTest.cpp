#include "app/Kodowanie.h"
#include "app/Wyjatki.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

const QString PolskieLitery = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");

TEST(Kodowanie, PolskieLiteryWObuStronachKodowych)
{
    // Bytes of the Polish letters, checked against the code pages' published tables.
    EXPECT_EQ(NaWindows1250(QStringLiteral("ąęłśżź")), QByteArray("\xB9\xEA\xB3\x9C\xBF\x9F"));
    EXPECT_EQ(NaCp852(QStringLiteral("ąęłśżź")), QByteArray("\xA5\xA9\x88\x98\xBE\xAB"));
    for (TStronaKodowa strona : {TStronaKodowa::Windows1250, TStronaKodowa::Cp852}) {
        EXPECT_EQ(ZeStronyKodowej(NaStroneKodowa(PolskieLitery, strona), strona), PolskieLitery);
        EXPECT_TRUE(CzyMiesciSieWStronie(PolskieLitery, strona));
        EXPECT_FALSE(CzyMiesciSieWStronie(QStringLiteral("€漢"), TStronaKodowa::Cp852));
    }
}

TEST(Kodowanie, ZnakSpozaStronyStajeSieZnakiemZapytania)
{
    EXPECT_EQ(NaWindows1250(QStringLiteral("a漢b")), QByteArray("a?b"));
}

TEST(Kodowanie, KazdyBajtCp1250MaZnak)
{
    QByteArray wszystkie;
    for (int b = 0; b < 256; ++b)
        wszystkie.append(static_cast<char>(b));
    const QString tekst = ZWindows1250(wszystkie);
    ASSERT_EQ(tekst.size(), 256);
    EXPECT_EQ(tekst[0x80], QChar(0x20AC));                      // euro sign
    EXPECT_EQ(tekst[0x81], QChar(QChar::ReplacementCharacter)); // undefined in the code page
}

TEST(Kodowanie, NazwaneKodowaniaIconv)
{
    EXPECT_EQ(ZKodowania(QByteArray("\xB1\xE6"), "ISO-8859-2"), QStringLiteral("ąć"));
    EXPECT_EQ(NaKodowanie(QStringLiteral("ąć"), "ISO-8859-2"), QByteArray("\xB1\xE6"));
    EXPECT_THROW(ZKodowania(QByteArray("x"), "no-such-encoding"), EBlad);
    // A character the target cannot hold is skipped whole; the rest is not garbled.
    EXPECT_EQ(NaKodowanie(QStringLiteral("a€ą"), "ISO-8859-2"), QByteArray("a\xB1"));
    // A stateful encoding gives back its held characters at the end (Vietnamese combining marks).
    EXPECT_EQ(ZKodowania(NaKodowanie(QStringLiteral("Tiếng"), "WINDOWS-1258"), "WINDOWS-1258"),
              QStringLiteral("Tiếng").normalized(QString::NormalizationForm_C));
}

TEST(DekodujTekstPliku, ZnacznikKolejnosciBajtowDecyduje)
{
    const struct
    {
        QByteArray Bajty;
        TKodowaniePliku Kodowanie;
    } przypadki[] = {
        {QByteArray("\xEF\xBB\xBF") + QStringLiteral("żółw").toUtf8(), TKodowaniePliku::Utf8Bom},
        {QByteArray("\xFF\xFE\x7C\x01\xF3\x00\x42\x01\x77\x00", 10), TKodowaniePliku::Utf16LE},
        {QByteArray("\xFE\xFF\x01\x7C\x00\xF3\x01\x42\x00\x77", 10), TKodowaniePliku::Utf16BE},
        {QByteArray("\xBF\xF3\xB3w"), TKodowaniePliku::Ansi},
    };
    for (const auto& p : przypadki) {
        const TTekstPliku t = DekodujTekstPliku(p.Bajty);
        EXPECT_EQ(t.Kodowanie, p.Kodowanie);
        EXPECT_EQ(t.Tekst, QStringLiteral("żółw"));
    }
}

TEST(DekodujTekstPliku, NiepelnyZnakUtf16NieWychodziPozaDane)
{
    const TTekstPliku t = DekodujTekstPliku(QByteArray("\xFF\xFE\x41\x00\x42", 5));
    EXPECT_EQ(t.Tekst, QStringLiteral("A"));
}

TEST(PodzielNaLinie, KazdyRodzajKoncaLinii)
{
    EXPECT_EQ(PodzielNaLinie(QStringLiteral("a\r\nb\nc\rd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(PodzielNaLinie(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(PodzielNaLinie(QString()).isEmpty());
}

} // namespace
