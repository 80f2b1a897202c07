#include "specs/SpisST.h"

#include "prices/CenaJedn.h"
#include "specs/CzyIstniejaPlikiThread.h"
#include "specs/IndeksSpisu.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/WariantSpecyfikacji.h"
#include "specs/WyjatkiSpecyfikacji.h"

#include <QFileInfo>

#include <algorithm>

TFindSpecyfikacjaFlags FlagiDopasowaniaPozycji(bool czyKorzystajZWariantow)
{
    if (czyKorzystajZWariantow)
        return fsSzukajWSpecyfikacjach | fsCzescioweDopasowanie | fsSzukajWariantu;
    return fsSzukajWSpecyfikacjach;
}

TSpisST::TSpisST()
    : TSpecyfikacja(QStringLiteral("SpisSt"), false, true, QString(), QString(), QStringLiteral("Spis specyfikacji"))
{
    FIndeks = std::make_unique<TIndeksSpisu>(
        *this, [this](TSpecyfikacja& wezel) { PrzylaczWezel(wezel); },
        [this](const TSpecyfikacja* wezel) { OdlaczonoWezel(wezel); });
}

void TSpisST::UstawKatalogUzytkownika(const QString& katalog)
{
    SpisStPath.UstawKatalogUzytkownika(katalog);
    TSpecyfikacja::UstawKatalogUzytkownika(katalog);
}

TSpisST::~TSpisST()
{
    ZatrzymajSprawdzaniePlikow();
    // The nodes are freed by the base after the index is gone; nothing may reach it any more.
    FKoniec = true;
    FListaPustych.clear();
}

// --- Change handling

void TSpisST::PrzylaczWezel(TSpecyfikacja& wezel)
{
    const TObserwator* obserwator = wezel.TSpecyfikacja::OnZmieniono().target<TObserwator>();
    if (!obserwator || obserwator->Spis != this)
        wezel.TSpecyfikacja::SetOnZmieniono(TObserwator{this});
    UstawCenyWezla(wezel);
}

void TSpisST::UstawCenyWezla(TSpecyfikacja& wezel) const
{
    for (int i = 0; i < wezel.JmCount(); ++i)
        wezel.GetJm(i)->UstawUstawieniaCeny(FUstawieniaCen);
    for (int i = 0; i < wezel.WariantyCount(); ++i) {
        TWariantSpecyfikacji* wariant = wezel.GetWariant(i);
        for (int j = 0; j < wariant->JmCount(); ++j)
            wariant->GetJm(j)->UstawUstawieniaCeny(FUstawieniaCen);
    }
}

void TSpisST::SetUstawieniaCen(const TUstawieniaCen& ustawienia)
{
    FUstawieniaCen = ustawienia;
    std::vector<TSpecyfikacja*> stos{this};
    while (!stos.empty()) {
        TSpecyfikacja* wezel = stos.back();
        stos.pop_back();
        UstawCenyWezla(*wezel);
        for (int i = 0; i < wezel->Count(); ++i)
            stos.push_back(wezel->GetSpecyfikacja(i));
    }
}

void TSpisST::OdlaczonoWezel(const TSpecyfikacja* wezel)
{
    FListaPustych.erase(std::remove(FListaPustych.begin(), FListaPustych.end(), wezel), FListaPustych.end());
    if (FCzyIstniejaPlikiThread)
        FCzyIstniejaPlikiThread->Pomin(wezel);
}

void TSpisST::ObsluzZmiane(TNadawcaZmiany* nadawca)
{
    if (FKoniec)
        return;
    FIndeks->Zmiana(nadawca);
    if (auto* wezel = dynamic_cast<TSpecyfikacja*>(nadawca)) {
        // A unit or variant added to a node of the list reports as a change of that node (or variant).
        UstawCenyWezla(*wezel);
        if (FCzyIstniejaPlikiThread)
            FCzyIstniejaPlikiThread->Pomin(wezel);
    }
    if (FOnZmianaListy)
        FOnZmianaListy(nadawca);
}

void TSpisST::SprawdzObserwatora()
{
    const TObserwator* obserwator = FOnZmieniono.target<TObserwator>();
    if (obserwator && obserwator->Spis == this)
        return;
    // Someone set the root's handler through the node's own setter: that handler is the list's handler
    // from now on, and the list's own goes back on every node.
    if (FOnZmieniono)
        FOnZmianaListy = FOnZmieniono;
    PrzebudujIndeks();
}

void TSpisST::PrzebudujIndeks()
{
    FIndeks->Przebuduj();
    FListaPustych.erase(std::remove_if(FListaPustych.begin(), FListaPustych.end(),
                                       [this](const TSpecyfikacja* w) { return !FIndeks->CzyZnany(w); }),
                        FListaPustych.end());
}

