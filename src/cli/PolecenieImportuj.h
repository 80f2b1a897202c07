#pragma once

#include "cli/Polecenie.h"

// "importuj LISTA.sst REJESTR.wst... [--do NUMER] [--duplikat-numeru pomin|nadpisz]
// [--duplikat-pliku bez-pliku|nadpisz-plik|nadpisz|pomin] -o NOWA.sst": imports registers into a copy
// of the list with the duplicate handling of merges, the options standing for remembered answers; a
// collision without an answer ends the import and nothing is written. Prints the counts as JSON.
class TPolecenieImportuj : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("importuj"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
