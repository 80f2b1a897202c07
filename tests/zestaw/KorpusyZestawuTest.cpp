// The set reader's fuzz corpus reads, matches and writes to the same results as when the expected file was
// written: every set's file after matching, or the error message, compared by digest with
// tests/zestaw/KorpusyZestawu.txt. VELOSTRA_ZAPISZ_KORPUSY=1 rewrites that file instead.
#include "support/Pomocnicze.h"
#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QCryptographicHash>
#include <QDir>

#include <exception>

namespace {

const QString PlikWzorcow = QStringLiteral(VELOSTRA_TEST_DATA "/../zestaw/KorpusyZestawu.txt");
const QString KatalogKorpusow = QStringLiteral(VELOSTRA_TEST_DATA "/../../fuzz/corpus/zst/");

QByteArray Skrot(const QByteArray& dane)
{
    return QCryptographicHash::hash(dane, QCryptographicHash::Sha1).toHex().left(20);
}

// As the fuzz target reads: lists named by the set are not read, every other input uses variants.
QByteArray Wynik(QByteArray bajty)
{
    TUstawieniaKosztorysu ustawienia;
    ustawienia.Warianty.CzyKorzystajZWariantow = bajty.size() % 2 == 1;
    bajty.replace("<sst", "<xst");
    TZestawST zestaw(ustawienia);
    try {
        zestaw.OtworzZBajtow(bajty, QStringLiteral("korpus.zst"));
    } catch (const std::exception& e) {
        return "blad " + Skrot(e.what());
    }
    DopasujSpecyfikacje(zestaw);
    return Skrot(zestaw.ZapiszDoBajtow()) + ' ' + QByteArray::number(zestaw.GetZbiorST()->Count());
}

TEST(KorpusyZestawu, DajaTeSameZestawy)
{
    QByteArray wyniki;
    const QDir dir(KatalogKorpusow);
    for (const QString& nazwa : dir.entryList(QDir::Files, QDir::Name))
        wyniki += nazwa.toUtf8() + ' ' + Wynik(CzytajPlik(dir.filePath(nazwa))) + '\n';
    if (qEnvironmentVariableIntValue("VELOSTRA_ZAPISZ_KORPUSY") == 1)
        ZapiszPlik(PlikWzorcow, wyniki);
    const QList<QByteArray> oczekiwane = CzytajPlik(PlikWzorcow).split('\n');
    const QList<QByteArray> otrzymane = wyniki.split('\n');
    ASSERT_GT(otrzymane.size(), 5);
    ASSERT_EQ(otrzymane.size(), oczekiwane.size());
    for (qsizetype i = 0; i < otrzymane.size(); ++i)
        EXPECT_EQ(otrzymane[i], oczekiwane[i]);
}

} // namespace
