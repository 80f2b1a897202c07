#include "app/ZapisBezpieczny.h"

#include "app/Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <unistd.h>

namespace {

EBlad BladZapisu(const QString& sciezka, const QString& powod)
{
    return EBlad(QStringLiteral("Błąd zapisu pliku \"%1\": %2").arg(QDir::toNativeSeparators(sciezka), powod));
}

void ZapiszDoUrzadzenia(QIODevice& urzadzenie, const QByteArray& dane)
{
    qint64 zapisane = 0;
    while (zapisane < dane.size()) {
        const qint64 n = urzadzenie.write(dane.constData() + zapisane, dane.size() - zapisane);
        if (n <= 0)
            throw EBlad(urzadzenie.errorString());
        zapisane += n;
    }
    if (auto* plik = qobject_cast<QFile*>(&urzadzenie)) {
        if (!plik->flush())
            throw EBlad(plik->errorString());
        if (::fsync(plik->handle()) != 0)
            throw EBlad(QStringLiteral("nie udało się zapisać danych na dysk"));
    }
}

} // namespace

void ZapiszBezpiecznie(const QString& sciezka, const QByteArray& dane, const TFabrykaUrzadzenia& fabryka)
{
    const QFileInfo cel(sciezka);
    const QString tymczasowy = cel.absolutePath() + QStringLiteral("/.") + cel.fileName() + QLatin1Char('.') +
                               QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".tmp");
    try {
        std::unique_ptr<QIODevice> urzadzenie;
        if (fabryka) {
            urzadzenie = fabryka(tymczasowy);
        } else {
            auto plik = std::make_unique<QFile>(tymczasowy);
            if (!plik->open(QIODevice::WriteOnly | QIODevice::Truncate))
                throw EBlad(plik->errorString());
            urzadzenie = std::move(plik);
        }
        if (!urzadzenie || !urzadzenie->isOpen())
            throw EBlad(QStringLiteral("nie można utworzyć pliku"));
        ZapiszDoUrzadzenia(*urzadzenie, dane);
        urzadzenie->close();
    } catch (const EBlad& e) {
        QFile::remove(tymczasowy);
        throw BladZapisu(sciezka, e.Komunikat());
    }

    const QString kopia = SciezkaKopiiTyldy(sciezka);
    const bool byl = QFileInfo::exists(sciezka);
    if (byl) {
        QFile::remove(kopia);
        if (!QFile::rename(sciezka, kopia)) {
            QFile::remove(tymczasowy);
            throw BladZapisu(sciezka, QStringLiteral("nie można przenieść poprzedniej wersji pliku"));
        }
    }
    if (!QFile::rename(tymczasowy, sciezka)) {
        QFile::remove(tymczasowy);
        if (byl)
            QFile::rename(kopia, sciezka);
        throw BladZapisu(sciezka, QStringLiteral("nie można zastąpić pliku"));
    }
    if (byl)
        QFile::remove(kopia);
}
