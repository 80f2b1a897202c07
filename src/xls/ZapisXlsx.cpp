#include "xls/ZapisXlsx.h"

#include "xls/HasloArkusza.h"
#include "xls/XlsUtils.h"

#include "app/Kodowanie.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "app/ZipFile.h"
#include "xls/Formula.h"
#include "xls/Skoroszyt.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct TUsunSkoroszyt
{
    void operator()(lxw_workbook* s) const { lxw_workbook_free(s); }
};

class TZapisXlsx
{
public:
    TZapisXlsx(const TSkoroszyt& skoroszyt, const QString& cel) : FSkoroszyt(skoroszyt), FCel(cel) {}

    // Writes the file at `plik` (the temporary beside the target).
    void Zapisz(const QString& plik);

private:
    [[noreturn]] void Blad(const QString& powod) const
    {
        throw EBlad(QStringLiteral("Błąd zapisu pliku \"%1\": %2").arg(QDir::toNativeSeparators(FCel), powod));
    }
    void Sprawdz(lxw_error blad, const QString& gdzie) const
    {
        if (blad != LXW_NO_ERROR)
            Blad(QStringLiteral("%1 (%2).").arg(gdzie, QString::fromUtf8(lxw_strerror(blad))));
    }

    void UtworzFormaty();
    void ZapiszKomorki(const TArkusz& arkusz, lxw_worksheet* ws);
    void ZapiszWygladStrony(const TArkusz& arkusz, lxw_worksheet* ws);
    void Popraw(const QString& plik) const;

    const TSkoroszyt& FSkoroszyt;
    QString FCel;
    std::unique_ptr<lxw_workbook, TUsunSkoroszyt> FXlsx;
    std::vector<lxw_format*> FFormaty; // by the model's format index; owned by FXlsx
    std::vector<QByteArray> FTeksty;   // the model's texts in UTF-8, converted once
    bool FSaFormuly = false;
    std::vector<QByteArray> FHasla; // per sheet: the password in Windows-1250, empty for none
};

void TZapisXlsx::UtworzFormaty()
{
    for (const TFormatKomorki& f : FSkoroszyt.Formaty()) {
        lxw_format* x = workbook_add_format(FXlsx.get());
        if (!x)
            Blad(QStringLiteral("brak pamięci na formaty komórek."));
        format_set_font_name(x, f.Czcionka.toUtf8().constData());
        format_set_font_size(x, f.Rozmiar);
        if (f.Pogrubienie)
            format_set_bold(x);
        switch (f.Poziomo) {
        case TWyrownanie::Ogolne:
            break;
        case TWyrownanie::Lewo:
            format_set_align(x, LXW_ALIGN_LEFT);
            break;
        case TWyrownanie::Srodek:
            format_set_align(x, LXW_ALIGN_CENTER);
            break;
        case TWyrownanie::Prawo:
            format_set_align(x, LXW_ALIGN_RIGHT);
            break;
        }
        if (f.SrodekPionowo)
            format_set_align(x, LXW_ALIGN_VERTICAL_CENTER);
        if (f.Zawijaj)
            format_set_text_wrap(x);
        if (f.Ramki & KrawedzLewa)
            format_set_left(x, LXW_BORDER_THIN);
        if (f.Ramki & KrawedzPrawa)
            format_set_right(x, LXW_BORDER_THIN);
        if (f.Ramki & KrawedzGorna)
            format_set_top(x, LXW_BORDER_THIN);
        if (f.Ramki & KrawedzDolna)
            format_set_bottom(x, LXW_BORDER_THIN);
        if (f.FormatLiczby != 0) {
            const QString wzorzec = FSkoroszyt.WzorzecFormatuLiczby(f.FormatLiczby);
            // A format built into spreadsheet programs is known by its index alone.
            if (!wzorzec.isEmpty())
                format_set_num_format(x, wzorzec.toUtf8().constData());
            else if (f.FormatLiczby < TSkoroszyt::PierwszyWlasnyFormatLiczby)
                format_set_num_format_index(x, static_cast<std::uint8_t>(f.FormatLiczby));
        }
        if (!f.Zablokowana)
            format_set_unlocked(x);
        FFormaty.push_back(x);
    }
}

