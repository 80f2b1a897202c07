#include "app/DuzeStrony.h"

#include <cstdlib>
#include <unistd.h>

namespace {

constexpr const char* KZmienna = "GLIBC_TUNABLES";
constexpr const char* KStrojenie = "glibc.malloc.hugetlb";

} // namespace

QByteArray StrojenieZDuzymiStronami(const QByteArray& obecne)
{
    if (obecne.contains(KStrojenie))
        return obecne;
    const QByteArray wlasne = QByteArray(KStrojenie) + "=1";
    return obecne.isEmpty() ? wlasne : obecne + ':' + wlasne;
}

void UruchomZDuzymiStronami(char** argv)
{
    const char* obecne = std::getenv(KZmienna);
    const QByteArray nowe = StrojenieZDuzymiStronami(QByteArray(obecne ? obecne : ""));
    if (obecne && nowe == obecne)
        return;
    if (setenv(KZmienna, nowe.constData(), 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    // Without /proc (or the program gone) it runs on as it is; the variable still reaches its children.
}
