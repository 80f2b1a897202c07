#pragma once

#include <QJsonObject>

class TElementRds;
class TKosztorys;
class TPozycjaRds;

// The estimate tree as JSON, in the shape other tools read:
//   estimate: {"tytul", "id", "opis", "pozycje": [...], "elementy": [...]}
//   element:  {"nr", "opis", "pz", "pozycje": [...], "elementy": [...]}
//   position: {"id", "nr", "st", "podstawa", "opis", "jm", "ilosc", "cena", "rj", "mj", "sj", "aktywna", "czyScalona"}
// Texts as the tree holds them, arrays in tree order.
QJsonObject KosztorysNaJson(const TKosztorys& kosztorys);
QJsonObject ElementNaJson(const TElementRds& element);
QJsonObject PozycjaNaJson(const TPozycjaRds& pozycja);
