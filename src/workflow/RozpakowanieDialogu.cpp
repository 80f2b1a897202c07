#include "workflow/RozpakowanieDialogu.h"

#include "app/Konfiguracja.h"
#include "app/Watki.h"
#include "app/Wyjatki.h"
#include "archive/ZestawArchiwizator.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace {

const QString FolderSpecyfikacji = QStringLiteral("Specyfikacje Techniczne");
const QString Przerwano =
    QStringLiteral("Rozpakowywanie zostało przerwane. Pliki rozpakowane do tej chwili pozostały w folderze docelowym.");

} // namespace

// Runs the archive core on a worker; the outcome reaches the dialog in the end step.
class TRozpakowanieThread : public TPrzetworzPlikiThread
{
public:
    using TOnKoniec = std::function<void(TRozpakowanieThread*)>;

    TRozpakowanieThread(bool czyZestaw, QString archiwum, TOpcjeEkstrakcjiArchiwum opcje, TOnKoniec onKoniec,
                        TOnException onException)
        : TPrzetworzPlikiThread(nullptr, std::move(onException)), FCzyZestaw(czyZestaw), FArchiwum(std::move(archiwum)),
          FOpcje(std::move(opcje)), FOnKoniec(std::move(onKoniec))
    {
    }
    ~TRozpakowanieThread() override { ZatrzymajICzekaj(); }

    const QString& Wynik() const { return FWynik; }
    bool CzyBlad() const { return FBlad.load(); }

    // Main thread: the progress after each file, at most once per percent.
    std::function<void(int zrobione, int wszystkie)> OnPostep;

protected:
    void Przetwarzaj() override
    {
        try {
            FWynik = TRozpakowanieDialogu::RozpakujArchiwum(FCzyZestaw, FArchiwum, FOpcje,
                                                            [this](int zrobione, int wszystkie) {
                                                                if (CzyZatrzymano())
                                                                    throw EBlad(Przerwano);
                                                                Postep(zrobione, wszystkie);
                                                            });
        } catch (...) {
            FBlad = true;
            throw;
        }
    }
    void Zakoncz() override
    {
        if (FOnKoniec)
            FOnKoniec(this);
    }

private:
    void Postep(int zrobione, int wszystkie)
    {
        const int procent = wszystkie > 0 ? zrobione * 100 / wszystkie : 0;
        if (procent == FProcent)
            return;
        FProcent = procent;
        NaWatkuGlownym([this, zrobione, wszystkie] {
            if (OnPostep)
                OnPostep(zrobione, wszystkie);
        });
    }

    bool FCzyZestaw;
    int FProcent = -1;
    QString FArchiwum;
    TOpcjeEkstrakcjiArchiwum FOpcje;
    TOnKoniec FOnKoniec;
    QString FWynik;
    std::atomic<bool> FBlad{false};
};

TRozpakowanieDialogu::TRozpakowanieDialogu(bool czyZestaw, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik)
    : FCzyZestaw(czyZestaw), FUzytkownik(uzytkownik)
{
    const auto opcje = TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(konfiguracja);
    FKatalogUzytkownika = opcje.KatalogUzytkownika;
    Folder = opcje.FolderDocelowy();
    CzyNadpisuj = opcje.CzyNadpisuj;
    Struktura = opcje.StrukturaFolderow;
    CzytajZnacznik();
}

TRozpakowanieDialogu::~TRozpakowanieDialogu()
{
    Zamknij();
}

QString TRozpakowanieDialogu::NapisOtworz() const
{
    return FCzyZestaw ? QStringLiteral("Otwórz zestaw po rozpakowaniu")
                      : QStringLiteral("Otwórz spis specyfikacji po rozpakowaniu");
}

TDialogPliku TRozpakowanieDialogu::DialogArchiwum() const
{
    TDialogPliku d;
    if (FCzyZestaw) {
        d.Tytul = QStringLiteral("Wybierz archiwum zestawu");
        d.Filtr = QStringLiteral("Archiwm zestawu (*.azst)|*.azst");
    } else {
        d.Tytul = QStringLiteral(".alst");
        d.Filtr = QStringLiteral("Archiwm spisu specyfikacji (*.alst)|*.alst");
    }
    if (!Archiwum.isEmpty())
        d.Folder = QFileInfo(Archiwum).absolutePath();
    return d;
}

void TRozpakowanieDialogu::Zmiana()
{
    if (OnZmiana)
        OnZmiana();
}

