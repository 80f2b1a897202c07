// "generuj" on the demo set: every output kind holds the title page and every collection file in order,
// with header, numbered footers, the task name and the list of specifications filled in.
#include "cli/PolecenieGeneruj.h"
#include "cli/UruchomPolecenie.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The marker line each demo document carries: its number, a variant as "#N" ("D-04.04.02 2.docx" holds
// "Znacznik: D-04.04.02#2").
QString Znacznik(const QString& plik)
{
    QString nazwa = QFileInfo(plik).completeBaseName();
    if (nazwa == QStringLiteral("Strona tytułowa"))
        return QStringLiteral("Znacznik: STRONA TYTUŁOWA");
    nazwa.replace(QRegularExpression(QStringLiteral(" (\\d+)$")), QStringLiteral("#\\1"));
    return QStringLiteral("Znacznik: ") + nazwa;
}

class PolecenieGenerujFormat : public ::testing::TestWithParam<const char*>
{
};

TEST_P(PolecenieGenerujFormat, DokumentZestawuDemo)
{
    QTemporaryDir katalog;
    const QString wynik = katalog.filePath(QStringLiteral("wynik/Specyfikacje.") + GetParam());
    TPolecenieGeneruj polecenie;
    polecenie.UzyjSilnika(&SilnikWspolny());
    const TWynik w = UruchomPolecenie(polecenie, ArgumentyDemo(wynik));
    ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
    const QJsonObject json = Json(w.Wyjscie);
    EXPECT_EQ(json["plik"].toString(), wynik);
    EXPECT_TRUE(json["strona_tytulowa"].toBool());
    const QJsonArray pliki = json["pliki"].toArray();
    ASSERT_GE(pliki.size(), 30);
    // Documents of all three kinds went in.
    QSet<QString> rodzaje;
    for (const QJsonValue& p : pliki)
        rodzaje.insert(QFileInfo(p.toString()).suffix());
    EXPECT_EQ(rodzaje, (QSet<QString>{"odt", "doc", "docx"}));
    EXPECT_EQ(w.Blad.count(QStringLiteral("Przetwarzanie pliku: ")), pliki.size());

    const QString pdf = QFileInfo(wynik).suffix() == QLatin1String("pdf") ? wynik : DoPdf(SilnikWspolny(), wynik);
    const QString tekst = TekstPdf(pdf);
    qsizetype pozycja = 0;
    for (const QJsonValue& p : pliki) {
        const QRegularExpression linia(QRegularExpression::escape(Znacznik(p.toString())) + QStringLiteral("\\s*\\n"));
        const auto dopasowanie = linia.match(tekst, pozycja);
        ASSERT_TRUE(dopasowanie.hasMatch()) << Znacznik(p.toString()).toStdString();
        pozycja = dopasowanie.capturedEnd();
    }
    EXPECT_FALSE(tekst.contains("#NAZWA_ZADANIA#"));
    EXPECT_FALSE(tekst.contains("#LISTA_ST#"));
    EXPECT_TRUE(tekst.contains("Przebudowa infrastruktury gminnej 2024"));
    EXPECT_TRUE(tekst.contains("D-04.04.02 - Podbudowa z kruszywa łamanego"));
    const QStringList strony = tekst.split(QLatin1Char('\f'));
    ASSERT_GT(strony.size(), pliki.size());
    EXPECT_FALSE(strony[0].contains("Strona -"));
    EXPECT_FALSE(strony[0].contains("Gmina Złotów Pomorski          "));
    EXPECT_TRUE(strony[1].contains(QRegularExpression("Gmina Złotów Pomorski\\s+Strona - 2")));
    EXPECT_TRUE(strony[1].contains("Zadanie: Przebudowa infrastruktury gminnej 2024 – specyfikacje techniczne"));
}

INSTANTIATE_TEST_SUITE_P(Formaty, PolecenieGenerujFormat, ::testing::Values("doc", "docx", "odt", "pdf"));

} // namespace
