#include "archive/FolderUzytkownika.h"

#include "app/Lokalizacje.h"
#include "app/Wyjatki.h"
#include "archive/Archiwum.h"
#include "archive/BezpieczneSciezki.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

QString PlikArchiwumPierwszegoUruchomienia()
{
    return PlikProgramu(NazwaProduktu + QStringLiteral(".zip"));
}

bool PrzygotujFolderUzytkownika(const QString& userPath, const QString& archiwumPath)
{
    QString folder = QDir::cleanPath(QString(userPath).replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (folder.trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać folder docelowy."));
    const QFileInfo info(folder);
    if (info.exists() || info.isSymLink())
        return false;

    // The archive is read and every name checked before the folder is made, so that a damaged or
    // hostile archive leaves no half-filled user folder behind.
    TArchiwum archiwum;
    struct TWpis
    {
        QString Nazwa;
        QString Cel;
        bool CzyFolder;
    };
    std::vector<TWpis> wpisy;
    const bool jestArchiwum = !archiwumPath.isEmpty() && QFileInfo(archiwumPath).isFile();
    if (jestArchiwum) {
        archiwum.Otworz(archiwumPath);
        for (const QString& nazwa : archiwum.GetListaPlikow()) {
            SprawdzNazweWArchiwum(nazwa);
            QString wzgledna = nazwa;
            wzgledna.replace(QLatin1Char('\\'), QLatin1Char('/'));
            const QString cel = QDir::cleanPath(folder + QLatin1Char('/') + wzgledna);
            SprawdzCelRozpakowania(folder, cel);
            wpisy.push_back({nazwa, cel, wzgledna.endsWith(QLatin1Char('/'))});
        }
    }

    if (!QDir().mkpath(folder))
        throw EBlad(QStringLiteral("Nie można utworzyć folderu: ") + folder);
    for (const TWpis& wpis : wpisy) {
        // Folder entries of other zip tools only make their folder.
        const QString katalog = wpis.CzyFolder ? wpis.Cel : QFileInfo(wpis.Cel).absolutePath();
        if (!QDir().mkpath(katalog))
            throw EBlad(QStringLiteral("Nie można utworzyć folderu: ") + katalog);
        if (!wpis.CzyFolder)
            archiwum.WypakujPlik(wpis.Nazwa, katalog, false);
    }
    return true;
}
