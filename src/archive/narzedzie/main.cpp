// Build tool: packs a folder into a zip archive with the program's entry-name conventions, so that the
// first-run archive is read back exactly as the program expects.

#include "app/Wyjatki.h"
#include "archive/Archiwum.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

int main(int argc, char* argv[])
{
    QCoreApplication aplikacja(argc, argv);
    const QStringList argumenty = aplikacja.arguments();
    QTextStream bledy(stderr);
    if (argumenty.size() != 3) {
        bledy << "Użycie: velostra-spakuj-folder ARCHIWUM FOLDER\n";
        return 1;
    }
    const QString archiwumPath = argumenty[1];
    const QDir folder(argumenty[2]);
    if (!folder.exists()) {
        bledy << "Folder nie istnieje: " << argumenty[2] << '\n';
        return 1;
    }
    try {
        QStringList pliki;
        QDirIterator it(folder.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            pliki << folder.relativeFilePath(it.next());
        // A fixed order makes the archive the same from one build to the next.
        std::sort(pliki.begin(), pliki.end());
        TArchiwum archiwum;
        for (const QString& wzgledna : pliki)
            archiwum.DodajPlik(QString(wzgledna).replace(QLatin1Char('/'), QLatin1Char('\\')),
                               folder.filePath(wzgledna));
        archiwum.Zapisz(archiwumPath);
    } catch (const EBlad& e) {
        bledy << e.Komunikat() << '\n';
        return 1;
    }
    return 0;
}
