#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <functional>

// Raw deflate of zip entries (zlib, default level) and the guarded inflate that reads them back.

// The message for every kind of damaged or hostile archive.
QString KomunikatNieprawidlowegoArchiwum();

struct TSkompresowane
{
    QByteArray Dane;     // raw deflate data, as an entry stores it
    quint32 Crc = 0;     // CRC-32 of the uncompressed bytes
    quint64 Rozmiar = 0; // uncompressed size
};

// Compresses the device's content from its current position to its end, in chunks, so that the
// uncompressed content is never held whole. More than `limit` bytes raise EBlad naming `nazwa`.
TSkompresowane KompresujStrumien(QIODevice& zrodlo, quint64 limit, const QString& nazwa);
TSkompresowane KompresujBajty(QByteArrayView dane);

// Gets the next piece of uncompressed content.
using TOdbiorcaDanych = std::function<void(const char* dane, qsizetype dlugosc)>;

// Decompresses entry data of the method (0 stored, 8 deflate) in pieces handed to `odbiorca`, producing
// exactly `rozmiar` bytes: never more (a lying size cannot inflate without bound), never fewer, and
// damaged data raise EBlad with KomunikatNieprawidlowegoArchiwum(). Returns the CRC-32 of what it produced.
quint32 Dekompresuj(QByteArrayView dane, quint16 metoda, quint64 rozmiar, const TOdbiorcaDanych& odbiorca);
