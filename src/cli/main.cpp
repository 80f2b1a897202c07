#include "app/DuzeStrony.h"
#include "cli/Cli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    UruchomZDuzymiStronami(argv);
    QCoreApplication aplikacja(argc, argv);
    QTextStream wyjscie(stdout);
    QTextStream bledy(stderr);
    TCli cli;
    return cli.Uruchom(aplikacja.arguments().mid(1), wyjscie, bledy);
}
