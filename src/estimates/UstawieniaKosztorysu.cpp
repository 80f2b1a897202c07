#include "estimates/UstawieniaKosztorysu.h"

#include "app/Konfiguracja.h"

TUstawieniaKosztorysu TUstawieniaKosztorysu::ZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = konfiguracja.FCzyKorzystajZWariantow;
    u.Warianty.CzyWyswietlacTytulSTZWariantem = konfiguracja.FCzyWyswietlacTytulSTZWariantem;
    u.Warianty.WizualnySeparatorWariantow = konfiguracja.GetWizualnySeparatorWariantow();
    u.UwzglednijWariantyPrzyEksporcie = konfiguracja.FUwzglednijWariantyPrzyEksporcieKosztorysu;
    u.RozpoznajWariantyPrzyImporcie = konfiguracja.FRozpoznajWariantyPrzyImporcieKosztorysu;
    u.ListaSeparatorowWariantow = konfiguracja.FListaSeparatorowWariantow;
    u.EdbudJdnMdbPath = konfiguracja.FEdbudJdnMdbPath;
    return u;
}
