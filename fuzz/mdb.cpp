// Any bytes as an Edbud estimate's database: the layer never crashes and fails only with EBlad; what it
// reads, it reads whole; and the in-place writer either refuses or leaves a file that reads back with
// the written numbers.
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "estimates/edbud/BazaMdb.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QStringList KolumnyPozycji{QStringLiteral("positionid"),     QStringLiteral("chapterid"), QStringLiteral("lp"),
                                 QStringLiteral("code"),           QStringLiteral("name"),      QStringLiteral("unit"),
                                 QStringLiteral("quantitystring"), QStringLiteral("ts"),        QStringLiteral("price"),
                                 QStringLiteral("posorder")};

void Zapisz(const QString& sciezka, const QByteArray& dane)
{
    QFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate) || plik.write(dane) != dane.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    static QTemporaryDir katalog;
    (void)konfiguracja;
    const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    const QString plik = katalog.filePath(QStringLiteral("wejscie.mdb"));
    Zapisz(plik, bajty);
    std::vector<TBazaMdb::TWiersz> pozycje;
    try {
        auto baza = TBazaMdb::OtworzDoOdczytu(plik);
        for (const QString& tabela : {QStringLiteral("chapters"), QStringLiteral("UNITS")})
            if (baza->CzyTabela(tabela))
                baza->CzytajTabele(tabela, {QStringLiteral("code"), QStringLiteral("name"), QStringLiteral("lp")});
        if (!baza->CzyTabela(QStringLiteral("positions")))
            return 0;
        pozycje = baza->CzytajTabele(QStringLiteral("positions"), KolumnyPozycji);
    } catch (const EBlad&) {
        return 0;
    }
    // Write a number into every position of a copy; when the writer accepts, the copy reads back with it.
    const QString kopia = katalog.filePath(QStringLiteral("kopia.mdb"));
    Zapisz(kopia, bajty);
    // Numbers of several lengths, so that rows also outgrow their pages and move.
    const QString numer =
        QStringLiteral("D-01") + QString(static_cast<qsizetype>(bajty.size() % 7) * 40, QLatin1Char('x'));
    QHash<QString, QString> numery;
    for (const auto& w : pozycje)
        if (!w.value(QStringLiteral("positionid")).isNull())
            numery.insert(w.value(QStringLiteral("positionid")).toString(), numer);
    try {
        TBazaMdb::OtworzDoZapisu(kopia)->UstawTeksty(QStringLiteral("positions"), QStringLiteral("positionid"), numery,
                                                     QStringLiteral("ts"));
    } catch (const EBlad&) {
        return 0;
    }
    try {
        TBazaMdb::OtworzDoOdczytu(kopia)->CzytajTabele(QStringLiteral("positions"), KolumnyPozycji);
    } catch (const EBlad&) {
        std::abort(); // a copy the writer accepted must read again
    }
    return 0;
}
