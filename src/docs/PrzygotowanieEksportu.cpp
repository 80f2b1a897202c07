#include "docs/PrzygotowanieEksportu.h"

#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "docs/ZbiorEksporter.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/Specyfikacja.h"
#include "zestaw/ZbiorST.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool CzyIstnieje(const QString& sciezka)
{
    return !sciezka.isEmpty() && QFileInfo(sciezka).isFile();
}

// The entry's document (of the variant in use, else of the specification) and its stored path; null when
// the entry has no specification.
const TMyPath* SciezkaWpisu(const TPozycjaZbioru& wpis)
{
    return wpis.WybranaSpecyfikacja().GetSpecyfikacja() ? wpis.WybranaSpecyfikacja().GetPath() : nullptr;
}

bool CzyNaLiscie(const TListaPlikowEksportu& lista, const TMyPath* sciezka)
{
    if (!sciezka)
        return false;
    const QString szukana = sciezka->GetPath();
    for (const TMyPath* p : lista.Pliki)
        if (p == sciezka || p->GetPath() == szukana)
            return true;
    return false;
}

} // namespace

TUstawieniaEksportuProgramu TUstawieniaEksportuProgramu::ZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    return {konfiguracja.GetPierwszaStronaDocTemplate(), konfiguracja.GetPierwszaStronaOdtTemplate(),
            konfiguracja.CzyKorzystajZWariantow, konfiguracja.UwzglednijWariantyPrzyEksporcieKosztorysu,
            konfiguracja.GetUserPath()};
}

QString PobierzSzablonPierwszejStrony(const TKonfiguracjaZestawu& zestaw, const TUstawieniaEksportuProgramu& program)
{
    const TMyPath* wlasny =
        zestaw.CzyEksportDoc ? zestaw.GetPierwszaStronaDocTemplate() : zestaw.GetPierwszaStronaOdtTemplate();
    if (!wlasny->EncodedPath().trimmed().isEmpty() && CzyIstnieje(wlasny->GetPath()))
        return wlasny->GetPath();
    TMyPath programu(program.KatalogUzytkownika);
    programu.SetEncodedPath(zestaw.CzyEksportDoc ? program.SzablonPierwszejStronyDoc
                                                 : program.SzablonPierwszejStronyOdt);
    if (!programu.EncodedPath().trimmed().isEmpty() && CzyIstnieje(programu.GetPath()))
        return programu.GetPath();
    return QString();
}

std::optional<TListaPlikowEksportu> PrzygotujListePlikow(const TZbiorST& zbior, const TZbiorEksporter& eksporter,
                                                         bool czyStronaTytulowa, const TKonfiguracjaZestawu& zestaw,
                                                         const TUstawieniaEksportuProgramu& program,
                                                         IPytaniaEksportu& pytania)
{
    std::vector<const TPozycjaZbioru*> wpisy;
    for (int i = 0; i < zbior.Count(); ++i)
        wpisy.push_back(zbior.GetPozycjaZbioru(i));
    return PrzygotujListePlikow(
        wpisy, [&eksporter](const QString& plik) { return eksporter.CzyObslugiwanyPlik(plik); }, czyStronaTytulowa,
        zestaw, program, pytania);
}

