#include "cli/PolecenieZestaw.h"

#include "app/Wyjatki.h"
#include "cli/ArgumentyPolecenia.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "estimates/KosztorysFactory.h"
#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawJson.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>

namespace {

struct TArgumenty
{
    QString Plik;
    QString Zapisz;
    QString Utworz;
    QString Lista;
    QStringList Kosztorysy;
    QStringList Wlasne;
    QString KatalogUzytkownika;
    bool Warianty = false;
};

TArgumenty CzytajArgumenty(const QStringList& argumenty)
{
    TArgumenty wynik;
    QStringList pliki;
    TArgumentyPolecenia a(argumenty, QStringLiteral("zestaw"));
    while (a.Nastepny()) {
        if (a.Jest("--zapisz"))
            wynik.Zapisz = a.Wartosc();
        else if (a.Jest("--utworz"))
            wynik.Utworz = a.Wartosc();
        else if (a.Jest("--lista"))
            wynik.Lista = a.Wartosc();
        else if (a.Jest("--wlasna"))
            wynik.Wlasne << a.Wartosc();
        else if (a.Jest("--katalog-uzytkownika"))
            wynik.KatalogUzytkownika = a.Sciezka();
        else if (a.Jest("--warianty"))
            wynik.Warianty = true;
        else if (a.CzyOpcja())
            a.Nieznany();
        else
            pliki << a.Biezacy();
    }
    if (!wynik.Utworz.isEmpty()) {
        if (!wynik.Zapisz.isEmpty())
            throw EBlad(QStringLiteral("Opcji --zapisz nie łączy się z opcją --utworz."));
        wynik.Kosztorysy = pliki;
        return wynik;
    }
    if (!wynik.Lista.isEmpty() || !wynik.Wlasne.isEmpty())
        throw EBlad(QStringLiteral("Opcje --lista i --wlasna wymagają opcji --utworz."));
    if (pliki.size() != 1 || pliki.first().trimmed().isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"zestaw\" wymaga ścieżki pliku zestawu (.zst)."));
    wynik.Plik = pliki.first();
    return wynik;
}

void Utworz(TZestawST& zestaw, const TArgumenty& a)
{
    if (!a.Lista.isEmpty()) {
        const QString lista = QFileInfo(a.Lista).absoluteFilePath();
        if (!QFileInfo(lista).isFile())
            throw EBlad(QStringLiteral("Brak pliku listy specyfikacji: ") + a.Lista);
        zestaw.SpisSpecyfikacji()->Otworz(lista);
    }
    for (const QString& plik : a.Kosztorysy) {
        const QString sciezka = QFileInfo(plik).absoluteFilePath();
        std::unique_ptr<TKosztorys> k = TKosztorysFactory::GetKosztorys(sciezka, true, zestaw.Ustawienia());
        if (!k)
            throw EBlad(QStringLiteral("Nieobsługiwany format pliku kosztorysu: %1").arg(plik));
        if (k->Tytul().trimmed().isEmpty())
            k->SetTytul(QFileInfo(sciezka).completeBaseName());
        zestaw.AddKosztorys(std::move(k));
    }
    for (const QString& st : a.Wlasne)
        zestaw.GetZbiorST()->Add(st);
}

} // namespace

int TPolecenieZestaw::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    const TKonfiguracjaPolecenia konfiguracja(a.KatalogUzytkownika);
    TZestawST zestaw(konfiguracja.UstawieniaKosztorysu(a.Warianty));
    if (!a.Utworz.isEmpty())
        Utworz(zestaw, a);
    else
        zestaw.Otworz(QFileInfo(a.Plik).absoluteFilePath());
    DopasujSpecyfikacje(zestaw);
    const QString zapis = a.Utworz.isEmpty() ? a.Zapisz : a.Utworz;
    if (!zapis.isEmpty())
        zestaw.Zapisz(QFileInfo(zapis).absoluteFilePath());
    WypiszJson(wyjscie, ZestawNaJson(zestaw));
    return KodSukces;
}
