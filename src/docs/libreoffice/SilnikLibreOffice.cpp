#include "docs/libreoffice/SilnikLibreOffice.h"

#include "docs/AdresPliku.h"
#include "docs/libreoffice/DokumentLibreOffice.h"
#include "docs/libreoffice/ProcesOffice.h"
#include "docs/libreoffice/Uno.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNameReplace.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <com/sun/star/util/XFlushable.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <QElapsedTimer>
#include <QFileInfo>

#include <csignal>
#include <functional>
#include <thread>

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

void RzucBladUno(const css::uno::Exception& e)
{
    const QString komunikat = ZUno(e.Message);
    if (komunikat.contains(QStringLiteral("URP bridge")) || komunikat.contains(QStringLiteral("disposed")))
        throw ESilnikUtracony(QStringLiteral("Połączenie z pakietem biurowym zostało przerwane."));
    throw EBlad(komunikat.isEmpty() ? QStringLiteral("Błąd pakietu biurowego.") : komunikat);
}

struct TPolaczenieOffice
{
    Reference<css::uno::XComponentContext> Kontekst;
    Reference<css::frame::XDesktop2> Desktop;
};

namespace {

// The local UNO runtime is made once per process; every office connection goes through it.
Reference<css::uno::XComponentContext> KontekstLokalny()
{
    static std::once_flag raz;
    static Reference<css::uno::XComponentContext> kontekst;
    static QString blad;
    std::call_once(raz, [] {
        // Writing to the pipe of an office that died must fail as an error, not end our process.
        std::signal(SIGPIPE, SIG_IGN);
        try {
            // The runtime finds the office's type and service registries through this variable.
            if (qEnvironmentVariableIsEmpty("URE_BOOTSTRAP"))
                qputenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" VELOSTRA_LO_PROGRAM "/fundamentalrc");
            kontekst = cppu::defaultBootstrap_InitialComponentContext();
        } catch (const css::uno::Exception& e) {
            blad = ZUno(e.Message);
        } catch (const std::exception& e) {
            blad = QString::fromUtf8(e.what());
        }
    });
    if (!kontekst.is())
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można uruchomić środowiska UNO pakietu LibreOffice: ") + blad);
    return kontekst;
}

const int KCzasStartuMs = 60000;

// The connection to the office listening on the pipe, retried while it starts; null when it did not answer
// in time or czyDziala says it is gone. Other UNO failures propagate.
std::unique_ptr<TPolaczenieOffice> PolaczZPotokiem(const QString& potok, const std::function<bool()>& czyDziala)
{
    const OUString adres = DoUno(QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(potok));
    auto polaczenie = std::make_unique<TPolaczenieOffice>();
    Reference<css::bridge::XUnoUrlResolver> resolver = css::bridge::UnoUrlResolver::create(KontekstLokalny());
    QElapsedTimer zegar;
    zegar.start();
    for (;;) {
        try {
            polaczenie->Kontekst.set(resolver->resolve(adres), UNO_QUERY_THROW);
            break;
        } catch (const css::connection::NoConnectException&) {
            if (!czyDziala() || zegar.elapsed() > KCzasStartuMs)
                return nullptr;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    polaczenie->Desktop = css::frame::Desktop::create(polaczenie->Kontekst);
    return polaczenie;
}

// A profile that does not record this office version as seen makes every start run the office's graphics
// self-tests, half a second of the start; only a window the office shows would record it, and ours shows
// none. Recorded here once, so that the kept profile's later starts skip them.
void ZapiszWersjeWProfilu(const Reference<css::uno::XComponentContext>& kontekst)
{
    const Reference<css::lang::XMultiServiceFactory> dostawca = css::configuration::theDefaultProvider::get(kontekst);
    css::uno::Sequence<css::uno::Any> argumenty(1);
    argumenty.getArray()[0] <<=
        css::beans::NamedValue("nodepath", css::uno::Any(OUString("/org.openoffice.Setup/Product")));
    const Reference<css::container::XNameAccess> produkt(
        dostawca->createInstanceWithArguments("com.sun.star.configuration.ConfigurationUpdateAccess", argumenty),
        UNO_QUERY_THROW);
    const css::uno::Any wersja = produkt->getByName("ooSetupVersion");
    if (!wersja.hasValue() || produkt->getByName("ooSetupLastVersion") == wersja)
        return;
    Reference<css::container::XNameReplace>(produkt, UNO_QUERY_THROW)->replaceByName("ooSetupLastVersion", wersja);
    Reference<css::util::XChangesBatch>(produkt, UNO_QUERY_THROW)->commitChanges();
    // Written now: an office ended without its own shutdown would lose it.
    if (const Reference<css::util::XFlushable> zapis{dostawca, UNO_QUERY}; zapis.is())
        zapis->flush();
}

} // namespace

TSilnikLibreOffice::TSilnikLibreOffice() = default;

TSilnikLibreOffice::TSilnikLibreOffice(QString potokWspolnego, pid_t grupaWspolnego)
    : FPotokWspolnego(std::move(potokWspolnego)), FGrupaWspolnego(grupaWspolnego)
{
}

TSilnikLibreOffice::~TSilnikLibreOffice()
{
    Zatrzymaj();
}

bool TSilnikLibreOffice::CzyUruchomiony() const
{
    std::lock_guard blokada(FMutex);
    return FPolaczenie != nullptr;
}

QString TSilnikLibreOffice::NazwaPotoku() const
{
    std::lock_guard blokada(FMutex);
    if (FProces)
        return FProces->NazwaPotoku();
    return FPolaczenie ? FPotokWspolnego : QString();
}

void TSilnikLibreOffice::Uruchom()
{
    {
        std::lock_guard blokada(FMutex);
        if (FPolaczenie && !FProces) {
            // The shared office is kept while it answers; once it is gone, a private one takes its place.
            try {
                const StraznikUno::TWywolanie straznik;
                FPolaczenie->Desktop->getCurrentComponent();
                return;
            } catch (...) {
                StraznikUno::UsunGrupe(this);
                FPolaczenie.reset();
                FPotokWspolnego.clear();
            }
        }
    }
    Zatrzymaj();
    std::lock_guard blokada(FMutex);
    UruchomJesliTrzeba();
}

bool TSilnikLibreOffice::PolaczZeWspolnym()
{
    try {
        // Its owner may have started it a moment ago; one that hangs already is ended like a stuck call.
        StraznikUno::DodajGrupe(this, FGrupaWspolnego);
        const StraznikUno::TWywolanie straznik;
        auto polaczenie = PolaczZPotokiem(FPotokWspolnego, [] { return true; });
        if (!polaczenie) {
            StraznikUno::UsunGrupe(this);
            return false;
        }
        FPolaczenie = std::move(polaczenie);
        return true;
    } catch (const css::uno::Exception&) {
        StraznikUno::UsunGrupe(this);
        return false;
    }
}

void TSilnikLibreOffice::UruchomJesliTrzeba()
{
    if (FPolaczenie)
        return;
    if (!FPotokWspolnego.isEmpty()) {
        if (PolaczZeWspolnym())
            return;
        FPotokWspolnego.clear();
    }
    // The profile kept between runs spares the office most of its first start.
    auto proces = std::make_unique<TProcesOffice>(true);
    std::unique_ptr<TPolaczenieOffice> polaczenie;
    for (int proba = 0; !polaczenie; ++proba) {
        proces->Uruchom();
        QString blad;
        try {
            // Its start has a limit of its own (KCzasStartuMs), longer than one call's may be.
            polaczenie = PolaczZPotokiem(proces->NazwaPotoku(), [&] { return proces->CzyDziala(); });
        } catch (const css::uno::Exception& e) {
            blad = ZUno(e.Message);
        }
        if (polaczenie)
            break;
        // A kept profile the office cannot start with is damaged: made anew, once.
        if (proba == 0 && proces->CzyProfilTrwaly()) {
            proces->OdrzucProfil();
            continue;
        }
        proces->Zakoncz(0);
        if (!blad.isEmpty())
            throw EBrakSilnikaDokumentow(QStringLiteral("Pakiet biurowy LibreOffice nie uruchomił się: ") + blad);
        throw EBrakSilnikaDokumentow(QStringLiteral("Pakiet biurowy LibreOffice nie uruchomił się."));
    }
    try {
        const StraznikUno::TWywolanie straznik;
        ZapiszWersjeWProfilu(polaczenie->Kontekst);
    } catch (const css::uno::Exception&) {
        // Only the next start's speed depends on it.
    }
    proces->PotwierdzStart();
    StraznikUno::DodajGrupe(this, proces->Pid());
    FProces = std::move(proces);
    FPolaczenie = std::move(polaczenie);
}

void TSilnikLibreOffice::Zatrzymaj()
{
    std::lock_guard blokada(FMutex);
    StraznikUno::UsunGrupe(this);
    if (FPolaczenie && !FProces) {
        FPolaczenie.reset(); // a shared office is its owner's to end
        return;
    }
    if (FPolaczenie) {
        try {
            FPolaczenie->Desktop->terminate();
        } catch (...) {
            // Already gone; the process is ended below anyway.
        }
        FPolaczenie.reset();
    }
    if (FProces) {
        FProces->Zakoncz(5000);
        FProces.reset();
    }
}

int TSilnikLibreOffice::LiczbaOkien()
{
    Reference<css::frame::XDesktop2> desktop;
    {
        std::lock_guard blokada(FMutex);
        if (!FPolaczenie)
            return 0;
        desktop = FPolaczenie->Desktop;
    }
    return WywolajUno([&] { return static_cast<int>(desktop->getFrames()->getCount()); });
}

std::unique_ptr<IDokumentTekstowy> TSilnikLibreOffice::NowyDokument()
{
    Reference<css::frame::XDesktop2> desktop;
    Reference<css::uno::XComponentContext> kontekst;
    {
        std::lock_guard blokada(FMutex);
        UruchomJesliTrzeba();
        desktop = FPolaczenie->Desktop;
        kontekst = FPolaczenie->Kontekst;
    }
    return WywolajUno([&]() -> std::unique_ptr<IDokumentTekstowy> {
        // Made without a view, so that no pages are built while files come in (see TDokumentLibreOffice).
        Reference<css::frame::XLoadable> nowy(
            kontekst->getServiceManager()->createInstanceWithContext("com.sun.star.text.TextDocument", kontekst),
            css::uno::UNO_QUERY);
        if (!nowy.is())
            throw EBlad(QStringLiteral("Nie udało się utworzyć nowego dokumentu."));
        nowy->initNew();
        Reference<css::lang::XComponent> dokument(nowy, css::uno::UNO_QUERY_THROW);
        return std::make_unique<TDokumentLibreOffice>(dokument, QString(), desktop);
    });
}

std::unique_ptr<IDokumentTekstowy> TSilnikLibreOffice::OtworzDokument(const QString& plik, bool tylkoDoOdczytu)
{
    if (!QFileInfo(plik).isFile())
        throw EBlad(QStringLiteral("Wybrany plik nie istnieje: ") + plik);
    Reference<css::frame::XDesktop2> desktop;
    {
        std::lock_guard blokada(FMutex);
        UruchomJesliTrzeba();
        desktop = FPolaczenie->Desktop;
    }
    return WywolajUno([&]() -> std::unique_ptr<IDokumentTekstowy> {
        std::vector<css::beans::PropertyValue> argumenty = {
            Wlasciwosc("Hidden", css::uno::Any(true)),
            Wlasciwosc("ReadOnly", css::uno::Any(tylkoDoOdczytu)),
            // Documents come from others: no macros, no links fetched.
            Wlasciwosc("MacroExecutionMode", css::uno::Any(sal_Int16(0))),
            Wlasciwosc("UpdateDocMode", css::uno::Any(sal_Int16(0))),
        };
        const QString filtr = TDokumentLibreOffice::FiltrWczytania(plik);
        if (!filtr.isEmpty())
            argumenty.push_back(Wlasciwosc("FilterName", css::uno::Any(DoUno(filtr))));
        Reference<css::lang::XComponent> dokument =
            desktop->loadComponentFromURL(DoUno(ConvertToURL(plik)), "_blank", 0, Wlasciwosci(argumenty));
        if (!dokument.is())
            throw EBlad(QStringLiteral("Nie udało się otworzyć pliku: ") + plik);
        return std::make_unique<TDokumentLibreOffice>(dokument, plik, desktop);
    });
}
