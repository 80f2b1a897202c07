#include "specs/IndeksSpisu.h"

#include "app/MyPath.h"
#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

// Trimmed and case-folded, then ASCII letters put into one case: upper for numbers, which are mostly
// written in capitals ("D-01.02.03"), lower for file names. Nearly every number and file name is ASCII;
// folding is done here without Qt's full Unicode folding, and a text with nothing to change is shared,
// not copied, so that a lookup of a typical number allocates nothing.
// `calosc`, when given, is the text itself: returned shared when nothing is to change.
QString Zlozony(QStringView tekst, bool naWielkie, const QString* calosc = nullptr)
{
    const char16_t od = naWielkie ? u'a' : u'A';
    const char16_t doZnaku = naWielkie ? u'z' : u'Z';
    const auto Zamien = [&](QString& t) {
        for (QChar& z : t)
            if (z.unicode() >= od && z.unicode() <= doZnaku)
                z = QChar(static_cast<char16_t>(naWielkie ? z.unicode() - (u'a' - u'A') : z.unicode() + (u'a' - u'A')));
    };
    const QStringView przyciety = tekst.trimmed();
    bool doZmiany = false;
    for (const QChar z : przyciety) {
        const char16_t u = z.unicode();
        if (u >= 0x80) {
            // Full folding may turn other letters into ASCII ones (the Kelvin sign into "k").
            QString t = przyciety.toString().toCaseFolded();
            Zamien(t);
            return t;
        }
        doZmiany = doZmiany || (u >= od && u <= doZnaku);
    }
    if (!doZmiany && calosc && przyciety.size() == calosc->size())
        return *calosc;
    QString t = przyciety.toString();
    if (doZmiany)
        Zamien(t);
    return t;
}

// The part after the last "/" or "\\" (the whole text when there is none), without a copy. Looked for by
// hand: the library searches for one character as for a text.
QStringView NazwaPliku(QStringView sciezka)
{
    qsizetype i = sciezka.size();
    while (i > 0 && sciezka[i - 1] != u'/' && sciezka[i - 1] != u'\\')
        --i;
    return sciezka.sliced(i);
}

} // namespace

QString KluczNumeru(const QString& numer)
{
    return Zlozony(numer, true, &numer);
}

QString NazwaPlikuZeSciezki(const QString& sciezka)
{
    return NazwaPliku(sciezka).toString();
}

QString KluczPliku(const QString& sciezka)
{
    return Zlozony(NazwaPliku(sciezka), false);
}

namespace {

// The file key of a stored path (empty when there is no document). Decoding replaces the token and turns
// "\" into "/" but leaves the text after the last separator as it is, so the stored form gives the
// decoded file name, unless the token itself stands in that name.
QString KluczZakodowanej(const QString& zakodowana, bool& niepewny)
{
    if (QStringView(zakodowana).trimmed().isEmpty())
        return QString();
    const QStringView nazwa = NazwaPliku(zakodowana);
    if (TMyPath::ZawieraToken(nazwa)) {
        niepewny = true;
        return QString();
    }
    return Zlozony(nazwa, false);
}

void KluczePlikow(const TSpecyfikacja& wezel, TIndeksSpisu::TKlucze& klucze, bool& niepewny)
{
    klucze.clear();
    niepewny = false;
    auto dodaj = [&](const QString& zakodowana) {
        QString klucz = KluczZakodowanej(zakodowana, niepewny);
        if (!klucz.isEmpty() && std::find(klucze.begin(), klucze.end(), klucz) == klucze.end())
            klucze.push_back(std::move(klucz));
    };
    dodaj(wezel.GetEncodedPath());
    for (int i = 0; i < wezel.WariantyCount(); ++i)
        dodaj(wezel.GetWariant(i)->GetEncodedPath());
}

void UsunZKubelka(QHash<QString, TIndeksSpisu::TKubelek>& kubelki, const QString& klucz, const TSpecyfikacja* wezel)
{
    const auto it = kubelki.find(klucz);
    if (it == kubelki.end())
        return;
    TIndeksSpisu::TKubelek& wezly = *it;
    wezly.erase(std::remove(wezly.begin(), wezly.end(), wezel), wezly.end());
    if (wezly.empty())
        kubelki.erase(it);
}

} // namespace

TIndeksSpisu::TIndeksSpisu(TSpecyfikacja& korzen, TPrzylaczono przylaczono, TOdlaczono odlaczono)
    : FKorzen(korzen), FPrzylaczono(std::move(przylaczono)), FOdlaczono(std::move(odlaczono))
{
    Przebuduj();
}

void TIndeksSpisu::Przebuduj()
{
    std::vector<const TSpecyfikacja*> dawne;
    dawne.reserve(FRekordy.size());
    for (const auto& [wezel, rekord] : FRekordy)
        dawne.push_back(wezel);
    FRekordy.clear();
    FNumery.clear();
    FPliki.clear();
    FNiepewne.clear();
    DodajPoddrzewo(FKorzen, nullptr, 0);
    // Nodes that went away while the index was not told: their owners must forget them too.
    if (FOdlaczono)
        for (const TSpecyfikacja* wezel : dawne)
            if (!CzyZnany(wezel))
                FOdlaczono(wezel);
}

