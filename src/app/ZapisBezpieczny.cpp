#include "app/ZapisBezpieczny.h"

#include "app/Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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

// The longest file name (in bytes) the file systems in use take.
constexpr qsizetype MaksNazwy = 255;

// ".<name>.<random>.tmp" (or with the target's extension) beside the target. With skrocona, a name near the
// limit is shortened so that the temporary still fits beside its target.
QString NazwaTymczasowaObok(const QString& sciezka, bool zRozszerzeniem, bool skrocona)
{
    const QFileInfo cel(sciezka);
    const QString koncowka =
        QLatin1Char('.') + QUuid::createUuid().toString(QUuid::Id128).left(12) +
        (zRozszerzeniem && !cel.suffix().isEmpty() ? QLatin1Char('.') + cel.suffix() : QStringLiteral(".tmp"));
    QString nazwa = QLatin1Char('.') + cel.fileName();
    while (skrocona && nazwa.size() > 1 && QFile::encodeName(nazwa + koncowka).size() > MaksNazwy)
        nazwa.chop(nazwa.size() >= 2 && nazwa.back().isLowSurrogate() ? 2 : 1);
    return cel.absolutePath() + QLatin1Char('/') + nazwa + koncowka;
}

} // namespace

TZamianaPliku::TZamianaPliku(const QString& cel, const TOpcjeZamianyPliku& opcje) : FOpcje(opcje)
{
    const QFileInfo info(cel);
    FCel = FOpcje.PrzezDowiazanie && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    FTymczasowy = NazwaTymczasowaObok(FCel, FOpcje.ZRozszerzeniem, true);
}

TZamianaPliku::~TZamianaPliku()
{
    if (!FZastapiony)
        QFile::remove(FTymczasowy);
}

void TZamianaPliku::Zastap()
{
    const QByteArray tymczasowy = QFile::encodeName(FTymczasowy);
    const QByteArray cel = QFile::encodeName(FCel);
    const auto blad = [&](const QString& powod) {
        QFile::remove(FTymczasowy);
        return EZamianaPliku(BladZapisu(FCel, powod).Komunikat(), powod);
    };
    const int fd = ::open(tymczasowy.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        throw blad(QStringLiteral("brak pliku tymczasowego"));
    // lstat: a link that is to be replaced gives no rights of its own, and those of its target are not
    // the replaced file's.
    struct stat stary = {};
    const bool prawa = FOpcje.ZachowajPrawa && ::lstat(cel.constData(), &stary) == 0 && S_ISREG(stary.st_mode) &&
                       ::fchmod(fd, stary.st_mode & 07777) != 0;
    const bool zapisany = !FOpcje.NaDysk || ::fsync(fd) == 0;
    ::close(fd);
    if (prawa || !zapisany)
        throw blad(QStringLiteral("nie udało się zapisać danych na dysk"));
    if (::rename(tymczasowy.constData(), cel.constData()) != 0)
        throw blad(QStringLiteral("nie można zastąpić pliku"));
    FZastapiony = true;
}

void ZapiszBezpiecznie(const QString& sciezka, const QByteArray& dane, const TFabrykaUrzadzenia& fabryka)
{
    // Not shortened: the old file waits under its name + "~", which a name at the limit cannot have either.
    const QString tymczasowy = NazwaTymczasowaObok(sciezka, false, false);
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

namespace {

EBlad BladSystemu(int kod)
{
    return EBlad(qt_error_string(kod));
}

class TDeskryptor
{
public:
    explicit TDeskryptor(int fd = -1) : Fd(fd) {}
    ~TDeskryptor()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
    TDeskryptor(const TDeskryptor&) = delete;
    TDeskryptor& operator=(const TDeskryptor&) = delete;
    int Fd;
};

void PrzepiszZawartosc(int we, int wy)
{
    // In the kernel first (no copy through user space; a reflink where the file system has them); a file
    // system that cannot do it falls back to reading and writing.
    for (;;) {
        const ssize_t n = ::copy_file_range(we, nullptr, wy, nullptr, 1 << 30, 0);
        if (n > 0)
            continue;
        if (n == 0)
            return;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
            throw BladSystemu(errno);
        break;
    }
    char bufor[64 * 1024];
    while (true) {
        const ssize_t n = ::read(we, bufor, sizeof bufor);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw BladSystemu(errno);
        if (n == 0)
            return;
        for (ssize_t zapisane = 0; zapisane < n;) {
            const ssize_t m = ::write(wy, bufor + zapisane, static_cast<size_t>(n - zapisane));
            if (m < 0 && errno == EINTR)
                continue;
            if (m < 0)
                throw BladSystemu(errno);
            zapisane += m;
        }
    }
}

} // namespace

void KopiujPlik(const QString& zrodlo, const QString& cel, const TOpcjeZamianyPliku& opcje)
{
    const TDeskryptor we(::open(QFile::encodeName(zrodlo).constData(), O_RDONLY | O_CLOEXEC));
    if (we.Fd < 0)
        throw BladSystemu(errno);
    struct stat st = {};
    if (::fstat(we.Fd, &st) != 0)
        throw BladSystemu(errno);
    // A target that does not exist yet is written in place (nothing to lose there) and removed when the
    // copy fails; an existing one is replaced through a temporary beside it.
    const QByteArray nazwaCelu = QFile::encodeName(cel);
    {
        const TDeskryptor nowy(::open(nazwaCelu.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (nowy.Fd >= 0) {
            try {
                PrzepiszZawartosc(we.Fd, nowy.Fd);
                if (::fchmod(nowy.Fd, st.st_mode & 07777) != 0)
                    throw BladSystemu(errno);
                if (opcje.NaDysk && ::fsync(nowy.Fd) != 0)
                    throw BladSystemu(errno);
            } catch (...) {
                ::unlink(nazwaCelu.constData());
                throw;
            }
            return;
        }
        if (errno != EEXIST)
            throw BladSystemu(errno);
    }
    TZamianaPliku zamiana(cel, opcje);
    const TDeskryptor wy(
        ::open(QFile::encodeName(zamiana.Sciezka()).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (wy.Fd < 0)
        throw BladSystemu(errno);
    PrzepiszZawartosc(we.Fd, wy.Fd);
    if (::fchmod(wy.Fd, st.st_mode & 07777) != 0)
        throw BladSystemu(errno);
    zamiana.Zastap();
}
