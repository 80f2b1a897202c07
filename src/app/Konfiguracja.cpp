#include "app/Konfiguracja.h"

#include "app/Lokalizacje.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <mutex>
#include <stdexcept>

namespace {

std::mutex& SekcjaTworzenia()
{
    static std::mutex sekcja;
    return sekcja;
}

std::unique_ptr<TKonfiguracja>& Instancja()
{
    static std::unique_ptr<TKonfiguracja> instancja;
    return instancja;
}

int Zaokraglij(double wartosc)
{
    return static_cast<int>(std::nearbyint(wartosc));
}

} // namespace

TKonfiguracja* TKonfiguracja::GetInstance(IOknoKonfiguracji* okno, bool wczytajPlik)
{
    std::lock_guard<std::mutex> blokada(SekcjaTworzenia());
    auto& instancja = Instancja();
    if (!instancja) {
        if (!okno)
            throw EBlad(QStringLiteral("Błąd tworzenia konfiguracji programu"));
        std::unique_ptr<TKonfiguracja> nowa(new TKonfiguracja(okno));
        nowa->UstawDomyslnePierwszegoStartu();
        if (wczytajPlik) {
            QFile plik(GetConfFilePath());
            if (plik.exists()) {
                QByteArray zawartosc;
                if (plik.open(QIODevice::ReadOnly))
                    zawartosc = plik.readAll();
                nowa->WczytajZXml(zawartosc);
            }
        }
        instancja = std::move(nowa);
    }
    return instancja.get();
}

bool TKonfiguracja::Istnieje()
{
    std::lock_guard<std::mutex> blokada(SekcjaTworzenia());
    return Instancja() != nullptr;
}

void TKonfiguracja::Zwolnij(bool zapisz)
{
    std::unique_ptr<TKonfiguracja> konfiguracja;
    {
        std::lock_guard<std::mutex> blokada(SekcjaTworzenia());
        konfiguracja = std::move(Instancja());
    }
    if (!konfiguracja)
        return;
    if (zapisz) {
        if (konfiguracja->FOkno)
            konfiguracja->FOkno->PobierzStanOkna(*konfiguracja);
        konfiguracja->Zapisz();
    }
}

TKonfiguracja::TKonfiguracja(IOknoKonfiguracji* okno)
    : ZestawyPath(std::make_unique<TMyPath>()), KosztorysyPath(std::make_unique<TMyPath>()),
      SstPath(std::make_unique<TMyPath>()), SzablonyStronyTytPath(std::make_unique<TMyPath>()),
      SzablonyStPath(std::make_unique<TMyPath>()), EksportPath(std::make_unique<TMyPath>()),
      StZSzablonuPath(std::make_unique<TMyPath>()), StcPath(std::make_unique<TMyPath>()), FOkno(okno)
{
}

TKonfiguracja::~TKonfiguracja() = default;

QString TKonfiguracja::GetConfFilePath()
{
    return PlikKonfiguracji();
}

void TKonfiguracja::Zapisz() const
{
    try {
        ZapiszBezpiecznie(GetConfFilePath(), DoXml());
    } catch (const EBlad&) {
        // The run ends normally even when its settings cannot be kept.
    }
}

// ---------------------------------------------------------------- values with rules

void TKonfiguracja::SetUserPath(const QString& wartosc)
{
    QString s = wartosc;
    s.remove(TMyPath::PrefiksDlugiejSciezki);
    while (s.size() > 1 && (s.endsWith(QLatin1Char('\\')) || s.endsWith(QLatin1Char('/'))))
        s.chop(1);
    FUserPath = s;
    for (TMyPath* sciezka : {ZestawyPath.get(), KosztorysyPath.get(), SstPath.get(), SzablonyStronyTytPath.get(),
                             SzablonyStPath.get(), EksportPath.get(), StZSzablonuPath.get(), StcPath.get()})
        sciezka->UstawKatalogUzytkownika(FUserPath);
}

void TKonfiguracja::SetPierwszaStronaDocTemplate(const QString& wartosc)
{
    FPierwszaStronaDocTemplate = wartosc;
    if (OnZmianaPierwszejStrony)
        OnZmianaPierwszejStrony(this);
}

void TKonfiguracja::SetPierwszaStronaOdtTemplate(const QString& wartosc)
{
    FPierwszaStronaOdtTemplate = wartosc;
    if (OnZmianaPierwszejStrony)
        OnZmianaPierwszejStrony(this);
}

void TKonfiguracja::SetWizualnySeparatorWariantow(const QString& wartosc)
{
    if (wartosc.trimmed() == QLatin1String("#"))
        throw EBlad(QStringLiteral("Wybrany separator wariantów jest zastrzeżony."));
    FWizualnySeparatorWariantu = wartosc;
}

