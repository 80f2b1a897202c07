#include "xls/GlobalneXls.h"

#include "app/Wyjatki.h"
#include "xls/Skoroszyt.h"

#include <algorithm>

namespace {

struct TCzcionka
{
    QString Nazwa;
    int Rozmiar;
    bool Pogrubienie;
    bool operator==(const TCzcionka&) const = default;
};

// The colour of borders: black from the standard palette.
constexpr std::uint32_t KolorRamki = 8;
// The pattern colours of a cell without fill: the window's text and background.
constexpr std::uint16_t KoloryWypelnienia = 64 | (65 << 7);

void ZapiszCzcionke(TRekordyBiff8& r, const TCzcionka& c)
{
    const qsizetype rekord = r.Otworz(Biff8::Font);
    r.U16(static_cast<std::uint16_t>(std::clamp(c.Rozmiar, 1, 409) * 20)); // twips
    r.U16(0);
    r.U16(0x7FFF); // automatic colour
    r.U16(c.Pogrubienie ? 700 : 400);
    r.U16(0); // neither superscript nor subscript
    r.U8(0);  // no underline
    r.U8(0);  // family
    r.U8(0);  // character set
    r.U8(0);
    r.Tekst8(c.Nazwa.left(255));
    r.Zamknij(rekord);
}

// Fonts from each distinct (name, size, bold) of the formats. Index 4 is never used in this format:
// the default font fills 0 to 3 and the others follow from 5. Returns the font index of each format.
std::vector<std::uint16_t> ZapiszCzcionki(TRekordyBiff8& r, const std::vector<TFormatKomorki>& formaty)
{
    std::vector<TCzcionka> czcionki;
    std::vector<std::uint16_t> indeksy;
    indeksy.reserve(formaty.size());
    for (const auto& f : formaty) {
        const TCzcionka c{f.Czcionka, f.Rozmiar, f.Pogrubienie};
        auto it = std::find(czcionki.begin(), czcionki.end(), c);
        const auto nr = static_cast<std::uint16_t>(it - czcionki.begin());
        if (it == czcionki.end())
            czcionki.push_back(c);
        indeksy.push_back(nr == 0 ? 0 : nr + 4);
    }
    for (int i = 0; i < 4; ++i)
        ZapiszCzcionke(r, czcionki.front());
    for (std::size_t i = 1; i < czcionki.size(); ++i)
        ZapiszCzcionke(r, czcionki[i]);
    return indeksy;
}

void ZapiszXf(TRekordyBiff8& r, std::uint16_t czcionka, std::uint16_t formatLiczby, std::uint16_t typ,
              std::uint8_t wyrownanie, std::uint8_t uzyte, std::uint32_t ramki1, std::uint32_t ramki2)
{
    r.Naglowek(Biff8::Xf, 20);
    r.U16(czcionka);
    r.U16(formatLiczby);
    r.U16(typ);
    r.U8(wyrownanie);
    r.U8(0); // no rotation
    r.U8(0); // no indent
    r.U8(uzyte);
    r.U32(ramki1);
    r.U32(ramki2);
    r.U16(KoloryWypelnienia);
}

void ZapiszXfKomorki(TRekordyBiff8& r, const TFormatKomorki& f, std::uint16_t czcionka)
{
    std::uint8_t wyrownanie = 0;
    switch (f.Poziomo) {
    case TWyrownanie::Ogolne:
        break;
    case TWyrownanie::Lewo:
        wyrownanie = 1;
        break;
    case TWyrownanie::Srodek:
        wyrownanie = 2;
        break;
    case TWyrownanie::Prawo:
        wyrownanie = 3;
        break;
    }
    if (f.Zawijaj)
        wyrownanie |= 0x08;
    wyrownanie |= (f.SrodekPionowo ? 1 : 2) << 4; // vertical: centre or bottom
    auto krawedz = [&f](std::uint8_t bit) -> std::uint32_t { return (f.Ramki & bit) ? 1 : 0; }; // thin line
    const std::uint32_t ramki1 = krawedz(KrawedzLewa) | krawedz(KrawedzPrawa) << 4 | krawedz(KrawedzGorna) << 8 |
                                 krawedz(KrawedzDolna) << 12 | (krawedz(KrawedzLewa) * KolorRamki) << 16 |
                                 (krawedz(KrawedzPrawa) * KolorRamki) << 23;
    const std::uint32_t ramki2 = (krawedz(KrawedzGorna) * KolorRamki) | (krawedz(KrawedzDolna) * KolorRamki) << 7;
    // A cell format of the Normal style (parent 0) that sets every attribute group itself.
    ZapiszXf(r, czcionka, static_cast<std::uint16_t>(f.FormatLiczby), f.Zablokowana ? 0x0001 : 0x0000, wyrownanie, 0xFC,
             ramki1, ramki2);
}

void ZapiszFormaty(TRekordyBiff8& r, const TSkoroszyt& s)
{
    const std::vector<std::uint16_t> czcionki = ZapiszCzcionki(r, s.Formaty());
    for (const auto& [indeks, wzorzec] : s.FormatyLiczb()) {
        const qsizetype rekord = r.Otworz(Biff8::Format);
        r.U16(static_cast<std::uint16_t>(indeks));
        r.Tekst16(wzorzec.left(255));
        r.Zamknij(rekord);
    }
    // Style formats 0 to 14 (0 is the Normal style), then the cell formats, the first of them the
    // default cell format 15.
    for (int i = 0; i < TUkladXls::PierwszyXf; ++i)
        ZapiszXf(r, 0, 0, 0xFFF5, 0x20, i == 0 ? 0x00 : 0xF4, 0, 0);
    for (std::size_t i = 0; i < s.Formaty().size(); ++i)
        ZapiszXfKomorki(r, s.Formaty()[i], czcionki[i]);
    r.Naglowek(Biff8::Style, 4);
    r.U16(0x8000); // built-in style of XF 0
    r.U8(0);       // Normal
    r.U8(0xFF);
}

bool CzyOdwolaniaDoArkuszy(const TSkoroszyt& s)
{
    for (int i = 0; i < s.ArkuszeCount(); ++i) {
        const TArkusz& a = s.Arkusz(i);
        if (a.CzyWierszeTytulowe())
            return true;
        // A reference to a sheet needs "!"; a "!" in a quoted text only costs an unused table.
        for (const QString& f : a.Formuly())
            if (f.contains(QLatin1Char('!')))
                return true;
    }
    return false;
}

void ZapiszTabeleArkuszy(TRekordyBiff8& r, const TSkoroszyt& s)
{
    const auto n = static_cast<std::uint16_t>(s.ArkuszeCount());
    r.Naglowek(Biff8::SupBook, 4);
    r.U16(n);
    r.U16(0x0401); // this workbook
    const qsizetype rekord = r.Otworz(Biff8::ExternSheet);
    r.U16(n);
    for (std::uint16_t i = 0; i < n; ++i) {
        r.U16(0);
        r.U16(i);
        r.U16(i);
    }
    r.Zamknij(rekord);
}

// The built-in name Print_Titles of a sheet: its rows from..to across all columns.
void ZapiszWierszeTytulowe(TRekordyBiff8& r, const TArkusz& a, int indeks)
{
    const auto [od, do_] = a.WierszeTytulowe();
    r.Naglowek(Biff8::Name, 14 + 2 + 11);
    r.U16(0x0020); // built-in
    r.U8(0);       // no shortcut key
    r.U8(1);       // name length
    r.U16(11);     // formula length
    r.U16(0);
    r.U16(static_cast<std::uint16_t>(indeks + 1)); // local to the sheet
    r.U32(0);                                      // no menu, description, help or status texts
    r.U8(0);                                       // compressed name
    r.U8(0x07);                                    // Print_Titles
    r.U8(0x3B);                                    // tArea3d
    r.U16(static_cast<std::uint16_t>(indeks));     // entry in the table of sheets
    r.U16(static_cast<std::uint16_t>(od));
    r.U16(static_cast<std::uint16_t>(do_));
    r.U16(0);
    r.U16(TArkusz::MaksKolumn - 1);
}

} // namespace

