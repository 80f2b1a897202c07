#include "cli/PolecenieKonfiguracja.h"

#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "cli/Cli.h"
#include "cli/Json.h"

#include <QJsonArray>

namespace {

QJsonObject Sciezka(const TMyPath& p, const QString& katalogUzytkownika)
{
    return QJsonObject{{QStringLiteral("zapisana"), p.EncodedPath()},
                       {QStringLiteral("sciezka"), p.GetPath(katalogUzytkownika)}};
}

QString NazwaOpcjiNumeru(TOpcjaDuplikatowNumeru o)
{
    switch (o) {
    case doPomin:
        return QStringLiteral("doPomin");
    case doNadpisz:
        return QStringLiteral("doNadpisz");
    default:
        return QStringLiteral("doNone");
    }
}

QString NazwaOpcjiPliku(TOpcjaDuplikatowPliku o)
{
    switch (o) {
    case dpoDodajBezPliku:
        return QStringLiteral("dpoDodajBezPliku");
    case dpoNadpiszPlikIPominSt:
        return QStringLiteral("dpoNadpiszPlikIPominSt");
    case dpoNadpisz:
        return QStringLiteral("dpoNadpisz");
    case dpoPominSt:
        return QStringLiteral("dpoPominSt");
    default:
        return QStringLiteral("dpoNone");
    }
}

} // namespace

