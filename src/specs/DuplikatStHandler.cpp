#include "specs/DuplikatStHandler.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "specs/DuplikatStDialog.h"
#include "specs/LicznikImportuSt.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

namespace {

const TFindSpecyfikacjaFlags FlagiNumeru = fsUwzglednijGrupy | fsSzukajWGrupach | fsSzukajWSpecyfikacjach;

// The first node below w, depth first, whose number matches (trimmed, any letter case).
TSpecyfikacja* NumerPonizej(TSpecyfikacja& w, const QString& numer)
{
    for (int i = 0; i < w.Count(); ++i) {
        TSpecyfikacja* d = w.GetSpecyfikacja(i);
        if (d->Numer().trimmed().compare(numer.trimmed(), Qt::CaseInsensitive) == 0)
            return d;
        if (TSpecyfikacja* wynik = NumerPonizej(*d, numer))
            return wynik;
    }
    return nullptr;
}

// The node with the incoming number. The list's root carries a number of its own ("SpisSt") but is no
// entry of the catalogue: it is never a duplicate, and a match on it must not hide the nodes below it.
TSpecyfikacja* DuplikatNumeru(TSpisST& spis, const QString& numer)
{
    TSpecyfikacja* n = spis.FindSpecyfikacja(numer, FlagiNumeru);
    return n == &spis ? NumerPonizej(spis, numer) : n;
}

// Overwriting with a group must not put a group where the tree allows none (below level 3), or the list
// could not be opened again; the incoming node is refused as adding it there would be.
void Nadpisz(TSpecyfikacja& e, const TSpecyfikacja& s)
{
    if (s.CzyGrupa() && e.KtoryPoziom() > 3)
        throw EBlad(QStringLiteral("Błąd! Próba dodania specyfikacji ") + s.Numer() +
                    QStringLiteral(" spowoduje przekroczenie maksymalnego poziomu zagnieżdżenia specyfikacji. "
                                   "Operacja przerwana."));
    e.Overwrite(s);
}

} // namespace

TZapamietaneOpcjeDuplikatow TZapamietaneOpcjeDuplikatow::ZKonfiguracji(const TKonfiguracja& k)
{
    TZapamietaneOpcjeDuplikatow wynik;
    if (k.CzyZapamietacOpcjeDuplikatowNumeru)
        wynik.Numeru = k.ZapamietanaOpcjaDuplikatowNumeru;
    if (k.CzyZapamietacOpcjeDuplikatowPliku)
        wynik.Pliku = k.ZapamietanaOpcjaDuplikatowPliku;
    return wynik;
}

TDuplikatStHandler::TDuplikatStHandler(const TZapamietaneOpcjeDuplikatow& zapamietane, IDuplikatStDialog* dialog)
    : FDialog(dialog), FZapamietanaOpcjaDuplikatowNumeru(zapamietane.Numeru),
      FZapamietanaOpcjaDuplikatowPliku(zapamietane.Pliku)
{
}

bool TDuplikatStHandler::CzySaDuplikaty(TSpisST& spis, std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                                        bool& czyDuplikatPliku)
{
    return CzySaDuplikaty(spis, s, istniejacy, czyDuplikatPliku, FDialog);
}

bool TDuplikatStHandler::CzySaDuplikaty(TSpisST& spis, std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                                        bool& czyDuplikatPliku, IDuplikatStDialog* dialog)
{
    if (!dialog)
        throw EBlad(QStringLiteral("Brak możliwości wyświetlenia widoku duplikatu."));
    FWybranaOpcjaDuplikatowNumeru = doNone;
    FWybranaOpcjaDuplikatowPliku = dpoNone;
    czyDuplikatPliku = false;
    istniejacy = nullptr;
    if (!s)
        return false;

    TSpecyfikacja* n = DuplikatNumeru(spis, s->Numer());
    TWariantSpecyfikacji* wariant = nullptr;
    TSpecyfikacja* f = spis.FindSpecyfikacjaPlik(s->GetPlik(), wariant);
    if (!n && !f) {
        dialog->GetLicznikImportu().IncDodanychSt();
        return false;
    }
    if (n && f && n != f) {
        dialog->ShowDuplikaty(*s, *f, *n);
        throw EBlad(QStringLiteral("Nierozwiązany konflikt duplikatów specyfikacji"));
    }
    if (n)
        return ObsluzNumer(*n, s, istniejacy, *dialog);
    czyDuplikatPliku = true;
    return ObsluzPlik(*f, wariant, s, istniejacy, *dialog);
}

bool TDuplikatStHandler::ObsluzNumer(TSpecyfikacja& e, std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                                     IDuplikatStDialog& dialog)
{
    TOpcjaDuplikatowNumeru odpowiedz = FZapamietanaOpcjaDuplikatowNumeru;
    if (odpowiedz == doNone) {
        bool zapamietaj = false;
        odpowiedz = dialog.ShowDuplicatStDialog(e, *s, false, zapamietaj);
        if (zapamietaj)
            FZapamietanaOpcjaDuplikatowNumeru = odpowiedz;
    }
    FWybranaOpcjaDuplikatowNumeru = odpowiedz;
    switch (odpowiedz) {
    case doPomin:
        s.reset();
        dialog.GetLicznikImportu().IncPominietychSt();
        return true;
    case doNadpisz:
        Nadpisz(e, *s);
        s.reset();
        istniejacy = &e;
        dialog.GetLicznikImportu().IncNadpisanychSt();
        return true;
    case doNone:
        break;
    }
    throw EBlad(QStringLiteral("Znaleziono duplikaty - import przerwany."));
}

bool TDuplikatStHandler::ObsluzPlik(TSpecyfikacja& e, const TWariantSpecyfikacji* wariant,
                                    std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                                    IDuplikatStDialog& dialog)
{
    TOpcjaDuplikatowPliku odpowiedz = FZapamietanaOpcjaDuplikatowPliku;
    if (odpowiedz == dpoNone) {
        bool zapamietaj = false;
        odpowiedz = dialog.ShowDuplicatPlikuDialog(e, *s, zapamietaj);
        if (zapamietaj)
            FZapamietanaOpcjaDuplikatowPliku = odpowiedz;
    }
    FWybranaOpcjaDuplikatowPliku = odpowiedz;
    switch (odpowiedz) {
    case dpoDodajBezPliku:
        s->SetPlik(QString());
        dialog.GetLicznikImportu().IncDodanychSt();
        return false;
    case dpoNadpiszPlikIPominSt: {
        // The document that collided: a variant's own when the match came through a variant.
        const QString cel = wariant ? wariant->GetPlik() : e.GetPlik();
        const QString zrodlo = s->GetPlik();
        if (!CzyTenSamPlik(zrodlo, cel))
            KopiujPlik(zrodlo, cel);
        s.reset();
        dialog.GetLicznikImportu().IncNadpisanychPlikow();
        return true;
    }
    case dpoNadpisz:
        Nadpisz(e, *s);
        s.reset();
        istniejacy = &e;
        dialog.GetLicznikImportu().IncNadpisanychSt();
        return true;
    case dpoPominSt:
        s.reset();
        dialog.GetLicznikImportu().IncPominietychSt();
        return true;
    case dpoNone:
        break;
    }
    throw EBlad(QStringLiteral("Znaleziono duplikaty - import przerwany."));
}
