#include "zestaw/ZbiorST.h"

#include "estimates/PozycjaRds.h"
#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"

#include <QStringList>

#include <algorithm>

namespace {

// Only ASCII letters are folded: keys differing in Polish letters stay different entries.
char16_t MalaAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

} // namespace

bool TZbiorST::TKlucz::operator==(const TKlucz& inny) const
{
    if (Tekst.size() != inny.Tekst.size())
        return false;
    for (qsizetype i = 0; i < Tekst.size(); ++i)
        if (MalaAscii(Tekst[i].unicode()) != MalaAscii(inny.Tekst[i].unicode()))
            return false;
    return true;
}

size_t qHash(const TZbiorST::TKlucz& klucz, size_t ziarno) noexcept
{
    // FNV-1a over the folded code units.
    size_t h = 1469598103934665603ULL ^ ziarno;
    for (const QChar c : klucz.Tekst)
        h = (h ^ MalaAscii(c.unicode())) * 1099511628211ULL;
    return h;
}

int TPozycjaZbioruComparer::Compare(const TPozycjaZbioru& lewa, const TPozycjaZbioru& prawa)
{
    const int c = lewa.ST().compare(prawa.ST(), Qt::CaseSensitive);
    const TSpecyfikacja* l = lewa.WybranaSpecyfikacja().GetSpecyfikacja();
    const TSpecyfikacja* p = prawa.WybranaSpecyfikacja().GetSpecyfikacja();
    if (l && p) {
        if (l->CzyWarunkiOgolne() && !p->CzyWarunkiOgolne())
            return -1;
        if (p->CzyWarunkiOgolne() && !l->CzyWarunkiOgolne())
            return 1;
    }
    return c;
}

TZbiorST::TZbiorST(const TUstawieniaWariantow& ustawienia) : FUstawienia(&ustawienia) {}
TZbiorST::~TZbiorST() = default;

TPozycjaZbioru* TZbiorST::Dodaj(std::unique_ptr<TPozycjaZbioru> pozycja)
{
    TPozycjaZbioru* p = pozycja.get();
    FKlucze.insert(TKlucz{p->ST()}, p);
    FPozycje.push_back(std::move(pozycja));
    return p;
}

TPozycjaZbioru* TZbiorST::Znajdz(const QString& st) const
{
    return FKlucze.value(TKlucz{st}, nullptr);
}

bool TZbiorST::DodajWlasna(const QString& klucz, const std::function<std::unique_ptr<TPozycjaZbioru>()>& utworz)
{
    TPozycjaZbioru* p = Znajdz(klucz);
    if (!p) {
        Dodaj(utworz());
        return true;
    }
    if (p->CzyWlasna() || p->PozycjeCount() > 0)
        throw ESTIstniejeWZbiorze(QStringLiteral("Wybrana specyfikacja jest już w zbiorze."));
    p->SetCzyWlasna(true);
    return true;
}

bool TZbiorST::Add(TSpecyfikacja* specyfikacja)
{
    if (!specyfikacja)
        throw EBlad(QStringLiteral("Nieprawidłowa specyfikacja"));
    return DodajWlasna(specyfikacja->Numer(),
                       [&] { return std::make_unique<TPozycjaZbioru>(specyfikacja, *FUstawienia); });
}

bool TZbiorST::Add(TSpecyfikacja* specyfikacja, TWariantSpecyfikacji* wariant)
{
    if (!specyfikacja)
        throw EBlad(QStringLiteral("Nieprawidłowa specyfikacja"));
    if (!wariant)
        throw EBlad(QStringLiteral("Nieprawidłowy wariant specyfikacji"));
    const QString klucz = specyfikacja->Numer() + QLatin1Char('#') + wariant->Numer();
    return DodajWlasna(klucz, [&] { return std::make_unique<TPozycjaZbioru>(specyfikacja, wariant, *FUstawienia); });
}

bool TZbiorST::Add(TPozycjaRds* pozycja)
{
    if (!pozycja)
        throw EBlad(QStringLiteral("Nieprawidłowa pozycja"));
    if (!pozycja->WybranaSpecyfikacja().GetSpecyfikacja())
        throw EBlad(QStringLiteral("Pozycja nie posiada dopasowania do specyfikacji"));
    TPozycjaZbioru* p = Znajdz(pozycja->WybranaSpecyfikacja().GetST(*FUstawienia, true));
    if (!p) {
        Dodaj(std::make_unique<TPozycjaZbioru>(pozycja, *FUstawienia));
        return true;
    }
    if (p->CzyWlasna())
        return false;
    return p->AddPozycjaRds(pozycja);
}

