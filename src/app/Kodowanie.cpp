#include "app/Kodowanie.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"

#include <QStringList>

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace {

const char* NazwaIconv(TStronaKodowa strona)
{
    return strona == TStronaKodowa::Windows1250 ? "WINDOWS-1250" : "CP852";
}

// Table of the 256 characters of a single-byte code page, built once through iconv.
class TTablicaStrony
{
public:
    explicit TTablicaStrony(const char* nazwa)
    {
        FZnaki.fill(QChar(0xFFFD));
        iconv_t cd = iconv_open("UTF-16LE", nazwa);
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;
        for (int b = 0; b < 256; ++b) {
            char wej = static_cast<char>(b);
            char wyj[8] = {};
            char* pw = &wej;
            char* po = wyj;
            size_t lw = 1;
            size_t lo = sizeof wyj;
            if (iconv(cd, &pw, &lw, &po, &lo) != static_cast<size_t>(-1) && sizeof wyj - lo == 2) {
                const char16_t z = static_cast<char16_t>(static_cast<unsigned char>(wyj[0]) |
                                                         (static_cast<unsigned char>(wyj[1]) << 8));
                FZnaki[static_cast<size_t>(b)] = QChar(z);
                if (FOdwrotnie[z] == 0)
                    FOdwrotnie[z] = static_cast<unsigned char>(b);
            }
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        iconv_close(cd);
    }

    QChar Znak(unsigned char b) const { return FZnaki[b]; }
    bool Bajt(QChar z, char& wynik) const
    {
        if (z.unicode() == 0) {
            wynik = 0;
            return true;
        }
        const unsigned char b = FOdwrotnie[z.unicode()];
        if (b == 0)
            return false;
        wynik = static_cast<char>(b);
        return true;
    }

private:
    std::array<QChar, 256> FZnaki;
    // Whole estimate copies are encoded character by character: one table look-up each
    // (0 means "not in the code page"; the NUL character maps to itself).
    std::array<unsigned char, 65536> FOdwrotnie{};
};

const TTablicaStrony& Tablica(TStronaKodowa strona)
{
    static const TTablicaStrony cp1250(NazwaIconv(TStronaKodowa::Windows1250));
    static const TTablicaStrony cp852(NazwaIconv(TStronaKodowa::Cp852));
    return strona == TStronaKodowa::Windows1250 ? cp1250 : cp852;
}

QByteArray Konwertuj(const QByteArray& wejscie, const char* z, const char* na)
{
    iconv_t cd = iconv_open(na, z);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw EBlad(QStringLiteral("Nieobsługiwane kodowanie znaków: %1").arg(QString::fromLatin1(z)));
    QByteArray wynik;
    wynik.resize(wejscie.size() * 4 + 16);
    char* pw = const_cast<char*>(wejscie.constData());
    size_t lw = static_cast<size_t>(wejscie.size());
    char* po = wynik.data();
    size_t lo = static_cast<size_t>(wynik.size());
    while (lw > 0) {
        if (iconv(cd, &pw, &lw, &po, &lo) == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                const auto zapisane = po - wynik.data();
                wynik.resize(wynik.size() * 2);
                po = wynik.data() + zapisane;
                lo = static_cast<size_t>(wynik.size() - zapisane);
                continue;
            }
            // An invalid or unfinished sequence: skip one unit of the input (two bytes of UTF-16),
            // as a reader should not stop on it.
            const size_t jednostka = std::min<size_t>(std::strcmp(z, "UTF-16LE") == 0 ? 2 : 1, lw);
            pw += jednostka;
            lw -= jednostka;
        }
    }
    // Stateful encodings may hold characters back until the end: flush them.
    while (iconv(cd, nullptr, nullptr, &po, &lo) == static_cast<size_t>(-1) && errno == E2BIG) {
        const auto zapisane = po - wynik.data();
        wynik.resize(wynik.size() * 2);
        po = wynik.data() + zapisane;
        lo = static_cast<size_t>(wynik.size() - zapisane);
    }
    wynik.resize(static_cast<int>(po - wynik.data()));
    iconv_close(cd);
    return wynik;
}

} // namespace

