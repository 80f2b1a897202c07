#pragma once

#include <QSize>

class TKonfiguracja;

// What the configuration needs of the main window: the screen for its screen-dependent defaults,
// and, when it is saved, the window's current state. The GUI implements it over the real window;
// the command-line tool and tests use TOknoBezEkranu.
class IOknoKonfiguracji
{
public:
    virtual ~IOknoKonfiguracji() = default;

    virtual QSize RozmiarEkranu() const = 0;
    virtual int LiczbaMonitorow() const = 0;
    // Client width of the main window when it has the given outer size.
    virtual int SzerokoscObszaruKlienta(QSize rozmiarOkna) const = 0;
    // Heights of the specification-tree, estimate and collection panels for that size.
    virtual int WysokoscPaneluDrzewa(QSize rozmiarOkna) const = 0;
    virtual int WysokoscPaneluKosztorysu(QSize rozmiarOkna) const = 0;
    virtual int WysokoscPaneluZbioru(QSize rozmiarOkna) const = 0;
    // Copies the window's place, size, panels and switches into the configuration before it is saved.
    virtual void PobierzStanOkna(TKonfiguracja& konfiguracja) = 0;
};

// One 1920x1080 screen and no window: what the command-line tool and tests assume.
class TOknoBezEkranu : public IOknoKonfiguracji
{
public:
    explicit TOknoBezEkranu(QSize ekran = QSize(1920, 1080), int monitorow = 1) : FEkran(ekran), FMonitorow(monitorow)
    {
    }

    QSize RozmiarEkranu() const override { return FEkran; }
    int LiczbaMonitorow() const override { return FMonitorow; }
    // The window's frame takes 16 pixels of width; menus, tool bars and the status bar about 140 of height.
    int SzerokoscObszaruKlienta(QSize rozmiarOkna) const override { return rozmiarOkna.width() - 16; }
    int WysokoscPaneluDrzewa(QSize rozmiarOkna) const override { return rozmiarOkna.height() - 140; }
    int WysokoscPaneluKosztorysu(QSize rozmiarOkna) const override { return rozmiarOkna.height() - 140; }
    int WysokoscPaneluZbioru(QSize rozmiarOkna) const override { return rozmiarOkna.height() - 140; }
    void PobierzStanOkna(TKonfiguracja&) override {}

private:
    QSize FEkran;
    int FMonitorow;
};
