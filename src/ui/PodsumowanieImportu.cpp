#include "ui/PodsumowanieImportu.h"

#include "specs/LicznikImportuSt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPodsumowanieImportu::TPodsumowanieImportu(const QString& komunikat, const TLicznikImportuSt& licznik, QWidget* rodzic)
    : QDialog(rodzic)
{
    setObjectName(QStringLiteral("PodsumowanieImportu"));
    setWindowTitle(QStringLiteral("Import specyfikacji"));
    auto* uklad = new QVBoxLayout(this);
    auto* tekst = new QLabel(komunikat, this);
    tekst->setObjectName(QStringLiteral("Komunikat"));
    tekst->setWordWrap(true);
    QFont gruba = tekst->font();
    gruba.setBold(true);
    tekst->setFont(gruba);
    uklad->addWidget(tekst);
    auto* liczby = new QFormLayout;
    const struct
    {
        const char* Nazwa;
        QString Podpis;
        int Wartosc;
    } wiersze[] = {
        {"Dodanych", QStringLiteral("Dodanych specyfikacji:"), licznik.DodanychSt()},
        {"NadpisanychPlikow", QStringLiteral("Nadpisanych plików specyfikacji:"), licznik.NadpisanychPlikow()},
        {"Pominietych", QStringLiteral("Pominiętych specyfikacji:"), licznik.PominietychSt()},
        {"Nadpisanych", QStringLiteral("Nadpisanych specyfikacji:"), licznik.NadpisanychSt()}};
    for (const auto& w : wiersze) {
        auto* liczba = new QLabel(QString::number(w.Wartosc), this);
        liczba->setObjectName(QString::fromLatin1(w.Nazwa));
        liczba->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        liczby->addRow(w.Podpis, liczba);
    }
    uklad->addLayout(liczby);
    auto* przyciski = new QDialogButtonBox(this);
    QPushButton* ok = przyciski->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(przyciski, &QDialogButtonBox::accepted, this, &QDialog::accept);
    uklad->addWidget(przyciski);
    setMinimumWidth(360);
}
