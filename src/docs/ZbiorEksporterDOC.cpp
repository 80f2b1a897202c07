#include "docs/ZbiorEksporterDOC.h"

#include "app/MyPath.h"
#include "docs/SilnikDokumentow.h"
#include "docs/WyjatkiDokumentow.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace {

const QString KBrakWord = QStringLiteral("Brak dostępu do Microsoft Word.");

// Failures of the merge reach the user as "could not create"; a missing word processor as itself.
template <class F> void ZKomunikatem(const QString& przedrostek, F&& praca)
{
    try {
        praca();
    } catch (const EBrakWordException&) {
        throw;
    } catch (const EBrakSilnikaDokumentow&) {
        throw EBrakWordException(KBrakWord);
    } catch (const EBlad& e) {
        throw EBlad(przedrostek + e.Komunikat());
    } catch (const std::exception& e) {
        throw EBlad(przedrostek + QString::fromUtf8(e.what()));
    }
}

} // namespace

TZbiorEksporterDOC::TZbiorEksporterDOC(ISilnikDokumentow* silnik)
    : TZbiorEksporter(std::make_unique<TTypPlikuWord>()), FSilnik(silnik)
{
}

TZbiorEksporterDOC::~TZbiorEksporterDOC() = default;

void TZbiorEksporterDOC::ScalPliki(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow)
{
    if (CzyStylWNaglowku && CzyWeryfikujStylNaglowka && !CzyStylUzywany(NazwaStyluWNaglowku, listaPlikow))
        throw EBlad(QStringLiteral("Wybrany styl nie występuje w eksportowanych dokumentach."));
    ZKomunikatem(QStringLiteral("Nie udało się utworzyć pliku DOC: "),
                 [&] { ZPonowieniem(*FSilnik, [&] { Scal(plikWynikowyPath, listaPlikow); }); });
}

void TZbiorEksporterDOC::Scal(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow)
{
    QElapsedTimer zegar;
    zegar.start();
    std::unique_ptr<IDokumentTekstowy> dokument = NowyZPlikami(*FSilnik, listaPlikow, false, zegar);
    if (CzyStronaTytulowa)
        dokument->UstawStronePierwsza();
    if (CzyNaglowek && !Terminated())
        dokument->UstawNaglowek({Tekst(TrescNaglowka), CzyStylWNaglowku ? NazwaStyluWNaglowku.trimmed() : QString()});
    if (CzyStopka && !Terminated())
        dokument->UstawStopke({Tekst(TrescStopki), CzyNrStronyWStopce, CzyDrukDwustronny});
    // After the header and footer: their heights are part of the margins as a word processor counts them.
    if (CzyUstawMarginesy)
        dokument->UstawMarginesy(MarginesL, MarginesR, MarginesG, MarginesD);
    Czasy.Strony = zegar.restart();
    if (CzyTekstDoSt)
        dokument->ZamienWszystko(QStringLiteral("#NAZWA_ZADANIA#"), Tekst(TekstDoSt), false);
    Czasy.Zamiany = zegar.restart();
    dokument->Zapisz(plikWynikowyPath);
    Czasy.Zapis = zegar.elapsed();
}

bool TZbiorEksporterDOC::CzyStylUzywany(const QString& nazwaStylu, const std::vector<const TMyPath*>& listaPlikow)
{
    bool znaleziony = false;
    ZKomunikatem(QStringLiteral("Nie udało się otworzyć pliku DOC: "), [&] {
        ZPonowieniem(*FSilnik, [&] {
            for (const TMyPath* sciezka : listaPlikow) {
                auto dokument = FSilnik->OtworzDokument(sciezka->GetPath(), true);
                for (const QString& styl : dokument->NazwyUzywanychStylow()) {
                    if (styl.trimmed().compare(nazwaStylu.trimmed(), Qt::CaseInsensitive) == 0) {
                        znaleziony = true;
                        return;
                    }
                }
            }
        });
    });
    return znaleziony;
}

bool TZbiorEksporterDOC::CzyTestListySTWWarunkachOgolnych(int& ilosc)
{
    ilosc = 0;
    if (!PlikWarunkowOgolnych)
        return false;
    ZKomunikatem(QStringLiteral("Nie udało się otworzyć pliku DOC: "), [&] {
        ZPonowieniem(*FSilnik, [&] {
            auto dokument = FSilnik->OtworzDokument(PlikWarunkowOgolnych->GetPath(), true);
            ilosc = dokument->PoliczWystapienia(QStringLiteral("#LISTA_ST#"));
        });
    });
    return ilosc > 0;
}

void TZbiorEksporterDOC::GetNazwyStylow(const std::vector<const TMyPath*>& listaPlikow, QStringList& styleList)
{
    styleList.clear();
    ZKomunikatem(QStringLiteral("Nie udało się otworzyć pliku DOC: "), [&] {
        for (const TMyPath* sciezka : listaPlikow) {
            if (Terminated())
                break;
            ZmianaPostepu(sciezka->GetPath());
            QStringList style;
            ZPonowieniem(*FSilnik,
                         [&] { style = FSilnik->OtworzDokument(sciezka->GetPath(), true)->NazwyUzywanychStylow(); });
            for (const QString& styl : style) {
                if (!styleList.contains(styl, Qt::CaseInsensitive))
                    styleList.append(styl);
            }
        }
    });
    std::sort(styleList.begin(), styleList.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

void TZbiorEksporterDOC::Otworz(const QString& plik)
{
    if (!QFileInfo(plik).isFile())
        throw EBlad(QStringLiteral("Wybrany plik nie istnieje: ") + plik);
    FDokument.reset();
    try {
        ZPonowieniem(*FSilnik, [&] { FDokument = FSilnik->OtworzDokument(plik, false); });
    } catch (const EBrakSilnikaDokumentow&) {
        throw EBrakWordException(KBrakWord);
    }
}

void TZbiorEksporterDOC::ZnajdzZamien(const QString& szukanyTekst, const QString& podmienNa)
{
    if (!FDokument)
        throw EBlad(QStringLiteral("Nie otwarto dokumentu."));
    QString tekst = podmienNa;
    tekst.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    FDokument->ZamienNaLinie(szukanyTekst, tekst.split(QLatin1Char('\n')), false, false);
}

void TZbiorEksporterDOC::ZapiszIZamknij()
{
    if (!FDokument)
        throw EBlad(QStringLiteral("Nie otwarto dokumentu."));
    auto dokument = std::move(FDokument);
    dokument->Zapisz();
}
