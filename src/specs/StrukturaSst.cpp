#include "specs/StrukturaSst.h"

#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"

#include <QDir>
#include <QFile>

void ZapiszStruktureSst(const QString& folder, int struktura)
{
    if (!QDir().mkpath(folder))
        throw EBlad(QStringLiteral("Nie można utworzyć folderu: ") + folder);
    const QString sciezka = folder + QLatin1Char('/') + NazwaPlikuStrukturySst;
    // The other platform marks the file hidden and read-only; here permissions play that part, so an
    // existing marker is made writable again before it is rewritten.
    if (QFile::exists(sciezka))
        QFile::setPermissions(sciezka, QFile::permissions(sciezka) | QFileDevice::WriteOwner);
    const QByteArray tresc = QByteArray::number(struktura) + "\r\n";
    // A marker half written would send the next unpacking or ordering into another structure.
    TZamianaPliku zamiana(sciezka);
    QFile plik(zamiana.Sciezka());
    try {
        if (!plik.open(QIODevice::WriteOnly | QIODevice::NewOnly) || plik.write(tresc) != tresc.size() || !plik.flush())
            throw EBlad(plik.errorString());
        plik.close();
        zamiana.Zastap();
    } catch (const EBlad&) {
        throw EBlad(QStringLiteral("Nie można zapisać pliku: ") + sciezka);
    }
}

TZnacznikStruktury CzytajStruktureSst(const QString& folder)
{
    TZnacznikStruktury wynik;
    QFile plik(folder + QLatin1Char('/') + NazwaPlikuStrukturySst);
    if (!plik.open(QIODevice::ReadOnly))
        return wynik;
    const QString linia = QString::fromUtf8(plik.readLine(64)).trimmed();
    bool ok = false;
    const int wartosc = linia.toInt(&ok);
    if (!ok)
        return wynik;
    wynik.Znaleziony = true;
    if (wartosc >= 0 && wartosc <= 2)
        wynik.Struktura = wartosc;
    return wynik;
}
