#include "xls/ArkuszKosztorysuXls.h"

#include "app/Liczby.h"
#include "estimates/Kosztorys.h"
#include "xls/EksportElementuXlsOpt.h"
#include "xls/ElementRdsXlsColumnMapper.h"
#include "xls/XlsUtils.h"

#include <algorithm>

namespace {

bool CzyLiczbowa(const QString& id)
{
    static const QStringList liczbowe{QStringLiteral("ilosc"), QStringLiteral("Rj"),       QStringLiteral("Mj"),
                                      QStringLiteral("Sj"),    QStringLiteral("cenaJedn"), QStringLiteral("wartosc")};
    return liczbowe.contains(id);
}

TFormatKomorki FormatWiersza(bool pogrubiony)
{
    TFormatKomorki f;
    f.Rozmiar = 8;
    f.Pogrubienie = pogrubiony;
    f.Zawijaj = true;
    f.SrodekPionowo = true;
    return f;
}

} // namespace

TEksportElementuXls::TArkuszKosztorysu::TArkuszKosztorysu(TEksportElementuXls& eksport, TSkoroszyt& skoroszyt,
                                                          TArkusz& arkusz, const TKosztorys& kosztorys)
    : FEksport(eksport), FOpcje(eksport.OpcjeEksportu()), FSkoroszyt(skoroszyt), FArkusz(arkusz), FKosztorys(kosztorys)
{
    PrzygotujKolumny();
}

int TEksportElementuXls::TArkuszKosztorysu::NrKolumny(const QString& id) const
{
    for (const auto& k : FKolumny)
        if (k.Id == id)
            return k.Nr;
    return -1;
}

QString TEksportElementuXls::TArkuszKosztorysu::Adres(int wiersz, int kolumna) const
{
    return TXlsUtils::GetAdresKomorki(wiersz, kolumna);
}

void TEksportElementuXls::TArkuszKosztorysu::PrzygotujKolumny()
{
    const auto& lista = FOpcje.ColumnList();
    for (int i = 0, nr = 1; i < lista.Count(); ++i) {
        const auto* kolumna = lista.GetColumn(i);
        if (!kolumna->Wyswietlaj())
            continue;
        TKolumna k;
        k.Id = kolumna->Id();
        k.Nr = nr++;
        k.Liczbowa = CzyLiczbowa(k.Id);
        k.Odblokowana = FOpcje.ChronArkusz && !kolumna->Chroniona();
        FKolumny.push_back(k);
    }
    FOstatniaKolumna = FKolumny.empty() ? 0 : FKolumny.back().Nr;
    FKolumnaWartosci = NrKolumny(QStringLiteral("wartosc"));
    FKolumnaIlosci = NrKolumny(QStringLiteral("ilosc"));
    FKolumnaCeny = NrKolumny(QStringLiteral("cenaJedn"));
    FKolumnaOpisu = NrKolumny(QStringLiteral("opis"));
    for (const char* id : {"Rj", "Mj", "Sj"})
        if (const int nr = NrKolumny(QLatin1String(id)); nr >= 0)
            FKolumnySkladnikow.push_back(nr);

    const int formatLiczb = FOpcje.Zaokraglaj ? FOpcje.FormatLiczbIndex : 0;
    const int kolumnaNumeru = NrKolumny(QStringLiteral("nrPoz"));
    int poczatekTytulu = kolumnaNumeru == 1 ? 2 : 1;
    if (FOpcje.ElementWOpisie && FKolumnaOpisu > poczatekTytulu)
        poczatekTytulu = FKolumnaOpisu;
    poczatekTytulu = std::min(poczatekTytulu, FOstatniaKolumna);

    FZnacznikPozycji = Format(FormatWiersza(false));
    FZnacznikElementu = Format(FormatWiersza(true));
    for (auto& k : FKolumny) {
        TFormatKomorki pozycji = FormatWiersza(false);
        pozycji.Ramki = KrawedzieWszystkie;
        pozycji.Poziomo = TElementRdsXlsColumnMapper::PobierzAlign(k.Id);
        if (k.Liczbowa)
            pozycji.FormatLiczby = formatLiczb;
        pozycji.Zablokowana = !k.Odblokowana;
        k.FormatPozycji = Format(pozycji);

        TFormatKomorki elementu = FormatWiersza(true);
        elementu.Zablokowana = !k.Odblokowana;
        if (k.Nr == kolumnaNumeru) {
            elementu.Ramki = KrawedzieWszystkie;
            elementu.Poziomo = TWyrownanie::Lewo;
        } else if (k.Nr >= poczatekTytulu) {
            // The title's merged range and the thin outline around the rest of the row.
            elementu.Poziomo = TWyrownanie::Lewo;
            elementu.Ramki = KrawedzGorna | KrawedzDolna;
            if (k.Nr == poczatekTytulu)
                elementu.Ramki |= KrawedzLewa;
            if (k.Nr == FOstatniaKolumna)
                elementu.Ramki |= KrawedzPrawa;
        }
        k.FormatElementu = Format(elementu);

        TFormatKomorki sumy = FormatWiersza(true);
        sumy.Zablokowana = !k.Odblokowana;
        sumy.Poziomo = TWyrownanie::Prawo;
        if (k.Nr == FKolumnaWartosci) {
            sumy.Ramki = KrawedzieWszystkie;
            sumy.FormatLiczby = formatLiczb;
        } else {
            sumy.Ramki = KrawedzGorna | KrawedzDolna;
            if (k.Nr == 1)
                sumy.Ramki |= KrawedzLewa;
        }
        k.FormatSumy = Format(sumy);
    }
    FTytulElementu = poczatekTytulu;
}

