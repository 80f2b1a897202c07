#include "prices/ModelInfCen.h"

#include "prices/InfCen.h"

#include <QLocale>

namespace {

const QStringList NaglowkiCen{QStringLiteral("Lp"),       QStringLiteral("Symbol"),    QStringLiteral("Nazwa"),
                              QStringLiteral("Jm"),       QStringLiteral("Cena min."), QStringLiteral("Cena śr."),
                              QStringLiteral("Cena max"), QStringLiteral("Cena mnj")};
const QStringList NaglowkiWspolczynnikow{QStringLiteral("Region"), QStringLiteral("Kubaturowe"),
                                         QStringLiteral("Inżynieryjne")};

QString Liczba(double wartosc, int miejsc)
{
    return QLocale().toString(wartosc, 'f', miejsc);
}

} // namespace

// ---------------------------------------------------------------- prices

TModelInfCen::TModelInfCen(const TInfCen& infCen, QObject* rodzic) : QAbstractTableModel(rodzic), FInfCen(infCen)
{
    // Folded once, so that a keystroke compares without case conversions.
    FNazwy.reserve(static_cast<std::size_t>(infCen.LiczbaPozycji()));
    FSymbole.reserve(static_cast<std::size_t>(infCen.LiczbaPozycji()));
    for (int i = 0; i < infCen.LiczbaPozycji(); ++i) {
        FNazwy.push_back(infCen.PobierzPozycje(i)->Nazwa().toCaseFolded());
        FSymbole.push_back(infCen.PobierzPozycje(i)->Symbol().toCaseFolded());
    }
    UstawFiltry(QString(), QString());
}

void TModelInfCen::UstawFiltry(const QString& nazwa, const QString& symbol)
{
    beginResetModel();
    const QString n = nazwa.trimmed().toCaseFolded();
    const QString s = symbol.trimmed().toCaseFolded();
    FWiersze.clear();
    for (std::size_t i = 0; i < FNazwy.size(); ++i)
        if ((n.isEmpty() || FNazwy[i].contains(n)) && (s.isEmpty() || FSymbole[i].contains(s)))
            FWiersze.push_back(static_cast<int>(i));
    endResetModel();
}

bool TModelInfCen::CzyMoznaWybrac(const QModelIndex& komorka)
{
    return komorka.isValid() && komorka.column() >= PierwszaKolumnaCeny && komorka.column() < PierwszaKolumnaCeny + 4;
}

const TInfCenPozycja* TModelInfCen::Pozycja(int wiersz) const
{
    return wiersz >= 0 && wiersz < static_cast<int>(FWiersze.size())
               ? FInfCen.PobierzPozycje(FWiersze[static_cast<std::size_t>(wiersz)])
               : nullptr;
}

double TModelInfCen::Cena(const TInfCenPozycja& p, int kolumna)
{
    switch (kolumna - PierwszaKolumnaCeny) {
    case 0:
        return p.CenaMin();
    case 1:
        return p.CenaSr();
    case 2:
        return p.CenaMax();
    default:
        return p.CenaMnj();
    }
}

TModelInfCen::TWybor TModelInfCen::Wybierz(const QModelIndex& komorka) const
{
    TWybor w;
    const TInfCenPozycja* p = Pozycja(komorka.row());
    if (!p || !CzyMoznaWybrac(komorka))
        return w;
    w.Pozycja = p;
    w.Symbol = p->Symbol();
    w.Kolumna = NaglowkiCen.value(komorka.column());
    w.Wartosc = Cena(*p, komorka.column());
    for (int k = PierwszaKolumnaCeny; k < PierwszaKolumnaCeny + 4; ++k)
        w.Ceny.push_back(std::make_unique<TCena>(NaglowkiCen.value(k), Cena(*p, k)));
    return w;
}

int TModelInfCen::rowCount(const QModelIndex& rodzic) const
{
    return rodzic.isValid() ? 0 : static_cast<int>(FWiersze.size());
}

int TModelInfCen::columnCount(const QModelIndex& rodzic) const
{
    return rodzic.isValid() ? 0 : static_cast<int>(NaglowkiCen.size());
}

QVariant TModelInfCen::data(const QModelIndex& indeks, int rola) const
{
    const TInfCenPozycja* p = Pozycja(indeks.row());
    if (!p || rola != Qt::DisplayRole)
        return {};
    switch (indeks.column()) {
    case 0:
        return QString::number(indeks.row() + 1);
    case 1:
        return p->Symbol();
    case 2:
        return p->Nazwa();
    case 3:
        return p->Jm();
    default:
        return Liczba(Cena(*p, indeks.column()), 2);
    }
}

QVariant TModelInfCen::headerData(int sekcja, Qt::Orientation orientacja, int rola) const
{
    if (orientacja != Qt::Horizontal || rola != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sekcja, orientacja, rola);
    return NaglowkiCen.value(sekcja);
}

// ---------------------------------------------------------------- regional coefficients

TModelWspolczynnikow::TModelWspolczynnikow(const TInfCen& infCen, QObject* rodzic)
    : QAbstractTableModel(rodzic), FInfCen(infCen)
{
}

bool TModelWspolczynnikow::CzyMoznaWybrac(const QModelIndex& komorka)
{
    return komorka.isValid() && (komorka.column() == 1 || komorka.column() == 2);
}

double TModelWspolczynnikow::WybranyWspolczynnik(const QModelIndex& komorka) const
{
    const TInfCenWspolczynnik* w = FInfCen.PobierzWspolczynnik(komorka.row());
    if (!w || !CzyMoznaWybrac(komorka))
        return 0;
    return komorka.column() == 1 ? w->WspolczKubaturowe() : w->WspolczInzynieryjne();
}

int TModelWspolczynnikow::rowCount(const QModelIndex& rodzic) const
{
    return rodzic.isValid() ? 0 : FInfCen.LiczbaWspolczynnikow();
}

int TModelWspolczynnikow::columnCount(const QModelIndex& rodzic) const
{
    return rodzic.isValid() ? 0 : static_cast<int>(NaglowkiWspolczynnikow.size());
}

QVariant TModelWspolczynnikow::data(const QModelIndex& indeks, int rola) const
{
    const TInfCenWspolczynnik* w = FInfCen.PobierzWspolczynnik(indeks.row());
    if (!w || rola != Qt::DisplayRole)
        return {};
    if (indeks.column() == 0)
        return w->Region();
    return Liczba(indeks.column() == 1 ? w->WspolczKubaturowe() : w->WspolczInzynieryjne(), 3);
}

QVariant TModelWspolczynnikow::headerData(int sekcja, Qt::Orientation orientacja, int rola) const
{
    if (orientacja != Qt::Horizontal || rola != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sekcja, orientacja, rola);
    return NaglowkiWspolczynnikow.value(sekcja);
}
