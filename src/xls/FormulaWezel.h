#pragma once

// The parsed form of a TFormula, shared by its parser (FormulaParser.cpp) and its writers (Formula.cpp: the
// text in the files' notation; FormulaBiff8.cpp: the token array).

#include "xls/Formula.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// The functions a formula may call.
enum class TFunkcjaFormuly : std::uint8_t { Suma, Zaokraglij, Zlacz, SumaJezeli };

// One corner of a reference: zero-based row and column and the "$" before either.
struct TKomorkaFormuly
{
    std::uint16_t Wiersz = 0;
    std::uint8_t Kolumna = 0;
    bool WierszStaly = false;
    bool KolumnaStala = false;
};

// A node of the expression tree. A chain of operators of one precedence level ("H5+I5-J5") is one
// node with all its operands, so that neither the tree's depth nor any walk over it grows with the
// length of a chain; only parentheses, calls and unary minus nest, and the parser limits them.
struct TFormula::TWezel
{
    enum class TRodzaj : std::uint8_t { Liczba, Tekst, Komorka, Obszar, Nawias, Minus, Dzialania, Funkcja };

    TRodzaj Rodzaj = TRodzaj::Liczba;
    TFunkcjaFormuly Funkcja = TFunkcjaFormuly::Suma; // Funkcja
    // An operand of Dzialania after the first: the operator before it ('+', '-', '*', '/' or '&').
    char Operator = 0;
    double Liczba = 0; // Liczba
    // Tekst: the string's characters (quotes undoubled); Komorka, Obszar: the sheet's name as the
    // workbook knows it (apostrophes undoubled), empty for the formula's own sheet.
    QString Tekst;
    TKomorkaFormuly Poczatek; // Komorka, Obszar
    TKomorkaFormuly Koniec;   // Obszar: the other corner, never above or left of Poczatek
    // Nawias, Minus: the one operand; Dzialania: the operands; Funkcja: the arguments.
    std::vector<TWezel> Dzieci;
    // The root only: the text as the user wrote it, for the messages of the writers.
    QString Zrodlo;
};

inline bool LiteraAsciiFormuly(char16_t z)
{
    return (z >= u'A' && z <= u'Z') || (z >= u'a' && z <= u'z');
}

inline bool CyfraFormuly(char16_t z)
{
    return z >= u'0' && z <= u'9';
}

// The limits the parser enforces, those of the newer file format: nesting of parentheses, calls and
// unary minus, the length of the text, the arguments of one call and the characters of one string.
constexpr int MaksGlebokoscFormuly = 64;
constexpr int MaksDlugoscFormuly = 8192;
constexpr int MaksArgumentowFormuly = 255;
constexpr int MaksDlugoscTekstuFormuly = 255;

// Reads the user's notation into a tree (EBlad for a text it cannot read).
std::unique_ptr<TFormula::TWezel> ParsujWezelFormuly(const QString& tekst);

// The function's name in the files' notation ("SUM").
QString NazwaFunkcjiFormuly(TFunkcjaFormuly funkcja);

// The message of a refused formula: the text (shortened when long) and the cause.
QString KomunikatBleduFormuly(const QString& tekst, const QString& przyczyna);
