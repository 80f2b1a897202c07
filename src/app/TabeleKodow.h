#pragma once

#include "app/KodCpv.h"

#include <QMap>
#include <QString>

// The CPV code table: lines "code;name", read into trees by level. An empty list when the file is
// missing; throws EBlad "Nieprawidlowy poziom: <code>" on a malformed code.
TListaKodowCpv WczytajKodyCpv();
TListaKodowCpv WczytajKodyCpv(const QString& sciezka);

// The unit code table: lines "code;name;", the first line of a code wins. Empty when the file is missing.
QMap<QString, QString> WczytajKodyJednostek();
QMap<QString, QString> WczytajKodyJednostek(const QString& sciezka);

// The lines of a small table file of the program: a byte-order mark decides its encoding, else valid
// UTF-8 is taken as UTF-8 and anything else as Windows-1250. Empty when the file cannot be read.
QStringList WczytajLinieTabeli(const QString& sciezka, bool* istnieje = nullptr);
