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

} // namespace

void TMyPath::UstawKatalogUzytkownika(const QString& katalog)
{
    FKatalogUzytkownika = katalog;
    if (katalog.isEmpty() || FEncodedPath.contains(Token, Qt::CaseInsensitive) || FEncodedPath.trimmed().isEmpty())
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
    if (wartosc.trimmed().isEmpty()) {
        FEncodedPath = wartosc;
        return;
    }
    QString s = wartosc;
    s.remove(PrefiksDlugiejSciezki);
    s.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    s = ZUkosnikami(s);
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
    QString s = FEncodedPath;
    if (!katalogUzytkownika.isEmpty())
        s.replace(Token, katalogUzytkownika, Qt::CaseInsensitive);
    if (s.trimmed().isEmpty())
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
