#pragma once

#include "cli/PomocCli.h"

#include <memory>
#include <vector>

// Exit codes of velostra-cli.
enum TKodWyjscia : int { KodSukces = 0, KodBlad = 1 };

// The command-line tool: picks the subcommand by its name and reports every failure in Polish on
// the error stream with exit code 1.
class TCli
{
public:
    TCli();
    ~TCli();

    void DodajPolecenie(std::unique_ptr<TPolecenie> polecenie);
    // argumenty: without the program's name.
    // "--help" or "-h" anywhere after a command's name prints that command's help instead.
    int Uruchom(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy);

    const TListaPolecen& Polecenia() const { return FPolecenia; }

private:
    TListaPolecen FPolecenia;
};
