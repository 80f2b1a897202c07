#include "archive/KosztorysArchiwizator.h"

#include "zestaw/NazwyPlikuZst.h"

namespace {

const QString FolderKosztorysow = QStringLiteral("/Dane/Kosztorysy");

} // namespace

std::vector<pugi::xml_node> TKosztorysArchiwizator::Kosztorysy(pugi::xml_node zestaw)
{
    std::vector<pugi::xml_node> wynik;
    // The set reader takes every "kosztorys" directly under the root in the older layout, so all of them
    // travel, not only the first.
    for (pugi::xml_node k = zestaw.child(NazwyZst::Kosztorys); k; k = k.next_sibling(NazwyZst::Kosztorys))
        wynik.push_back(k);
    for (pugi::xml_node k = zestaw.child(NazwyZst::Kosztorysy).child(NazwyZst::Kosztorys); k;
         k = k.next_sibling(NazwyZst::Kosztorys))
        wynik.push_back(k);
    return wynik;
}

void TKosztorysArchiwizator::Archiwizuj(pugi::xml_node zestaw, TPakowanie& pakowanie)
{
    for (pugi::xml_node k : Kosztorysy(zestaw))
        for (const char* atrybut : NazwyZst::SciezkiKosztorysu)
            ArchiwizujAtrybut(k, atrybut, QStringLiteral("ZIP\\"), pakowanie);
}

std::unique_ptr<TListaBrakowPlikow> TKosztorysArchiwizator::GetListaBrakow(pugi::xml_node zestaw)
{
    auto lista = std::make_unique<TListaBrakowPlikow>(QStringLiteral("Kosztorys"));
    for (pugi::xml_node k : Kosztorysy(zestaw))
        for (const char* atrybut : NazwyZst::SciezkiKosztorysu)
            DodajBrak(k, atrybut, *lista);
    return lista;
}

void TKosztorysArchiwizator::Waliduj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    for (pugi::xml_node k : Kosztorysy(zestaw))
        for (const char* atrybut : NazwyZst::SciezkiKosztorysu)
            WalidujAtrybut(k, atrybut, rozpakowanie.Folder() + FolderKosztorysow, rozpakowanie);
}

void TKosztorysArchiwizator::Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    for (pugi::xml_node k : Kosztorysy(zestaw))
        for (const char* atrybut : NazwyZst::SciezkiKosztorysu)
            RozpakujAtrybut(k, atrybut, rozpakowanie.Folder() + FolderKosztorysow, rozpakowanie);
}
