// Reading and writing the configuration file: root "zestaw", its attributes and elements in the order of
// the table of settings (KonfiguracjaUstawienia.cpp).
#include "app/Konfiguracja.h"

#include "app/Liczby.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"

#include <QPoint>
#include <QSize>

#include <algorithm>
#include <cstring>

namespace {

using R = TRodzajUstawienia;

// Elements that hold the window's place or size carry the screen they were taken on.
constexpr const char* AtrybutEkranu = "res";
constexpr const char* AtrybutMonitorow = "monCount";
constexpr const char* Pozycja = "item";

// The current screen as width "x" height, e.g. "1920x1080".
QString Rozdzielczosc(const IOknoKonfiguracji& okno)
{
    return QStringLiteral("%1x%2").arg(okno.RozmiarEkranu().width()).arg(okno.RozmiarEkranu().height());
}

bool CzyOkno(const TUstawienie& u)
{
    return u.Rodzaj == R::Polozenie || u.Rodzaj == R::Rozmiar;
}

bool TenSamElement(const char* a, const char* b)
{
    return a == b || (a && b && std::strcmp(a, b) == 0);
}

// The value of an attribute of a setting; for names that occur more than once, the first element of
// that name that carries the attribute.
std::optional<QString> Atr(const pugi::xml_node& korzen, const char* element, const char* atrybut)
{
    if (!element)
        return AtrybutXml(korzen, atrybut);
    for (pugi::xml_node n = korzen.child(element); n; n = n.next_sibling(element))
        if (const pugi::xml_attribute a = n.attribute(atrybut))
            return QString::fromUtf8(a.value());
    return std::nullopt;
}

// Reads the settings of one document, each by its kind; the values in the window's elements only when
// those were written on the current screen.
class TOdczyt
{
public:
    TOdczyt(TKonfiguracja& k, pugi::xml_node korzen) : FK(k), FKorzen(korzen) {}

    void Wczytaj(const TUstawienie& u)
    {
        if (u.Element && ElementOkna(u.Element)) {
            WczytajZOkna(u);
            return;
        }
        std::optional<QString> tekst = Atr(FKorzen, u.Element, u.Atrybut);
        if (u.TylkoZAtrybutem && !Atr(FKorzen, u.Element, u.TylkoZAtrybutem))
            tekst.reset();
        u.Ustaw(FK, Wartosc(u, tekst, u.DomyslnaGdyBrak(FK)));
    }

private:
    QVariant Wartosc(const TUstawienie& u, const std::optional<QString>& tekst, const QVariant& domyslna)
    {
        switch (u.Rodzaj) {
        case R::Logiczna:
            return XmlNaLogiczna(tekst, domyslna.toBool());
        case R::Calkowita:
            return XmlNaCalkowita(tekst, domyslna.toInt());
        case R::Liczba:
            return XmlNaLiczbe(tekst, domyslna.toDouble());
        case R::Tekst:
            return Regula(u, XmlNaTekstDomyslny(tekst, domyslna.toString()), domyslna.toString());
        case R::TekstDokladny:
            return Regula(u, tekst.value_or(domyslna.toString()), domyslna.toString());
        case R::Sciezka:
            return Folder(u, domyslna.toString());
        case R::Lista:
            return Lista(u, domyslna.toStringList());
        case R::Wybor:
            return tekst ? std::max<int>(0, static_cast<int>(u.Wybory.indexOf(*tekst))) : domyslna.toInt();
        case R::Polozenie:
        case R::Rozmiar:
            break;
        }
        return domyslna;
    }

    static QString Regula(const TUstawienie& u, const QString& wartosc, const QString& domyslna)
    {
        return u.Regula ? u.Regula(wartosc, domyslna) : wartosc;
    }

