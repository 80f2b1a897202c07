#include "app/Lokalizacje.h"

#include "app/Wyjatki.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString BezSeparatoraNaKoncu(QString s)
{
    while (s.size() > 1 && (s.endsWith(QLatin1Char('/')) || s.endsWith(QLatin1Char('\\'))))
        s.chop(1);
    return s;
}

} // namespace

QString KatalogSpecjalny(TKatalogSpecjalny id)
{
    switch (id) {
    case TKatalogSpecjalny::Dokumenty:
        return BezSeparatoraNaKoncu(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    case TKatalogSpecjalny::DaneAplikacji:
        return BezSeparatoraNaKoncu(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    case TKatalogSpecjalny::Tymczasowy:
        return BezSeparatoraNaKoncu(QDir::tempPath());
    }
    return {};
}

QString KatalogMojeDokumenty()
{
    const QString katalog = KatalogSpecjalny(TKatalogSpecjalny::Dokumenty);
    if (katalog.isEmpty())
        throw EBlad(QStringLiteral("Nie znaleziono folderu \"Moje Dokumenty\""));
    return katalog;
}

QString KatalogDanychAplikacji()
{
    return KatalogSpecjalny(TKatalogSpecjalny::DaneAplikacji);
}

QString KatalogTymczasowy()
{
    return KatalogSpecjalny(TKatalogSpecjalny::Tymczasowy);
}

QString KatalogKonfiguracji()
{
    const QString katalog = KatalogDanychAplikacji() + QLatin1Char('/') + NazwaProduktu;
    QDir().mkpath(katalog);
    return katalog;
}

QString PlikKonfiguracji()
{
    return KatalogKonfiguracji() + QLatin1Char('/') + NazwaProduktu + QStringLiteral(".conf");
}

QString DomyslnyKatalogUzytkownika()
{
    return KatalogMojeDokumenty() + QLatin1Char('/') + NazwaProduktu;
}

QString KatalogProgramu()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

QString PlikProgramu(const QString& nazwa)
{
    const QString obok = KatalogProgramu() + QLatin1Char('/') + nazwa;
    if (QFileInfo::exists(obok))
        return obok;
    const QString zainstalowany = QDir::cleanPath(KatalogProgramu() + QStringLiteral("/../share/velostra/") + nazwa);
    if (QFileInfo::exists(zainstalowany))
        return zainstalowany;
    return obok;
}

QString PlikKodowCpv()
{
    return PlikProgramu(QStringLiteral("kodyCpv.csv"));
}

QString PlikKodowJednostek()
{
    return PlikProgramu(QStringLiteral("kodyJednostek.csv"));
}
