#include "app/Pliki.h"

#include "app/Liczby.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The first entry that a search for the path finds: the path itself, or the first name (in name
// order) of its folder that matches its last part when that part holds wildcards.
QFileInfo PierwszeTrafienie(const QString& sciezka)
{
    QString s = sciezka;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(s);
    const QString nazwa = info.fileName();
    if (!nazwa.contains(QLatin1Char('*')) && !nazwa.contains(QLatin1Char('?')))
        return info.exists() ? info : QFileInfo();
    const QDir katalog = info.dir();
    const QFileInfoList trafienia =
        katalog.entryInfoList(QStringList{nazwa}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                              QDir::Name | QDir::IgnoreCase);
    return trafienia.isEmpty() ? QFileInfo() : trafienia.first();
}

QString DataKrotka(const QDateTime& czas)
{
    return czas.toLocalTime().toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

qint64 RozmiarPliku(const QString& sciezka)
{
    const QFileInfo info(sciezka);
    if (!info.exists())
        return -1;
    return info.size();
}

qint64 RozmiarPlikuWyszukaj(const QString& sciezka)
{
    const QFileInfo info = PierwszeTrafienie(sciezka);
    return info.filePath().isEmpty() ? -1 : info.size();
}

QString RozmiarPlikuTekst(qint64 rozmiar)
{
    if (rozmiar == -1)
        return {};
    constexpr qint64 KB = 1024;
    constexpr qint64 MB = 1048576;
    constexpr qint64 GB = 1073741824;
    const double r = static_cast<double>(rozmiar);
    const QString bajtow = QStringLiteral(" (bajtów: %1)").arg(LiczbaWzorzec(r, 2));
    if (rozmiar < KB)
        return LiczbaWzorzec(r, 2) + QStringLiteral(" bajtów");
    if (rozmiar <= MB)
        return LiczbaWzorzec(r / KB, 2) + QStringLiteral(" KB") + bajtow;
    if (rozmiar <= GB)
        return LiczbaWzorzec(r / MB, 2) + QStringLiteral(" MB") + bajtow;
    return LiczbaWzorzec(r / GB, 2) + QStringLiteral(" GB") + bajtow;
}

QString DataModyfikacjiPliku(const QString& sciezka)
{
    const QFileInfo info(sciezka);
    if (!info.exists())
        return {};
    return DataKrotka(info.lastModified());
}

QString DataUtworzeniaPliku(const QString& sciezka)
{
    const QFileInfo info = PierwszeTrafienie(sciezka);
    if (info.filePath().isEmpty())
        return {};
    // Not every file system records a birth time; the last status change is the closest substitute.
    QDateTime czas = info.birthTime();
    if (!czas.isValid())
        czas = info.metadataChangeTime();
    return DataKrotka(czas);
}

QDateTime CzasPlikuNaLokalny(const QDateTime& czasUtc)
{
    return czasUtc.toLocalTime();
}

QString NazwaPlikuBezRozszerzenia(const QString& sciezka)
{
    QString s = sciezka;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString nazwa = s.mid(s.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype kropka = nazwa.lastIndexOf(QLatin1Char('.'));
    if (kropka < 0)
        return nazwa;
    const QString rozszerzenie = nazwa.mid(kropka);
    nazwa.remove(rozszerzenie, Qt::CaseInsensitive);
    return nazwa;
}

QString UsunZnakiNiedozwolone(const QString& tekst)
{
    QString wynik = tekst.trimmed();
    static const QString niedozwolone = QStringLiteral("/\\:*?\"<>|");
    wynik.removeIf([](QChar z) { return niedozwolone.contains(z); });
    return wynik;
}

QString WersjaProgramu()
{
    QString wersja = QStringLiteral(VELOSTRA_VERSION);
    while (wersja.count(QLatin1Char('.')) < 3)
        wersja += QStringLiteral(".0");
    return wersja;
}

bool CzyTenSamPlik(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    if (fa.exists() || fb.exists())
        return false;
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

QByteArray CzytajCalyPlik(const QString& sciezka, qint64 limit)
{
    const QString nazwa = QDir::toNativeSeparators(sciezka);
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly)) {
        const bool brak = !QFileInfo::exists(sciezka);
        throw EOdczytPliku(brak ? EOdczytPliku::Brak : EOdczytPliku::BladOdczytu,
                           brak ? QStringLiteral("Brak pliku: %1").arg(nazwa)
                                : QStringLiteral("Nie można otworzyć pliku \"%1\": %2").arg(nazwa, plik.errorString()),
                           plik.errorString());
    }
    const auto zaDuzy = [&] {
        return EOdczytPliku(EOdczytPliku::ZaDuzy,
                            QStringLiteral("Plik \"%1\" jest za duży (ponad %2 MB).").arg(nazwa).arg(limit >> 20));
    };
    if (plik.size() > limit)
        throw zaDuzy();
    QByteArray dane;
    if (!plik.isSequential()) {
        dane = plik.readAll();
    } else {
        // A device (a pipe, a character device) tells no size: it is read in steps up to the limit.
        char bufor[65536];
        qint64 n = 0;
        while ((n = plik.read(bufor, sizeof bufor)) > 0) {
            if (dane.size() + n > limit)
                throw zaDuzy();
            dane.append(bufor, n);
        }
    }
    if (plik.error() != QFileDevice::NoError)
        throw EOdczytPliku(EOdczytPliku::BladOdczytu,
                           QStringLiteral("Błąd odczytu pliku \"%1\": %2").arg(nazwa, plik.errorString()),
                           plik.errorString());
    if (dane.size() > limit)
        throw zaDuzy();
    return dane;
}

QByteArray CzytajPlikDoOtwarcia(const QString& sciezka)
{
    try {
        return CzytajCalyPlik(sciezka);
    } catch (const EOdczytPliku& e) {
        if (e.Powod() == EOdczytPliku::ZaDuzy)
            throw;
        throw EBlad(QStringLiteral("Nie można otworzyć pliku \"%1\".").arg(sciezka));
    }
}
