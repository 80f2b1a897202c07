#pragma once

#include "app/Wyjatki.h"
#include "app/ZipKompresja.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <vector>

// The content of an entry does not match its CRC-32. Message: CRC Error in "<name>".
class EZipFileCRCError : public EBlad
{
public:
    using EBlad::EBlad;
};

// One entry: the common header shared by its local and central records, its names and extras, and its
// compressed data.
struct TWpisZip
{
    quint16 WersjaPotrzebna = 20;
    quint16 Flagi = 0;
    quint16 Metoda = 8;
    quint16 Czas = 0;
    quint16 Data = 0;
    quint32 Crc = 0;
    quint32 RozmiarSkompresowany = 0;
    quint32 RozmiarNieskompresowany = 0;
    QByteArray Nazwa;
    QByteArray ExtraLokalne;
    QByteArray Dane;
    // Central record only.
    quint16 WersjaUtworzenia = 20;
    quint16 AtrybutyWewnetrzne = 0;
    quint32 AtrybutyZewnetrzne = 0;
    QByteArray ExtraCentralne;
    QByteArray Komentarz;

    // General purpose flag bit 11: the name is UTF-8 rather than code page 852.
    bool CzyNazwaUtf8() const { return (Flagi & 0x0800) != 0; }
};

// A zip archive held in memory: every entry's compressed bytes, nothing uncompressed. What it writes
// has one fixed layout (version 20, deflate, no data descriptor, no extra field, no ZIP64); it reads
// archives of other tools too (stored and deflated entries, data descriptors, extra fields, comments),
// locating entries through the central directory, and refuses damaged or hostile ones.
class TZipFile
{
public:
    // The largest uncompressed entry it writes or reads: beyond it a declared size is taken for a zip bomb.
    static constexpr quint64 MaksRozmiarWpisu = quint64(2) * 1024 * 1024 * 1024;
    // Above this size an entry may expand at most this many times. Documents of mostly blank pages compress
    // far beyond 1000:1 at a few megabytes, and archives this program writes must always open again.
    static constexpr quint64 ProgKontroliStopnia = 64 * 1024 * 1024;
    static constexpr quint64 MaksStopienKompresji = 1000;

    // Appends an empty entry (time and date now, deflate) and returns its index.
    int AddFile(const QByteArray& nazwa, quint32 atrybutyZewnetrzne);
    // Takes back the last entry (one whose data could not be set).
    void UsunOstatni() { FWpisy.pop_back(); }
    // Compresses the bytes into entry i. "Index out of range." for a wrong index.
    void SetData(int i, QByteArrayView dane);
    // The same from a device, read in chunks from its current position; `nazwa` names it in messages.
    void SetDataZeStrumienia(int i, QIODevice& zrodlo, const QString& nazwa);
    // The entry's content compressed elsewhere (KompresujStrumien with MaksRozmiarWpisu), e.g. on a worker.
    void SetDataSkompresowane(int i, TSkompresowane&& wynik);
    // Decompresses entry i whole; EZipFileCRCError when its CRC does not match.
    QByteArray GetData(int i) const;
    // Decompresses entry i piece by piece into `odbiorca`; the CRC is checked after the last piece, so a
    // receiver must not make the pieces final before this returns.
    void GetData(int i, const TOdbiorcaDanych& odbiorca) const;

    int GetCount() const { return static_cast<int>(FWpisy.size()); }
    const QByteArray& GetName(int i) const { return Wpis(i).Nazwa; }
    const TWpisZip& Wpis(int i) const;
    const QByteArray& Komentarz() const { return FKomentarz; }
    void SetKomentarz(const QByteArray& komentarz) { FKomentarz = komentarz; }

    // Decompresses every entry (holding nothing) to prove sizes and CRCs; a failure raises
    // EBlad("Wybrany plik archiwum jest nieprawidłowy.").
    void Sprawdz() const;

    // Writing refuses, before a byte is written, what the 32-bit offsets and 16-bit counts cannot hold.
    void SaveToStream(QIODevice& urzadzenie) const;
    QByteArray SaveToBytes() const;
    // Written beside the target and renamed over it, so a failure never destroys an existing file.
    void SaveToFile(const QString& sciezka) const;
    static void SprawdzLimity(quint64 rozmiarRekordowLokalnych, quint64 rozmiarKatalogu, qsizetype liczbaWpisow);

    // Reads an archive; anything malformed raises EBlad("Wybrany plik archiwum jest nieprawidłowy.")
    // and leaves this object as it was.
    void LoadFromBytes(const QByteArray& bajty);
    void LoadFromFile(const QString& sciezka);

private:
    TWpisZip& WpisDoZmiany(int i);
    void UstawWynik(TWpisZip& wpis, TSkompresowane&& wynik);

    std::vector<TWpisZip> FWpisy;
    QByteArray FKomentarz;
};
