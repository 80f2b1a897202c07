#include "estimates/Kosztorys.h"

#include "estimates/WyjatkiKosztorysu.h"
#include "specs/Specyfikacja.h"

#include <QFileInfo>

TKosztorys::TKosztorys(const QString& filePath, bool renumeruj, bool indeksuj, bool nadpiszKopie,
                       const TUstawieniaKosztorysu& ustawienia)
    : TElementRds(QString(), -1, QStringLiteral("Kosztorys")), Renumeruj(renumeruj), Indeksuj(indeksuj),
      NadpiszKopie(nadpiszKopie), FFilePath(std::make_unique<TMyPath>(ustawienia.KatalogUzytkownika)),
      FUstawienia(ustawienia), FHandlerPozycji([this](TPozycjaRds* p) { PozycjaZmieniona(p); })
{
    FFilePath->SetPath(filePath);
}

TKosztorys::~TKosztorys() = default;

void TKosztorys::UstawUstawienia(const TUstawieniaKosztorysu& ustawienia)
{
    FUstawienia = ustawienia;
    FFilePath->UstawKatalogUzytkownika(ustawienia.KatalogUzytkownika);
}

template <typename TCzytanie> void TKosztorys::CalyLubNic(const TCzytanie& czytanie)
{
    WyczyscDrzewo();
    try {
        czytanie();
    } catch (...) {
        WyczyscDrzewo();
        throw;
    }
}

void TKosztorys::WczytajKosztorys()
{
    CalyLubNic([this] { Wczytaj(); });
}

void TKosztorys::WczytajZDanych(const QByteArray& dane)
{
    CalyLubNic([this, &dane] { CzytajDane(dane); });
}

QByteArray TKosztorys::ZapiszDoDanych(const QByteArray& zrodlo) const
{
    return KopiaDanych(zrodlo);
}

QString TKosztorys::PobierzIdKosztorysu(const QString&)
{
    return {};
}

void TKosztorys::SetTytul(const QString& wartosc)
{
    if (FTytul.trimmed() == wartosc.trimmed())
        return;
    FTytul = wartosc;
    if (OnZmiana)
        OnZmiana(this);
}

void TKosztorys::ClearDataPozycji()
{
    DlaKazdejPozycji([](TPozycjaRds& p) { p.Data = -1; });
}

void TKosztorys::PozycjaZmieniona(TPozycjaRds*)
{
    if (OnZmiana)
        OnZmiana(this);
}

TPozycjaRds::TOnZmiana TKosztorys::HandlerPozycji()
{
    return FHandlerPozycji;
}

void TKosztorys::UstawZdarzenieZmianyZawartosciPozycji()
{
    const TPozycjaRds::TOnZmiana* handler = WspolnyHandlerPozycji();
    DlaKazdejPozycji([handler](TPozycjaRds& p) { p.SetWspolnyOnZmiana(handler); });
}

bool TKosztorys::CzyUzywaneST(const QString& numerSt) const
{
    const QString szukany = numerSt.trimmed();
    return ZnajdzPozycje(
        [&szukany](const TPozycjaRds& p) { return p.ST().compare(szukany, Qt::CaseInsensitive) == 0; });
}

bool TKosztorys::CzyUzywaneST(const TSpecyfikacja* specyfikacja) const
{
    if (!specyfikacja)
        return false;
    return ZnajdzPozycje([specyfikacja](const TPozycjaRds& p) {
        const TSpecyfikacja* s = p.WybranaSpecyfikacja().GetSpecyfikacja();
        return s && s->Equals(specyfikacja);
    });
}

void TKosztorys::Eksportuj(const QString& newFilePath, const QString& newKosztorysPath, bool forceNewKosztorys)
{
    if (!newKosztorysPath.isEmpty()) {
        const QString noweId = PobierzIdKosztorysu(newKosztorysPath);
        if (forceNewKosztorys || (!Id.isEmpty() && Id == noweId)) {
            Id = noweId;
            FFilePath->SetPath(newKosztorysPath);
        } else {
            throw ENieprawidlowyPlikZrodlowy(QStringLiteral("Wskazany kosztorys różni się od źródłowego."));
        }
    }
    const QString zrodlo = FFilePath->GetPath();
    if (!QFileInfo::exists(zrodlo))
        throw EBrakPlikuZrodlowego(QStringLiteral("Źródłowy plik kosztorysu nie istnieje (") + zrodlo +
                                   QLatin1Char(')'));
    SaveFile(newFilePath);
}

QString TKosztorys::ToString() const
{
    return QStringLiteral("Kosztorys.Plik = ") + FFilePath->ToString();
}

QString TKosztorys::STDoZapisu(const TPozycjaRds& pozycja, const TUstawieniaKosztorysu& ustawienia)
{
    const TWybranaSpecyfikacja& w = pozycja.WybranaSpecyfikacja();
    if (w.GetSpecyfikacja())
        return w.GetST(ustawienia.Warianty, ustawienia.UwzglednijWariantyPrzyEksporcie, true);
    return pozycja.ST();
}

QString TKosztorys::NormalizujSeparatorWariantu(const QString& st, const TUstawieniaKosztorysu& ustawienia)
{
    if (!ustawienia.Warianty.CzyKorzystajZWariantow || ustawienia.ListaSeparatorowWariantow.isEmpty() ||
        !ustawienia.RozpoznajWariantyPrzyImporcie)
        return st;
    for (const QChar separator : ustawienia.ListaSeparatorowWariantow) {
        const qsizetype i = st.indexOf(separator);
        if (i >= 0) {
            QString wynik = st;
            wynik.replace(i, 1, QStringLiteral("#"));
            return wynik;
        }
    }
    return st;
}

TPozycjaRds* TKosztorys::ZnajdzPozycjePoId(const TElementRds* element, const QString& id)
{
    if (!element)
        return nullptr;
    return element->ZnajdzPozycje([&id](const TPozycjaRds& p) { return p.Id() == id; });
}

TKosztorys::TIndeksId TKosztorys::ZbudujIndeksId() const
{
    TIndeksId indeks;
    indeks.reserve(Count());
    DlaKazdejPozycji([&indeks](TPozycjaRds& p) {
        if (!indeks.contains(p.Id()))
            indeks.insert(p.Id(), &p);
    });
    return indeks;
}

void TKosztorys::UstawSTWBloku(QStringList& linie, const TIndeksId* indeks) const
{
    QString id;
    bool jestId = false;
    for (const QString& linia : linie)
        if (linia.startsWith(QLatin1String("ID"))) {
            id = linia;
            id.remove(QStringLiteral("ID="));
            jestId = true;
        }
    if (!jestId)
        return;
    const TPozycjaRds* pozycja = indeks ? indeks->value(id, nullptr) : ZnajdzPozycjePoId(this, id);
    if (!pozycja)
        return;
    const QString nowa = QStringLiteral("ST=") + STDoZapisu(*pozycja, FUstawienia);
    for (QString& linia : linie)
        if (linia.startsWith(QLatin1String("ST"))) {
            linia = nowa;
            return;
        }
    if (pozycja->ST().trimmed().isEmpty())
        return;
    if (linie.size() >= 3)
        linie.insert(2, nowa);
    else
        linie.append(nowa);
}
