#pragma once

#include <QDialog>
#include <QStringList>

class QButtonGroup;

// "Otwórz listę specyfikacji": the lists a drawing's file names, one choice each, the first preselected.
class TWyborListy : public QDialog
{
    Q_OBJECT

public:
    TWyborListy(const QStringList& listy, QWidget* rodzic = nullptr);
    // The chosen list's index.
    int Wybrana() const;

private:
    QButtonGroup* FGrupa;
};
