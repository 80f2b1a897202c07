#pragma once

#include <QDialog>

#include <memory>
#include <vector>

class TListaBrakowPlikow;

// The dialog "Brakujące pliki archiwum": the missing files of a set or list about to be packed, one group
// per list headed by its name; "Tak" packs anyway, "Nie" stops.
class TBrakujacePlikiForm : public QDialog
{
    Q_OBJECT

public:
    TBrakujacePlikiForm(const std::vector<std::unique_ptr<TListaBrakowPlikow>>& listy, bool czyZestaw,
                        QWidget* rodzic = nullptr);
};

// Shows the dialog modally; true for "Tak". czyZestaw chooses the texts of a set or of a list.
bool PokazBrakujacePliki(QWidget* rodzic, const std::vector<std::unique_ptr<TListaBrakowPlikow>>& listy,
                         bool czyZestaw = true);
