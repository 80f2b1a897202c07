#include "docs/AdresPliku.h"

QString ConvertToURL(const QString& plik)
{
    QString sciezka = plik;
    sciezka.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QByteArray utf8 = sciezka.toUtf8();
    QString wynik = sciezka.startsWith(QLatin1Char('/')) ? QStringLiteral("file://") : QStringLiteral("file:///");
    static const char* const KCyfry = "0123456789ABCDEF";
    for (const char znak : utf8) {
        const auto b = static_cast<unsigned char>(znak);
        if ((b >= 0x2E && b <= 0x3A) || (b >= 0x40 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A)) {
            wynik += QLatin1Char(static_cast<char>(b));
        } else {
            wynik += QLatin1Char('%');
            wynik += QLatin1Char(KCyfry[b >> 4]);
            wynik += QLatin1Char(KCyfry[b & 0x0F]);
        }
    }
    return wynik;
}
