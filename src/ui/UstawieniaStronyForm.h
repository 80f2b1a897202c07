#pragma once

#include "docs/Marginesy.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;

// The dialog "Ustawienia marginesów": the four margins in millimetres beside a picture of an A4 page with
// a dotted line for each margin that reads as a number, redrawn as the fields change. "Ustaw" checks the
// fields in the order left, right, top, bottom and gives the first wrong one the focus with its message.
class TUstawieniaStronyForm : public QDialog
{
    Q_OBJECT

public:
    TUstawieniaStronyForm(const TMarginesy& marginesy, QWidget* rodzic = nullptr);

    // After "Ustaw": the four values (a field that does not read as a whole number gives 0).
    TMarginesy Marginesy() const;
    // The preview's picture size in pixels.
    static constexpr int SzerokoscPodgladu = 147;
    static constexpr int WysokoscPodgladu = 208;

public Q_SLOTS:
    void accept() override;

private:
    void Rysuj();

    // In the check order: left, right, top, bottom.
    std::array<QLineEdit*, 4> FPola{};
    QLabel* FPodglad = nullptr;
};

// Shows the dialog; the margins on "Ustaw", nothing on "Anuluj".
std::optional<TMarginesy> PokazUstawieniaStrony(QWidget* rodzic, const TMarginesy& marginesy);