TUkladXls ZapiszGlobalneXls(TRekordyBiff8& r, const TSkoroszyt& s)
{
    TUkladXls uklad;
    r.Bof(Biff8::BofSkoroszyt);
    r.Naglowek(Biff8::InterfaceHdr, 2);
    r.U16(1200);
    r.Naglowek(Biff8::Mms, 2);
    r.U16(0);
    r.Naglowek(Biff8::InterfaceEnd, 0);
    r.Naglowek(Biff8::CodePage, 2);
    r.U16(1200); // texts in UTF-16
    r.Naglowek(Biff8::Dsf, 2);
    r.U16(0);
    r.Naglowek(Biff8::Window1, 18);
    r.U16(0);
    r.U16(0);
    r.U16(16000); // window width and height in twips
    r.U16(9000);
    r.U16(0x0038); // scroll bars and sheet tabs shown
    r.U16(0);      // the active sheet
    r.U16(0);      // the first tab shown
    r.U16(1);      // selected sheets
    r.U16(600);    // tab bar width, per mille
    for (std::uint16_t typ : {Biff8::Backup, Biff8::HideObj, Biff8::Date1904, Biff8::RefreshAll, Biff8::BookBool}) {
        r.Naglowek(typ, 2);
        r.U16(0);
    }
    r.Naglowek(Biff8::Precision, 2);
    r.U16(1); // full precision
    ZapiszFormaty(r, s);

    for (int i = 0; i < s.ArkuszeCount(); ++i) {
        const qsizetype rekord = r.Otworz(Biff8::BoundSheet);
        uklad.OffsetyArkuszy.push_back(r.Pozycja());
        r.U32(0); // the sheet's offset, written with the sheet
        r.U8(0);  // visible
        r.U8(0);  // worksheet
        r.Tekst8(s.Arkusz(i).Nazwa());
        r.Zamknij(rekord);
    }
    r.Naglowek(Biff8::Country, 4);
    r.U16(1);
    r.U16(48);
    uklad.TabelaArkuszy = CzyOdwolaniaDoArkuszy(s);
    if (uklad.TabelaArkuszy) {
        ZapiszTabeleArkuszy(r, s);
        for (int i = 0; i < s.ArkuszeCount(); ++i)
            if (s.Arkusz(i).CzyWierszeTytulowe())
                ZapiszWierszeTytulowe(r, s.Arkusz(i), i);
    }
    ZapiszTekstyXls(r, s);
    r.Naglowek(Biff8::Eof, 0);
    return uklad;
}

void ZapiszTekstyXls(TRekordyBiff8& r, const TSkoroszyt& s)
{
    const std::vector<QString>& teksty = s.Teksty();
    const auto n = static_cast<qsizetype>(teksty.size());
    // The index points at every k-th string, at most 128 of them.
    const qsizetype naKubelek = std::max<qsizetype>(8, (n + 127) / 128);
    std::vector<std::pair<std::uint32_t, std::uint16_t>> kubelki;
    kubelki.reserve((n + naKubelek - 1) / naKubelek);

    qsizetype rekord = r.Otworz(Biff8::Sst);
    r.U32(s.UzyciaTekstow());
    r.U32(static_cast<std::uint32_t>(n));
    qsizetype wolne = TRekordyBiff8::MaksDlugosc - 8;
    auto kolejnyRekord = [&] {
        r.Zamknij(rekord);
        rekord = r.Otworz(Biff8::Continue);
        wolne = TRekordyBiff8::MaksDlugosc;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar* znaki = teksty[i].constData();
        const qsizetype dlugosc = teksty[i].size();
        const bool jednobajtowy = TRekordyBiff8::CzyJednobajtowy(znaki, dlugosc);
        const int szerokosc = jednobajtowy ? 1 : 2;
        // The header and the first character (a whole surrogate pair) stay in one record.
        const qsizetype pierwszy = dlugosc == 0 ? 0 : (dlugosc > 1 && znaki[0].isHighSurrogate() ? 2 : 1);
        if (wolne < 3 + pierwszy * szerokosc)
            kolejnyRekord();
        if (i % naKubelek == 0)
            kubelki.emplace_back(static_cast<std::uint32_t>(r.Pozycja()),
                                 static_cast<std::uint16_t>(r.Pozycja() - rekord));
        r.U16(static_cast<std::uint16_t>(dlugosc));
        r.U8(jednobajtowy ? 0 : 1);
        wolne -= 3;
        for (qsizetype zapisane = 0;;) {
            qsizetype ile = std::min(dlugosc - zapisane, wolne / szerokosc);
            if (zapisane + ile < dlugosc && ile > 0 && znaki[zapisane + ile - 1].isHighSurrogate())
                --ile; // never between the halves of a pair
            r.Znaki(znaki + zapisane, ile, jednobajtowy);
            wolne -= ile * szerokosc;
            zapisane += ile;
            if (zapisane == dlugosc)
                break;
            // A string going on in the next record repeats its flag byte there.
            kolejnyRekord();
            r.U8(jednobajtowy ? 0 : 1);
            wolne -= 1;
        }
    }
    r.Zamknij(rekord);

    r.Naglowek(Biff8::ExtSst, static_cast<std::uint16_t>(2 + 8 * kubelki.size()));
    r.U16(static_cast<std::uint16_t>(naKubelek));
    for (const auto& [pozycja, wRekordzie] : kubelki) {
        r.U32(pozycja);
        r.U16(wRekordzie);
        r.U16(0);
    }
}