std::optional<TListaPlikowEksportu> PrzygotujListePlikow(const std::vector<const TPozycjaZbioru*>& wpisy,
                                                         const std::function<bool(const QString&)>& czyObslugiwany,
                                                         bool czyStronaTytulowa, const TKonfiguracjaZestawu& zestaw,
                                                         const TUstawieniaEksportuProgramu& program,
                                                         IPytaniaEksportu& pytania)
{

    bool brakujace = false;
    bool nieobslugiwane = false;
    for (const TPozycjaZbioru* wpis : wpisy) {
        const TMyPath* sciezka = SciezkaWpisu(*wpis);
        if (!sciezka)
            continue;
        const QString plik = sciezka->GetPath();
        if (!CzyIstnieje(plik))
            brakujace = true;
        else if (!czyObslugiwany(plik))
            nieobslugiwane = true;
    }
    if (brakujace && !pytania.Pytanie(QStringLiteral("W zbiorze znajdują się brakujące pliki specyfikacji.\n"
                                                     "Czy kontynuować eksport z pominięciem brakujących plików ?")))
        return std::nullopt;
    if (nieobslugiwane &&
        !pytania.Pytanie(QStringLiteral("W zbiorze znajdują się pliki specyfikacji w niewłaściwym formacie.\n"
                                        "Czy kontynuować eksport z pominięciem tych plików?")))
        return std::nullopt;

    TListaPlikowEksportu lista;
    if (czyStronaTytulowa) {
        const QString szablon = PobierzSzablonPierwszejStrony(zestaw, program);
        if (!szablon.isEmpty() && czyObslugiwany(szablon)) {
            const TMyPath* wlasny =
                zestaw.CzyEksportDoc ? zestaw.GetPierwszaStronaDocTemplate() : zestaw.GetPierwszaStronaOdtTemplate();
            if (wlasny->GetPath() == szablon) {
                lista.Pliki.push_back(wlasny);
            } else {
                lista.SzablonProgramu = std::make_unique<TMyPath>(program.KatalogUzytkownika);
                lista.SzablonProgramu->SetPath(szablon);
                lista.Pliki.push_back(lista.SzablonProgramu.get());
            }
            lista.CzyStronaTytulowa = true;
        } else if (!pytania.Pytanie(
                       QStringLiteral("Plik strony tytułowej jest nieprawidłowy. Sprawdź ścieżki szablonów "
                                      "w ustawieniach zestawu i programu.\nCzy kontynuować eksport z "
                                      "pominięciem szablonu strony startowej ?"))) {
            return std::nullopt;
        }
    }
    for (const TPozycjaZbioru* wpis : wpisy) {
        const TMyPath* sciezka = SciezkaWpisu(*wpis);
        if (sciezka && CzyIstnieje(sciezka->GetPath()) && czyObslugiwany(sciezka->GetPath()))
            lista.Pliki.push_back(sciezka);
    }
    if (lista.Pliki.size() <= (lista.CzyStronaTytulowa ? 1u : 0u))
        throw EBlad(QStringLiteral("Brak odpowiednich plików do eksportu. Sprawdź ustawienia filtrów"));
    return lista;
}

QString DomyslnaNazwaPlikuEksportu(const QString& zestawPath)
{
    const QFileInfo info(zestawPath);
    QString nazwa = info.fileName();
    const QString rozszerzenie = info.suffix();
    if (!rozszerzenie.isEmpty())
        nazwa.remove(QLatin1Char('.') + rozszerzenie);
    return nazwa.trimmed();
}

QString TekstIlosciSpecyfikacji(const TListaPlikowEksportu& lista)
{
    const int ile = static_cast<int>(lista.Pliki.size()) - (lista.CzyStronaTytulowa ? 1 : 0);
    return QStringLiteral("Ilość znalezionych specyfikacji do eksportu: %1").arg(ile);
}

