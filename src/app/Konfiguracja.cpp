#include "app/Konfiguracja.h"

#include "app/Lokalizacje.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <mutex>

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
    : FZestawyPath(std::make_unique<TMyPath>()), FKosztorysyPath(std::make_unique<TMyPath>()),
      FSstPath(std::make_unique<TMyPath>()), FSzablonyStronyTytPath(std::make_unique<TMyPath>()),
      FSzablonyStPath(std::make_unique<TMyPath>()), FEksportPath(std::make_unique<TMyPath>()),
      FStZSzablonuPath(std::make_unique<TMyPath>()), FStcPath(std::make_unique<TMyPath>()), FOkno(okno)
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

QString TKonfiguracja::Rozdzielczosc() const
{
    const QSize ekran = FOkno->RozmiarEkranu();
    return QStringLiteral("%1x%2").arg(ekran.width()).arg(ekran.height());
}

// ---------------------------------------------------------------- values with rules

void TKonfiguracja::SetUserPath(const QString& wartosc)
{
    QString s = wartosc;
    s.remove(TMyPath::PrefiksDlugiejSciezki);
    while (s.size() > 1 && (s.endsWith(QLatin1Char('\\')) || s.endsWith(QLatin1Char('/'))))
        s.chop(1);
    FUserPath = s;
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
    DodajNaPoczatek(FRecentSSTList, sciezka);
}

void TKonfiguracja::AddRecentZST(const QString& sciezka)
{
    DodajNaPoczatek(FRecentZSTList, sciezka);
}

// ---------------------------------------------------------------- defaults

QString TKonfiguracja::GetDefaultUserPath()
{
    return DomyslnyKatalogUzytkownika();
}

QString TKonfiguracja::GetDefaultZestawyPath() const
{
    return FUserPath + QStringLiteral("/Dane/Zestawy");
}
QString TKonfiguracja::GetDefaultKosztorysyPath() const
{
    return FUserPath + QStringLiteral("/Dane/Kosztorysy");
}
QString TKonfiguracja::GetDefaultSstPath() const
{
    return FUserPath + QStringLiteral("/Dane/Listy SST");
}
QString TKonfiguracja::GetDefaultSzablonyStronyTytPath() const
{
    return FUserPath + QStringLiteral("/Dane/Szablony");
}
QString TKonfiguracja::GetDefaultSzablonyStPath() const
{
    return FUserPath + QStringLiteral("/Dane/Szablony/Specyfikacje");
}
QString TKonfiguracja::GetDefaultEksportPath() const
{
    return FUserPath + QStringLiteral("/Dane/Eksport");
}
QString TKonfiguracja::GetDefaultStZSzablonuPath() const
{
    return FUserPath + QStringLiteral("/Specyfikacje Techniczne");
}
QString TKonfiguracja::GetDefaultStcPath() const
{
    return FUserPath + QStringLiteral("/CAD");
}

QSize TKonfiguracja::GetDefaultSize() const
{
    const QSize ekran = FOkno->RozmiarEkranu();
    return QSize(Zaokraglij(ekran.width() * 0.8), Zaokraglij(ekran.height() * 0.8));
}

QPoint TKonfiguracja::GetDefaultPosition() const
{
    const QSize ekran = FOkno->RozmiarEkranu();
    const QSize okno = FSize.isValid() ? FSize : GetDefaultSize();
    return QPoint(Zaokraglij(ekran.width() / 2.0 - okno.width() / 2.0),
                  Zaokraglij(ekran.height() / 2.0 - okno.height() / 2.0));
}

int TKonfiguracja::GetDefaultDrzewoSTWidth() const
{
    return Zaokraglij((FOkno->SzerokoscObszaruKlienta(FSize) - GetDefaultNawigatorWidth()) / 2.0);
}

int TKonfiguracja::GetDefaultPodgladDrzewaHeight() const
{
    return Zaokraglij(FOkno->WysokoscPaneluDrzewa(FSize) / 4.0);
}

QStringList TKonfiguracja::GetDefaultTytulyEksportuXls()
{
    return {QStringLiteral("FORMULARZ OFERTOWY"), QStringLiteral("TABELA ELEMENTÓW ROZLICZENIOWYCH")};
}

QString TKonfiguracja::GetDefaultEdbudJdnMdbPath()
{
    const QString sciezka = QStringLiteral("c:\\EDBUD.300\\Data\\Jdn\\jdn.mdb");
    return QFileInfo::exists(sciezka) ? sciezka : QString();
}

void TKonfiguracja::LoadDefaultPanels()
{
    FDrzewoSTWidth = GetDefaultDrzewoSTWidth();
    FNawigatorWidth = GetDefaultNawigatorWidth();
    FPodgladDrzewaHeight = GetDefaultPodgladDrzewaHeight();
    FPodgladPozHeight = FPodgladDrzewaHeight;
    FPodgladPozZStHeight = FPodgladDrzewaHeight;
    FCzyPodgladDrzewa = true;
    FCzyPodgladPozycjiZSt = true;
    FCzyPodgladSzczPozycji = true;
}

