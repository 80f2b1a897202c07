#pragma once

#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "workflow/Uzytkownik.h"

#include <QTextStream>

// The user of a command: nobody to ask. Notices and questions go to the error stream; every question is
// answered "Nie" (nothing is located, overwritten or replaced behind the caller's back), every dialog is
// cancelled, and the open jobs run to their end.
class TUzytkownikPolecenia : public IUzytkownik
{
public:
    explicit TUzytkownikPolecenia(QTextStream& bledy) : FBledy(bledy) {}

    void PokazKomunikat(const QString& tekst) override;
    bool ZadajPytanie(const QString& komunikat, const QString& pytanie) override;
    TOdpowiedz PytanieTakNieAnuluj(const QString& tekst) override;
    TWybranePliki WybierzDoOtwarcia(const TDialogPliku&) override { return {}; }
    QString WybierzDoZapisu(const TDialogPliku&) override { return {}; }
    std::optional<TWyborPozostalych> WyborDlaPozostalychPozycji(const QString& tekst, bool, int) override;
    void CzekajNaOtwarcie(TCzekanieNaOtwarcie& czekanie) override;
    void PokazSpecyfikacjeZPustymNumerem(TZestawST&) override {}
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
    void EksportujDoArkusza(TZestawST&) override {}

    bool BrakujacePliki(const std::vector<std::unique_ptr<TListaBrakowPlikow>>&) override { return false; }
    QString RozpakujArchiwum(bool) override { return {}; }
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

    // The notices shown so far, in order (they are written to the error stream as they come too).
    const QStringList& Komunikaty() const { return FKomunikaty; }

private:
    QStringList FKomunikaty;
    QTextStream& FBledy;
};
