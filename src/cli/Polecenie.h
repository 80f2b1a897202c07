#pragma once

#include <QStringList>
#include <QTextStream>

// One subcommand of velostra-cli. Output goes to the streams it is given, so tests run it in-process.
class TPolecenie
{
public:
    virtual ~TPolecenie() = default;

    virtual QString Nazwa() const = 0;
    // One line for the usage text.
    virtual QString Opis() const = 0;
    // Returns the exit code. Failures are raised as EBlad; the dispatcher prints them.
    virtual int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) = 0;
};
