// The spreadsheet export's vocabulary: its columns, options stored in a set's configuration, the values,
// alignments and widths of the columns, and cell addresses.

#include "app/Xml.h"
#include "estimates/ElementRds.h"
#include "estimates/PozycjaRds.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/QtGTest.h"
#include "xls/EksportElementuXlsOpt.h"
#include "xls/ElementRdsXlsColumnMapper.h"
#include "xls/WyjatkiXls.h"
#include "xls/XlsUtils.h"

#include <QStringList>

#include <pugixml.hpp>

#include <gtest/gtest.h>

namespace {

using TMapper = TElementRdsXlsColumnMapper;

// Every stored key with its value, in the order written: a whole set of options at a glance.
QStringList Obraz(const TEksportElementuXlsOpt& opcje)
{
    TKonfiguracjaZestawu k;
    opcje.Zapisz(k);
    QStringList wynik;
    for (const auto& [nazwa, wartosc] : k.ExternalValueList())
        wynik << nazwa + QLatin1Char('=') + wartosc.toString();
    return wynik;
}

// Options differing from the defaults in every field.
TEksportElementuXlsOpt Inne()
{
    TEksportElementuXlsOpt o;
    o.Zaokraglaj = o.WstawFormuleWartosci = o.WstawiajPodsumowanieElementow = o.WstawPodsumowanieKoncowe = false;
    o.WstawVatWPodsumowaniu = o.OtworzPoEksporcie = o.NumeracjaStronWStopce = o.DataWStopce = o.RMSj = false;
    o.EksportujCenyZKosztorysu = o.WstawTytul = o.WstawOpis = o.NaglowekZestawuWOpisie = o.ElementWOpisie = true;
    o.ChronArkusz = o.WariantWNrSt = o.WstawTytulKosztorysu = o.Wykonanie = true;
    o.IloscMiejscPoPrzecinku = 10;
    o.StawkaVat = 0;
    o.FormatLiczbIndex = 165;
    o.Tytul = QStringLiteral("Przedmiar – ul. Żeromskiego");
    o.Opis = QStringLiteral("Linia \"pierwsza\" & <druga>\nlinia trzecia");
    o.HasloOchrony = QStringLiteral("tajne");
    o.ColumnList().GetColumn(QStringLiteral("podst"))->SetWyswietlaj(false);
    o.ColumnList().GetColumn(QStringLiteral("nrPoz"))->SetChroniona(false);
    o.ColumnList().GetColumn(QStringLiteral("wartosc"))->SetChroniona(true);
    return o;
}

class EksportXlsOpcje : public TTestZKonfiguracja
{
};

TEST(EksportXlsKolumny, StalaListaKolumn)
{
    struct
    {
        const char *Id, *Nazwa, *Tytul;
        bool Opcjonalna, Chroniona;
    } const oczekiwane[] = {{"nrPoz", "nrPoz", "Nr pozycji", false, true},
                            {"podst", "podst", "Podstawa", true, true},
                            {"nrSt", "stwior", "Nr ST", true, true},
                            {"wariant", "wariant", "Wariant ST", true, true},
                            {"opis", "opis", "Opis", false, true},
                            {"jm", "jm", "Jm", false, true},
                            {"ilosc", "ilosc", "Ilość", false, true},
                            {"Rj", "Rj", "Rj", true, true},
                            {"Mj", "Mj", "Mj", true, true},
                            {"Sj", "Sj", "Sj", true, true},
                            {"cenaJedn", "cenaJedn", "Cena jednost.", true, false},
                            {"wartosc", "wartosc", "Wartość", true, false}};
    TEksportXlsColumnList lista;
    ASSERT_EQ(lista.Count(), 12);
    EXPECT_EQ(lista.WyswietlaneCount(), 12);
    for (int i = 0; i < 12; ++i) {
        TEksportXlsColumn* k = lista.GetColumn(i);
        EXPECT_EQ(k->Id(), QString::fromUtf8(oczekiwane[i].Id));
        EXPECT_EQ(k->Nazwa(), QString::fromUtf8(oczekiwane[i].Nazwa));
        EXPECT_EQ(k->Tytul(), QString::fromUtf8(oczekiwane[i].Tytul));
        EXPECT_EQ(k->Opcjonalna(), oczekiwane[i].Opcjonalna);
        EXPECT_EQ(k->Chroniona(), oczekiwane[i].Chroniona);
        EXPECT_TRUE(k->Wyswietlaj());
        EXPECT_EQ(lista.GetColumn(k->Id()), k);
        if (!k->Opcjonalna()) {
            try {
                k->SetWyswietlaj(false);
                ADD_FAILURE() << "hid a required column " << oczekiwane[i].Id;
            } catch (const EWymaganaKolumnaException& e) {
                EXPECT_EQ(e.Komunikat(), QStringLiteral("Wybrana kolumna nie możne być ukryta."));
            }
            EXPECT_TRUE(k->Wyswietlaj());
        }
    }
    EXPECT_EQ(lista.GetColumn(QStringLiteral("NRPOZ")), nullptr);
    EXPECT_EQ(lista.GetColumn(-1), nullptr);
    EXPECT_EQ(lista.GetColumn(12), nullptr);
}

TEST(EksportXlsKolumny, UkrywanieDomyslneIKopia)
{
    TEksportXlsColumnList lista;
    TEksportXlsColumn* rj = lista.GetColumn(QStringLiteral("Rj"));
    rj->SetWyswietlaj(false);
    rj->SetChroniona(false);
    lista.GetColumn(QStringLiteral("cenaJedn"))->SetChroniona(true);
    EXPECT_EQ(lista.WyswietlaneCount(), 11);

    TEksportXlsColumnList kopia(lista);
    lista.SetDefaults();
    EXPECT_EQ(lista.WyswietlaneCount(), 12);
    EXPECT_TRUE(rj->Chroniona());
    EXPECT_FALSE(lista.GetColumn(QStringLiteral("cenaJedn"))->Chroniona());
    EXPECT_FALSE(kopia.GetColumn(QStringLiteral("Rj"))->Wyswietlaj()); // the copy is its own

    lista = kopia; // the columns stay where they were
    EXPECT_EQ(lista.GetColumn(QStringLiteral("Rj")), rj);
    EXPECT_FALSE(rj->Wyswietlaj());
    EXPECT_TRUE(lista.GetColumn(QStringLiteral("cenaJedn"))->Chroniona());
}

TEST_F(EksportXlsOpcje, DomyslneIKolejnoscKluczy)
{
    const QStringList oczekiwane =
        QString::fromLatin1(
            "xlsZaokraglaj=true xlsIloscMiejscPoPrzecinku=2 xlsWstawFormuleWartosci=true "
            "xlsWstawiajPodsumowanieElementow=true xlsEksportujCenyZKosztorysu=false xlsWstawTytul=false xlsTytul= "
            "xlsWstawOpis=false xlsOpis= xlsNaglowekZestawuWOpisie=false xlsWstawPodsumowanieKoncowe=true "
            "xlsWstawVatWPodsumowaniu=true xlsStawkaVat=23 xlsFormatLiczbIndex=0 xlsOtworzPoEksporcie=true "
            "xlsNumeracjaStronWStopce=true xlsDataWStopce=true xlsElementWOpisie=false xlsChronArkusz=false "
            "xlsWariantWNrST=false xlsWstawTytulKosztorysu=false xlsRmsj=true xlsWykonanie=false")
            .split(QLatin1Char(' '));
    QStringList kolumny;
    for (const char* id :
         {"nrPoz", "podst", "nrSt", "wariant", "opis", "jm", "ilosc", "Rj", "Mj", "Sj", "cenaJedn", "wartosc"}) {
        const bool chroniona = qstrcmp(id, "cenaJedn") != 0 && qstrcmp(id, "wartosc") != 0;
        kolumny << QStringLiteral("xlsCol-%1=true").arg(id)
                << QStringLiteral("xlsColProtect-%1=%2").arg(id, chroniona ? "true" : "false");
    }
    const TEksportElementuXlsOpt opcje;
    EXPECT_EQ(Obraz(opcje), oczekiwane + kolumny);
    EXPECT_TRUE(opcje.HasloOchrony.isEmpty());

    TEksportElementuXlsOpt zmienione = Inne();
    zmienione.SetDefaults();
    EXPECT_EQ(Obraz(zmienione), oczekiwane + kolumny);
    EXPECT_TRUE(zmienione.HasloOchrony.isEmpty());
}

TEST_F(EksportXlsOpcje, ZapisIOdczytPrzezPlikZestawu)
{
    const TEksportElementuXlsOpt zapisane = Inne();
    TKonfiguracjaZestawu k;
    zapisane.Zapisz(k);
    pugi::xml_document dok;
    NowyDokumentXml(dok);
    pugi::xml_node zestaw = dok.append_child("zestaw");
    k.Save(zestaw);
    pugi::xml_document odczyt;
    ParsujXml(XmlNaBajty(dok), odczyt);
    TKonfiguracjaZestawu wczytana;
    wczytana.Load(odczyt.document_element());

    TEksportElementuXlsOpt opcje;
    opcje.HasloOchrony = QStringLiteral("stare");
    ASSERT_TRUE(opcje.Wczytaj(wczytana));
    EXPECT_EQ(Obraz(opcje), Obraz(zapisane));
    EXPECT_EQ(opcje.Opis, zapisane.Opis);
    EXPECT_TRUE(opcje.HasloOchrony.isEmpty());
    EXPECT_FALSE(k.GetExternalNode(QStringLiteral("xlsHasloOchrony")).isValid());
}

TEST_F(EksportXlsOpcje, OdczytWszystkoAlboDomyslne)
{
    // Stored non-default options with one key changed (a null value: the key left out). A value that
    // reads carries the same option as before; the others are given as other writers give them.
    const struct
    {
        const char* Klucz;
        QVariant Wartosc;
        bool Przeczytane;
    } przypadki[] = {{"xlsRmsj", QVariant(), false},
                     {"xlsColProtect-wartosc", QVariant(), false},
                     {"xlsTytul", QVariant(), false},
                     {"xlsZaokraglaj", QStringLiteral("tak"), false},
                     {"xlsCol-opis", QStringLiteral("false"), false},
                     {"xlsCol-opis", false, false},
                     {"xlsIloscMiejscPoPrzecinku", QStringLiteral("11"), false},
                     {"xlsIloscMiejscPoPrzecinku", QStringLiteral("-1"), false},
                     {"xlsStawkaVat", QStringLiteral("-1"), false},
                     {"xlsStawkaVat", QStringLiteral("101"), false},
                     {"xlsFormatLiczbIndex", QStringLiteral("1,5"), false},
                     {"xlsZaokraglaj", QStringLiteral("0"), true},
                     {"xlsRmsj", QStringLiteral("FALSE"), true},
                     {"xlsCol-podst", QVariant(0), true},
                     {"xlsStawkaVat", QVariant(0), true},
                     {"xlsStawkaVat", QStringLiteral(" 0 "), true}};
    TKonfiguracjaZestawu zapisana;
    Inne().Zapisz(zapisana);
    for (const auto& p : przypadki) {
        SCOPED_TRACE(QStringLiteral("%1=%2").arg(p.Klucz, p.Wartosc.toString()).toStdString());
        TKonfiguracjaZestawu k;
        for (const auto& [nazwa, wartosc] : zapisana.ExternalValueList())
            if (nazwa != QLatin1String(p.Klucz))
                k.AddExternalNode(nazwa, wartosc);
            else if (!p.Wartosc.isNull())
                k.AddExternalNode(nazwa, p.Wartosc);
        TEksportElementuXlsOpt opcje = Inne();
        EXPECT_EQ(opcje.Wczytaj(k), p.Przeczytane);
        EXPECT_EQ(Obraz(opcje), p.Przeczytane ? Obraz(Inne()) : Obraz(TEksportElementuXlsOpt()));
        EXPECT_TRUE(opcje.HasloOchrony.isEmpty());
    }
}

TEST_F(EksportXlsOpcje, WartosciPozycji)
{
    TSpecyfikacja spec(QStringLiteral("D-01.01"), false, false, QString(), QString(), QStringLiteral("Roboty"));
    auto* wariant = new TWariantSpecyfikacji(QStringLiteral("B"), QStringLiteral("ręcznie"), QString(), QString());
    ASSERT_TRUE(spec.AddWariant(std::unique_ptr<TWariantSpecyfikacji>(wariant)));
    TPozycjaRds poz;
    poz.SetNr(QStringLiteral("3 d.1"));
    poz.SetPodstawa(QStringLiteral("KNR 2-01"));
    poz.SetOpis(QStringLiteral("Wykopy"));
    poz.SetJm(QStringLiteral("m3"));
    poz.SetIlosc(QStringLiteral("12,5"));
    poz.SetST(QStringLiteral("D-99 własne"));
    poz.SetRj(QStringLiteral("10,00"));
    poz.SetMj(QStringLiteral("5"));
    poz.SetSj(QStringLiteral("0"));
    poz.SetCena(QStringLiteral("15,00"));
    const struct
    {
        int Wybor; // 0: none, 1: a specification, 2: a specification with its variant
        bool WariantWNrSt, KolumnaWariantu;
        const char *Kolumna, *Oczekiwane;
    } przypadki[] = {{0, false, true, "nrPoz", "3 d.1"}, {0, false, true, "podst", "KNR 2-01"},
                     {0, false, true, "opis", "Wykopy"}, {0, false, true, "jm", "m3"},
                     {0, false, true, "ilosc", "12,5"},  {0, false, true, "Rj", "10,00"},
                     {0, false, true, "Mj", "5"},        {0, false, true, "Sj", "0"},
                     {0, false, true, "cenaJedn", ""},   {0, false, true, "wartosc", ""},
                     {0, false, true, "inna", ""},       {0, true, false, "nrSt", "D-99 własne"},
                     {0, true, false, "wariant", ""},    {1, true, false, "nrSt", "D-01.01"},
                     {1, true, false, "wariant", ""},    {2, false, false, "nrSt", "D-01.01"},
                     {2, true, true, "nrSt", "D-01.01"}, {2, true, false, "nrSt", "D-01.01#B"},
                     {2, false, true, "wariant", "B"},   {2, true, false, "wariant", "B"}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.Kolumna << ' ' << p.Wybor << p.WariantWNrSt << p.KolumnaWariantu);
        poz.WybranaSpecyfikacja().SetSpecyfikacja(p.Wybor > 0 ? &spec : nullptr);
        if (p.Wybor > 1)
            poz.WybranaSpecyfikacja().SetWariantSpecyfikacji(wariant);
        TEksportElementuXlsOpt opcje;
        opcje.WariantWNrSt = p.WariantWNrSt;
        opcje.ColumnList().GetColumn(QStringLiteral("wariant"))->SetWyswietlaj(p.KolumnaWariantu);
        EXPECT_EQ(TMapper::PobierzWartosc(QString::fromUtf8(p.Kolumna), poz, opcje), QString::fromUtf8(p.Oczekiwane));
    }
}

