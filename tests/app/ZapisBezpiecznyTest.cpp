#include "app/ZapisBezpieczny.h"
#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace
