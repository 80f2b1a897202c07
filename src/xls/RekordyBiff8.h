#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>

// Record types of the Workbook stream.
namespace Biff8 {
enum : std::uint16_t {
    // workbook globals
    Bof = 0x0809,
    Eof = 0x000A,
    InterfaceHdr = 0x00E1,
    Mms = 0x00C1,
    InterfaceEnd = 0x00E2,
    CodePage = 0x0042,
    Dsf = 0x0161,
    Window1 = 0x003D,
    Backup = 0x0040,
    HideObj = 0x008D,
    Date1904 = 0x0022,
    Precision = 0x000E,
    RefreshAll = 0x01B7,
    BookBool = 0x00DA,
    Font = 0x0031,
    Format = 0x041E,
    Xf = 0x00E0,
    Style = 0x0293,
    BoundSheet = 0x0085,
    Country = 0x008C,
    SupBook = 0x01AE,
    ExternSheet = 0x0017,
    Name = 0x0018,
    Sst = 0x00FC,
    ExtSst = 0x00FF,
    Continue = 0x003C,
    // worksheets
    Index = 0x020B,
    CalcMode = 0x000D,
    CalcCount = 0x000C,
    RefMode = 0x000F,
    Iteration = 0x0011,
    Delta = 0x0010,
    SaveRecalc = 0x005F,
    PrintHeaders = 0x002A,
    PrintGridLines = 0x002B,
    GridSet = 0x0082,
    Guts = 0x0080,
    DefaultRowHeight = 0x0225,
    WsBool = 0x0081,
    Footer = 0x0015,
    HCenter = 0x0083,
    VCenter = 0x0084,
    Setup = 0x00A1,
    Protect = 0x0012,
    Password = 0x0013,
    DefColWidth = 0x0055,
    ColInfo = 0x007D,
    Dimensions = 0x0200,
    Row = 0x0208,
    DbCell = 0x00D7,
    LabelSst = 0x00FD,
    Number = 0x0203,
    Rk = 0x027E,
    Blank = 0x0201,
    MulBlank = 0x00BE,
    Formula = 0x0006,
    Window2 = 0x023E,
    MergedCells = 0x00E5,
    FeatHeadr = 0x0867,
};
// BOF's kinds of substream.
enum : std::uint16_t { BofSkoroszyt = 0x0005, BofArkusz = 0x0010 };
} // namespace Biff8

// The Workbook stream of an .xls file while it is written: records of a 2-byte type, a 2-byte length and
// at most 8,224 bytes of data, all numbers little-endian. One buffer grows as records are added; positions
// are offsets in the stream, so a record written earlier can be patched (lengths, offsets of sheets).
class TRekordyBiff8
{
public:
    static constexpr int MaksDlugosc = 8224;

    // `przed` bytes are kept free before the stream (for the header of the file around it).
    explicit TRekordyBiff8(qsizetype rezerwa = 1 << 16, qsizetype przed = 0);

    qsizetype Pozycja() const { return FRozmiar; }

    // A record of a length known in advance: the header; exactly `dlugosc` bytes of data must follow.
    void Naglowek(std::uint16_t typ, std::uint16_t dlugosc)
    {
        Zapewnij(4 + dlugosc);
        U16(typ);
        U16(dlugosc);
    }
    // A record whose length is known at its end: Otworz writes the header and gives its position,
    // Zamknij writes the length. Data over MaksDlugosc bytes go on in CONTINUE records, cut where the
    // limit falls (for records whose data may be cut anywhere).
    qsizetype Otworz(std::uint16_t typ);
    void Zamknij(qsizetype naglowek);

    void U8(std::uint8_t v)
    {
        Zapewnij(1);
        FDane[FRozmiar++] = static_cast<char>(v);
    }
    void U16(std::uint16_t v)
    {
        Zapewnij(2);
        Wpisz16(FDane + FRozmiar, v);
        FRozmiar += 2;
    }
    void U32(std::uint32_t v)
    {
        Zapewnij(4);
        Wpisz16(FDane + FRozmiar, static_cast<std::uint16_t>(v));
        Wpisz16(FDane + FRozmiar + 2, static_cast<std::uint16_t>(v >> 16));
        FRozmiar += 4;
    }
    void F64(double v)
    {
        std::uint64_t bity;
        std::memcpy(&bity, &v, sizeof bity);
        U32(static_cast<std::uint32_t>(bity));
        U32(static_cast<std::uint32_t>(bity >> 32));
    }
    void Bajty(const void* dane, qsizetype ile)
    {
        Zapewnij(ile);
        std::memcpy(FDane + FRozmiar, dane, ile);
        FRozmiar += ile;
    }
    void Zera(qsizetype ile)
    {
        Zapewnij(ile);
        std::memset(FDane + FRozmiar, 0, ile);
        FRozmiar += ile;
    }

    // The beginning of a substream (the workbook globals or a sheet) of this format's version.
    void Bof(std::uint16_t rodzaj);

    // Texts: the length (of 8 or 16 bits), a flag byte and the characters, one byte each when all of them
    // fit in one (the text is then "compressed") or two.
    void Tekst8(const QString& tekst);
    void Tekst16(const QString& tekst);
    // The characters alone, in the form the flag byte says.
    void Znaki(const QChar* znaki, qsizetype ile, bool jednobajtowe);
    static bool CzyJednobajtowy(const QChar* znaki, qsizetype ile);

    void Popraw16(qsizetype pozycja, std::uint16_t v) { Wpisz16(FDane + pozycja, v); }
    void Popraw32(qsizetype pozycja, std::uint32_t v)
    {
        Wpisz16(FDane + pozycja, static_cast<std::uint16_t>(v));
        Wpisz16(FDane + pozycja + 2, static_cast<std::uint16_t>(v >> 16));
    }

    // The stream after the `przed` bytes; the buffer is left empty. Its capacity stays as it was reserved.
    QByteArray Zabierz();

private:
    static void Wpisz16(char* p, std::uint16_t v)
    {
        p[0] = static_cast<char>(v);
        p[1] = static_cast<char>(v >> 8);
    }
    void Zapewnij(qsizetype ile)
    {
        if (FPrzed + FRozmiar + ile > FBufor.size())
            Powieksz(ile);
    }
    void Powieksz(qsizetype ile);

    QByteArray FBufor; // its size is the capacity; FRozmiar bytes are written after FPrzed
    qsizetype FPrzed = 0;
    char* FDane = nullptr; // where the stream begins
    qsizetype FRozmiar = 0;
};
