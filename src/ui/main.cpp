#include "app/DuzeStrony.h"
#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "archive/FolderUzytkownika.h"
#include "estimates/UstawieniaKosztorysu.h"
#include "ui/EkranStartowy.h"
#include "ui/GlowneOkno.h"
#include "ui/JednaKopia.h"
#include "ui/Komunikaty.h"
#include "workflow/ZestawController.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[])
{
    UruchomZDuzymiStronami(argv);
    QApplication aplikacja(argc, argv);
    aplikacja.setApplicationName(QStringLiteral("Velostra"));
    aplikacja.setApplicationDisplayName(QStringLiteral("Velostra"));
    aplikacja.setDesktopFileName(QStringLiteral("velostra"));
    aplikacja.setWindowIcon(QIcon::fromTheme(QStringLiteral("velostra")));
    // Qt's own texts (file dialogs, edit menus) in Polish, whatever the desktop's language.
    QTranslator tlumaczenie;
    if (tlumaczenie.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        aplikacja.installTranslator(&tlumaczenie);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velostra - specyfikacje techniczne do kosztorysów"));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("plik"),
        QStringLiteral("Zestaw (.zst), lista specyfikacji (.sst) albo archiwum zestawu (.azst) lub listy (.alst)."));
    const QCommandLineOption katalogOpcja(QStringLiteral("katalog-uzytkownika"),
                                          QStringLiteral("Folder użytkownika tylko dla tego uruchomienia."),
                                          QStringLiteral("folder"));
    const QCommandLineOption wariantyOpcja(QStringLiteral("warianty"),
                                           QStringLiteral("Warianty specyfikacji w użyciu w tym uruchomieniu."));
    parser.addOption(katalogOpcja);
    parser.addOption(wariantyOpcja);
    parser.process(aplikacja);
    const QString plik = parser.positionalArguments().isEmpty()
                             ? QString()
                             : QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const QString katalog =
        parser.isSet(katalogOpcja) ? QFileInfo(parser.value(katalogOpcja)).absoluteFilePath() : QString();

    // One copy per user: a second start hands its file to the first and ends.
    TJednaKopia kopia;
    try {
        if (!kopia.Start(plik))
            return 0;
    } catch (const EBlad& e) {
        PokazKomunikatOkna(nullptr, e.Komunikat());
        return 1;
    }

    TEkranStartowy ekran;
    ekran.show();
    aplikacja.processEvents();

    TGlowneOkno okno;
    TKonfiguracja* konfiguracja = nullptr;
    try {
        konfiguracja = TKonfiguracja::GetInstance(&okno, true);
        okno.UstawZKonfiguracji(*konfiguracja);
    } catch (const EBlad& e) {
        PokazKomunikatOkna(nullptr, e.Komunikat());
        return 1;
    }
    // First run: the user folder is made and filled from the program's archive; a failure is reported
    // and the run goes on.
    try {
        PrzygotujFolderUzytkownika(konfiguracja->GetUserPath(), PlikArchiwumPierwszegoUruchomienia());
    } catch (const EBlad& e) {
        PokazKomunikatOkna(nullptr, e.Komunikat());
    }
    okno.UtworzKontroler(*konfiguracja);
    if (!katalog.isEmpty() || parser.isSet(wariantyOpcja)) {
        // The run's own folder and variants; the configuration keeps its own.
        TUstawieniaKosztorysu ustawienia = TUstawieniaKosztorysu::ZKonfiguracji(*konfiguracja);
        if (!katalog.isEmpty())
            ustawienia.KatalogUzytkownika = katalog;
        if (parser.isSet(wariantyOpcja))
            ustawienia.Warianty.CzyKorzystajZWariantow = true;
        okno.Kontroler()->UstawUstawienia(ustawienia);
    }
    QObject::connect(&kopia, &TJednaKopia::Aktywuj, &okno, [&okno](const QString& drugi) {
        if (okno.isMinimized())
            okno.showNormal();
        okno.raise();
        okno.activateWindow();
        if (!drugi.isEmpty())
            okno.OtworzPlik(drugi);
    });

    QTimer::singleShot(1000, &ekran, [&] {
        ekran.close();
        if (konfiguracja->Maximized)
            okno.showMaximized();
        else
            okno.show();
        if (!plik.isEmpty())
            okno.OtworzPlik(plik);
    });
    const int kod = aplikacja.exec();
    TKonfiguracja::Zwolnij(true);
    return kod;
}
