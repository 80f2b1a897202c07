#pragma once

#include "specs/DuplikatStDialog.h"

class IUzytkownik;
class TKonfiguracja;
class TSpecyfikacja;

// The duplicate questions of both dialog providers (the set controller and the merge window): the
// "remember" box starts from the configuration, and its state and, when ticked, the answer go back to it.
TOpcjaDuplikatowNumeru ZapytajODuplikatNumeru(IUzytkownik& uzytkownik, TKonfiguracja& konfiguracja,
                                              const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                              bool czyDuplikatPliku, bool& czyZapamietajWybor);
TOpcjaDuplikatowPliku ZapytajODuplikatPliku(IUzytkownik& uzytkownik, TKonfiguracja& konfiguracja,
                                            const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                            bool& czyZapamietajWybor);
