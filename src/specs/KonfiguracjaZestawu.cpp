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
    : FWersjaProgramu(WersjaProgramu()), FPierwszaStronaDocTemplate(std::make_unique<TMyPath>()),
      FPierwszaStronaOdtTemplate(std::make_unique<TMyPath>())
{
    FPierwszaStronaDocTemplate->OnChange = [this](TMyPath*) { ZmianaPierwszejStrony(); };
    FPierwszaStronaOdtTemplate->OnChange = [this](TMyPath*) { ZmianaPierwszejStrony(); };
    LoadDefaults();
}

TKonfiguracjaZestawu::~TKonfiguracjaZestawu() = default;

void TKonfiguracjaZestawu::ZmianaPierwszejStrony()
{
    if (FOnZmianaPierwszejStrony)
        FOnZmianaPierwszejStrony(this);
}

void TKonfiguracjaZestawu::LoadDefaults()
{
    static_cast<TUstawieniaEksportuZestawu&>(*this) = TUstawieniaEksportuZestawu{};
    FCzyEksportDoc = GetDefaultCzyEksportDoc();
    // A blank SetPath stores silently (and needs no user folder): the event fires once, below.
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
    u.FCzyEksportDoc = GetDefaultCzyEksportDoc();
    const QString wersja = XmlNaTekst(AtrybutXml(k, "wersja"));
    // A missing switch reads as on although the default is off: set files have always been read so.
    u.FCzyWstawiacSzablonPierwszejStrony = Logiczna(k, "szablonPierwszejStrony", true);
    const QString sciezkaDoc = XmlNaTekst(AtrybutXml(k, AtrybutSzablonuDoc));
    const QString sciezkaOdt = XmlNaTekst(AtrybutXml(k, AtrybutSzablonuOdt));
    u.FCzyEksportDoc = Logiczna(k, "czyEksportDoc", true);
    u.FCzyOtworzDoc = Logiczna(k, "czyOtworzDoc", true);
    u.FCzyWstawListeStDoWarOgolnych = Logiczna(k, "czyWstawListeStDoWarOgolnych", false);

    if (const pugi::xml_node eksport = k.child("eksportZbioru")) {
        if (const pugi::xml_node e = eksport.child("naglowek")) {
            u.FCzyNaglowek = Logiczna(e, "use", true);
            u.FTrescNaglowka = TekstWezla(e);
        }
        if (const pugi::xml_node e = eksport.child("stopka")) {
            u.FCzyStopka = Logiczna(e, "use", true);
            u.FCzyNrStronyStopki = Logiczna(e, "nrStrony", false);
            u.FCzyDrukDwustronnyStopki = Logiczna(e, "drukDwustronny", false);
            u.FTrescStopki = TekstWezla(e);
        }
        if (const pugi::xml_node e = eksport.child("tekstDoSt")) {
            u.FCzyWstawTekstDoSt = Logiczna(e, "use", std::nullopt);
            u.FTekstDoSt = TekstWezla(e);
        }
        if (const pugi::xml_node e = eksport.child("stylWNaglowku")) {
            u.FCzyStylWNaglowku = Logiczna(e, "use", std::nullopt);
            u.FCzyWeryfikujStylNaglowka = Logiczna(e, "weryfikuj", std::nullopt);
            u.FNazwaStyluWNaglowku = TekstWezla(e);
        }
        if (const pugi::xml_node e = eksport.child("marginesy")) {
            u.FCzyUstawMarginesy = Logiczna(e, "use", std::nullopt);
            u.FMarginesL = Calkowita(e, "l");
            u.FMarginesR = Calkowita(e, "r");
            u.FMarginesG = Calkowita(e, "g");
            u.FMarginesD = Calkowita(e, "d");
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
    FWersjaProgramu = wersja;
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
    UstawAtrybut(k, "wersja", FWersjaProgramu);
    UstawAtrybut(k, "szablonPierwszejStrony", FCzyWstawiacSzablonPierwszejStrony);
    UstawAtrybut(k, AtrybutSzablonuDoc, FPierwszaStronaDocTemplate->EncodedPath());
    UstawAtrybut(k, AtrybutSzablonuOdt, FPierwszaStronaOdtTemplate->EncodedPath());
    UstawAtrybut(k, "czyEksportDoc", FCzyEksportDoc);
    UstawAtrybut(k, "czyOtworzDoc", FCzyOtworzDoc);
    UstawAtrybut(k, "czyWstawListeStDoWarOgolnych", FCzyWstawListeStDoWarOgolnych);

    pugi::xml_node eksport = k.append_child("eksportZbioru");
    pugi::xml_node e = DodajElement(eksport, "naglowek", FTrescNaglowka);
    UstawAtrybut(e, "use", FCzyNaglowek);
    e = DodajElement(eksport, "stopka", FTrescStopki);
    UstawAtrybut(e, "use", FCzyStopka);
    UstawAtrybut(e, "nrStrony", FCzyNrStronyStopki);
    UstawAtrybut(e, "drukDwustronny", FCzyDrukDwustronnyStopki);
    e = DodajElement(eksport, "tekstDoSt", FTekstDoSt);
    UstawAtrybut(e, "use", FCzyWstawTekstDoSt);
    e = DodajElement(eksport, "stylWNaglowku", FNazwaStyluWNaglowku);
    UstawAtrybut(e, "use", FCzyStylWNaglowku);
    UstawAtrybut(e, "weryfikuj", FCzyWeryfikujStylNaglowka);
    e = eksport.append_child("marginesy");
    UstawAtrybut(e, "use", FCzyUstawMarginesy);
    UstawAtrybut(e, "l", FMarginesL);
    UstawAtrybut(e, "r", FMarginesR);
    UstawAtrybut(e, "g", FMarginesG);
    UstawAtrybut(e, "d", FMarginesD);

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
    if (FOnExternalsChange)
        FOnExternalsChange(this);
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
        QStringLiteral("WersjaProgramu=") + FWersjaProgramu,
        QStringLiteral("CzyNaglowek=") + TekstLogiczny(FCzyNaglowek),
        QStringLiteral("TrescNaglowka=") + FTrescNaglowka,
        QStringLiteral("CzyStopka=") + TekstLogiczny(FCzyStopka),
        QStringLiteral("CzyNrStronyStopki=") + TekstLogiczny(FCzyNrStronyStopki),
        QStringLiteral("CzyDrukDwustronnyStopki=") + TekstLogiczny(FCzyDrukDwustronnyStopki),
        QStringLiteral("CzyWstawiacSzablonPierwszejStrony=") + TekstLogiczny(FCzyWstawiacSzablonPierwszejStrony),
        QStringLiteral("TrescStopki=") + FTrescStopki,
        QStringLiteral("PierwszaStronaDocTemplate=") + FPierwszaStronaDocTemplate->EncodedPath(),
        QStringLiteral("PierwszaStronaOdtTemplate=") + FPierwszaStronaOdtTemplate->EncodedPath(),
        QStringLiteral("CzyEksportDoc=") + TekstLogiczny(FCzyEksportDoc),
        QStringLiteral("CzyOtworzDoc=") + TekstLogiczny(FCzyOtworzDoc),
        QStringLiteral("CzyWstawTekstDoSt=") + TekstLogiczny(FCzyWstawTekstDoSt),
        QStringLiteral("TekstDoSt=") + FTekstDoSt,
        QStringLiteral("CzyStylWNaglowku=") + TekstLogiczny(FCzyStylWNaglowku),
        QStringLiteral("NazwaStyluWNaglowku=") + FNazwaStyluWNaglowku,
        QStringLiteral("CzyWeryfikujStylNaglowka=") + TekstLogiczny(FCzyWeryfikujStylNaglowka),
        QStringLiteral("CzyUstawMarginesy=") + TekstLogiczny(FCzyUstawMarginesy),
        QStringLiteral("MarginesL=") + QString::number(FMarginesL),
        QStringLiteral("MarginesR=") + QString::number(FMarginesR),
        QStringLiteral("MarginesG=") + QString::number(FMarginesG),
        QStringLiteral("MarginesD=") + QString::number(FMarginesD),
        QStringLiteral("CzyWstawListeStDoWarOgolnych=") + TekstLogiczny(FCzyWstawListeStDoWarOgolnych),
        QStringLiteral("ExternalValueList=") + externals.join(QStringLiteral("; ")),
    };
    return linie.join(QStringLiteral("\r\n"));
}
