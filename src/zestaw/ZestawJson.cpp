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
        {QStringLiteral("WersjaProgramu"), k.WersjaProgramu},
        {QStringLiteral("CzyNaglowek"), k.CzyNaglowek},
        {QStringLiteral("TrescNaglowka"), k.TrescNaglowka},
        {QStringLiteral("CzyStopka"), k.CzyStopka},
        {QStringLiteral("CzyNrStronyStopki"), k.CzyNrStronyStopki},
        {QStringLiteral("CzyDrukDwustronnyStopki"), k.CzyDrukDwustronnyStopki},
        {QStringLiteral("CzyWstawiacSzablonPierwszejStrony"), k.CzyWstawiacSzablonPierwszejStrony},
        {QStringLiteral("TrescStopki"), k.TrescStopki},
        {QStringLiteral("PierwszaStronaDocTemplate"), k.GetPierwszaStronaDocTemplate()->EncodedPath()},
        {QStringLiteral("PierwszaStronaOdtTemplate"), k.GetPierwszaStronaOdtTemplate()->EncodedPath()},
        {QStringLiteral("CzyEksportDoc"), k.CzyEksportDoc},
        {QStringLiteral("CzyOtworzDoc"), k.CzyOtworzDoc},
        {QStringLiteral("CzyWstawTekstDoSt"), k.CzyWstawTekstDoSt},
        {QStringLiteral("TekstDoSt"), k.TekstDoSt},
        {QStringLiteral("CzyStylWNaglowku"), k.CzyStylWNaglowku},
        {QStringLiteral("NazwaStyluWNaglowku"), k.NazwaStyluWNaglowku},
        {QStringLiteral("CzyWeryfikujStylNaglowka"), k.CzyWeryfikujStylNaglowka},
        {QStringLiteral("CzyUstawMarginesy"), k.CzyUstawMarginesy},
        {QStringLiteral("MarginesL"), k.MarginesL},
        {QStringLiteral("MarginesR"), k.MarginesR},
        {QStringLiteral("MarginesG"), k.MarginesG},
        {QStringLiteral("MarginesD"), k.MarginesD},
        {QStringLiteral("CzyWstawListeStDoWarOgolnych"), k.CzyWstawListeStDoWarOgolnych},
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
