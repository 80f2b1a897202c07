#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Equal texts met while reading one estimate share one copy (QString's implicit sharing): units, bases,
// quantities, prices, ST numbers and even descriptions repeat through a large estimate, and a copy per
// position is most of what its tree would weigh.
class TWspolneTeksty
{
public:
    // The kept copy of the text; the first time it is met, a copy of exactly its size is kept.
    QString operator()(QStringView tekst);
    // The same for one of a reader's fields (below MaksPol): a field often repeats from one position to the
    // next, and comparing with the text it had last costs less than hashing the text.
    QString operator()(QStringView tekst, std::size_t pole);

    // The first operator split in two, for a reader that puts a text not met before into a buffer of its
    // own: the kept copy, or a null string (also for an empty text); then, right after a miss, the reader's
    // copy (equal to the text) to be kept. For texts that seldom repeat from one position to the next.
    QString Znajdz(QStringView tekst);
    void Dodaj(const QString& kopia);

    // The hash of a text, worked out ahead so that its slot can be brought into the cache (Przygotuj) while
    // other work goes on: the table of a large estimate does not fit in the cache. ZeSkrotem is then the
    // first operator with the hash known.
    std::uint32_t Skrot(QStringView tekst) const;
    void Przygotuj(std::uint32_t skrot) const;
    QString ZeSkrotem(QStringView tekst, std::uint32_t skrot);

    static constexpr std::size_t MaksPol = 8;

private:
    // Open addressing over the kept texts: a slot holds the text's hash and its index in FTeksty (plus 1,
    // 0 for an empty slot). Growing and probing read the slots only; a text is compared only when its hash
    // matches, so most of a large estimate's unique texts cost one slot read and no look at other texts.
    struct TSlot
    {
        std::uint32_t Skrot = 0;
        std::uint32_t Indeks = 0;
    };
    void Powieksz();
    // The kept copy of the text, or null with `slot` the empty slot where it would go.
    const QString* Szukaj(QStringView tekst, std::uint32_t skrot, std::size_t& slot);
    void Zachowaj(const QString& kopia, std::uint32_t skrot, std::size_t slot);

    // What the last Znajdz that missed left for Dodaj.
    struct TSzukany
    {
        std::uint32_t Skrot = 0;
        std::size_t Slot = 0;
        bool Wazny = false;
    } FSzukany;
    std::vector<TSlot> FSloty;
    std::vector<QString> FTeksty;
    std::array<QString, MaksPol> FOstatnie;
};
