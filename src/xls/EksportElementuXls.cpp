#include "xls/EksportElementuXls.h"

#include "app/ZapisBezpieczny.h"
#include "estimates/Kosztorys.h"
#include "xls/ArkuszKosztorysuXls.h"
#include "xls/EksportElementuXlsOpt.h"
#include "xls/WyjatkiXls.h"
#include "xls/XlsUtils.h"
#include "xls/ZapisXls.h"
#include "xls/ZapisXlsx.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool CzyXlsx(const QString& nazwa)
{
    return nazwa.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
}

// A title as a sheet name: without the characters the format forbids, not empty, at most 31 characters.
QString NazwaArkuszaZTytulu(const QString& tytul)
{
    QString nazwa;
    for (QChar z : tytul)
        if (!QStringLiteral("[]:*?/\\").contains(z) && z.unicode() >= 0x20)
            nazwa += z;
    nazwa = nazwa.trimmed();
    while (nazwa.startsWith(QLatin1Char('\'')))
        nazwa.remove(0, 1);
    nazwa = nazwa.left(31);
    while (nazwa.endsWith(QLatin1Char('\'')) || nazwa.endsWith(QLatin1Char(' ')))
        nazwa.chop(1);
    return nazwa.isEmpty() ? QStringLiteral("Kosztorys") : nazwa;
}

} // namespace

TEksportElementuXls::TEksportElementuXls(std::vector<TKosztorys*> kosztorysy)
    : FKosztorysy(std::move(kosztorysy)), FOpcjeEksportu(std::make_unique<TEksportElementuXlsOpt>())
{
    std::erase(FKosztorysy, nullptr);
    if (FKosztorysy.empty())
        throw EBlad(QStringLiteral("Brak danych do eksportu."));
}

TEksportElementuXls::~TEksportElementuXls() = default;

QString TEksportElementuXls::GetFileName() const
{
    return SciezkaCelu(NazwaPliku, SciezkaDoPliku);
}

QString TEksportElementuXls::SciezkaCelu(const QString& nazwaPliku, const QString& sciezkaDoPliku)
{
    QString nazwa = nazwaPliku.trimmed();
    if (nazwa.endsWith(QStringLiteral(".xls"), Qt::CaseInsensitive))
        nazwa.chop(4);
    if (nazwa.trimmed().isEmpty())
        throw ENoPathException(QStringLiteral("Nazwa pliku nie może być pusta."));
    if (nazwa.contains(QLatin1Char('/')) || nazwa.contains(QChar(0)))
        throw ENoPathException(QStringLiteral("Nazwa pliku nie może zawierać znaku \"/\"."));
    if (sciezkaDoPliku.trimmed().isEmpty() || !QFileInfo(sciezkaDoPliku).isDir())
        throw ENoPathException(QStringLiteral("Podana ścieżka nie istnieje."));
    if (!CzyXlsx(nazwa))
        nazwa += QStringLiteral(".xls");
    return QDir(sciezkaDoPliku).filePath(nazwa);
}

int TEksportElementuXls::PobierzMaxProgres() const
{
    int suma = 0;
    for (const auto* kosztorys : FKosztorysy)
        suma += kosztorys->Count();
    return suma;
}

