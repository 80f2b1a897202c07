// The set controller's exports: the checks and questions before the document is generated, and the
// window's export controls kept in the set.
#include "workflow/ZestawController.h"

#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "docs/PrzygotowanieEksportu.h"
#include "docs/TypPliku.h"
#include "specs/KonfiguracjaZestawu.h"
#include "workflow/EksportXlsDialogu.h"
#include "workflow/Uzytkownik.h"
#include "zestaw/PozycjaZbioru.h"
#include "zestaw/ZestawST.h"

namespace {

// The export's questions come as "message\nquestion", as the two lines of the question dialog.
class TPytaniaUzytkownika : public IPytaniaEksportu
{
public:
    explicit TPytaniaUzytkownika(IUzytkownik& uzytkownik) : FUzytkownik(uzytkownik) {}
    bool Pytanie(const QString& tresc) override
    {
        const int i = static_cast<int>(tresc.indexOf(QLatin1Char('\n')));
        return i < 0 ? FUzytkownik.ZadajPytanie(tresc, QString())
                     : FUzytkownik.ZadajPytanie(tresc.left(i), tresc.mid(i + 1));
    }

private:
    IUzytkownik& FUzytkownik;
};

const QString BrakPlikow = QStringLiteral("Brak odpowiednich plików do eksportu. Sprawdź ustawienia filtrów");

} // namespace

void TZestawController::EksportujZbiorST()
{
    const bool wszystkieFiltry = FKonfiguracja.CzyZbiorSTPokazZPlikami && FKonfiguracja.CzyZbiorSTPokazBraki &&
                                 (FKonfiguracja.TylkoWidokSpecyfikacje ||
                                  (FKonfiguracja.CzyZbiorSTPokazKosztorys && FKonfiguracja.CzyZbiorSTPokazWlasne));
    if (!wszystkieFiltry &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Bieżące ustawienie filtrów ukrywa część specyfikacji w zbiorze."),
                                  QStringLiteral("Czy chcesz kontynuować eksport z pominięciem tych specyfikacji ?")))
        return;
    TKonfiguracjaZestawu& k = *FZestaw->GetKonfiguracja();
    try {
        // The entries the grid shows, in its order.
        std::vector<const TPozycjaZbioru*> wpisy;
        for (int i = 0; i < FZbiorSt->Wierszy(); ++i)
            if (const auto* wpis = static_cast<const TPozycjaZbioru*>(FZbiorSt->Obiekt(i)))
                wpisy.push_back(wpis);
        std::unique_ptr<TTypPliku> typ;
        if (k.CzyEksportDoc)
            typ = std::make_unique<TTypPlikuWord>();
        else
            typ = std::make_unique<TTypPlikuOoO>();
        TUstawieniaEksportuProgramu program = TUstawieniaEksportuProgramu::ZKonfiguracji(FKonfiguracja);
        program.KatalogUzytkownika = FZestaw->Ustawienia().KatalogUzytkownika;
        TPytaniaUzytkownika pytania(FUzytkownik);
        std::optional<TListaPlikowEksportu> pliki;
        try {
            pliki = PrzygotujListePlikow(
                wpisy, [&typ](const QString& plik) { return typ->CzyObslugiwanyPlik(plik); },
                k.CzyWstawiacSzablonPierwszejStrony, k, program, pytania);
        } catch (const EBlad& e) {
            if (e.Komunikat() != BrakPlikow)
                throw;
            FUzytkownik.PokazKomunikat(BrakPlikow);
            return;
        }
        if (!pliki)
            return;
        const std::optional<TUstawieniaEksportuZestawu> wynik =
            FUzytkownik.EksportujPlikiSpecyfikacji(*FZestaw, *pliki);
        if (!wynik)
            return;
        // Written back only when the dialog changed something.
        const bool zmiana =
            (k.CzyEksportDoc && wynik->CzyOtworzDoc != k.CzyOtworzDoc) ||
            wynik->CzyDrukDwustronnyStopki != k.CzyDrukDwustronnyStopki ||
            wynik->CzyStylWNaglowku != k.CzyStylWNaglowku || wynik->NazwaStyluWNaglowku != k.NazwaStyluWNaglowku ||
            wynik->CzyWeryfikujStylNaglowka != k.CzyWeryfikujStylNaglowka ||
            wynik->CzyUstawMarginesy != k.CzyUstawMarginesy || wynik->MarginesL != k.MarginesL ||
            wynik->MarginesR != k.MarginesR || wynik->MarginesG != k.MarginesG || wynik->MarginesD != k.MarginesD ||
            wynik->CzyWstawListeStDoWarOgolnych != k.CzyWstawListeStDoWarOgolnych;
        if (!zmiana)
            return;
        k.CzyOtworzDoc = wynik->CzyOtworzDoc;
        k.CzyDrukDwustronnyStopki = wynik->CzyDrukDwustronnyStopki;
        k.CzyStylWNaglowku = wynik->CzyStylWNaglowku;
        k.NazwaStyluWNaglowku = wynik->NazwaStyluWNaglowku;
        k.CzyWeryfikujStylNaglowka = wynik->CzyWeryfikujStylNaglowka;
        k.CzyUstawMarginesy = wynik->CzyUstawMarginesy;
        k.MarginesL = wynik->MarginesL;
        k.MarginesR = wynik->MarginesR;
        k.MarginesG = wynik->MarginesG;
        k.MarginesD = wynik->MarginesD;
        k.CzyWstawListeStDoWarOgolnych = wynik->CzyWstawListeStDoWarOgolnych;
        ZmienionoZestaw();
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Błąd przy tworzeniu pliku: ") + e.Komunikat());
    }
}

void TZestawController::EksportujKosztorysDoExcela()
{
    if (FZestaw->KosztorysyCount() == 0) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Brak danych do eksportu."));
        return;
    }
    TEksportXlsDialogu dialog(*FZestaw, FKonfiguracja, FUzytkownik);
    FUzytkownik.EksportujDoArkusza(dialog);
}

void TZestawController::ZmianaUstawienEksportu(bool czyWstawStroneTytulowa)
{
    if (FOtwieranieZestawu)
        return;
    FZestaw->GetKonfiguracja()->CzyWstawiacSzablonPierwszejStrony = czyWstawStroneTytulowa;
    ZmienionoZestaw();
}

void TZestawController::ZmianaUstawienNaglowka(bool czyNaglowek, const QString& tresc)
{
    if (FOtwieranieZestawu)
        return;
    FZestaw->GetKonfiguracja()->CzyNaglowek = czyNaglowek;
    FZestaw->GetKonfiguracja()->TrescNaglowka = tresc;
    ZmienionoZestaw();
}

void TZestawController::ZmianaUstawienStopki(bool czyStopka, const QString& tresc, bool czyNrStrony)
{
    if (FOtwieranieZestawu)
        return;
    FZestaw->GetKonfiguracja()->CzyStopka = czyStopka;
    FZestaw->GetKonfiguracja()->TrescStopki = tresc;
    FZestaw->GetKonfiguracja()->CzyNrStronyStopki = czyNrStrony;
    ZmienionoZestaw();
}

void TZestawController::ZmianaUstawienWstawTekstDoST(bool czyTekst, const QString& tekst)
{
    if (FOtwieranieZestawu)
        return;
    FZestaw->GetKonfiguracja()->CzyWstawTekstDoSt = czyTekst;
    FZestaw->GetKonfiguracja()->TekstDoSt = tekst;
    ZmienionoZestaw();
}
