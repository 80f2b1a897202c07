#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Text to Windows-1250 as NaWindows1250 does it (a character the code page lacks becomes "?"), appended
// to the buffer, with one table look-up per character: whole estimate copies go through it.
void DopiszWindows1250(QStringView tekst, QByteArray& cel);

// Windows-1250 bytes as UTF-8, by table. Bytes the code page leaves undefined are dropped, as iconv's
// readers here skip what does not convert.
QByteArray Windows1250NaUtf8(const QByteArray& bajty);
