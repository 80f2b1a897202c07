#include "workflow/KodyCpvDialogu.h"

#include <functional>

namespace {

void Odwiedz(const TListaKodowCpv& kody, const std::function<void(TKodCpv&)>& dzialanie)
{
    for (const auto& kod : kody) {
        dzialanie(*kod);
        Odwiedz(kod->KodyCpv, dzialanie);
    }
}

} // namespace

TKodyCpvDialogu::TKodyCpvDialogu(TListaKodowCpv& kody) : FKody(&kody), FWybrane(Zaznaczone(kody))
{
    FZbiorWybranych.insert(FWybrane.begin(), FWybrane.end());
}

QString TKodyCpvDialogu::Podpowiedz() const
{
    return QString(7, QLatin1Char(' ')) + (FTryb == TTryb::RobotyBudowlane ? TrybRobotBudowlanych : TrybCalegoSlownika);
}

QString TKodyCpvDialogu::Prefiks() const
{
    return FTryb == TTryb::RobotyBudowlane ? QStringLiteral("45") : QString();
}

bool TKodyCpvDialogu::UstawTryb(TTryb tryb, const QString& tekstSzukania)
{
    FTryb = tryb;
    return !tekstSzukania.trimmed().isEmpty();
}

void TKodyCpvDialogu::Filtruj(const QString& filtr)
{
    const QString tekst = filtr.trimmed();
    FCzyFiltr = !tekst.isEmpty();
    // TKodCpv::Clear would also drop the ticks, which must outlive the search.
    if (!FCzyFiltr) {
        Odwiedz(*FKody, [](TKodCpv& k) { k.Hidden = false; });
        return;
    }
    const QString prefiks = Prefiks();
    for (const auto& kod : *FKody) {
        kod->Ukryj();
        kod->Filtruj(tekst, prefiks);
    }
}

void TKodyCpvDialogu::PrzywrocZaznaczenia()
{
    Odwiedz(*FKody, [this](TKodCpv& k) { k.Checked = FZbiorWybranych.count(&k) > 0; });
}

std::vector<TKodCpv*> TKodyCpvDialogu::Zaznaczone(const TListaKodowCpv& kody)
{
    std::vector<TKodCpv*> wynik;
    Odwiedz(kody, [&wynik](TKodCpv& k) {
        if (k.Checked)
            wynik.push_back(&k);
    });
    return wynik;
}

QString TKodyCpvDialogu::Podpis(const TKodCpv& kod)
{
    return kod.Kod + QStringLiteral(" - ") + kod.Opis;
}

int TKodyCpvDialogu::Widocznych(const TListaKodowCpv& kody)
{
    int ile = 0;
    std::function<void(const TListaKodowCpv&)> licz = [&](const TListaKodowCpv& lista) {
        for (const auto& kod : lista) {
            if (kod->Hidden)
                continue;
            ++ile;
            licz(kod->KodyCpv);
        }
    };
    licz(kody);
    return ile;
}
