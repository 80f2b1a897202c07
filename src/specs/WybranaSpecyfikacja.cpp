#include "specs/WybranaSpecyfikacja.h"

#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "specs/WariantSpecyfikacji.h"

TWybranaSpecyfikacja::TWybranaSpecyfikacja()
    : TWybranaSpecyfikacja(TKonfiguracja::Istnieje() ? TKonfiguracja::GetInstance() : nullptr)
{
}

TWybranaSpecyfikacja::TWybranaSpecyfikacja(const TKonfiguracja* konfiguracja) : FKonfiguracja(konfiguracja) {}

void TWybranaSpecyfikacja::SetSpecyfikacja(TSpecyfikacja* s)
{
    FSpecyfikacja = s;
    FWariantSpecyfikacji = nullptr;
}

void TWybranaSpecyfikacja::SetWariantSpecyfikacji(TWariantSpecyfikacji* w)
{
    if (w && !(FSpecyfikacja && FSpecyfikacja->ContainsWariant(w)))
        throw EBlad(QStringLiteral("Nieprawidłowy wariant dla specyfikacji"));
    FWariantSpecyfikacji = w;
}

void TWybranaSpecyfikacja::Assign(const TWybranaSpecyfikacja& inna)
{
    FSpecyfikacja = inna.FSpecyfikacja;
    FWariantSpecyfikacji = inna.FWariantSpecyfikacji;
}

bool TWybranaSpecyfikacja::CzyWariantWUzyciu() const
{
    return FWariantSpecyfikacji && FKonfiguracja && FKonfiguracja->FCzyKorzystajZWariantow;
}

QString TWybranaSpecyfikacja::GetST(bool czyZWariantem, bool czySeparatorWizualny) const
{
    if (!FSpecyfikacja)
        return QString();
    if (CzyWariantWUzyciu() && czyZWariantem) {
        const QString separator =
            czySeparatorWizualny ? FKonfiguracja->GetWizualnySeparatorWariantow() : QStringLiteral("#");
        return FSpecyfikacja->Numer() + separator + FWariantSpecyfikacji->Numer();
    }
    return FSpecyfikacja->Numer();
}

QString TWybranaSpecyfikacja::GetPlik() const
{
    if (!FSpecyfikacja)
        return QString();
    return CzyWariantWUzyciu() ? FWariantSpecyfikacji->GetPlik() : FSpecyfikacja->GetPlik();
}

const TMyPath* TWybranaSpecyfikacja::GetPath() const
{
    if (!FSpecyfikacja)
        return nullptr;
    return CzyWariantWUzyciu() ? FWariantSpecyfikacji->GetPath() : FSpecyfikacja->GetPath();
}

QString TWybranaSpecyfikacja::GetOpis(bool dlaWariantu) const
{
    if (!FSpecyfikacja)
        return QString();
    if (!CzyWariantWUzyciu())
        return FSpecyfikacja->Opis();
    if (FKonfiguracja->FCzyWyswietlacTytulSTZWariantem)
        return FSpecyfikacja->Opis() + QLatin1Char(' ') + FWariantSpecyfikacji->Opis();
    return dlaWariantu ? FWariantSpecyfikacji->Opis() : FSpecyfikacja->Opis();
}
