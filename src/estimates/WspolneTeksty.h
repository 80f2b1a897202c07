#pragma once

#include "estimates/ZwartyTekst.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Equal texts met while reading one estimate share one copy: units, bases, quantities, prices, ST numbers
// and even descriptions repeat through a large estimate, and a copy per position is most of what its tree
// would weigh. The copies are QStrings (implicitly shared) or the positions' compact texts.
template <typename TKopia> class TWspolne
{
public:
    // The kept copy of the text; the first time it is met, a copy of exactly its size is kept.
    TKopia operator()(QStringView tekst);
    // The same for one of a reader's fields (below MaksPol): a field often repeats from one position to the
    // next, and comparing with the text it had last costs less than hashing the text.
    TKopia operator()(QStringView tekst, std::size_t pole);

    // The first operator split in two, for a reader that makes a copy of a text not met before in a way of
    // its own: the kept copy, or an empty one (also for an empty text); then, right after a miss, the
    // reader's copy (equal to the text) to be kept. For texts that seldom repeat from one position to the
    // next.
    TKopia Znajdz(QStringView tekst);
    TKopia Znajdz(QStringView tekst, std::uint32_t skrot); // with the hash known (Skrot)
    void Dodaj(QStringView tekst, const TKopia& kopia);

    // The hash of a text, worked out ahead so that its slot can be brought into the cache (Przygotuj) while
    // other work goes on: the table of a large estimate does not fit in the cache. ZeSkrotem is then the
    // first operator with the hash known.
    std::uint32_t Skrot(QStringView tekst) const;
    void Przygotuj(std::uint32_t skrot) const;
    TKopia ZeSkrotem(QStringView tekst, std::uint32_t skrot);

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
    const TKopia* Szukaj(QStringView tekst, std::uint32_t skrot, std::size_t& slot);
    void Zachowaj(const TKopia& kopia, std::uint32_t skrot, std::size_t slot);

    // What the last Znajdz that missed left for Dodaj.
    struct TSzukany
    {
        std::uint32_t Skrot = 0;
        std::size_t Slot = 0;
        bool Wazny = false;
    } FSzukany;
    std::vector<TSlot> FSloty;
    std::vector<TKopia> FTeksty;
    // A field's last text, as the reader gave it (compared by its bytes) and as it is kept.
    struct TOstatni
    {
        QString Tekst;
        TKopia Kopia;
    };
    std::array<TOstatni, MaksPol> FOstatnie;
};

extern template class TWspolne<QString>;
extern template class TWspolne<TZwartyTekst>;

using TWspolneTeksty = TWspolne<QString>;
// For the texts a position keeps compact (all but its ST number).
using TWspolneZwarte = TWspolne<TZwartyTekst>;
