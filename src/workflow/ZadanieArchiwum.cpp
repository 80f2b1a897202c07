#include "workflow/ZadanieArchiwum.h"

#include "app/Wyjatki.h"

TZadanieArchiwum::TZadanieArchiwum(TPraca praca) : FPraca(std::move(praca)) {}

TZadanieArchiwum::~TZadanieArchiwum()
{
    ZatrzymajICzekaj();
}

void TZadanieArchiwum::Przetwarzaj()
{
    FPraca([this](int, int wszystkie) {
        if (CzyZatrzymano())
            throw EBlad(QStringLiteral("Przerwano na życzenie użytkownika."));
        if (wszystkie > 0 && wszystkie != FWszystkie) {
            FWszystkie = wszystkie;
            UstawMaksimum(wszystkie);
        }
        Krok();
    });
}
