#include "specs/WybranaSpecyfikacja.h"

#include "app/Wyjatki.h"
#include "specs/WariantSpecyfikacji.h"

const TUstawieniaWariantow& TUstawieniaWariantow::Domyslne()
{
    static const TUstawieniaWariantow domyslne;
    return domyslne;
}

TWybranaSpecyfikacja::TWybranaSpecyfikacja(const TUstawieniaWariantow& ustawienia) : FUstawienia(&ustawienia) {}

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

bool TWybranaSpecyfikacja::CzyWariantWUzyciu(const TUstawieniaWariantow& ustawienia) const
{
    return FWariantSpecyfikacji && ustawienia.CzyKorzystajZWariantow;
}

QString TWybranaSpecyfikacja::GetST(const TUstawieniaWariantow& ustawienia, bool czyZWariantem,
                                    bool czySeparatorWizualny) const
{
    if (!FSpecyfikacja)
        return QString();
    if (CzyWariantWUzyciu(ustawienia) && czyZWariantem) {
        const QString separator = czySeparatorWizualny ? ustawienia.WizualnySeparatorWariantow : QStringLiteral("#");
        return FSpecyfikacja->Numer() + separator + FWariantSpecyfikacji->Numer();
    }
    return FSpecyfikacja->Numer();
}

QString TWybranaSpecyfikacja::GetST(bool czyZWariantem, bool czySeparatorWizualny) const
{
    return GetST(*FUstawienia, czyZWariantem, czySeparatorWizualny);
}

QString TWybranaSpecyfikacja::GetPlik(const TUstawieniaWariantow& ustawienia) const
{
    if (!FSpecyfikacja)
        return QString();
    return CzyWariantWUzyciu(ustawienia) ? FWariantSpecyfikacji->GetPlik() : FSpecyfikacja->GetPlik();
}

const TMyPath* TWybranaSpecyfikacja::GetPath(const TUstawieniaWariantow& ustawienia) const
{
    if (!FSpecyfikacja)
        return nullptr;
    return CzyWariantWUzyciu(ustawienia) ? FWariantSpecyfikacji->GetPath() : FSpecyfikacja->GetPath();
}

QString TWybranaSpecyfikacja::GetOpis(const TUstawieniaWariantow& ustawienia, bool dlaWariantu) const
{
    if (!FSpecyfikacja)
        return QString();
    if (!CzyWariantWUzyciu(ustawienia))
        return FSpecyfikacja->Opis();
    if (ustawienia.CzyWyswietlacTytulSTZWariantem)
        return FSpecyfikacja->Opis() + QLatin1Char(' ') + FWariantSpecyfikacji->Opis();
    return dlaWariantu ? FWariantSpecyfikacji->Opis() : FSpecyfikacja->Opis();
}
