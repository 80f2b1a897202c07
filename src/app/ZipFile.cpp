#include "app/ZipFile.h"

#include "app/ZapisBezpieczny.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QtEndian>

#include <atomic>
#include <future>
#include <limits>
#include <thread>

namespace {

constexpr quint32 SygnaturaLokalna = 0x04034B50;
constexpr quint32 SygnaturaCentralna = 0x02014B50;
constexpr quint32 SygnaturaKonca = 0x06054B50;

void CzasDos(quint16& czas, quint16& data)
{
    const QDateTime teraz = QDateTime::currentDateTime();
    const QTime t = teraz.time();
    const QDate d = teraz.date();
    czas = static_cast<quint16>((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
    data = static_cast<quint16>(((std::max(d.year(), 1980) - 1980) << 9) | (d.month() << 5) | d.day());
}

// Little-endian fields gathered into a buffer before one write.
class TZapis
{
public:
    TZapis& U16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        FBajty.append(b, 2);
        return *this;
    }
    TZapis& U32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        FBajty.append(b, 4);
        return *this;
    }
    TZapis& Bajty(const QByteArray& b)
    {
        FBajty.append(b);
        return *this;
    }
    const QByteArray& Wynik() const { return FBajty; }

private:
    QByteArray FBajty;
};

void NaglowekWspolny(TZapis& z, const TWpisZip& w, const QByteArray& extra)
{
    // Entries are written with their sizes in the header, so a data descriptor flag read from another tool goes.
    z.U16(w.WersjaPotrzebna).U16(static_cast<quint16>(w.Flagi & ~0x0008)).U16(w.Metoda).U16(w.Czas).U16(w.Data);
    z.U32(w.Crc).U32(w.RozmiarSkompresowany).U32(w.RozmiarNieskompresowany);
    z.U16(static_cast<quint16>(w.Nazwa.size())).U16(static_cast<quint16>(extra.size()));
}

void Zapisz(QIODevice& urzadzenie, const char* dane, qsizetype n)
{
    if (urzadzenie.write(dane, n) != n)
        throw EBlad(QStringLiteral("Błąd zapisu archiwum: %1").arg(urzadzenie.errorString()));
}

void Zapisz(QIODevice& urzadzenie, const QByteArray& dane)
{
    Zapisz(urzadzenie, dane.constData(), dane.size());
}

} // namespace

const TWpisZip& TZipFile::Wpis(int i) const
{
    if (i < 0 || i >= GetCount())
        throw EBlad(QStringLiteral("Index out of range."));
    return FWpisy[static_cast<size_t>(i)];
}

TWpisZip& TZipFile::WpisDoZmiany(int i)
{
    return const_cast<TWpisZip&>(Wpis(i));
}

int TZipFile::AddFile(const QByteArray& nazwa, quint32 atrybutyZewnetrzne)
{
    TWpisZip wpis;
    wpis.Nazwa = nazwa;
    wpis.AtrybutyZewnetrzne = atrybutyZewnetrzne;
    CzasDos(wpis.Czas, wpis.Data);
    FWpisy.push_back(std::move(wpis));
    return GetCount() - 1;
}

void TZipFile::UstawWynik(TWpisZip& wpis, TSkompresowane&& wynik)
{
    if (wynik.Rozmiar > MaksRozmiarWpisu || static_cast<quint64>(wynik.Dane.size()) >= 0xFFFFFFFFu)
        throw EBlad(QStringLiteral("Plik \"%1\" jest zbyt duży, aby umieścić go w archiwum.")
                        .arg(QString::fromLatin1(wpis.Nazwa)));
    CzasDos(wpis.Czas, wpis.Data);
    wpis.WersjaPotrzebna = 20;
    wpis.Flagi = 0;
    wpis.Metoda = 8;
    wpis.Crc = wynik.Crc;
    wpis.RozmiarSkompresowany = static_cast<quint32>(wynik.Dane.size());
    wpis.RozmiarNieskompresowany = static_cast<quint32>(wynik.Rozmiar);
    wpis.ExtraLokalne.clear();
    wpis.Dane = std::move(wynik.Dane);
}

void TZipFile::SetData(int i, QByteArrayView dane)
{
    TWpisZip& wpis = WpisDoZmiany(i);
    UstawWynik(wpis, KompresujBajty(dane));
}

void TZipFile::SetDataZeStrumienia(int i, QIODevice& zrodlo, const QString& nazwa)
{
    TWpisZip& wpis = WpisDoZmiany(i);
    UstawWynik(wpis, KompresujStrumien(zrodlo, MaksRozmiarWpisu, nazwa));
}

void TZipFile::SetDataSkompresowane(int i, TSkompresowane&& wynik)
{
    UstawWynik(WpisDoZmiany(i), std::move(wynik));
}

void TZipFile::GetData(int i, const TOdbiorcaDanych& odbiorca) const
{
    const TWpisZip& wpis = Wpis(i);
    const quint32 crc = Dekompresuj(wpis.Dane, wpis.Metoda, wpis.RozmiarNieskompresowany, odbiorca);
    if (crc != wpis.Crc)
        throw EZipFileCRCError(QStringLiteral("CRC Error in \"%1\".").arg(QString::fromLatin1(wpis.Nazwa)));
}

QByteArray TZipFile::GetData(int i) const
{
    QByteArray wynik;
    wynik.reserve(static_cast<qsizetype>(Wpis(i).RozmiarNieskompresowany));
    GetData(i, [&wynik](const char* dane, qsizetype n) { wynik.append(dane, n); });
    return wynik;
}

