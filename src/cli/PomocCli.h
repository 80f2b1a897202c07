#pragma once

#include "cli/Polecenie.h"

#include <memory>
#include <vector>

// The three faces of the commands' help, all made from their TPomocPolecenia: the text of
// `velostra-cli [POLECENIE] --help`, the manual page velostra-cli(1) and the bash completion.
using TListaPolecen = std::vector<std::unique_ptr<TPolecenie>>;

// "Użycie: velostra-cli ..." with the list of commands.
QString PomocOgolna(const TListaPolecen& polecenia);
// The usage lines, the description and the options of one command.
QString PomocPolecenia(const TPolecenie& polecenie);
// The manual page in troff (man macros), UTF-8.
QString StronaPodrecznika(const TListaPolecen& polecenia, const QString& wersja);
// A bash completion script: commands, each command's options, the listed values of options and file
// or folder names where a path is expected.
QString UzupelnianieBash(const TListaPolecen& polecenia);