    // An empty main folder sends all folders of the element but the independent ones to their defaults;
    // otherwise an empty one that may not stay empty goes back alone.
    QVariant Folder(const TUstawienie& u, const QString& domyslna)
    {
        auto Zapisany = [this](const TUstawienie& f) {
            return XmlNaTekstDomyslny(Atr(FKorzen, f.Element, f.Atrybut), f.Domyslna.Dla(FK).toString());
        };
        bool pustyGlowny = false;
        for (const TUstawienie& f : UstawieniaKonfiguracji())
            if (f.Rodzaj == R::Sciezka && TenSamElement(f.Element, u.Element) && f.Folder == TRegulaFolderu::Glowny)
                pustyGlowny = pustyGlowny || Zapisany(f).isEmpty();
        const QString zapisany = Zapisany(u);
        if (pustyGlowny && u.Folder != TRegulaFolderu::Niezalezny)
            return domyslna;
        const bool pustyToDomyslny =
            u.Folder == TRegulaFolderu::PustyToDomyslny || u.Folder == TRegulaFolderu::Niezalezny;
        return zapisany.isEmpty() && pustyToDomyslny ? domyslna : zapisany;
    }

    // The items of the first element of that name; none at all gives the default.
    QVariant Lista(const TUstawienie& u, const QStringList& domyslna)
    {
        const pugi::xml_node element = FKorzen.child(u.Element);
        if (!element.child(Pozycja))
            return domyslna;
        QStringList lista;
        for (pugi::xml_node item = element.child(Pozycja); item; item = item.next_sibling(Pozycja)) {
            QString wartosc = u.Atrybut ? XmlNaTekst(AtrybutXml(item, u.Atrybut)) : TekstWezla(item).trimmed();
            if (!wartosc.isEmpty() && u.Regula)
                wartosc = u.Regula(wartosc, QString());
            if (!wartosc.isEmpty())
                lista.append(wartosc);
        }
        return lista;
    }

    bool ElementOkna(const char* element) const
    {
        for (const TUstawienie& u : UstawieniaKonfiguracji())
            if (CzyOkno(u) && TenSamElement(u.Element, element))
                return true;
        return false;
    }

    // The window's place and size hold only for the screen they were taken on: the same resolution, the
    // same number of monitors, and whole numbers. Otherwise every value of the element takes its default
    // (centred and maximised); a value missing from an element that holds takes the "missing" default.
    void WczytajZOkna(const TUstawienie& u)
    {
        const TUstawienie* okno = nullptr;
        for (const TUstawienie& w : UstawieniaKonfiguracji())
            if (CzyOkno(w) && TenSamElement(w.Element, u.Element))
                okno = &w;
        const auto x = TekstNaCalkowita(Atr(FKorzen, okno->Element, okno->Atrybut).value_or(QString()));
        const auto y = TekstNaCalkowita(Atr(FKorzen, okno->Element, okno->Atrybut2).value_or(QString()));
        const auto monitorow = TekstNaCalkowita(Atr(FKorzen, u.Element, AtrybutMonitorow).value_or(QString()));
        const bool tenSamEkran = FKorzen.child(u.Element) &&
                                 XmlNaTekst(Atr(FKorzen, u.Element, AtrybutEkranu)) == Rozdzielczosc(*FK.Okno()) && x &&
                                 y && monitorow && *monitorow == FK.Okno()->LiczbaMonitorow();
        if (CzyOkno(u)) {
            if (!tenSamEkran)
                u.Ustaw(FK, u.Domyslna.Dla(FK));
            else
                u.Ustaw(FK, u.Rodzaj == R::Polozenie ? QVariant(QPoint(*x, *y)) : QVariant(QSize(*x, *y)));
            return;
        }
        // Read even for another screen: a value that does not convert spoils the whole file.
        const QVariant zapisana = Wartosc(u, Atr(FKorzen, u.Element, u.Atrybut), u.DomyslnaGdyBrak(FK));
        u.Ustaw(FK, tenSamEkran ? zapisana : u.Domyslna.Dla(FK));
    }

