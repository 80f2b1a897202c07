#include "specs/WariantSpecyfikacji.h"

#include "app/Wyjatki.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/WybranaSpecyfikacja.h"

namespace {

[[noreturn]] void Niedozwolona()
{
    throw EBlad(QStringLiteral("Operacja niedozwolona"));
}

} // namespace

TWariantSpecyfikacji::TWariantSpecyfikacji(const QString& numer, const QString& opis, const QString& plik,
                                           const QString& info, const QString& katalogUzytkownika)
    : TSpecyfikacja(numer, false, false, info, plik, opis, katalogUzytkownika)
{
}

bool TWariantSpecyfikacji::Add(std::unique_ptr<TSpecyfikacja>)
{
    Niedozwolona();
}

bool TWariantSpecyfikacji::Insert(std::unique_ptr<TSpecyfikacja>, int)
{
    Niedozwolona();
}

bool TWariantSpecyfikacji::Remove(TSpecyfikacja*)
{
    Niedozwolona();
}

bool TWariantSpecyfikacji::Remove(int)
{
    Niedozwolona();
}

void TWariantSpecyfikacji::Overwrite(const TSpecyfikacja&)
{
    Niedozwolona();
}

std::unique_ptr<TSpecyfikacja> TWariantSpecyfikacji::Delete(TSpecyfikacja*)
{
    Niedozwolona();
}

bool TWariantSpecyfikacji::Move(int, int)
{
    Niedozwolona();
}

bool TWariantSpecyfikacji::AddWariant(std::unique_ptr<TWariantSpecyfikacji>)
{
    Niedozwolona();
}

bool TWariantSpecyfikacji::DelWariant(int)
{
    Niedozwolona();
}

bool TWariantSpecyfikacji::RemWariant(TWariantSpecyfikacji*)
{
    Niedozwolona();
}

QString TWariantSpecyfikacji::GetCaption() const
{
    return GetCaption(TUstawieniaWariantow::Domyslne());
}

QString TWariantSpecyfikacji::GetCaption(const TUstawieniaWariantow& ustawienia) const
{
    if (!FParent)
        return QString();
    QString wynik = FParent->Numer() + ustawienia.WizualnySeparatorWariantow + FNumer + QLatin1Char(' ');
    if (ustawienia.CzyWyswietlacTytulSTZWariantem)
        wynik += FParent->Opis() + QLatin1Char(' ');
    return wynik + FOpis;
}

std::unique_ptr<TWariantSpecyfikacji> TWariantSpecyfikacji::CloneWariant(bool czyJm) const
{
    const QString plik = FPlik.EncodedPath().isEmpty() ? QString() : FPlik.GetPath();
    auto kopia = std::make_unique<TWariantSpecyfikacji>(FNumer, FOpis, plik, FInfo, KatalogUzytkownika());
    kopia->FData = FData;
    kopia->FHidden = FHidden;
    if (czyJm)
        for (const auto& jm : FJmSpecyfikacji)
            kopia->FJmSpecyfikacji.push_back(jm->Clone());
    return kopia;
}
