#pragma once

#include "app/Wyjatki.h"
#include "cli/Polecenie.h"

#include "support/Pomocnicze.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

#include <gtest/gtest.h>

struct TWynik
{
    int Kod;
    QString Wyjscie;
    QString Blad;
};

// Runs one command as the dispatcher does: a raised EBlad is the message printed with exit code 1.
inline TWynik UruchomPolecenie(TPolecenie& polecenie, const QStringList& argumenty)
{
    QString wyjscie;
    QString bledy;
    QTextStream sw(&wyjscie);
    QTextStream sb(&bledy);
    try {
        const int kod = polecenie.Wykonaj(argumenty, sw, sb);
        sw.flush();
        return {kod, wyjscie, bledy};
    } catch (const EBlad& e) {
        sw.flush();
        return {1, wyjscie, e.Komunikat()};
    }
}

template <typename TPoleceniaKlasa> TWynik UruchomPolecenie(const QStringList& argumenty)
{
    TPoleceniaKlasa polecenie;
    return UruchomPolecenie(polecenie, argumenty);
}

inline QJsonObject Json(const QString& tekst)
{
    QJsonParseError blad;
    const QJsonDocument d = QJsonDocument::fromJson(tekst.toUtf8(), &blad);
    EXPECT_EQ(blad.error, QJsonParseError::NoError) << blad.errorString().toStdString();
    return d.object();
}

// The demo data shipped with the program (a user folder with its list, set, estimates and documents).
inline QString Demo()
{
    return QDir::cleanPath(SciezkaDanychTestowych(QStringLiteral("../../data/demo")));
}

// generuj on the demo set, bound to the demo folder, variants on, into the file given.
inline QStringList ArgumentyDemo(const QString& wynik)
{
    return {Demo() + QStringLiteral("/Zestaw demo.zst"),
            QStringLiteral("--katalog-uzytkownika"),
            Demo(),
            QStringLiteral("--warianty"),
            QStringLiteral("-o"),
            wynik};
}
