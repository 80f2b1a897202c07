#pragma once

#include "specs/ImporterST.h"

// The importer of ".wst" registers ("Wykaz Specyfikacji Technicznej").
class TImporterWST : public TImporterST
{
public:
    using TImporterST::TImporterST;

    // Raises "Nie wybrano lokalizacji docelowej ..." without a target in the list, "Podany plik wykazu nie
    // istnieje!" for a missing file and the XML layer's error for a malformed one.
    void ImportujSpecyfikacje(const QString& filePath, TSpecyfikacja* wybranaGrupa,
                              IDuplikatStDialog* duplikatStDialog) override;
    // The same from the bytes of a register file.
    void ImportujSpecyfikacjeZBajtow(const QByteArray& bajty, TSpecyfikacja* wybranaGrupa,
                                     IDuplikatStDialog* duplikatStDialog);
};
