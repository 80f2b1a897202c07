#include "estimates/UstawieniaKosztorysu.h"

#include "app/Konfiguracja.h"

TUstawieniaKosztorysu TUstawieniaKosztorysu::ZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = konfiguracja.CzyKorzystajZWariantow;
    u.Warianty.CzyWyswietlacTytulSTZWariantem = konfiguracja.CzyWyswietlacTytulSTZWariantem;
    u.Warianty.WizualnySeparatorWariantow = konfiguracja.GetWizualnySeparatorWariantow();
    u.UwzglednijWariantyPrzyEksporcie = konfiguracja.UwzglednijWariantyPrzyEksporcieKosztorysu;
    u.RozpoznajWariantyPrzyImporcie = konfiguracja.RozpoznajWariantyPrzyImporcieKosztorysu;
    u.ListaSeparatorowWariantow = konfiguracja.ListaSeparatorowWariantow;
    u.EdbudJdnMdbPath = konfiguracja.EdbudJdnMdbPath;
    u.KatalogUzytkownika = konfiguracja.GetUserPath();
    return u;
}
