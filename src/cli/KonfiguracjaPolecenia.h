#pragma once

#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"
#include "estimates/UstawieniaKosztorysu.h"

// The program configuration a command needs. One made here is released without being saved, so that
// running a command never changes the configuration file.
class TKonfiguracjaPolecenia
{
public:
    // katalogUzytkownika: the command's own user folder (its option), in place of the configuration's for
    // this command only; the configuration itself is left as it is.
    explicit TKonfiguracjaPolecenia(QString katalogUzytkownika = QString())
        : FUtworzona(!TKonfiguracja::Istnieje()), FKatalogUzytkownika(std::move(katalogUzytkownika))
    {
        FKonfiguracja = TKonfiguracja::GetInstance(&FOkno, true);
    }
    ~TKonfiguracjaPolecenia()
    {
        if (FUtworzona)
            TKonfiguracja::Zwolnij(false);
    }
    TKonfiguracjaPolecenia(const TKonfiguracjaPolecenia&) = delete;
    TKonfiguracjaPolecenia& operator=(const TKonfiguracjaPolecenia&) = delete;

    const TKonfiguracja& Konfiguracja() const { return *FKonfiguracja; }
    // For the set controller, which keeps its remembered answers there; a configuration this command
    // made is released unsaved.
    TKonfiguracja& KonfiguracjaKontrolera() const { return *FKonfiguracja; }

    // The snapshot of the settings that estimates and sets go by; with czyWarianty (the --warianty option)
    // variants are in use for this run, whatever the configuration says.
    TUstawieniaKosztorysu UstawieniaKosztorysu(bool czyWarianty = false) const
    {
        TUstawieniaKosztorysu ustawienia = TUstawieniaKosztorysu::ZKonfiguracji(*FKonfiguracja);
        ustawienia.KatalogUzytkownika = KatalogUzytkownika();
        if (czyWarianty)
            ustawienia.Warianty.CzyKorzystajZWariantow = true;
        return ustawienia;
    }

    // What "%USERPATH%" stands for in this command: its own folder when it was given one.
    QString KatalogUzytkownika() const
    {
        return FKatalogUzytkownika.isEmpty() ? FKonfiguracja->GetUserPath() : FKatalogUzytkownika;
    }

private:
    TOknoBezEkranu FOkno;
    bool FUtworzona;
    TKonfiguracja* FKonfiguracja = nullptr;
    QString FKatalogUzytkownika;
};
