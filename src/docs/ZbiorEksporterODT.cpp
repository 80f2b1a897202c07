#include "docs/ZbiorEksporterODT.h"

#include "app/MyPath.h"
#include "docs/SilnikDokumentow.h"
#include "docs/WyjatkiDokumentow.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace {

const QString KBrakOffice = QStringLiteral("Brak zainstalowanego OpenOffice lub środowiska uruchomieniowego Java!");
const QString KBladZapisu =
    QStringLiteral("Brak możliwości zapisu dokumentu. Plik jest używany lub brak uprawnień do zapisu.");

template <class F> void ZBrakiemOffice(F&& praca)
{
    try {
        praca();
    } catch (const EBrakSilnikaDokumentow&) {
        throw EBrakSilnikaDokumentow(KBrakOffice);
    }
}

} // namespace

TZbiorEksporterODT::TZbiorEksporterODT(ISilnikDokumentow* silnik)
    : TZbiorEksporter(std::make_unique<TTypPlikuOoO>()), FSilnik(silnik)
{
}

TZbiorEksporterODT::~TZbiorEksporterODT() = default;

void TZbiorEksporterODT::ScalPliki(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow)
{
    ZBrakiemOffice([&] { ZPonowieniem(*FSilnik, [&] { Scal(plikWynikowyPath, listaPlikow); }); });
}

void TZbiorEksporterODT::Scal(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow)
{
    QElapsedTimer zegar;
    zegar.start();
    std::unique_ptr<IDokumentTekstowy> dokument = NowyZPlikami(*FSilnik, listaPlikow, true, zegar);
    if (CzyStronaTytulowa && !Terminated())
        dokument->UstawStronePierwsza();
    if (CzyNaglowek && !Terminated())
        dokument->UstawNaglowek({Tekst(TrescNaglowka), QString()});
    if (CzyStopka && !Terminated())
        dokument->UstawStopke({Tekst(TrescStopki), CzyNrStronyWStopce, CzyDrukDwustronny});
    Czasy.Strony = zegar.restart();
    if (CzyTekstDoSt)
        dokument->ZamienWszystko(QStringLiteral("#NAZWA_ZADANIA#"), Tekst(TekstDoSt), false);
    Czasy.Zamiany = zegar.restart();
    try {
        dokument->Zapisz(plikWynikowyPath);
        Czasy.Zapis = zegar.elapsed();
    } catch (const ESilnikUtracony&) {
        throw;
    } catch (const EBlad&) {
        throw EBlad(KBladZapisu);
    }
}

bool TZbiorEksporterODT::CzyTestListySTWWarunkachOgolnych(int& ilosc)
{
    ilosc = 1;
    return true;
}

void TZbiorEksporterODT::Otworz(const QString& plik)
{
    FDokument.reset();
    ZBrakiemOffice([&] { ZPonowieniem(*FSilnik, [&] { FDokument = FSilnik->OtworzDokument(plik, false); }); });
}

void TZbiorEksporterODT::ZnajdzZamien(const QString& szukanyTekst, const QString& podmienNa)
{
    if (!FDokument)
        throw EBlad(QStringLiteral("Nie otwarto dokumentu."));
    FDokument->ZamienWszystko(szukanyTekst, podmienNa, false);
}

void TZbiorEksporterODT::ZapiszIZamknij()
{
    if (!FDokument)
        throw EBlad(QStringLiteral("Nie otwarto dokumentu."));
    auto dokument = std::move(FDokument);
    dokument->Zapisz();
}
