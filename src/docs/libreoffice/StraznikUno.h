#pragma once

#include <sys/types.h>

#include <cstdint>

// The office is a program of its own and may stop answering (a document it cannot digest): a UNO call that
// has not returned within the limit ends the offices this process uses, so that the call fails as a lost
// connection and the work is retried once on a new office, instead of waiting for good.
namespace StraznikUno {

// The process group of an office the owner uses; a stuck call ends it.
void DodajGrupe(const void* wlasciciel, pid_t grupa);
void UsunGrupe(const void* wlasciciel);
// The limit of one call: VELOSTRA_LIMIT_WYWOLANIA_OFFICE seconds when set, else ten minutes (a whole set
// saved as PDF takes minutes on a slow machine).
int LimitMs();
// How many times offices were ended for not answering.
int LiczbaPrzerwan();

// One call in progress, from construction to destruction.
class TWywolanie
{
public:
    TWywolanie();
    ~TWywolanie();
    TWywolanie(const TWywolanie&) = delete;
    TWywolanie& operator=(const TWywolanie&) = delete;

private:
    std::uint64_t FNumer;
};

} // namespace StraznikUno
