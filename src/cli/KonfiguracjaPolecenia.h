#pragma once

#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"

// The program configuration a command needs (paths, variants). One made here is released without
// being saved, so that running a command never changes the configuration file.
class TKonfiguracjaPolecenia
{
public:
    TKonfiguracjaPolecenia() : FUtworzona(!TKonfiguracja::Istnieje())
    {
        FKonfiguracja = TKonfiguracja::GetInstance(&FOkno, true);
    }
    ~TKonfiguracjaPolecenia()
    {
        if (FUtworzona) {
            TKonfiguracja::Zwolnij(false);
        } else if (FZmieniona) {
            FKonfiguracja->SetUserPath(FUserPath);
            FKonfiguracja->FCzyKorzystajZWariantow = FWarianty;
        }
    }
    TKonfiguracjaPolecenia(const TKonfiguracjaPolecenia&) = delete;
    TKonfiguracjaPolecenia& operator=(const TKonfiguracjaPolecenia&) = delete;

    const TKonfiguracja& Konfiguracja() const { return *FKonfiguracja; }

    // Settings of this run only (options of a command); put back afterwards.
    void UstawNaCzasPolecenia(const QString& katalogUzytkownika, bool czyWarianty)
    {
        if (!FZmieniona) {
            FUserPath = FKonfiguracja->GetUserPath();
            FWarianty = FKonfiguracja->FCzyKorzystajZWariantow;
            FZmieniona = true;
        }
        if (!katalogUzytkownika.isEmpty())
            FKonfiguracja->SetUserPath(katalogUzytkownika);
        if (czyWarianty)
            FKonfiguracja->FCzyKorzystajZWariantow = true;
    }

private:
    TOknoBezEkranu FOkno;
    bool FUtworzona;
    TKonfiguracja* FKonfiguracja = nullptr;
    bool FZmieniona = false;
    QString FUserPath;
    bool FWarianty = false;
};
