#include "estimates/WspolneTeksty.h"

#include <cstring>

namespace {

// Past this many different texts a reading meets few repeats; the set stops growing, the texts are still
// shared with those kept before.
constexpr qsizetype MaksTekstow = 1 << 18;

} // namespace

QString TWspolneTeksty::operator()(QStringView tekst)
{
    if (tekst.isEmpty())
        return {};
    // A view of the text as the key: looking a text up allocates nothing.
    const auto it = FTeksty.constFind(QString::fromRawData(tekst.data(), tekst.size()));
    if (it != FTeksty.constEnd())
        return *it;
    QString kopia = tekst.toString();
    if (FTeksty.size() < MaksTekstow)
        FTeksty.insert(kopia);
    return kopia;
}

QString TWspolneTeksty::operator()(QStringView tekst, std::size_t pole)
{
    QString& ostatni = FOstatnie[pole];
    if (tekst.size() == ostatni.size() &&
        (tekst.isEmpty() ||
         std::memcmp(tekst.data(), ostatni.constData(), static_cast<std::size_t>(tekst.size()) * sizeof(QChar)) == 0))
        return ostatni;
    ostatni = (*this)(tekst);
    return ostatni;
}
