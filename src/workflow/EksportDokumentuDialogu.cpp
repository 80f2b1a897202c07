#include "workflow/EksportDokumentuDialogu.h"

#include "app/Konfiguracja.h"
#include "app/MyPath.h"
#include "app/ZapisBezpieczny.h"
#include "docs/PrzygotowanieEksportu.h"
#include "docs/ZbiorEksporterDOC.h"
#include "specs/KonfiguracjaZestawu.h"
#include "workflow/Uzytkownik.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>

// The export job, telling the dialog whether the merge failed: the end step decides by it whether the
// target is replaced and the dialog closes.
class TZadanieEksportuDokumentu : public TEksportujZestawThread
{
public:
    using TEksportujZestawThread::TEksportujZestawThread;
    bool CzyBlad() const { return FBlad; }
};

namespace {

const QString KLinkStylow = QStringLiteral("Pobierz style z dokumentów");

// The export's questions come as "message\nquestion", the two lines of the question dialog.
class TPytaniaDialogu : public IPytaniaEksportu
{
public:
    explicit TPytaniaDialogu(IUzytkownik& uzytkownik) : FUzytkownik(uzytkownik) {}
    bool Pytanie(const QString& tresc) override
    {
        return FUzytkownik.ZadajPytanie(tresc.section(QLatin1Char('\n'), 0, 0), tresc.section(QLatin1Char('\n'), 1));
    }

private:
    IUzytkownik& FUzytkownik;
};

} // namespace

TEksportDokumentuDialogu::TEksportDokumentuDialogu(TZestawST& zestaw, const TListaPlikowEksportu& pliki,
                                                   TZbiorEksporter& eksporter, TKonfiguracja& konfiguracja,
                                                   IUzytkownik& uzytkownik)
    : FZestaw(zestaw), FPliki(pliki), FEksporter(eksporter),
      FEksporterDOC(dynamic_cast<TZbiorEksporterDOC*>(&eksporter)), FKonfiguracja(konfiguracja), FUzytkownik(uzytkownik)
{
    Folder = konfiguracja.EksportPath->GetPath();
    Nazwa = DomyslnaNazwaPlikuEksportu(zestaw.ZestawPath());
    FStatus = TekstIlosciSpecyfikacji(pliki);
    const TKonfiguracjaZestawu& k = *zestaw.GetKonfiguracja();
    CzyOtworzPoUtworzeniu = k.CzyOtworzDoc;
    CzyDrukDwustronny = k.CzyStopka && k.CzyDrukDwustronnyStopki;
    CzyWstawListeSt = k.CzyWstawListeStDoWarOgolnych;
    CzyStylWNaglowku = CzyWord() && k.CzyNaglowek && k.CzyStylWNaglowku;
    NazwaStylu = k.NazwaStyluWNaglowku;
    CzyWeryfikujStyl = k.CzyWeryfikujStylNaglowka;
    CzyUstawMarginesy = CzyWord() && k.CzyUstawMarginesy;
    Marginesy = {k.MarginesL, k.MarginesR, k.MarginesG, k.MarginesD};
}

TEksportDokumentuDialogu::~TEksportDokumentuDialogu()
{
    OnZmiana = nullptr;
    OnKoniec = nullptr;
    OnStyle = nullptr;
    Zamknij();
}

bool TEksportDokumentuDialogu::CzyNaglowekWZestawie() const
{
    return FZestaw.GetKonfiguracja()->CzyNaglowek;
}

bool TEksportDokumentuDialogu::CzyStopkaWZestawie() const
{
    return FZestaw.GetKonfiguracja()->CzyStopka;
}

bool TEksportDokumentuDialogu::CzyDrukDwustronnyDostepny() const
{
    return !CzyZajety() && CzyStopkaWZestawie();
}

bool TEksportDokumentuDialogu::CzyStylWNaglowkuDostepny() const
{
    return !CzyZajety() && CzyWord() && CzyNaglowekWZestawie();
}

bool TEksportDokumentuDialogu::CzyPolaStyluDostepne() const
{
    return CzyStylWNaglowkuDostepny() && CzyStylWNaglowku;
}

bool TEksportDokumentuDialogu::CzyLinkStylowDostepny() const
{
    return FPobieranieStylow || CzyPolaStyluDostepne();
}

