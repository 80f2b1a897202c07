#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "cli/Cli.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication aplikacja(argc, argv);
    const QStringList argumenty = aplikacja.arguments().mid(1);
    QTextStream bledy(stderr);
    if (argumenty.size() != 2 ||
        (argumenty[0] != QLatin1String("strona") && argumenty[0] != QLatin1String("uzupelnianie"))) {
        bledy << "Użycie: velostra-pomoc-cli strona|uzupelnianie PLIK\n";
        return 1;
    }
    const TCli cli;
    const QString tekst = argumenty[0] == QLatin1String("strona") ? StronaPodrecznika(cli.Polecenia(), WersjaProgramu())
                                                                  : UzupelnianieBash(cli.Polecenia());
    try {
        ZapiszBezpiecznie(argumenty[1], tekst.toUtf8());
    } catch (const EBlad& e) {
        bledy << e.Komunikat() << '\n';
        return 1;
    }
    return 0;
}
