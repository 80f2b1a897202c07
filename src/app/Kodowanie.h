#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code pages the program meets: Windows-1250 (the "ANSI" code page of
// Polish systems, used by text estimates) and 852 (zip entry names).
enum class TStronaKodowa { Windows1250, Cp852 };

// Bytes in the code page to text. Bytes the code page does not define become U+FFFD.
QString ZeStronyKodowej(const QByteArray& bajty, TStronaKodowa strona);
// Text to bytes in the code page; characters it cannot hold become "?".
QByteArray NaStroneKodowa(const QString& tekst, TStronaKodowa strona);
// True when every character of the text exists in the code page.
bool CzyMiesciSieWStronie(const QString& tekst, TStronaKodowa strona);

inline QString ZWindows1250(const QByteArray& b)
{
    return ZeStronyKodowej(b, TStronaKodowa::Windows1250);
}
inline QByteArray NaWindows1250(const QString& t)
{
    return NaStroneKodowa(t, TStronaKodowa::Windows1250);
}
inline QString ZCp852(const QByteArray& b)
{
    return ZeStronyKodowej(b, TStronaKodowa::Cp852);
}
inline QByteArray NaCp852(const QString& t)
{
    return NaStroneKodowa(t, TStronaKodowa::Cp852);
}

// Any encoding iconv knows by name ("windows-1250", "ISO-8859-2", ...). Throws EBlad for an unknown name.
QString ZKodowania(const QByteArray& bajty, const QByteArray& nazwaKodowania);
QByteArray NaKodowanie(const QString& tekst, const QByteArray& nazwaKodowania);

// How a text file was stored, as found by its byte-order mark.
enum class TKodowaniePliku { Ansi, Utf8Bom, Utf16LE, Utf16BE };

struct TTekstPliku
{
    QString Tekst;
    TKodowaniePliku Kodowanie = TKodowaniePliku::Ansi;
};

// Decodes a text file's bytes: a UTF-8, UTF-16 LE or UTF-16 BE byte-order mark decides,
// otherwise the bytes are Windows-1250. The mark is not part of the text.
TTekstPliku DekodujTekstPliku(const QByteArray& bajty);

// Reads a whole text file as DekodujTekstPliku does; throws EBlad when it cannot be read.
TTekstPliku WczytajPlikTekstowy(const QString& sciezka);

// Splits a text into lines at CR LF, LF or a lone CR; a final line end gives no empty last line.
QStringList PodzielNaLinie(const QString& tekst);
