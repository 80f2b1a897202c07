#include "app/ZapisBezpieczny.h"
#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A file device that accepts a given number of bytes and then fails, like a full disk.
class TUrzadzeniePsujace : public QFile
{
public:
    TUrzadzeniePsujace(const QString& sciezka, qint64 limit) : QFile(sciezka), FLimit(limit) {}

protected:
    qint64 writeData(const char* dane, qint64 dlugosc) override
    {
        if (FZapisane >= FLimit) {
            setErrorString(QStringLiteral("Brak miejsca na dysku"));
            return -1;
        }
        const qint64 n = std::min(dlugosc, FLimit - FZapisane);
        const qint64 zapisane = QFile::writeData(dane, n);
        FZapisane += zapisane;
        return zapisane;
    }

private:
    qint64 FLimit;
    qint64 FZapisane = 0;
};

TFabrykaUrzadzenia PsujePo(qint64 limit)
{
    return [limit](const QString& sciezka) -> std::unique_ptr<QIODevice> {
        auto u = std::make_unique<TUrzadzeniePsujace>(sciezka, limit);
        u->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        return u;
    };
}

QStringList PlikiKatalogu(const QString& katalog)
{
    return QDir(katalog).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

TEST(ZapiszBezpiecznie, NowyPlikIZastapienieBezSladow)
{
    QTemporaryDir dir;
    const QString cel = dir.filePath(QStringLiteral("lista.sst"));
    ZapiszBezpiecznie(cel, "pierwsza");
    EXPECT_EQ(CzytajPlik(cel), QByteArray("pierwsza"));
    ZapiszBezpiecznie(cel, "druga");
    EXPECT_EQ(CzytajPlik(cel), QByteArray("druga"));
    EXPECT_EQ(PlikiKatalogu(dir.path()), QStringList{QStringLiteral("lista.sst")});
}

TEST(ZapiszBezpiecznie, BladWPolowieZapisuZostawiaStaryPlikCaly)
{
    const QByteArray stara(5000, 'S');
    const QByteArray nowa(20000, 'N');
    for (qint64 limit : {0, 1, 4096, 19999}) {
        QTemporaryDir dir;
        const QString cel = dir.filePath(QStringLiteral("zestaw.zst"));
        ZapiszPlik(cel, stara);
        try {
            ZapiszBezpiecznie(cel, nowa, PsujePo(limit));
            ADD_FAILURE() << "a failed write was reported as success, limit " << limit;
        } catch (const EBlad& e) {
            EXPECT_TRUE(e.Komunikat().contains(QStringLiteral("Błąd zapisu pliku"))) << e.what();
            EXPECT_TRUE(e.Komunikat().contains(QStringLiteral("Brak miejsca na dysku"))) << e.what();
        }
        EXPECT_EQ(CzytajPlik(cel), stara) << limit;
        EXPECT_EQ(PlikiKatalogu(dir.path()), QStringList{QStringLiteral("zestaw.zst")}) << limit;
    }
}

TEST(ZapiszBezpiecznie, PozostawionaKopiaTyldyNieBlokujeZapisu)
{
    QTemporaryDir dir;
    const QString cel = dir.filePath(QStringLiteral("a.sst"));
    ZapiszPlik(cel, "stara");
    ZapiszPlik(SciezkaKopiiTyldy(cel), "po awarii");
    ZapiszBezpiecznie(cel, "nowa");
    EXPECT_EQ(CzytajPlik(cel), QByteArray("nowa"));
    EXPECT_FALSE(QFile::exists(SciezkaKopiiTyldy(cel)));
}

TEST(ZapiszBezpiecznie, NieistniejacyKatalogToBladNieSukces)
{
    QTemporaryDir dir;
    EXPECT_THROW(ZapiszBezpiecznie(dir.filePath(QStringLiteral("brak/a.sst")), "x"), EBlad);
}

// --- TZamianaPliku

// Writes the content into the replacement's temporary, as a writer that streams its content does.
void Napisz(const TZamianaPliku& zamiana, const QByteArray& tresc)
{
    QFile plik(zamiana.Sciezka());
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly | QIODevice::NewOnly));
    ASSERT_EQ(plik.write(tresc), tresc.size());
}

