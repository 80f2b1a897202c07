#include "cli/PolecenieGeneruj.h"

#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "cli/ArgumentyPolecenia.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "cli/UzytkownikPolecenia.h"
#include "docs/GenerowanieDokumentu.h"
#include "docs/ZbiorEksporter.h"
#include "docs/libreoffice/SilnikLibreOffice.h"
#include "specs/KonfiguracjaZestawu.h"
#include "workflow/WidokBezOkna.h"
#include "workflow/ZestawController.h"
#include "zestaw/ZestawST.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <thread>

namespace {

struct TArgumenty
{
    QString Plik;
    QString Wynik;
    QString Rodzaj;
    QString KatalogUzytkownika;
    bool Warianty = false;
    bool BezStronyTytulowej = false;
    bool SpisTresci = false;
};

TArgumenty CzytajArgumenty(const QStringList& argumenty)
{
    TArgumenty wynik;
    QStringList pliki;
    TArgumentyPolecenia a(argumenty, QStringLiteral("generuj"));
    while (a.Nastepny()) {
        if (a.Jest("-o"))
            wynik.Wynik = a.Sciezka();
        else if (a.Jest("--rodzaj"))
            wynik.Rodzaj = a.Wartosc().toLower();
        else if (a.Jest("--katalog-uzytkownika"))
            wynik.KatalogUzytkownika = a.Sciezka();
        else if (a.Jest("--warianty"))
            wynik.Warianty = true;
        else if (a.Jest("--bez-strony-tytulowej"))
            wynik.BezStronyTytulowej = true;
        else if (a.Jest("--spis-tresci"))
            wynik.SpisTresci = true;
        else if (a.CzyOpcja())
            a.Nieznany();
        else
            pliki << a.Biezacy();
    }
    if (pliki.size() != 1 || wynik.Wynik.isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"generuj\" wymaga pliku zestawu (.zst) i opcji -o WYNIK "
                                   "(.doc, .docx, .odt lub .pdf)."));
    if (!wynik.Rodzaj.isEmpty() && wynik.Rodzaj != QLatin1String("word") && wynik.Rodzaj != QLatin1String("odt"))
        throw EBlad(QStringLiteral("Opcja --rodzaj przyjmuje wartość word lub odt."));
    const QString rozszerzenie = QFileInfo(wynik.Wynik).suffix().toLower();
    if (!QStringList{"doc", "docx", "odt", "pdf"}.contains(rozszerzenie))
        throw EBlad(QStringLiteral("Nieobsługiwany format pliku wynikowego (dozwolone: .doc, .docx, .odt, .pdf): ") +
                    wynik.Wynik);
    wynik.Plik = QFileInfo(pliki.first()).absoluteFilePath();
    wynik.Wynik = QFileInfo(wynik.Wynik).absoluteFilePath();
    return wynik;
}

// The tool cannot ask: it goes on (leaving out what the question names) and says so.
class TPytaniaCli : public IPytaniaEksportu
{
public:
    explicit TPytaniaCli(QTextStream& bledy) : FBledy(bledy) {}
    bool Pytanie(const QString& tresc) override
    {
        FBledy << "Uwaga: " << tresc << " [Tak]\n";
        FBledy.flush();
        return true;
    }

private:
    QTextStream& FBledy;
};

// The office's start on a thread of its own, waited for before the office is used and on every way out.
class TStartWTle
{
public:
    explicit TStartWTle(TSilnikLibreOffice* silnik)
    {
        if (silnik)
            FWatek = std::thread([silnik] {
                try {
                    silnik->Uruchom();
                } catch (...) {
                }
            });
    }
    ~TStartWTle() { Czekaj(); }
    TStartWTle(const TStartWTle&) = delete;
    TStartWTle& operator=(const TStartWTle&) = delete;

    void Czekaj()
    {
        if (FWatek.joinable())
            FWatek.join();
    }

private:
    std::thread FWatek;
};

} // namespace

