#include "ui/PorownanieSpecyfikacji.h"

#include "specs/SpisST.h"
#include "workflow/ScalanieDialogu.h"

#include <QGridLayout>
#include <QLabel>

TPorownanieSpecyfikacji::TPorownanieSpecyfikacji(const QString& tytul, const QString& naglowek,
                                                 const std::vector<std::pair<QString, const TSpecyfikacja*>>& kolumny,
                                                 QWidget* rodzic)
    : QDialog(rodzic), FUklad(new QGridLayout(this)), FKolumn(static_cast<int>(kolumny.size()) + 1)
{
    setWindowTitle(tytul);
    int wiersz = 0;
    if (!naglowek.isEmpty()) {
        auto* tekst = new QLabel(naglowek, this);
        tekst->setObjectName(QStringLiteral("Naglowek"));
        QFont gruba = tekst->font();
        gruba.setBold(true);
        tekst->setFont(gruba);
        FUklad->addWidget(tekst, wiersz++, 0, 1, FKolumn);
    }
    const QString nazwy[] = {QStringLiteral("Tytuł"),        QStringLiteral("Numer"),   QStringLiteral("Nazwa pliku"),
                             QStringLiteral("Folder"),       QStringLiteral("Rozmiar"), QStringLiteral("Utworzono"),
                             QStringLiteral("Zmodyfikowano")};
    for (int i = 0; i < 7; ++i)
        FUklad->addWidget(new QLabel(nazwy[i] + QLatin1Char(':'), this), wiersz + 1 + i, 0);
    for (size_t k = 0; k < kolumny.size(); ++k) {
        const int kolumna = static_cast<int>(k) + 1;
        auto* glowka = new QLabel(QStringLiteral("<b>%1</b>").arg(kolumny[k].first.toHtmlEscaped()), this);
        FUklad->addWidget(glowka, wiersz, kolumna);
        if (!kolumny[k].second)
            continue;
        const TOpisDoPorownania o = TOpisDoPorownania::Z(*kolumny[k].second);
        const QString wartosci[] = {o.Tytul, o.Numer, o.NazwaPliku, o.Folder, o.Rozmiar, o.Utworzono, o.Zmodyfikowano};
        for (int i = 0; i < 7; ++i) {
            auto* wartosc = new QLabel(wartosci[i], this);
            wartosc->setObjectName(QStringLiteral("Wartosc%1_%2").arg(kolumna).arg(i));
            wartosc->setTextInteractionFlags(Qt::TextSelectableByMouse);
            wartosc->setWordWrap(true);
            wartosc->setMinimumWidth(200);
            FUklad->addWidget(wartosc, wiersz + 1 + i, kolumna);
        }
    }
}

int TPorownanieSpecyfikacji::Wiersze() const
{
    return FUklad->rowCount();
}
