#include "archive/PierwszaStronaArchiwizator.h"

#include "specs/KonfiguracjaZestawu.h"

namespace {

const QString FolderSzablonow = QStringLiteral("/Dane/Szablony");
constexpr const auto& Atrybuty = TKonfiguracjaZestawu::SciezkiSzablonow;

pugi::xml_node Konfiguracja(pugi::xml_node zestaw)
{
    return zestaw.child(TKonfiguracjaZestawu::Element);
}

} // namespace

void TPierwszaStronaArchiwizator::Archiwizuj(pugi::xml_node zestaw, TPakowanie& pakowanie)
{
    for (const char* atrybut : Atrybuty)
        ArchiwizujAtrybut(Konfiguracja(zestaw), atrybut, QStringLiteral("ZIP\\"), pakowanie);
}

std::unique_ptr<TListaBrakowPlikow> TPierwszaStronaArchiwizator::GetListaBrakow(pugi::xml_node zestaw)
{
    auto lista = std::make_unique<TListaBrakowPlikow>(QStringLiteral("Strona tytułowa"));
    for (const char* atrybut : Atrybuty)
        DodajBrak(Konfiguracja(zestaw), atrybut, *lista);
    return lista;
}

void TPierwszaStronaArchiwizator::Waliduj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    for (const char* atrybut : Atrybuty)
        WalidujAtrybut(Konfiguracja(zestaw), atrybut, rozpakowanie.Folder() + FolderSzablonow, rozpakowanie);
}

void TPierwszaStronaArchiwizator::Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    for (const char* atrybut : Atrybuty)
        RozpakujAtrybut(Konfiguracja(zestaw), atrybut, rozpakowanie.Folder() + FolderSzablonow, rozpakowanie);
}
