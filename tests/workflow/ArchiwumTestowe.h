#pragma once

#include "UzytkownikSkryptowy.h"

#include "archive/ZestawArchiwizator.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QTemporaryDir>

// A test with its own user folder and a list archive made by the archiver from documents it writes.
class TTestArchiwum : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().SetUserPath(Katalog.filePath(QStringLiteral("uzytkownik")));
    }
    QString Sciezka(const QString& nazwa) const { return Katalog.filePath(nazwa); }
    // A list with one specification per document ("a" gives number "A" bound to "a.doc"), packed into
    // "l.alst".
    QString Archiwum(const QStringList& dokumenty = {QStringLiteral("a"), QStringLiteral("b")})
    {
        QString wezly;
        for (const QString& d : dokumenty) {
            const QString plik = Sciezka(QStringLiteral("zrodlo/") + d + QStringLiteral(".doc"));
            ZapiszPlik(plik, d.toUtf8());
            wezly += QStringLiteral("<specyfikacja numer=\"%1\" plik=\"%2\"/>").arg(d.toUpper(), plik);
        }
        ZapiszPlik(Sciezka(QStringLiteral("zrodlo/l.sst")),
                   (QStringLiteral("<sst>") + wezly + QStringLiteral("</sst>")).toUtf8());
        TZestawArchiwizator a(TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(Konfiguracja()));
        a.StworzArchiwumSpisuSt(Sciezka(QStringLiteral("zrodlo/l.sst")), Sciezka(QStringLiteral("l.alst")));
        return Sciezka(QStringLiteral("l.alst"));
    }

    QTemporaryDir Katalog;
    TUzytkownikSkryptowy Uzytkownik;
};
