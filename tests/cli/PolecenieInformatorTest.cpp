#include "cli/PolecenieInformator.h"
#include "cli/UruchomPolecenie.h"

#include <QJsonArray>
#include <QTemporaryDir>

namespace {

TEST(PolecenieInformator, PublikacjaZFiltramiIBledy)
{
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("i.xml"));
    ZapiszPlik(plik, "<informator wydawca=\"W\" wydanie=\"II\" rok=\"2024\">"
                     "<pozycja SYMBOL_GL=\"B-01\" NAZWA=\"Beton\" cj_sr_CENA=\"365,5\"/>"
                     "<pozycja SYMBOL_GL=\"S-02\" NAZWA=\"Stal\"/>"
                     "<wspolczynniki><w region=\"opolskie\" wsp_kub=\"1,1\"/></wspolczynniki></informator>");
    const TWynik w = UruchomPolecenie<TPolecenieInformator>({plik, QStringLiteral("--nazwa"), QStringLiteral(" bet ")});
    ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
    const QJsonObject j = QJsonDocument::fromJson(w.Wyjscie.toUtf8()).object();
    EXPECT_EQ(j[QStringLiteral("wydanie")].toString(), QStringLiteral("II"));
    const QJsonArray pozycje = j[QStringLiteral("pozycje")].toArray();
    ASSERT_EQ(pozycje.size(), 1);
    EXPECT_EQ(pozycje[0][QStringLiteral("symbol")].toString(), QStringLiteral("B-01"));
    EXPECT_DOUBLE_EQ(pozycje[0][QStringLiteral("cenaSr")].toDouble(), 365.5);
    EXPECT_DOUBLE_EQ(j[QStringLiteral("wspolczynniki")].toArray()[0][QStringLiteral("kubaturowe")].toDouble(), 1.1);

    const QString brak = katalog.filePath(QStringLiteral("brak.xml"));
    EXPECT_EQ(UruchomPolecenie<TPolecenieInformator>({brak}).Blad, QStringLiteral("Brak pliku: ") + brak);
    EXPECT_EQ(UruchomPolecenie<TPolecenieInformator>({}).Blad,
              QStringLiteral("Polecenie \"informator\" wymaga pliku informatora cen (.xml)."));
}

} // namespace
