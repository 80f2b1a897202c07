#include "specs/KonfiguracjaZestawu.h"

#include "app/Liczby.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"

#include <QStringList>

#include <pugixml.hpp>

#include <optional>

namespace {

const QString KomunikatBrakZapisu = QStringLiteral("Brak możliwości zapisu konfiguracji zestawu");

// Through the XML layer's decoding, which keeps a leading U+FEFF: a valid name may begin with one.
QString Nazwa(const pugi::xml_node& e)
{
    return TekstXml(e.name());
}

// A boolean attribute; brak is the value of a missing one, none when the attribute is required.
// Both failures name the attribute, so that a broken set file can be found and mended by hand.
bool Logiczna(const pugi::xml_node& e, const char* atrybut, std::optional<bool> brak)
{
    const std::optional<QString> tekst = AtrybutXml(e, atrybut);
    if (!tekst) {
        if (brak)
            return *brak;
        throw EConvertError(QStringLiteral("Brak wymaganego atrybutu \"%1\" w elemencie \"%2\" konfiguracji zestawu.")
                                .arg(QString::fromUtf8(atrybut), Nazwa(e)));
    }
    const std::optional<bool> wynik = TekstNaLogiczna(*tekst);
    if (!wynik)
        throw EConvertError(QStringLiteral("Atrybut \"%1\" w elemencie \"%2\" konfiguracji zestawu: \"%3\" nie jest "
                                           "prawidłową wartością logiczną.")
                                .arg(QString::fromUtf8(atrybut), Nazwa(e), *tekst));
    return *wynik;
}

// A required integer attribute (the margins have no fallback).
int Calkowita(const pugi::xml_node& e, const char* atrybut)
{
    const std::optional<QString> tekst = AtrybutXml(e, atrybut);
    if (!tekst)
        throw EConvertError(QStringLiteral("Brak wymaganego atrybutu \"%1\" w elemencie \"%2\" konfiguracji zestawu.")
                                .arg(QString::fromUtf8(atrybut), Nazwa(e)));
    const std::optional<int> wynik = TekstNaCalkowita(*tekst);
    if (!wynik)
        throw EConvertError(QStringLiteral("Atrybut \"%1\" w elemencie \"%2\" konfiguracji zestawu: \"%3\" nie jest "
                                           "prawidłową liczbą całkowitą.")
                                .arg(QString::fromUtf8(atrybut), Nazwa(e), *tekst));
    return *wynik;
}

pugi::xml_node DodajElement(pugi::xml_node& rodzic, const char* nazwa, const QString& tekst)
{
    pugi::xml_node e = rodzic.append_child(nazwa);
    if (!tekst.isEmpty())
        e.text().set(tekst.toUtf8().constData());
    return e;
}

// XML 1.0 name characters (fifth edition), the colon left out.
bool CzyPoczatekNazwy(char32_t z)
{
    return (z >= U'A' && z <= U'Z') || (z >= U'a' && z <= U'z') || z == U'_' || (z >= 0xC0 && z <= 0xD6) ||
           (z >= 0xD8 && z <= 0xF6) || (z >= 0xF8 && z <= 0x2FF) || (z >= 0x370 && z <= 0x37D) ||
           (z >= 0x37F && z <= 0x1FFF) || (z >= 0x200C && z <= 0x200D) || (z >= 0x2070 && z <= 0x218F) ||
           (z >= 0x2C00 && z <= 0x2FEF) || (z >= 0x3001 && z <= 0xD7FF) || (z >= 0xF900 && z <= 0xFDCF) ||
           (z >= 0xFDF0 && z <= 0xFFFD) || (z >= 0x10000 && z <= 0xEFFFF);
}

bool CzyZnakNazwy(char32_t z)
{
    return CzyPoczatekNazwy(z) || z == U'-' || z == U'.' || (z >= U'0' && z <= U'9') || z == 0xB7 ||
           (z >= 0x300 && z <= 0x36F) || (z >= 0x203F && z <= 0x2040);
}

QString TekstLogiczny(bool wartosc)
{
    return wartosc ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

TKonfiguracjaZestawu::TKonfiguracjaZestawu()
    : WersjaProgramu(::WersjaProgramu()), FPierwszaStronaDocTemplate(std::make_unique<TMyPath>()),
      FPierwszaStronaOdtTemplate(std::make_unique<TMyPath>())
{
    FPierwszaStronaDocTemplate->OnChange = [this](TMyPath*) { ZmianaPierwszejStrony(); };
    FPierwszaStronaOdtTemplate->OnChange = [this](TMyPath*) { ZmianaPierwszejStrony(); };
    LoadDefaults();
}

TKonfiguracjaZestawu::~TKonfiguracjaZestawu() = default;

void TKonfiguracjaZestawu::ZmianaPierwszejStrony()
{
    if (OnZmianaPierwszejStrony)
        OnZmianaPierwszejStrony(this);
}

void TKonfiguracjaZestawu::UstawKatalogUzytkownika(const QString& katalog)
{
    FPierwszaStronaDocTemplate->UstawKatalogUzytkownika(katalog);
    FPierwszaStronaOdtTemplate->UstawKatalogUzytkownika(katalog);
}

void TKonfiguracjaZestawu::LoadDefaults()
{
    static_cast<TUstawieniaEksportuZestawu&>(*this) = TUstawieniaEksportuZestawu{};
    CzyEksportDoc = GetDefaultCzyEksportDoc();
    // A blank SetPath stores silently: the event fires once, below.
    FPierwszaStronaDocTemplate->SetPath(QString());
    FPierwszaStronaOdtTemplate->SetPath(QString());
    FExternalValueList.clear();
    ZmianaPierwszejStrony();
}

void TKonfiguracjaZestawu::Load(const pugi::xml_node& parent)
{
    const pugi::xml_node k = parent ? parent.child(Element) : pugi::xml_node();
    if (!k) {
        LoadDefaults();
        return;
    }

    // Everything is read into locals first and taken over only when the whole element has been read.
    TUstawieniaEksportuZestawu u;
    u.CzyEksportDoc = GetDefaultCzyEksportDoc();
    const QString wersja = XmlNaTekst(AtrybutXml(k, "wersja"));
    // A missing switch reads as on although the default is off: set files have always been read so.
    u.CzyWstawiacSzablonPierwszejStrony = Logiczna(k, "szablonPierwszejStrony", true);
    const QString sciezkaDoc = XmlNaTekst(AtrybutXml(k, AtrybutSzablonuDoc));
    const QString sciezkaOdt = XmlNaTekst(AtrybutXml(k, AtrybutSzablonuOdt));
    u.CzyEksportDoc = Logiczna(k, "czyEksportDoc", true);
    u.CzyOtworzDoc = Logiczna(k, "czyOtworzDoc", true);
    u.CzyWstawListeStDoWarOgolnych = Logiczna(k, "czyWstawListeStDoWarOgolnych", false);

    if (const pugi::xml_node eksport = k.child("eksportZbioru")) {
        if (const pugi::xml_node e = eksport.child("naglowek")) {
            u.CzyNaglowek = Logiczna(e, "use", true);
            u.TrescNaglowka = TekstWezla(e);
        }
        if (const pugi::xml_node e = eksport.child("stopka")) {
            u.CzyStopka = Logiczna(e, "use", true);
            u.CzyNrStronyStopki = Logiczna(e, "nrStrony", false);
            u.CzyDrukDwustronnyStopki = Logiczna(e, "drukDwustronny", false);
            u.TrescStopki = TekstWezla(e);
        }
        if (const pugi::xml_node e = eksport.child("tekstDoSt")) {
            u.CzyWstawTekstDoSt = Logiczna(e, "use", std::nullopt);
            u.TekstDoSt = TekstWezla(e);
        }
        if (const pugi::xml_node e = eksport.child("stylWNaglowku")) {
            u.CzyStylWNaglowku = Logiczna(e, "use", std::nullopt);
            u.CzyWeryfikujStylNaglowka = Logiczna(e, "weryfikuj", std::nullopt);
            u.NazwaStyluWNaglowku = TekstWezla(e);
        }
        if (const pugi::xml_node e = eksport.child("marginesy")) {
            u.CzyUstawMarginesy = Logiczna(e, "use", std::nullopt);
            u.MarginesL = Calkowita(e, "l");
            u.MarginesR = Calkowita(e, "r");
            u.MarginesG = Calkowita(e, "g");
            u.MarginesD = Calkowita(e, "d");
        }
    }

    std::vector<TExternal> externals;
    for (pugi::xml_node e = k.child("externals").first_child(); e; e = e.next_sibling()) {
        if (e.type() != pugi::node_element)
            continue;
        const QString nazwa = Nazwa(e);
        for (const TExternal& istniejacy : externals)
            if (istniejacy.first == nazwa)
                throw EBlad(QStringLiteral("Powtórzona nazwa \"%1\" w ustawieniach dodatkowych konfiguracji zestawu.")
                                .arg(nazwa));
        const std::optional<QString> wartosc = AtrybutXml(e, "value");
        externals.emplace_back(nazwa, wartosc ? QVariant(*wartosc) : QVariant());
    }

    // Taking over: the defaults first (with their event), then what was read. The paths are restored
    // in their stored form, exactly as written; each one set fires the title-page event.
    LoadDefaults();
    static_cast<TUstawieniaEksportuZestawu&>(*this) = u;
    WersjaProgramu = wersja;
    if (!sciezkaDoc.isEmpty())
        FPierwszaStronaDocTemplate->SetEncodedPath(sciezkaDoc);
    if (!sciezkaOdt.isEmpty())
        FPierwszaStronaOdtTemplate->SetEncodedPath(sciezkaOdt);
    FExternalValueList = std::move(externals);
}

void TKonfiguracjaZestawu::Save(pugi::xml_node& mainNode)
{
    if (!mainNode)
        throw EBlad(KomunikatBrakZapisu);
    pugi::xml_node k = mainNode.append_child(Element);
    if (!k) // a node that cannot hold elements: the write must not pass for a success
        throw EBlad(KomunikatBrakZapisu);
    UstawAtrybut(k, "wersja", WersjaProgramu);
    UstawAtrybut(k, "szablonPierwszejStrony", CzyWstawiacSzablonPierwszejStrony);
    UstawAtrybut(k, AtrybutSzablonuDoc, FPierwszaStronaDocTemplate->EncodedPath());
    UstawAtrybut(k, AtrybutSzablonuOdt, FPierwszaStronaOdtTemplate->EncodedPath());
    UstawAtrybut(k, "czyEksportDoc", CzyEksportDoc);
    UstawAtrybut(k, "czyOtworzDoc", CzyOtworzDoc);
    UstawAtrybut(k, "czyWstawListeStDoWarOgolnych", CzyWstawListeStDoWarOgolnych);

    pugi::xml_node eksport = k.append_child("eksportZbioru");
    pugi::xml_node e = DodajElement(eksport, "naglowek", TrescNaglowka);
    UstawAtrybut(e, "use", CzyNaglowek);
    e = DodajElement(eksport, "stopka", TrescStopki);
    UstawAtrybut(e, "use", CzyStopka);
    UstawAtrybut(e, "nrStrony", CzyNrStronyStopki);
    UstawAtrybut(e, "drukDwustronny", CzyDrukDwustronnyStopki);
    e = DodajElement(eksport, "tekstDoSt", TekstDoSt);
    UstawAtrybut(e, "use", CzyWstawTekstDoSt);
    e = DodajElement(eksport, "stylWNaglowku", NazwaStyluWNaglowku);
    UstawAtrybut(e, "use", CzyStylWNaglowku);
    UstawAtrybut(e, "weryfikuj", CzyWeryfikujStylNaglowka);
    e = eksport.append_child("marginesy");
    UstawAtrybut(e, "use", CzyUstawMarginesy);
    UstawAtrybut(e, "l", MarginesL);
    UstawAtrybut(e, "r", MarginesR);
    UstawAtrybut(e, "g", MarginesG);
    UstawAtrybut(e, "d", MarginesD);

    if (FExternalValueList.empty())
        return;
    pugi::xml_node externals = k.append_child("externals");
    for (const auto& [nazwa, wartosc] : FExternalValueList) {
        pugi::xml_node x = externals.append_child(nazwa.toUtf8().constData());
        // A null value is written without "value", so that it reads back as null again.
        if (!wartosc.isNull())
            UstawAtrybut(x, "value", wartosc.toString());
    }
}

bool TKonfiguracjaZestawu::CzyPoprawnaNazwaExternal(const QString& nazwa)
{
    if (nazwa.isEmpty())
        return false;
    bool pierwszy = true;
    for (qsizetype i = 0; i < nazwa.size(); ++i) {
        char32_t z = nazwa[i].unicode();
        if (nazwa[i].isHighSurrogate() && i + 1 < nazwa.size() && nazwa[i + 1].isLowSurrogate()) {
            z = QChar::surrogateToUcs4(nazwa[i], nazwa[i + 1]);
            ++i;
        }
        // A lone half of a surrogate pair stays in D800-DFFF, which no name range holds: it would not
        // survive the conversion to UTF-8.
        if (!(pierwszy ? CzyPoczatekNazwy(z) : CzyZnakNazwy(z)))
            return false;
        pierwszy = false;
    }
    return true;
}

void TKonfiguracjaZestawu::AddExternalNode(const QString& nazwa, const QVariant& wartosc)
{
    if (!CzyPoprawnaNazwaExternal(nazwa))
        throw EBlad(QStringLiteral("Nieprawidłowa nazwa ustawienia zestawu: \"%1\". Nazwa musi zaczynać się literą "
                                   "lub znakiem \"_\" i może zawierać tylko litery, cyfry oraz znaki \"_\", \"-\" "
                                   "i \".\".")
                        .arg(nazwa));
    QVariant tekst = wartosc;
    if (!wartosc.isNull() && !tekst.convert(QMetaType::fromType<QString>()))
        throw EBlad(QStringLiteral("Wartości ustawienia zestawu \"%1\" nie można zapisać jako tekstu.").arg(nazwa));
    bool zastapiono = false;
    for (TExternal& istniejacy : FExternalValueList)
        if (istniejacy.first == nazwa) {
            istniejacy.second = wartosc;
            zastapiono = true;
            break;
        }
    if (!zastapiono)
        FExternalValueList.emplace_back(nazwa, wartosc);
    if (OnExternalsChange)
        OnExternalsChange(this);
}

QVariant TKonfiguracjaZestawu::GetExternalNode(const QString& nazwa) const
{
    for (const TExternal& istniejacy : FExternalValueList)
        if (istniejacy.first == nazwa)
            return istniejacy.second;
    return {};
}

QString TKonfiguracjaZestawu::ToString() const
{
    QStringList externals;
    for (const auto& [nazwa, wartosc] : FExternalValueList)
        externals << nazwa + QLatin1Char(':') + (wartosc.isNull() ? QStringLiteral("(null)") : wartosc.toString());
    const QStringList linie = {
        QStringLiteral("WersjaProgramu=") + WersjaProgramu,
        QStringLiteral("CzyNaglowek=") + TekstLogiczny(CzyNaglowek),
        QStringLiteral("TrescNaglowka=") + TrescNaglowka,
        QStringLiteral("CzyStopka=") + TekstLogiczny(CzyStopka),
        QStringLiteral("CzyNrStronyStopki=") + TekstLogiczny(CzyNrStronyStopki),
        QStringLiteral("CzyDrukDwustronnyStopki=") + TekstLogiczny(CzyDrukDwustronnyStopki),
        QStringLiteral("CzyWstawiacSzablonPierwszejStrony=") + TekstLogiczny(CzyWstawiacSzablonPierwszejStrony),
        QStringLiteral("TrescStopki=") + TrescStopki,
        QStringLiteral("PierwszaStronaDocTemplate=") + FPierwszaStronaDocTemplate->EncodedPath(),
        QStringLiteral("PierwszaStronaOdtTemplate=") + FPierwszaStronaOdtTemplate->EncodedPath(),
        QStringLiteral("CzyEksportDoc=") + TekstLogiczny(CzyEksportDoc),
        QStringLiteral("CzyOtworzDoc=") + TekstLogiczny(CzyOtworzDoc),
        QStringLiteral("CzyWstawTekstDoSt=") + TekstLogiczny(CzyWstawTekstDoSt),
        QStringLiteral("TekstDoSt=") + TekstDoSt,
        QStringLiteral("CzyStylWNaglowku=") + TekstLogiczny(CzyStylWNaglowku),
        QStringLiteral("NazwaStyluWNaglowku=") + NazwaStyluWNaglowku,
        QStringLiteral("CzyWeryfikujStylNaglowka=") + TekstLogiczny(CzyWeryfikujStylNaglowka),
        QStringLiteral("CzyUstawMarginesy=") + TekstLogiczny(CzyUstawMarginesy),
        QStringLiteral("MarginesL=") + QString::number(MarginesL),
        QStringLiteral("MarginesR=") + QString::number(MarginesR),
        QStringLiteral("MarginesG=") + QString::number(MarginesG),
        QStringLiteral("MarginesD=") + QString::number(MarginesD),
        QStringLiteral("CzyWstawListeStDoWarOgolnych=") + TekstLogiczny(CzyWstawListeStDoWarOgolnych),
        QStringLiteral("ExternalValueList=") + externals.join(QStringLiteral("; ")),
    };
    return linie.join(QStringLiteral("\r\n"));
}