int TPolecenieGeneruj::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    // An office of our own starts while the set is read and matched; the merge waits for it only if it is
    // not ready by then. A start that fails is tried again, and reported, by the merge.
    std::unique_ptr<TSilnikLibreOffice> wlasny;
    ISilnikDokumentow* silnik = FSilnik;
    if (!silnik) {
        wlasny = std::make_unique<TSilnikLibreOffice>();
        silnik = wlasny.get();
    }
    const TKonfiguracjaPolecenia konfiguracja(a.KatalogUzytkownika);
    // Opened and matched as the window does.
    TWidokBezOkna widok;
    TUzytkownikPolecenia uzytkownik(bledy);
    TZestawController kontroler(konfiguracja.KonfiguracjaKontrolera(), widok, uzytkownik);
    kontroler.UstawUstawienia(konfiguracja.UstawieniaKosztorysu(a.Warianty));
    if (!QFileInfo(a.Plik).isFile())
        throw EBlad(QStringLiteral("Podany plik zestawu nie istnieje"));
    TStartWTle start(wlasny.get());
    kontroler.OtworzZestaw(QFileInfo(a.Plik).absoluteFilePath());
    TZestawST& zestaw = kontroler.Zestaw();
    if (zestaw.ZestawPath().isEmpty())
        return KodBlad;
    kontroler.ZaktualizujDopasowanieSpecyfikacji();
    TKonfiguracjaZestawu& ustawienia = *zestaw.GetKonfiguracja();
    if (a.BezStronyTytulowej)
        ustawienia.CzyWstawiacSzablonPierwszejStrony = false;
    if (a.SpisTresci)
        UstawSpisTresci(ustawienia, true);
    const bool czyWord = a.Rodzaj.isEmpty() ? ustawienia.CzyEksportDoc : a.Rodzaj == QLatin1String("word");

    const QString folder = QFileInfo(a.Wynik).absolutePath();
    if (!QDir().mkpath(folder))
        throw EBlad(QStringLiteral("Błąd tworzenia foldera docelowego: ") + folder);

    std::unique_ptr<TZbiorEksporter> eksporter = UtworzEksporter(czyWord, silnik);
    UstawEksporterZKonfiguracji(*eksporter, ustawienia, czyWord);
    eksporter->CzyOtworzPoZapisaniu = false; // nobody to show it to
    TPytaniaCli pytania(bledy);
    TUstawieniaEksportuProgramu program = TUstawieniaEksportuProgramu::ZKonfiguracji(konfiguracja.Konfiguracja());
    program.KatalogUzytkownika = konfiguracja.KatalogUzytkownika();
    const auto lista = PrzygotujEksportZestawu(zestaw, *eksporter, program, pytania);
    if (!lista)
        return KodBlad;

    QElapsedTimer zegar;
    zegar.start();
    eksporter->OnProgressChange = [&](TZbiorEksporter* e) {
        bledy << "Przetwarzanie pliku: " << e->CurrentFile() << '\n';
        bledy.flush();
    };
    start.Czekaj();
    eksporter->ScalPliki(a.Wynik, lista->Pliki);
    if (wlasny)
        wlasny->Zatrzymaj();

    QJsonArray pliki;
    for (const TMyPath* p : lista->Pliki)
        pliki.append(p->GetPath());
    QJsonObject wynik{{"plik", a.Wynik},
                      {"rodzaj", czyWord ? "word" : "odt"},
                      {"strona_tytulowa", lista->CzyStronaTytulowa},
                      {"pliki", pliki},
                      {"czas_ms", static_cast<double>(zegar.elapsed())},
                      {"czasy_ms", QJsonObject{{"start", static_cast<double>(eksporter->Czasy.Start)},
                                               {"wstawianie", static_cast<double>(eksporter->Czasy.Wstawianie)},
                                               {"strony", static_cast<double>(eksporter->Czasy.Strony)},
                                               {"zamiany", static_cast<double>(eksporter->Czasy.Zamiany)},
                                               {"zapis", static_cast<double>(eksporter->Czasy.Zapis)}}}};
    WypiszJson(wyjscie, wynik);
    return KodSukces;
}

TPomocPolecenia TPolecenieGeneruj::Pomoc() const
{
    return {
        QStringLiteral("dokument specyfikacji zestawu (.doc, .docx, .odt, .pdf)"),
        {QStringLiteral("ZESTAW.zst -o WYNIK.doc|.docx|.odt|.pdf [--rodzaj word|odt] [--bez-strony-tytulowej] "
                        "[--spis-tresci] [--warianty] [--katalog-uzytkownika KATALOG]")},
        QStringLiteral(
            "Otwiera zestaw, dopasowuje go, układa listę plików jak eksport w oknie i scala dokumenty w jeden w "
            "prywatnym, niewidocznym LibreOffice. Postęp („Przetwarzanie pliku: …”) trafia na standardowe wyjście "
            "błędów, podsumowanie w JSON na standardowe wyjście. Rodzaj wyjścia zapisany w zestawie decyduje, które "
            "dokumenty są brane (Word: .doc i .docx; OpenDocument: także .odt), chyba że opcja --rodzaj mówi inaczej."),
        {
            {QStringLiteral("-o WYNIK"),
             QStringLiteral("plik wynikowy; rozszerzenie .doc, .docx, .odt lub .pdf wybiera format")},
            {QStringLiteral("--rodzaj word|odt"), QStringLiteral("rodzaj eksportu zamiast zapisanego w zestawie")},
            {QStringLiteral("--bez-strony-tytulowej"), QStringLiteral("pomija stronę tytułową")},
            {QStringLiteral("--spis-tresci"),
             QStringLiteral("wstawia spis treści po stronie tytułowej, niezależnie od ustawień zestawu")},
            {QStringLiteral("--warianty"), QStringLiteral("warianty specyfikacji w użyciu w tym uruchomieniu")},
            {QStringLiteral("--katalog-uzytkownika KATALOG"),
             QStringLiteral("folder użytkownika, za który w zapisanych ścieżkach stoi „%USERPATH%”, tylko w tym "
                            "uruchomieniu (domyślnie folder z konfiguracji)")},
        }};
}
