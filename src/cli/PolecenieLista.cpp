#include "cli/PolecenieLista.h"

#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "cli/ArgumentyPolecenia.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "prices/CenaJedn.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <QFileInfo>
#include <QJsonArray>

#include <optional>

namespace {

struct TArgumenty
{
    QString Plik;
    std::optional<QString> Znajdz;
    std::optional<TFindSpecyfikacjaFlags> Flagi;
};

TFindSpecyfikacjaFlags FlagiZTekstu(const QString& tekst)
{
    bool ok = false;
    const int wartosc = tekst.trimmed().toInt(&ok);
    if (!ok || wartosc < 0 || wartosc > 255)
        throw EBlad(
            QStringLiteral("Nieprawidłowa wartość opcji --flagi: \"%1\" (oczekiwana liczba od 0 do 255).").arg(tekst));
    return TFindSpecyfikacjaFlags::fromInt(wartosc);
}

TArgumenty CzytajArgumenty(const QStringList& argumenty)
{
    TArgumenty wynik;
    bool jestPlik = false;
    TArgumentyPolecenia a(argumenty, QStringLiteral("lista"));
    while (a.Nastepny()) {
        if (a.Jest("--znajdz")) {
            wynik.Znajdz = a.Wartosc();
        } else if (a.Jest("--flagi")) {
            wynik.Flagi = FlagiZTekstu(a.Wartosc());
        } else if (!jestPlik && !a.Biezacy().startsWith(QLatin1String("--"))) {
            wynik.Plik = a.Biezacy();
            jestPlik = true;
        } else {
            a.Nieznany();
        }
    }
    if (!jestPlik || wynik.Plik.trimmed().isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"lista\" wymaga ścieżki pliku listy specyfikacji (.sst)."));
    if (wynik.Flagi && !wynik.Znajdz)
        throw EBlad(QStringLiteral("Opcja --flagi wymaga opcji --znajdz."));
    return wynik;
}

QJsonArray JednostkiNaJson(const TSpecyfikacja& wezel)
{
    QJsonArray jednostki;
    for (int i = 0; i < wezel.JmCount(); ++i) {
        const TJmSpecyfikacji* jm = wezel.GetJm(i);
        jednostki.append(QJsonObject{{QStringLiteral("jm"), jm->Jm()},
                                     {QStringLiteral("opis"), jm->Opis()},
                                     {QStringLiteral("eksportuj"), jm->Eksportuj()},
                                     {QStringLiteral("cena"), jm->CenaJedn()->GetWartosc()}});
    }
    return jednostki;
}

QJsonValue TekstLubNull(const QString* tekst)
{
    return tekst ? QJsonValue(*tekst) : QJsonValue(QJsonValue::Null);
}

} // namespace

QJsonObject TPolecenieLista::WezelNaJson(const TSpecyfikacja& wezel)
{
    QJsonArray warianty;
    for (int i = 0; i < wezel.WariantyCount(); ++i) {
        const TWariantSpecyfikacji* w = wezel.GetWariant(i);
        warianty.append(QJsonObject{{QStringLiteral("numer"), w->Numer()},
                                    {QStringLiteral("opis"), w->Opis()},
                                    {QStringLiteral("plik"), w->GetEncodedPath()},
                                    {QStringLiteral("info"), w->Info()},
                                    {QStringLiteral("jednostki"), JednostkiNaJson(*w)}});
    }
    QJsonArray specyfikacje;
    for (int i = 0; i < wezel.Count(); ++i)
        specyfikacje.append(WezelNaJson(*wezel.GetSpecyfikacja(i)));
    return QJsonObject{{QStringLiteral("numer"), wezel.Numer()},
                       {QStringLiteral("opis"), wezel.Opis()},
                       {QStringLiteral("plik"), wezel.GetEncodedPath()},
                       {QStringLiteral("grupa"), wezel.CzyGrupa()},
                       {QStringLiteral("warunkiOgolne"), wezel.CzyWarunkiOgolne()},
                       {QStringLiteral("info"), wezel.Info()},
                       {QStringLiteral("warianty"), warianty},
                       {QStringLiteral("jednostki"), JednostkiNaJson(wezel)},
                       {QStringLiteral("specyfikacje"), specyfikacje}};
}

int TPolecenieLista::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    const TKonfiguracjaPolecenia konfiguracja;
    if (!QFileInfo(a.Plik).isFile())
        throw EBlad(QStringLiteral("Brak pliku listy specyfikacji: ") + a.Plik);
    TSpisST spis;
    spis.SetUstawieniaCen(TUstawieniaCen::ZKonfiguracji(konfiguracja.Konfiguracja()));
    spis.UstawKatalogUzytkownika(konfiguracja.KatalogUzytkownika());
    spis.Otworz(QFileInfo(a.Plik).absoluteFilePath());
    if (!a.Znajdz) {
        WypiszJson(wyjscie, WezelNaJson(spis));
        return KodSukces;
    }
    const TFindSpecyfikacjaFlags flagi =
        a.Flagi ? *a.Flagi : FlagiDopasowaniaPozycji(konfiguracja.Konfiguracja().CzyKorzystajZWariantow);
    TWariantSpecyfikacji* wariant = nullptr;
    bool czyPelne = false;
    const TSpecyfikacja* znaleziona = spis.FindSpecyfikacja(*a.Znajdz, wariant, flagi, czyPelne);
    WypiszJson(wyjscie,
               QJsonObject{{QStringLiteral("specyfikacja"), TekstLubNull(znaleziona ? &znaleziona->Numer() : nullptr)},
                           {QStringLiteral("wariant"), TekstLubNull(wariant ? &wariant->Numer() : nullptr)},
                           {QStringLiteral("pelneDopasowanie"), czyPelne}});
    return KodSukces;
}

TPomocPolecenia TPolecenieLista::Pomoc() const
{
    return {QStringLiteral("lista specyfikacji z pliku .sst jako JSON, wyszukiwanie numeru"),
            {QStringLiteral("LISTA.sst"), QStringLiteral("LISTA.sst --znajdz NUMER [--flagi N]")},
            QStringLiteral(
                "Wypisuje listę specyfikacji technicznych jako JSON: korzeń, a pod nim wszystkie węzły w kolejności "
                "drzewa. Z opcją --znajdz wypisuje specyfikację, którą program dopasowałby do podanego numeru."),
            {
                {QStringLiteral("--znajdz NUMER"),
                 QStringLiteral("wyszukuje specyfikację dla numeru tak jak dopasowanie pozycji kosztorysu")},
                {QStringLiteral("--flagi N"),
                 QStringLiteral("bajt flag wyszukiwania (liczba od 0 do 255); wymaga --znajdz")},
            }};
}
