#pragma once

#include "archive/Archiwizator.h"

#include <vector>

// The estimates of a set: the "kosztorys" elements inside "kosztorysy" (the current layout) and those
// directly under the root (the older layout, which the set reader still accepts). Each is packed as
// "ZIP\" + file name and unpacked into "Dane/Kosztorysy".
class TKosztorysArchiwizator : public TArchiwizator
{
public:
    using TArchiwizator::TArchiwizator;
    void Archiwizuj(pugi::xml_node zestaw, TPakowanie& pakowanie) override;
    std::unique_ptr<TListaBrakowPlikow> GetListaBrakow(pugi::xml_node zestaw) override;
    void Waliduj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie) override;
    void Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie) override;

    static std::vector<pugi::xml_node> Kosztorysy(pugi::xml_node zestaw);
};
