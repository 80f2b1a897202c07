#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>

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

    static constexpr std::size_t MaksPol = 8;

private:
    QSet<QString> FTeksty;
    std::array<QString, MaksPol> FOstatnie;
};
