#include "docs/GenerowanieDokumentu.h"

#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "specs/KonfiguracjaZestawu.h"
#include "zestaw/ZestawST.h"

std::unique_ptr<TZbiorEksporter> UtworzEksporter(bool czyWord, ISilnikDokumentow* silnik)
{
    if (czyWord)
        return std::make_unique<TZbiorEksporterDOC>(silnik);
    return std::make_unique<TZbiorEksporterODT>(silnik);
}

void UstawEksporterZKonfiguracji(TZbiorEksporter& eksporter, const TKonfiguracjaZestawu& k, bool czyWord)
{
    eksporter.CzyNaglowek = k.FCzyNaglowek;
    eksporter.TrescNaglowka = QStringList{k.FTrescNaglowka};
    eksporter.CzyStopka = k.FCzyStopka;
    eksporter.TrescStopki = QStringList{k.FTrescStopki};
    eksporter.CzyNrStronyWStopce = k.FCzyNrStronyStopki;
    eksporter.CzyDrukDwustronny = k.FCzyStopka && k.FCzyDrukDwustronnyStopki;
    eksporter.CzyTekstDoSt = k.FCzyWstawTekstDoSt;
    eksporter.TekstDoSt = k.FTekstDoSt.split(QLatin1Char('\n'));
    eksporter.CzyWstawListeStDoWarOgolnych = k.FCzyWstawListeStDoWarOgolnych;
    eksporter.CzyOtworzPoZapisaniu = czyWord && k.FCzyOtworzDoc;
    eksporter.CzyStylWNaglowku = czyWord && k.FCzyNaglowek && k.FCzyStylWNaglowku;
    eksporter.NazwaStyluWNaglowku = k.FNazwaStyluWNaglowku;
    eksporter.CzyWeryfikujStylNaglowka = eksporter.CzyStylWNaglowku && k.FCzyWeryfikujStylNaglowka;
    eksporter.CzyUstawMarginesy = czyWord && k.FCzyUstawMarginesy;
    eksporter.MarginesL = k.FMarginesL;
    eksporter.MarginesR = k.FMarginesR;
    eksporter.MarginesG = k.FMarginesG;
    eksporter.MarginesD = k.FMarginesD;
}

std::optional<TListaPlikowEksportu> PrzygotujEksportZestawu(const TZestawST& zestaw, TZbiorEksporter& eksporter,
                                                            const TUstawieniaEksportuProgramu& program,
                                                            IPytaniaEksportu& pytania)
{
    const TKonfiguracjaZestawu& konfiguracja = *zestaw.GetKonfiguracja();
    std::optional<TListaPlikowEksportu> lista =
        PrzygotujListePlikow(*zestaw.GetZbiorST(), eksporter, konfiguracja.FCzyWstawiacSzablonPierwszejStrony,
                             konfiguracja, program, pytania);
    if (!lista)
        return std::nullopt;
    eksporter.CzyStronaTytulowa = lista->CzyStronaTytulowa;
    eksporter.ListaStDoWarOgolnych.clear();
    eksporter.PlikWarunkowOgolnych = nullptr;
    if (eksporter.CzyWstawListeStDoWarOgolnych)
        PrzygotujListeStDoWarOgolnych(*zestaw.GetZbiorST(), *lista, eksporter, program);
    return lista;
}