TEST(EksportXlsMapper, RMSjICenaJednostkowa)
{
    struct
    {
        bool Rmsj, Ceny;
        const char *Rj, *Mj, *Sj, *Cena;
    } const przypadki[] = {{true, true, "10", "1", "2", "13"},      {true, false, "10", "0", "0", ""},
                           {true, false, "0,00", "0.0", "0", "13"}, {true, false, "", "0", "0", ""},
                           {true, false, "0", "0", "x", ""},        {false, false, "0", "0", "0", "13"}};
    for (const auto& p : przypadki) {
        TPozycjaRds poz;
        poz.SetRj(QString::fromUtf8(p.Rj));
        poz.SetMj(QString::fromUtf8(p.Mj));
        poz.SetSj(QString::fromUtf8(p.Sj));
        poz.SetCena(QStringLiteral("13"));
        TEksportElementuXlsOpt opcje;
        opcje.RMSj = p.Rmsj;
        opcje.EksportujCenyZKosztorysu = p.Ceny;
        EXPECT_EQ(TMapper::PobierzWartosc(QStringLiteral("cenaJedn"), poz, opcje), QString::fromUtf8(p.Cena)) << p.Rj;
        for (const char* id : {"Rj", "Mj", "Sj"}) {
            const QString wartosc = TMapper::PobierzWartosc(QString::fromUtf8(id), poz, opcje);
            EXPECT_EQ(wartosc.isEmpty(), !p.Rmsj || (id[0] == 'R' && !*p.Rj)) << id;
        }
    }
}

