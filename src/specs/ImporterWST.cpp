#include "specs/ImporterWST.h"

void TImporterWST::ImportujSpecyfikacje(const QString& filePath, TSpecyfikacja* wybranaGrupa,
                                        IDuplikatStDialog* duplikatStDialog)
{
    ImportujWykaz(filePath, SprawdzCel(wybranaGrupa), duplikatStDialog);
}

void TImporterWST::ImportujSpecyfikacjeZBajtow(const QByteArray& bajty, TSpecyfikacja* wybranaGrupa,
                                               IDuplikatStDialog* duplikatStDialog)
{
    ImportujWykazZBajtow(bajty, SprawdzCel(wybranaGrupa), duplikatStDialog);
}
