// Reading ".stc" files: the fields taken from each record, repeats, blanks, line ends and encodings.
#include "specs/ImporterSTC.h"
#include "app/Kodowanie.h"
#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TPrzypadek
{
    const char* Opis;
    QByteArray Bajty;
    QStringList Numery;
    QStringList Listy;
};

TEST(ImporterSTC, Rekordy)
{
    const TPrzypadek przypadki[] = {
        {"cztery pola", "D-01.01|Odtworzenie trasy|m|/dane/drogi.sst\n", {"D-01.01"}, {"/dane/drogi.sst"}},
        {"pięć pól: numer z dwóch pierwszych", "A|B|x|y|/dane/l.sst\n", {"A|B"}, {"/dane/l.sst"}},
        {"sześć pól", "A|B|C|x|y|L.sst", {"A|B|C"}, {"L.sst"}},
        {"trzy pola pominięte", "A|x|L.sst\nB|y|z|M.sst\n", {"B"}, {"M.sst"}},
        {"bez pól", "\n\nsam tekst\n", {}, {}},
        {"puste pola pominięte", "|x|y|L.sst\nN||| \n  | | |  \n", {"N"}, {"L.sst"}},
        {"obcięte", "  D-01  |a|b|  C:\\Dane\\L.sst  \r\n", {"D-01"}, {"C:\\Dane\\L.sst"}},
        {"powtórzenia bez względu na wielkość liter",
         "d-01|a|b|l.sst\nD-01|a|b|L.SST\nD-02|a|b|l.sst\nd-01 |a|b| l.Sst\n",
         {"d-01", "D-02"},
         {"l.sst"}},
        {"ta sama lista w każdym wierszu",
         "D-01|a|b|/dane/drogi.sst\nD-02|a|b|/dane/drogi.sst\nD-03|a|b|/dane/drogi.sst\n",
         {"D-01", "D-02", "D-03"},
         {"/dane/drogi.sst"}},
        {"końce wierszy CR LF, LF i CR",
         "A|x|y|L1\r\nB|x|y|L2\nC|x|y|L3\rD|x|y|L4",
         {"A", "B", "C", "D"},
         {"L1", "L2", "L3", "L4"}},
        {"Windows-1250 bez znacznika", "\xa3\xf3\x64\x9f|x|y|\xa3\xf3\x64\x9f.sst\n", {"Łódź"}, {"Łódź.sst"}},
        {"UTF-8 ze znacznikiem", "\xef\xbb\xbf\xc5\x81\xc3\xb3\x64\xc5\xba|x|y|L.sst\n", {"Łódź"}, {"L.sst"}},
        {"UTF-16 LE ze znacznikiem",
         QByteArray("\xff\xfe", 2) + QByteArray("A\0|\0x\0|\0y\0|\0L\0\n\0", 16),
         {"A"},
         {"L"}},
        {"pusty plik", "", {}, {}},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        TImporterSTC importer;
        importer.WczytajZBajtow(p.Bajty);
        EXPECT_EQ(importer.ListaNumerowSt(), p.Numery);
        EXPECT_EQ(importer.ListaSst(), p.Listy);
    }
}

TEST(ImporterSTC, PlikNaDysku)
{
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("rysunek.stc"));
    ZapiszPlik(plik, NaWindows1250(QStringLiteral("D-01.01|Odtworzenie|m|/dane/Łąki.sst\r\n"
                                                  "D-01.02|Drzewa|szt|/dane/Łąki.sst\r\n")));
    TImporterSTC importer;
    importer.WczytajPlik(plik);
    EXPECT_EQ(importer.ListaNumerowSt(), QStringList({QStringLiteral("D-01.01"), QStringLiteral("D-01.02")}));
    EXPECT_EQ(importer.ListaSst(), QStringList({QStringLiteral("/dane/Łąki.sst")}));

    // Each reading starts afresh; a missing file leaves both lists empty.
    importer.WczytajZBajtow("X|a|b|Y\n");
    EXPECT_EQ(importer.ListaNumerowSt(), QStringList({QStringLiteral("X")}));
    for (const QString& brak : {katalog.filePath(QStringLiteral("brak.stc")), katalog.path(), QString()}) {
        try {
            importer.WczytajPlik(brak);
            ADD_FAILURE() << brak.toStdString();
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QStringLiteral("Wybrany plik nie istnieje: ") + brak);
        }
        EXPECT_TRUE(importer.ListaNumerowSt().isEmpty());
        EXPECT_TRUE(importer.ListaSst().isEmpty());
    }
}

TEST(ImporterSTC, DuzyPlikZPowtorzeniami)
{
    // Repeats are recognised without searching the list for each line.
    QByteArray bajty;
    for (int i = 0; i < 200000; ++i)
        bajty += "N-" + QByteArray::number(i % 5000) + "|a|b|L" + QByteArray::number(i % 7) + ".sst\n";
    TImporterSTC importer;
    importer.WczytajZBajtow(bajty);
    EXPECT_EQ(importer.ListaNumerowSt().size(), 5000);
    EXPECT_EQ(importer.ListaNumerowSt().first(), QStringLiteral("N-0"));
    EXPECT_EQ(importer.ListaSst().size(), 7);
}

} // namespace