QString TEksportDokumentuDialogu::TekstLinkuStylow() const
{
    if (FPobieranieStylow)
        return FLinkZatrzymania;
    return CzyLinkStylowDostepny() ? QStringLiteral("<a>") + KLinkStylow + QStringLiteral("</a>") : KLinkStylow;
}

bool TEksportDokumentuDialogu::CzyUstawMarginesyDostepne() const
{
    return !CzyZajety() && CzyWord();
}

bool TEksportDokumentuDialogu::CzyPrzyciskMarginesowDostepny() const
{
    return CzyUstawMarginesyDostepne() && CzyUstawMarginesy;
}

QString TEksportDokumentuDialogu::TekstStartu() const
{
    return FEksportTrwa ? QStringLiteral("Stop") : QStringLiteral("Start");
}

void TEksportDokumentuDialogu::Zmiana()
{
    if (OnZmiana)
        OnZmiana();
}

void TEksportDokumentuDialogu::Przegladaj(const QString& wybrany)
{
    if (wybrany.isEmpty() || CzyZajety())
        return;
    if (!QFileInfo(wybrany).isDir()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Wybrany folder jest nieprawidłowy!"));
        return;
    }
    Folder = wybrany;
    Zmiana();
}

bool TEksportDokumentuDialogu::Przygotuj(QString& cel)
{
    try {
        TPytaniaDialogu pytania(FUzytkownik);
        const std::optional<QString> plik = PrzygotujPlikDocelowy(Folder, Nazwa, FEksporter, pytania);
        if (!plik)
            return false;
        cel = *plik;
        FEksporter.CzyStronaTytulowa = FPliki.CzyStronaTytulowa;
        FEksporter.PlikWarunkowOgolnych = nullptr;
        FEksporter.ListaStDoWarOgolnych.clear();
        if (CzyWstawListeSt)
            PrzygotujListeStDoWarOgolnych(*FZestaw.GetZbiorST(), FPliki, FEksporter,
                                          TUstawieniaEksportuProgramu::ZKonfiguracji(FKonfiguracja));
        PrzygotujZakladki(*FZestaw.GetZbiorST(), FPliki, FEksporter);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    return true;
}

void TEksportDokumentuDialogu::Start()
{
    if (FPobieranieStylow)
        return;
    if (FEksportTrwa) {
        if (FZadanie)
            FZadanie->ZatrzymajICzekaj();
        FZadanie.reset();
        return;
    }
    FZadanie.reset();
    FZakonczono = false;
    QString cel;
    if (!Przygotuj(cel))
        return;

    FEksporter.CzyOtworzPoZapisaniu = CzyWord() && CzyOtworzPoUtworzeniu;
    FEksporter.CzyDrukDwustronny = CzyStopkaWZestawie() && CzyDrukDwustronny;
    FEksporter.CzyStylWNaglowku = CzyWord() && CzyNaglowekWZestawie() && CzyStylWNaglowku;
    FEksporter.NazwaStyluWNaglowku = NazwaStylu;
    FEksporter.CzyWeryfikujStylNaglowka = FEksporter.CzyStylWNaglowku && CzyWeryfikujStyl;
    FEksporter.CzyUstawMarginesy = CzyWord() && CzyUstawMarginesy;
    FEksporter.MarginesL = Marginesy.L;
    FEksporter.MarginesR = Marginesy.R;
    FEksporter.MarginesG = Marginesy.G;
    FEksporter.MarginesD = Marginesy.D;
    FEksporter.CzyWstawListeStDoWarOgolnych = CzyWstawListeSt;

    // The office tells the format by the extension: the temporary keeps the target's.
    FZamiana = std::make_unique<TZamianaPliku>(cel, TOpcjeZamianyPliku{.ZRozszerzeniem = true});
    FPlikDocelowy = FZamiana->Cel();
    FEksportTrwa = true;
    FZadanie = std::make_unique<TZadanieEksportuDokumentu>(
        this, FPliki.Pliki, FZamiana->Sciezka(), &FEksporter,
        [this](TExceptionMsgThread* zadanie) { FUzytkownik.PokazKomunikat(zadanie->ExceptionMsg()); });
    Zmiana();
    FZadanie->start();
}

void TEksportDokumentuDialogu::PobierzStyle()
{
    if (FPobieranieStylow) {
        if (FWatekStylow)
            FWatekStylow->ZatrzymajICzekaj();
        FWatekStylow.reset();
        FPozycja = 0;
        Zmiana();
        return;
    }
    if (!FEksporterDOC || !CzyLinkStylowDostepny())
        return;
    FWatekStylow.reset();
    FPobieranieStylow = true;
    FWatekStylow =
        std::make_unique<TPobierzStyleThread>(this, FPliki.Pliki, FEksporterDOC, [this](TExceptionMsgThread* watek) {
            FUzytkownik.PokazKomunikat(watek->ExceptionMsg());
        });
    Zmiana();
    FWatekStylow->start();
}

void TEksportDokumentuDialogu::Zatrzymaj()
{
    if (FZadanie)
        FZadanie->PoprosOZatrzymanie();
}

void TEksportDokumentuDialogu::Czekaj()
{
    if (FZadanie)
        FZadanie->Czekaj();
    if (FWatekStylow)
        FWatekStylow->Czekaj();
}

void TEksportDokumentuDialogu::Zamknij()
{
    FZamykanie = true;
    if (FZadanie)
        FZadanie->ZatrzymajICzekaj();
    FZadanie.reset();
    if (FWatekStylow)
        FWatekStylow->ZatrzymajICzekaj();
    FWatekStylow.reset();
    FZamiana.reset();
    FZamykanie = false;
}

TUstawieniaEksportuZestawu TEksportDokumentuDialogu::Wynik() const
{
    TUstawieniaEksportuZestawu w = *FZestaw.GetKonfiguracja();
    if (CzyWord())
        w.CzyOtworzDoc = CzyOtworzPoUtworzeniu;
    if (CzyStopkaWZestawie())
        w.CzyDrukDwustronnyStopki = CzyDrukDwustronny;
    if (CzyWord() && CzyNaglowekWZestawie()) {
        w.CzyStylWNaglowku = CzyStylWNaglowku;
        w.NazwaStyluWNaglowku = NazwaStylu;
        w.CzyWeryfikujStylNaglowka = CzyWeryfikujStyl;
    }
    if (CzyWord()) {
        w.CzyUstawMarginesy = CzyUstawMarginesy;
        w.MarginesL = Marginesy.L;
        w.MarginesR = Marginesy.R;
        w.MarginesG = Marginesy.G;
        w.MarginesD = Marginesy.D;
    }
    w.CzyWstawListeStDoWarOgolnych = CzyWstawListeSt;
    return w;
}

void TEksportDokumentuDialogu::EksportRozpoczety(int liczbaPlikow)
{
    FEksportTrwa = true;
    FMaksimum = liczbaPlikow;
    FPozycja = 0;
    Zmiana();
}

void TEksportDokumentuDialogu::KolejnyPlik(const QString& status)
{
    FStatus = status;
    FPozycja = qMin(FPozycja + 1, FMaksimum);
    Zmiana();
}

void TEksportDokumentuDialogu::EksportZakonczony(const QString& status)
{
    FStatus = status;
    FEksportTrwa = false;
    const bool blad = FZadanie && FZadanie->CzyBlad();
    const bool zatrzymany = FEksporter.Terminated() || (FZadanie && FZadanie->CzyZatrzymano());
    // Whatever happens below, a temporary not taken over is removed.
    const std::unique_ptr<TZamianaPliku> zamiana = std::move(FZamiana);
    if (!blad && !zatrzymany && zamiana) {
        try {
            zamiana->Zastap();
        } catch (const EBlad&) {
            // The job's error handler shows the message; the dialog stays open.
            FStatus += QStringLiteral(" (Błąd eksportu)");
            Zmiana();
            throw;
        }
        if (FEksporter.CzyOtworzPoZapisaniu)
            FUzytkownik.OtworzPlikWProgramie(FPlikDocelowy);
    }
    Zmiana();
    if (blad || FZamykanie)
        return;
    FZakonczono = true;
    if (OnKoniec)
        OnKoniec();
}

void TEksportDokumentuDialogu::PobieranieRozpoczete(int liczbaPlikow, const QString& tekstLinku)
{
    FPobieranieStylow = true;
    FLinkZatrzymania = tekstLinku;
    FMaksimum = liczbaPlikow;
    FPozycja = 0;
    Zmiana();
}

void TEksportDokumentuDialogu::PobieranieZakonczone(const QString& status, const QStringList& style)
{
    FStatus = status;
    FStyle = style;
    FPobieranieStylow = false;
    Zmiana();
    if (OnStyle)
        OnStyle(FStyle);
}
