#include "cli/PolecenieLista.h"
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "cli/UruchomPolecenie.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

TWynik Uruchom(const QStringList& argumenty)
{
    return UruchomPolecenie<TPolecenieLista>(argumenty);
}

QString Sst(const QString& nazwa)
{
    return SciezkaDanychTestowych(QStringLiteral("specs/sst/") + nazwa);
}

class PolecenieLista : public ::testing::Test
{
protected:
    // Prices are computed with the configuration's global coefficient: the defaults here (1.0), whatever
    // another test left in the configuration file.
    void SetUp() override
    {
        TKonfiguracja::Zwolnij(false);
        QFile::remove(TKonfiguracja::GetConfFilePath());
    }
    void TearDown() override { TKonfiguracja::Zwolnij(false); }
};

TEST_F(PolecenieLista, ListaJakoJsonZgodnaZWzorcami)
{
    const QDir katalog(Sst(QStringLiteral("valid")));
    const QStringList wzorce = katalog.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    ASSERT_GE(wzorce.size(), 7);
    for (const QString& wzorzec : wzorce) {
        const QString sst = katalog.filePath(QFileInfo(wzorzec).completeBaseName() + QStringLiteral(".sst"));
        const TWynik w = Uruchom({sst});
        ASSERT_EQ(w.Kod, 0) << wzorzec.toStdString() << ": " << w.Blad.toStdString();
        const QJsonObject oczekiwany = Json(QString::fromUtf8(CzytajPlik(katalog.filePath(wzorzec))));
        EXPECT_EQ(Json(w.Wyjscie), oczekiwany) << wzorzec.toStdString() << "\n" << w.Wyjscie.toStdString();
    }
}

TEST_F(PolecenieLista, Znajdz)
{
    const QString pelna = Sst(QStringLiteral("valid/pelna.sst"));
    struct TPrzypadek
    {
        QStringList Argumenty;
        QJsonValue Specyfikacja;
        QJsonValue Wariant;
        bool Pelne;
    };
    const QJsonValue brak(QJsonValue::Null);
    const TPrzypadek przypadki[] = {
        // Without variants in use (the default) positions are matched by the whole number.
        {{QStringLiteral("--znajdz"), QStringLiteral(" d-01.01.01 ")}, QStringLiteral("D-01.01.01"), brak, true},
        {{QStringLiteral("--znajdz"), QStringLiteral("D-01.01.01#A")}, brak, brak, true},
        {{QStringLiteral("--znajdz"), QStringLiteral("D-01.01.01#a"), QStringLiteral("--flagi"), QStringLiteral("18")},
         QStringLiteral("D-01.01.01"),
         QStringLiteral("A"),
         true},
        {{QStringLiteral("--znajdz"), QStringLiteral("D-01.01.01#Z"), QStringLiteral("--flagi"), QStringLiteral("22")},
         QStringLiteral("D-01.01.01"),
         brak,
         false},
        {{QStringLiteral("--znajdz"), QStringLiteral("D-01.01.01#Z"), QStringLiteral("--flagi"), QStringLiteral("18")},
         brak,
         brak,
         false},
        {{QStringLiteral("--flagi"), QStringLiteral("8"), QStringLiteral("--znajdz"), QStringLiteral("d-01")},
         QStringLiteral("D-01"),
         brak,
         true},
        {{QStringLiteral("--znajdz"), QStringLiteral("D-01")}, brak, brak, true},
        {{QStringLiteral("--znajdz"), QStringLiteral("D-99")}, brak, brak, true},
    };
    for (const TPrzypadek& p : przypadki) {
        const TWynik w = Uruchom(QStringList{pelna} + p.Argumenty);
        ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
        const QJsonObject o = Json(w.Wyjscie);
        EXPECT_EQ(o.size(), 3);
        EXPECT_EQ(o.value(QStringLiteral("specyfikacja")), p.Specyfikacja) << p.Argumenty.join(' ').toStdString();
        EXPECT_EQ(o.value(QStringLiteral("wariant")), p.Wariant) << p.Argumenty.join(' ').toStdString();
        EXPECT_EQ(o.value(QStringLiteral("pelneDopasowanie")), QJsonValue(p.Pelne))
            << p.Argumenty.join(' ').toStdString();
    }
}