    TKonfiguracja& FK;
    pugi::xml_node FKorzen;
};

void ZapiszUstawienie(pugi::xml_node& e, const TUstawienie& u, const QVariant& w)
{
    switch (u.Rodzaj) {
    case R::Logiczna:
        UstawAtrybut(e, u.Atrybut, w.toBool());
        break;
    case R::Calkowita:
        UstawAtrybut(e, u.Atrybut, w.toInt());
        break;
    case R::Liczba:
        UstawAtrybutLiczba(e, u.Atrybut, w.toDouble());
        break;
    case R::Tekst:
    case R::TekstDokladny:
    case R::Sciezka:
        UstawAtrybut(e, u.Atrybut, w.toString());
        break;
    case R::Lista: {
        const QStringList lista = w.toStringList();
        for (qsizetype i = 0; i < lista.size() && (u.MaksPozycji == 0 || i < u.MaksPozycji); ++i) {
            pugi::xml_node item = e.append_child(Pozycja);
            if (u.Atrybut)
                UstawAtrybut(item, u.Atrybut, lista[i]);
            else
                item.text().set(lista[i].toUtf8().constData());
        }
        break;
    }
    case R::Wybor:
        if (const int i = w.toInt(); i > 0 && i < u.Wybory.size())
            UstawAtrybut(e, u.Atrybut, u.Wybory[i]);
        break;
    case R::Polozenie:
        UstawAtrybut(e, u.Atrybut, w.toPoint().x());
        UstawAtrybut(e, u.Atrybut2, w.toPoint().y());
        break;
    case R::Rozmiar:
        UstawAtrybut(e, u.Atrybut, w.toSize().width());
        UstawAtrybut(e, u.Atrybut2, w.toSize().height());
        break;
    }
}

} // namespace

QByteArray TKonfiguracja::DoXml() const
{
    pugi::xml_document dok;
    NowyDokumentXml(dok);
    pugi::xml_node korzen = dok.append_child("zestaw");
    const auto& ustawienia = UstawieniaKonfiguracji();
    for (std::size_t i = 0; i < ustawienia.size();) {
        // The settings that follow one another with the same element share it.
        std::size_t koniec = i + 1;
        while (koniec < ustawienia.size() && TenSamElement(ustawienia[koniec].Element, ustawienia[i].Element))
            ++koniec;
        pugi::xml_node e = ustawienia[i].Element ? korzen.append_child(ustawienia[i].Element) : korzen;
        const bool okno =
            ustawienia[i].Element && std::any_of(ustawienia.begin() + i, ustawienia.begin() + koniec, CzyOkno);
        if (okno)
            UstawAtrybut(e, AtrybutEkranu, Rozdzielczosc(*FOkno));
        for (; i < koniec; ++i)
            ZapiszUstawienie(e, ustawienia[i], ustawienia[i].Pobierz(*this));
        if (okno)
            UstawAtrybut(e, AtrybutMonitorow, FOkno->LiczbaMonitorow());
    }
    return XmlNaBajty(dok);
}

void TKonfiguracja::WczytajZXml(const QByteArray& xml)
{
    try {
        pugi::xml_document dok;
        ParsujXml(xml, dok);
        WczytajZDokumentu(dok);
    } catch (const EBlad&) {
        UstawDomyslnePierwszegoStartu();
    }
}

void TKonfiguracja::WczytajZDokumentu(const pugi::xml_document& dokument)
{
    const pugi::xml_node korzen = dokument.document_element();
    if (QString::fromUtf8(korzen.name()) != QLatin1String("zestaw"))
        throw EBlad(QStringLiteral("Nieprawidłowy plik konfiguracji."));
    TOdczyt odczyt(*this, korzen);
    for (const TUstawienie* u : UstawieniaKonfiguracjiWKolejnosciOdczytu())
        odczyt.Wczytaj(*u);
}