void TIndeksSpisu::Zarezerwuj(int ile)
{
    const std::size_t razem = FRekordy.size() + static_cast<std::size_t>(std::max(ile, 0));
    FRekordy.reserve(razem);
    FNumery.reserve(static_cast<qsizetype>(razem));
    FPliki.reserve(static_cast<qsizetype>(razem));
}

TIndeksSpisu::TZrodla TIndeksSpisu::Zrodla(const TSpecyfikacja& wezel)
{
    TZrodla wynik;
    wynik.reserve(2 + wezel.WariantyCount());
    wynik.push_back(wezel.Numer());
    wynik.push_back(wezel.GetEncodedPath());
    for (int i = 0; i < wezel.WariantyCount(); ++i)
        wynik.push_back(wezel.GetWariant(i)->GetEncodedPath());
    return wynik;
}

bool TIndeksSpisu::TeSameZrodla(const TRekord& rekord, const TSpecyfikacja& wezel)
{
    const TZrodla& z = rekord.Zrodla;
    if (z.size() != 2 + wezel.WariantyCount() || z[0] != wezel.Numer() || z[1] != wezel.GetEncodedPath())
        return false;
    for (int i = 0; i < wezel.WariantyCount(); ++i)
        if (z[2 + i] != wezel.GetWariant(i)->GetEncodedPath())
            return false;
    return true;
}

void TIndeksSpisu::Wpisz(TSpecyfikacja& wezel, TRekord& rekord)
{
    rekord.Zrodla = Zrodla(wezel);
    rekord.Numer = KluczNumeru(wezel.Numer());
    if (!rekord.Numer.isEmpty())
        FNumery[rekord.Numer].push_back(&wezel);
    KluczePlikow(wezel, rekord.Pliki, rekord.Niepewny);
    for (const QString& klucz : rekord.Pliki)
        FPliki[klucz].push_back(&wezel);
    if (rekord.Niepewny)
        FNiepewne.insert(&wezel);
}

void TIndeksSpisu::Wypisz(const TSpecyfikacja* wezel, const TRekord& rekord)
{
    if (!rekord.Numer.isEmpty())
        UsunZKubelka(FNumery, rekord.Numer, wezel);
    for (const QString& klucz : rekord.Pliki)
        UsunZKubelka(FPliki, klucz, wezel);
    if (rekord.Niepewny)
        FNiepewne.erase(const_cast<TSpecyfikacja*>(wezel));
}

void TIndeksSpisu::DodajPoddrzewo(TSpecyfikacja& wezel, TSpecyfikacja* rodzic, int indeks)
{
    std::vector<std::tuple<TSpecyfikacja*, TSpecyfikacja*, int>> stos{{&wezel, rodzic, indeks}};
    while (!stos.empty()) {
        const auto [w, r, i] = stos.back();
        stos.pop_back();
        const auto znany = FRekordy.find(w);
        if (znany != FRekordy.end()) {
            // Seen elsewhere without the event that took it away: forget the old place first, so that
            // the old parent's next comparison does not drop it again.
            TSpecyfikacja* dawnyRodzic = znany->second.Rodzic;
            UsunPoddrzewo(w);
            const auto dawny = FRekordy.find(dawnyRodzic);
            if (dawnyRodzic != r && dawny != FRekordy.end()) {
                auto& dzieci = dawny->second.Dzieci;
                dzieci.erase(std::remove(dzieci.begin(), dzieci.end(), w), dzieci.end());
            }
        }
        TRekord& rekord = FRekordy[w];
        rekord.Rodzic = r;
        rekord.Indeks = i;
        Wpisz(*w, rekord);
        const int ile = w->Count();
        rekord.Dzieci.clear();
        rekord.Dzieci.reserve(static_cast<std::size_t>(ile));
        for (int k = 0; k < ile; ++k) {
            TSpecyfikacja* dziecko = w->GetSpecyfikacja(k);
            rekord.Dzieci.push_back(dziecko);
            stos.emplace_back(dziecko, w, k);
        }
        if (FPrzylaczono)
            FPrzylaczono(*w);
    }
}

void TIndeksSpisu::UsunPoddrzewo(const TSpecyfikacja* wezel)
{
    std::vector<const TSpecyfikacja*> stos{wezel};
    while (!stos.empty()) {
        const TSpecyfikacja* w = stos.back();
        stos.pop_back();
        const auto it = FRekordy.find(w);
        if (it == FRekordy.end())
            continue;
        stos.insert(stos.end(), it->second.Dzieci.begin(), it->second.Dzieci.end());
        Wypisz(w, it->second);
        FRekordy.erase(it);
        if (FOdlaczono)
            FOdlaczono(w);
    }
}

void TIndeksSpisu::Przeklucz(TSpecyfikacja& wezel)
{
    TRekord& rekord = FRekordy.at(&wezel);
    // Most events (a unit added, a title changed, a child added) touch neither the number nor a document.
    if (TeSameZrodla(rekord, wezel))
        return;
    TKlucze pliki;
    bool niepewny = false;
    KluczePlikow(wezel, pliki, niepewny);
    if (rekord.Numer == KluczNumeru(wezel.Numer()) && rekord.Pliki == pliki && rekord.Niepewny == niepewny)
        return;
    Wypisz(&wezel, rekord);
    Wpisz(wezel, rekord);
}

