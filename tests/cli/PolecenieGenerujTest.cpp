// "generuj": its arguments, and an office that cannot start (the documents it makes: office/).
#include "cli/PolecenieGeneruj.h"
#include "cli/UruchomPolecenie.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TWynik Uruchom(const QStringList& argumenty)
{
    return UruchomPolecenie<TPolecenieGeneruj>(argumenty);
}

TEST(PolecenieGeneruj, BledneArgumenty)
{
    struct TPrzypadek
    {
        QStringList Argumenty;
        QString Komunikat;
    };
    const TPrzypadek przypadki[] = {
        {{"x.zst"}, "Polecenie \"generuj\" wymaga pliku zestawu (.zst) i opcji -o WYNIK (.doc, .docx, .odt lub .pdf)."},
        {{"x.zst", "-o", "w.txt"},
         "Nieobsługiwany format pliku wynikowego (dozwolone: .doc, .docx, .odt, .pdf): " +
             QDir::current().absoluteFilePath("w.txt")},
        {{"x.zst", "-o", "w.doc", "--rodzaj", "pdf"}, "Opcja --rodzaj przyjmuje wartość word lub odt."},
    };
    for (const auto& p : przypadki) {
        const TWynik w = Uruchom(p.Argumenty);
        EXPECT_EQ(w.Kod, 1);
        EXPECT_EQ(w.Blad, p.Komunikat);
    }
}

// An office that cannot start: the exporter's message, no target and no folder content left behind.
TEST(PolecenieGeneruj, BrakPakietuBiurowego)
{
    QTemporaryDir katalog;
    const QByteArray stary = qgetenv("VELOSTRA_SOFFICE");
    qputenv("VELOSTRA_SOFFICE", "/bin/false");
    const TWynik w = Uruchom(ArgumentyDemo(katalog.filePath("w.odt")));
    if (stary.isEmpty())
        qunsetenv("VELOSTRA_SOFFICE");
    else
        qputenv("VELOSTRA_SOFFICE", stary);
    EXPECT_EQ(w.Kod, 1);
    EXPECT_TRUE(w.Blad.endsWith("Brak zainstalowanego OpenOffice lub środowiska uruchomieniowego Java!"))
        << w.Blad.toStdString();
    EXPECT_TRUE(QDir(katalog.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

} // namespace
