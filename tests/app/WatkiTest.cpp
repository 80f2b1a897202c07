#include "app/Watki.h"
#include "app/Wyjatki.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

// The steps of a job and the thread each ran on; it outlives the job.
struct TDziennik
{
    void Zapisz(const QString& krok)
    {
        const bool glowny = QThread::currentThread() == QCoreApplication::instance()->thread();
        QMutexLocker blokada(&Mutex);
        Kroki << krok + (glowny ? QStringLiteral("@glowny") : QStringLiteral("@roboczy"));
    }
    QStringList Odczytaj() const
    {
        QMutexLocker blokada(&Mutex);
        return Kroki;
    }

    mutable QMutex Mutex;
    QStringList Kroki;
};

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
    // Its steps use its own members: it stops before they are gone.
    ~TZadanieTestowe() override { ZatrzymajICzekaj(); }

    QStringList Kroki() const { return Dziennik->Odczytaj(); }

    std::shared_ptr<TDziennik> Dziennik = std::make_shared<TDziennik>();
    std::atomic<int> Iteracji{0};
    std::function<void()> PrzyStarcie;
    bool DlugaPraca = false;
    int Postepow = 1; // calls to the main thread in the work

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
        for (int i = 0; i < Postepow; ++i)
            NaWatkuGlownym([this] { Zapisz(QStringLiteral("postep")); });
        while (DlugaPraca && !CzyZatrzymano()) {
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
    void Zapisz(const QString& krok) { Dziennik->Zapisz(krok); }

    TBlad FBlad;
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
    zadanie.PoprosOZatrzymanie();
    EXPECT_EQ(Uruchom(zadanie), (QStringList{"rozpocznij@glowny", "zakoncz@glowny"}));
}

// The start step and the progress run through the event loop (nobody waits yet), the rest through the wait;
// each exactly once.
TEST(Watki, ZatrzymanieJestSprawdzaneMiedzyElementami)
{
    TZadanieTestowe zadanie;
    zadanie.DlugaPraca = true;
    zadanie.start();
    QElapsedTimer czas;
    czas.start();
    while (zadanie.Iteracji.load() < 3 && czas.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    zadanie.ZatrzymajICzekaj();
    EXPECT_TRUE(zadanie.isFinished());
    QCoreApplication::processEvents();
    EXPECT_EQ(zadanie.Kroki(),
              (QStringList{"rozpocznij@glowny", "przetwarzaj@roboczy", "postep@glowny", "zakoncz@glowny"}));
}

// Many calls while the main thread waits; the first one was posted before the wait began, so both paths
// hold it: it still runs once.
TEST(Watki, CzekanieObslugujeWieleWywolanZadania)
{
    TZadanieTestowe zadanie;
    zadanie.Postepow = 2000;
    zadanie.start();
    QThread::msleep(50);
    zadanie.Czekaj();
    QCoreApplication::processEvents();
    const QStringList kroki = zadanie.Kroki();
    EXPECT_EQ(kroki.count(QStringLiteral("postep@glowny")), 2000);
    EXPECT_EQ(kroki.count(QStringLiteral("rozpocznij@glowny")), 1);
    EXPECT_EQ(kroki.size(), 2003);
    EXPECT_EQ(kroki.last(), QStringLiteral("zakoncz@glowny"));
}

// What waits in the event loop before the wait (a posted event, a zero timer, a deferred delete) is left
// there by the wait and runs later, from the event loop.
TEST(Watki, CzekanieNieUruchamiaPetliZdarzen)
{
    struct TOdbiorca : QObject
    {
        bool event(QEvent* e) override
        {
            if (e->type() != QEvent::User)
                return QObject::event(e);
            ++Zdarzen;
            return true;
        }
        int Zdarzen = 0;
    } odbiorca;
    bool czasomierz = false;
    bool usuniety = false;
    QCoreApplication::postEvent(&odbiorca, new QEvent(QEvent::User));
    QTimer::singleShot(0, &odbiorca, [&czasomierz] { czasomierz = true; });
    QObject* doUsuniecia = new QObject;
    QObject::connect(doUsuniecia, &QObject::destroyed, [&usuniety] { usuniety = true; });
    doUsuniecia->deleteLater();

    TZadanieTestowe zadanie;
    Uruchom(zadanie);
    EXPECT_EQ(zadanie.Kroki().size(), 4) << "the job's own calls were served";
    EXPECT_EQ(odbiorca.Zdarzen, 0);
    EXPECT_FALSE(czasomierz);
    EXPECT_FALSE(usuniety);

    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(odbiorca.Zdarzen, 1);
    EXPECT_TRUE(czasomierz);
    EXPECT_TRUE(usuniety);
}

// The destructor stops the work and serves its end step through the wait, not through the event loop.
TEST(Watki, ZniszczenieDzialajacegoZadaniaZatrzymujeJeBezPetliZdarzen)
{
    auto zadanie = std::make_unique<TZadanieTestowe>();
    const std::shared_ptr<TDziennik> dziennik = zadanie->Dziennik;
    zadanie->DlugaPraca = true;
    zadanie->start();
    QElapsedTimer czas;
    czas.start();
    while (zadanie->Iteracji.load() < 3 && czas.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_GE(zadanie->Iteracji.load(), 3);
    bool czasomierz = false;
    QTimer::singleShot(0, [&czasomierz] { czasomierz = true; });

    zadanie.reset();
    EXPECT_EQ(dziennik->Odczytaj().last(), QStringLiteral("zakoncz@glowny"));
    EXPECT_FALSE(czasomierz);
    QCoreApplication::processEvents();
    EXPECT_TRUE(czasomierz);
}

// Waiting for a job inside one of its own calls to the main thread could never end: refused, and the
// refusal is the job's failure.
TEST(Watki, CzekanieZWlasnegoWywolaniaJestOdrzucone)
{
    TZadanieTestowe zadanie;
    zadanie.PrzyStarcie = [&zadanie] { zadanie.Czekaj(); };
    const QStringList kroki = Uruchom(zadanie);
    ASSERT_EQ(kroki.size(), 3);
    EXPECT_EQ(kroki[1], QStringLiteral("zakoncz@glowny"));
    EXPECT_TRUE(kroki[2].startsWith(QStringLiteral("blad:Nieoczekiwany błąd: Czekanie na zadanie")))
        << kroki[2].toStdString();
}

// A thread outside the family reaches the main thread through the event loop; its failure travels back.
TEST(Watki, WywolanieSpozaRodzinyPrzezPetleZdarzen)
{
    std::atomic<bool> naGlownym{false};
    std::atomic<bool> gotowe{false};
    QString blad;
    std::thread obcy([&] {
        TExceptionMsgThread::NaWatkuGlownym(
            [&] { naGlownym = QThread::currentThread() == QCoreApplication::instance()->thread(); });
        try {
            TExceptionMsgThread::NaWatkuGlownym([] { throw EBlad(QStringLiteral("Błąd na wątku głównym")); });
        } catch (const EBlad& e) {
            blad = e.Komunikat();
        }
        gotowe = true;
    });
    QElapsedTimer czas;
    czas.start();
    while (!gotowe.load() && czas.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    obcy.join();
    EXPECT_TRUE(naGlownym.load());
    EXPECT_EQ(blad, QStringLiteral("Błąd na wątku głównym"));
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
