#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "archive/FolderUzytkownika.h"
#include "ui/GlowneOkno.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication aplikacja(argc, argv);
    aplikacja.setApplicationName(QStringLiteral("Velostra"));
    TGlowneOkno okno;
    try {
        TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, true);
        okno.UstawZKonfiguracji(*konfiguracja);
    } catch (const EBlad& e) {
        QMessageBox::warning(nullptr, QStringLiteral("Uwaga!"), e.Komunikat());
        return 1;
    }
    // First run: the user folder is made and filled from the program's archive; a failure is reported
    // and the run goes on.
    try {
        PrzygotujFolderUzytkownika(TKonfiguracja::GetInstance()->GetUserPath(), PlikArchiwumPierwszegoUruchomienia());
    } catch (const EBlad& e) {
        QMessageBox::warning(nullptr, QStringLiteral("Uwaga!"), e.Komunikat());
    }
    if (TKonfiguracja::GetInstance()->Maximized)
        okno.showMaximized();
    else
        okno.show();
    const int kod = aplikacja.exec();
    TKonfiguracja::Zwolnij(true);
    return kod;
}