void TZipFile::Sprawdz() const
{
    // Every entry is inflated once to prove it whole: on all cores, each taking the next entry left.
    std::atomic<int> nastepny{0};
    std::atomic<bool> zly{false};
    const auto sprawdzaj = [&] {
        for (int i = nastepny++; i < GetCount() && !zly; i = nastepny++) {
            try {
                GetData(i, [](const char*, qsizetype) {});
            } catch (const EBlad&) {
                zly = true;
            }
        }
    };
    const unsigned watkow = std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()),
                                               static_cast<unsigned>(std::max(1, GetCount())));
    std::vector<std::future<void>> pomocnicy;
    for (unsigned w = 1; w < watkow; ++w)
        pomocnicy.push_back(std::async(std::launch::async, sprawdzaj));
    sprawdzaj();
    for (auto& p : pomocnicy)
        p.get();
    if (zly)
        throw EBlad(KomunikatNieprawidlowegoArchiwum());
}

void TZipFile::SprawdzLimity(quint64 rozmiarRekordowLokalnych, quint64 rozmiarKatalogu, qsizetype liczbaWpisow)
{
    // 0xFFFF and 0xFFFFFFFF themselves announce ZIP64 records to readers, so they are out of reach too.
    if (liczbaWpisow >= 0xFFFF)
        throw EBlad(QStringLiteral("Archiwum nie może zostać zapisane: zawiera %1 plików, a format zip pozwala na "
                                   "najwyżej 65534.")
                        .arg(liczbaWpisow));
    if (rozmiarRekordowLokalnych >= 0xFFFFFFFFu || rozmiarKatalogu >= 0xFFFFFFFFu ||
        rozmiarRekordowLokalnych + rozmiarKatalogu >= 0xFFFFFFFFu)
        throw EBlad(QStringLiteral("Archiwum nie może zostać zapisane: jego rozmiar przekroczyłby 4 GB, na które "
                                   "pozwala format zip."));
}

void TZipFile::SaveToStream(QIODevice& urzadzenie) const
{
    quint64 lokalne = 0;
    quint64 katalog = 0;
    for (const TWpisZip& w : FWpisy) {
        if (w.Nazwa.size() > 0xFFFF || w.ExtraLokalne.size() > 0xFFFF || w.ExtraCentralne.size() > 0xFFFF ||
            w.Komentarz.size() > 0xFFFF)
            throw EBlad(QStringLiteral("Archiwum nie może zostać zapisane: nazwa pliku jest zbyt długa."));
        lokalne += 30u + static_cast<quint64>(w.Nazwa.size() + w.ExtraLokalne.size() + w.Dane.size());
        katalog += 46u + static_cast<quint64>(w.Nazwa.size() + w.ExtraCentralne.size() + w.Komentarz.size());
    }
    SprawdzLimity(lokalne, katalog, static_cast<qsizetype>(FWpisy.size()));
    if (FKomentarz.size() > 0xFFFF)
        throw EBlad(QStringLiteral("Archiwum nie może zostać zapisane: komentarz jest zbyt długi."));

    std::vector<quint32> przesuniecia;
    quint64 pozycja = 0;
    for (const TWpisZip& w : FWpisy) {
        przesuniecia.push_back(static_cast<quint32>(pozycja));
        TZapis z;
        z.U32(SygnaturaLokalna);
        NaglowekWspolny(z, w, w.ExtraLokalne);
        z.Bajty(w.Nazwa).Bajty(w.ExtraLokalne);
        Zapisz(urzadzenie, z.Wynik());
        Zapisz(urzadzenie, w.Dane);
        pozycja += static_cast<quint64>(z.Wynik().size() + w.Dane.size());
    }
    TZapis c;
    for (size_t i = 0; i < FWpisy.size(); ++i) {
        const TWpisZip& w = FWpisy[i];
        c.U32(SygnaturaCentralna).U16(w.WersjaUtworzenia);
        NaglowekWspolny(c, w, w.ExtraCentralne);
        c.U16(static_cast<quint16>(w.Komentarz.size())).U16(0).U16(w.AtrybutyWewnetrzne).U32(w.AtrybutyZewnetrzne);
        c.U32(przesuniecia[i]).Bajty(w.Nazwa).Bajty(w.ExtraCentralne).Bajty(w.Komentarz);
    }
    const auto liczba = static_cast<quint16>(FWpisy.size());
    c.U32(SygnaturaKonca).U16(0).U16(0).U16(liczba).U16(liczba);
    c.U32(static_cast<quint32>(katalog)).U32(static_cast<quint32>(pozycja));
    c.U16(static_cast<quint16>(FKomentarz.size())).Bajty(FKomentarz);
    Zapisz(urzadzenie, c.Wynik());
}

QByteArray TZipFile::SaveToBytes() const
{
    QByteArray wynik;
    QBuffer bufor(&wynik);
    bufor.open(QIODevice::WriteOnly);
    SaveToStream(bufor);
    return wynik;
}

void TZipFile::SaveToFile(const QString& sciezka) const
{
    TZamianaPliku zamiana(sciezka);
    QFile plik(zamiana.Sciezka());
    if (!plik.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw EBlad(QStringLiteral("Nie można utworzyć pliku \"%1\": %2").arg(sciezka, plik.errorString()));
    SaveToStream(plik);
    if (!plik.flush())
        throw EBlad(QStringLiteral("Błąd zapisu pliku \"%1\": %2").arg(sciezka, plik.errorString()));
    plik.close();
    zamiana.Zastap();
}
