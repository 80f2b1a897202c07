// The "archiwizuj" and "rozpakuj" commands on a copy of the demo set.

#include "cli/PolecenieArchiwizuj.h"
#include "cli/PolecenieRozpakuj.h"
#include "cli/UruchomPolecenie.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class TPolecenieArchiwum : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FTmp.isValid());
        const QString demo = QDir::cleanPath(SciezkaDanychTestowych(QStringLiteral("../../data/demo")));
        QDirIterator it(demo, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString plik = it.next();
            ZapiszPlik(Uzytkownika(QDir(demo).relativeFilePath(plik)), CzytajPlik(plik));
        }
    }
    QString Tmp(const QString& w) const { return FTmp.path() + QLatin1Char('/') + w; }
    QString Uzytkownika(const QString& w) const { return Tmp(QStringLiteral("u/") + w); }

    QTemporaryDir FTmp;
};

TEST_F(TPolecenieArchiwum, ArchiwizujWypisujeBrakiIPakujeARozpakujPodajeSciezke)
{
    ASSERT_TRUE(QFile::remove(Uzytkownika(QStringLiteral("fwd_szkola_srem.fwd"))));
    const TWynik a = UruchomPolecenie<TPolecenieArchiwizuj>(
        {Uzytkownika(QStringLiteral("Zestaw demo.zst")), QStringLiteral("-o"), Tmp(QStringLiteral("z.azst")),
         QStringLiteral("--katalog-uzytkownika"), Tmp(QStringLiteral("u"))});
    ASSERT_EQ(a.Kod, 0) << a.Blad.toStdString();
    EXPECT_EQ(a.Wyjscie,
              QStringLiteral("W bieżącym zestawie brakuje następujących, powiązanych plików:\nKosztorys\n  ") +
                  Uzytkownika(QStringLiteral("fwd_szkola_srem.fwd")) +
                  QStringLiteral("\nPomyślnie utworzono archiwum\n") + Tmp(QStringLiteral("z.azst")) + '\n');

    const QString cel = Tmp(QStringLiteral("cel"));
    const QStringList rozpakuj{Tmp(QStringLiteral("z.azst")),
                               QStringLiteral("-d"),
                               cel,
                               QStringLiteral("--struktura"),
                               QStringLiteral("2"),
                               QStringLiteral("--katalog-uzytkownika"),
                               cel};
    const TWynik r = UruchomPolecenie<TPolecenieRozpakuj>(rozpakuj);
    ASSERT_EQ(r.Kod, 0) << r.Blad.toStdString();
    EXPECT_EQ(r.Wyjscie, cel + QStringLiteral("/Dane/Zestawy/Zestaw demo.zst\n"));
    const QByteArray zestaw = CzytajPlik(cel + QStringLiteral("/Dane/Zestawy/Zestaw demo.zst"));
    EXPECT_TRUE(zestaw.contains(R"(path="%USERPATH%/Dane/Kosztorysy/zuzia_ulica_lesna.xml")"));
    EXPECT_TRUE(zestaw.contains(R"(path="%USERPATH%/fwd_szkola_srem.fwd")"));
    EXPECT_EQ(CzytajPlik(cel + QStringLiteral("/Specyfikacje Techniczne/ST-00.00.odt")),
              CzytajPlik(Uzytkownika(QStringLiteral("Specyfikacje/ST-00.00.odt"))));

    // Again: the same files exist; a different structure than the folder's is refused; overwrite works.
    const TWynik znowu = UruchomPolecenie<TPolecenieRozpakuj>(rozpakuj);
    EXPECT_EQ(znowu.Kod, 1);
    EXPECT_EQ(znowu.Blad, QStringLiteral("Plik istnieje: ") + cel + QStringLiteral("/Dane/Zestawy/Zestaw demo.zst"));
    const TWynik inna = UruchomPolecenie<TPolecenieRozpakuj>({Tmp(QStringLiteral("z.azst")), QStringLiteral("-d"), cel,
                                                              QStringLiteral("--struktura"), QStringLiteral("0"),
                                                              QStringLiteral("--nadpisuj")});
    EXPECT_EQ(inna.Kod, 1);
    EXPECT_TRUE(inna.Blad.startsWith(QStringLiteral("W wybranym folderze docelowym istnieje już struktura plików")));
    const TWynik nadpisz = UruchomPolecenie<TPolecenieRozpakuj>(QStringList(rozpakuj) << QStringLiteral("--nadpisuj"));
    EXPECT_EQ(nadpisz.Kod, 0) << nadpisz.Blad.toStdString();
}

TEST_F(TPolecenieArchiwum, ListaTamIZPowrotem)
{
    const TWynik a = UruchomPolecenie<TPolecenieArchiwizuj>(
        {Uzytkownika(QStringLiteral("Lista demo.sst")), QStringLiteral("-o"), Tmp(QStringLiteral("l.alst")),
         QStringLiteral("--katalog-uzytkownika"), Tmp(QStringLiteral("u"))});
    ASSERT_EQ(a.Kod, 0) << a.Blad.toStdString();
    EXPECT_TRUE(a.Wyjscie.startsWith(QStringLiteral("Pomyślnie utworzono archiwum\n")));
    const TWynik r = UruchomPolecenie<TPolecenieRozpakuj>(
        {Tmp(QStringLiteral("l.alst")), QStringLiteral("-d"), Tmp(QStringLiteral("cel"))});
    ASSERT_EQ(r.Kod, 0) << r.Blad.toStdString();
    EXPECT_EQ(r.Wyjscie, Tmp(QStringLiteral("cel/Dane/Listy SST/Lista demo.sst\n")));
    EXPECT_TRUE(QFileInfo::exists(Tmp(QStringLiteral("cel/Specyfikacje Techniczne/D/D-01/D-01.01/D-01.01.01.odt"))));
}

struct TZleArgumenty
{
    bool Archiwizuj;
    QStringList Argumenty;
    const char* Poczatek;
};

TEST_F(TPolecenieArchiwum, ZleArgumenty)
{
    const TZleArgumenty przypadki[] = {
        {true, {QStringLiteral("a.zst")}, "Polecenie \"archiwizuj\" wymaga"},
        {true, {QStringLiteral("a.txt"), QStringLiteral("-o"), QStringLiteral("x")}, "Polecenie \"archiwizuj\" wymaga"},
        {true, {QStringLiteral("brak.zst"), QStringLiteral("-o"), QStringLiteral("x")}, "Plik nie istnieje: "},
        {false, {QStringLiteral("a.azst")}, "Proszę wskazać folder docelowy."},
        {false, {QStringLiteral("-d"), QStringLiteral("x")}, "Proszę wskazać plik archiwum."},
        {false, {QStringLiteral("a.zip"), QStringLiteral("-d"), QStringLiteral("x")}, "Polecenie \"rozpakuj\" wymaga"},
        {false,
         {QStringLiteral("a.azst"), QStringLiteral("-d"), QStringLiteral("x"), QStringLiteral("--struktura"),
          QStringLiteral("3")},
         "Opcja --struktura przyjmuje"},
    };
    for (const TZleArgumenty& p : przypadki) {
        const TWynik w = p.Archiwizuj ? UruchomPolecenie<TPolecenieArchiwizuj>(p.Argumenty)
                                      : UruchomPolecenie<TPolecenieRozpakuj>(p.Argumenty);
        EXPECT_EQ(w.Kod, 1);
        EXPECT_TRUE(w.Blad.startsWith(QString::fromUtf8(p.Poczatek))) << w.Blad.toStdString();
    }
}

} // namespace
