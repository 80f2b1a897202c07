#include "cli/PolecenieInformator.h"

#include "app/Wyjatki.h"
#include "cli/ArgumentyPolecenia.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "prices/InfCen.h"
#include "prices/ModelInfCen.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

int TPolecenieInformator::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    QString plik;
    QString nazwa;
    QString symbol;
    TArgumentyPolecenia a(argumenty, QStringLiteral("informator"));
    while (a.Nastepny()) {
        if (a.Jest("--nazwa"))
            nazwa = a.Wartosc();
        else if (a.Jest("--symbol"))
            symbol = a.Wartosc();
        else if (a.CzyOpcja() || !plik.isEmpty())
            a.Nieznany();
        else
            plik = QFileInfo(a.Biezacy()).absoluteFilePath();
    }
    if (plik.isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"informator\" wymaga pliku informatora cen (.xml)."));
    TInfCen infCen;
    infCen.WczytajInfCen(plik);
    TModelInfCen model(infCen);
    model.UstawFiltry(nazwa, symbol);
    QJsonArray pozycje;
    for (int i = 0; i < model.rowCount(); ++i) {
        const TInfCenPozycja& p = *model.Pozycja(i);
        pozycje.append(QJsonObject{{QStringLiteral("symbol"), p.Symbol()},
                                   {QStringLiteral("nazwa"), p.Nazwa()},
                                   {QStringLiteral("jm"), p.Jm()},
                                   {QStringLiteral("cenaMin"), p.CenaMin()},
                                   {QStringLiteral("cenaSr"), p.CenaSr()},
                                   {QStringLiteral("cenaMax"), p.CenaMax()},
                                   {QStringLiteral("cenaMnj"), p.CenaMnj()}});
    }
    QJsonArray wspolczynniki;
    for (int i = 0; i < infCen.LiczbaWspolczynnikow(); ++i) {
        const TInfCenWspolczynnik& w = *infCen.PobierzWspolczynnik(i);
        wspolczynniki.append(QJsonObject{{QStringLiteral("region"), w.Region()},
                                         {QStringLiteral("kubaturowe"), w.WspolczKubaturowe()},
                                         {QStringLiteral("inzynieryjne"), w.WspolczInzynieryjne()}});
    }
    WypiszJson(wyjscie, QJsonObject{{QStringLiteral("wydawca"), infCen.Wydawca()},
                                    {QStringLiteral("wydanie"), infCen.Wydanie()},
                                    {QStringLiteral("rok"), infCen.Rok()},
                                    {QStringLiteral("pozycje"), pozycje},
                                    {QStringLiteral("wspolczynniki"), wspolczynniki}});
    return KodSukces;
}

TPomocPolecenia TPolecenieInformator::Pomoc() const
{
    return {QStringLiteral("informator cen jako JSON"),
            {QStringLiteral("PLIK.xml [--nazwa TEKST] [--symbol TEKST]")},
            QStringLiteral("Wypisuje pozycje informatora cen jako JSON, przefiltrowane jak w oknie wyboru ceny."),
            {
                {QStringLiteral("--nazwa TEKST"), QStringLiteral("tylko pozycje, których nazwa zawiera tekst")},
                {QStringLiteral("--symbol TEKST"), QStringLiteral("tylko pozycje, których symbol zawiera tekst")},
            }};
}
