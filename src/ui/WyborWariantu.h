#pragma once

#include <QDialog>

class QTreeWidget;
class TSpecyfikacja;
class TWariantSpecyfikacji;

// "Wybierz wariant specyfikacji": one of the specification's variants for a position, or none ("Anuluj"
// leaves the specification without a variant).
class TWyborWariantu : public QDialog
{
    Q_OBJECT

public:
    TWyborWariantu(const TSpecyfikacja& specyfikacja, const QString& separator, QWidget* rodzic);
    // The variant chosen; null before OK.
    TWariantSpecyfikacji* Wariant() const;

private:
    const TSpecyfikacja& FSpecyfikacja;
    QTreeWidget* FWarianty;
};
