#include "archive/OpcjeEkstrakcjiArchiwum.h"

#include "app/Konfiguracja.h"

TOpcjeEkstrakcjiArchiwum TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    TOpcjeEkstrakcjiArchiwum opcje;
    opcje.SetFolderDocelowy(konfiguracja.GetUserPath());
    return opcje;
}

QString TOpcjeEkstrakcjiArchiwum::FolderBezSeparatora() const
{
    QString s = ffolderDocelowy;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (s.size() > 1 && s.endsWith(QLatin1Char('/')))
        s.chop(1);
    return s;
}

void TOpcjeEkstrakcjiArchiwum::SetFolderDocelowy(const QString& folder)
{
    ffolderDocelowy = folder;
    ffolderDocelowy.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!ffolderDocelowy.isEmpty() && !ffolderDocelowy.endsWith(QLatin1Char('/')))
        ffolderDocelowy += QLatin1Char('/');
}
