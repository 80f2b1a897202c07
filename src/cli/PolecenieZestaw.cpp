#include "cli/PolecenieZestaw.h"

#include "app/Wyjatki.h"
#include "cli/ArgumentyPolecenia.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "cli/UzytkownikPolecenia.h"
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "estimates/PozycjaRds.h"
#include "workflow/WidokBezOkna.h"
#include "workflow/ZestawController.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawJson.h"
#include "zestaw/ZestawST.h"

#include <optional>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

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
    QStringList Przypisz;
    QString Stc;
    std::optional<int> Zakres;
};

int ZakresZNazwy(const QString& nazwa)
{
    const QStringList nazwy{QStringLiteral("pozycja"), QStringLiteral("element"), QStringLiteral("kosztorys"),
                            QStringLiteral("wszystkie")};
    const int i = static_cast<int>(nazwy.indexOf(nazwa));
    if (i < 0)
        throw EBlad(QStringLiteral("Opcja --zakres przyjmuje wartość pozycja, element, kosztorys lub wszystkie."));
    return i;
}

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
        else if (a.Jest("--stc"))
            wynik.Stc = a.Sciezka();
        else if (a.Jest("--przypisz"))
            wynik.Przypisz << a.Wartosc();
        else if (a.Jest("--zakres"))
            wynik.Zakres = ZakresZNazwy(a.Wartosc());
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
    if (wynik.Zakres && wynik.Przypisz.isEmpty())
        throw EBlad(QStringLiteral("Opcja --zakres wymaga opcji --przypisz."));
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

// "K:ID=NUMER": the K-th estimate of the set (from 1), its position of that id, the number as typed.
void Przypisz(TZestawController& kontroler, const QString& przypisanie, std::optional<int> zakres)
{
    const QString blad = QStringLiteral("Nieprawidłowe przypisanie \"%1\": oczekiwano K:ID=NUMER.").arg(przypisanie);
    const int dwukropek = static_cast<int>(przypisanie.indexOf(QLatin1Char(':')));
    const int rowne = static_cast<int>(przypisanie.indexOf(QLatin1Char('='), dwukropek + 1));
    if (dwukropek <= 0 || rowne <= dwukropek + 1)
        throw EBlad(blad);
    bool ok = false;
    const int k = przypisanie.left(dwukropek).toInt(&ok);
    if (!ok)
        throw EBlad(blad);
    TZestawST& zestaw = kontroler.Zestaw();
    if (k < 1 || k > zestaw.KosztorysyCount())
        throw EBlad(QStringLiteral("Zestaw nie ma kosztorysu numer %1.").arg(k));
    const QString id = przypisanie.mid(dwukropek + 1, rowne - dwukropek - 1);
    TPozycjaRds* pozycja =
        zestaw.GetKosztorys(k - 1)->ZnajdzPozycje([&](const TPozycjaRds& p) { return p.Id() == id; });
    if (!pozycja)
        throw EBlad(QStringLiteral("Kosztorys numer %1 nie ma pozycji o identyfikatorze %2.").arg(k).arg(id));
    // The element that holds the position is the one shown, as when the user edits it in the grid.
    kontroler.WyswietlPozycje(pozycja->Parent);
    kontroler.ZmienNumerPozycji(pozycja, przypisanie.mid(rowne + 1), zakres.value_or(0));
}

} // namespace

