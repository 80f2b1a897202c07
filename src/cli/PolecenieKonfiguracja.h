#pragma once

#include "cli/Polecenie.h"

#include <QJsonObject>

class TKonfiguracja;

// "konfiguracja": prints the configuration file's path and every value as JSON.
class TPolecenieKonfiguracja : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("konfiguracja"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;

    static QJsonObject KonfiguracjaNaJson(const TKonfiguracja& k);
};
