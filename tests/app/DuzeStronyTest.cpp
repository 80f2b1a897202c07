#include "app/DuzeStrony.h"

#include <gtest/gtest.h>

namespace {

// The allocator's tunable joins whatever else the user tuned, and a choice already made stays.
TEST(DuzeStrony, StrojenieDopisaneLubZachowane)
{
    const struct
    {
        const char* Obecne;
        const char* Oczekiwane;
    } przypadki[] = {
        {"", "glibc.malloc.hugetlb=1"},
        {"glibc.malloc.arena_max=2", "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"},
        {"glibc.malloc.hugetlb=0", "glibc.malloc.hugetlb=0"},
        {"glibc.malloc.hugetlb=2:glibc.pthread.rseq=0", "glibc.malloc.hugetlb=2:glibc.pthread.rseq=0"},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(StrojenieZDuzymiStronami(p.Obecne), QByteArray(p.Oczekiwane)) << p.Obecne;
}

} // namespace
