#include "xls/OdczytArkusza.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString Python = QStringLiteral("/usr/bin/python3");

QString Skrypt(const QString& nazwa)
{
    return QStringLiteral(VELOSTRA_TEST_DATA "/../xls/") + nazwa;
}

// The office reads cached formula results of a file as they are unless told to recalculate: "always" (0)
// for the files of other programs in both of its settings.
const char UstawieniaProfilu[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
)";

QString NowyKatalog()
{
    // Under the test program's temporary home, removed with it.
    QTemporaryDir katalog;
    katalog.setAutoRemove(false);
    return katalog.path();
}

QByteArray Wyjscie(const QStringList& argumenty)
{
    if (!CzyJestPython())
        return {};
    QProcess p;
    p.start(Python, argumenty);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "python " << argumenty.join(QLatin1Char(' ')).toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return p.readAllStandardOutput();
}

QJsonObject UruchomSkrypt(const QStringList& argumenty)
{
    const QByteArray wyjscie = Wyjscie(argumenty);
    if (wyjscie.isEmpty())
        return {};
    QJsonParseError blad;
    const QJsonDocument dokument = QJsonDocument::fromJson(wyjscie, &blad);
    if (!dokument.isObject()) {
        ADD_FAILURE() << "JSON: " << blad.errorString().toStdString();
        return {};
    }
    return dokument.object();
}

} // namespace

bool CzyJestOffice()
{
    return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty();
}

bool CzyJestPython()
{
    static const bool jest = [] {
        if (!QFileInfo::exists(Python))
            return false;
        QProcess p;
        p.start(Python, {QStringLiteral("-c"), QStringLiteral("import openpyxl, xlrd, olefile")});
        return p.waitForFinished(60000) && p.exitCode() == 0;
    }();
    return jest;
}

std::vector<QString> KonwertujWOffice(const QStringList& pliki, const QString& format)
{
    if (!CzyJestOffice())
        return {};
    const QString profil = NowyKatalog();
    const QString wyjscie = NowyKatalog();
    QDir().mkpath(profil + QStringLiteral("/user"));
    QFile ustawienia(profil + QStringLiteral("/user/registrymodifications.xcu"));
    if (!ustawienia.open(QIODevice::WriteOnly) || ustawienia.write(UstawieniaProfilu) < 0) {
        ADD_FAILURE() << "nie można zapisać profilu biura";
        return {};
    }
    ustawienia.close();

    QStringList argumenty{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profil).toString(),
                          QStringLiteral("--headless"),
                          QStringLiteral("--norestore"),
                          QStringLiteral("--nolockcheck"),
                          QStringLiteral("--convert-to"),
                          format,
                          QStringLiteral("--outdir"),
                          wyjscie};
    argumenty += pliki;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("soffice"), argumenty);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit)
        ADD_FAILURE() << "soffice: " << p.readAll().toStdString();

    const QString rozszerzenie = format.section(QLatin1Char(':'), 0, 0);
    std::vector<QString> wynik;
    for (const QString& plik : pliki) {
        const QString cel =
            wyjscie + QLatin1Char('/') + QFileInfo(plik).completeBaseName() + QLatin1Char('.') + rozszerzenie;
        wynik.push_back(QFileInfo::exists(cel) ? cel : QString());
    }
    return wynik;
}

QJsonObject CzytajXlsx(const QString& sciezka)
{
    return UruchomSkrypt({Skrypt(QStringLiteral("czytaj_xlsx.py")), sciezka});
}

QJsonObject CzytajXlsXlrd(const QString& sciezka)
{
    return UruchomSkrypt({Skrypt(QStringLiteral("czytaj_xls.py")), sciezka});
}

QJsonObject CzytajOle(const QString& sciezka)
{
    return UruchomSkrypt({Skrypt(QStringLiteral("czytaj_xls.py")), QStringLiteral("--ole"), sciezka});
}

QByteArray CzytajStrumien(const QString& sciezka, const QString& strumien)
{
    return Wyjscie({Skrypt(QStringLiteral("czytaj_xls.py")), QStringLiteral("--strumien"), strumien, sciezka});
}
