#include "cli/Cli.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TWynik
{
    int Kod;
    QString Wyjscie;
    QString Bledy;
};

TWynik Uruchom(const QStringList& argumenty)
{
    QString wyjscie, bledy;
    QTextStream sw(&wyjscie), sb(&bledy);
    TCli cli;
    const int kod = cli.Uruchom(argumenty, sw, sb);
    return {kod, wyjscie, bledy};
}

QJsonObject Json(const QString& tekst)
{
    return QJsonDocument::fromJson(tekst.toUtf8()).object();
}

// The positions of the tree in tree order (positions of an element before its children's).
void ZbierzPozycje(const QJsonObject& element, QJsonArray& wynik)
{
    for (const auto& p : element[QStringLiteral("pozycje")].toArray())
        wynik.append(p);
    for (const auto& e : element[QStringLiteral("elementy")].toArray())
        ZbierzPozycje(e.toObject(), wynik);
}

TEST(PolecenieKosztorys, JsonTakiJakWzorzecCzytnika)
{
    const QString wejscie = SciezkaDanychTestowych(QStringLiteral("estimates/ath/valid/pelny.ath"));
    const TWynik w = Uruchom({QStringLiteral("kosztorys"), wejscie});
    ASSERT_EQ(w.Kod, 0) << w.Bledy.toStdString();
    const QJsonObject wzorzec =
        QJsonDocument::fromJson(CzytajPlik(SciezkaDanychTestowych(QStringLiteral("estimates/ath/valid/pelny.json"))))
            .object();
    EXPECT_EQ(Json(w.Wyjscie), wzorzec);
}

TEST(PolecenieKosztorys, ZapisKopiiZNumeramiST)
{
    QTemporaryDir dir;
    const QString wejscie = SciezkaDanychTestowych(QStringLiteral("estimates/ath/valid/pelny.ath"));
    QJsonArray pozycje;
    ZbierzPozycje(Json(Uruchom({QStringLiteral("kosztorys"), wejscie}).Wyjscie), pozycje);
    ASSERT_FALSE(pozycje.isEmpty());
    const QString id = pozycje[0].toObject()[QStringLiteral("id")].toString();
    const QString kopia = dir.filePath(QStringLiteral("kopia.ath"));
    const QByteArray zrodloPrzed = CzytajPlik(wejscie);

    const TWynik w = Uruchom({QStringLiteral("kosztorys"), wejscie, QStringLiteral("--zapisz"), kopia,
                              QStringLiteral("--st"), id + QStringLiteral("=D-99.99.99")});
    ASSERT_EQ(w.Kod, 0) << w.Bledy.toStdString();
    EXPECT_EQ(CzytajPlik(wejscie), zrodloPrzed); // the source is never changed

    QJsonArray poZapisie;
    ZbierzPozycje(Json(Uruchom({QStringLiteral("kosztorys"), kopia}).Wyjscie), poZapisie);
    ASSERT_EQ(poZapisie.size(), pozycje.size());
    EXPECT_EQ(poZapisie[0].toObject()[QStringLiteral("st")].toString(), QStringLiteral("D-99.99.99"));
}

TEST(PolecenieKosztorys, Bledy)
{
    QTemporaryDir dir;
    const QString wejscie = SciezkaDanychTestowych(QStringLiteral("estimates/ath/valid/pelny.ath"));
    const struct
    {
        QStringList Argumenty;
        const char* Komunikat;
    } przypadki[] = {
        {{QStringLiteral("kosztorys")}, "Podaj plik kosztorysu"},
        {{QStringLiteral("kosztorys"), dir.filePath(QStringLiteral("a.txt"))},
         "Nieobsługiwany format pliku kosztorysu"},
        {{QStringLiteral("kosztorys"), dir.filePath(QStringLiteral("brak.ath"))}, "nie istnieje"},
        {{QStringLiteral("kosztorys"), wejscie, QStringLiteral("--st"), QStringLiteral("1=A")},
         "wymaga opcji --zapisz"},
        {{QStringLiteral("kosztorys"), wejscie, QStringLiteral("--zapisz"), dir.filePath(QStringLiteral("k.ath")),
          QStringLiteral("--st"), QStringLiteral("nie-ma-takiego=A")},
         "nie ma pozycji o identyfikatorze"},
        {{QStringLiteral("kosztorys"), wejscie, QStringLiteral("--zapisz")}, "Brak wartości opcji --zapisz"},
        {{QStringLiteral("kosztorys"), wejscie, QStringLiteral("--cos")}, "Nieznana opcja: --cos"},
    };
    for (const auto& p : przypadki) {
        const TWynik w = Uruchom(p.Argumenty);
        EXPECT_EQ(w.Kod, 1) << p.Argumenty.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(w.Bledy.contains(QString::fromUtf8(p.Komunikat))) << w.Bledy.toStdString();
        EXPECT_TRUE(w.Wyjscie.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("k.ath"))));
}

} // namespace
