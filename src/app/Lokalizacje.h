#pragma once

#include <QString>

// Well-known folders and files of the program. The product name doubles as folder and file name.
inline const QString NazwaProduktu = QStringLiteral("Velostra");

enum class TKatalogSpecjalny { Dokumenty, DaneAplikacji, Tymczasowy };

// The shell folder for the id; empty when it cannot be found.
QString KatalogSpecjalny(TKatalogSpecjalny id);
// The user's documents folder; throws EBlad "Nie znaleziono folderu "Moje Dokumenty"" when there is none.
QString KatalogMojeDokumenty();
// The shared application-data folder (~/.config on this platform).
QString KatalogDanychAplikacji();
// The system temporary folder without trailing separator.
QString KatalogTymczasowy();

// Application-data folder + "/Velostra", created with its parents when missing (a failure is ignored).
QString KatalogKonfiguracji();
// KatalogKonfiguracji() + "/Velostra.conf".
QString PlikKonfiguracji();
// Documents folder + "/Velostra".
QString DomyslnyKatalogUzytkownika();

// The folder of the running executable.
QString KatalogProgramu();
// A data file of the program: beside the executable, else in ../share/velostra/ relative to it.
// Returns the path beside the executable when neither exists.
QString PlikProgramu(const QString& nazwa);
QString PlikKodowCpv();
QString PlikKodowJednostek();