// ---------------------------------------------------------------- recent files

void TKonfiguracja::DodajNaPoczatek(QStringList& lista, const QString& sciezka)
{
    qsizetype znaleziony = -1;
    for (qsizetype k = 0; k < lista.size(); ++k)
        if (lista[k].compare(sciezka, Qt::CaseInsensitive) == 0) {
            znaleziony = k;
            break;
        }
    if (znaleziony >= 0)
        lista.move(znaleziony, 0);
    else
        lista.insert(0, sciezka);
}

void TKonfiguracja::AddRecentSST(const QString& sciezka)
{
    DodajNaPoczatek(RecentSSTList, sciezka);
}

void TKonfiguracja::AddRecentZST(const QString& sciezka)
{
    DodajNaPoczatek(RecentZSTList, sciezka);
}

// ---------------------------------------------------------------- defaults

QVariant TKonfiguracja::GetDefault(const QString& nazwa)
{
    const TUstawienie& u = UstawienieKonfiguracji(nazwa);
    if (!u.Domyslna.Stala.isValid())
        throw std::logic_error("Wartość domyślna ustawienia " + nazwa.toStdString() + " jest wyliczana.");
    return u.Domyslna.Stala;
}

QString TKonfiguracja::GetDefaultFolder(const QString& nazwa) const
{
    const TUstawienie& u = UstawienieKonfiguracji(nazwa);
    if (u.Rodzaj != TRodzajUstawienia::Sciezka)
        throw std::logic_error("Ustawienie " + nazwa.toStdString() + " nie jest folderem.");
    TMyPath sciezka;
    sciezka.SetEncodedPath(u.Domyslna.Dla(*this).toString());
    return sciezka.GetPath(FUserPath);
}

QString TKonfiguracja::GetDefaultUserPath()
{
    return DomyslnyKatalogUzytkownika();
}

QSize TKonfiguracja::GetDefaultSize() const
{
    const QSize ekran = FOkno->RozmiarEkranu();
    return QSize(Zaokraglij(ekran.width() * 0.8), Zaokraglij(ekran.height() * 0.8));
}

QPoint TKonfiguracja::GetDefaultPosition() const
{
    const QSize ekran = FOkno->RozmiarEkranu();
    const QSize okno = Size.isValid() ? Size : GetDefaultSize();
    return QPoint(Zaokraglij(ekran.width() / 2.0 - okno.width() / 2.0),
                  Zaokraglij(ekran.height() / 2.0 - okno.height() / 2.0));
}

int TKonfiguracja::GetDefaultDrzewoSTWidth() const
{
    const int nawigator = GetDefault(QStringLiteral("NawigatorWidth")).toInt();
    return Zaokraglij((FOkno->SzerokoscObszaruKlienta(Size) - nawigator) / 2.0);
}

int TKonfiguracja::GetDefaultPodgladDrzewaHeight() const
{
    return Zaokraglij(FOkno->WysokoscPaneluDrzewa(Size) / 4.0);
}

QString TKonfiguracja::GetDefaultEdbudJdnMdbPath()
{
    const QString sciezka = QStringLiteral("c:\\EDBUD.300\\Data\\Jdn\\jdn.mdb");
    return QFileInfo::exists(sciezka) ? sciezka : QString();
}

void TKonfiguracja::PrzywrocDomyslne(TGrupaUstawien grupa)
{
    for (const TUstawienie* u : UstawieniaKonfiguracjiWKolejnosciOdczytu())
        if (u->Grupa == grupa)
            u->Ustaw(*this, u->Domyslna.Dla(*this));
}

void TKonfiguracja::LoadDefaultPanels()
{
    PrzywrocDomyslne(TGrupaUstawien::Panele);
}

void TKonfiguracja::LoadDefaultPaths()
{
    PrzywrocDomyslne(TGrupaUstawien::Sciezki);
}

void TKonfiguracja::LoadDefaultPorzadkST()
{
    PrzywrocDomyslne(TGrupaUstawien::PorzadkST);
}

void TKonfiguracja::LoadDefaultUserPath()
{
    PrzywrocDomyslne(TGrupaUstawien::KatalogUzytkownika);
}

void TKonfiguracja::LoadDefaultTytuluEksportuXls()
{
    PrzywrocDomyslne(TGrupaUstawien::TytulyEksportuXls);
}

void TKonfiguracja::UstawDomyslnePierwszegoStartu()
{
    for (const TUstawienie* u : UstawieniaKonfiguracjiWKolejnosciOdczytu())
        u->Ustaw(*this, u->DomyslnaNaStart(*this));
}
