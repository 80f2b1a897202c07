#include "cli/PoleceniePorzadkuj.h"
#include "cli/UruchomPolecenie.h"

#include <QDirIterator>
#include <QTemporaryDir>

namespace {

TWynik Uruchom(const QStringList& argumenty)
{
    return UruchomPolecenie<TPoleceniePorzadkuj>(argumenty);
}

int PlikowW(const QString& folder)
{
    int n = 0;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++n;
    return n;
}

// The demo list with its documents, copied: the report goes to the user folder, which is the copy's.
class PoleceniePorzadkuj : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(Uzytkownik() + QStringLiteral("/Specyfikacje"));
        QFile::copy(Demo() + QStringLiteral("/Lista demo.sst"), Lista());
        for (QDirIterator it(Demo() + QStringLiteral("/Specyfikacje"), QDir::Files); it.hasNext();) {
            const QString plik = it.next();
            QFile::copy(plik, Uzytkownik() + QStringLiteral("/Specyfikacje/") + QFileInfo(plik).fileName());
        }
        QDir().mkpath(Cel());
    }
    QString Uzytkownik() const { return Katalog.filePath(QStringLiteral("u")); }
    QString Lista() const { return Uzytkownik() + QStringLiteral("/Lista demo.sst"); }
    QString Cel() const { return Katalog.filePath(QStringLiteral("cel")); }
    QStringList Wspolne() const
    {
        return {Lista(), QStringLiteral("-d"), Cel(), QStringLiteral("--katalog-uzytkownika"), Uzytkownik()};
    }

    QTemporaryDir Katalog;
};

TEST_F(PoleceniePorzadkuj, ProbaKopiaPowtorkaIAktualizacja)
{
    const int dokumentow = PlikowW(Uzytkownik() + QStringLiteral("/Specyfikacje"));
    ASSERT_GT(dokumentow, 200);
    const TWynik proba =
        Uruchom(Wspolne() + QStringList{QStringLiteral("--struktura"), QStringLiteral("1"), QStringLiteral("--proba")});
    ASSERT_EQ(proba.Kod, 0) << proba.Blad.toStdString();
    EXPECT_TRUE(proba.Wyjscie.endsWith(QStringLiteral("Plików do skopiowania: %1\n").arg(dokumentow)));
    EXPECT_EQ(PlikowW(Cel()), 0);

    const TWynik kopia = Uruchom(Wspolne() + QStringList{QStringLiteral("--struktura"), QStringLiteral("2")});
    ASSERT_EQ(kopia.Kod, 0) << kopia.Blad.toStdString();
    EXPECT_EQ(PlikowW(Cel()), dokumentow + 1) << "the documents and the structure marker";

    // Again without --nadpisuj: every document exists; the report tells each, the exit code fails.
    const TWynik powtorka = Uruchom(Wspolne() + QStringList{QStringLiteral("--struktura"), QStringLiteral("2")});
    EXPECT_EQ(powtorka.Kod, 1);
    EXPECT_EQ(powtorka.Blad, QStringLiteral("Błąd kopiowania\n"));
    EXPECT_EQ(powtorka.Wyjscie.count(QStringLiteral("Błąd: Plik docelowy już istnieje: ")), dokumentow);
    EXPECT_TRUE(QFileInfo::exists(Uzytkownik() + QStringLiteral("/raport porządkowania struktury.txt")));

    // Re-pointed to the copies in a new list; the source list stays as it was.
    const QByteArray przed = CzytajPlik(Lista());
    const QString nowa = Katalog.filePath(QStringLiteral("nowa.sst"));
    const TWynik aktualizacja =
        Uruchom(Wspolne() +
                QStringList{QStringLiteral("--nadpisuj"), QStringLiteral("--aktualizuj"), QStringLiteral("-o"), nowa});
    ASSERT_EQ(aktualizacja.Kod, 0) << aktualizacja.Blad.toStdString();
    EXPECT_EQ(CzytajPlik(Lista()), przed);
    const QString tresc = QString::fromUtf8(CzytajPlik(nowa));
    EXPECT_TRUE(tresc.contains(QStringLiteral("plik=\"") + Cel() + QStringLiteral("/Lista demo/")));
    EXPECT_FALSE(tresc.contains(QStringLiteral("/Specyfikacje/")));
}

TEST_F(PoleceniePorzadkuj, Bledy)
{
    const struct
    {
        QStringList Argumenty;
        QString Komunikat;
    } przypadki[] = {
        {{}, QStringLiteral("Polecenie \"porzadkuj\" wymaga pliku listy specyfikacji (.sst).")},
        {{Lista()}, QStringLiteral("Proszę wskazać folder docelowy.")},
        {{Lista(), QStringLiteral("-d"), Katalog.filePath(QStringLiteral("brak"))},
         QStringLiteral("Wskazany folder docelowy nie istnieje.")},
        {{Lista(), QStringLiteral("-d"), Cel(), QStringLiteral("-o"), QStringLiteral("x.sst")},
         QStringLiteral("Opcja -o wymaga opcji --aktualizuj.")},
        {{Lista(), QStringLiteral("-d"), Cel(), QStringLiteral("--struktura"), QStringLiteral("3")},
         QStringLiteral("Opcja --struktura przyjmuje wartość 0, 1 lub 2: 3")},
    };
    for (const auto& p : przypadki) {
        const TWynik w = Uruchom(p.Argumenty);
        EXPECT_EQ(w.Kod, 1);
        EXPECT_EQ(w.Blad, p.Komunikat);
    }
}

} // namespace