void TIndeksSpisu::PorownajDzieci(TSpecyfikacja& rodzic)
{
    const auto it = FRekordy.find(&rodzic);
    if (it == FRekordy.end())
        return;
    std::vector<TSpecyfikacja*>& stare = it->second.Dzieci;
    const int ile = rodzic.Count();
    const std::size_t n = static_cast<std::size_t>(ile);

    // Add appends one node: the common case of reading and editing, answered without a scan.
    if (n == stare.size() + 1) {
        TSpecyfikacja* nowy = rodzic.GetSpecyfikacja(ile - 1);
        if (!CzyZnany(nowy) && (stare.empty() || (rodzic.GetSpecyfikacja(ile - 2) == stare.back() &&
                                                  rodzic.GetSpecyfikacja(0) == stare.front()))) {
            stare.push_back(nowy);
            DodajPoddrzewo(*nowy, &rodzic, ile - 1);
            return;
        }
    }

    std::vector<TSpecyfikacja*> obecne;
    obecne.reserve(n);
    for (int i = 0; i < ile; ++i)
        obecne.push_back(rodzic.GetSpecyfikacja(i));
    if (obecne == stare)
        return;

    const std::unordered_set<const TSpecyfikacja*> zostaja(obecne.begin(), obecne.end());
    const std::vector<TSpecyfikacja*> dawne = std::move(stare);
    for (const TSpecyfikacja* s : dawne)
        if (zostaja.count(s) == 0)
            UsunPoddrzewo(s);
    FRekordy.at(&rodzic).Dzieci = obecne;
    for (int i = 0; i < ile; ++i) {
        TSpecyfikacja* dziecko = obecne[static_cast<std::size_t>(i)];
        const auto jt = FRekordy.find(dziecko);
        if (jt != FRekordy.end() && jt->second.Rodzic == &rodzic)
            jt->second.Indeks = i;
        else
            DodajPoddrzewo(*dziecko, &rodzic, i);
    }
}

void TIndeksSpisu::Uporzadkuj(std::vector<TSpecyfikacja*>& wezly) const
{
    if (wezly.size() < 2)
        return;
    // Depth-first order is the order of the paths of child positions from the root.
    std::vector<std::pair<std::vector<int>, TSpecyfikacja*>> klucze;
    klucze.reserve(wezly.size());
    for (TSpecyfikacja* w : wezly) {
        std::vector<int> droga;
        for (const TSpecyfikacja* x = w; x;) {
            const auto it = FRekordy.find(x);
            if (it == FRekordy.end() || !it->second.Rodzic)
                break;
            droga.push_back(it->second.Indeks);
            x = it->second.Rodzic;
        }
        std::reverse(droga.begin(), droga.end());
        klucze.emplace_back(std::move(droga), w);
    }
    std::sort(klucze.begin(), klucze.end());
    for (std::size_t i = 0; i < wezly.size(); ++i)
        wezly[i] = klucze[i].second;
}

void TIndeksSpisu::Zmiana(TNadawcaZmiany* nadawca)
{
    if (auto* wariant = dynamic_cast<TWariantSpecyfikacji*>(nadawca)) {
        TSpecyfikacja* wlasciciel = wariant->Parent();
        if (wlasciciel && CzyZnany(wlasciciel))
            Przeklucz(*wlasciciel);
        return;
    }
    auto* wezel = dynamic_cast<TSpecyfikacja*>(nadawca);
    if (!wezel || !CzyZnany(wezel))
        return;
    Przeklucz(*wezel);
    PorownajDzieci(*wezel);
}

std::vector<TSpecyfikacja*> TIndeksSpisu::ONumerze(const QString& klucz) const
{
    std::vector<TSpecyfikacja*> wynik;
    const auto it = FNumery.constFind(klucz);
    if (it != FNumery.constEnd())
        wynik.assign(it->begin(), it->end());
    Uporzadkuj(wynik);
    return wynik;
}

TSpecyfikacja* TIndeksSpisu::JedynyONumerze(const QString& klucz, bool& czyJedyny) const
{
    const auto it = FNumery.constFind(klucz);
    czyJedyny = it == FNumery.constEnd() || it->size() <= 1;
    return it != FNumery.constEnd() && it->size() == 1 ? it->front() : nullptr;
}

std::vector<TSpecyfikacja*> TIndeksSpisu::ZPlikiem(const QString& klucz) const
{
    std::vector<TSpecyfikacja*> wynik;
    const auto it = FPliki.constFind(klucz);
    if (it != FPliki.constEnd())
        wynik.assign(it->begin(), it->end());
    for (TSpecyfikacja* w : FNiepewne)
        if (std::find(wynik.begin(), wynik.end(), w) == wynik.end())
            wynik.push_back(w);
    Uporzadkuj(wynik);
    return wynik;
}
