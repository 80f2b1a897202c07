#include "workflow/ProgramController.h"

#include "app/Wyjatki.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>

namespace {

// A web server on a thread of its own that gives every request the same raw answer; with an empty answer
// it accepts the connection and keeps silent.
class TSerwerHttp : public QThread
{
public:
    explicit TSerwerHttp(QByteArray odpowiedz) : FOdpowiedz(std::move(odpowiedz))
    {
        start();
        FGotowy.acquire();
    }
    ~TSerwerHttp() override
    {
        quit();
        wait();
    }
    QUrl Adres() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/wersja.txt").arg(FPort)); }
    int Polaczen() const { return FPolaczen; }
    QByteArray Zadanie() const
    {
        QMutexLocker blokada(&FMutex);
        return FZadanie;
    }

protected:
    void run() override
    {
        QTcpServer serwer;
        serwer.listen(QHostAddress::LocalHost, 0);
        FPort = serwer.serverPort();
        QObject::connect(&serwer, &QTcpServer::newConnection, &serwer, [&] {
            while (QTcpSocket* gniazdo = serwer.nextPendingConnection()) {
                ++FPolaczen;
                QObject::connect(gniazdo, &QTcpSocket::readyRead, gniazdo, [this, gniazdo] {
                    QMutexLocker blokada(&FMutex);
                    FZadanie += gniazdo->readAll();
                    if (FZadanie.contains("\r\n\r\n") && !FOdpowiedz.isEmpty()) {
                        gniazdo->write(FOdpowiedz);
                        gniazdo->disconnectFromHost();
                    }
                });
            }
        });
        FGotowy.release();
        exec();
    }

private:
    QByteArray FOdpowiedz;
    QSemaphore FGotowy;
    quint16 FPort = 0;
    std::atomic<int> FPolaczen{0};
    mutable QMutex FMutex;
    QByteArray FZadanie;
};

QByteArray Http(const QByteArray& status, const QByteArray& tresc)
{
    return "HTTP/1.1 " + status +
           "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(tresc.size()) +
           "\r\nConnection: close\r\n\r\n" + tresc;
}

QUrl ZamknietyPort()
{
    QTcpServer serwer;
    serwer.listen(QHostAddress::LocalHost, 0);
    return QUrl(QStringLiteral("http://127.0.0.1:%1/wersja.txt").arg(serwer.serverPort()));
}

// Records what the user saw, and that it was shown on the main thread.
class TUzytkownikTestowy : public IUzytkownikAktualizacji
{
public:
    bool Tak = true;
    QStringList Zapis;

    void PokazKomunikat(const QString& tekst) override { Dodaj(QStringLiteral("komunikat: ") + tekst); }
    bool ZadajPytanie(const QString& komunikat, const QString& pytanie) override
    {
        Dodaj(QStringLiteral("pytanie: ") + komunikat + QStringLiteral(" / ") + pytanie);
        return Tak;
    }
    void OtworzAdres(const QUrl& adres) override { Dodaj(QStringLiteral("otwórz: ") + adres.toString()); }

private:
    void Dodaj(const QString& wpis)
    {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread()) << wpis.toStdString();
        Zapis << wpis;
    }
};

const QString Wersja = QStringLiteral("1.10.6.2");
const QString Aktualna = QStringLiteral("komunikat: Posiadasz aktualną wersję programu.");
const QString BladDanych = QStringLiteral("komunikat: Błąd danych na serwerze.");
const QString BrakPolaczenia = QStringLiteral("komunikat: Brak połączenia z Internetem.");

QString Pytanie(const QString& wersja, const QString& data)
{
    return QStringLiteral("pytanie: Jest dostępna nowa wersja programu %1 (%2). / Czy chcesz przejść do strony, z "
                          "której można pobrać aktualizację ?")
        .arg(wersja, data);
}