void TRozpakowanieDialogu::CzytajZnacznik()
{
    FZnacznik = Folder.trimmed().isEmpty() ? TZnacznikStruktury{}
                                           : CzytajStruktureSst(QDir(Folder).filePath(FolderSpecyfikacji));
    if (FZnacznik.Struktura)
        Struktura = *FZnacznik.Struktura;
    Zmiana();
}

bool TRozpakowanieDialogu::Przygotuj(TOpcjeEkstrakcjiArchiwum& opcje)
{
    if (Archiwum.trimmed().isEmpty() || !QFileInfo(Archiwum).isFile()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Proszę wskazać plik archiwum."));
        return false;
    }
    if (Folder.trimmed().isEmpty()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Proszę wskazać folder docelowy."));
        return false;
    }
    opcje.SetFolderDocelowy(Folder);
    opcje.CzyNadpisuj = CzyNadpisuj;
    opcje.StrukturaFolderow = Struktura;
    opcje.KatalogUzytkownika = FKatalogUzytkownika;
    QDir().mkpath(opcje.FolderDocelowy());
    // The folder may have been typed rather than browsed to: its marker is read again for the comparison.
    FZnacznik = CzytajStruktureSst(QDir(opcje.FolderDocelowy()).filePath(FolderSpecyfikacji));
    if (FZnacznik.Znaleziony && FZnacznik.Struktura != std::optional<int>(Struktura) &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("W wybranym folderze docelowym istnieje już struktura plików i "
                                                 "folderów specyfikacji, która jest inna od wybranej. "),
                                  QStringLiteral("Czy chcesz kontynuować ?")))
        return false;
    return true;
}

void TRozpakowanieDialogu::Rozpakuj()
{
    if (CzyTrwa()) {
        Zatrzymaj();
        return;
    }
    TOpcjeEkstrakcjiArchiwum opcje;
    if (!Przygotuj(opcje))
        return;
    FZadanie.reset();
    FWynik.clear();
    FZadanie = std::make_unique<TRozpakowanieThread>(
        FCzyZestaw, Archiwum, opcje, [this](TRozpakowanieThread* zadanie) { Koniec(zadanie); },
        [this](TExceptionMsgThread* zadanie) {
            FUzytkownik.PokazKomunikat(zadanie->ExceptionMsg());
            Zmiana();
        });
    FZadanie->OnPostep = [this](int zrobione, int wszystkie) {
        FPozycja = zrobione;
        FMaksimum = wszystkie;
        Zmiana();
    };
    FPozycja = 0;
    FMaksimum = 0;
    FTrwa = true;
    FZadanie->start();
    Zmiana();
}

void TRozpakowanieDialogu::Koniec(TRozpakowanieThread* zadanie)
{
    FTrwa = false;
    if (zadanie->CzyBlad() || zadanie->Wynik().isEmpty()) {
        Zmiana(); // a failure is shown by the error handler; a stop leaves the dialog open
        return;
    }
    FWynik = zadanie->Wynik();
    FUzytkownik.PokazKomunikat(QStringLiteral("Archiwum zostało pomyślnie rozpakowane."));
    Zmiana();
    if (OnKoniec)
        OnKoniec();
}

void TRozpakowanieDialogu::Zatrzymaj()
{
    if (FZadanie)
        FZadanie->PoprosOZatrzymanie();
}

void TRozpakowanieDialogu::Czekaj()
{
    if (FZadanie)
        FZadanie->Czekaj();
}

bool TRozpakowanieDialogu::CzyTrwa() const
{
    return FTrwa;
}

void TRozpakowanieDialogu::Zamknij()
{
    if (FZadanie) {
        FZadanie->ZatrzymajICzekaj();
        FZadanie.reset();
    }
    FTrwa = false;
}

QString TRozpakowanieDialogu::RozpakujArchiwum(bool czyZestaw, const QString& archiwum,
                                               const TOpcjeEkstrakcjiArchiwum& opcje,
                                               const std::function<void(int, int)>& postep)
{
    TZestawArchiwizator archiwizator(opcje);
    archiwizator.OnPostep = postep;
    QString wynik;
    if (czyZestaw)
        archiwizator.RozpakujArchiwumZestawu(archiwum, wynik);
    else
        archiwizator.RozpakujArchiwumSpisuSt(archiwum, wynik);
    return wynik;
}
