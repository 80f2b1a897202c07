#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// A compiled PCRE2 pattern that works on QString data as it is (16-bit code units).
// The program's patterns are Perl-compatible; this keeps them exactly as written.
class TWyrazenieRegularne
{
public:
    // Throws EBlad with the compiler's message when the pattern is wrong.
    explicit TWyrazenieRegularne(const QString& wzorzec, bool bezWielkosciLiter = false);
    ~TWyrazenieRegularne();
    TWyrazenieRegularne(const TWyrazenieRegularne&) = delete;
    TWyrazenieRegularne& operator=(const TWyrazenieRegularne&) = delete;

    struct TDopasowanie
    {
        bool Jest = false;
        // Group 0 is the whole match; a group that took no part is an empty text.
        QStringList Grupy;
        QString Grupa(int i) const { return i < Grupy.size() ? Grupy[i] : QString(); }
    };

    // The first match anywhere in the text, from the given position.
    TDopasowanie Dopasuj(const QString& tekst, qsizetype odPozycji = 0) const;
    bool CzyPasuje(const QString& tekst) const { return Dopasuj(tekst).Jest; }

private:
    struct TDane;
    std::unique_ptr<TDane> FDane;
};
