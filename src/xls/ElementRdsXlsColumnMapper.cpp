#include "xls/ElementRdsXlsColumnMapper.h"

#include "app/Liczby.h"
#include "estimates/ElementRds.h"
#include "estimates/PozycjaRds.h"
#include "specs/WariantSpecyfikacji.h"
#include "specs/WybranaSpecyfikacja.h"
#include "xls/EksportElementuXlsOpt.h"

#include <QHash>
#include <QSet>

#include <optional>

namespace {

bool CzyZero(const QString& tekst)
{
    const std::optional<double> liczba = TekstNaLiczbeDowolnySeparator(tekst);
    return liczba && *liczba == 0.0;
}

bool CzyWyswietlana(const TEksportElementuXlsOpt& opcje, const QString& columnId)
{
    const TEksportXlsColumn* kolumna = opcje.ColumnList().GetColumn(columnId);
    return kolumna && kolumna->Wyswietlaj();
}

QString NumerSt(const TPozycjaRds& pozycja, const TEksportElementuXlsOpt& opcje)
{
    const TWybranaSpecyfikacja& wybrana = pozycja.WybranaSpecyfikacja();
    if (!wybrana.GetSpecyfikacja())
        return pozycja.ST();
    const bool zWariantem = opcje.WariantWNrSt && !CzyWyswietlana(opcje, QStringLiteral("wariant"));
    // The option is offered only where variants are in use, so it stands for that setting here: a
    // position's choice may carry the first-start settings, which have variants off. A person reads the
    // form: the variant follows the visual separator when the settings have one, else the key's "#".
    TUstawieniaWariantow ustawienia = wybrana.Ustawienia();
    ustawienia.CzyKorzystajZWariantow = true;
    return wybrana.GetST(ustawienia, zWariantem, !ustawienia.WizualnySeparatorWariantow.isEmpty());
}

} // namespace

QString TElementRdsXlsColumnMapper::PobierzWartosc(const QString& columnId, const TPozycjaRds& pozycja,
                                                   const TEksportElementuXlsOpt& opcjeEksportu)
{
    if (columnId == QLatin1String("nrPoz"))
        return pozycja.Nr();
    if (columnId == QLatin1String("podst"))
        return pozycja.Podstawa();
    if (columnId == QLatin1String("opis"))
        return pozycja.Opis();
    if (columnId == QLatin1String("jm"))
        return pozycja.Jm();
    if (columnId == QLatin1String("ilosc"))
        return pozycja.Ilosc();
    if (columnId == QLatin1String("nrSt"))
        return NumerSt(pozycja, opcjeEksportu);
    if (columnId == QLatin1String("wariant")) {
        const TWybranaSpecyfikacja& wybrana = pozycja.WybranaSpecyfikacja();
        if (wybrana.GetSpecyfikacja() && wybrana.GetWariantSpecyfikacji())
            return wybrana.GetWariantSpecyfikacji()->Numer();
        return QString();
    }
    if (!opcjeEksportu.RMSj &&
        (columnId == QLatin1String("Rj") || columnId == QLatin1String("Mj") || columnId == QLatin1String("Sj")))
        return QString();
    if (columnId == QLatin1String("Rj"))
        return pozycja.Rj();
    if (columnId == QLatin1String("Mj"))
        return pozycja.Mj();
    if (columnId == QLatin1String("Sj"))
        return pozycja.Sj();
    if (columnId == QLatin1String("cenaJedn")) {
        // Without the estimate's prices the form leaves prices to be built from their components; a
        // price whose components are all zero exists only as a whole, so it is kept.
        if (opcjeEksportu.EksportujCenyZKosztorysu ||
            (CzyZero(pozycja.Rj()) && CzyZero(pozycja.Mj()) && CzyZero(pozycja.Sj())))
            return pozycja.Cena();
        return QString();
    }
    return QString();
}

QString TElementRdsXlsColumnMapper::PobierzWartosc(const QString& columnId, int columnNr, const TElementRds& element)
{
    if (columnId == QLatin1String("nrPoz"))
        return element.GetNr();
    if (columnNr == 1)
        return element.Opis;
    return QString();
}

TWyrownanie TElementRdsXlsColumnMapper::PobierzAlign(const QString& columnId)
{
    static const QSet<QString> wPrawo = {QStringLiteral("ilosc"),    QStringLiteral("Rj"),
                                         QStringLiteral("Mj"),       QStringLiteral("Sj"),
                                         QStringLiteral("cenaJedn"), QStringLiteral("wartosc")};
    if (columnId == QLatin1String("opis"))
        return TWyrownanie::Lewo;
    return wPrawo.contains(columnId) ? TWyrownanie::Prawo : TWyrownanie::Ogolne;
}

TWyrownanie TElementRdsXlsColumnMapper::PobierzHeaderAlign(const QString& columnId)
{
    static const QSet<QString> wSrodku = {QStringLiteral("opis"),
                                          QStringLiteral("jm"),
                                          QStringLiteral("ilosc"),
                                          QStringLiteral("Rj"),
                                          QStringLiteral("Mj"),
                                          QStringLiteral("Sj"),
                                          QStringLiteral("cenaJedn"),
                                          QStringLiteral("wartosc"),
                                          QStringLiteral("wykonanieIlosc"),
                                          QStringLiteral("wykonanieWartosc"),
                                          QStringLiteral("wykonanieRoznicaProcent"),
                                          QStringLiteral("wykonanieUwagi")};
    return wSrodku.contains(columnId) ? TWyrownanie::Srodek : TWyrownanie::Lewo;
}

int TElementRdsXlsColumnMapper::PobierzSzerokosc(const QString& columnId)
{
    static const QHash<QString, int> szerokosci = {{QStringLiteral("nrPoz"), 63},
                                                   {QStringLiteral("podst"), 90},
                                                   {QStringLiteral("nrSt"), 64},
                                                   {QStringLiteral("opis"), 280},
                                                   {QStringLiteral("jm"), 50},
                                                   {QStringLiteral("ilosc"), 63},
                                                   {QStringLiteral("Rj"), 70},
                                                   {QStringLiteral("Mj"), 70},
                                                   {QStringLiteral("Sj"), 70},
                                                   {QStringLiteral("cenaJedn"), 74},
                                                   {QStringLiteral("wartosc"), 74},
                                                   {QStringLiteral("wariant"), 74},
                                                   {QStringLiteral("wykonanieIlosc"), 63},
                                                   {QStringLiteral("wykonanieWartosc"), 74},
                                                   {QStringLiteral("wykonanieRoznicaProcent"), 74},
                                                   {QStringLiteral("wykonanieUwagi"), 120}};
    return szerokosci.value(columnId, 50);
}
