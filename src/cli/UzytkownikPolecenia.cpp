#include "cli/UzytkownikPolecenia.h"

void TUzytkownikPolecenia::PokazKomunikat(const QString& tekst)
{
    FKomunikaty << tekst;
    FBledy << tekst << '\n';
    FBledy.flush();
}

bool TUzytkownikPolecenia::ZadajPytanie(const QString& komunikat, const QString& pytanie)
{
    FBledy << komunikat << (pytanie.isEmpty() ? QString() : QLatin1Char(' ') + pytanie) << " Nie\n";
    FBledy.flush();
    return false;
}

TOdpowiedz TUzytkownikPolecenia::PytanieTakNieAnuluj(const QString& tekst)
{
    FBledy << tekst << " Nie\n";
    FBledy.flush();
    return TOdpowiedz::Nie;
}

std::optional<TWyborPozostalych> TUzytkownikPolecenia::WyborDlaPozostalychPozycji(const QString& tekst, bool, int)
{
    // Commands give their scope themselves; a question that still comes is answered "only this one".
    FBledy << tekst << " Zmień tylko w tej pozycji\n";
    return TWyborPozostalych{0, false};
}