void TZapisXlsx::ZapiszKomorki(const TArkusz& arkusz, lxw_worksheet* ws)
{
    // The library writes a merged range's first cell with the given value and all others blank in the given
    // format. The default format is given, and the cells of the model then overwrite their places, so each
    // keeps its own value and format (the edges of an outline around the range too).
    for (const TZakres& z : arkusz.Scalenia())
        Sprawdz(worksheet_merge_range(ws, z.Wiersz1, z.Kolumna1, z.Wiersz2, z.Kolumna2, "", FFormaty[0]),
                QStringLiteral("nie można scalić komórek %1:%2 w arkuszu \"%3\"")
                    .arg(TXlsUtils::GetAdresKomorki(z.Wiersz1, z.Kolumna1),
                         TXlsUtils::GetAdresKomorki(z.Wiersz2, z.Kolumna2), arkusz.Nazwa()));

    const auto& wiersze = arkusz.Wiersze();
    for (int w = 0; w < static_cast<int>(wiersze.size()); ++w)
        for (const TKomorka& k : wiersze[w].Komorki) {
            lxw_format* format = FFormaty.at(k.Format);
            const auto gdzie = [&] {
                return QStringLiteral("arkusz \"%1\", komórka %2")
                    .arg(arkusz.Nazwa(), TXlsUtils::GetAdresKomorki(w, k.Kolumna));
            };
            lxw_error blad = LXW_NO_ERROR;
            switch (k.Rodzaj) {
            case TRodzajKomorki::Pusta:
                blad = worksheet_write_blank(ws, w, k.Kolumna, format);
                break;
            case TRodzajKomorki::Liczba:
                if (!std::isfinite(k.Liczba))
                    Blad(gdzie() + QStringLiteral(": wartość nie jest liczbą skończoną."));
                blad = worksheet_write_number(ws, w, k.Kolumna, k.Liczba, format);
                break;
            case TRodzajKomorki::Tekst:
                blad = worksheet_write_string(ws, w, k.Kolumna, FTeksty.at(k.Indeks).constData(), format);
                break;
            case TRodzajKomorki::Formula: {
                QByteArray tekst;
                try {
                    tekst = TFormula::Parsuj(arkusz.Formuly().at(k.Indeks)).TekstAngielski().toUtf8();
                } catch (const EBlad& e) {
                    Blad(gdzie() + QStringLiteral(": ") + e.Komunikat());
                }
                blad = worksheet_write_formula(ws, w, k.Kolumna, tekst.constData(), format);
                FSaFormuly = true;
                break;
            }
            }
            Sprawdz(blad, gdzie());
        }
}

