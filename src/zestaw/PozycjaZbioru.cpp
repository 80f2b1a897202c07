#include "zestaw/PozycjaZbioru.h"

#include "app/Wyjatki.h"
#include "estimates/PozycjaRds.h"
#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"

#include <algorithm>

namespace {

[[noreturn]] void BrakSpecyfikacji()
{
    throw EBlad(QStringLiteral("Brak specyfikacji"));
}

} // namespace

TPozycjaZbioru::TPozycjaZbioru(TSpecyfikacja* specyfikacja, const TUstawieniaWariantow& ustawienia)
    : FWybranaSpecyfikacja(std::make_unique<TWybranaSpecyfikacja>(ustawienia)), FCzyWlasna(true)
{
    if (!specyfikacja)
        BrakSpecyfikacji();
    FST = specyfikacja->Numer();
    FWybranaSpecyfikacja->SetSpecyfikacja(specyfikacja);
}

TPozycjaZbioru::TPozycjaZbioru(const QString& st, const TUstawieniaWariantow& ustawienia)
    : FST(st), FWybranaSpecyfikacja(std::make_unique<TWybranaSpecyfikacja>(ustawienia)), FCzyWlasna(true)
{
    if (st.trimmed().isEmpty())
        BrakSpecyfikacji();
}

TPozycjaZbioru::TPozycjaZbioru(TPozycjaRds* pozycja, const TUstawieniaWariantow& ustawienia)
    : FWybranaSpecyfikacja(std::make_unique<TWybranaSpecyfikacja>(ustawienia))
{
    if (!pozycja || !pozycja->WybranaSpecyfikacja().GetSpecyfikacja())
        BrakSpecyfikacji();
    FWybranaSpecyfikacja->Assign(pozycja->WybranaSpecyfikacja());
    FST = FWybranaSpecyfikacja->GetST(true);
    AddPozycjaRds(pozycja);
}

TPozycjaZbioru::TPozycjaZbioru(TSpecyfikacja* specyfikacja, TWariantSpecyfikacji* wariant,
                               const TUstawieniaWariantow& ustawienia)
    : FWybranaSpecyfikacja(std::make_unique<TWybranaSpecyfikacja>(ustawienia)), FCzyWlasna(true)
{
    if (!specyfikacja)
        BrakSpecyfikacji();
    if (!wariant)
        throw EBlad(QStringLiteral("Brak wariantu"));
    FST = specyfikacja->Numer() + QLatin1Char('#') + wariant->Numer();
    FWybranaSpecyfikacja->SetSpecyfikacja(specyfikacja);
    FWybranaSpecyfikacja->SetWariantSpecyfikacji(wariant);
}

TPozycjaZbioru::~TPozycjaZbioru() = default;

bool TPozycjaZbioru::AddPozycjaRds(TPozycjaRds* pozycja)
{
    constexpr size_t ProgZbioru = 32;
    if (!pozycja)
        return false;
    if (FPozycjeRds.size() < ProgZbioru) {
        if (std::find(FPozycjeRds.begin(), FPozycjeRds.end(), pozycja) != FPozycjeRds.end())
            return false;
    } else {
        if (FZbiorPozycji.isEmpty())
            FZbiorPozycji = QSet<const TPozycjaRds*>(FPozycjeRds.begin(), FPozycjeRds.end());
        if (FZbiorPozycji.contains(pozycja))
            return false;
        FZbiorPozycji.insert(pozycja);
    }
    FPozycjeRds.push_back(pozycja);
    return true;
}

void TPozycjaZbioru::ClearPozycjeRds()
{
    FPozycjeRds.clear();
    FZbiorPozycji.clear();
}

void TPozycjaZbioru::ClearSpecyfikacja()
{
    FWybranaSpecyfikacja->SetSpecyfikacja(nullptr);
    FWybranaSpecyfikacja->SetDopasowanaSpecyfikacja(nullptr);
}

TPozycjaRds* TPozycjaZbioru::GetPozycjaRds(int indeks) const
{
    if (indeks < 0 || indeks >= PozycjeCount())
        return nullptr;
    return FPozycjeRds[static_cast<size_t>(indeks)];
}

QString TPozycjaZbioru::ToString() const
{
    return QStringLiteral("ST=%1; Wlasna=%2; Pozycje=%3")
        .arg(FST, FCzyWlasna ? QStringLiteral("true") : QStringLiteral("false"))
        .arg(PozycjeCount());
}
