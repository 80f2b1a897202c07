#pragma once

// Lets GoogleTest print Qt values readably in failure messages.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& tekst, std::ostream* os)
{
    *os << '"' << tekst.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bajty, std::ostream* os)
{
    *os << '"' << bajty.toStdString() << '"';
}

inline void PrintTo(const QStringList& lista, std::ostream* os)
{
    *os << '[';
    for (qsizetype i = 0; i < lista.size(); ++i)
        *os << (i ? ", \"" : "\"") << lista[i].toStdString() << '"';
    *os << ']';
}
