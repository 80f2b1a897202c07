// The Rodos readers give the same trees as when tests/estimates/KorpusyRds.txt was written, for every file
// of their fuzz corpora read with and without variant recognition, and for each corpus joined into one large
// file (a Rodos file of more than a MiB is decoded in pieces). Each line holds the digest of the tree as JSON
// or of the error message. VELOSTRA_ZAPISZ_KORPUSY_RDS=1 rewrites the file instead.

#include "app/Kodowanie.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysRds7.h"
#include "support/Pomocnicze.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <exception>
#include <memory>

namespace {

const QString PlikWzorcow = QStringLiteral(VELOSTRA_TEST_DATA "/../estimates/KorpusyRds.txt");
const QString KatalogKorpusow = QStringLiteral(VELOSTRA_TEST_DATA "/../../fuzz/corpus/");

TUstawieniaKosztorysu Ustawienia(bool warianty)
{
    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = warianty;
    u.RozpoznajWariantyPrzyImporcie = warianty;
    u.ListaSeparatorowWariantow = QStringLiteral("_/.");
    return u;
}

QByteArray Drzewo(const QString& format, const QByteArray& bajty, bool warianty)
{
    std::unique_ptr<TKosztorysRds> k;
    if (format == u"rds7")
        k = std::make_unique<TKosztorysRds7>(QString(), false, false, false, Ustawienia(warianty));
    else
        k = std::make_unique<TKosztorysRds>(QString(), false, false, false, Ustawienia(warianty));
    QByteArray wynik;
    try {
        k->WczytajZDanych(bajty);
        wynik = QJsonDocument(KosztorysNaJson(*k)).toJson(QJsonDocument::Compact);
    } catch (const std::exception& e) {
        wynik = QByteArray("blad ") + e.what();
    }
    return QCryptographicHash::hash(wynik, QCryptographicHash::Sha1).toHex().left(20);
}

// A corpus joined into one file of more than 3 MiB: its files without a NUL or a byte-order mark.
QByteArray Razem(const QString& format)
{
    const QDir dir(KatalogKorpusow + format);
    QByteArray razem;
    for (const QString& nazwa : dir.entryList(QDir::Files, QDir::Name)) {
        const QByteArray bajty = CzytajPlik(dir.filePath(nazwa));
        if (!bajty.contains('\0') && !bajty.startsWith('\xEF') && !bajty.startsWith('\xFE') &&
            !bajty.startsWith('\xFF'))
            razem += bajty + "\r\n";
    }
    return razem.repeated(static_cast<qsizetype>((3 << 20) / (razem.size() + 1) + 1));
}

QByteArray Wyniki()
{
    QByteArray wynik;
    for (const QString& format : {QStringLiteral("rds"), QStringLiteral("rds7")}) {
        const QDir dir(KatalogKorpusow + format);
        for (const QString& nazwa : dir.entryList(QDir::Files, QDir::Name)) {
            const QByteArray bajty = CzytajPlik(dir.filePath(nazwa));
            wynik += (format + u'/' + nazwa).toUtf8() + ' ' + Drzewo(format, bajty, false) + ' ' +
                     Drzewo(format, bajty, true) + '\n';
        }
        const QByteArray duzy = Razem(format);
        wynik += format.toUtf8() + "/razem " + Drzewo(format, duzy, false) + ' ' + Drzewo(format, duzy, true) + '\n';
    }
    return wynik;
}

TEST(KorpusyRds, DajaTeSameDrzewa)
{
    const QByteArray wyniki = Wyniki();
    PorownajZWzorcem(wyniki, PlikWzorcow, "VELOSTRA_ZAPISZ_KORPUSY_RDS", 400);
}

// A Windows-1250 file is read over its bytes, a file with a byte-order mark over its whole text: both give one tree.
TEST(KorpusyRds, BajtyITekstDajaToSamoDrzewo)
{
    const QByteArray bajty = Razem(QStringLiteral("rds"));
    const QByteArray utf8 = "\xEF\xBB\xBF" + ZWindows1250(bajty).toUtf8();
    EXPECT_EQ(Drzewo(QStringLiteral("rds"), bajty, true), Drzewo(QStringLiteral("rds"), utf8, true));
}

} // namespace
