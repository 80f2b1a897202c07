#include "cli/PoleceniePorzadkuj.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "cli/ArgumentyPolecenia.h"
#include "cli/Cli.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "prices/UstawieniaCen.h"
#include "specs/SpisST.h"
#include "workflow/PorzadkowanieDialogu.h"
#include "workflow/PorzadkowanieSpisu.h"

#include <QFileInfo>

namespace {

struct TArgumenty
{
    QString Lista;
    QString Nowa;
    TOpcjePorzadkowania Opcje;
    bool Proba = false;
    QString KatalogUzytkownika;
};

TArgumenty CzytajArgumenty(const QStringList& argumenty)
{
    TArgumenty wynik;
    QStringList pliki;
    TArgumentyPolecenia a(argumenty, QStringLiteral("porzadkuj"));
    while (a.Nastepny()) {
        if (a.Jest("-d")) {
            wynik.Opcje.FolderDocelowy = a.Sciezka();
        } else if (a.Jest("--struktura")) {
            wynik.Opcje.Struktura = a.Struktura();
        } else if (a.Jest("--nadpisuj")) {
            wynik.Opcje.Nadpisuj = true;
        } else if (a.Jest("--aktualizuj")) {
            wynik.Opcje.Aktualizuj = true;
        } else if (a.Jest("-o")) {
            wynik.Nowa = a.Sciezka();
        } else if (a.Jest("--proba")) {
            wynik.Proba = true;
        } else if (a.Jest("--katalog-uzytkownika")) {
            wynik.KatalogUzytkownika = a.Sciezka();
        } else if (a.CzyOpcja()) {
            a.Nieznany();
        } else {
            pliki << a.Biezacy();
        }
    }
    if (pliki.size() != 1 || pliki.first().trimmed().isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"porzadkuj\" wymaga pliku listy specyfikacji (.sst)."));
    if (wynik.Opcje.FolderDocelowy.isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać folder docelowy."));
    if (!wynik.Nowa.isEmpty() && !wynik.Opcje.Aktualizuj)
        throw EBlad(QStringLiteral("Opcja -o wymaga opcji --aktualizuj."));
    wynik.Lista = QFileInfo(pliki.first()).absoluteFilePath();
    return wynik;
}

} // namespace

int TPoleceniePorzadkuj::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    if (!QFileInfo(a.Lista).isFile())
        throw EBlad(QStringLiteral("Brak pliku listy specyfikacji: ") + a.Lista);
    const TKonfiguracjaPolecenia konfiguracja(a.KatalogUzytkownika);
    TSpisST spis;
    spis.UstawKatalogUzytkownika(konfiguracja.KatalogUzytkownika());
    spis.SetUstawieniaCen(TUstawieniaCen::ZKonfiguracji(konfiguracja.Konfiguracja()));
    spis.Otworz(a.Lista);

    TPorzadkowanieSpisu porzadkowanie(spis, a.Opcje);
    const int plikow = porzadkowanie.Zaplanuj();
    if (a.Proba) {
        for (const TPorzadkowanieSpisu::TKrok& k : porzadkowanie.Plan())
            for (const TPorzadkowanieSpisu::TPlik& p : k.Pliki)
                wyjscie << p.Zrodlo << " -> " << p.Cel << '\n';
        wyjscie << "Plików do skopiowania: " << plikow << '\n';
        return KodSukces;
    }
    TPorzadkowanieLogger raport(TPorzadkowanieDialogu::PlikRaportu(konfiguracja.KatalogUzytkownika()),
                                NazwaPlikuBezRozszerzenia(a.Lista));
    const bool bezBledow = porzadkowanie.Kopiuj(
        raport, [] { return false; }, [] {});
    for (const QString& linia : raport.Linie())
        wyjscie << linia << '\n';
    wyjscie << "Skopiowano plików: " << porzadkowanie.Skopiowane().size() << '\n';
    if (a.Opcje.Aktualizuj) {
        for (const auto& [wezel, cel] : porzadkowanie.Skopiowane())
            wezel->SetPlik(cel);
        spis.Zapisz(a.Nowa.isEmpty() ? a.Lista : QFileInfo(a.Nowa).absoluteFilePath());
    }
    if (!bezBledow) {
        bledy << "Błąd kopiowania\n";
        return KodBlad;
    }
    return KodSukces;
}

TPomocPolecenia TPoleceniePorzadkuj::Pomoc() const
{
    return {
        QStringLiteral("porządkowanie dokumentów listy specyfikacji w folderach"),
        {QStringLiteral("LISTA.sst -d FOLDER [--struktura 0|1|2] [--nadpisuj] [--aktualizuj [-o NOWA.sst]] [--proba] "
                        "[--katalog-uzytkownika KATALOG]")},
        QStringLiteral("Kopiuje dokumenty specyfikacji z listy do folderu w wybranej strukturze, jak porządkowanie w "
                       "oknie; wypisuje wiersze raportu i zapisuje plik raportu w folderze użytkownika."),
        {
            {QStringLiteral("-d FOLDER"), QStringLiteral("folder docelowy")},
            {QStringLiteral("--struktura 0|1|2"),
             QStringLiteral("struktura folderów specyfikacji: 0 – drzewo numerów, 1 – numery z opisami, 2 – płaska")},
            {QStringLiteral("--nadpisuj"), QStringLiteral("zastępuje pliki istniejące w folderze docelowym")},
            {QStringLiteral("--aktualizuj"), QStringLiteral("wskazuje w liście skopiowane dokumenty i zapisuje listę")},
            {QStringLiteral("-o NOWA.sst"),
             QStringLiteral("z --aktualizuj zapisuje zmienioną listę do nowego pliku zamiast do źródłowego")},
            {QStringLiteral("--proba"),
             QStringLiteral("tylko wypisuje, co zostałoby skopiowane, niczego nie kopiując")},
            {QStringLiteral("--katalog-uzytkownika KATALOG"),
             QStringLiteral("folder użytkownika, za który w zapisanych ścieżkach stoi „%USERPATH%”, tylko w tym "
                            "uruchomieniu (domyślnie folder z konfiguracji)")},
        }};
}