TEST(Aktualizacja, OdpowiedziSerwera)
{
    const QByteArray strona = "\r\n05.03.2024\r\nhttps://example.com/pobierz\r\n";
    struct TPrzypadek
    {
        const char* Nazwa;
        std::optional<QByteArray> Odpowiedz; // raw HTTP; none: nobody listens on the port
        bool Tak;
        QStringList Oczekiwane;
    };
    const TPrzypadek przypadki[] = {
        {"aktualna", Http("200 OK", Wersja.toLatin1() + strona), true, {Aktualna}},
        {"nowsza liczbowo, nie tekstowo",
         Http("200 OK", "1.10.10.0" + strona),
         true,
         {Pytanie("1.10.10.0", "05.03.2024"), "otwórz: https://example.com/pobierz"}},
        {"nowsza, Nie", Http("200 OK", "2.0.0.0" + strona), false, {Pytanie("2.0.0.0", "05.03.2024")}},
        {"starsza", Http("200 OK", "1.9.99.99" + strona), true, {Aktualna}},
        {"równa z odstępami", Http("200 OK", "1.10.6.2  \t " + strona), true, {Aktualna}},
        {"jedna linia",
         Http("200 OK", "2.0.0.0\r\n"),
         true,
         {"komunikat: Brak danych o dacie publikacji nowej wersji na serwerze"}},
        {"bez końcowego CR LF",
         Http("200 OK", "2.0.0.0\r\nd\r\nhttp://example.com/x"),
         true,
         {Pytanie("2.0.0.0", "d"), "otwórz: http://example.com/x"}},
        {"bez linku",
         Http("200 OK", "2.0.0.0\r\nd"),
         true,
         {Pytanie("2.0.0.0", "d"), "komunikat: Brak danych o linku aktualizacyjnym na serwerze"}},
        {"link nie http",
         Http("200 OK", "2.0.0.0\r\nd\r\nfile:///etc/passwd"),
         true,
         {Pytanie("2.0.0.0", "d"), BladDanych}},
        {"wersja nie z czterech liczb", Http("200 OK", "1.10.6" + strona), true, {BladDanych}},
        {"wersja nie liczbowa", Http("200 OK", "1.10.x.2" + strona), true, {BladDanych}},
        {"pusta treść", Http("200 OK", ""), true, {BladDanych}},
        {"404", Http("404 Not Found", "brak"), true, {BladDanych}},
        {"odmowa połączenia", std::nullopt, true, {BrakPolaczenia}},
        {"milczący serwer", QByteArray(), true, {BrakPolaczenia}},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        std::unique_ptr<TSerwerHttp> serwer;
        if (p.Odpowiedz)
            serwer = std::make_unique<TSerwerHttp>(*p.Odpowiedz);
        const bool milczy = p.Odpowiedz && p.Odpowiedz->isEmpty();
        TUzytkownikTestowy uzytkownik;
        uzytkownik.Tak = p.Tak;
        TProgramController kontroler(uzytkownik, serwer ? serwer->Adres() : ZamknietyPort(), Wersja,
                                     milczy ? 300 : 5000);
        QElapsedTimer czas;
        czas.start();
        kontroler.SprawdzAktualnoscProgramu();
        kontroler.SprawdzAktualizacjeThread()->Czekaj();
        EXPECT_EQ(uzytkownik.Zapis, p.Oczekiwane);
        EXPECT_LT(czas.elapsed(), 4000);
    }
}

TEST(Aktualizacja, ZadanieBezPamieciPodrecznejZNazwaProgramu)
{
    TSerwerHttp serwer(Http("200 OK", "x"));
    EXPECT_EQ(PobierzTekstZUrl(serwer.Adres()), QStringLiteral("x"));
    EXPECT_TRUE(serwer.Zadanie().contains("\r\nUser-Agent: Velostra\r\n")) << serwer.Zadanie().toStdString();
    EXPECT_TRUE(serwer.Zadanie().contains("\r\nCache-Control: no-cache\r\n")) << serwer.Zadanie().toStdString();
    EXPECT_THROW(PobierzTekstZUrl(ZamknietyPort()), ENoConnection);
}

TEST(Aktualizacja, DrugieWywolanieWTrakcieNicNieRobi)
{
    TSerwerHttp serwer({});
    TUzytkownikTestowy uzytkownik;
    TProgramController kontroler(uzytkownik, serwer.Adres(), Wersja, 300);
    kontroler.SprawdzAktualnoscProgramu();
    TSprawdzAktualizacjeThread* pierwsze = kontroler.SprawdzAktualizacjeThread();
    kontroler.SprawdzAktualnoscProgramu();
    EXPECT_EQ(kontroler.SprawdzAktualizacjeThread(), pierwsze);
    pierwsze->Czekaj();
    EXPECT_FALSE(kontroler.CzySprawdzanieTrwa());
    EXPECT_EQ(uzytkownik.Zapis, QStringList{BrakPolaczenia});
    EXPECT_EQ(serwer.Polaczen(), 1);
    // Once ended, a new command checks again.
    kontroler.SprawdzAktualnoscProgramu();
    kontroler.SprawdzAktualizacjeThread()->Czekaj();
    EXPECT_EQ(serwer.Polaczen(), 2);
}

TEST(Aktualizacja, ZamknieciePrzerywaSprawdzanieBezKomunikatu)
{
    TSerwerHttp serwer({});
    TUzytkownikTestowy uzytkownik;
    QElapsedTimer czas;
    {
        TProgramController kontroler(uzytkownik, serwer.Adres(), Wersja, 20000);
        kontroler.SprawdzAktualnoscProgramu();
        // The fetch is under way: the server holds the connection.
        while (serwer.Polaczen() == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        czas.start();
    }
    EXPECT_LT(czas.elapsed(), 2000);
    EXPECT_TRUE(uzytkownik.Zapis.isEmpty()) << uzytkownik.Zapis.join(QLatin1Char('|')).toStdString();
}

} // namespace
