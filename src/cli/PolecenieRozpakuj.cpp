#include "cli/PolecenieRozpakuj.h"

#include "cli/ArgumentyPolecenia.h"

#include "app/Wyjatki.h"
#include "archive/ZestawArchiwizator.h"
#include "cli/Cli.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "specs/StrukturaSst.h"

#include <QFileInfo>

#include <optional>

namespace {

struct TArgumenty
{
    QString Archiwum;
    QString Folder;
    std::optional<int> Struktura;
    bool Nadpisuj = false;
    QString KatalogUzytkownika;
};

TArgumenty CzytajArgumenty(const QStringList& argumenty)
{
    TArgumenty wynik;
    QStringList pliki;
    TArgumentyPolecenia a(argumenty, QStringLiteral("rozpakuj"));
    while (a.Nastepny()) {
        if (a.Jest("-d")) {
            wynik.Folder = a.Sciezka();
        } else if (a.Jest("--struktura")) {
            wynik.Struktura = a.Struktura();
        } else if (a.Jest("--nadpisuj")) {
            wynik.Nadpisuj = true;
        } else if (a.Jest("--katalog-uzytkownika")) {
            wynik.KatalogUzytkownika = a.Sciezka();
        } else if (a.CzyOpcja()) {
            a.Nieznany();
        } else {
            pliki << a.Biezacy();
        }
    }
    if (pliki.size() != 1 || pliki.first().trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać plik archiwum."));
    if (wynik.Folder.isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać folder docelowy."));
    wynik.Archiwum = QFileInfo(pliki.first()).absoluteFilePath();
    return wynik;
}

} // namespace

int TPolecenieRozpakuj::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    const QString rozszerzenie = QFileInfo(a.Archiwum).suffix().toLower();
    if (rozszerzenie != QLatin1String("azst") && rozszerzenie != QLatin1String("alst"))
        throw EBlad(QStringLiteral("Polecenie \"rozpakuj\" wymaga archiwum zestawu (.azst) lub spisu specyfikacji "
                                   "(.alst): %1")
                        .arg(a.Archiwum));
    if (!QFileInfo(a.Archiwum).isFile())
        throw EBlad(QStringLiteral("Proszę wskazać plik archiwum."));

    // As in the extraction dialog: the folder's marker preselects the structure; a different choice
    // would need the user's consent, which a command cannot ask for.
    const TZnacznikStruktury znacznik = CzytajStruktureSst(a.Folder + QStringLiteral("/Specyfikacje Techniczne"));
    const int struktura = a.Struktura.value_or(znacznik.Struktura.value_or(0));
    if (znacznik.Znaleziony && (!znacznik.Struktura || *znacznik.Struktura != struktura))
        throw EBlad(QStringLiteral("W wybranym folderze docelowym istnieje już struktura plików i folderów "
                                   "specyfikacji, która jest inna od wybranej. Rozpakowanie przerwano."));

    const TKonfiguracjaPolecenia konfiguracja(a.KatalogUzytkownika);
    // The dialog's defaults, then what the command line chose in its place.
    TOpcjeEkstrakcjiArchiwum opcje = TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(konfiguracja.Konfiguracja());
    opcje.SetFolderDocelowy(a.Folder);
    opcje.KatalogUzytkownika = konfiguracja.KatalogUzytkownika();
    opcje.CzyNadpisuj = a.Nadpisuj;
    opcje.StrukturaFolderow = struktura;
    TZestawArchiwizator archiwizator(opcje);
    QString rozpakowany;
    if (rozszerzenie == QLatin1String("azst"))
        archiwizator.RozpakujArchiwumZestawu(a.Archiwum, rozpakowany);
    else
        archiwizator.RozpakujArchiwumSpisuSt(a.Archiwum, rozpakowany);
    wyjscie << rozpakowany << '\n';
    return KodSukces;
}

TPomocPolecenia TPolecenieRozpakuj::Pomoc() const
{
    return {
        QStringLiteral("rozpakowanie archiwum .azst lub .alst"),
        {QStringLiteral("ARCHIWUM -d FOLDER [--struktura 0|1|2] [--nadpisuj] [--katalog-uzytkownika KATALOG]")},
        QStringLiteral("Rozpakowuje archiwum zestawu (.azst) lub spisu specyfikacji (.alst) do folderu i wypisuje "
                       "ścieżkę rozpakowanego pliku. Bez opcji --struktura zostaje struktura zapisana w folderze "
                       "docelowym (0, gdy jej nie ma); wybór innej struktury niż zapisana jest odrzucany."),
        {
            {QStringLiteral("-d FOLDER"), QStringLiteral("folder docelowy")},
            {QStringLiteral("--struktura 0|1|2"),
             QStringLiteral("struktura folderów specyfikacji: 0 – drzewo numerów, 1 – numery z opisami, 2 – płaska")},
            {QStringLiteral("--nadpisuj"), QStringLiteral("zastępuje pliki istniejące w folderze docelowym")},
            {QStringLiteral("--katalog-uzytkownika KATALOG"),
             QStringLiteral("folder użytkownika, za który w zapisanych ścieżkach stoi „%USERPATH%”, tylko w tym "
                            "uruchomieniu (domyślnie folder z konfiguracji)")},
        }};
}
