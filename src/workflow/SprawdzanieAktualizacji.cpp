#include "workflow/SprawdzanieAktualizacji.h"

#include "app/Kodowanie.h"
#include "app/Wyjatki.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

QString BladDanych()
{
    return QStringLiteral("Błąd danych na serwerze.");
}

// The version text is three short lines; anything much longer is not it.
constexpr qsizetype NajwiekszyTekst = 64 * 1024;
// How often a waiting fetch asks whether to stop.
constexpr int OkresPytaniaMs = 50;

// Failures of reaching the server, as against failures of what it answered.
bool CzyBrakPolaczenia(QNetworkReply::NetworkError blad)
{
    switch (blad) {
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return false;
    default:
        return blad < QNetworkReply::ContentAccessDenied;
    }
}

using TWersja = std::array<quint32, 4>;

std::optional<TWersja> CzytajWersje(const QString& tekst)
{
    const QStringList czesci = tekst.trimmed().split(QLatin1Char('.'));
    if (czesci.size() != 4)
        return std::nullopt;
    TWersja wersja{};
    for (qsizetype i = 0; i < czesci.size(); ++i) {
        const QString& czesc = czesci[i];
        // Nine digits always fit; signs, blanks and other digits than ASCII are not part of the form.
        if (czesc.isEmpty() || czesc.size() > 9)
            return std::nullopt;
        for (const QChar z : czesc)
            if (z < QLatin1Char('0') || z > QLatin1Char('9'))
                return std::nullopt;
        wersja[static_cast<size_t>(i)] = czesc.toUInt();
    }
    return wersja;
}

} // namespace

QUrl DomyslnyAdresWersji()
{
    return QUrl(QStringLiteral("https://velostra.pl/wersja.txt"));
}

QString PobierzTekstZUrl(const QUrl& adres, int msLimit, const std::function<bool()>& czyPrzerwac)
{
    QNetworkAccessManager siec;
    QNetworkRequest zadanie(adres);
    zadanie.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Velostra"));
    zadanie.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    zadanie.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    zadanie.setTransferTimeout(msLimit);
    const std::unique_ptr<QNetworkReply> odpowiedz(siec.get(zadanie));

    QByteArray dane;
    bool zaDuzo = false;
    bool przekroczono = false;
    bool przerwano = false;
    QEventLoop petla;
    QObject::connect(odpowiedz.get(), &QNetworkReply::readyRead, &petla, [&] {
        dane += odpowiedz->readAll();
        if (dane.size() > NajwiekszyTekst && !zaDuzo) {
            zaDuzo = true;
            odpowiedz->abort();
        }
    });
    QObject::connect(odpowiedz.get(), &QNetworkReply::finished, &petla, &QEventLoop::quit);
    // The transfer timeout counts only silence; this one bounds the whole fetch, also a trickling answer.
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &petla, [&] {
        przekroczono = true;
        odpowiedz->abort();
    });
    limit.start(msLimit);
    QTimer pytanie;
    QObject::connect(&pytanie, &QTimer::timeout, &petla, [&] {
        if (czyPrzerwac && czyPrzerwac()) {
            przerwano = true;
            odpowiedz->abort();
        }
    });
    pytanie.start(OkresPytaniaMs);
    if (!odpowiedz->isFinished())
        petla.exec();
    limit.stop();
    pytanie.stop();

    if (przerwano)
        throw EBlad(QStringLiteral("Przerwano sprawdzanie aktualizacji."));
    if (przekroczono)
        throw ENoConnection(QStringLiteral("Brak połączenia z Internetem."));
    if (zaDuzo)
        throw EBlad(BladDanych());
    const QVariant status = odpowiedz->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        throw EBlad(BladDanych());
    if (odpowiedz->error() != QNetworkReply::NoError) {
        if (CzyBrakPolaczenia(odpowiedz->error()))
            throw ENoConnection(QStringLiteral("Brak połączenia z Internetem."));
        throw EBlad(BladDanych());
    }
    dane += odpowiedz->readAll();
    if (dane.isEmpty() || dane.size() > NajwiekszyTekst)
        throw EBlad(BladDanych());
    return ZWindows1250(dane);
}

TVersionChecker::TVersionChecker(const QUrl& adres, int msLimit, const std::function<bool()>& czyPrzerwac)
    : FDaneZPliku(Podziel(PobierzTekstZUrl(adres, msLimit, czyPrzerwac)))
{
}

QStringList TVersionChecker::Podziel(const QString& tekst)
{
    QStringList linie;
    for (const QString& kawalek : tekst.split(QStringLiteral("\r\n")))
        linie << kawalek.trimmed();
    return linie;
}

QString TVersionChecker::Linia(int indeks, const QString& bladBraku) const
{
    // A blank line carries no data either: "2.0.0.0\r\n" has no date.
    if (indeks >= FDaneZPliku.size() || FDaneZPliku[indeks].isEmpty())
        throw EBlad(bladBraku);
    return FDaneZPliku[indeks];
}

QString TVersionChecker::GetAktualnaWersja() const
{
    return Linia(0, QStringLiteral("Brak danych o nowej wersji na serwerze"));
}

QString TVersionChecker::GetDataAktualizacji() const
{
    return Linia(1, QStringLiteral("Brak danych o dacie publikacji nowej wersji na serwerze"));
}

QString TVersionChecker::GetLinkAktualizacyjny() const
{
    return Linia(2, QStringLiteral("Brak danych o linku aktualizacyjnym na serwerze"));
}

bool TVersionChecker::CzyNowszaNiz(const QString& wersjaProgramu) const
{
    const std::optional<TWersja> nowa = CzytajWersje(GetAktualnaWersja());
    if (!nowa)
        throw EBlad(BladDanych());
    const std::optional<TWersja> wlasna = CzytajWersje(wersjaProgramu);
    if (!wlasna)
        throw std::invalid_argument("program version is not four numbers: " + wersjaProgramu.toStdString());
    return *nowa > *wlasna;
}

QUrl TVersionChecker::GetAdresPobierania() const
{
    const QUrl adres(GetLinkAktualizacyjny(), QUrl::StrictMode);
    const QString schemat = adres.scheme();
    if (!adres.isValid() || (schemat != QLatin1String("http") && schemat != QLatin1String("https")) ||
        adres.host().isEmpty())
        throw EBlad(BladDanych());
    return adres;
}
