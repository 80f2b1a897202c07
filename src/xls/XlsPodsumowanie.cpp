#include "xls/XlsPodsumowanie.h"

#include "xls/EksportElementuXlsOpt.h"
#include "xls/Formula.h"
#include "xls/Skoroszyt.h"
#include "xls/XlsUtils.h"

#include <algorithm>

TXlsPodsumowanie::TXlsPodsumowanie(TSkoroszyt& plikXls, TArkusz& sheet, const TEksportElementuXlsOpt& opcjeEksportu)
    : PlikXls(plikXls), Sheet(sheet), OpcjeEksportu(opcjeEksportu)
{
}

QString TXlsPodsumowanie::FormatZlotych()
{
    // The currency is quoted: an unquoted "z" would be read as a format code by some programs.
    return QStringLiteral("_-* #,##0.00 \"zł\"_-;-* #,##0.00 \"zł\"_-;_-* \"-\"?? \"zł\"_-;_-@_-");
}

QString TXlsPodsumowanie::StawkaJakoUlamek(int stawkaProcent)
{
    QString tekst = QString::number(stawkaProcent / 100.0, 'f', 2);
    while (tekst.endsWith(QLatin1Char('0')))
        tekst.chop(1);
    if (tekst.endsWith(QLatin1Char('.')))
        tekst.chop(1);
    return tekst.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString TXlsPodsumowanie::AdresZArkuszem(const QString& nazwaArkusza, int wiersz, int kolumna)
{
    QString nazwa = nazwaArkusza;
    nazwa.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + nazwa + QStringLiteral("'!") + TXlsUtils::GetAdresKomorki(wiersz, kolumna);
}

QString FormulaSumyZakresow(const QStringList& zakresy, int kolumna, int wierszOd, int wierszDo)
{
    if (zakresy.isEmpty())
        return {};
    if (zakresy.size() <= TFormula::MaksArgumentow)
        return QStringLiteral("SUM(") + zakresy.join(QLatin1Char(';')) + QLatin1Char(')');
    // Every range is a run of position rows inside the span, and only position rows carry the mark.
    return QStringLiteral("SUMIF(%1:%2;\"%3\";%4:%5)")
        .arg(TXlsUtils::GetAdresKomorki(wierszOd, 0), TXlsUtils::GetAdresKomorki(wierszDo, 0),
             QString::fromUtf16(ZnacznikPozycji), TXlsUtils::GetAdresKomorki(wierszOd, kolumna),
             TXlsUtils::GetAdresKomorki(wierszDo, kolumna));
}

TEksportXlsAdresyZbiorcze TXlsPodsumowanie::RysujPodsumowanie(int wiersz)
{
    const int k = Kolumna;
    const bool odblokuj =
        OpcjeEksportu.ChronArkusz && !OpcjeEksportu.ColumnList().GetColumn(QStringLiteral("wartosc"))->Chroniona();

    TFormatKomorki wiersza;
    wiersza.Rozmiar = 10;
    wiersza.Pogrubienie = true;
    wiersza.Zawijaj = true;
    wiersza.SrodekPionowo = true;
    TFormatKomorki etykiety = wiersza;
    etykiety.Poziomo = TWyrownanie::Prawo;
    TFormatKomorki wartosci = etykiety;
    wartosci.FormatLiczby = PlikXls.DodajFormatLiczby(FormatZlotych());
    wartosci.Ramki = KrawedzieWszystkie;
    wartosci.Zablokowana = !odblokuj;
    const auto fEtykiety = PlikXls.Format(etykiety);
    const auto fWartosci = PlikXls.Format(wartosci);

    auto etykieta = [&](int w, const QString& tekst, std::uint16_t format) {
        const int od = std::max(1, k - 2);
        Sheet.UstawTekst(w, od, tekst);
        for (int c = od; c < k; ++c)
            Sheet.UstawFormat(w, c, format);
        if (od < k - 1)
            Sheet.Scal({w, od, w, k - 1});
    };

    TEksportXlsAdresyZbiorcze adresy;
    QString netto =
        FormulaSumyZakresow(ZakresyKomorek.isEmpty() ? QStringList{} : ZakresyKomorek.split(QLatin1Char(';')), k,
                            WierszPoczatkowy, WierszKoncowy);
    if (ZakresyKomorek.isEmpty())
        netto = QStringLiteral("SUM(%1:%2)")
                    .arg(TXlsUtils::GetAdresKomorki(WierszPoczatkowy, k), TXlsUtils::GetAdresKomorki(WierszKoncowy, k));
    Sheet.UstawFormule(wiersz, k, netto);
    Sheet.UstawFormat(wiersz, k, fWartosci);
    const QString adresNetto = TXlsUtils::GetAdresKomorki(wiersz, k);
    adresy.AdrWartoscNetto = AdresZArkuszem(Sheet.Nazwa(), wiersz, k);

    if (!OpcjeEksportu.WstawVatWPodsumowaniu) {
        Sheet.UstawTekst(wiersz, k - 1, QStringLiteral("Razem"));
        Sheet.UstawFormat(wiersz, k - 1, fEtykiety);
        return adresy;
    }
    etykieta(wiersz, QStringLiteral("Razem netto"), fEtykiety);

    const int wVat = wiersz + 1;
    Sheet.UstawFormule(wVat, k, adresNetto + QStringLiteral(" * ") + StawkaJakoUlamek(OpcjeEksportu.StawkaVat));
    Sheet.UstawFormat(wVat, k, fWartosci);
    // The rate's label stays open to the user under protection, like the cells to be filled in.
    TFormatKomorki etykietyVat = etykiety;
    etykietyVat.Zablokowana = !OpcjeEksportu.ChronArkusz;
    etykieta(wVat, QStringLiteral("Vat %1%").arg(OpcjeEksportu.StawkaVat), PlikXls.Format(etykietyVat));
    adresy.AdrWartoscVat = AdresZArkuszem(Sheet.Nazwa(), wVat, k);

    const int wBrutto = wiersz + 2;
    Sheet.UstawFormule(wBrutto, k, adresNetto + QStringLiteral(" + ") + TXlsUtils::GetAdresKomorki(wVat, k));
    Sheet.UstawFormat(wBrutto, k, fWartosci);
    etykieta(wBrutto, QStringLiteral("Razem Brutto"), fEtykiety);
    adresy.AdrWartoscBrutto = AdresZArkuszem(Sheet.Nazwa(), wBrutto, k);
    return adresy;
}
