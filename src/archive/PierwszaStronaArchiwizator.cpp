#include "archive/PierwszaStronaArchiwizator.h"

namespace {

const QString FolderSzablonow = QStringLiteral("/Dane/Szablony");
const char* const Atrybuty[] = {"szablonPierwszejStronyDocPath", "szablonPierwszejStronyOdtPath"};

} // namespace

void TPierwszaStronaArchiwizator::Archiwizuj(pugi::xml_node zestaw, TPakowanie& pakowanie)
{
    for (const char* atrybut : Atrybuty)
        ArchiwizujAtrybut(zestaw.child("konfiguracja"), atrybut, QStringLiteral("ZIP\\"), pakowanie);
}

std::unique_ptr<TListaBrakowPlikow> TPierwszaStronaArchiwizator::GetListaBrakow(pugi::xml_node zestaw)
{
    auto lista = std::make_unique<TListaBrakowPlikow>(QStringLiteral("Strona tytułowa"));
    for (const char* atrybut : Atrybuty)
        DodajBrak(zestaw.child("konfiguracja"), atrybut, *lista);
    return lista;
}

void TPierwszaStronaArchiwizator::Waliduj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    for (const char* atrybut : Atrybuty)
        WalidujAtrybut(zestaw.child("konfiguracja"), atrybut, rozpakowanie.Folder() + FolderSzablonow, rozpakowanie);
}

void TPierwszaStronaArchiwizator::Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    for (const char* atrybut : Atrybuty)
        RozpakujAtrybut(zestaw.child("konfiguracja"), atrybut, rozpakowanie.Folder() + FolderSzablonow, rozpakowanie);
}
