// The fuzz corpora of the estimate readers read to the same trees and copies as the readers gave when the
// expected file was written: every file's tree (as JSON) and copy, or its error message, is compared by
// its digest with tests/estimates/KorpusyFuzz.txt. VELOSTRA_ZAPISZ_KORPUSY=1 rewrites that file instead.

#include "estimates/KosztorysAth1.h"
#include "estimates/KosztorysFwdSt.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysRds7.h"
#include "estimates/KosztorysZuzia.h"
#include "support/Pomocnicze.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>

#include "../../fuzz/WspolneFuzz.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>

namespace {

const QString PlikWzorcow = QStringLiteral(VELOSTRA_TEST_DATA "/../estimates/KorpusyFuzz.txt");
const QString KatalogKorpusow = QStringLiteral(VELOSTRA_TEST_DATA "/../../fuzz/corpus/");

QByteArray Skrot(const QByteArray& dane)
{
    return QCryptographicHash::hash(dane, QCryptographicHash::Sha1).toHex().left(20);
}

// The tree's digest and the digest of the copy with a new ST number on every position.
QByteArray Wynik(TKosztorys& k, const QByteArray& bajty)
{
    try {
        k.WczytajZDanych(bajty);
    } catch (const std::exception& e) {
        return "blad " + Skrot(e.what());
    }
    QByteArray wynik = Skrot(QJsonDocument(KosztorysNaJson(k)).toJson(QJsonDocument::Compact));
    int n = 0;
    k.DlaKazdejPozycji([&n](TPozycjaRds& p) { p.SetST(QStringLiteral("D-%1.01_2").arg(++n)); });
    try {
        wynik += ' ' + Skrot(k.ZapiszDoDanych(bajty));
    } catch (const std::exception& e) {
        wynik += " blad " + Skrot(e.what());
    }
    return wynik;
}

using TFabryka = std::function<std::unique_ptr<TKosztorys>(const TUstawieniaKosztorysu&)>;

template <typename T> TFabryka Fabryka()
{
    return [](const TUstawieniaKosztorysu& u) { return std::make_unique<T>(QString(), false, false, false, u); };
}

const std::map<QString, TFabryka>& Czytelnicy()
{
    static const std::map<QString, TFabryka> czytelnicy{
        {QStringLiteral("rds"), Fabryka<TKosztorysRds>()},     {QStringLiteral("rds7"), Fabryka<TKosztorysRds7>()},
        {QStringLiteral("zuzia"), Fabryka<TKosztorysZuzia>()}, {QStringLiteral("fwd"), Fabryka<TKosztorysFwdSt>()},
        {QStringLiteral("ath"), Fabryka<TKosztorysAth1>()},
    };
    return czytelnicy;
}

QByteArray WynikiKorpusow()
{
    QByteArray wynik;
    for (const auto& [katalog, fabryka] : Czytelnicy()) {
        const QDir dir(KatalogKorpusow + katalog);
        for (const QString& nazwa : dir.entryList(QDir::Files, QDir::Name)) {
            const QByteArray bajty = CzytajPlik(dir.filePath(nazwa));
            const std::unique_ptr<TKosztorys> k = fabryka(UstawieniaFuzz(static_cast<size_t>(bajty.size())));
            wynik += (katalog + QLatin1Char('/') + nazwa).toUtf8() + ' ' + Wynik(*k, bajty) + '\n';
        }
    }
    return wynik;
}

TEST(KorpusyFuzz, DajaTeSameDrzewaIKopie)
{
    const QByteArray wyniki = WynikiKorpusow();
    PorownajZWzorcem(wyniki, PlikWzorcow, "VELOSTRA_ZAPISZ_KORPUSY", 900);
}

} // namespace
