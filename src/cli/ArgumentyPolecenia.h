#pragma once

#include <QString>
#include <QStringList>

// Walks a command's arguments in order: options (with or without a value) and plain arguments, with the
// messages every command gives for a missing value and an unknown option.
class TArgumentyPolecenia
{
public:
    TArgumentyPolecenia(const QStringList& argumenty, const QString& nazwaPolecenia);

    // Moves to the next argument; false after the last.
    bool Nastepny();
    const QString& Biezacy() const { return FArgumenty[FIndeks]; }
    bool Jest(const char* opcja) const { return Biezacy() == QLatin1String(opcja); }
    // The current argument starts with "-" (an option this command does not know, once the known ones
    // were tested).
    bool CzyOpcja() const { return Biezacy().startsWith(QLatin1Char('-')); }
    // The value after the current option: "Opcja X wymaga wartości." when there is none.
    QString Wartosc();
    // The same made an absolute path.
    QString Sciezka();
    // The value of --struktura: the folder structure 0, 1 or 2.
    int Struktura();
    // "Nieznany argument polecenia "N": X".
    [[noreturn]] void Nieznany() const;

private:
    QStringList FArgumenty;
    QString FNazwa;
    qsizetype FIndeks = -1;
};