void TZapisXlsx::ZapiszWygladStrony(const TArkusz& arkusz, lxw_worksheet* ws)
{
    const auto& kolumny = arkusz.Kolumny();
    for (int k = 0; k < static_cast<int>(kolumny.size()); ++k) {
        const TKolumnaArkusza& kol = kolumny[k];
        if (kol.SzerokoscPx < 0 && !kol.Ukryta)
            continue;
        lxw_row_col_options opcje = {};
        opcje.hidden = kol.Ukryta;
        Sprawdz(kol.SzerokoscPx >= 0 ? worksheet_set_column_pixels_opt(ws, k, k, kol.SzerokoscPx, nullptr, &opcje)
                                     : worksheet_set_column_opt(ws, k, k, LXW_DEF_COL_WIDTH, nullptr, &opcje),
                QStringLiteral("arkusz \"%1\", szerokość kolumny %2").arg(arkusz.Nazwa()).arg(k + 1));
    }
    const auto& wiersze = arkusz.Wiersze();
    for (int w = 0; w < static_cast<int>(wiersze.size()); ++w) {
        const TWierszArkusza& wiersz = wiersze[w];
        if (wiersz.WysokoscPx < 0 && !wiersz.Ukryty)
            continue;
        lxw_row_col_options opcje = {};
        opcje.hidden = wiersz.Ukryty;
        Sprawdz(wiersz.WysokoscPx >= 0 ? worksheet_set_row_pixels_opt(ws, w, wiersz.WysokoscPx, nullptr, &opcje)
                                       : worksheet_set_row_opt(ws, w, LXW_DEF_ROW_HEIGHT, nullptr, &opcje),
                QStringLiteral("arkusz \"%1\", wysokość wiersza %2").arg(arkusz.Nazwa()).arg(w + 1));
    }

    // Both formats share the footer's syntax: "&L", "&C", "&R" sections with the codes &D, &P and &N.
    const QString stopka = arkusz.StopkaJakoTekst();
    if (!stopka.isEmpty()) {
        const lxw_error blad = worksheet_set_footer(ws, stopka.toUtf8().constData());
        if (blad == LXW_ERROR_255_STRING_LENGTH_EXCEEDED)
            Blad(QStringLiteral("stopka arkusza \"%1\" ma więcej niż 255 znaków.").arg(arkusz.Nazwa()));
        Sprawdz(blad, QStringLiteral("arkusz \"%1\", stopka").arg(arkusz.Nazwa()));
    }
    if (arkusz.CzyDopasowanyDoSzerokosciStrony()) {
        worksheet_set_paper(ws, 9); // A4
        worksheet_fit_to_pages(ws, 1, 0);
    }
    if (arkusz.CzyWierszeTytulowe())
        Sprawdz(worksheet_repeat_rows(ws, arkusz.WierszeTytulowe().first, arkusz.WierszeTytulowe().second),
                QStringLiteral("arkusz \"%1\", wiersze tytułowe").arg(arkusz.Nazwa()));

    QByteArray haslo;
    if (arkusz.CzyChroniony()) {
        // The mask is that of the older format: a set bit allows the action on the protected sheet. The
        // library's fields likewise allow an action, except the two that forbid selecting cells.
        const std::uint16_t m = arkusz.OpcjeOchrony();
        const auto bit = [m](int i) -> std::uint8_t { return (m >> i) & 1; };
        lxw_protection opcje = {};
        opcje.objects = bit(0);
        opcje.scenarios = bit(1);
        opcje.format_cells = bit(2);
        opcje.format_columns = bit(3);
        opcje.format_rows = bit(4);
        opcje.insert_columns = bit(5);
        opcje.insert_rows = bit(6);
        opcje.insert_hyperlinks = bit(7);
        opcje.delete_columns = bit(8);
        opcje.delete_rows = bit(9);
        opcje.no_select_locked_cells = !bit(10);
        opcje.sort = bit(11);
        opcje.autofilter = bit(12);
        opcje.pivot_tables = bit(13);
        opcje.no_select_unlocked_cells = !bit(14);
        // The library's verifier of a letter beyond ASCII is wrong (it takes the byte as signed); Popraw puts
        // the right one in its place.
        haslo = NaWindows1250(arkusz.Haslo());
        worksheet_protect(ws, haslo.isEmpty() ? nullptr : haslo.constData(), &opcje);
    }
    FHasla.push_back(haslo);
}