TEST(EksportXlsMapper, WierszElementu)
{
    const TElementRds element(QStringLiteral("1.2"), 0, QStringLiteral("Roboty ziemne"));
    EXPECT_EQ(TMapper::PobierzWartosc(QStringLiteral("nrPoz"), 0, element), QStringLiteral("1.2"));
    EXPECT_EQ(TMapper::PobierzWartosc(QStringLiteral("podst"), 1, element), QStringLiteral("Roboty ziemne"));
    EXPECT_EQ(TMapper::PobierzWartosc(QStringLiteral("opis"), 4, element), QString());
    EXPECT_EQ(TMapper::PobierzWartosc(QStringLiteral("nrSt"), 2, element), QString());
}

TEST(EksportXlsMapper, WyrownanieISzerokosc)
{
    using W = TWyrownanie;
    struct
    {
        const char* Id;
        W Dane, Naglowek;
        int Px;
    } const przypadki[] = {{"nrPoz", W::Ogolne, W::Lewo, 63},
                           {"podst", W::Ogolne, W::Lewo, 90},
                           {"nrSt", W::Ogolne, W::Lewo, 64},
                           {"wariant", W::Ogolne, W::Lewo, 74},
                           {"opis", W::Lewo, W::Srodek, 280},
                           {"jm", W::Ogolne, W::Srodek, 50},
                           {"ilosc", W::Prawo, W::Srodek, 63},
                           {"Rj", W::Prawo, W::Srodek, 70},
                           {"Mj", W::Prawo, W::Srodek, 70},
                           {"Sj", W::Prawo, W::Srodek, 70},
                           {"cenaJedn", W::Prawo, W::Srodek, 74},
                           {"wartosc", W::Prawo, W::Srodek, 74},
                           {"wykonanieIlosc", W::Ogolne, W::Srodek, 63},
                           {"wykonanieWartosc", W::Ogolne, W::Srodek, 74},
                           {"wykonanieRoznicaProcent", W::Ogolne, W::Srodek, 74},
                           {"wykonanieUwagi", W::Ogolne, W::Srodek, 120},
                           {"inna", W::Ogolne, W::Lewo, 50}};
    for (const auto& p : przypadki) {
        const QString id = QString::fromUtf8(p.Id);
        EXPECT_EQ(TMapper::PobierzAlign(id), p.Dane) << p.Id;
        EXPECT_EQ(TMapper::PobierzHeaderAlign(id), p.Naglowek) << p.Id;
        EXPECT_EQ(TMapper::PobierzSzerokosc(id), p.Px) << p.Id;
    }
}

TEST(EksportXlsAdres, KolumnyILiczbyWierszy)
{
    struct
    {
        int Wiersz, Kolumna;
        const char* Adres;
    } const przypadki[] = {{0, 0, "A1"},    {4, 7, "H5"},   {0, 25, "Z1"},          {0, 26, "AA1"},
                           {9, 51, "AZ10"}, {0, 52, "BA1"}, {65535, 255, "IV65536"}};
    for (const auto& p : przypadki)
        EXPECT_EQ(TXlsUtils::GetAdresKomorki(p.Wiersz, p.Kolumna), QString::fromLatin1(p.Adres));
    EXPECT_THROW(TXlsUtils::GetAdresKomorki(-1, 0), EBlad);
}

} // namespace
