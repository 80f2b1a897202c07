#include "cli/PolecenieArchiwizuj.h"

#include "cli/ArgumentyPolecenia.h"

#include "app/Wyjatki.h"
#include "archive/ZestawArchiwizator.h"
#include "cli/Cli.h"
#include "cli/KonfiguracjaPolecenia.h"

#include <QFileInfo>

namespace {

struct TArgumenty
{
    QString Plik;
    QString Archiwum;
    QString KatalogUzytkownika;
};

TArgumenty CzytajArgumenty(const QStringList& argumenty)
{
    TArgumenty wynik;
    QStringList pliki;
    TArgumentyPolecenia a(argumenty, QStringLiteral("archiwizuj"));
    while (a.Nastepny()) {
        if (a.Jest("-o"))
            wynik.Archiwum = a.Sciezka();
        else if (a.Jest("--katalog-uzytkownika"))
            wynik.KatalogUzytkownika = a.Sciezka();
        else if (a.CzyOpcja())
            a.Nieznany();
        else
            pliki << a.Biezacy();
    }
    if (pliki.size() != 1 || wynik.Archiwum.isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"archiwizuj\" wymaga pliku zestawu (.zst) lub spisu specyfikacji "
                                   "(.sst) i opcji -o ARCHIWUM."));
    wynik.Plik = QFileInfo(pliki.first()).absoluteFilePath();
    return wynik;
}

void WypiszBraki(const TListyBrakow& listy, const QString& naglowek, QTextStream& wyjscie)
{
    if (listy.empty())
        return;
    wyjscie << naglowek << '\n';
    for (const auto& lista : listy) {
        wyjscie << lista->NazwaListy() << '\n';
        for (int i = 0; i < lista->Count(); ++i)
            wyjscie << "  " << lista->Get(i) << '\n';
    }
}

} // namespace

int TPolecenieArchiwizuj::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    const QString rozszerzenie = QFileInfo(a.Plik).suffix().toLower();
    if (rozszerzenie != QLatin1String("zst") && rozszerzenie != QLatin1String("sst"))
        throw EBlad(QStringLiteral("Polecenie \"archiwizuj\" wymaga pliku zestawu (.zst) lub spisu specyfikacji "
                                   "(.sst): %1")
                        .arg(a.Plik));
    if (!QFileInfo(a.Plik).isFile())
        throw EBlad(QStringLiteral("Plik nie istnieje: ") + a.Plik);
    const TKonfiguracjaPolecenia konfiguracja(a.KatalogUzytkownika);
    TOpcjeEkstrakcjiArchiwum opcje = TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(konfiguracja.Konfiguracja());
    opcje.KatalogUzytkownika = konfiguracja.KatalogUzytkownika();
    TZestawArchiwizator archiwizator(opcje);
    if (rozszerzenie == QLatin1String("zst")) {
        WypiszBraki(archiwizator.GetListyBrakow(a.Plik),
                    QStringLiteral("W bieżącym zestawie brakuje następujących, powiązanych plików:"), wyjscie);
        archiwizator.StworzArchiwumZestawu(a.Plik, a.Archiwum);
    } else {
        WypiszBraki(archiwizator.GetListaBrakowSst(a.Plik),
                    QStringLiteral("W bieżącym spisie specyfikacji brakuje następujących, powiązanych plików:"),
                    wyjscie);
        archiwizator.StworzArchiwumSpisuSt(a.Plik, a.Archiwum);
    }
    wyjscie << "Pomyślnie utworzono archiwum\n" << a.Archiwum << '\n';
    return KodSukces;
}

TPomocPolecenia TPolecenieArchiwizuj::Pomoc() const
{
    return {QStringLiteral("archiwum zestawu (.zst → .azst) lub spisu specyfikacji (.sst → .alst)"),
            {QStringLiteral("ZESTAW.zst -o ARCHIWUM.azst [--katalog-uzytkownika KATALOG]"),
             QStringLiteral("LISTA.sst -o ARCHIWUM.alst [--katalog-uzytkownika KATALOG]")},
            QStringLiteral("Wypisuje listy brakujących plików powiązanych z zestawem lub spisem (każda pod swoją "
                           "nazwą), a następnie pakuje zestaw lub spis razem z jego plikami do archiwum."),
            {
                {QStringLiteral("-o ARCHIWUM"), QStringLiteral("plik archiwum do utworzenia")},
                {QStringLiteral("--katalog-uzytkownika KATALOG"),
                 QStringLiteral("folder użytkownika, za który w zapisanych ścieżkach stoi „%USERPATH%”, tylko w tym "
                                "uruchomieniu (domyślnie folder z konfiguracji)")},
            }};
}
