#include "zestaw/ZestawJson.h"

#include "estimates/Kosztorys.h"
#include "estimates/KosztorysJson.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/WariantSpecyfikacji.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QJsonArray>

namespace {

QJsonValue NumerLubNull(const TSpecyfikacja* s)
{
    return s ? QJsonValue(s->Numer()) : QJsonValue(QJsonValue::Null);
}

QJsonObject PozycjaZbioruNaJson(const TPozycjaZbioru& p)
{
    const TWybranaSpecyfikacja& w = p.WybranaSpecyfikacja();
    return QJsonObject{{QStringLiteral("st"), p.ST()},
                       {QStringLiteral("wlasna"), p.CzyWlasna()},
                       {QStringLiteral("specyfikacja"), NumerLubNull(w.GetSpecyfikacja())},
                       {QStringLiteral("wariant"), NumerLubNull(w.GetWariantSpecyfikacji())},
                       {QStringLiteral("plik"), w.GetPlik()},
                       {QStringLiteral("pozycje"), p.PozycjeCount()}};
}

} // namespace

QJsonObject KonfiguracjaZestawuNaJson(const TKonfiguracjaZestawu& k)
{
    QJsonObject externals;
    for (const auto& [nazwa, wartosc] : k.ExternalValueList())
        externals.insert(nazwa, QJsonValue::fromVariant(wartosc));
    return QJsonObject{
        {QStringLiteral("WersjaProgramu"), k.FWersjaProgramu},
        {QStringLiteral("CzyNaglowek"), k.FCzyNaglowek},
        {QStringLiteral("TrescNaglowka"), k.FTrescNaglowka},
        {QStringLiteral("CzyStopka"), k.FCzyStopka},
        {QStringLiteral("CzyNrStronyStopki"), k.FCzyNrStronyStopki},
        {QStringLiteral("CzyDrukDwustronnyStopki"), k.FCzyDrukDwustronnyStopki},
        {QStringLiteral("CzyWstawiacSzablonPierwszejStrony"), k.FCzyWstawiacSzablonPierwszejStrony},
        {QStringLiteral("TrescStopki"), k.FTrescStopki},
        {QStringLiteral("PierwszaStronaDocTemplate"), k.GetPierwszaStronaDocTemplate()->EncodedPath()},
        {QStringLiteral("PierwszaStronaOdtTemplate"), k.GetPierwszaStronaOdtTemplate()->EncodedPath()},
        {QStringLiteral("CzyEksportDoc"), k.FCzyEksportDoc},
        {QStringLiteral("CzyOtworzDoc"), k.FCzyOtworzDoc},
        {QStringLiteral("CzyWstawTekstDoSt"), k.FCzyWstawTekstDoSt},
        {QStringLiteral("TekstDoSt"), k.FTekstDoSt},
        {QStringLiteral("CzyStylWNaglowku"), k.FCzyStylWNaglowku},
        {QStringLiteral("NazwaStyluWNaglowku"), k.FNazwaStyluWNaglowku},
        {QStringLiteral("CzyWeryfikujStylNaglowka"), k.FCzyWeryfikujStylNaglowka},
        {QStringLiteral("CzyUstawMarginesy"), k.FCzyUstawMarginesy},
        {QStringLiteral("MarginesL"), k.FMarginesL},
        {QStringLiteral("MarginesR"), k.FMarginesR},
        {QStringLiteral("MarginesG"), k.FMarginesG},
        {QStringLiteral("MarginesD"), k.FMarginesD},
        {QStringLiteral("CzyWstawListeStDoWarOgolnych"), k.FCzyWstawListeStDoWarOgolnych},
        {QStringLiteral("Externals"), externals},
    };
}

QJsonObject ZestawNaJson(const TZestawST& zestaw)
{
    QJsonArray kosztorysy;
    for (int i = 0; i < zestaw.KosztorysyCount(); ++i) {
        const TKosztorys& k = *zestaw.GetKosztorys(i);
        QJsonObject json = KosztorysNaJson(k);
        json.insert(QStringLiteral("path"), k.FilePath().EncodedPath());
        kosztorysy.append(json);
    }
    QJsonArray zbior;
    for (int i = 0; i < zestaw.GetZbiorST()->Count(); ++i)
        zbior.append(PozycjaZbioruNaJson(*zestaw.GetZbiorST()->GetPozycjaZbioru(i)));
    return QJsonObject{{QStringLiteral("path"), zestaw.ZestawPath()},
                       {QStringLiteral("sst"), zestaw.SpisSpecyfikacji()->GetSpisStPath()->EncodedPath()},
                       {QStringLiteral("kosztorysy"), kosztorysy},
                       {QStringLiteral("zbior"), zbior},
                       {QStringLiteral("konfiguracja"), KonfiguracjaZestawuNaJson(*zestaw.GetKonfiguracja())}};
}
