#pragma once

#include <QDialog>
#include <QString>

#include <utility>
#include <vector>

class QGridLayout;
class TSpecyfikacja;

// Specifications side by side, one column each under its heading: title, number, file name, folder, size,
// created and modified. Serves "Porównaj specyfikacje", "Duplikat pliku specyfikacji" and "Konflikt
// specyfikacji"; a caller adds its own controls below the columns (Uklad(), then the row Wiersze()).
class TPorownanieSpecyfikacji : public QDialog
{
    Q_OBJECT

public:
    TPorownanieSpecyfikacji(const QString& tytul, const QString& naglowek,
                            const std::vector<std::pair<QString, const TSpecyfikacja*>>& kolumny, QWidget* rodzic);

    QGridLayout* Uklad() const { return FUklad; }
    // The first free row of the layout, below the columns.
    int Wiersze() const;
    int Kolumn() const { return FKolumn; }

private:
    QGridLayout* FUklad;
    int FKolumn;
};
