#pragma once

#include <QJsonObject>

class TKonfiguracjaZestawu;
class TZestawST;

// The set as JSON, in the shape other tools read:
//   {"path", "sst" (the list's stored path), "kosztorysy": [estimate JSON + "path" (stored form)],
//    "zbior": [{"st", "wlasna", "specyfikacja" (number or null), "wariant" (number or null),
//               "plik" (the existing document's path or ""), "pozycje" (count)}],
//    "konfiguracja": {every setting under its name without the "F", "Externals": {name: value}}}
// Arrays in the set's and the collection's order.
QJsonObject ZestawNaJson(const TZestawST& zestaw);
QJsonObject KonfiguracjaZestawuNaJson(const TKonfiguracjaZestawu& konfiguracja);
