#pragma once

#include "app/Wyjatki.h"

#include <QString>

// Division by zero, a function outside its domain, or a result too large to be held.
class EBladArytmetyczny : public EBlad
{
public:
    using EBlad::EBlad;
};

// Turns a quantity written as an arithmetic expression ("2*[3+1]", "sqrt(16)+1", "1.5*2") into
// the text of its value with at most three decimals and a decimal comma ("8", "5", "3").
//
// The text is first normalised (lower case, no blanks, "[" "{" "]" "}" as round brackets, "." as
// ","). A normalised text with unbalanced brackets, or with a letter that is no function name, is
// not an expression and comes back as it is ("12 m2" gives "12m2"). Anything else is evaluated
// by rewriting: innermost brackets first, then the functions arcsin, arccos, arctg, arcctg, sin,
// cos, ctg, tg, ln, exp and sqrt (radians) of the number that follows the name, then "^", then "*"
// and "/" from left to right, then "+" and "-". A "-" before a number is its sign, also before
// the left operand of "^" ("-2^2" is 4). Partial results carry 20 decimals.
//
// Throws EConvertError when an accepted text does not reduce to a number (an empty text, a stray
// character, an operator without an operand, a number glued to a bracket or a function such as
// "2(3)", or a text that would take more rewriting steps than its length allows), and
// EBladArytmetyczny for division by zero, a function outside its domain or an overflow.
QString ObliczWyrazenie(const QString& tekst);

// The same with an explicit bound on the rewriting steps (brackets, functions and operators
// applied); the bound of ObliczWyrazenie is proportional to the text's length.
QString ObliczWyrazenie(const QString& tekst, int limitKrokow);

// The normalised form described above.
QString NormalizujWyrazenie(const QString& tekst);

// Whether a normalised text is taken as an expression: as many "(" as ")", and no letter left
// once every function name is taken out.
bool CzyWyrazenieDoObliczenia(const QString& znormalizowany);
