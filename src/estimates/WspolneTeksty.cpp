#include "estimates/WspolneTeksty.h"

#include <QHashFunctions>

#include <cstring>
#include <type_traits>

namespace {

// Past this many different texts a reading meets few repeats; the table stops growing, the texts are still
// shared with those kept before.
constexpr std::size_t MaksTekstow = std::size_t(1) << 18;

bool Rowne(QStringView a, const QString& b)
{
    return a.size() == b.size() &&
           (a.isEmpty() ||
            std::memcmp(a.data(), b.constData(), static_cast<std::size_t>(a.size()) * sizeof(QChar)) == 0);
}

bool Rowne(QStringView a, const TZwartyTekst& b)
{
    return b.Rowny(a);
}

// Seeded as QHash is, so that a document cannot make its texts collide.
std::uint32_t SkrotTekstu(QStringView tekst)
{
    return static_cast<std::uint32_t>(qHash(tekst, QHashSeed::globalSeed()));
}

} // namespace

template <typename TKopia> void TWspolne<TKopia>::Powieksz()
{
    // At most half full: probes stay short.
    std::vector<TSlot> nowe(FSloty.empty() ? 1024 : FSloty.size() * 2);
    const std::size_t maska = nowe.size() - 1;
    for (const TSlot& s : FSloty)
        if (s.Indeks != 0) {
            std::size_t i = s.Skrot & maska;
            while (nowe[i].Indeks != 0)
                i = (i + 1) & maska;
            nowe[i] = s;
        }
    FSloty = std::move(nowe);
}

template <typename TKopia>
const TKopia* TWspolne<TKopia>::Szukaj(QStringView tekst, std::uint32_t skrot, std::size_t& slot)
{
    if (FSloty.empty())
        Powieksz();
    const std::size_t maska = FSloty.size() - 1;
    std::size_t i = skrot & maska;
    for (; FSloty[i].Indeks != 0; i = (i + 1) & maska) {
        const TSlot& s = FSloty[i];
        if (s.Skrot == skrot && Rowne(tekst, FTeksty[s.Indeks - 1]))
            return &FTeksty[s.Indeks - 1];
    }
    slot = i;
    return nullptr;
}

template <typename TKopia> void TWspolne<TKopia>::Zachowaj(const TKopia& kopia, std::uint32_t skrot, std::size_t slot)
{
    // Slots move when the table grows.
    FSzukany.Wazny = false;
    if (FTeksty.size() >= MaksTekstow)
        return;
    FTeksty.push_back(kopia);
    FSloty[slot] = {skrot, static_cast<std::uint32_t>(FTeksty.size())};
    if (FTeksty.size() * 2 > FSloty.size())
        Powieksz();
}

template <typename TKopia> std::uint32_t TWspolne<TKopia>::Skrot(QStringView tekst) const
{
    return SkrotTekstu(tekst);
}

template <typename TKopia> void TWspolne<TKopia>::Przygotuj(std::uint32_t skrot) const
{
    if (!FSloty.empty())
        __builtin_prefetch(&FSloty[skrot & (FSloty.size() - 1)]);
}

template <typename TKopia> TKopia TWspolne<TKopia>::operator()(QStringView tekst)
{
    return tekst.isEmpty() ? TKopia() : ZeSkrotem(tekst, SkrotTekstu(tekst));
}

template <typename TKopia> TKopia TWspolne<TKopia>::ZeSkrotem(QStringView tekst, std::uint32_t skrot)
{
    if (tekst.isEmpty())
        return {};
    std::size_t slot = 0;
    if (const TKopia* zachowany = Szukaj(tekst, skrot, slot))
        return *zachowany;
    TKopia kopia;
    if constexpr (std::is_same_v<TKopia, QString>)
        kopia = tekst.toString();
    else
        kopia = TZwartyTekst(tekst);
    Zachowaj(kopia, skrot, slot);
    return kopia;
}

template <typename TKopia> TKopia TWspolne<TKopia>::operator()(QStringView tekst, std::size_t pole)
{
    // A field left empty now and then (a position without an ST number) keeps the text it had last.
    if (tekst.isEmpty())
        return {};
    TOstatni& ostatni = FOstatnie[pole];
    if (Rowne(tekst, ostatni.Tekst))
        return ostatni.Kopia;
    ostatni.Kopia = (*this)(tekst);
    if constexpr (std::is_same_v<TKopia, QString>) {
        ostatni.Tekst = ostatni.Kopia;
    } else {
        // The field's own buffer, reused: no allocation per new text.
        ostatni.Tekst.resize(tekst.size());
        std::memcpy(ostatni.Tekst.data(), tekst.data(), static_cast<std::size_t>(tekst.size()) * sizeof(QChar));
    }
    return ostatni.Kopia;
}

template <typename TKopia> TKopia TWspolne<TKopia>::Znajdz(QStringView tekst)
{
    return tekst.isEmpty() ? TKopia() : Znajdz(tekst, SkrotTekstu(tekst));
}

template <typename TKopia> TKopia TWspolne<TKopia>::Znajdz(QStringView tekst, std::uint32_t skrot)
{
    if (tekst.isEmpty())
        return {};
    FSzukany = {skrot, 0, true};
    if (const TKopia* zachowany = Szukaj(tekst, FSzukany.Skrot, FSzukany.Slot)) {
        FSzukany.Wazny = false;
        return *zachowany;
    }
    return {};
}

template <typename TKopia> void TWspolne<TKopia>::Dodaj(QStringView tekst, const TKopia& kopia)
{
    // Right after Znajdz missed this text its hash and free slot are known.
    if (!FSzukany.Wazny) {
        FSzukany = {SkrotTekstu(tekst), 0, true};
        if (Szukaj(tekst, FSzukany.Skrot, FSzukany.Slot))
            FSzukany.Wazny = false;
    }
    if (FSzukany.Wazny)
        Zachowaj(kopia, FSzukany.Skrot, FSzukany.Slot);
    FSzukany.Wazny = false;
}

template class TWspolne<QString>;
template class TWspolne<TZwartyTekst>;
