#pragma once

#include "specs/ImporterST.h"

#include <QString>

#include <memory>

class QObject;
class TSpisST;

// Chooses the importer for a file by its extension; so far only ".wst" registers have one.
class TImporterSTFactory
{
public:
    TImporterSTFactory() = delete;

    // Raises "Brak spisu specyfikacji" without a list and "Brak importera dla podanego pliku" unless the
    // extension is ".wst" exactly as written (letter case included); the importer's own checks follow.
    static std::unique_ptr<TImporterST> GetImporter(const QString& filePath, QObject* ownerForm, TSpisST* spisSt,
                                                    const TZapamietaneOpcjeDuplikatow& zapamietane = {});
};
