#pragma once

#include "app/OknoKonfiguracji.h"

#include <QMainWindow>

// The program's main window. It tells the configuration about the screen and hands over its
// own place and size when the configuration is saved.
class TGlowneOkno : public QMainWindow, public IOknoKonfiguracji
{
    Q_OBJECT

public:
    explicit TGlowneOkno(QWidget* rodzic = nullptr);

    QSize RozmiarEkranu() const override;
    int LiczbaMonitorow() const override;
    int SzerokoscObszaruKlienta(QSize rozmiarOkna) const override;
    int WysokoscPaneluDrzewa(QSize rozmiarOkna) const override;
    int WysokoscPaneluKosztorysu(QSize rozmiarOkna) const override;
    int WysokoscPaneluZbioru(QSize rozmiarOkna) const override;
    void PobierzStanOkna(TKonfiguracja& konfiguracja) override;

    // Takes the window's place and size from the configuration.
    void UstawZKonfiguracji(const TKonfiguracja& konfiguracja);
};
