#pragma once

#include <QString>

#include <vector>

class TSpecyfikacja;
class TSpisST;

// The rows of the window "Specyfikacje z pustym numerem": the list's nodes read with an empty number.
struct TWierszPustegoNumeru
{
    TSpecyfikacja* Wezel; // not owned
    QString Numer;
    QString Tytul;
    QString Plik; // the file's name, or " ! Brak powiązanego pliku !"
};
std::vector<TWierszPustegoNumeru> WierszePustychNumerow(const TSpisST& spis);
// "Istnieją specyfikacje bez numeru, które zostaną pominięte." is shown while this holds.
bool CzySaPusteNumery(const TSpisST& spis);
// "OK": the nodes still without a number leave the list; returns how many went.
int UsunPusteNumery(TSpisST& spis);
