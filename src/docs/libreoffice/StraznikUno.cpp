#include "docs/libreoffice/StraznikUno.h"

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

namespace StraznikUno {
namespace {

using TZegar = std::chrono::steady_clock;

struct TStan
{
    std::mutex Mutex;
    std::map<const void*, pid_t> Grupy;
    std::map<std::uint64_t, TZegar::time_point> Wywolania;
    std::uint64_t Kolejny = 0;
    int Przerwan = 0;
    bool WatekDziala = false;
};

// Never freed: the watching thread may outlive every static destructor of the process.
TStan& Stan()
{
    static TStan* stan = new TStan;
    return *stan;
}

void Pilnuj()
{
    TStan& s = Stan();
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        const auto limit = std::chrono::milliseconds(LimitMs());
        std::lock_guard blokada(s.Mutex);
        const auto teraz = TZegar::now();
        bool przekroczono = false;
        for (auto& [numer, poczatek] : s.Wywolania) {
            if (teraz - poczatek > limit) {
                przekroczono = true;
                poczatek = teraz; // the call fails soon; it is not counted twice
            }
        }
        if (!przekroczono || s.Grupy.empty())
            continue;
        ++s.Przerwan;
        std::fprintf(stderr, "Pakiet biurowy nie odpowiadał przez %d s i został zakończony.\n",
                     static_cast<int>(limit.count() / 1000));
        for (const auto& [wlasciciel, grupa] : s.Grupy)
            if (grupa > 0)
                kill(-grupa, SIGKILL);
    }
}

} // namespace

void DodajGrupe(const void* wlasciciel, pid_t grupa)
{
    std::lock_guard blokada(Stan().Mutex);
    Stan().Grupy[wlasciciel] = grupa;
}

void UsunGrupe(const void* wlasciciel)
{
    std::lock_guard blokada(Stan().Mutex);
    Stan().Grupy.erase(wlasciciel);
}

int LimitMs()
{
    bool ok = false;
    const int sekundy = qEnvironmentVariableIntValue("VELOSTRA_LIMIT_WYWOLANIA_OFFICE", &ok);
    return ok && sekundy > 0 ? sekundy * 1000 : 600 * 1000;
}

int LiczbaPrzerwan()
{
    std::lock_guard blokada(Stan().Mutex);
    return Stan().Przerwan;
}

TWywolanie::TWywolanie()
{
    TStan& s = Stan();
    std::lock_guard blokada(s.Mutex);
    FNumer = ++s.Kolejny;
    s.Wywolania.emplace(FNumer, TZegar::now());
    if (!s.WatekDziala) {
        s.WatekDziala = true;
        std::thread(Pilnuj).detach();
    }
}

TWywolanie::~TWywolanie()
{
    std::lock_guard blokada(Stan().Mutex);
    Stan().Wywolania.erase(FNumer);
}

} // namespace StraznikUno
