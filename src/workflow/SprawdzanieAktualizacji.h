#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// The version text the maker publishes: the newest version, its publication date and the download page,
// one a line, separated by CR LF.
QUrl DomyslnyAdresWersji();

// How long one fetch may take in all, in milliseconds: a silent server must never hold the check.
inline constexpr int LimitPobieraniaMs = 10000;

// The resource's text, fetched over HTTP from the server (never from a cache) under the agent "Velostra"
// and read as Windows-1250. Runs an event loop of its own, so it is meant for a worker thread. Throws
// ENoConnection "Brak połączenia z Internetem." when the server cannot be reached or does not answer
// within msLimit, EBlad "Błąd danych na serwerze." for an answer other than 2xx, an empty or an oversized
// one. czyPrzerwac, polled while waiting, ends the fetch early with an EBlad.
QString PobierzTekstZUrl(const QUrl& adres, int msLimit = LimitPobieraniaMs,
                         const std::function<bool()>& czyPrzerwac = {});

// The lines of the version text and what the program reads from them. A line missing or blank raises
// its own message when it is asked for.
class TVersionChecker
{
public:
    // Fetches the version text (a failure propagates) and splits it.
    explicit TVersionChecker(const QUrl& adres = DomyslnyAdresWersji(), int msLimit = LimitPobieraniaMs,
                             const std::function<bool()>& czyPrzerwac = {});

    // The pieces between CR LF pairs (the one after the last pair included), each trimmed.
    const QStringList& DaneZPliku() const { return FDaneZPliku; }

    QString GetAktualnaWersja() const;
    QString GetDataAktualizacji() const;
    QString GetLinkAktualizacyjny() const;

    // Whether line 1 names a greater version than the given one; both are four decimal numbers joined by
    // "." and compared number by number. A malformed line 1 is "Błąd danych na serwerze.".
    bool CzyNowszaNiz(const QString& wersjaProgramu) const;
    // Line 3 as an address to open: only http and https with a host, otherwise "Błąd danych na serwerze.".
    QUrl GetAdresPobierania() const;

private:
    static QStringList Podziel(const QString& tekst);
    QString Linia(int indeks, const QString& bladBraku) const;

    QStringList FDaneZPliku;
};
