#include "workflow/PusteNumery.h"

#include "specs/SpisST.h"

#include <QFileInfo>

std::vector<TWierszPustegoNumeru> WierszePustychNumerow(const TSpisST& spis)
{
    std::vector<TWierszPustegoNumeru> wiersze;
    for (TSpecyfikacja* wezel : spis.ListaPustych()) {
        const QString plik = wezel->GetEncodedPath().isEmpty() ? QStringLiteral(" ! Brak powiązanego pliku !")
                                                               : QFileInfo(wezel->GetLongPath()).fileName();
        wiersze.push_back({wezel, wezel->Numer(), wezel->Opis(), plik});
    }
    return wiersze;
}

bool CzySaPusteNumery(const TSpisST& spis)
{
    for (const TSpecyfikacja* wezel : spis.ListaPustych())
        if (wezel->Numer().trimmed().isEmpty())
            return true;
    return false;
}

int UsunPusteNumery(TSpisST& spis)
{
    // Copied first: a node leaves the list of empty numbers when it leaves the tree.
    const std::vector<TSpecyfikacja*> puste = spis.ListaPustych();
    int usunietych = 0;
    for (TSpecyfikacja* wezel : puste) {
        if (!wezel->Numer().trimmed().isEmpty() || !wezel->Parent())
            continue;
        // A node below another empty one may already have gone with it.
        const auto& aktualne = spis.ListaPustych();
        if (std::find(aktualne.begin(), aktualne.end(), wezel) == aktualne.end())
            continue;
        if (wezel->Parent()->Remove(wezel))
            ++usunietych;
    }
    return usunietych;
}
