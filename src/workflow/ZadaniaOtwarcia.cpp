#include "workflow/ZadaniaOtwarcia.h"

#include "specs/SpisST.h"

namespace {

// The list reports its progress to the job while it is read, and to nobody once it is handed over.
class TPostepSpisu
{
public:
    TPostepSpisu(TSpisST& spis, const std::function<void(int)>& maksimum, const std::function<void()>& krok)
        : FSpis(spis)
    {
        FSpis.SetOnOtworzMaxProgres([maksimum](int m, int) { maksimum(m); });
        FSpis.SetOnOtworzChangeProgres([krok](TSpisST*) { krok(); });
    }
    ~TPostepSpisu()
    {
        FSpis.SetOnOtworzMaxProgres({});
        FSpis.SetOnOtworzChangeProgres({});
    }
    TPostepSpisu(const TPostepSpisu&) = delete;
    TPostepSpisu& operator=(const TPostepSpisu&) = delete;

private:
    TSpisST& FSpis;
};

} // namespace

TZadanieOtwarcia::TZadanieOtwarcia() = default;

TZadanieOtwarcia::~TZadanieOtwarcia() = default;

void TZadanieOtwarcia::UstawMaksimum(int maksimum)
{
    FMaksimum = maksimum;
    FKroki = 0;
    FProcent = -1;
    NaWatkuGlownym([this, maksimum] {
        if (OnMaksimum)
            OnMaksimum(maksimum);
    });
}

void TZadanieOtwarcia::Krok()
{
    ++FKroki;
    const int procent = FMaksimum > 0 ? static_cast<int>(static_cast<long long>(FKroki) * 100 / FMaksimum) : 0;
    if (procent == FProcent)
        return;
    FProcent = procent;
    const int pozycja = FKroki;
    NaWatkuGlownym([this, pozycja] {
        if (OnPostep)
            OnPostep(pozycja);
    });
}

// ---------------------------------------------------------------- set

// The backup switches are the set's to take; reading a set makes no copy.
TOtworzZestawThread::TOtworzZestawThread(TZestawST& zestaw, QString zestawPath, bool, bool)
    : FZestaw(zestaw), FZestawPath(std::move(zestawPath))
{
    FOdczyt.Spis = std::make_unique<TSpisST>();
}

TOtworzZestawThread::~TOtworzZestawThread()
{
    ZatrzymajICzekaj();
}

void TOtworzZestawThread::PoprosOZatrzymanie()
{
    TZadanieOtwarcia::PoprosOZatrzymanie();
    if (FOdczyt.Spis)
        FOdczyt.Spis->SetTerminatedOtworz(true);
}

void TOtworzZestawThread::Przetwarzaj()
{
    // The set itself is only read here (its settings); the main thread leaves it alone meanwhile.
    const TPostepSpisu postep(
        *FOdczyt.Spis, [this](int m) { UstawMaksimum(m); }, [this] { Krok(); });
    FZestaw.Wczytaj(FZestawPath, FOdczyt);
}

// ---------------------------------------------------------------- list

TOtworzSstThread::TOtworzSstThread(const TSpisST& wzor, QString spisStPath, bool tworzKopieZapasowaSst)
    : FSpisStPath(std::move(spisStPath)), FTworzKopieZapasowaSst(tworzKopieZapasowaSst),
      FSpis(std::make_unique<TSpisST>())
{
    FSpis->UstawKatalogUzytkownika(wzor.KatalogUzytkownika());
    FSpis->SetUstawieniaCen(wzor.UstawieniaCen());
}

TOtworzSstThread::~TOtworzSstThread()
{
    ZatrzymajICzekaj();
}

void TOtworzSstThread::PoprosOZatrzymanie()
{
    TZadanieOtwarcia::PoprosOZatrzymanie();
    if (FSpis) // not once it was handed over
        FSpis->SetTerminatedOtworz(true);
}

void TOtworzSstThread::Przetwarzaj()
{
    const TPostepSpisu postep(
        *FSpis, [this](int m) { UstawMaksimum(m); }, [this] { Krok(); });
    FSpis->Otworz(FSpisStPath, FTworzKopieZapasowaSst);
}
