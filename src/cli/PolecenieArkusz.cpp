#include "cli/PolecenieArkusz.h"

#include "app/Wyjatki.h"
#include "cli/ArgumentyPolecenia.h"
#include "cli/Cli.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "cli/UzytkownikPolecenia.h"
#include "specs/KonfiguracjaZestawu.h"
#include "workflow/WidokBezOkna.h"
#include "workflow/ZestawController.h"
#include "xls/EksportElementuXlsOpt.h"
#include "xls/EksportXlsController.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>

namespace {

struct TArgumenty
{
    QString Zestaw;
    QString Wynik;
    bool Warianty = false;
    QString KatalogUzytkownika;
};

TArgumenty CzytajArgumenty(const QStringList& argumenty)
{
    TArgumenty wynik;
    QStringList pliki;
    TArgumentyPolecenia a(argumenty, QStringLiteral("arkusz"));
    while (a.Nastepny()) {
        if (a.Jest("-o"))
            wynik.Wynik = a.Sciezka();
        else if (a.Jest("--warianty"))
            wynik.Warianty = true;
        else if (a.Jest("--katalog-uzytkownika"))
            wynik.KatalogUzytkownika = a.Sciezka();
        else if (a.CzyOpcja())
            a.Nieznany();
        else
            pliki << a.Biezacy();
    }
    if (pliki.size() != 1 || pliki.first().trimmed().isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"arkusz\" wymaga pliku zestawu (.zst)."));
    if (wynik.Wynik.trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę podać plik wynikowy (-o WYNIK.xls lub WYNIK.xlsx)."));
    wynik.Zestaw = QFileInfo(pliki.first()).absoluteFilePath();
    wynik.Wynik = QFileInfo(wynik.Wynik).absoluteFilePath();
    return wynik;
}

} // namespace

int TPolecenieArkusz::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    if (!QFileInfo(a.Zestaw).isFile())
        throw EBlad(QStringLiteral("Podany plik zestawu nie istnieje"));
    const TKonfiguracjaPolecenia konfiguracja(a.KatalogUzytkownika);
    TWidokBezOkna widok;
    TUzytkownikPolecenia uzytkownik(bledy);
    TZestawController kontroler(konfiguracja.KonfiguracjaKontrolera(), widok, uzytkownik);
    kontroler.UstawUstawienia(konfiguracja.UstawieniaKosztorysu(a.Warianty));
    kontroler.OtworzZestaw(a.Zestaw);
    TZestawST& zestaw = kontroler.Zestaw();
    if (zestaw.ZestawPath().isEmpty())
        return KodBlad;
    kontroler.ZaktualizujDopasowanieSpecyfikacji();

    std::vector<TKosztorys*> kosztorysy;
    for (int i = 0; i < zestaw.KosztorysyCount(); ++i)
        kosztorysy.push_back(zestaw.GetKosztorys(i));
    TEksportXlsController eksport(std::move(kosztorysy));
    eksport.GetOpcjeEksportu().Wczytaj(*zestaw.GetKonfiguracja());
    eksport.GetOpcjeEksportu().HasloOchrony.clear(); // never stored, so a protected sheet gets no password

    const int maksimum = std::max(1, eksport.PobierzMaxProgres());
    int wykonane = 0, pokazane = -1;
    eksport.UstawObslugePostepu([&] {
        const int procent = static_cast<int>(qint64(++wykonane) * 100 / maksimum);
        if (procent / 10 != pokazane / 10) {
            pokazane = procent;
            bledy << "Postęp: " << procent << "%\n";
            bledy.flush();
        }
    });
    const QFileInfo cel(a.Wynik);
    const TWynikEksportuXls wynik = eksport.Eksportuj(cel.fileName(), cel.absolutePath());
    for (const QString& ostrzezenie : wynik.Ostrzezenia)
        bledy << ostrzezenie << '\n';
    wyjscie << wynik.Plik << '\n';
    return KodSukces;
}

TPomocPolecenia TPolecenieArkusz::Pomoc() const
{
    return {QStringLiteral("eksport kosztorysów zestawu do arkusza (.xls, .xlsx)"),
            {QStringLiteral("ZESTAW.zst -o WYNIK.xls|.xlsx [--warianty] [--katalog-uzytkownika KATALOG]")},
            QStringLiteral("Eksportuje kosztorysy zestawu do skoroszytu z opcjami zapisanymi w zestawie (domyślnymi, "
                           "gdy zestaw ich nie ma); rozszerzenie pliku wynikowego wybiera format. Postęp trafia na "
                           "standardowe wyjście błędów, ścieżka zapisanego pliku na standardowe wyjście."),
            {
                {QStringLiteral("-o WYNIK"), QStringLiteral("plik wynikowy .xls lub .xlsx")},
                {QStringLiteral("--warianty"), QStringLiteral("warianty specyfikacji w użyciu w tym uruchomieniu")},
                {QStringLiteral("--katalog-uzytkownika KATALOG"),
                 QStringLiteral("folder użytkownika, za który w zapisanych ścieżkach stoi „%USERPATH%”, tylko w tym "
                                "uruchomieniu (domyślnie folder z konfiguracji)")},
            }};
}
