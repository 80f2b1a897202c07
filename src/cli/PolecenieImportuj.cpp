#include "cli/PolecenieImportuj.h"

#include "app/Wyjatki.h"
#include "cli/ArgumentyPolecenia.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "prices/UstawieniaCen.h"
#include "specs/DuplikatStDialog.h"
#include "specs/DuplikatStHandler.h"
#include "specs/ImporterST.h"
#include "specs/ImporterSTFactory.h"
#include "specs/LicznikImportuSt.h"
#include "specs/SpisST.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QObject>

namespace {

struct TArgumenty
{
    QString Lista;
    QStringList Rejestry;
    QString Do;
    QString Nowa;
    TZapamietaneOpcjeDuplikatow Odpowiedzi;
};

TArgumenty CzytajArgumenty(const QStringList& argumenty)
{
    TArgumenty wynik;
    QStringList pliki;
    TArgumentyPolecenia a(argumenty, QStringLiteral("importuj"));
    while (a.Nastepny()) {
        if (a.Jest("--do")) {
            wynik.Do = a.Wartosc();
        } else if (a.Jest("-o")) {
            wynik.Nowa = a.Sciezka();
        } else if (a.Jest("--duplikat-numeru")) {
            const QString w = a.Wartosc();
            if (w == QLatin1String("pomin"))
                wynik.Odpowiedzi.Numeru = doPomin;
            else if (w == QLatin1String("nadpisz"))
                wynik.Odpowiedzi.Numeru = doNadpisz;
            else
                throw EBlad(QStringLiteral("Opcja --duplikat-numeru przyjmuje wartość pomin lub nadpisz."));
        } else if (a.Jest("--duplikat-pliku")) {
            const QString w = a.Wartosc();
            if (w == QLatin1String("bez-pliku"))
                wynik.Odpowiedzi.Pliku = dpoDodajBezPliku;
            else if (w == QLatin1String("nadpisz-plik"))
                wynik.Odpowiedzi.Pliku = dpoNadpiszPlikIPominSt;
            else if (w == QLatin1String("nadpisz"))
                wynik.Odpowiedzi.Pliku = dpoNadpisz;
            else if (w == QLatin1String("pomin"))
                wynik.Odpowiedzi.Pliku = dpoPominSt;
            else
                throw EBlad(QStringLiteral("Opcja --duplikat-pliku przyjmuje wartość bez-pliku, nadpisz-plik, "
                                           "nadpisz lub pomin."));
        } else if (a.CzyOpcja()) {
            a.Nieznany();
        } else {
            pliki << QFileInfo(a.Biezacy()).absoluteFilePath();
        }
    }
    if (pliki.size() < 2)
        throw EBlad(QStringLiteral("Polecenie \"importuj\" wymaga pliku listy (.sst) i co najmniej jednego wykazu "
                                   "(.wst)."));
    if (wynik.Nowa.isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać plik wynikowy listy: -o NOWA.sst."));
    wynik.Lista = pliki.takeFirst();
    wynik.Rejestry = pliki;
    return wynik;
}

// Nobody to ask: a collision without a remembered answer is a cancelled question, which ends the import.
class TBezPytan : public IDuplikatStDialog
{
public:
    TOpcjaDuplikatowNumeru ShowDuplicatStDialog(const TSpecyfikacja&, const TSpecyfikacja&, bool, bool&) override
    {
        return doNone;
    }
    TOpcjaDuplikatowPliku ShowDuplicatPlikuDialog(const TSpecyfikacja&, const TSpecyfikacja&, bool&) override
    {
        return dpoNone;
    }
    void ShowDuplikaty(const TSpecyfikacja&, const TSpecyfikacja&, const TSpecyfikacja&) override {}
    TLicznikImportuSt& GetLicznikImportu() override { return Licznik; }

    TLicznikImportuSt Licznik;
};

} // namespace

int TPolecenieImportuj::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    const TArgumenty a = CzytajArgumenty(argumenty);
    if (!QFileInfo(a.Lista).isFile())
        throw EBlad(QStringLiteral("Brak pliku listy specyfikacji: ") + a.Lista);
    const TKonfiguracjaPolecenia konfiguracja;
    TSpisST spis;
    spis.UstawKatalogUzytkownika(konfiguracja.KatalogUzytkownika());
    spis.SetUstawieniaCen(TUstawieniaCen::ZKonfiguracji(konfiguracja.Konfiguracja()));
    spis.Otworz(a.Lista);
    TSpecyfikacja* cel = &spis;
    if (!a.Do.isEmpty()) {
        cel = spis.FindSpecyfikacja(a.Do, fsSzukajWGrupach);
        if (!cel || !cel->CzyGrupa())
            throw EBlad(QStringLiteral("Na liście nie ma grupy o numerze: ") + a.Do);
    }
    // The importers want an owner window; a command has none.
    QObject wlasciciel;
    TBezPytan dialog;
    for (const QString& rejestr : a.Rejestry) {
        std::unique_ptr<TImporterST> importer =
            TImporterSTFactory::GetImporter(rejestr, &wlasciciel, &spis, a.Odpowiedzi);
        importer->ImportujSpecyfikacje(rejestr, cel, &dialog);
    }
    // Written only after every register went in whole; the source list is never changed.
    spis.Zapisz(a.Nowa);
    const TLicznikImportuSt& l = dialog.Licznik;
    WypiszJson(wyjscie, QJsonObject{{QStringLiteral("dodanychSt"), l.DodanychSt()},
                                    {QStringLiteral("nadpisanychPlikow"), l.NadpisanychPlikow()},
                                    {QStringLiteral("pominietychSt"), l.PominietychSt()},
                                    {QStringLiteral("nadpisanychSt"), l.NadpisanychSt()}});
    return KodSukces;
}

TPomocPolecenia TPolecenieImportuj::Pomoc() const
{
    return {QStringLiteral("import wykazów specyfikacji .wst do listy"),
            {QStringLiteral("LISTA.sst WYKAZ.wst... [--do NUMER] [--duplikat-numeru pomin|nadpisz] [--duplikat-pliku "
                            "bez-pliku|nadpisz-plik|nadpisz|pomin] -o NOWA.sst")},
            QStringLiteral(
                "Importuje wykazy specyfikacji do kopii listy, rozstrzygając duplikaty jak scalanie list; opcje "
                "zastępują zapamiętane odpowiedzi. Duplikat bez odpowiedzi kończy import i nic nie jest zapisywane; "
                "lista źródłowa nie jest zmieniana. Liczniki importu trafiają na standardowe wyjście jako JSON."),
            {
                {QStringLiteral("-o NOWA.sst"), QStringLiteral("plik listy wynikowej")},
                {QStringLiteral("--do NUMER"),
                 QStringLiteral("grupa listy, do której trafiają specyfikacje (domyślnie korzeń)")},
                {QStringLiteral("--duplikat-numeru pomin|nadpisz"),
                 QStringLiteral("odpowiedź na specyfikację o numerze już obecnym na liście")},
                {QStringLiteral("--duplikat-pliku bez-pliku|nadpisz-plik|nadpisz|pomin"),
                 QStringLiteral("odpowiedź na specyfikację z dokumentem już obecnym na liście: dodanie bez pliku, "
                                "nadpisanie pliku z pominięciem specyfikacji, nadpisanie, pominięcie")},
            }};
}