TEST_F(PolecenieLista, ZnajdzZWariantamiWKonfiguracji)
{
    TOknoBezEkranu okno;
    TKonfiguracja::GetInstance(&okno, false)->CzyKorzystajZWariantow = true;
    // Variants in use: the variant after "#", a missing one as a partial match.
    TWynik w =
        Uruchom({Sst(QStringLiteral("valid/pelna.sst")), QStringLiteral("--znajdz"), QStringLiteral("D-01.01.01#Q")});
    ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
    EXPECT_EQ(Json(w.Wyjscie), QJsonObject({{QStringLiteral("specyfikacja"), QStringLiteral("D-01.01.01")},
                                            {QStringLiteral("wariant"), QJsonValue(QJsonValue::Null)},
                                            {QStringLiteral("pelneDopasowanie"), false}}));
    EXPECT_TRUE(TKonfiguracja::Istnieje()) << "a configuration the command did not create stays";
}

TEST_F(PolecenieLista, KonfiguracjaNieJestZapisywana)
{
    QFile::remove(TKonfiguracja::GetConfFilePath());
    const TWynik w = Uruchom({Sst(QStringLiteral("valid/pusta.sst"))});
    EXPECT_EQ(w.Kod, 0) << w.Blad.toStdString();
    EXPECT_FALSE(TKonfiguracja::Istnieje());
    EXPECT_FALSE(QFileInfo::exists(TKonfiguracja::GetConfFilePath()));
}

TEST_F(PolecenieLista, BledyPoPolsku)
{
    const QString pelna = Sst(QStringLiteral("valid/pelna.sst"));
    const QString brak = QDir::temp().filePath(QStringLiteral("nie-ma-takiej-listy.sst"));
    const struct
    {
        QStringList Argumenty;
        QString Komunikat;
    } przypadki[] = {
        {{}, QStringLiteral("Polecenie \"lista\" wymaga ścieżki pliku listy specyfikacji (.sst).")},
        {{QStringLiteral("--znajdz"), QStringLiteral("D")},
         QStringLiteral("Polecenie \"lista\" wymaga ścieżki pliku listy specyfikacji (.sst).")},
        {{brak}, QStringLiteral("Brak pliku listy specyfikacji: ") + brak},
        {{pelna, QStringLiteral("--znajdz")}, QStringLiteral("Opcja --znajdz wymaga wartości.")},
        {{pelna, QStringLiteral("--znajdz"), QStringLiteral("D"), QStringLiteral("--flagi"), QStringLiteral("256")},
         QStringLiteral("Nieprawidłowa wartość opcji --flagi: \"256\" (oczekiwana liczba od 0 do 255).")},
        {{pelna, QStringLiteral("--znajdz"), QStringLiteral("D"), QStringLiteral("--flagi"), QStringLiteral("osiem")},
         QStringLiteral("Nieprawidłowa wartość opcji --flagi: \"osiem\" (oczekiwana liczba od 0 do 255).")},
        {{pelna, QStringLiteral("--flagi"), QStringLiteral("8")},
         QStringLiteral("Opcja --flagi wymaga opcji --znajdz.")},
        {{pelna, QStringLiteral("--cos")}, QStringLiteral("Nieznany argument polecenia \"lista\": --cos")},
        {{pelna, pelna}, QStringLiteral("Nieznany argument polecenia \"lista\": ") + pelna},
        {{Sst(QStringLiteral("broken/grupa_za_gleboko.sst"))},
         QStringLiteral("Błąd! Próba dodania specyfikacji D-01.01.99 spowoduje przekroczenie maksymalnego poziomu "
                        "zagnieżdżenia specyfikacji. Operacja przerwana.")},
    };
    for (const auto& p : przypadki) {
        const TWynik w = Uruchom(p.Argumenty);
        EXPECT_EQ(w.Kod, 1) << p.Argumenty.join(' ').toStdString();
        EXPECT_EQ(w.Blad, p.Komunikat);
        EXPECT_TRUE(w.Wyjscie.isEmpty());
        EXPECT_FALSE(TKonfiguracja::Istnieje());
    }
}

} // namespace
