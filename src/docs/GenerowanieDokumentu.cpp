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

bool CzySpisTresci(const TKonfiguracjaZestawu& konfiguracja)
{
    return konfiguracja.GetExternalNode(QString::fromLatin1(KluczSpisuTresci)).toString() == QLatin1String("true");
}

void UstawSpisTresci(TKonfiguracjaZestawu& konfiguracja, bool wlacz)
{
    konfiguracja.AddExternalNode(QString::fromLatin1(KluczSpisuTresci),
                                 wlacz ? QStringLiteral("true") : QStringLiteral("false"));
}

void UstawEksporterZKonfiguracji(TZbiorEksporter& eksporter, const TKonfiguracjaZestawu& k, bool czyWord)
{
    eksporter.CzyNaglowek = k.CzyNaglowek;
    eksporter.TrescNaglowka = QStringList{k.TrescNaglowka};
    eksporter.CzyStopka = k.CzyStopka;
    eksporter.TrescStopki = QStringList{k.TrescStopki};
    eksporter.CzyNrStronyWStopce = k.CzyNrStronyStopki;
    eksporter.CzyDrukDwustronny = k.CzyStopka && k.CzyDrukDwustronnyStopki;
    eksporter.CzyTekstDoSt = k.CzyWstawTekstDoSt;
    eksporter.TekstDoSt = k.TekstDoSt.split(QLatin1Char('\n'));
    eksporter.CzyWstawListeStDoWarOgolnych = k.CzyWstawListeStDoWarOgolnych;
    eksporter.CzyOtworzPoZapisaniu = czyWord && k.CzyOtworzDoc;
    eksporter.CzyStylWNaglowku = czyWord && k.CzyNaglowek && k.CzyStylWNaglowku;
    eksporter.NazwaStyluWNaglowku = k.NazwaStyluWNaglowku;
    eksporter.CzyWeryfikujStylNaglowka = eksporter.CzyStylWNaglowku && k.CzyWeryfikujStylNaglowka;
    eksporter.CzyUstawMarginesy = czyWord && k.CzyUstawMarginesy;
    eksporter.MarginesL = k.MarginesL;
    eksporter.MarginesR = k.MarginesR;
    eksporter.MarginesG = k.MarginesG;
    eksporter.MarginesD = k.MarginesD;
    eksporter.CzySpisTresci = CzySpisTresci(k);
}

std::optional<TListaPlikowEksportu> PrzygotujEksportZestawu(const TZestawST& zestaw, TZbiorEksporter& eksporter,
                                                            const TUstawieniaEksportuProgramu& program,
                                                            IPytaniaEksportu& pytania)
{
    const TKonfiguracjaZestawu& konfiguracja = *zestaw.GetKonfiguracja();
    std::optional<TListaPlikowEksportu> lista =
        PrzygotujListePlikow(*zestaw.GetZbiorST(), eksporter, konfiguracja.CzyWstawiacSzablonPierwszejStrony,
                             konfiguracja, program, pytania);
    if (!lista)
        return std::nullopt;
    eksporter.CzyStronaTytulowa = lista->CzyStronaTytulowa;
    eksporter.ListaStDoWarOgolnych.clear();
    eksporter.PlikWarunkowOgolnych = nullptr;
    if (eksporter.CzyWstawListeStDoWarOgolnych)
        PrzygotujListeStDoWarOgolnych(*zestaw.GetZbiorST(), *lista, eksporter, program);
    PrzygotujZakladki(*zestaw.GetZbiorST(), *lista, eksporter);
    return lista;
}