void TKonfiguracja::LoadDefaultPaths()
{
    FZestawyPath->SetPath(GetDefaultZestawyPath(), FUserPath);
    FKosztorysyPath->SetPath(GetDefaultKosztorysyPath(), FUserPath);
    FSstPath->SetPath(GetDefaultSstPath(), FUserPath);
    FSzablonyStronyTytPath->SetPath(GetDefaultSzablonyStronyTytPath(), FUserPath);
    FSzablonyStPath->SetPath(GetDefaultSzablonyStPath(), FUserPath);
    FEksportPath->SetPath(GetDefaultEksportPath(), FUserPath);
    FStZSzablonuPath->SetPath(GetDefaultStZSzablonuPath(), FUserPath);
    FStcPath->SetPath(GetDefaultStcPath(), FUserPath);
}

void TKonfiguracja::LoadDefaultPorzadkST()
{
    FPorzadkSTFolderDocelowy.clear();
    FPorzadkSTOpcja = 0;
    FPorzadkSTNadpisuj = true;
    FPorzadkSTAktualizuj = true;
}

void TKonfiguracja::LoadDefaultUserPath()
{
    SetUserPath(GetDefaultUserPath());
}

void TKonfiguracja::LoadDefaultTytuluEksportuXls()
{
    FTytulyEksportuXls = GetDefaultTytulyEksportuXls();
}

void TKonfiguracja::UstawDomyslnePierwszegoStartu()
{
    FSize = GetDefaultSize();
    FPosition = GetDefaultPosition();
    FMaximized = true;
    LoadDefaultUserPath();
    LoadDefaultPanels();
    FWidokKosztorys = false;
    FFilterKosztorysIndex = 0;
    FCzyPozycjeST = FCzyPozycjeBezST = FCzyPozycjeSynchronizujZDrzewkiem = true;
    FCzyZbiorSTPokazKosztorys = FCzyZbiorSTPokazWlasne = FCzyZbiorSTPokazBraki = FCzyZbiorSTPokazZPlikami = true;
    FCzyZbiorSTSynchronizujZDrzewkiem = FCzyDrzewkoSynchronizujZeZbioremSt = true;
    LoadDefaultPorzadkST();
    LoadDefaultPaths();
    FStcPath->SetEncodedPath(QString());
    FRecentZSTList.clear();
    FRecentSSTList.clear();
    FTytulPodgladuDrzewa = GetDefaultTytulPodgladuDrzewa();
    FCzyBackupZestawu = FCzyBackupListySST = FCzySortujPopupListView = true;
    FRozmiarDrzewoSpecyfikacji = FRozmiarSpecyfikacje = FRozmiarKosztorys = FRozmiarDrzewoElementow = 8;
    SetPierwszaStronaDocTemplate(QString());
    SetPierwszaStronaOdtTemplate(QString());
    FCzyscSSTPrzyNowymZst = false;
    FCzyPomijajWFiltrzePopupListView = false;
    FPomijaneWFiltrzePopupListView.clear();
    FCzyKorzystajZWariantow = false;
    // At the first start these values begin empty, zero or false; the table's defaults are what a file
    // that lacks them gives.
    FCzyWyswietlacTytulSTZWariantem = false;
    FListaSeparatorowWariantow.clear();
    FWizualnySeparatorWariantu.clear();
    FUwzglednijWariantyPrzyEksporcieKosztorysu = false;
    FRozpoznajWariantyPrzyImporcieKosztorysu = false;
    FEdbudJdnMdbPath.clear();
    FCzyPotwierdzenieUsunPowiazaniePlikuST = FCzyPotwierdzenieUsunST = false;
    FCzyPotwierdzenieUsunSTZPozycji = FCzyPotwierdzenieUsunSTZeZbioru = false;
    FPytajOPozostalePozycje = true;
    FWyborDlaPozostalychPozycji = 0;
    FCzyZapisujTytulyEksportuXls = false;
    FTytulyEksportuXls.clear();
    FTylkoWidokSpecyfikacje = false;
    FCzyZapamietacOpcjeDuplikatowNumeru = FCzyZapamietacOpcjeDuplikatowPliku = false;
    FZapamietanaOpcjaDuplikatowNumeru = doNone;
    FZapamietanaOpcjaDuplikatowPliku = dpoNone;
    FCzyEksportDoc = true;
    FCzyWyswietlajCeny = true;
    FNazwaJmWTytuleStPrzyGenerowaniuKosztorysu = true;
    FOtworzKosztorysPoStworzeniu = true;
    FWyswietlajEdytorJmPrzyEdycjiSt = false;
    FWspolczynnikGlobalnyCenyJedn = 1.0;
    FCzyWspolczynnikGlobalnyCenyJedn = true;
}
