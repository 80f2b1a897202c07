#include "estimates/WspolneTeksty.h"

#include <QHashFunctions>

#include <cstring>

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

// Seeded as QHash is, so that a document cannot make its texts collide.
std::uint32_t SkrotTekstu(QStringView tekst)
{
    return static_cast<std::uint32_t>(qHash(tekst, QHashSeed::globalSeed()));
}

} // namespace

void TWspolneTeksty::Powieksz()
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

const QString* TWspolneTeksty::Szukaj(QStringView tekst, std::uint32_t skrot, std::size_t& slot)
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

void TWspolneTeksty::Zachowaj(const QString& kopia, std::uint32_t skrot, std::size_t slot)
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

std::uint32_t TWspolneTeksty::Skrot(QStringView tekst) const
{
    return SkrotTekstu(tekst);
}

void TWspolneTeksty::Przygotuj(std::uint32_t skrot) const
{
    if (!FSloty.empty())
        __builtin_prefetch(&FSloty[skrot & (FSloty.size() - 1)]);
}

QString TWspolneTeksty::operator()(QStringView tekst)
{
    return tekst.isEmpty() ? QString() : ZeSkrotem(tekst, SkrotTekstu(tekst));
}

QString TWspolneTeksty::ZeSkrotem(QStringView tekst, std::uint32_t skrot)
{
    if (tekst.isEmpty())
        return {};
    std::size_t slot = 0;
    if (const QString* zachowany = Szukaj(tekst, skrot, slot))
        return *zachowany;
    QString kopia = tekst.toString();
    Zachowaj(kopia, skrot, slot);
    return kopia;
}

QString TWspolneTeksty::operator()(QStringView tekst, std::size_t pole)
{
    // A field left empty now and then (a position without an ST number) keeps the text it had last.
    if (tekst.isEmpty())
        return {};
    QString& ostatni = FOstatnie[pole];
    if (Rowne(tekst, ostatni))
        return ostatni;
    ostatni = (*this)(tekst);
    return ostatni;
}

QString TWspolneTeksty::Znajdz(QStringView tekst)
{
    if (tekst.isEmpty())
        return {};
    FSzukany = {SkrotTekstu(tekst), 0, true};
    if (const QString* zachowany = Szukaj(tekst, FSzukany.Skrot, FSzukany.Slot)) {
        FSzukany.Wazny = false;
        return *zachowany;
    }
    return {};
}

void TWspolneTeksty::Dodaj(const QString& kopia)
{
    // Right after Znajdz missed this text its hash and free slot are known.
    if (!FSzukany.Wazny) {
        FSzukany = {SkrotTekstu(kopia), 0, true};
        if (Szukaj(kopia, FSzukany.Skrot, FSzukany.Slot))
            FSzukany.Wazny = false;
    }
    if (FSzukany.Wazny)
        Zachowaj(kopia, FSzukany.Skrot, FSzukany.Slot);
    FSzukany.Wazny = false;
}
