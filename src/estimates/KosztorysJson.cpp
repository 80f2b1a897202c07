#include "estimates/KosztorysJson.h"

#include "estimates/Kosztorys.h"

#include <QJsonArray>

namespace {

void DodajDzieci(QJsonObject& obiekt, const TElementRds& element)
{
    QJsonArray pozycje;
    for (int i = 0; i < element.PozycjeCount(); ++i)
        pozycje.append(PozycjaNaJson(*element.GetPozycja(i)));
    QJsonArray elementy;
    for (int i = 0; i < element.ElementyCount(); ++i)
        elementy.append(ElementNaJson(*element.GetElement(i)));
    obiekt[QStringLiteral("pozycje")] = pozycje;
    obiekt[QStringLiteral("elementy")] = elementy;
}

} // namespace

QJsonObject PozycjaNaJson(const TPozycjaRds& p)
{
    return QJsonObject{
        {QStringLiteral("id"), p.Id()},
        {QStringLiteral("nr"), p.Nr()},
        {QStringLiteral("st"), p.ST()},
        {QStringLiteral("podstawa"), p.Podstawa()},
        {QStringLiteral("opis"), p.Opis()},
        {QStringLiteral("jm"), p.Jm()},
        {QStringLiteral("ilosc"), p.Ilosc()},
        {QStringLiteral("cena"), p.Cena()},
        {QStringLiteral("rj"), p.Rj()},
        {QStringLiteral("mj"), p.Mj()},
        {QStringLiteral("sj"), p.Sj()},
        {QStringLiteral("aktywna"), p.Aktywna()},
        {QStringLiteral("czyScalona"), p.CzyScalona},
    };
}

QJsonObject ElementNaJson(const TElementRds& element)
{
    QJsonObject obiekt{
        {QStringLiteral("nr"), element.GetNr()},
        {QStringLiteral("opis"), element.Opis},
        {QStringLiteral("pz"), element.GetPz()},
    };
    DodajDzieci(obiekt, element);
    return obiekt;
}

QJsonObject KosztorysNaJson(const TKosztorys& kosztorys)
{
    QJsonObject obiekt{
        {QStringLiteral("tytul"), kosztorys.Tytul()},
        {QStringLiteral("id"), kosztorys.Id},
        {QStringLiteral("opis"), kosztorys.Opis},
    };
    DodajDzieci(obiekt, kosztorys);
    return obiekt;
}
