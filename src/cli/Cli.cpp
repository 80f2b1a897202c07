#include "cli/Cli.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "cli/PolecenieArchiwizuj.h"
#include "cli/PolecenieArkusz.h"
#include "cli/PolecenieGeneruj.h"
#include "cli/PolecenieImportuj.h"
#include "cli/PolecenieInformator.h"
#include "cli/PolecenieKonfiguracja.h"
#include "cli/PolecenieKosztorys.h"
#include "cli/PolecenieLista.h"
#include "cli/PoleceniePorzadkuj.h"
#include "cli/PolecenieRozpakuj.h"
#include "cli/PolecenieZestaw.h"

TCli::TCli()
{
    DodajPolecenie(std::make_unique<TPolecenieKonfiguracja>());
    DodajPolecenie(std::make_unique<TPolecenieKosztorys>());
    DodajPolecenie(std::make_unique<TPolecenieLista>());
    DodajPolecenie(std::make_unique<TPolecenieZestaw>());
    DodajPolecenie(std::make_unique<TPolecenieArchiwizuj>());
    DodajPolecenie(std::make_unique<TPolecenieRozpakuj>());
    DodajPolecenie(std::make_unique<TPolecenieGeneruj>());
    DodajPolecenie(std::make_unique<TPoleceniePorzadkuj>());
    DodajPolecenie(std::make_unique<TPolecenieArkusz>());
    DodajPolecenie(std::make_unique<TPolecenieImportuj>());
    DodajPolecenie(std::make_unique<TPolecenieInformator>());
}

TCli::~TCli() = default;

void TCli::DodajPolecenie(std::unique_ptr<TPolecenie> polecenie)
{
    FPolecenia.push_back(std::move(polecenie));
}

int TCli::Uruchom(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy)
{
    if (argumenty.isEmpty()) {
        bledy << PomocOgolna(FPolecenia);
        bledy.flush();
        return KodBlad;
    }
    const QString nazwa = argumenty.first();
    if (nazwa == QLatin1String("--version") || nazwa == QLatin1String("-v")) {
        wyjscie << "velostra-cli " << WersjaProgramu() << '\n';
        wyjscie.flush();
        return KodSukces;
    }
    if (nazwa == QLatin1String("--help") || nazwa == QLatin1String("-h") || nazwa == QLatin1String("pomoc")) {
        wyjscie << PomocOgolna(FPolecenia);
        wyjscie.flush();
        return KodSukces;
    }
    for (const auto& p : FPolecenia) {
        if (p->Nazwa() != nazwa)
            continue;
        if (argumenty.contains(QLatin1String("--help")) || argumenty.contains(QLatin1String("-h"))) {
            wyjscie << PomocPolecenia(*p);
            wyjscie.flush();
            return KodSukces;
        }
        int kod = KodBlad;
        try {
            kod = p->Wykonaj(argumenty.mid(1), wyjscie, bledy);
        } catch (const EBlad& e) {
            bledy << e.Komunikat() << '\n';
            kod = KodBlad;
        } catch (const std::exception& e) {
            bledy << "Nieoczekiwany błąd: " << QString::fromLocal8Bit(e.what()) << '\n';
            kod = KodBlad;
        }
        wyjscie.flush();
        bledy.flush();
        return kod;
    }
    bledy << "Nieznane polecenie: " << nazwa << "\n\n" << PomocOgolna(FPolecenia);
    bledy.flush();
    return KodBlad;
}
