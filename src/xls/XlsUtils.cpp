#include "xls/XlsUtils.h"

#include "app/Wyjatki.h"

QString TXlsUtils::GetAdresKomorki(int row, int col)
{
    if (row < 0 || col < 0)
        throw EBlad(QStringLiteral("Nieprawidłowy adres komórki: wiersz %1, kolumna %2.").arg(row).arg(col));
    // Column letters count in base 26 without a zero digit: Z is followed by AA.
    QString litery;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        litery.prepend(QChar(static_cast<char16_t>(u'A' + (n - 1) % 26)));
    return litery + QString::number(row + 1);
}