std::optional<TEksportXlsAdresyZbiorcze> TEksportElementuXls::TArkuszKosztorysu::Rysuj()
{
    const int n = FOstatniaKolumna;
    auto wierszScalony = [&](const TFormatKomorki& format, int od, const QString& tekst) {
        FArkusz.UstawTekst(FWiersz, od, tekst);
        FArkusz.UstawFormat(FWiersz, od, format);
        if (n > od)
            FArkusz.Scal({FWiersz, od, FWiersz, n});
        ++FWiersz;
    };
    if (FOpcje.WstawTytul)
        wierszScalony({.Czcionka = QStringLiteral("Times New Roman"),
                       .Rozmiar = 14,
                       .Pogrubienie = true,
                       .Poziomo = TWyrownanie::Srodek,
                       .SrodekPionowo = true},
                      1, FOpcje.Tytul);
    if (FOpcje.WstawOpis)
        wierszScalony({.Pogrubienie = true, .Poziomo = TWyrownanie::Srodek, .SrodekPionowo = true, .Zawijaj = true}, 1,
                      FOpcje.Opis);
    if (FOpcje.WstawTytulKosztorysu)
        wierszScalony({.Pogrubienie = true, .Poziomo = TWyrownanie::Lewo, .SrodekPionowo = true}, std::min(2, n),
                      FKosztorys.Tytul());
    FArkusz.UstawWierszeTytulowe(1, FWiersz);
    FArkusz.UkryjKolumne(0);
    FArkusz.UkryjWiersz(0);

    RysujNaglowek();
    RysujElement(FKosztorys, true);

    std::optional<TEksportXlsAdresyZbiorcze> adresy;
    if (FOpcje.WstawPodsumowanieKoncowe && FPodsumowanie) {
        FPodsumowanie->WierszKoncowy = FWiersz - 1;
        adresy = FPodsumowanie->RysujPodsumowanie(FWiersz);
    }
    FArkusz.UstawStopke(FOpcje.DataWStopce ? QStringLiteral("&D") : QString(), {},
                        FOpcje.NumeracjaStronWStopce ? QStringLiteral("Strona &P z &N") : QString());
    if (FOpcje.ChronArkusz)
        FArkusz.Chron(FOpcje.HasloOchrony, OpcjeOchrony);
    // The form is wider than a portrait page; printed, it is scaled to the page's width.
    FArkusz.DopasujDoSzerokosciStrony();
    FArkusz.DopasujWysokosciWierszy();
    return adresy;
}

