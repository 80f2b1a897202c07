#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

// Equal texts met while reading one estimate share one copy (QString's implicit sharing): units, bases,
// quantities, prices, ST numbers and even descriptions repeat through a large estimate, and a copy per
// position is most of what its tree would weigh.
class TWspolneTeksty
{
public:
    // The kept copy of the text; the first time it is met, a copy of exactly its size is kept.
    QString operator()(QStringView tekst);

private:
    QSet<QString> FTeksty;
};
