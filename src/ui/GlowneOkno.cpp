#include "ui/GlowneOkno.h"

#include "app/Konfiguracja.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// Menus, tool bars and the status bar take this much of the window's height; the frame this much width.
constexpr int WysokoscRamek = 140;
constexpr int SzerokoscRamek = 16;

} // namespace

TGlowneOkno::TGlowneOkno(QWidget* rodzic) : QMainWindow(rodzic)
{
    setWindowTitle(QStringLiteral("Velostra"));
    setObjectName(QStringLiteral("GlowneOkno"));
}

QSize TGlowneOkno::RozmiarEkranu() const
{
    const QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    return ekran ? ekran->size() : QSize(1920, 1080);
}

int TGlowneOkno::LiczbaMonitorow() const
{
    return static_cast<int>(QGuiApplication::screens().size());
}

int TGlowneOkno::SzerokoscObszaruKlienta(QSize rozmiarOkna) const
{
    return rozmiarOkna.width() - SzerokoscRamek;
}

int TGlowneOkno::WysokoscPaneluDrzewa(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

int TGlowneOkno::WysokoscPaneluKosztorysu(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

int TGlowneOkno::WysokoscPaneluZbioru(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

void TGlowneOkno::PobierzStanOkna(TKonfiguracja& konfiguracja)
{
    konfiguracja.Maximized = isMaximized();
    const QRect normalne = normalGeometry();
    if (normalne.isValid()) {
        konfiguracja.Position = normalne.topLeft();
        konfiguracja.Size = normalne.size();
    }
}

void TGlowneOkno::UstawZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    resize(konfiguracja.Size);
    move(konfiguracja.Position);
}
