#pragma once

#include "archive/Archiwizator.h"

// The title-page templates of a set's configuration (Word and OpenDocument): packed as "ZIP\" + file
// name and unpacked into "Dane/Szablony".
class TPierwszaStronaArchiwizator : public TArchiwizator
{
public:
    using TArchiwizator::TArchiwizator;
    void Archiwizuj(pugi::xml_node zestaw, TPakowanie& pakowanie) override;
    std::unique_ptr<TListaBrakowPlikow> GetListaBrakow(pugi::xml_node zestaw) override;
    void Waliduj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie) override;
    void Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie) override;
};
