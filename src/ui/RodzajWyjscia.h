#pragma once

#include <QDialog>

// The pop-up "Typ pliku STWiORB" above the status bar: Word or OpenDocument for the set's document.
// Either button closes it with OK.
class TRodzajWyjscia : public QDialog
{
    Q_OBJECT

public:
    TRodzajWyjscia(bool word, QWidget* rodzic);
    bool CzyWord() const { return FWord; }

protected:
    void showEvent(QShowEvent* zdarzenie) override;

private:
    bool FWord;
};