QStringList TEksportElementuXls::NazwyArkuszy() const
{
    if (FKosztorysy.size() == 1)
        return {QStringLiteral("Formularz")};
    QStringList nazwy;
    auto zajeta = [&](const QString& nazwa) {
        if (nazwa.compare(QString::fromUtf16(NazwaTabeliZbiorczej), Qt::CaseInsensitive) == 0)
            return true;
        for (const auto& n : nazwy)
            if (n.compare(nazwa, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    for (const auto* kosztorys : FKosztorysy) {
        const QString podstawa = NazwaArkuszaZTytulu(kosztorys->Tytul());
        QString nazwa = podstawa;
        for (int i = 2; zajeta(nazwa); ++i) {
            const QString przyrostek = QStringLiteral(" (%1)").arg(i);
            nazwa = podstawa.left(31 - przyrostek.size()).trimmed() + przyrostek;
        }
        nazwy << nazwa;
    }
    return nazwy;
}

std::unique_ptr<TSkoroszyt> TEksportElementuXls::Zbuduj()
{
    auto& opcje = *FOpcjeEksportu;
    FAdresyZbiorcze.clear();
    auto skoroszyt = std::make_unique<TSkoroszyt>();
    if (opcje.Zaokraglaj) {
        const int miejsca = std::clamp(opcje.IloscMiejscPoPrzecinku, 0, 10);
        opcje.FormatLiczbIndex = skoroszyt->DodajFormatLiczby(
            miejsca > 0 ? QStringLiteral("#,##0.") + QString(miejsca, QLatin1Char('0')) : QStringLiteral("#,##0"));
    } else {
        opcje.FormatLiczbIndex = 0;
    }
    // Without the value column there is nothing to sum up: the summaries are left out rather than
    // making every export of several estimates fail.
    const auto* wartosc = opcje.ColumnList().GetColumn(QStringLiteral("wartosc"));
    const bool tabelaZbiorcza =
        opcje.WstawPodsumowanieKoncowe && wartosc && wartosc->Wyswietlaj() && FKosztorysy.size() > 1;
    TArkusz* tabela = tabelaZbiorcza ? &skoroszyt->DodajArkusz(QString::fromUtf16(NazwaTabeliZbiorczej)) : nullptr;

    const QStringList nazwy = NazwyArkuszy();
    std::vector<int> zPodsumowaniem;
    for (size_t i = 0; i < FKosztorysy.size() && !Terminated(); ++i) {
        TArkusz& arkusz = skoroszyt->DodajArkusz(nazwy.at(static_cast<int>(i)));
        TArkuszKosztorysu rysowanie(*this, *skoroszyt, arkusz, *FKosztorysy[i]);
        if (auto adresy = rysowanie.Rysuj()) {
            FAdresyZbiorcze.push_back(*adresy);
            zPodsumowaniem.push_back(static_cast<int>(i));
        }
    }
    if (tabela) {
        // A stopped export lists the estimates it got to; a complete one must have them all.
        if (!Terminated() && zPodsumowaniem.size() != FKosztorysy.size())
            throw EBlad(QStringLiteral("Brak danych do tabeli zbiorczej."));
        RysujTabeleZbiorcza(*skoroszyt, *tabela, zPodsumowaniem);
    }
    return skoroszyt;
}

void TEksportElementuXls::RysujTabeleZbiorcza(TSkoroszyt& skoroszyt, TArkusz& arkusz,
                                              const std::vector<int>& kosztorysy)
{
    const auto& opcje = *FOpcjeEksportu;
    const bool vat = opcje.WstawVatWPodsumowaniu;
    const int w = vat ? 5 : 3;
    arkusz.UkryjKolumne(0);
    int r = 1;
    auto scalony = [&](const TFormatKomorki& f, const QString& tekst) {
        arkusz.UstawTekst(r, 1, tekst);
        arkusz.UstawFormat(r, 1, f);
        arkusz.Scal({r, 1, r, w});
    };
    if (opcje.WstawTytul) {
        scalony({.Czcionka = QStringLiteral("Times New Roman"),
                 .Rozmiar = 16,
                 .Pogrubienie = true,
                 .Poziomo = TWyrownanie::Srodek},
                QStringLiteral("TABELA ZBIORCZA"));
        ++r;
    }
    if (opcje.WstawOpis) {
        scalony({.Pogrubienie = true, .Poziomo = TWyrownanie::Srodek, .Zawijaj = true}, opcje.Opis);
        // A line of the row's default height per line of the description.
        arkusz.UstawWysokoscWierszaPx(r, TArkusz::DomyslnaWysokoscPx *
                                             (static_cast<int>(opcje.Opis.count(QLatin1Char('\n'))) + 1));
        ++r;
    }

    TFormatKomorki naglowek;
    naglowek.Czcionka = QStringLiteral("Times New Roman");
    naglowek.Rozmiar = 14;
    naglowek.Pogrubienie = true;
    naglowek.Ramki = KrawedzieWszystkie;
    naglowek.Zawijaj = true;
    naglowek.SrodekPionowo = true;
    const QStringList tytuly =
        vat ? QStringList{QStringLiteral("Lp."), QStringLiteral("Nazwa kosztorysu"), QStringLiteral("Wartość netto"),
                          QStringLiteral("Podatek VAT"), QStringLiteral("Wartość brutto")}
            : QStringList{QStringLiteral("Lp."), QStringLiteral("Nazwa kosztorysu"), QStringLiteral("Wartość")};
    const int szerokosci[] = {64, 300, 120, 120, 120};
    for (int c = 1; c <= w; ++c) {
        TFormatKomorki f = naglowek;
        f.Poziomo = c == 2 ? TWyrownanie::Lewo : TWyrownanie::Srodek;
        arkusz.UstawTekst(r, c, tytuly.at(c - 1));
        arkusz.UstawFormat(r, c, f);
        arkusz.UstawSzerokoscKolumnyPx(c, szerokosci[c - 1]);
    }
    ++r;

    TFormatKomorki wiersza;
    wiersza.Rozmiar = 12;
    wiersza.Ramki = KrawedzieWszystkie;
    wiersza.Zawijaj = true;
    TFormatKomorki lp = wiersza, nazwa = wiersza, wartosc = wiersza;
    lp.Poziomo = TWyrownanie::Srodek;
    nazwa.Poziomo = TWyrownanie::Lewo;
    wartosc.Poziomo = TWyrownanie::Prawo;
    wartosc.FormatLiczby = skoroszyt.DodajFormatLiczby(TXlsPodsumowanie::FormatZlotych());
    const int pierwszy = r;
    for (size_t i = 0; i < kosztorysy.size(); ++i, ++r) {
        const auto& adresy = FAdresyZbiorcze[i];
        arkusz.UstawTekst(r, 1, QStringLiteral("%1.").arg(i + 1));
        arkusz.UstawFormat(r, 1, lp);
        arkusz.UstawTekst(r, 2, FKosztorysy[kosztorysy[i]]->Tytul());
        arkusz.UstawFormat(r, 2, nazwa);
        const QString wartosci[] = {adresy.AdrWartoscNetto, adresy.AdrWartoscVat, adresy.AdrWartoscBrutto};
        for (int c = 3; c <= w; ++c) {
            arkusz.UstawFormule(r, c, wartosci[c - 3]);
            arkusz.UstawFormat(r, c, wartosc);
        }
    }
    TFormatKomorki ogolem = nazwa;
    ogolem.Pogrubienie = true;
    ogolem.Poziomo = TWyrownanie::Prawo;
    arkusz.UstawTekst(r, 1, QStringLiteral("Ogółem"));
    arkusz.UstawFormat(r, 1, ogolem);
    arkusz.UstawFormat(r, 2, ogolem);
    arkusz.Scal({r, 1, r, 2});
    TFormatKomorki suma = wartosc;
    suma.Pogrubienie = true;
    for (int c = 3; c <= w; ++c) {
        arkusz.UstawFormat(r, c, suma);
        if (r > pierwszy)
            arkusz.UstawFormule(
                r, c,
                QStringLiteral("SUM(%1:%2)")
                    .arg(TXlsUtils::GetAdresKomorki(pierwszy, c), TXlsUtils::GetAdresKomorki(r - 1, c)));
        else
            arkusz.UstawLiczbe(r, c, 0);
    }
    arkusz.UstawStopke(opcje.DataWStopce ? QStringLiteral("&D") : QString(), {},
                       opcje.NumeracjaStronWStopce ? QStringLiteral("Strona &P z &N") : QString());
    arkusz.DopasujDoSzerokosciStrony();
    arkusz.DopasujWysokosciWierszy();
}

TWynikEksportuXls TEksportElementuXls::Eksportuj()
{
    const QString cel = GetFileName();
    auto skoroszyt = Zbuduj();
    TWynikEksportuXls wynik;
    wynik.Przerwany = Terminated();
    wynik.Ostrzezenia = skoroszyt->Ostrzezenia();
    if (skoroszyt->ArkuszeCount() == 0)
        return wynik; // stopped before the first sheet
    wynik.Plik = cel;
    if (wynik.Przerwany && QFileInfo::exists(cel)) {
        const QFileInfo info(cel);
        wynik.Plik = info.dir().filePath(info.completeBaseName() + QStringLiteral(" (przerwany).") + info.suffix());
    }
    if (CzyXlsx(wynik.Plik))
        ZapiszXlsx(*skoroszyt, wynik.Plik);
    else
        ZapiszBezpiecznie(wynik.Plik, ZapiszXls(*skoroszyt));
    return wynik;
}
