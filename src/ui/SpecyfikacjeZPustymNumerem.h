#pragma once

#include <QDialog>

class IUzytkownik;
class QLabel;
class QTableWidget;
class TSpisST;

// The window "Specyfikacje z pustym numerem": the list's nodes read without a number, each edited on a
// double click; "OK" drops those still without one.
class TSpecyfikacjeZPustymNumerem : public QDialog
{
    Q_OBJECT

public:
    TSpecyfikacjeZPustymNumerem(TSpisST& spis, IUzytkownik& uzytkownik, QWidget* rodzic);

protected:
    void accept() override;

private:
    void Wypelnij();
    void Edytuj(int wiersz);

    TSpisST& FSpis;
    IUzytkownik& FUzytkownik;
    QTableWidget* FTabela;
    QLabel* FOstrzezenie;
};
