#include "archive/ListaBrakowPlikow.h"

#include <algorithm>

namespace {

// Letter case is ignored for the order (the user reads the list); ties fall back to the exact text
// so that two paths differing only in case both stay, in a fixed order.
bool Przed(const QString& a, const QString& b)
{
    const int r = QString::compare(a, b, Qt::CaseInsensitive);
    return r != 0 ? r < 0 : a < b;
}

} // namespace

void TListaBrakowPlikow::Dodaj(const QString& sciezka)
{
    const auto miejsce = std::lower_bound(FSciezki.begin(), FSciezki.end(), sciezka, Przed);
    if (miejsce != FSciezki.end() && *miejsce == sciezka)
        return;
    FSciezki.insert(miejsce, sciezka);
}
