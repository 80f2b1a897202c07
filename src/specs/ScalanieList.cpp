#include "specs/ScalanieList.h"

#include "specs/ObslugaDuplikatowListy.h"
#include "specs/SpisST.h"

#include <memory>

TScalanieList::TScalanieList(TSpisST& cel, IObslugaDuplikatowListy& obsluga) : FCel(cel), FObsluga(obsluga) {}

QString TScalanieList::OpisWezla(const TSpecyfikacja& wezel)
{
    static const QString opisy[] = {QStringLiteral("rodzaju robót ("), QStringLiteral("grupy robót ("),
                                    QStringLiteral("elementu robót ("), QStringLiteral("specyfikacji (")};
    const int poziom = wezel.KtoryPoziom();
    // The list's own root (level 0) never needs describing in a refusal; the deepest text covers anything
    // below the allowed levels.
    const QString& opis = opisy[qBound(1, poziom, 4) - 1];
    return opis + wezel.Numer() + QLatin1Char(')');
}

QString TScalanieList::SprawdzZagniezdzenie(const TSpecyfikacja& zrodlo, const TSpecyfikacja& docelowy)
{
    // The list's root is a group too, so the top level passes the first test.
    if (!docelowy.CzyGrupa())
        return QStringLiteral("Nie można dodawać do specyfikacji.");
    if (zrodlo.CzyGrupa() && zrodlo.IlePoziomow() + docelowy.KtoryPoziom() > 2)
        return QStringLiteral("Nie można dodać ") + OpisWezla(zrodlo) + QStringLiteral(" do ") + OpisWezla(docelowy) +
               QStringLiteral(" - zostanie przekroczony dopuszczalny poziom zagnieżdżenia specyfikacji.");
    return QString();
}

void TScalanieList::Kopiuj(const TSpecyfikacja& zrodlo, TSpecyfikacja& docelowy)
{
    if (!zrodlo.CzyGrupa() && &docelowy == &FCel) {
        FUwagi << QStringLiteral("Proszę wskazać rodzaj, grupę lub element robót dla specyfikacji ") + zrodlo.Numer() +
                      QLatin1Char('.');
        return;
    }
    std::unique_ptr<TSpecyfikacja> kopia = zrodlo.Clone(true, true);
    TSpecyfikacja* istniejacy = nullptr;
    bool czyDuplikatPliku = false;
    TSpecyfikacja* dalej = nullptr;
    if (!FObsluga.CzySaDuplikaty(FCel, kopia, istniejacy, czyDuplikatPliku)) {
        // Not a duplicate (or one the handler lets in, e.g. without its document): the copy joins the list.
        TSpecyfikacja* dodany = kopia.get();
        if (!docelowy.Add(std::move(kopia)))
            return;
        if (OnDodano)
            OnDodano(*dodany);
        dalej = dodany;
    } else {
        // Overwritten: the existing node takes the children; skipped: they go with their parent.
        dalej = istniejacy;
    }
    if (!dalej || !zrodlo.CzyGrupa())
        return;
    for (int i = 0; i < zrodlo.Count(); ++i)
        Kopiuj(*zrodlo.GetSpecyfikacja(i), *dalej);
}
