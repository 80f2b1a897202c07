#include "authoring/FolderDocelowy.h"

#include "app/Wyjatki.h"
#include "specs/Specyfikacja.h"
#include "specs/StrukturaSst.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

bool CzyZnakNiedozwolony(QChar z)
{
    static const QString niedozwolone = QStringLiteral("/\\:*?\"<>|");
    return z.unicode() < 0x20 || niedozwolone.contains(z);
}

} // namespace

QString BezpiecznaNazwa(const QString& tekst)
{
    QString wynik = tekst;
    for (QChar& z : wynik) {
        if (CzyZnakNiedozwolony(z))
            z = QLatin1Char('_');
    }
    wynik = wynik.trimmed();
    if (wynik == QLatin1String(".") || wynik == QLatin1String(".."))
        return QString();
    return wynik;
}

QString FolderDocelowySzablonu(const QString& folderStZSzablonu, const TSpecyfikacja* rodzic)
{
    // Without a folder the marker would be looked for in the working folder.
    if (folderStZSzablonu.trimmed().isEmpty())
        return QString();
    const QString folder = QDir::cleanPath(folderStZSzablonu);
    const TZnacznikStruktury znacznik = CzytajStruktureSst(folder);
    if (!znacznik.Struktura || (*znacznik.Struktura != 0 && *znacznik.Struktura != 1))
        return folder;

    QStringList nazwy;
    for (const TSpecyfikacja* w = rodzic; w && w->Parent(); w = w->Parent()) {
        const QString tekst = *znacznik.Struktura == 0 ? w->Numer() : w->GetCaption();
        const QString nazwa = BezpiecznaNazwa(tekst);
        if (nazwa.isEmpty())
            throw EBlad(QStringLiteral("Nie można utworzyć folderu dla \"%1\": nazwa folderu byłaby pusta lub "
                                       "niedozwolona. Proszę poprawić numer lub tytuł na Liście ST.")
                            .arg(w->GetCaption()));
        nazwy.prepend(nazwa);
    }
    QString wynik = folder;
    for (const QString& nazwa : nazwy)
        wynik += QLatin1Char('/') + nazwa;
    return QDir::cleanPath(wynik);
}

QString FolderDocelowyIstniejacej(const QString& plikPodstawy)
{
    if (plikPodstawy.trimmed().isEmpty())
        return QString();
    return QFileInfo(plikPodstawy).absolutePath();
}
