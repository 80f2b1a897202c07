#pragma once

#include "archive/OpcjeEkstrakcjiArchiwum.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <pugixml.hpp>

// Shared by the archiver tests: a user folder copied from the demo data inside a temporary folder, the
// configuration's user folder pointing at it.

inline QString FolderDemo()
{
    return QDir::cleanPath(SciezkaDanychTestowych(QStringLiteral("../../data/demo")));
}

inline void KopiujFolder(const QString& zrodlo, const QString& cel)
{
    QDirIterator it(zrodlo, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString plik = it.next();
        ZapiszPlik(cel + QLatin1Char('/') + QDir(zrodlo).relativeFilePath(plik), CzytajPlik(plik));
    }
}

// Every file below the folder, as paths relative to it, sorted.
inline QStringList PlikiWFolderze(const QString& folder)
{
    QStringList wynik;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        wynik << QDir(folder).relativeFilePath(it.next());
    wynik.sort();
    return wynik;
}

inline void ZapiszXml(const QString& sciezka, const char* xml)
{
    ZapiszPlik(sciezka, QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>)") + "\n" + xml);
}

inline QString Atrybut(const pugi::xml_node& w, const char* nazwa)
{
    return QString::fromUtf8(w.attribute(nazwa).value());
}

class TTestArchiwizatora : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        ASSERT_TRUE(FTmp.isValid());
        FUzytkownik = FTmp.path() + QStringLiteral("/uzytkownik");
        QDir().mkpath(FUzytkownik);
        Konfiguracja().SetUserPath(FUzytkownik);
    }

    QString Tmp(const QString& wzgledna) const { return FTmp.path() + QLatin1Char('/') + wzgledna; }
    QString Uzytkownika(const QString& wzgledna) const { return FUzytkownik + QLatin1Char('/') + wzgledna; }
    // Options whose "%USERPATH%" is the test's user folder (and no target folder).
    TOpcjeEkstrakcjiArchiwum OpcjeUzytkownika() const
    {
        TOpcjeEkstrakcjiArchiwum opcje;
        opcje.KatalogUzytkownika = FUzytkownik;
        return opcje;
    }

    QTemporaryDir FTmp;
    QString FUzytkownik;
};
