#include "cli/PolecenieKonfiguracja.h"
#include "app/KonfiguracjaUstawienia.h"
#include "support/KonfiguracjaTestowa.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

class PolecenieKonfiguracja : public TTestZKonfiguracja
{
};

// The n-th setting's value, distinct from every other's, and its expected form in the JSON.
struct TProba
{
    QVariant Wartosc;
    QJsonValue Json;
};

TProba Proba(const TUstawienie& u, int n, const QVariant& obecna)
{
    const QString tekst = QStringLiteral("Wartość %1").arg(n);
    switch (u.Rodzaj) {
    case TRodzajUstawienia::Logiczna:
        return {!obecna.toBool(), !obecna.toBool()};
    case TRodzajUstawienia::Calkowita:
        return {n * 10, n * 10};
    case TRodzajUstawienia::Liczba:
        return {n + 0.5, n + 0.5};
    case TRodzajUstawienia::Tekst:
    case TRodzajUstawienia::TekstDokladny:
        return {tekst, tekst};
    case TRodzajUstawienia::Sciezka: {
        const QString zapisana = QStringLiteral("%USERPATH%/Folder %1").arg(n);
        // "sciezka" is filled in once the user folder is known.
        return {zapisana, QJsonObject{{QStringLiteral("zapisana"), zapisana}}};
    }
    case TRodzajUstawienia::Lista:
        return {QStringList{tekst, QStringLiteral("b")}, QJsonArray{tekst, QStringLiteral("b")}};
    case TRodzajUstawienia::Wybor:
        return {static_cast<int>(u.Wybory.size()) - 1, u.Wybory.last()};
    case TRodzajUstawienia::Polozenie:
        return {QPoint(n, n + 1), QJsonObject{{QStringLiteral("x"), n}, {QStringLiteral("y"), n + 1}}};
    case TRodzajUstawienia::Rozmiar:
        return {QSize(n, n + 1), QJsonObject{{QStringLiteral("cx"), n}, {QStringLiteral("cy"), n + 1}}};
    }
    return {};
}

// Every line of the table shows in the JSON under its name, with the value it holds; nothing else does.
TEST_F(PolecenieKonfiguracja, KazdeUstawienieTabeliWJson)
{
    TKonfiguracja& k = Konfiguracja();
    std::vector<TProba> proby;
    int n = 0;
    for (const TUstawienie& u : UstawieniaKonfiguracji()) {
        proby.push_back(Proba(u, ++n, u.Pobierz(k)));
        u.Ustaw(k, proby.back().Wartosc);
    }
    const QJsonObject json = TPolecenieKonfiguracja::KonfiguracjaNaJson(k);
    EXPECT_EQ(json.size(), static_cast<qsizetype>(UstawieniaKonfiguracji().size()));
    n = 0;
    for (const TUstawienie& u : UstawieniaKonfiguracji()) {
        QJsonValue oczekiwany = proby[static_cast<std::size_t>(n++)].Json;
        if (u.Rodzaj == TRodzajUstawienia::Sciezka) {
            QJsonObject sciezka = oczekiwany.toObject();
            sciezka[QStringLiteral("sciezka")] =
                sciezka[QStringLiteral("zapisana")].toString().replace(QStringLiteral("%USERPATH%"), k.GetUserPath());
            oczekiwany = sciezka;
        }
        EXPECT_EQ(json[u.Nazwa], oczekiwany) << u.Nazwa.toStdString();
    }
}

} // namespace
