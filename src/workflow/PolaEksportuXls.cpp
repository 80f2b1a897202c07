#include "workflow/PolaEksportuXls.h"

#include "workflow/EksportXlsDialogu.h"
#include "xls/EksportElementuXlsOpt.h"

#include <stdexcept>

namespace {

using TOpcja = bool TEksportElementuXlsOpt::*;

struct TWpis
{
    const char* Id;
    const char* Napis;
    TOpcja Opcja;
};

using O = TEksportElementuXlsOpt;
const TWpis Wpisy[] = {
    {"ChronArkusz", "Chroń arkusz hasłem", &O::ChronArkusz},
    {"WstawTytul", "Wstaw tytuł", &O::WstawTytul},
    {"WstawOpis", "Wstaw opis", &O::WstawOpis},
    {"TytulyKosztorysow", "Tytuły kosztorysów", &O::WstawTytulKosztorysu},
    {"Zaokraglaj", "Zaokrąglaj do miejsc po przecinku:", &O::Zaokraglaj},
    {"FormulyWartosci", "Wstaw formuły wartości", &O::WstawFormuleWartosci},
    {"PodsumowanieElementow", "Wstaw podsumowania elementów", &O::WstawiajPodsumowanieElementow},
    {"CenyZKosztorysu", "Wstaw ceny z kosztorysu", &O::EksportujCenyZKosztorysu},
    {"RMSj", "Wstaw wartości R, M, S jednostkowe", &O::RMSj},
    {"ElementWOpisie", "Nazwy elementów w kolumnie opisu", &O::ElementWOpisie},
    {"WariantWNrSt", "Uwzględnij wariant w Nr ST", &O::WariantWNrSt},
    {"PodsumowanieKoncowe", "Wstaw podsumowanie końcowe", &O::WstawPodsumowanieKoncowe},
    {"VatWPodsumowaniu", "Wstaw VAT, stawka:", &O::WstawVatWPodsumowaniu},
    {"NumeracjaStron", "Numeracja stron w stopce", &O::NumeracjaStronWStopce},
    {"DataWStopce", "Data w stopce", &O::DataWStopce},
    {"OtworzPoEksporcie", "Otwórz plik po eksporcie", &O::OtworzPoEksporcie},
};

TOpcja Opcja(const QString& id)
{
    for (const auto& w : Wpisy)
        if (id == QLatin1String(w.Id))
            return w.Opcja;
    throw std::out_of_range("unknown option " + id.toStdString());
}

} // namespace

const std::vector<TPolaEksportuXls::TPrzelacznik>& TPolaEksportuXls::Przelaczniki()
{
    static const std::vector<TPrzelacznik> lista = [] {
        std::vector<TPrzelacznik> l;
        for (const auto& w : Wpisy)
            l.push_back({QString::fromLatin1(w.Id), QString::fromUtf8(w.Napis)});
        return l;
    }();
    return lista;
}

bool TPolaEksportuXls::Przelacznik(const QString& id) const
{
    return FDialog.Opcje().*Opcja(id);
}

void TPolaEksportuXls::UstawPrzelacznik(const QString& id, bool wartosc)
{
    FDialog.Opcje().*Opcja(id) = wartosc;
}

bool TPolaEksportuXls::CzyDostepny(const QString& id) const
{
    const auto& o = FDialog.Opcje();
    if (id == QLatin1String("MiejscPoPrzecinku"))
        return o.Zaokraglaj;
    if (id == QLatin1String("Tytul"))
        return o.WstawTytul;
    if (id == QLatin1String("Opis") || id == QLatin1String("NaglowekZestawu"))
        return o.WstawOpis;
    if (id == QLatin1String("Ustaw"))
        return o.WstawTytulKosztorysu;
    if (id == QLatin1String("Haslo"))
        return o.ChronArkusz;
    if (id == QLatin1String("CenyZKosztorysu"))
        return FDialog.CzyCenyDostepne();
    if (id == QLatin1String("VatWPodsumowaniu"))
        return o.WstawPodsumowanieKoncowe;
    if (id == QLatin1String("StawkaVat"))
        return o.WstawPodsumowanieKoncowe && o.WstawVatWPodsumowaniu;
    return true;
}

bool TPolaEksportuXls::CzyWidoczny(const QString& id) const
{
    return id != QLatin1String("WariantWNrSt") || FDialog.CzyWariantWidoczny();
}

int TPolaEksportuXls::MiejscPoPrzecinku() const
{
    return FDialog.Opcje().IloscMiejscPoPrzecinku;
}

void TPolaEksportuXls::UstawMiejscPoPrzecinku(int wartosc)
{
    FDialog.Opcje().IloscMiejscPoPrzecinku = wartosc;
}

int TPolaEksportuXls::StawkaVat() const
{
    return FDialog.Opcje().StawkaVat;
}

void TPolaEksportuXls::UstawStawkeVat(int wartosc)
{
    FDialog.Opcje().StawkaVat = wartosc;
}

QString TPolaEksportuXls::Tytul() const
{
    return FDialog.Opcje().Tytul;
}

void TPolaEksportuXls::UstawTytul(const QString& wartosc)
{
    FDialog.Opcje().Tytul = wartosc;
}

QString TPolaEksportuXls::Opis() const
{
    return FDialog.Opcje().Opis;
}

void TPolaEksportuXls::UstawOpis(const QString& wartosc)
{
    FDialog.Opcje().Opis = wartosc;
}

bool TPolaEksportuXls::CzyNaglowekZestawu() const
{
    return FDialog.Opcje().NaglowekZestawuWOpisie;
}

int TPolaEksportuXls::KolumnyCount() const
{
    return FDialog.Opcje().ColumnList().Count();
}

QString TPolaEksportuXls::KolumnaTytul(int i) const
{
    return FDialog.Opcje().ColumnList().GetColumn(i)->Tytul();
}

bool TPolaEksportuXls::CzyKolumnaOpcjonalna(int i) const
{
    return FDialog.Opcje().ColumnList().GetColumn(i)->Opcjonalna();
}

bool TPolaEksportuXls::CzyKolumnaWyswietlana(int i) const
{
    return FDialog.Opcje().ColumnList().GetColumn(i)->Wyswietlaj();
}

void TPolaEksportuXls::UstawKolumneWyswietlana(int i, bool wartosc)
{
    auto* k = FDialog.Opcje().ColumnList().GetColumn(i);
    if (k->Opcjonalna())
        k->SetWyswietlaj(wartosc);
}

bool TPolaEksportuXls::CzyKolumnaChroniona(int i) const
{
    return FDialog.Opcje().ColumnList().GetColumn(i)->Chroniona();
}

void TPolaEksportuXls::UstawKolumneChroniona(int i, bool wartosc)
{
    FDialog.Opcje().ColumnList().GetColumn(i)->SetChroniona(wartosc);
}