int TPolecenieZestaw::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    const TKonfiguracjaPolecenia konfiguracja(a.KatalogUzytkownika);
    TWidokBezOkna widok;
    TUzytkownikPolecenia uzytkownik(bledy);
    TZestawController kontroler(konfiguracja.KonfiguracjaKontrolera(), widok, uzytkownik);
    kontroler.UstawUstawienia(konfiguracja.UstawieniaKosztorysu(a.Warianty));
    TZestawST& zestaw = kontroler.Zestaw();
    if (!a.Utworz.isEmpty()) {
        Utworz(zestaw, a);
    } else {
        const QString plik = QFileInfo(a.Plik).absoluteFilePath();
        if (!QFileInfo(plik).isFile())
            throw EBlad(QStringLiteral("Podany plik zestawu nie istnieje"));
        kontroler.OtworzZestaw(plik);
        // The failure was shown already; the set left empty is no result.
        if (zestaw.ZestawPath().isEmpty())
            return KodBlad;
    }
    QStringList listyStc;
    if (!a.Stc.isEmpty()) {
        if (!QFileInfo(a.Stc).isFile())
            throw EBlad(QStringLiteral("Podany plik STC nie istnieje: ") + a.Stc);
        listyStc = kontroler.ImportujSTC(a.Stc);
    }
    for (const QString& p : a.Przypisz)
        Przypisz(kontroler, p, a.Zakres);
    kontroler.ZaktualizujDopasowanieSpecyfikacji();
    const QString zapis = a.Utworz.isEmpty() ? a.Zapisz : a.Utworz;
    if (!zapis.isEmpty())
        zestaw.Zapisz(QFileInfo(zapis).absoluteFilePath());
    QJsonObject json = ZestawNaJson(zestaw);
    if (!a.Stc.isEmpty())
        json.insert(QStringLiteral("listyStc"), QJsonArray::fromStringList(listyStc));
    WypiszJson(wyjscie, json);
    return KodSukces;
}

TPomocPolecenia TPolecenieZestaw::Pomoc() const
{
    return {
        QStringLiteral("zestaw z dopasowanym zbiorem specyfikacji (JSON), tworzenie i zmiany zestawu"),
        {QStringLiteral(
             "ZESTAW.zst [--zapisz NOWY.zst] [--przypisz K:ID=NUMER [--zakres pozycja|element|kosztorys|wszystkie]]... "
             "[--stc RYSUNEK.stc] [--warianty] [--katalog-uzytkownika KATALOG]"),
         QStringLiteral("--utworz NOWY.zst --lista LISTA.sst KOSZTORYS... [--wlasna ST]... [--warianty] "
                        "[--katalog-uzytkownika KATALOG]")},
        QStringLiteral(
            "Otwiera zestaw razem z jego listą specyfikacji, dopasowuje pozycje kosztorysów do listy i wypisuje zestaw "
            "ze zbiorem specyfikacji jako JSON; na życzenie zapisuje go ponownie. Z opcją --utworz tworzy nowy zestaw "
            "z podanych kosztorysów, powiązany z listą, dopasowuje go, zapisuje i wypisuje."),
        {
            {QStringLiteral("--zapisz NOWY.zst"),
             QStringLiteral("zapisuje otwarty zestaw do pliku NOWY.zst; nie łączy się z --utworz")},
            {QStringLiteral("--utworz NOWY.zst"),
             QStringLiteral("tworzy nowy zestaw z kosztorysów podanych jako argumenty")},
            {QStringLiteral("--lista LISTA.sst"), QStringLiteral("lista specyfikacji nowego zestawu; wymaga --utworz")},
            {QStringLiteral("--wlasna ST"),
             QStringLiteral("własna specyfikacja nowego zestawu; opcję można powtarzać; wymaga --utworz")},
            {QStringLiteral("--przypisz K:ID=NUMER"),
             QStringLiteral("nadaje pozycji o identyfikatorze ID w kosztorysie numer K (liczonym od 1) numer "
                            "specyfikacji NUMER, jak zmiana numeru w oknie; opcję można powtarzać")},
            {QStringLiteral("--zakres pozycja|element|kosztorys|wszystkie"),
             QStringLiteral("zasięg zmiany numeru: sama pozycja, jej element, kosztorys lub wszystkie kosztorysy; "
                            "wymaga --przypisz")},
            {QStringLiteral("--stc RYSUNEK.stc"),
             QStringLiteral("importuje specyfikacje z pliku STC i dopisuje do wyniku użyte listy")},
            {QStringLiteral("--warianty"), QStringLiteral("warianty specyfikacji w użyciu w tym uruchomieniu")},
            {QStringLiteral("--katalog-uzytkownika KATALOG"),
             QStringLiteral("folder użytkownika, za który w zapisanych ścieżkach stoi „%USERPATH%”, tylko w tym "
                            "uruchomieniu (domyślnie folder z konfiguracji)")},
        }};
}
