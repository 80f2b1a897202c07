#include "app/MyPath.h"

#include <utility>

namespace {

QString ZUkosnikami(QString sciezka)
{
    sciezka.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return sciezka;
}

bool CzySeparator(QChar z)
{
    return z == QLatin1Char('/') || z == QLatin1Char('\\');
}

// Where the token begins at or after od, as QString::indexOf(Token, od, Qt::CaseInsensitive) finds it. It
// begins with "%", which no other character folds to, so only the places of "%" are compared.
qsizetype IndeksTokenu(QStringView tekst, qsizetype od)
{
    const QStringView token(TMyPath::Token);
    for (qsizetype i = tekst.indexOf(u'%', od); i >= 0 && i + token.size() <= tekst.size();
         i = tekst.indexOf(u'%', i + 1))
        if (tekst.sliced(i, token.size()).compare(token, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// QString::replace(Token, na, Qt::CaseInsensitive), by IndeksTokenu.
QString ZamienToken(const QString& tekst, const QString& na)
{
    qsizetype i = IndeksTokenu(tekst, 0);
    if (i < 0)
        return tekst;
    QString wynik;
    wynik.reserve(tekst.size() + na.size());
    qsizetype od = 0;
    while (i >= 0) {
        wynik += QStringView(tekst).sliced(od, i - od);
        wynik += na;
        od = i + TMyPath::Token.size();
        i = IndeksTokenu(tekst, od);
    }
    wynik += QStringView(tekst).sliced(od);
    return wynik;
}

} // namespace

bool TMyPath::ZawieraToken(QStringView tekst)
{
    return IndeksTokenu(tekst, 0) >= 0;
}

void TMyPath::UstawKatalogUzytkownika(const QString& katalog)
{
    FKatalogUzytkownika = katalog;
    if (katalog.isEmpty() || ZawieraToken(FEncodedPath) || QStringView(FEncodedPath).trimmed().isEmpty())
        return;
    const auto zdarzenie = std::exchange(OnChange, nullptr);
    SetPath(FEncodedPath, katalog);
    OnChange = zdarzenie;
}

void TMyPath::SetPath(const QString& wartosc)
{
    SetPath(wartosc, FKatalogUzytkownika);
}

void TMyPath::SetPath(const QString& wartosc, const QString& katalogUzytkownika)
{
    if (QStringView(wartosc).trimmed().isEmpty()) {
        FEncodedPath = wartosc;
        return;
    }
    QString s = wartosc;
    // All three concern "\", which most paths here lack.
    if (s.contains(QLatin1Char('\\'))) {
        s.remove(PrefiksDlugiejSciezki);
        s.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        s = ZUkosnikami(s);
    }
    // The user folder is replaced only where the path begins with it as whole folder names, so that
    // "/home/a/V2" is not taken for "/home/a/V" + "2", nor a folder named alike deeper in the path.
    const QString uzytkownika = ZUkosnikami(katalogUzytkownika);
    if (!uzytkownika.isEmpty() && s.startsWith(uzytkownika, Qt::CaseInsensitive) &&
        (s.size() == uzytkownika.size() || CzySeparator(s[uzytkownika.size()])))
        s = Token + s.mid(uzytkownika.size());
    FEncodedPath = s;
    Zmieniono();
}

QString TMyPath::GetPath() const
{
    return GetPath(FKatalogUzytkownika);
}

QString TMyPath::GetPath(const QString& katalogUzytkownika) const
{
    QString s = katalogUzytkownika.isEmpty() ? FEncodedPath : ZamienToken(FEncodedPath, katalogUzytkownika);
    if (QStringView(s).trimmed().isEmpty())
        return s;
    return ZUkosnikami(s);
}

QString TMyPath::GetLongPath() const
{
    return GetPath();
}

void TMyPath::SetEncodedPath(const QString& wartosc)
{
    FEncodedPath = wartosc;
    Zmieniono();
}

QString TMyPath::ToString() const
{
    return QStringLiteral("Plik: ") + GetPath() + QStringLiteral(" encoded: ") + FEncodedPath;
}

void TMyPath::Zmieniono()
{
    if (OnChange)
        OnChange(this);
}