QString ZeStronyKodowej(const QByteArray& bajty, TStronaKodowa strona)
{
    const TTablicaStrony& t = Tablica(strona);
    QString wynik(bajty.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bajty.size(); ++i)
        wynik[i] = t.Znak(static_cast<unsigned char>(bajty[i]));
    return wynik;
}

QByteArray NaStroneKodowa(const QString& tekst, TStronaKodowa strona)
{
    const TTablicaStrony& t = Tablica(strona);
    QByteArray wynik(tekst.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        char b = '?';
        t.Bajt(tekst[i], b);
        wynik[i] = b;
    }
    return wynik;
}

bool CzyMiesciSieWStronie(const QString& tekst, TStronaKodowa strona)
{
    const TTablicaStrony& t = Tablica(strona);
    char b = 0;
    for (const QChar z : tekst)
        if (!t.Bajt(z, b))
            return false;
    return true;
}

QString ZKodowania(const QByteArray& bajty, const QByteArray& nazwaKodowania)
{
    const QByteArray utf16 = Konwertuj(bajty, nazwaKodowania.constData(), "UTF-16LE");
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

QByteArray NaKodowanie(const QString& tekst, const QByteArray& nazwaKodowania)
{
    const QByteArray utf16(reinterpret_cast<const char*>(tekst.utf16()), tekst.size() * 2);
    return Konwertuj(utf16, "UTF-16LE", nazwaKodowania.constData());
}

TTekstPliku DekodujTekstPliku(const QByteArray& bajty)
{
    TTekstPliku wynik;
    if (bajty.startsWith("\xEF\xBB\xBF")) {
        wynik.Kodowanie = TKodowaniePliku::Utf8Bom;
        wynik.Tekst = QString::fromUtf8(bajty.constData() + 3, bajty.size() - 3);
    } else if (bajty.startsWith("\xFF\xFE")) {
        wynik.Kodowanie = TKodowaniePliku::Utf16LE;
        const qsizetype n = (bajty.size() - 2) / 2;
        QString t(n, Qt::Uninitialized);
        for (qsizetype i = 0; i < n; ++i)
            t[i] = QChar(static_cast<char16_t>(static_cast<unsigned char>(bajty[2 + 2 * i]) |
                                               (static_cast<unsigned char>(bajty[3 + 2 * i]) << 8)));
        wynik.Tekst = t;
    } else if (bajty.startsWith("\xFE\xFF")) {
        wynik.Kodowanie = TKodowaniePliku::Utf16BE;
        const qsizetype n = (bajty.size() - 2) / 2;
        QString t(n, Qt::Uninitialized);
        for (qsizetype i = 0; i < n; ++i)
            t[i] = QChar(static_cast<char16_t>((static_cast<unsigned char>(bajty[2 + 2 * i]) << 8) |
                                               static_cast<unsigned char>(bajty[3 + 2 * i])));
        wynik.Tekst = t;
    } else {
        wynik.Tekst = ZWindows1250(bajty);
    }
    return wynik;
}

TTekstPliku WczytajPlikTekstowy(const QString& sciezka)
{
    const QByteArray bajty = CzytajPlikDoOtwarcia(sciezka);
    return DekodujTekstPliku(bajty);
}

QStringList PodzielNaLinie(const QString& tekst)
{
    QStringList linie;
    qsizetype poczatek = 0;
    const qsizetype n = tekst.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar z = tekst[i];
        if (z == QLatin1Char('\r') || z == QLatin1Char('\n')) {
            linie.append(tekst.mid(poczatek, i - poczatek));
            if (z == QLatin1Char('\r') && i + 1 < n && tekst[i + 1] == QLatin1Char('\n'))
                ++i;
            poczatek = i + 1;
        }
    }
    if (poczatek < n)
        linie.append(tekst.mid(poczatek));
    return linie;
}