mode_t Prawa(const QString& sciezka)
{
    struct stat st = {};
    return ::lstat(QFile::encodeName(sciezka).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(ZamianaPliku, BezZastapieniaStaryPlikCalyITymczasowegoBrak)
{
    QTemporaryDir dir;
    const QString cel = dir.filePath(QStringLiteral("dokument.doc"));
    ZapiszPlik(cel, "stary");
    {
        TZamianaPliku zamiana(cel);
        Napisz(zamiana, "połowa nowe");
        EXPECT_EQ(QFileInfo(zamiana.Sciezka()).absolutePath(), QFileInfo(cel).absolutePath());
        EXPECT_TRUE(QFileInfo(zamiana.Sciezka()).fileName().startsWith(QLatin1Char('.')));
    } // the writer failed before Zastap
    EXPECT_EQ(CzytajPlik(cel), QByteArray("stary"));
    EXPECT_EQ(PlikiKatalogu(dir.path()), QStringList{QStringLiteral("dokument.doc")});
}

TEST(ZamianaPliku, DowiazaniaIPrawaWedlugOpcji)
{
    struct TPrzypadek
    {
        const char* Opis;
        TOpcjeZamianyPliku Opcje;
        bool LinkZostaje;   // the link in the target's place is still a link afterwards
        mode_t PrawaNowego; // of the file that now holds the new content
    };
    const TPrzypadek przypadki[] = {
        {"domyślne: przez dowiązanie, prawa zastąpionego", {}, true, 0640},
        {"bez praw zastąpionego", {.ZachowajPrawa = false}, true, 0600},
        {"dowiązanie zastąpione", {.PrzezDowiazanie = false}, false, 0600},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        QTemporaryDir dir;
        const QString dokument = dir.filePath(QStringLiteral("dokument.doc"));
        const QString link = dir.filePath(QStringLiteral("link.doc"));
        ZapiszPlik(dokument, "stary");
        ASSERT_TRUE(QFile::setPermissions(dokument, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        ASSERT_TRUE(QFile::link(dokument, link));
        TZamianaPliku zamiana(link, p.Opcje);
        Napisz(zamiana, "nowy");
        ASSERT_EQ(::chmod(QFile::encodeName(zamiana.Sciezka()).constData(), 0600), 0);
        zamiana.Zastap();
        EXPECT_EQ(QFileInfo(link).isSymLink(), p.LinkZostaje);
        EXPECT_EQ(CzytajPlik(link), QByteArray("nowy"));
        EXPECT_EQ(CzytajPlik(dokument), QByteArray(p.LinkZostaje ? "nowy" : "stary"));
        EXPECT_EQ(Prawa(p.LinkZostaje ? dokument : link), p.PrawaNowego);
        EXPECT_EQ(PlikiKatalogu(dir.path()), (QStringList{QStringLiteral("dokument.doc"), QStringLiteral("link.doc")}));
    }
}

TEST(ZamianaPliku, NazwaTymczasowaZRozszerzeniemIDlugaNazwa)
{
    QTemporaryDir dir;
    // 245 bytes: with a dot, a random part and an extension the temporary would pass the 255 a name may have.
    const QString dluga = QString(120, QChar(0x0142)) + QStringLiteral("x.odt");
    const struct
    {
        QString Nazwa;
        TOpcjeZamianyPliku Opcje;
        QString Koncowka;
    } przypadki[] = {
        {QStringLiteral("a.odt"), {.ZRozszerzeniem = true}, QStringLiteral(".odt")},
        {QStringLiteral("a.odt"), {}, QStringLiteral(".tmp")},
        {dluga, {.ZRozszerzeniem = true}, QStringLiteral(".odt")},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa.toStdString());
        const QString cel = dir.filePath(p.Nazwa);
        TZamianaPliku zamiana(cel, p.Opcje);
        const QString nazwa = QFileInfo(zamiana.Sciezka()).fileName();
        EXPECT_TRUE(nazwa.endsWith(p.Koncowka)) << nazwa.toStdString();
        EXPECT_LE(QFile::encodeName(nazwa).size(), 255);
        Napisz(zamiana, "treść");
        zamiana.Zastap();
        EXPECT_EQ(CzytajPlik(cel), QStringLiteral("treść").toUtf8());
        QFile::remove(cel);
    }
    EXPECT_TRUE(PlikiKatalogu(dir.path()).isEmpty());
}

TEST(ZamianaPliku, NieudaneZastapienieUsuwaTymczasowy)
{
    QTemporaryDir dir;
    // A folder that is not empty cannot be replaced by a file.
    const QString cel = dir.filePath(QStringLiteral("folder"));
    ZapiszPlik(cel + QStringLiteral("/w.doc"), "w");
    TZamianaPliku zamiana(cel);
    Napisz(zamiana, "nowy");
    try {
        zamiana.Zastap();
        ADD_FAILURE() << "a folder was replaced";
    } catch (const EZamianaPliku& e) {
        EXPECT_EQ(e.Powod(), QStringLiteral("nie można zastąpić pliku"));
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Błąd zapisu pliku"))) << e.what();
    }
    EXPECT_EQ(PlikiKatalogu(dir.path()), QStringList());
    EXPECT_EQ(CzytajPlik(cel + QStringLiteral("/w.doc")), QByteArray("w"));
}

} // namespace