std::optional<QString> PrzygotujPlikDocelowy(const QString& folder, const QString& nazwa,
                                             const TZbiorEksporter& eksporter, IPytaniaEksportu& pytania)
{
    if (folder.trimmed().isEmpty() || nazwa.trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wybrać lokalizację i określić nazwę pliku docelowego."));
    const QString cel = QDir(folder).filePath(nazwa + QLatin1Char('.') + eksporter.GetDefaultExtension());
    const QString katalog = QFileInfo(cel).absolutePath();
    if (!QFileInfo(katalog).isDir() && !QDir().mkpath(katalog))
        throw EBlad(
            QStringLiteral("Błąd tworzenia foldera docelowego: Nie można utworzyć folderu \"%1\".").arg(katalog));
    if (QFileInfo::exists(cel) &&
        !pytania.Pytanie(QStringLiteral("Plik docelowy istnieje.\nCzy nadpisać istniejący plik ?")))
        return std::nullopt;
    return cel;
}

void PrzygotujZakladki(const TZbiorST& zbior, const TListaPlikowEksportu& lista, TZbiorEksporter& eksporter)
{
    eksporter.ZakladkiPlikow.clear();
    for (int i = 0; i < zbior.Count(); ++i) {
        const TPozycjaZbioru& wpis = *zbior.GetPozycjaZbioru(i);
        const TWybranaSpecyfikacja& w = wpis.WybranaSpecyfikacja();
        const TMyPath* sciezka = SciezkaWpisu(wpis);
        if (!sciezka || !CzyNaLiscie(lista, sciezka) || eksporter.ZakladkiPlikow.contains(sciezka->GetPath()))
            continue;
        // A variant's file is its own document: its entry names the variant, so that the entries differ.
        // Without a visual separator the key's "#" keeps the variant apart from the number.
        const bool wizualny = !w.Ustawienia().WizualnySeparatorWariantow.isEmpty();
        eksporter.ZakladkiPlikow.insert(sciezka->GetPath(),
                                        (w.GetST(true, wizualny) + QLatin1Char(' ') + w.GetOpis(true)).trimmed());
    }
}

void PrzygotujListeStDoWarOgolnych(const TZbiorST& zbior, const TListaPlikowEksportu& lista, TZbiorEksporter& eksporter,
                                   const TUstawieniaEksportuProgramu& program)
{
    eksporter.PlikWarunkowOgolnych = nullptr;
    eksporter.ListaStDoWarOgolnych.clear();
    for (int i = 0; i < zbior.Count() && !eksporter.PlikWarunkowOgolnych; ++i) {
        const TPozycjaZbioru& wpis = *zbior.GetPozycjaZbioru(i);
        const TSpecyfikacja* s = wpis.WybranaSpecyfikacja().GetSpecyfikacja();
        if (s && s->CzyWarunkiOgolne() && CzyNaLiscie(lista, SciezkaWpisu(wpis)))
            eksporter.PlikWarunkowOgolnych = SciezkaWpisu(wpis);
    }
    if (!eksporter.PlikWarunkowOgolnych)
        throw EBlad(
            QStringLiteral("Nie można dopisać Listy ST do pliku\r\rBrak Wymagań Ogólnych w eksportowanym zbiorze."));
    int ilosc = 0;
    if (!eksporter.CzyTestListySTWWarunkachOgolnych(ilosc))
        throw EBlad(QStringLiteral("Nie określono miejsca wstawienia listy ST w Wymaganiach Ogólnych (#LISTA_ST#)."));
    if (ilosc >= 2)
        throw EBlad(QStringLiteral(
            "Znaleziono więcej niż jedno miejsce wstawienia listy ST w Wymaganiach Ogólnych (#LISTA_ST#)."));
    const bool zWariantem = program.CzyKorzystajZWariantow && program.CzyWariantyPrzyEksporcie;
    for (int i = 0; i < zbior.Count(); ++i) {
        const TPozycjaZbioru& wpis = *zbior.GetPozycjaZbioru(i);
        const TWybranaSpecyfikacja& w = wpis.WybranaSpecyfikacja();
        const TSpecyfikacja* s = w.GetSpecyfikacja();
        if (!s || s->CzyWarunkiOgolne() || !CzyNaLiscie(lista, SciezkaWpisu(wpis)))
            continue;
        // Entries of several variants of one specification read the same without variants: one line each.
        const QString linia = (w.GetST(zWariantem, zWariantem) + QStringLiteral(" - ") +
                               w.GetOpis(zWariantem && w.GetWariantSpecyfikacji()))
                                  .trimmed();
        if (!eksporter.ListaStDoWarOgolnych.contains(linia))
            eksporter.ListaStDoWarOgolnych << linia;
    }
}