QJsonObject TPolecenieKonfiguracja::KonfiguracjaNaJson(const TKonfiguracja& k)
{
    const QString u = k.GetUserPath();
    QJsonObject w;
    w[QStringLiteral("Position")] =
        QJsonObject{{QStringLiteral("x"), k.FPosition.x()}, {QStringLiteral("y"), k.FPosition.y()}};
    w[QStringLiteral("Maximized")] = k.FMaximized;
    w[QStringLiteral("Size")] =
        QJsonObject{{QStringLiteral("cx"), k.FSize.width()}, {QStringLiteral("cy"), k.FSize.height()}};
    w[QStringLiteral("DrzewoSTWidth")] = k.FDrzewoSTWidth;
    w[QStringLiteral("NawigatorWidth")] = k.FNawigatorWidth;
    w[QStringLiteral("PodgladDrzewaHeight")] = k.FPodgladDrzewaHeight;
    w[QStringLiteral("PodgladPozHeight")] = k.FPodgladPozHeight;
    w[QStringLiteral("PodgladPozZStHeight")] = k.FPodgladPozZStHeight;
    w[QStringLiteral("CzyPodgladDrzewa")] = k.FCzyPodgladDrzewa;
    w[QStringLiteral("CzyPodgladPozycjiZSt")] = k.FCzyPodgladPozycjiZSt;
    w[QStringLiteral("CzyPodgladSzczPozycji")] = k.FCzyPodgladSzczPozycji;
    w[QStringLiteral("WidokKosztorys")] = k.FWidokKosztorys;
    w[QStringLiteral("FilterKosztorysIndex")] = k.FFilterKosztorysIndex;
    w[QStringLiteral("CzyPozycjeST")] = k.FCzyPozycjeST;
    w[QStringLiteral("CzyPozycjeBezST")] = k.FCzyPozycjeBezST;
    w[QStringLiteral("CzyPozycjeSynchronizujZDrzewkiem")] = k.FCzyPozycjeSynchronizujZDrzewkiem;
    w[QStringLiteral("CzyZbiorSTPokazKosztorys")] = k.FCzyZbiorSTPokazKosztorys;
    w[QStringLiteral("CzyZbiorSTPokazWlasne")] = k.FCzyZbiorSTPokazWlasne;
    w[QStringLiteral("CzyZbiorSTPokazBraki")] = k.FCzyZbiorSTPokazBraki;
    w[QStringLiteral("CzyZbiorSTPokazZPlikami")] = k.FCzyZbiorSTPokazZPlikami;
    w[QStringLiteral("CzyZbiorSTSynchronizujZDrzewkiem")] = k.FCzyZbiorSTSynchronizujZDrzewkiem;
    w[QStringLiteral("CzyDrzewkoSynchronizujZeZbioremSt")] = k.FCzyDrzewkoSynchronizujZeZbioremSt;
    w[QStringLiteral("PorzadkSTFolderDocelowy")] = k.FPorzadkSTFolderDocelowy;
    w[QStringLiteral("PorzadkSTOpcja")] = k.FPorzadkSTOpcja;
    w[QStringLiteral("PorzadkSTNadpisuj")] = k.FPorzadkSTNadpisuj;
    w[QStringLiteral("PorzadkSTAktualizuj")] = k.FPorzadkSTAktualizuj;
    w[QStringLiteral("UserPath")] = u;
    w[QStringLiteral("ZestawyPath")] = Sciezka(*k.FZestawyPath, u);
    w[QStringLiteral("KosztorysyPath")] = Sciezka(*k.FKosztorysyPath, u);
    w[QStringLiteral("SstPath")] = Sciezka(*k.FSstPath, u);
    w[QStringLiteral("SzablonyStronyTytPath")] = Sciezka(*k.FSzablonyStronyTytPath, u);
    w[QStringLiteral("SzablonyStPath")] = Sciezka(*k.FSzablonyStPath, u);
    w[QStringLiteral("EksportPath")] = Sciezka(*k.FEksportPath, u);
    w[QStringLiteral("StZSzablonuPath")] = Sciezka(*k.FStZSzablonuPath, u);
    w[QStringLiteral("StcPath")] = Sciezka(*k.FStcPath, u);
    w[QStringLiteral("RecentZSTList")] = QJsonArray::fromStringList(k.FRecentZSTList);
    w[QStringLiteral("RecentSSTList")] = QJsonArray::fromStringList(k.FRecentSSTList);
    w[QStringLiteral("TytulPodgladuDrzewa")] = k.FTytulPodgladuDrzewa;
    w[QStringLiteral("CzyBackupZestawu")] = k.FCzyBackupZestawu;
    w[QStringLiteral("CzyBackupListySST")] = k.FCzyBackupListySST;
    w[QStringLiteral("CzySortujPopupListView")] = k.FCzySortujPopupListView;
    w[QStringLiteral("RozmiarDrzewoSpecyfikacji")] = k.FRozmiarDrzewoSpecyfikacji;
    w[QStringLiteral("RozmiarSpecyfikacje")] = k.FRozmiarSpecyfikacje;
    w[QStringLiteral("RozmiarKosztorys")] = k.FRozmiarKosztorys;
    w[QStringLiteral("RozmiarDrzewoElementow")] = k.FRozmiarDrzewoElementow;
    w[QStringLiteral("PierwszaStronaDocTemplate")] = k.GetPierwszaStronaDocTemplate();
    w[QStringLiteral("PierwszaStronaOdtTemplate")] = k.GetPierwszaStronaOdtTemplate();
    w[QStringLiteral("CzyscSSTPrzyNowymZst")] = k.FCzyscSSTPrzyNowymZst;
    w[QStringLiteral("CzyPomijajWFiltrzePopupListView")] = k.FCzyPomijajWFiltrzePopupListView;
    w[QStringLiteral("PomijaneWFiltrzePopupListView")] = k.FPomijaneWFiltrzePopupListView;
    w[QStringLiteral("CzyKorzystajZWariantow")] = k.FCzyKorzystajZWariantow;
    w[QStringLiteral("CzyWyswietlacTytulSTZWariantem")] = k.FCzyWyswietlacTytulSTZWariantem;
    w[QStringLiteral("ListaSeparatorowWariantow")] = k.FListaSeparatorowWariantow;
    w[QStringLiteral("WizualnySeparatorWariantu")] = k.GetWizualnySeparatorWariantow();
    w[QStringLiteral("UwzglednijWariantyPrzyEksporcieKosztorysu")] = k.FUwzglednijWariantyPrzyEksporcieKosztorysu;
    w[QStringLiteral("RozpoznajWariantyPrzyImporcieKosztorysu")] = k.FRozpoznajWariantyPrzyImporcieKosztorysu;
    w[QStringLiteral("EdbudJdnMdbPath")] = k.FEdbudJdnMdbPath;
    w[QStringLiteral("CzyPotwierdzenieUsunPowiazaniePlikuST")] = k.FCzyPotwierdzenieUsunPowiazaniePlikuST;
    w[QStringLiteral("CzyPotwierdzenieUsunST")] = k.FCzyPotwierdzenieUsunST;
    w[QStringLiteral("CzyPotwierdzenieUsunSTZPozycji")] = k.FCzyPotwierdzenieUsunSTZPozycji;
    w[QStringLiteral("CzyPotwierdzenieUsunSTZeZbioru")] = k.FCzyPotwierdzenieUsunSTZeZbioru;
    w[QStringLiteral("PytajOPozostalePozycje")] = k.FPytajOPozostalePozycje;
    w[QStringLiteral("WyborDlaPozostalychPozycji")] = k.FWyborDlaPozostalychPozycji;
    w[QStringLiteral("CzyZapisujTytulyEksportuXls")] = k.FCzyZapisujTytulyEksportuXls;
    w[QStringLiteral("TytulyEksportuXls")] = QJsonArray::fromStringList(k.FTytulyEksportuXls);
    w[QStringLiteral("TylkoWidokSpecyfikacje")] = k.FTylkoWidokSpecyfikacje;
    w[QStringLiteral("CzyZapamietacOpcjeDuplikatowNumeru")] = k.FCzyZapamietacOpcjeDuplikatowNumeru;
    w[QStringLiteral("CzyZapamietacOpcjeDuplikatowPliku")] = k.FCzyZapamietacOpcjeDuplikatowPliku;
    w[QStringLiteral("ZapamietanaOpcjaDuplikatowNumeru")] = NazwaOpcjiNumeru(k.FZapamietanaOpcjaDuplikatowNumeru);
    w[QStringLiteral("ZapamietanaOpcjaDuplikatowPliku")] = NazwaOpcjiPliku(k.FZapamietanaOpcjaDuplikatowPliku);
    w[QStringLiteral("CzyEksportDoc")] = k.FCzyEksportDoc;
    w[QStringLiteral("CzyWyswietlajCeny")] = k.FCzyWyswietlajCeny;
    w[QStringLiteral("NazwaJmWTytuleStPrzyGenerowaniuKosztorysu")] = k.FNazwaJmWTytuleStPrzyGenerowaniuKosztorysu;
    w[QStringLiteral("OtworzKosztorysPoStworzeniu")] = k.FOtworzKosztorysPoStworzeniu;
    w[QStringLiteral("WyswietlajEdytorJmPrzyEdycjiSt")] = k.FWyswietlajEdytorJmPrzyEdycjiSt;
    w[QStringLiteral("WspolczynnikGlobalnyCenyJedn")] = k.FWspolczynnikGlobalnyCenyJedn;
    w[QStringLiteral("CzyWspolczynnikGlobalnyCenyJedn")] = k.FCzyWspolczynnikGlobalnyCenyJedn;
    return w;
}

int TPolecenieKonfiguracja::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    if (!argumenty.isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"konfiguracja\" nie przyjmuje argumentów: %1")
                        .arg(argumenty.join(QLatin1Char(' '))));
    TOknoBezEkranu okno;
    const bool istniala = TKonfiguracja::Istnieje();
    TKonfiguracja* k = TKonfiguracja::GetInstance(&okno, true);
    const QJsonObject wynik{{QStringLiteral("plik"), TKonfiguracja::GetConfFilePath()},
                            {QStringLiteral("wartosci"), KonfiguracjaNaJson(*k)}};
    // Reading the settings must not change the file.
    if (!istniala)
        TKonfiguracja::Zwolnij(false);
    WypiszJson(wyjscie, wynik);
    return KodSukces;
}
