// Finding nodes of the list by number and by document file name.
#include "specs/IndeksSpisu.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <algorithm>

namespace {

// A number as asked for: with fsSzukajWariantu, "D-01.02#A" is the number "D-01.02" and the variant "A".
struct TZapytanie
{
    QString Numer;
    QString Wariant;
    bool Podzielony = false;
};

TZapytanie Rozbierz(const QString& numer, TFindSpecyfikacjaFlags flagi)
{
    TZapytanie z{numer, QString(), false};
    if (!flagi.testFlag(fsSzukajWariantu))
        return z;
    const qsizetype hasz = numer.lastIndexOf(QLatin1Char('#'));
    if (hasz < 0)
        return z;
    z.Wariant = numer.mid(hasz + 1).trimmed();
    if (!z.Wariant.isEmpty()) {
        z.Podzielony = true;
        // The text before the "#", whatever blanks stand around the variant.
        z.Numer = numer.left(hasz);
    }
    return z;
}

bool CzyKandydat(const TSpecyfikacja& wezel, TFindSpecyfikacjaFlags flagi)
{
    return wezel.CzyGrupa() ? flagi.testFlag(fsSzukajWGrupach) : flagi.testFlag(fsSzukajWSpecyfikacjach);
}

bool RowneNumery(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// What a candidate whose number matches gives: itself with the variant named in the query, or nothing
// when that variant is missing and a partial match is not wanted (the search then goes on after it).
TSpecyfikacja* WynikWezla(TSpecyfikacja* wezel, const TZapytanie& z, TFindSpecyfikacjaFlags flagi,
                          TWariantSpecyfikacji*& wariant)
{
    wariant = nullptr;
    if (z.Wariant.isEmpty())
        return wezel;
    for (int i = 0; i < wezel->WariantyCount() && !wariant; ++i)
        if (RowneNumery(wezel->GetWariant(i)->Numer(), z.Wariant))
            wariant = wezel->GetWariant(i);
    if (wariant)
        return wezel;
    const bool czesciowe = flagi.testFlag(fsCzescioweDopasowanie) && !flagi.testFlag(fsUwzglednijGrupy);
    return czesciowe ? wezel : nullptr;
}

bool RowneNazwyPlikow(const QString& a, const QString& b)
{
    return NazwaPlikuZeSciezki(a).trimmed().compare(NazwaPlikuZeSciezki(b).trimmed(), Qt::CaseInsensitive) == 0;
}

// At one node of the file search: the node's own existing document, else its variants' (the last
// matching variant wins).
TSpecyfikacja* PlikWezla(TSpecyfikacja* wezel, const QString& plik, TWariantSpecyfikacji*& wariant)
{
    wariant = nullptr;
    const QString wlasny = wezel->GetPlik();
    if (!wlasny.isEmpty() && RowneNazwyPlikow(wlasny, plik))
        return wezel;
    for (int i = 0; i < wezel->WariantyCount(); ++i) {
        TWariantSpecyfikacji* w = wezel->GetWariant(i);
        const QString jego = w->GetPlik();
        if (!jego.isEmpty() && RowneNazwyPlikow(jego, plik))
            wariant = w;
    }
    return wariant ? wezel : nullptr;
}

} // namespace

// FindSpecyfikacja, as a walk from the root:
// 1. With fsSzukajWariantu the text after the last "#" (trimmed) names a variant; when it is not empty
//    the number is the text before that "#".
// 2. A blank number finds nothing.
// 3. A node is a candidate when it is a group and fsSzukajWGrupach is set, or a specification and
//    fsSzukajWSpecyfikacjach is set. A candidate whose number equals the number (trimmed, any letter
//    case) gives itself and the variant of that number; when a variant was named and is missing it gives
//    nothing unless fsCzescioweDopasowanie is set without fsUwzglednijGrupy. The children of such a
//    candidate are never searched; when it gives nothing the walk goes on after it. Any other node has
//    its children searched in order, and the first result is the answer.
// 4. The match is full when no variant was named or the named variant was found.
TSpecyfikacja* TSpisST::FindSpecyfikacjaPrzejscie(const QString& numer, TWariantSpecyfikacji*& wariant,
                                                  TFindSpecyfikacjaFlags flagi, bool& czyPelneDopasowanie)
{
    wariant = nullptr;
    const TZapytanie z = Rozbierz(numer, flagi);
    TSpecyfikacja* wynik = nullptr;
    if (!z.Numer.trimmed().isEmpty()) {
        auto szukaj = [&](TSpecyfikacja* wezel, auto&& dalej) -> TSpecyfikacja* {
            if (CzyKandydat(*wezel, flagi) && RowneNumery(wezel->Numer(), z.Numer))
                return WynikWezla(wezel, z, flagi, wariant);
            for (int i = 0; i < wezel->Count(); ++i)
                if (TSpecyfikacja* w = dalej(wezel->GetSpecyfikacja(i), dalej))
                    return w;
            return nullptr;
        };
        wynik = szukaj(this, szukaj);
    }
    czyPelneDopasowanie = !z.Podzielony || wariant;
    return wynik;
}

// The same answer from the index: the nodes with the number, in depth-first order; a node lies below a
// candidate that matched and gave nothing is one the walk never reaches.
TSpecyfikacja* TSpisST::FindSpecyfikacja(const QString& numer, TWariantSpecyfikacji*& wariant,
                                         TFindSpecyfikacjaFlags flagi, bool& czyPelneDopasowanie)
{
    SprawdzObserwatora();
    wariant = nullptr;
    const TZapytanie z = Rozbierz(numer, flagi);
    TSpecyfikacja* wynik = nullptr;
    const QString klucz = KluczNumeru(z.Numer);
    bool czyJedyny = false;
    TSpecyfikacja* jedyny = klucz.isEmpty() ? nullptr : FIndeks->JedynyONumerze(klucz, czyJedyny);
    if (czyJedyny) {
        if (jedyny && CzyKandydat(*jedyny, flagi) && KluczNumeru(jedyny->Numer()) == klucz)
            wynik = WynikWezla(jedyny, z, flagi, wariant);
    } else if (!klucz.isEmpty()) {
        std::vector<const TSpecyfikacja*> bezWyniku;
        for (TSpecyfikacja* wezel : FIndeks->ONumerze(klucz)) {
            if (!CzyKandydat(*wezel, flagi) || KluczNumeru(wezel->Numer()) != klucz)
                continue;
            bool poza = false;
            for (const TSpecyfikacja* x = wezel->Parent(); x && !poza; x = x->Parent())
                poza = std::find(bezWyniku.begin(), bezWyniku.end(), x) != bezWyniku.end();
            if (poza)
                continue;
            wynik = WynikWezla(wezel, z, flagi, wariant);
            if (wynik)
                break;
            bezWyniku.push_back(wezel);
        }
    }
    czyPelneDopasowanie = !z.Podzielony || wariant;
    return wynik;
}

TSpecyfikacja* TSpisST::FindSpecyfikacja(const QString& numer, TFindSpecyfikacjaFlags flagi)
{
    TWariantSpecyfikacji* wariant = nullptr;
    bool czyPelne = false;
    return FindSpecyfikacja(numer, wariant, flagi, czyPelne);
}

// FindSpecyfikacjaPlik, as a walk from the root: at each node its own document, then its variants',
// then its children. A blank text (or one whose file name is blank) finds nothing; documents that do not
// exist never match.
TSpecyfikacja* TSpisST::FindSpecyfikacjaPlikPrzejscie(const QString& plik, TWariantSpecyfikacji*& wariant)
{
    wariant = nullptr;
    if (KluczPliku(plik).isEmpty())
        return nullptr;
    auto szukaj = [&](TSpecyfikacja* wezel, auto&& dalej) -> TSpecyfikacja* {
        if (TSpecyfikacja* w = PlikWezla(wezel, plik, wariant))
            return w;
        for (int i = 0; i < wezel->Count(); ++i)
            if (TSpecyfikacja* w = dalej(wezel->GetSpecyfikacja(i), dalej))
                return w;
        return nullptr;
    };
    return szukaj(this, szukaj);
}

TSpecyfikacja* TSpisST::FindSpecyfikacjaPlik(const QString& plik, TWariantSpecyfikacji*& wariant)
{
    SprawdzObserwatora();
    wariant = nullptr;
    const QString klucz = KluczPliku(plik);
    if (klucz.isEmpty())
        return nullptr;
    for (TSpecyfikacja* wezel : FIndeks->ZPlikiem(klucz))
        if (TSpecyfikacja* w = PlikWezla(wezel, plik, wariant))
            return w;
    return nullptr;
}

TSpecyfikacja* TSpisST::FindSpecyfikacjaPlik(const QString& plik)
{
    TWariantSpecyfikacji* wariant = nullptr;
    return FindSpecyfikacjaPlik(plik, wariant);
}

bool TSpisST::CzyUzywanyNumer(const QString& numer)
{
    return FindSpecyfikacja(numer, fsUwzglednijGrupy | fsSzukajWSpecyfikacjach) != nullptr;
}

bool TSpisST::CzyUzywanyNumerWGrupach(const QString& numer)
{
    return FindSpecyfikacja(numer, fsUwzglednijGrupy | fsSzukajWGrupach) != nullptr;
}

bool TSpisST::CzyUzywanyPlik(const QString& sciezka)
{
    return FindSpecyfikacjaPlik(sciezka) != nullptr;
}
