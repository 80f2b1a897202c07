#include "workflow/StronaTytulowaDialogu.h"

#include "app/Konfiguracja.h"
#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "specs/KonfiguracjaZestawu.h"
#include "zestaw/ZestawST.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString SciezkaSzablonuZestawu(const TKonfiguracjaZestawu& k, bool czyDoc)
{
    const TMyPath& wlasny = czyDoc ? *k.GetPierwszaStronaDocTemplate() : *k.GetPierwszaStronaOdtTemplate();
    return wlasny.EncodedPath().trimmed().isEmpty() ? QString() : wlasny.GetPath();
}

} // namespace

TStronaTytulowaDialogu::TStronaTytulowaDialogu(bool brakSzablonuProgramu, TKonfiguracja& konfiguracja,
                                               TZestawST& zestaw, IUzytkownik& uzytkownik)
    : FKonfiguracja(konfiguracja), FZestaw(zestaw), FUzytkownik(uzytkownik),
      FBrakSzablonuProgramu(brakSzablonuProgramu), FCzyDoc(zestaw.GetKonfiguracja()->CzyEksportDoc)
{
    TMyPath programu(konfiguracja.GetUserPath());
    programu.SetEncodedPath(FCzyDoc ? konfiguracja.GetPierwszaStronaDocTemplate()
                                    : konfiguracja.GetPierwszaStronaOdtTemplate());
    if (!programu.EncodedPath().trimmed().isEmpty())
        FSzablonProgramu = programu.GetPath();
    Plik = SciezkaSzablonuZestawu(*zestaw.GetKonfiguracja(), FCzyDoc);
    const bool wlasnyIstnieje = !Plik.isEmpty() && QFileInfo(Plik).isFile();
    Rodzaj = wlasnyIstnieje || FBrakSzablonuProgramu ? TWyborStronyTytulowej::PlikZDysku
                                                     : TWyborStronyTytulowej::SzablonProgramu;
}

TDialogPliku TStronaTytulowaDialogu::DialogPliku() const
{
    TDialogPliku d;
    d.Tytul = QStringLiteral("Strona tytułowa zestawu");
    d.Filtr = FCzyDoc ? QStringLiteral("Plik Microsoft Word (*.doc;*.docx)|*.doc;*.docx")
                      : QStringLiteral("Plik OpenOffice Writer (*.odt)|*.odt");
    const QString wlasny = SciezkaSzablonuZestawu(*FZestaw.GetKonfiguracja(), FCzyDoc);
    if (!wlasny.isEmpty()) {
        d.Folder = QFileInfo(wlasny).absolutePath();
        d.NazwaPliku = QFileInfo(wlasny).fileName();
    } else if (FKonfiguracja.SzablonyStronyTytPath) {
        d.Folder = FKonfiguracja.SzablonyStronyTytPath->GetPath();
    }
    return d;
}

bool TStronaTytulowaDialogu::Przegladaj()
{
    const TWybranePliki wybrane = FUzytkownik.WybierzDoOtwarcia(DialogPliku());
    if (wybrane.Pliki.isEmpty())
        return false;
    Rodzaj = TWyborStronyTytulowej::PlikZDysku;
    Plik = wybrane.Pliki.first();
    return Ok();
}

bool TStronaTytulowaDialogu::Ok()
{
    switch (Rodzaj) {
    case TWyborStronyTytulowej::UtworzonyZSzablonu:
        return CzySzablonProgramuDostepny() && ZestawZapisany() && UtworzZSzablonu();
    case TWyborStronyTytulowej::PlikZDysku:
        if (!QFileInfo(Plik).isFile()) {
            FUzytkownik.PokazKomunikat(QStringLiteral("Proszę wybrać plik strony tytułowej."));
            return false;
        }
        return true;
    case TWyborStronyTytulowej::SzablonProgramu:
        return CzySzablonProgramuDostepny();
    case TWyborStronyTytulowej::Anulowano:
        break;
    }
    return false;
}

bool TStronaTytulowaDialogu::ZestawZapisany()
{
    if (!FZestaw.ZestawPath().isEmpty() && QFileInfo(FZestaw.ZestawPath()).isFile())
        return true;
    if (!FUzytkownik.ZadajPytanie(QStringLiteral("Przed utworzeniem pliku strony tytułowej należy zapisać zestaw."),
                                  QStringLiteral("Czy chcesz to zrobić teraz ?")))
        return false;
    QString sciezka = FZestaw.ZestawPath();
    if (sciezka.isEmpty()) {
        // The same save dialog as the window's "Zapisz zestaw".
        TDialogPliku d;
        d.Tytul = QStringLiteral("Zapisz zestaw");
        d.Filtr = QStringLiteral("Plik zestawu (*.zst)|*.zst");
        d.DomyslneRozszerzenie = QStringLiteral("zst");
        d.Folder = FKonfiguracja.ZestawyPath ? FKonfiguracja.ZestawyPath->GetPath() : QString();
        sciezka = FUzytkownik.WybierzDoZapisu(d);
        if (sciezka.isEmpty())
            return false;
    }
    try {
        FZestaw.Zapisz(sciezka);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    return true;
}

bool TStronaTytulowaDialogu::UtworzZSzablonu()
{
    const QFileInfo szablon(FSzablonProgramu);
    const QString nowy = szablon.absolutePath() + QLatin1Char('/') + szablon.completeBaseName() + QLatin1Char('_') +
                         QFileInfo(FZestaw.ZestawPath()).completeBaseName() + QLatin1Char('.') + szablon.suffix();
    if (QFileInfo::exists(nowy) &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Plik strony tytułowej zestawu istnieje \r\n(") +
                                      QFileInfo(nowy).fileName() + QStringLiteral(")."),
                                  QStringLiteral("Czy chcesz go nadpisać ?")))
        return false;
    try {
        KopiujPlik(FSzablonProgramu, nowy);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Błąd tworzenia pliku szablonu. (") + e.Komunikat() +
                                   QLatin1Char(')'));
        return false;
    }
    FUtworzony = nowy;
    return true;
}

TWyborStronyTytulowej TStronaTytulowaDialogu::Wynik() const
{
    TWyborStronyTytulowej w;
    w.Rodzaj = Rodzaj;
    if (Rodzaj == TWyborStronyTytulowej::PlikZDysku)
        w.Plik = Plik;
    else if (Rodzaj == TWyborStronyTytulowej::UtworzonyZSzablonu)
        w.Plik = FUtworzony;
    w.UstawJakoSzablon = CzyUstawJakoSzablonDostepny() && UstawJakoSzablon;
    w.OtworzUtworzony = CzyOtworzWidoczny() && OtworzUtworzony;
    return w;
}
