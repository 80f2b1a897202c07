// The larger dialogs of the user behind the main window.
#include "app/Konfiguracja.h"
#include "docs/GenerowanieDokumentu.h"
#include "docs/ZbiorEksporter.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "ui/BrakujacePlikiForm.h"
#include "ui/EksportDokumentuForm.h"
#include "ui/EksportXlsForm.h"
#include "ui/PorzadkowanieForm.h"
#include "ui/RozpakujArchiwumForm.h"
#include "ui/ScalanieListForm.h"
#include "ui/StronaTytulowaForm.h"
#include "ui/UstawieniaForm.h"
#include "ui/UzytkownikOkna.h"
#include "zestaw/ZestawST.h"

std::unique_ptr<TSpisST> TUzytkownikOkna::ScalListy(const QString& sciezkaListy, TZestawST& zestaw)
{
    return PokazScalanieList(FOkno, sciezkaListy, zestaw, FKonfiguracja, *this);
}

TWyborStronyTytulowej TUzytkownikOkna::StronaTytulowaZestawu(bool brakSzablonuProgramu)
{
    return PokazStronaTytulowa(FOkno, brakSzablonuProgramu, FKonfiguracja, *FZestaw(), *this);
}

bool TUzytkownikOkna::Ustawienia(TZestawST& zestaw)
{
    return PokazUstawienia(FOkno, FKonfiguracja, zestaw, *this);
}

void TUzytkownikOkna::PorzadkowanieSpisu(TPorzadkowanieDialogu& dialog)
{
    PokazPorzadkowanie(FOkno, dialog);
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

QString TUzytkownikOkna::RozpakujArchiwum(bool czyZestaw, const QString& archiwum)
{
    return PokazRozpakujArchiwum(FOkno, czyZestaw, FKonfiguracja, *this, archiwum);
}

bool TUzytkownikOkna::BrakujacePliki(const std::vector<std::unique_ptr<TListaBrakowPlikow>>& listy)
{
    return PokazBrakujacePliki(FOkno, listy);
}
