#pragma once

#include <QList>
#include <QStringList>
#include <QTextStream>

// One option of a command as its help shows it: the form typed ("-o WYNIK", "--struktura 0|1|2") and what
// it does. A form with a space takes a value; a value with "|" is one of the words it lists.
struct TOpcjaPomocy
{
    QString Postac;
    QString Opis;
};

// Everything said about a command: `velostra-cli POLECENIE --help`, the manual page and the shell
// completion are all made from it, so none of them can tell a different story.
struct TPomocPolecenia
{
    // One line in the list of commands.
    QString Opis;
    // The ways to call it, each the arguments after "velostra-cli NAZWA".
    QStringList Skladnia;
    // What it does, in sentences.
    QString Szczegoly;
    QList<TOpcjaPomocy> Opcje;
};

// One subcommand of velostra-cli. Output goes to the streams it is given, so tests run it in-process.
class TPolecenie
{
public:
    virtual ~TPolecenie() = default;

    virtual QString Nazwa() const = 0;
    virtual TPomocPolecenia Pomoc() const = 0;
    // Returns the exit code. Failures are raised as EBlad; the dispatcher prints them.
    virtual int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) = 0;
};
