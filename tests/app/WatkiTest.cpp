#include "app/Watki.h"
#include "app/Wyjatki.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

// A job that records which step ran on which thread, and can fail or wait in its work.
class TZadanieTestowe : public TPrzetworzPlikiThread
{
public:
    enum class TBlad { Brak, WPracy, WRozpoczeciu, WZakonczeniu, Obcy };

    explicit TZadanieTestowe(TBlad blad = TBlad::Brak, std::mutex* sekcja = nullptr)
        : TPrzetworzPlikiThread(sekcja), FBlad(blad)
    {
        OnException = [this](TExceptionMsgThread* nadawca) {
            Zapisz(QStringLiteral("blad:") + nadawca->ExceptionMsg());
        };
    }

    QStringList Kroki() const
    {
        QMutexLocker blokada(&FMutex);
        return FKroki;
    }

    std::atomic<int> Iteracji{0};
    std::function<void()> PrzyStarcie;
    bool DlugaPraca = false;

protected:
    void Rozpocznij() override
    {
        Zapisz(QStringLiteral("rozpocznij"));
        if (PrzyStarcie)
            PrzyStarcie();
        if (FBlad == TBlad::WRozpoczeciu)
            throw EBlad(QStringLiteral("start nieudany"));
    }
    void Przetwarzaj() override
    {
        Zapisz(QStringLiteral("przetwarzaj"));
        // Progress is relayed to the main thread synchronously.
        NaWatkuGlownym([this] { Zapisz(QStringLiteral("postep")); });
        while (DlugaPraca && !Terminated()) {
            ++Iteracji;
            QThread::msleep(1);
        }
        if (FBlad == TBlad::WPracy)
            throw EBlad(QStringLiteral("Błąd odczytu pliku"));
        if (FBlad == TBlad::Obcy)
            throw std::runtime_error("zly alloc");
    }
    void Zakoncz() override
    {
        Zapisz(QStringLiteral("zakoncz"));
        if (FBlad == TBlad::WZakonczeniu)
            throw EBlad(QStringLiteral("koniec nieudany"));
    }

private:
    void Zapisz(const QString& krok)
    {
        const bool glowny = QThread::currentThread() == QCoreApplication::instance()->thread();
        QMutexLocker blokada(&FMutex);
        FKroki << krok + (glowny ? QStringLiteral("@glowny") : QStringLiteral("@roboczy"));
    }

    TBlad FBlad;
    mutable QMutex FMutex;
    QStringList FKroki;
};

QStringList Uruchom(TZadanieTestowe& zadanie)
{
    zadanie.start();
    zadanie.Czekaj();
    return zadanie.Kroki();
}

TEST(Watki, KrokiNaWlasciwychWatkach)
{
    TZadanieTestowe zadanie;
    EXPECT_EQ(Uruchom(zadanie),
              (QStringList{"rozpocznij@glowny", "przetwarzaj@roboczy", "postep@glowny", "zakoncz@glowny"}));
    EXPECT_TRUE(zadanie.ExceptionMsg().isEmpty());
}

TEST(Watki, BladPracyPoKrokuKoncowymDoObslugiBledu)
{
    TZadanieTestowe zadanie(TZadanieTestowe::TBlad::WPracy);
    EXPECT_EQ(Uruchom(zadanie), (QStringList{"rozpocznij@glowny", "przetwarzaj@roboczy", "postep@glowny",
                                             "zakoncz@glowny", "blad:Błąd odczytu pliku@glowny"}));
    EXPECT_EQ(zadanie.ExceptionMsg(), QStringLiteral("Błąd odczytu pliku"));
}

TEST(Watki, BladRozpoczeciaPomijaPraceAleNieKoniec)
{
    TZadanieTestowe zadanie(TZadanieTestowe::TBlad::WRozpoczeciu);
    EXPECT_EQ(Uruchom(zadanie), (QStringList{"rozpocznij@glowny", "zakoncz@glowny", "blad:start nieudany@glowny"}));
}

TEST(Watki, BladZakonczeniaJestZgloszony)
{
    TZadanieTestowe zadanie(TZadanieTestowe::TBlad::WZakonczeniu);
    EXPECT_EQ(Uruchom(zadanie).last(), QStringLiteral("blad:koniec nieudany@glowny"));
}

TEST(Watki, ObcyWyjatekNiePrzerywaProgramu)
{
    TZadanieTestowe zadanie(TZadanieTestowe::TBlad::Obcy);
    const QStringList kroki = Uruchom(zadanie);
    EXPECT_EQ(kroki.at(kroki.size() - 2), QStringLiteral("zakoncz@glowny"));
    EXPECT_TRUE(kroki.last().startsWith(QStringLiteral("blad:Nieoczekiwany błąd")));
}

TEST(Watki, ZatrzymaneZadanieWykonujeTylkoKrokiStartuIKonca)
{
    TZadanieTestowe zadanie;
    zadanie.Terminate();
    EXPECT_EQ(Uruchom(zadanie), (QStringList{"rozpocznij@glowny", "zakoncz@glowny"}));
}

TEST(Watki, TerminateJestSprawdzanyMiedzyElementami)
{
    TZadanieTestowe zadanie;
    zadanie.DlugaPraca = true;
    zadanie.start();
    QElapsedTimer czas;
    czas.start();
    while (zadanie.Iteracji.load() < 3 && czas.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    zadanie.TerminateICzekaj();
    EXPECT_TRUE(zadanie.isFinished());
    EXPECT_EQ(zadanie.Kroki().last(), QStringLiteral("zakoncz@glowny"));
}

TEST(Watki, SekcjaKrytycznaWokolKrokowGlownych)
{
    std::mutex sekcja;
    std::atomic<bool> zwolniona{false};
    TZadanieTestowe zadanie(TZadanieTestowe::TBlad::Brak, &sekcja);
    bool startPoZwolnieniu = false;
    zadanie.PrzyStarcie = [&] { startPoZwolnieniu = zwolniona.load(); };
    sekcja.lock();
    std::thread trzymajacy([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        zwolniona = true;
        sekcja.unlock();
    });
    zadanie.start();
    zadanie.Czekaj();
    trzymajacy.join();
    EXPECT_TRUE(startPoZwolnieniu);
    EXPECT_EQ(zadanie.Kroki().size(), 4);
}

} // namespace