int TSpisST::RozmiarIndeksu()
{
    SprawdzObserwatora();
    return FIndeks->Rozmiar();
}

void TSpisST::SetOnZmianaNazwyPliku(const TZdarzenieSpisu& zdarzenie)
{
    FOnZmianaNazwyPliku = zdarzenie;
    if (FOnZmianaNazwyPliku)
        FOnZmianaNazwyPliku(this);
}

void TSpisST::Wyczysc()
{
    ZatrzymajSprawdzaniePlikow();
    // One by one each removal would make the index compare the root's children again.
    FKoniec = true;
    while (Count() > 0)
        Remove(Count() - 1);
    FKoniec = false;
    PrzebudujIndeks();
    FListaPustych.clear();
    SpisStPath.SetEncodedPath(QString());
    if (FOnZmianaListy)
        FOnZmianaListy(this);
}

QString TSpisST::SciezkaKopiiZapasowej(const QString& sciezka)
{
    const QString rozszerzenie = QFileInfo(sciezka).suffix();
    if (rozszerzenie.isEmpty())
        return sciezka + QStringLiteral(".~sst");
    return sciezka.left(sciezka.size() - rozszerzenie.size()) + QLatin1Char('~') + rozszerzenie;
}

// --- Groups with blank numbers, filter, path lengths

bool TSpisST::CzyIstniejePustyNumerWGrupie(QString& opisSpecyfikacji) const
{
    auto szukaj = [&](const TSpecyfikacja& wezel, auto&& dalej) -> bool {
        for (int i = 0; i < wezel.Count(); ++i) {
            const TSpecyfikacja* dziecko = wezel.GetSpecyfikacja(i);
            if (!dziecko->CzyGrupa())
                continue;
            if (dziecko->Numer().trimmed().isEmpty()) {
                opisSpecyfikacji = dziecko->Opis();
                return true;
            }
            if (dalej(*dziecko, dalej))
                return true;
        }
        return false;
    };
    return szukaj(*this, szukaj);
}

void TSpisST::Filtruj(const QString& filtr, const TSpecyfikacja* wybranaGrupa)
{
    if (filtr.isEmpty())
        wybranaGrupa = nullptr;
    auto filtruj = [&](TSpecyfikacja& wezel, auto&& dalej) -> bool {
        wezel.SetHidden(true);
        bool kwalifikuje = filtr.isEmpty() || wezel.GetCaption().contains(filtr, Qt::CaseInsensitive);
        if (kwalifikuje && wybranaGrupa) {
            kwalifikuje = false;
            for (const TSpecyfikacja* x = &wezel; x && !kwalifikuje; x = x->Parent())
                kwalifikuje = x == wybranaGrupa;
        }
        if (kwalifikuje)
            wezel.SetHidden(false);
        bool pokazaneDziecko = false;
        for (int i = 0; i < wezel.Count(); ++i)
            pokazaneDziecko = dalej(*wezel.GetSpecyfikacja(i), dalej) || pokazaneDziecko;
        if (pokazaneDziecko)
            wezel.SetHidden(false);
        return !wezel.Hidden();
    };
    for (int i = 0; i < Count(); ++i)
        filtruj(*GetSpecyfikacja(i), filtruj);
}

void TSpisST::WalidujSciezki(const QString& nowyUserPath) const
{
    // Variants too: their documents move with the user folder like the specifications' own.
    auto sprawdz = [&](const TSpecyfikacja& wezel) {
        QString sciezka = wezel.GetEncodedPath();
        if (sciezka.isEmpty())
            return;
        sciezka.replace(TMyPath::Token, nowyUserPath, Qt::CaseInsensitive);
        if (sciezka.size() >= 260)
            throw ELongPathException(sciezka);
    };
    std::vector<const TSpecyfikacja*> stos{this};
    while (!stos.empty()) {
        const TSpecyfikacja* wezel = stos.back();
        stos.pop_back();
        sprawdz(*wezel);
        for (int i = 0; i < wezel->WariantyCount(); ++i)
            sprawdz(*wezel->GetWariant(i));
        for (int i = wezel->Count() - 1; i >= 0; --i)
            stos.push_back(wezel->GetSpecyfikacja(i));
    }
}

// --- Background check

void TSpisST::ZatrzymajSprawdzaniePlikow()
{
    if (!FCzyIstniejaPlikiThread)
        return;
    FTerminatedSprawdzaniePlikow = true;
    FCzyIstniejaPlikiThread->ZatrzymajICzekaj();
    FCzyIstniejaPlikiThread.reset();
}

void TSpisST::OdswiezIstnieniePlikow(TOnFinished onFinished)
{
    ZatrzymajSprawdzaniePlikow();
    FCzyIstniejaPlikiThread = std::make_unique<TCzyIstniejaPlikiThread>(this, std::move(onFinished));
    FCzyIstniejaPlikiThread->start();
}
