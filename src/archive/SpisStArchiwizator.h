#pragma once

#include "archive/Archiwizator.h"

// The specification list of a set (attribute "path" of "sst") with its documents: the list is packed
// as "ZIP\" + file name and unpacked into "Dane/Listy SST"; every "plik" of its "specyfikacja" nodes
// and of their variants is packed as "ZIP\sst\" + file name and unpacked into "Specyfikacje
// Techniczne" and the structure folders below it. The list walks serve list archives too.
class TSpisStArchiwizator : public TArchiwizator
{
public:
    using TArchiwizator::TArchiwizator;
    void Archiwizuj(pugi::xml_node zestaw, TPakowanie& pakowanie) override;
    std::unique_ptr<TListaBrakowPlikow> GetListaBrakow(pugi::xml_node zestaw) override;
    void Waliduj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie) override;
    void Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie) override;

    // The walks over the "specyfikacja" children of a list's node (the document element of a list file).
    void ArchiwizujSpecyfikacje(pugi::xml_node rodzic, TPakowanie& pakowanie) const;
    void DodajBrakiSpecyfikacji(pugi::xml_node rodzic, TListaBrakowPlikow& lista) const;
    void WalidujSpecyfikacje(pugi::xml_node rodzic, const QString& folder, TRozpakowanie& rozpakowanie) const;
    void RozpakujSpecyfikacje(pugi::xml_node rodzic, const QString& folder, TRozpakowanie& rozpakowanie) const;

    // The folder of a node's documents for the structure: D, or D + "/" + the cleaned number (0) or
    // number and description (1) for a group. A name of "." or ".." is refused (EBlad).
    static QString FolderSpecyfikacji(pugi::xml_node wezel, const QString& folder, int struktura);
    // The target folder's "Specyfikacje Techniczne".
    static QString FolderSpecyfikacjiTechnicznych(const TRozpakowanie& rozpakowanie);
    // Writes an unpacked list (or set) file: the target's folder is created, an existing file replaced.
    static void ZapiszPlikXml(const QString& cel, const pugi::xml_document& dokument);
};
