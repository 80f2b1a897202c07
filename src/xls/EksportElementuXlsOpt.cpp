#include "xls/EksportElementuXlsOpt.h"

#include "app/Liczby.h"
#include "app/Xml.h"
#include "specs/KonfiguracjaZestawu.h"
#include "xls/WyjatkiXls.h"

#include <QVariant>

#include <climits>
#include <optional>
#include <variant>

namespace {

using T = TEksportElementuXlsOpt;

struct TKlucz
{
    const char* Nazwa;
    std::variant<bool T::*, int T::*, QString T::*> Pole;
    int Min = INT_MIN; // an integer outside the range counts as not stored
    int Max = INT_MAX;
};

// The stored options in the order they are written and read.
const TKlucz Klucze[] = {
    {"xlsZaokraglaj", &T::Zaokraglaj},
    {"xlsIloscMiejscPoPrzecinku", &T::IloscMiejscPoPrzecinku, 0, 10},
    {"xlsWstawFormuleWartosci", &T::WstawFormuleWartosci},
    {"xlsWstawiajPodsumowanieElementow", &T::WstawiajPodsumowanieElementow},
    {"xlsEksportujCenyZKosztorysu", &T::EksportujCenyZKosztorysu},
    {"xlsWstawTytul", &T::WstawTytul},
    {"xlsTytul", &T::Tytul},
    {"xlsWstawOpis", &T::WstawOpis},
    {"xlsOpis", &T::Opis},
    {"xlsNaglowekZestawuWOpisie", &T::NaglowekZestawuWOpisie},
    {"xlsWstawPodsumowanieKoncowe", &T::WstawPodsumowanieKoncowe},
    {"xlsWstawVatWPodsumowaniu", &T::WstawVatWPodsumowaniu},
    {"xlsStawkaVat", &T::StawkaVat, 0, 100},
    {"xlsFormatLiczbIndex", &T::FormatLiczbIndex},
    {"xlsOtworzPoEksporcie", &T::OtworzPoEksporcie},
    {"xlsNumeracjaStronWStopce", &T::NumeracjaStronWStopce},
    {"xlsDataWStopce", &T::DataWStopce},
    {"xlsElementWOpisie", &T::ElementWOpisie},
    {"xlsChronArkusz", &T::ChronArkusz},
    {"xlsWariantWNrST", &T::WariantWNrSt},
    {"xlsWstawTytulKosztorysu", &T::WstawTytulKosztorysu},
    {"xlsRmsj", &T::RMSj},
    {"xlsWykonanie", &T::Wykonanie},
};

const QString PrefiksWyswietlania = QStringLiteral("xlsCol-");
const QString PrefiksOchrony = QStringLiteral("xlsColProtect-");

// A stored value reaches us as whatever was put in (this session) or as text (read from the set file);
// going through text treats both alike.
std::optional<QString> Tekst(const TKonfiguracjaZestawu& konfiguracja, const QString& klucz)
{
    QVariant wartosc = konfiguracja.GetExternalNode(klucz);
    if (wartosc.isNull() || !wartosc.convert(QMetaType::fromType<QString>()))
        return std::nullopt;
    return wartosc.toString();
}

std::optional<bool> Logiczna(const TKonfiguracjaZestawu& konfiguracja, const QString& klucz)
{
    const std::optional<QString> tekst = Tekst(konfiguracja, klucz);
    return tekst ? TekstNaLogiczna(*tekst) : std::nullopt;
}

QString TekstLogiczny(bool wartosc)
{
    return wartosc ? QStringLiteral("true") : QStringLiteral("false");
}

// Thrown inside Wczytaj only, to give up the read at the first unusable value.
struct TNieprzeczytane
{
};

} // namespace

void TEksportElementuXlsOpt::SetDefaults()
{
    *this = TEksportElementuXlsOpt();
}

bool TEksportElementuXlsOpt::Wczytaj(const TKonfiguracjaZestawu& konfiguracja)
{
    TEksportElementuXlsOpt opcje;
    try {
        for (const TKlucz& k : Klucze) {
            const QString klucz = QString::fromLatin1(k.Nazwa);
            const std::optional<QString> tekst = Tekst(konfiguracja, klucz);
            if (!tekst)
                throw TNieprzeczytane();
            if (const auto logiczne = std::get_if<bool T::*>(&k.Pole)) {
                const std::optional<bool> wartosc = TekstNaLogiczna(*tekst);
                if (!wartosc)
                    throw TNieprzeczytane();
                opcje.*(*logiczne) = *wartosc;
            } else if (const auto calkowite = std::get_if<int T::*>(&k.Pole)) {
                const std::optional<int> wartosc = TekstNaCalkowita(*tekst);
                if (!wartosc || *wartosc < k.Min || *wartosc > k.Max)
                    throw TNieprzeczytane();
                opcje.*(*calkowite) = *wartosc;
            } else {
                opcje.*std::get<QString T::*>(k.Pole) = *tekst;
            }
        }
        for (int i = 0; i < opcje.FColumnList.Count(); ++i) {
            TEksportXlsColumn& kolumna = *opcje.FColumnList.GetColumn(i);
            const std::optional<bool> wyswietlaj = Logiczna(konfiguracja, PrefiksWyswietlania + kolumna.Id());
            const std::optional<bool> chroniona = Logiczna(konfiguracja, PrefiksOchrony + kolumna.Id());
            if (!wyswietlaj || !chroniona)
                throw TNieprzeczytane();
            kolumna.SetWyswietlaj(*wyswietlaj);
            kolumna.SetChroniona(*chroniona);
        }
    } catch (const TNieprzeczytane&) {
        SetDefaults();
        return false;
    } catch (const EWymaganaKolumnaException&) {
        SetDefaults();
        return false;
    }
    *this = opcje;
    return true;
}

void TEksportElementuXlsOpt::Zapisz(TKonfiguracjaZestawu& konfiguracja) const
{
    for (const TKlucz& k : Klucze) {
        QString tekst;
        if (const auto logiczne = std::get_if<bool T::*>(&k.Pole))
            tekst = TekstLogiczny(this->*(*logiczne));
        else if (const auto calkowite = std::get_if<int T::*>(&k.Pole))
            tekst = QString::number(this->*(*calkowite));
        else
            tekst = this->*std::get<QString T::*>(k.Pole);
        konfiguracja.AddExternalNode(QString::fromLatin1(k.Nazwa), tekst);
    }
    for (int i = 0; i < FColumnList.Count(); ++i) {
        const TEksportXlsColumn& kolumna = *FColumnList.GetColumn(i);
        konfiguracja.AddExternalNode(PrefiksWyswietlania + kolumna.Id(), TekstLogiczny(kolumna.Wyswietlaj()));
        konfiguracja.AddExternalNode(PrefiksOchrony + kolumna.Id(), TekstLogiczny(kolumna.Chroniona()));
    }
}