void TEksportElementuXls::TArkuszKosztorysu::RysujNaglowek()
{
    const auto& lista = FOpcje.ColumnList();
    for (const auto& k : FKolumny) {
        const auto* kolumna = lista.GetColumn(k.Id);
        FArkusz.UstawTekst(0, k.Nr, kolumna->Nazwa());
        TFormatKomorki f;
        f.Czcionka = QStringLiteral("Times New Roman");
        f.Pogrubienie = true;
        f.Ramki = KrawedzieWszystkie;
        f.Zawijaj = true;
        f.SrodekPionowo = true;
        f.Poziomo = TElementRdsXlsColumnMapper::PobierzHeaderAlign(k.Id);
        f.Zablokowana = !k.Odblokowana;
        FArkusz.UstawTekst(FWiersz, k.Nr, kolumna->Tytul());
        FArkusz.UstawFormat(FWiersz, k.Nr, f);
        FArkusz.UstawSzerokoscKolumnyPx(k.Nr, TElementRdsXlsColumnMapper::PobierzSzerokosc(k.Id));
    }
    ++FWiersz;
}

void TEksportElementuXls::TArkuszKosztorysu::Postep()
{
    if (FEksport.OnZwiekszenieProgresu)
        FEksport.OnZwiekszenieProgresu();
}

void TEksportElementuXls::TArkuszKosztorysu::RysujElement(const TElementRds& element, bool korzen)
{
    if (FEksport.Terminated())
        return;
    const bool sumy = FOpcje.WstawiajPodsumowanieElementow;
    if (sumy)
        FStosZakresow.emplace_back();
    const int wierszElementu = FWiersz;
    if (!korzen)
        RysujWierszElementu(element);
    for (int i = 0; i < element.ElementyCount(); ++i)
        RysujElement(*element.GetElement(i), false);

    int pierwszy = -1, ostatni = -1;
    for (int i = 0; i < element.PozycjeCount() && !FEksport.Terminated(); ++i) {
        if (pierwszy < 0)
            pierwszy = FWiersz;
        ostatni = FWiersz;
        RysujPozycje(*element.GetPozycja(i));
    }
    if (sumy && FKolumnaWartosci >= 0) {
        if (pierwszy >= 0) {
            QString zakres = Adres(pierwszy, FKolumnaWartosci);
            if (ostatni > pierwszy)
                zakres += QLatin1Char(':') + Adres(ostatni, FKolumnaWartosci);
            for (auto& zakresy : FStosZakresow)
                zakresy << zakres;
        }
        if (!korzen) {
            RysujSumeElementu(element, wierszElementu, FStosZakresow.back());
        } else if (FOpcje.WstawPodsumowanieKoncowe && FPodsumowanie) {
            FPodsumowanie->ZakresyKomorek = FStosZakresow.back().join(QLatin1Char(';'));
            FPodsumowanie->LiczbaZakresow = static_cast<int>(FStosZakresow.back().size());
        }
    }
    if (sumy)
        FStosZakresow.pop_back();
}

void TEksportElementuXls::TArkuszKosztorysu::RysujWierszElementu(const TElementRds& element)
{
    const int r = FWiersz;
    FArkusz.UstawTekst(r, 0, QString::fromUtf16(ZnacznikElementu));
    FArkusz.UstawFormat(r, 0, FZnacznikElementu);
    for (const auto& k : FKolumny) {
        FArkusz.UstawFormat(r, k.Nr, k.FormatElementu);
        if (k.Id == QLatin1String("nrPoz"))
            FArkusz.UstawTekst(r, k.Nr, TElementRdsXlsColumnMapper::PobierzWartosc(k.Id, k.Nr, element));
    }
    const int poczatek = FTytulElementu;
    const int koniec = std::max(poczatek, FKolumnaWartosci >= 0 ? FKolumnaWartosci - 1 : FOstatniaKolumna);
    FArkusz.UstawTekst(r, poczatek, element.Opis);
    if (koniec > poczatek)
        FArkusz.Scal({r, poczatek, r, koniec});
    FMapaElementow.insert(&element, Adres(r, poczatek));
    ++FWiersz;
    Postep();
}

