// Archives exchanged with other zip tools: Info-ZIP zip/unzip and Python's zipfile read ours, and we read theirs.
#include "archive/Archiwum.h"
#include "support/Pomocnicze.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

struct TWynikProcesu
{
    int Kod = -1;
    QByteArray Wyjscie;
};

// Runs a tool in the folder with the C locale, so that it takes file names as plain bytes. With an output
// file, the tool writes into a pipe that fills the file: a stream it cannot seek back in.
TWynikProcesu Uruchom(const QString& program, QStringList argumenty, const QString& folder,
                      const QString& plikWyjscia = {})
{
    if (!plikWyjscia.isEmpty()) {
        argumenty =
            QStringList{QStringLiteral("-c"), QStringLiteral("wyjscie=\"$1\"; shift; \"$@\" | cat > \"$wyjscie\""),
                        QStringLiteral("sh"), plikWyjscia, program} +
            argumenty;
        return Uruchom(QStringLiteral("sh"), argumenty, folder);
    }
    QProcess proces;
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    proces.setProcessEnvironment(srodowisko);
    proces.setWorkingDirectory(folder);
    proces.start(program, argumenty);
    proces.waitForFinished(120000);
    TWynikProcesu wynik;
    wynik.Kod = proces.exitStatus() == QProcess::NormalExit ? proces.exitCode() : -1;
    wynik.Wyjscie = proces.readAllStandardOutput() + proces.readAllStandardError();
    return wynik;
}

#define WYMAGAJ_NARZEDZIA(nazwa)                                                                                       \
    if (QStandardPaths::findExecutable(QStringLiteral(nazwa)).isEmpty())                                               \
    GTEST_SKIP() << nazwa " is not installed"

QByteArray Tresc(int i)
{
    QByteArray t;
    for (int j = 0; j < 2000 + i * 500; ++j)
        t += "wiersz " + QByteArray::number(j * (i + 3) % 977) + (j % 5 ? " tekst\n" : " \x01\xFE\n");
    return t;
}

// General purpose flags of all entries together, from the central records.
quint16 FlagiWpisow(const QByteArray& zip)
{
    quint16 flagi = 0;
    for (qsizetype p = zip.indexOf("PK\x01\x02"); p >= 0 && p + 10 <= zip.size(); p = zip.indexOf("PK\x01\x02", p + 1))
        flagi |=
            static_cast<quint16>(static_cast<unsigned char>(zip[p + 8]) | static_cast<unsigned char>(zip[p + 9]) << 8);
    return flagi;
}

const QStringList Nazwy{QStringLiteral("ZIP\\sst\\Ściany.doc"), QStringLiteral("ZIP\\sst\\Łączniki żółte.doc"),
                        QStringLiteral("ZIP\\kosztorys ąęćńóśźż.rds"), QStringLiteral("zestaw.zst")};

// A set of files on disk under names encoded as this program encodes them: the raw bytes another tool stores.
// Qt cannot name such files to remove them, so they are removed by their bytes when the test ends.
class TPlikiSurowe
{
public:
    ~TPlikiSurowe()
    {
        for (const std::string& p : Pliki)
            std::remove(p.c_str());
        for (auto it = Foldery.rbegin(); it != Foldery.rend(); ++it)
            std::remove(it->c_str());
    }
    std::vector<std::string> Pliki;
    std::vector<std::string> Foldery;
};

void UtworzPlikiSurowe(const QString& folder, TPlikiSurowe& sprzatanie)
{
    for (int i = 0; i < Nazwy.size(); ++i) {
        const std::string sciezka =
            QFile::encodeName(folder).toStdString() + "/" + TArchiwum::KodujNazwe(Nazwy[i]).toStdString();
        const auto ukosnik = sciezka.rfind('/');
        QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(sciezka.substr(0, ukosnik))));
        sprzatanie.Pliki.push_back(sciezka);
        std::ofstream plik(sciezka, std::ios::binary);
        const QByteArray t = Tresc(i);
        plik.write(t.constData(), t.size());
        ASSERT_TRUE(plik.good());
    }
}

void SprawdzOdczyt(const QString& zip, bool zFolderami)
{
    TArchiwum archiwum;
    archiwum.Otworz(zip);
    QStringList pliki;
    for (const QString& n : archiwum.GetListaPlikow())
        if (!n.endsWith(QLatin1Char('\\')))
            pliki << n;
    pliki.sort();
    QStringList oczekiwane = Nazwy;
    oczekiwane.sort();
    EXPECT_EQ(pliki, oczekiwane);
    if (zFolderami) {
        EXPECT_TRUE(archiwum.CzyJestPlik(QStringLiteral("ZIP\\sst\\")));
    }
    for (int i = 0; i < Nazwy.size(); ++i)
        EXPECT_EQ(archiwum.WypakujPlik(Nazwy[i]), Tresc(i)) << Nazwy[i].toStdString();
}

const char* SkryptPythona = R"(
import sys, zipfile, hashlib
z = zipfile.ZipFile(sys.argv[1])
print("test:", z.testzip())
for i in z.infolist():
    n = i.filename if i.flag_bits & 0x800 else i.filename.encode("cp437").decode("cp852")
    print(n.replace("/", "\\"), hashlib.md5(z.read(i)).hexdigest(), i.compress_type)
)";

} // namespace

