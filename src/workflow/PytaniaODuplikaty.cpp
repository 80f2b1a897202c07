#include "workflow/PytaniaODuplikaty.h"

#include "app/Konfiguracja.h"
#include "workflow/Uzytkownik.h"

TOpcjaDuplikatowNumeru ZapytajODuplikatNumeru(IUzytkownik& uzytkownik, TKonfiguracja& konfiguracja,
                                              const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                              bool czyDuplikatPliku, bool& czyZapamietajWybor)
{
    czyZapamietajWybor = konfiguracja.CzyZapamietacOpcjeDuplikatowNumeru;
    const TOpcjaDuplikatowNumeru wynik =
        uzytkownik.DuplikatNumeru(istniejaca, importowana, czyDuplikatPliku, czyZapamietajWybor);
    konfiguracja.CzyZapamietacOpcjeDuplikatowNumeru = czyZapamietajWybor;
    if (czyZapamietajWybor)
        konfiguracja.ZapamietanaOpcjaDuplikatowNumeru = wynik;
    return wynik;
}

TOpcjaDuplikatowPliku ZapytajODuplikatPliku(IUzytkownik& uzytkownik, TKonfiguracja& konfiguracja,
                                            const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                            bool& czyZapamietajWybor)
{
    czyZapamietajWybor = konfiguracja.CzyZapamietacOpcjeDuplikatowPliku;
    const TOpcjaDuplikatowPliku wynik = uzytkownik.DuplikatPliku(istniejaca, importowana, czyZapamietajWybor);
    konfiguracja.CzyZapamietacOpcjeDuplikatowPliku = czyZapamietajWybor;
    if (czyZapamietajWybor)
        konfiguracja.ZapamietanaOpcjaDuplikatowPliku = wynik;
    return wynik;
}
