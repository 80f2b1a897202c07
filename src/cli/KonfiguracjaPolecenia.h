#pragma once

#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"
#include "estimates/UstawieniaKosztorysu.h"

// The program configuration a command needs. One made here is released without being saved, so that
// running a command never changes the configuration file.
class TKonfiguracjaPolecenia
{
public:
    TKonfiguracjaPolecenia() : FUtworzona(!TKonfiguracja::Istnieje())
    {
        FKonfiguracja = TKonfiguracja::GetInstance(&FOkno, true);
    }
    ~TKonfiguracjaPolecenia()
    {
        if (FUtworzona)
            TKonfiguracja::Zwolnij(false);
        else if (FZmieniona)
            FKonfiguracja->SetUserPath(FUserPath);
    }
    TKonfiguracjaPolecenia(const TKonfiguracjaPolecenia&) = delete;
    TKonfiguracjaPolecenia& operator=(const TKonfiguracjaPolecenia&) = delete;

    const TKonfiguracja& Konfiguracja() const { return *FKonfiguracja; }

    // The snapshot of the settings that estimates and sets go by; with czyWarianty (the --warianty option)
    // variants are in use for this run, whatever the configuration says.
    TUstawieniaKosztorysu UstawieniaKosztorysu(bool czyWarianty = false) const
    {
        TUstawieniaKosztorysu ustawienia = TUstawieniaKosztorysu::ZKonfiguracji(*FKonfiguracja);
        if (czyWarianty)
            ustawienia.Warianty.CzyKorzystajZWariantow = true;
        return ustawienia;
    }

    // The user folder of this run only (a command's option); put back afterwards. The folder is what
    // every stored path's "%USERPATH%" stands for, which the paths ask of the configuration.
    void UstawNaCzasPolecenia(const QString& katalogUzytkownika)
    {
        if (katalogUzytkownika.isEmpty())
            return;
        if (!FZmieniona) {
            FUserPath = FKonfiguracja->GetUserPath();
            FZmieniona = true;
        }
        FKonfiguracja->SetUserPath(katalogUzytkownika);
    }

private:
    TOknoBezEkranu FOkno;
    bool FUtworzona;
    TKonfiguracja* FKonfiguracja = nullptr;
    bool FZmieniona = false;
    QString FUserPath;
};
