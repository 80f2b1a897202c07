// The larger dialogs of the user behind the main window.
#include "app/Konfiguracja.h"
#include "docs/GenerowanieDokumentu.h"
#include "docs/ZbiorEksporter.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "ui/BrakujacePlikiForm.h"
#include "ui/EksportDokumentuForm.h"
#include "ui/EksportXlsForm.h"
#include "ui/RozpakujArchiwumForm.h"
#include "ui/UstawieniaForm.h"
#include "ui/UzytkownikOkna.h"
#include "zestaw/ZestawST.h"

#include <QFileDialog>

namespace {

const QString KWKolejnejWersji =
    QStringLiteral("To okno nie jest jeszcze dostępne w tej wersji programu; skorzystaj z polecenia velostra-cli.");

} // namespace

std::unique_ptr<TSpisST> TUzytkownikOkna::ScalListy(const QString&, TZestawST&)
{
    PokazKomunikat(KWKolejnejWersji);
    return nullptr;
}

TWyborStronyTytulowej TUzytkownikOkna::StronaTytulowaZestawu(bool)
{
    TWyborStronyTytulowej wybor;
    const QString folder =
        FKonfiguracja.SzablonyStronyTytPath ? FKonfiguracja.SzablonyStronyTytPath->GetPath() : QString();
    const QString plik = QFileDialog::getOpenFileName(
        FOkno, QStringLiteral("Strona tytułowa zestawu"), folder,
        QStringLiteral("Plik Microsoft Word (*.doc *.docx);;Plik OpenOffice Writer (*.odt)"));
    if (plik.isEmpty())
        return wybor;
    wybor.Rodzaj = TWyborStronyTytulowej::PlikZDysku;
    wybor.Plik = plik;
    return wybor;
}

bool TUzytkownikOkna::Ustawienia(TZestawST& zestaw)
{
    return PokazUstawienia(FOkno, FKonfiguracja, zestaw, *this);
}

void TUzytkownikOkna::PorzadkowanieSpisu(TPorzadkowanieDialogu&)
{
    PokazKomunikat(KWKolejnejWersji);
}

std::optional<TUstawieniaEksportuZestawu> TUzytkownikOkna::EksportujPlikiSpecyfikacji(TZestawST& zestaw,
                                                                                      const TListaPlikowEksportu& pliki)
{
    const TKonfiguracjaZestawu& k = *zestaw.GetKonfiguracja();
    std::unique_ptr<TZbiorEksporter> eksporter = UtworzEksporter(k.CzyEksportDoc, FSilnik());
    UstawEksporterZKonfiguracji(*eksporter, k, k.CzyEksportDoc);
    return PokazEksportDokumentu(FOkno, zestaw, pliki, *eksporter, FKonfiguracja, *this);
}

void TUzytkownikOkna::EksportujDoArkusza(TEksportXlsDialogu& dialog)
{
    PokazEksportDoArkusza(FOkno, dialog);
}

QString TUzytkownikOkna::RozpakujArchiwum(bool czyZestaw)
{
    return PokazRozpakujArchiwum(FOkno, czyZestaw, FKonfiguracja, *this);
}

bool TUzytkownikOkna::BrakujacePliki(const std::vector<std::unique_ptr<TListaBrakowPlikow>>& listy)
{
    return PokazBrakujacePliki(FOkno, listy);
}
