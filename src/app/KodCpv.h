#pragma once

#include <QString>

#include <memory>
#include <vector>

// One code of the Common Procurement Vocabulary, in a tree by level (0 to 3).
class TKodCpv
{
public:
    QString Kod;  // eight digits, a dash and a check digit
    QString Opis; // name
    bool Hidden = false;
    bool Checked = false;
    int Poziom = 0;
    std::vector<std::unique_ptr<TKodCpv>> KodyCpv; // children, owned
    TKodCpv* Parent = nullptr;                     // not owned

    // Hands the code to the nearest ancestor (this one included) whose level is lower than the code's;
    // that one adopts it. Returns the code added.
    TKodCpv* Dodaj(std::unique_ptr<TKodCpv> kod);
    // This code when its code equals the text exactly, else the first hit among the children depth first.
    TKodCpv* Find(const QString& szukanyKod);
    // The code followed directly by the name contains the text, without regard to letter case.
    bool KodContainsText(const QString& tekst) const;
    // Shows the codes that contain the filter (and start with the prefix, when one is given), here and below.
    // A caller marks all codes hidden first.
    void Filtruj(const QString& filtr, const QString& prefiks);
    // Clears the hidden mark of the code and its ancestors.
    void Wyswietl();
    // Clears the hidden and checked marks of the code and its descendants.
    void Clear();
    // Sets the hidden mark of the code and its descendants.
    void Ukryj();
};

using TListaKodowCpv = std::vector<std::unique_ptr<TKodCpv>>;