TPozycjaZbioru* TZbiorST::DodajDoWpisu(TPozycjaRds* pozycja, TPozycjaZbioru* wpis)
{
    if (!wpis) {
        if (!pozycja)
            throw EBlad(QStringLiteral("Nieprawidłowa pozycja"));
        const TWybranaSpecyfikacja& wybrana = std::as_const(*pozycja).WybranaSpecyfikacja();
        if (!wybrana.GetSpecyfikacja())
            throw EBlad(QStringLiteral("Pozycja nie posiada dopasowania do specyfikacji"));
        wpis = Znajdz(wybrana.GetST(*FUstawienia, true));
        if (!wpis)
            return Dodaj(std::make_unique<TPozycjaZbioru>(pozycja, *FUstawienia));
    }
    if (!wpis->CzyWlasna())
        wpis->AddPozycjaRds(pozycja);
    return wpis;
}

bool TZbiorST::Add(const QString& st)
{
    TPozycjaZbioru* p = Znajdz(st);
    if (!p) {
        Dodaj(std::make_unique<TPozycjaZbioru>(st, *FUstawienia));
        return true;
    }
    if (p->CzyWlasna())
        return false;
    p->SetCzyWlasna(true);
    return true;
}

TPozycjaZbioru* TZbiorST::GetPozycjaZbioru(int indeks) const
{
    if (indeks < 0 || indeks >= Count())
        return nullptr;
    return FPozycje[static_cast<size_t>(indeks)].get();
}

void TZbiorST::ClearAll()
{
    FKlucze.clear();
    FPozycje.clear();
}

void TZbiorST::ClearPozycjeIDopasowanieST()
{
    for (auto& p : FPozycje) {
        p->ClearPozycjeRds();
        p->ClearSpecyfikacja();
    }
}

bool TZbiorST::CzySaWlasne() const
{
    return std::any_of(FPozycje.begin(), FPozycje.end(), [](const auto& p) { return p->CzyWlasna(); });
}

bool TZbiorST::CzyUzywaneST(const TSpecyfikacja* specyfikacja) const
{
    return std::any_of(FPozycje.begin(), FPozycje.end(), [&](const auto& p) {
        return p->CzyWlasna() && p->WybranaSpecyfikacja().GetSpecyfikacja() == specyfikacja;
    });
}

void TZbiorST::Sort()
{
    // Entries without a specification are ordered by key alone, also against general conditions, so
    // the order is not transitive for every mix of entries; a merge sort stays within the list whatever
    // the comparisons answer, where a quicksort may run past its ends.
    std::stable_sort(FPozycje.begin(), FPozycje.end(),
                     [](const auto& a, const auto& b) { return TPozycjaZbioruComparer::Compare(*a, *b) < 0; });
}

void TZbiorST::UsunNieuzywane()
{
    const auto koniec = std::remove_if(FPozycje.begin(), FPozycje.end(),
                                       [](const auto& p) { return !p->CzyWlasna() && p->PozycjeCount() == 0; });
    if (koniec == FPozycje.end())
        return;
    FPozycje.erase(koniec, FPozycje.end());
    PrzebudujKlucze();
}

bool TZbiorST::Usun(const TPozycjaZbioru* pozycja)
{
    const auto it = std::find_if(FPozycje.begin(), FPozycje.end(), [&](const auto& p) { return p.get() == pozycja; });
    if (it == FPozycje.end())
        return false;
    FPozycje.erase(it);
    PrzebudujKlucze();
    return true;
}

void TZbiorST::PrzebudujKlucze()
{
    FKlucze.clear();
    for (const auto& p : FPozycje)
        FKlucze.insert(TKlucz{p->ST()}, p.get());
}

QString TZbiorST::ToString() const
{
    QStringList linie;
    for (const auto& p : FPozycje)
        linie << p->ToString();
    return QStringLiteral("ZbiorST(%1)=[%2]").arg(Count()).arg(linie.join(QStringLiteral("; ")));
}
