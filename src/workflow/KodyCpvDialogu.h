#pragma once

#include "app/KodCpv.h"

#include <QString>

#include <set>
#include <vector>

// What "Wybierz kody CPV" shows over the code trees, free of widgets: the search mode, the filter and the
// ticks. The trees are the caller's (not owned); the window rebuilds its tree from their hidden marks.
class TKodyCpvDialogu
{
public:
    enum class TTryb { RobotyBudowlane, CalySlownik };

    static inline const QString TrybRobotBudowlanych = QStringLiteral("Szukaj w Robotach Budowlanych");
    static inline const QString TrybCalegoSlownika = QStringLiteral("Szukaj w całym słowniku CPV");

    // Remembers the codes ticked now, which "Anuluj" brings back.
    explicit TKodyCpvDialogu(TListaKodowCpv& kody);

    TListaKodowCpv& Kody() const { return *FKody; }
    TTryb Tryb() const { return FTryb; }
    // The search box's hint: the mode's caption after seven blanks.
    QString Podpowiedz() const;
    // "45" in the construction-works mode, none in the whole dictionary.
    QString Prefiks() const;
    // Sets the mode; true when the search is to run again (the box is not blank).
    bool UstawTryb(TTryb tryb, const QString& tekstSzukania);

    // Hides every code the trimmed filter does not match in the current mode, keeping the ancestors of a
    // match; a blank filter shows every code. Ticks stay as they are.
    void Filtruj(const QString& filtr);
    // Whether the last filter was not blank (the window then expands every top-level node fully).
    bool CzyFiltr() const { return FCzyFiltr; }

    // The codes ticked when the dialog opened, depth first.
    const std::vector<TKodCpv*>& WybraneKody() const { return FWybrane; }
    // "Anuluj": each code's tick back to whether it was ticked at opening.
    void PrzywrocZaznaczenia();

    // The ticked codes of the trees, depth first (a code before its children).
    static std::vector<TKodCpv*> Zaznaczone(const TListaKodowCpv& kody);
    // The caption of a code's node: code, " - ", name.
    static QString Podpis(const TKodCpv& kod);
    // The codes shown now.
    static int Widocznych(const TListaKodowCpv& kody);

private:
    TListaKodowCpv* FKody;
    TTryb FTryb = TTryb::RobotyBudowlane;
    bool FCzyFiltr = false;
    std::vector<TKodCpv*> FWybrane;
    std::set<const TKodCpv*> FZbiorWybranych;
};
