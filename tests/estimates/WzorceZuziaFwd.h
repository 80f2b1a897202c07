#pragma once

// Helpers of the golden-file tests of the Zuzia and FWD formats: one folder per case under
// tests/data/estimates/<format>/valid/<case>/ with the input "<case>.<ext>", the tree as JSON
// ("drzewo.json"), the ST numbers to assign ("st.txt": lines "position number<TAB>ST") and the
// expected copy ("kopia.<ext>").

#include "estimates/Kosztorys.h"
#include "estimates/KosztorysJson.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace wzorce_zuzia_fwd {

// The JSON as sorted, indented text: a failed comparison then shows where the trees differ.
inline QString JsonTekst(const QJsonObject& obiekt)
{
    return QString::fromUtf8(QJsonDocument(obiekt).toJson(QJsonDocument::Indented));
}

inline QString JsonPliku(const QString& sciezka)
{
    QJsonParseError blad{};
    const QJsonDocument dokument = QJsonDocument::fromJson(CzytajPlik(sciezka), &blad);
    EXPECT_EQ(blad.error, QJsonParseError::NoError) << sciezka.toStdString();
    return JsonTekst(dokument.object());
}

// Every position whose number is named in the file gets the ST number given for it; returns how many
// positions were changed (each line must change at least one).
inline int PrzypiszSt(TKosztorys& kosztorys, const QString& sciezka)
{
    int zmienione = 0;
    const QStringList linie = QString::fromUtf8(CzytajPlik(sciezka)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& linia : linie) {
        const QStringList pola = linia.split(QLatin1Char('\t'));
        EXPECT_EQ(pola.size(), 2) << linia.toStdString();
        if (pola.size() != 2)
            continue;
        int tejLinii = 0;
        kosztorys.DlaKazdejPozycji([&](TPozycjaRds& p) {
            if (p.Nr() == pola[0]) {
                p.SetST(pola[1]);
                ++tejLinii;
            }
        });
        EXPECT_GT(tejLinii, 0) << "brak pozycji " << pola[0].toStdString();
        zmienione += tejLinii;
    }
    return zmienione;
}

// The case folders of a format, each checked to hold its four files.
inline QStringList PrzypadkiWzorcowe(const QString& katalog, const QString& rozszerzenie)
{
    const QDir d(katalog);
    const QStringList przypadki = d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& p : przypadki)
        for (const QString& plik : {p + rozszerzenie, QStringLiteral("drzewo.json"), QStringLiteral("st.txt"),
                                    QStringLiteral("kopia") + rozszerzenie})
            EXPECT_TRUE(QFileInfo::exists(d.filePath(p + QLatin1Char('/') + plik))) << (p + "/" + plik).toStdString();
    return przypadki;
}

// The broken files of a format, every one of which must have a row in the table of outcomes and every
// row a file.
template <typename TWiersz, size_t N> void SprawdzKompletnoscTabeli(const QString& katalog, const TWiersz (&tabela)[N])
{
    const QStringList pliki = QDir(katalog).entryList(QDir::Files, QDir::Name);
    for (const QString& plik : pliki) {
        bool jest = false;
        for (const TWiersz& w : tabela)
            jest = jest || plik == QString::fromUtf8(w.Plik);
        EXPECT_TRUE(jest) << "plik bez wiersza w tabeli: " << plik.toStdString();
    }
    for (const TWiersz& w : tabela)
        EXPECT_TRUE(pliki.contains(QString::fromUtf8(w.Plik))) << "wiersz bez pliku: " << w.Plik;
}

} // namespace wzorce_zuzia_fwd