void TEksportElementuXls::TArkuszKosztorysu::RysujSumeElementu(const TElementRds& element, int wierszElementu,
                                                               const QStringList& zakresy)
{
    const int r = FWiersz;
    const int v = FKolumnaWartosci;
    for (const auto& k : FKolumny)
        if (k.Nr <= v)
            FArkusz.UstawFormat(r, k.Nr, k.FormatSumy);
    if (v > 1) {
        FArkusz.UstawFormule(r, 1, QStringLiteral("CONCATENATE(\"Razem - \";%1)").arg(FMapaElementow.value(&element)));
        if (v - 1 > 1)
            FArkusz.Scal({r, 1, r, v - 1});
    }
    const QString suma = FormulaSumyZakresow(zakresy, v, wierszElementu + 1, r - 1);
    if (suma.isEmpty())
        FArkusz.UstawLiczbe(r, v, 0); // nothing below to add up
    else
        FArkusz.UstawFormule(r, v, suma);
    ++FWiersz;
}

void TEksportElementuXls::TArkuszKosztorysu::RysujPozycje(const TPozycjaRds& pozycja)
{
    const int r = FWiersz;
    FArkusz.UstawTekst(r, 0, QString::fromUtf16(ZnacznikPozycji));
    FArkusz.UstawFormat(r, 0, FZnacznikPozycji);
    // The components written in this row: whether all are empty, or all zero.
    bool skladnikiPuste = true, skladnikiZerowe = true;
    auto liczbaLubTekst = [&](int c, const QString& tekst) -> std::optional<double> {
        if (tekst.trimmed().isEmpty())
            return std::nullopt;
        const auto liczba = TekstNaLiczbeDowolnySeparator(tekst);
        if (liczba)
            FArkusz.UstawLiczbe(r, c, *liczba);
        else
            FArkusz.UstawTekst(r, c, tekst); // never a silent 0 in a price form
        return liczba;
    };
    auto sumaSkladnikow = [&] {
        QStringList adresy;
        for (int c : FKolumnySkladnikow)
            adresy << Adres(r, c);
        return adresy.join(QLatin1Char('+'));
    };

    for (const auto& k : FKolumny) {
        const int c = k.Nr;
        FArkusz.UstawFormat(r, c, k.FormatPozycji);
        if (k.Id == QLatin1String("wartosc")) {
            if (!FPodsumowanie && FOpcje.WstawPodsumowanieKoncowe) {
                FPodsumowanie = std::make_unique<TXlsPodsumowanie>(FSkoroszyt, FArkusz, FOpcje);
                FPodsumowanie->WierszPoczatkowy = r;
                FPodsumowanie->Kolumna = c;
            }
            if (FOpcje.WstawFormuleWartosci && FKolumnaIlosci >= 0 && FKolumnaCeny >= 0)
                FArkusz.UstawFormule(
                    r, c, QStringLiteral("ROUND(%1*%2;2)").arg(Adres(r, FKolumnaIlosci), Adres(r, FKolumnaCeny)));
            continue;
        }
        const QString tekst = TElementRdsXlsColumnMapper::PobierzWartosc(k.Id, pozycja, FOpcje);
        if (!k.Liczbowa) {
            if (!tekst.isEmpty())
                FArkusz.UstawTekst(r, c, tekst);
        } else if (k.Id == QLatin1String("ilosc")) {
            liczbaLubTekst(c, tekst);
        } else if (k.Id == QLatin1String("cenaJedn")) {
            if (!FOpcje.RMSj) {
                if (FOpcje.EksportujCenyZKosztorysu)
                    liczbaLubTekst(c, tekst);
            } else if (FOpcje.EksportujCenyZKosztorysu) {
                if (FKolumnySkladnikow.empty() || skladnikiPuste || skladnikiZerowe)
                    liczbaLubTekst(c, tekst);
                else
                    FArkusz.UstawFormule(r, c, sumaSkladnikow());
            } else if (FOpcje.WstawFormuleWartosci && !FKolumnySkladnikow.empty()) {
                FArkusz.UstawFormule(r, c, sumaSkladnikow());
            }
        } else if (FOpcje.EksportujCenyZKosztorysu) { // Rj, Mj, Sj
            const auto liczba = liczbaLubTekst(c, tekst);
            if (!tekst.trimmed().isEmpty())
                skladnikiPuste = false;
            if (!liczba || *liczba != 0)
                skladnikiZerowe = false;
        }
    }
    ++FWiersz;
    Postep();
}