// Changes what the library cannot be told in each sheet's part of the written file:
// - a formula cell's stored result. The library stores 0, and LibreOffice shows the stored result of an
//   .xlsx file as it is, unless told to recalculate on opening; a cell without one is calculated by every
//   reader.
// - the password verifier (see ZapiszWygladStrony).
void TZapisXlsx::Popraw(const QString& plik) const
{
    TZipFile zip;
    zip.LoadFromFile(plik);
    for (int i = 0; i < static_cast<int>(FHasla.size()); ++i) {
        const QByteArray nazwa = "xl/worksheets/sheet" + QByteArray::number(i + 1) + ".xml";
        int wpis = 0;
        while (wpis < zip.GetCount() && zip.GetName(wpis) != nazwa)
            ++wpis;
        if (wpis == zip.GetCount())
            throw EBlad(QStringLiteral("brak arkusza %1 w zapisanym pliku.").arg(i + 1));
        QByteArray xml = zip.GetData(wpis);
        if (FSaFormuly)
            xml.replace("</f><v>0</v>", "</f>");
        if (!FHasla[i].isEmpty()) {
            static const QByteArray znacznik = "<sheetProtection password=\"";
            const qsizetype od = xml.indexOf(znacznik);
            const qsizetype koniec = od < 0 ? -1 : xml.indexOf('"', od + znacznik.size());
            if (koniec < 0)
                throw EBlad(QStringLiteral("brak hasła arkusza %1 w zapisanym pliku.").arg(i + 1));
            xml.replace(od + znacznik.size(), koniec - od - znacznik.size(),
                        QByteArray::number(WeryfikatorHaslaArkusza(FHasla[i]), 16).toUpper().rightJustified(4, '0'));
        }
        zip.SetData(wpis, xml);
    }
    QFile wyjscie(plik);
    if (!wyjscie.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EBlad(wyjscie.errorString());
    zip.SaveToStream(wyjscie);
    if (!wyjscie.flush())
        throw EBlad(wyjscie.errorString());
}

void TZapisXlsx::Zapisz(const QString& plik)
{
    if (FSkoroszyt.ArkuszeCount() == 0)
        Blad(QStringLiteral("skoroszyt nie ma żadnego arkusza."));
    const QByteArray nazwa = QFile::encodeName(plik);
    // The library keeps each sheet's data in memory until the end (merged ranges need it) and builds the parts
    // of the file in the system's temporary folder.
    const QByteArray tymczasowe = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options opcje = {};
    opcje.constant_memory = LXW_FALSE;
    opcje.tmpdir = const_cast<char*>(tymczasowe.constData());
    FXlsx.reset(workbook_new_opt(nazwa.constData(), &opcje));
    if (!FXlsx)
        Blad(QStringLiteral("brak pamięci na skoroszyt."));

    FTeksty.reserve(FSkoroszyt.Teksty().size());
    for (const QString& t : FSkoroszyt.Teksty())
        FTeksty.push_back(t.toUtf8());
    UtworzFormaty();

    for (int i = 0; i < FSkoroszyt.ArkuszeCount(); ++i) {
        const TArkusz& arkusz = FSkoroszyt.Arkusz(i);
        const QByteArray nazwaArkusza = arkusz.Nazwa().toUtf8();
        Sprawdz(workbook_validate_sheet_name(FXlsx.get(), nazwaArkusza.constData()),
                QStringLiteral("niepoprawna nazwa arkusza \"%1\"").arg(arkusz.Nazwa()));
        lxw_worksheet* ws = workbook_add_worksheet(FXlsx.get(), nazwaArkusza.constData());
        if (!ws)
            Blad(QStringLiteral("nie można dodać arkusza \"%1\".").arg(arkusz.Nazwa()));
        ZapiszKomorki(arkusz, ws);
        ZapiszWygladStrony(arkusz, ws);
    }

    // The library frees the workbook whether it succeeds or not.
    Sprawdz(workbook_close(FXlsx.release()), QStringLiteral("nie można zapisać skoroszytu"));

    bool haslo = false;
    for (const QByteArray& h : FHasla)
        haslo = haslo || !h.isEmpty();
    if (FSaFormuly || haslo) {
        try {
            Popraw(plik);
        } catch (const EBlad& e) {
            Blad(e.Komunikat());
        }
    }
}

} // namespace

void ZapiszXlsx(const TSkoroszyt& skoroszyt, const QString& sciezka)
{
    TOpcjeZamianyPliku opcje;
    opcje.ZRozszerzeniem = true;
    TZamianaPliku zamiana(sciezka, opcje);
    TZapisXlsx(skoroszyt, sciezka).Zapisz(zamiana.Sciezka());
    zamiana.Zastap();
}
