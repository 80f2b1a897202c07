#include "archive/OpcjeEkstrakcjiArchiwum.h"

#include "app/Konfiguracja.h"

TOpcjeEkstrakcjiArchiwum TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    TOpcjeEkstrakcjiArchiwum opcje;
    opcje.SetFolderDocelowy(konfiguracja.GetUserPath());
    opcje.KatalogUzytkownika = konfiguracja.GetUserPath();
    return opcje;
}

QString TOpcjeEkstrakcjiArchiwum::FolderBezSeparatora() const
{
    QString s = FFolderDocelowy;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (s.size() > 1 && s.endsWith(QLatin1Char('/')))
        s.chop(1);
    return s;
}

void TOpcjeEkstrakcjiArchiwum::SetFolderDocelowy(const QString& folder)
{
    FFolderDocelowy = folder;
    FFolderDocelowy.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!FFolderDocelowy.isEmpty() && !FFolderDocelowy.endsWith(QLatin1Char('/')))
        FFolderDocelowy += QLatin1Char('/');
}
