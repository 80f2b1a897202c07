#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// A compound document (the container of the older office formats: a small file system of sectors with
// an allocation table) holding named streams side by side in its root storage. Version 3: 512-byte
// sectors; streams under 4,096 bytes go into the mini stream of 64-byte sectors.
//
// The file is assembled in one pass into one buffer of its final size; each stream's bytes are copied
// once, or not at all for a stream built in place.
class TPlikZlozony
{
public:
    // The file's header comes before the first sector.
    static constexpr qsizetype RozmiarNaglowka = 512;

    // Names of 1 to 31 characters without "/", "\", ":" and "!", unique regardless of letter case
    // (EBlad otherwise).
    void DodajStrumien(const QString& nazwa, QByteArray dane);

    // The whole file.
    QByteArray Zapisz() const;
    // The whole file with one more stream, `nazwa`, that is not copied: `bufor` holds RozmiarNaglowka bytes
    // of any content and then the stream's `rozmiar` bytes, and it becomes the file, the other streams and
    // the file's tables written after the stream (in its spare capacity, when it has enough). For the
    // largest stream of a big file, built in place by its writer.
    QByteArray Zapisz(const QString& nazwa, QByteArray bufor, qsizetype rozmiar) const;

private:
    struct TStrumien
    {
        QString Nazwa;
        QByteArray Dane;
    };
    QByteArray Zloz(const QString* nazwaWMiejscu, QByteArray bufor, qsizetype rozmiarWMiejscu) const;

    std::vector<TStrumien> FStrumienie;
};
