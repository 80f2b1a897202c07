#pragma once

#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "workflow/CzekanieNaOtwarcie.h"
#include "workflow/Uzytkownik.h"

// A user with no window to answer from (the command-line tool, benchmarks): every question is "Nie",
// every dialog cancelled, every notice dropped, the open jobs run to their end. Callers override what
// they answer otherwise.
class TUzytkownikBezOkna : public IUzytkownik
{
public:
    void PokazKomunikat(const QString&) override {}
    bool ZadajPytanie(const QString&, const QString&) override { return false; }
    TOdpowiedz PytanieTakNieAnuluj(const QString&) override { return TOdpowiedz::Nie; }
    std::optional<TWyborPozostalych> WyborDlaPozostalychPozycji(const QString&, bool, int) override
    {
        return TWyborPozostalych{0, false};
    }
    void CzekajNaOtwarcie(TCzekanieNaOtwarcie& czekanie) override
    {
        czekanie.Uruchom();
        czekanie.Czekaj();
    }
    TWybranePliki WybierzDoOtwarcia(const TDialogPliku&) override { return {}; }
    QString WybierzDoZapisu(const TDialogPliku&) override { return {}; }
    void PokazSpecyfikacjeZPustymNumerem(TSpisST&) override {}
    std::unique_ptr<TSpisST> ScalListy(const QString&, TZestawST&) override { return nullptr; }
    TWyborStronyTytulowej StronaTytulowaZestawu(bool) override { return {}; }
    bool Ustawienia(TZestawST&) override { return false; }
    void OtworzPlikWProgramie(const QString&) override {}
    void OtworzFolder(const QString&) override {}
    void PorzadkowanieSpisu(TPorzadkowanieDialogu&) override {}
    std::optional<TUstawieniaEksportuZestawu> EksportujPlikiSpecyfikacji(TZestawST&,
                                                                         const TListaPlikowEksportu&) override
    {
        return std::nullopt;
    }
    void EksportujDoArkusza(TEksportXlsDialogu&) override {}

    bool BrakujacePliki(const std::vector<std::unique_ptr<TListaBrakowPlikow>>&) override { return false; }
    QString RozpakujArchiwum(bool, const QString&) override { return {}; }
    TOpcjaDuplikatowNumeru DuplikatNumeru(const TSpecyfikacja&, const TSpecyfikacja&, bool, bool&) override
    {
        return doNone;
    }
    TOpcjaDuplikatowPliku DuplikatPliku(const TSpecyfikacja&, const TSpecyfikacja&, bool&) override { return dpoNone; }
    void KonfliktSpecyfikacji(const TSpecyfikacja&, const TSpecyfikacja&, const TSpecyfikacja&) override {}
    void PodsumowanieImportu(const QString&, const TLicznikImportuSt&) override {}
    int WybierzListe(const QStringList&) override { return -1; }

    std::optional<TDaneGrupy> EdycjaGrupy(const TDaneGrupy&) override { return std::nullopt; }
    std::optional<TDaneSpecyfikacji> EdycjaSpecyfikacji(const TDaneSpecyfikacji&) override { return std::nullopt; }
};
