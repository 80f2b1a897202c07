#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Text to Windows-1250 as NaWindows1250 does it (a character the code page lacks becomes "?"), appended
// to the buffer, with one table look-up per character: whole estimate copies go through it.
void DopiszWindows1250(QStringView tekst, QByteArray& cel);

// Windows-1250 bytes as text, as ZWindows1250 gives them, by table and without a check per character: whole
// Rodos estimates go through it.
QString Windows1250NaTekst(QByteArrayView bajty);
// The same into room for as many characters as there are bytes.
void Windows1250DoBufora(QByteArrayView bajty, char16_t* cel);
// The character of one byte, as ZWindows1250 gives it.
char16_t ZnakWindows1250(unsigned char bajt);

// Windows-1250 bytes as UTF-8, by table. Bytes the code page leaves undefined are dropped, as iconv's
// readers here skip what does not convert.
QByteArray Windows1250NaUtf8(const QByteArray& bajty);