TEST(Interop, NaszeArchiwumPrzechodziUnzipT)
{
    WYMAGAJ_NARZEDZIA("unzip");
    QTemporaryDir katalog;
    TArchiwum archiwum;
    for (int i = 0; i < Nazwy.size(); ++i)
        archiwum.DodajDane(Nazwy[i], Tresc(i));
    archiwum.Zapisz(katalog.filePath(QStringLiteral("a.azst")));
    const TWynikProcesu wynik =
        Uruchom(QStringLiteral("unzip"), {QStringLiteral("-t"), QStringLiteral("a.azst")}, katalog.path());
    EXPECT_EQ(wynik.Kod, 0) << wynik.Wyjscie.toStdString();
    EXPECT_TRUE(wynik.Wyjscie.contains("No errors detected")) << wynik.Wyjscie.toStdString();
}

TEST(Interop, PythonCzytaNaszeArchiwumZNazwamiCp852)
{
    WYMAGAJ_NARZEDZIA("python3");
    QTemporaryDir katalog;
    TArchiwum archiwum;
    for (int i = 0; i < Nazwy.size(); ++i)
        archiwum.DodajDane(Nazwy[i], Tresc(i));
    archiwum.Zapisz(katalog.filePath(QStringLiteral("a.alst")));
    const TWynikProcesu wynik =
        Uruchom(QStringLiteral("python3"),
                {QStringLiteral("-c"), QString::fromUtf8(SkryptPythona), QStringLiteral("a.alst")}, katalog.path());
    ASSERT_EQ(wynik.Kod, 0) << wynik.Wyjscie.toStdString();
    QStringList oczekiwane{QStringLiteral("test: None")};
    for (int i = 0; i < Nazwy.size(); ++i)
        oczekiwane << Nazwy[i] + QLatin1Char(' ') +
                          QString::fromLatin1(QCryptographicHash::hash(Tresc(i), QCryptographicHash::Md5).toHex()) +
                          QStringLiteral(" 8");
    EXPECT_EQ(QString::fromUtf8(wynik.Wyjscie).trimmed().split(QLatin1Char('\n')), oczekiwane);
}

TEST(Interop, CzytaArchiwumInfoZipZNazwamiCp852)
{
    WYMAGAJ_NARZEDZIA("zip");
    QTemporaryDir katalog;
    TPlikiSurowe sprzatanie;
    UtworzPlikiSurowe(katalog.filePath(QStringLiteral("pliki")), sprzatanie);
    const QString pliki = katalog.filePath(QStringLiteral("pliki"));
    // Into a file: sizes in the headers, extra fields (times, owner); into a pipe: data descriptors.
    const TWynikProcesu doPliku = Uruchom(
        QStringLiteral("zip"),
        {QStringLiteral("-6"), QStringLiteral("-r"), katalog.filePath(QStringLiteral("z.zip")), QStringLiteral(".")},
        pliki);
    ASSERT_EQ(doPliku.Kod, 0) << doPliku.Wyjscie.toStdString();
    SprawdzOdczyt(katalog.filePath(QStringLiteral("z.zip")), true);
    const TWynikProcesu doPotoku = Uruchom(
        QStringLiteral("zip"),
        {QStringLiteral("-6"), QStringLiteral("-r"), QStringLiteral("-fz-"), QStringLiteral("-"), QStringLiteral(".")},
        pliki, katalog.filePath(QStringLiteral("potok.zip")));
    ASSERT_EQ(doPotoku.Kod, 0) << doPotoku.Wyjscie.toStdString();
    EXPECT_EQ(FlagiWpisow(CzytajPlik(katalog.filePath(QStringLiteral("potok.zip")))) & 0x08, 0x08);
    SprawdzOdczyt(katalog.filePath(QStringLiteral("potok.zip")), true);
}

TEST(Interop, CzytaArchiwaPythonaDeflateStoredUtf8IDeskryptory)
{
    WYMAGAJ_NARZEDZIA("python3");
    QTemporaryDir katalog;
    TPlikiSurowe sprzatanie;
    UtworzPlikiSurowe(katalog.filePath(QStringLiteral("pliki")), sprzatanie);
    // Names: UTF-8 with flag bit 11 (Python's own choice for non-ASCII names). Written to a pipe, every
    // member carries a data descriptor; "stored" and "deflate" choose the method.
    const char* skrypt = R"(
import os, sys, zipfile
metoda = zipfile.ZIP_STORED if sys.argv[1] == "stored" else zipfile.ZIP_DEFLATED
wyjscie = open(sys.argv[2], "wb") if sys.argv[2] != "-" else sys.stdout.buffer
with zipfile.ZipFile(wyjscie, "w", metoda) as z:
    z.comment = b"komentarz"
    for folder, _, pliki in os.walk(b"."):
        for p in sorted(pliki):
            sciezka = os.path.join(folder, p)[2:]
            nazwa = sciezka.decode("cp852")
            with open(sciezka, "rb") as f:
                z.writestr(nazwa, f.read())
)";
    const QString pliki = katalog.filePath(QStringLiteral("pliki"));
    for (const char* metoda : {"stored", "deflate"}) {
        for (const bool potok : {false, true}) {
            SCOPED_TRACE(std::string(metoda) + (potok ? " potok" : " plik"));
            const QString zip = katalog.filePath(QStringLiteral("%1%2.zip").arg(QLatin1String(metoda)).arg(potok));
            const TWynikProcesu wynik = Uruchom(QStringLiteral("python3"),
                                                {QStringLiteral("-c"), QString::fromUtf8(skrypt), QLatin1String(metoda),
                                                 potok ? QStringLiteral("-") : zip},
                                                pliki, potok ? zip : QString());
            ASSERT_EQ(wynik.Kod, 0) << wynik.Wyjscie.toStdString();
            EXPECT_EQ(FlagiWpisow(CzytajPlik(zip)), potok ? 0x0808 : 0x0800);
            SprawdzOdczyt(zip, false);
        }
    }
}
