#include "ui/KalkulacjaCenyForm.h"

#include "app/Liczby.h"
#include "prices/CenaInfCen.h"
#include "prices/CenaJedn.h"
#include "prices/ModelInfCen.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"
#include "ui/Komunikaty.h"
#include "ui/WspolczynnikiForm.h"
#include "ui/WyborCenyForm.h"
#include "workflow/ZestawController.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using TPole = TKalkulacjaCeny::TPole;

// Money and results as the logic writes them ("0.00").
QString Kwota(double wartosc)
{
    return QLocale().toString(wartosc, 'f', 2);
}

QLabel* Etykieta(const QString& tekst, const QString& nazwa, QWidget* rodzic)
{
    auto* l = new QLabel(tekst, rodzic);
    l->setObjectName(nazwa);
    return l;
}

QLabel* Etykieta(const QString& tekst, const char* nazwa, QWidget* rodzic)
{
    return Etykieta(tekst, QString::fromLatin1(nazwa), rodzic);
}

TPole WspolczynnikZrodla(int zrodlo)
{
    return static_cast<TPole>(static_cast<int>(TPole::WspolczynnikZrodla1) + zrodlo);
}

bool CzyWspolczynnikZrodla(TPole pole)
{
    return pole == TPole::WspolczynnikZrodla1 || pole == TPole::WspolczynnikZrodla2 ||
           pole == TPole::WspolczynnikZrodla3;
}

} // namespace

// ---------------------------------------------------------------- the user's dialogs

QString TUzytkownikCenyOkna::WybierzPlikInformatora()
{
    const QString tytul = QStringLiteral("Wybierz plik informatora");
    const QString filtr = QStringLiteral("Plik XML (*.xml)");
    if (WybierzPlik)
        return WybierzPlik(FRodzic, tytul, filtr);
    return QFileDialog::getOpenFileName(FRodzic, tytul, QString(), filtr);
}

QModelIndex TUzytkownikCenyOkna::WybierzCene(TModelInfCen& model)
{
    TWyborCenyForm okno(model, FRodzic);
    return okno.exec() == QDialog::Accepted ? okno.Wybrana() : QModelIndex();
}

QModelIndex TUzytkownikCenyOkna::WybierzWspolczynnik(TModelWspolczynnikow& model)
{
    TWspolczynnikiForm okno(model, FRodzic);
    return okno.exec() == QDialog::Accepted ? okno.Wybrany() : QModelIndex();
}

void TUzytkownikCenyOkna::PokazKomunikat(const QString& tekst)
{
    PokazKomunikatOkna(FRodzic, tekst);
}

// ---------------------------------------------------------------- the dialog

TKalkulacjaCenyForm::TKalkulacjaCenyForm(TKalkulacjaCeny& logika, const TSpecyfikacja& specyfikacja,
                                         const TJmSpecyfikacji& jm, QWidget* rodzic)
    : QDialog(rodzic), FLogika(logika), FCena(*jm.CenaJedn()), FJm(jm.Jm())
{
    setObjectName(QStringLiteral("KalkulacjaCeny"));
    setWindowTitle(QStringLiteral("Kalkulacja Ceny Jednostkowej"));

    // The header: what is being priced and the price it had when the dialog opened.
    const auto* wariant = dynamic_cast<const TWariantSpecyfikacji*>(&specyfikacja);
    const bool czyWariant = wariant && wariant->Parent();
    auto* naglowek = new QGroupBox(this);
    naglowek->setObjectName(QStringLiteral("Naglowek"));
    auto* n = new QGridLayout(naglowek);
    const auto wartosc = [naglowek](const QString& tekst, const char* nazwa) {
        QLabel* l = Etykieta(tekst, nazwa, naglowek);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    const QString bezWartosci = QStringLiteral("—");
    n->addWidget(Etykieta(QStringLiteral("Numer specyfikacji:"), "EtykietaNumeru", naglowek), 0, 0);
    n->addWidget(wartosc(czyWariant ? wariant->Parent()->Numer() : specyfikacja.Numer(), "Numer"), 0, 1);
    n->addWidget(Etykieta(QStringLiteral("Wariant:"), "EtykietaWariantu", naglowek), 0, 2);
    n->addWidget(wartosc(czyWariant ? specyfikacja.Numer() : bezWartosci, "Wariant"), 0, 3);
    n->addWidget(Etykieta(QStringLiteral("Tytuł:"), "EtykietaTytulu", naglowek), 1, 0);
    QLabel* tytul = wartosc(specyfikacja.Opis(), "Tytul");
    tytul->setWordWrap(true);
    n->addWidget(tytul, 1, 1, 1, 3);
    n->addWidget(Etykieta(QStringLiteral("Jednostka:"), "EtykietaJednostki", naglowek), 2, 0);
    n->addWidget(wartosc(jm.Jm().isEmpty() ? bezWartosci : jm.Jm(), "Jednostka"), 2, 1);
    n->addWidget(Etykieta(QStringLiteral("Opis:"), "EtykietaOpisu", naglowek), 2, 2);
    QLabel* opis = wartosc(jm.Opis(), "OpisJednostki");
    opis->setWordWrap(true);
    n->addWidget(opis, 2, 3);
    n->addWidget(Etykieta(QStringLiteral("Cena:"), "EtykietaCeny", naglowek), 3, 0);
    FCenaNaglowka = wartosc(FLogika.Wynik() + QStringLiteral(" zł/") + FJm, "CenaAktualna");
    n->addWidget(FCenaNaglowka, 3, 1, 1, 3);
    n->setColumnStretch(1, 1);
    n->setColumnStretch(3, 2);

    FStrony = new QTabWidget(this);
    FStrony->setObjectName(QStringLiteral("Strony"));
    FStrony->addTab(StronaZReki(), QStringLiteral("Cena z \"Ręki\""));
    FStrony->addTab(StronaRms(), QStringLiteral("Rj+Mj+Sj"));
    FStrony->addTab(StronaInformatora(), QStringLiteral("Cena z Informatora"));
    if (FLogika.Sposob() >= 0 && FLogika.Sposob() <= 2)
        FStrony->setCurrentIndex(FLogika.Sposob());
    connect(FStrony, &QTabWidget::currentChanged, this,
            [this](int strona) { Zmien([this, strona] { FLogika.UstawSposob(strona); }); });

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(naglowek);
    uklad->addWidget(FStrony, 1);
    uklad->addWidget(DolPanel());
    Odswiez();
}

QLineEdit* TKalkulacjaCenyForm::NowePole(TPole pole, const char* nazwa, QWidget* rodzic)
{
    auto* e = new QLineEdit(rodzic);
    e->setObjectName(QString::fromLatin1(nazwa));
    e->setAlignment(Qt::AlignRight);
    e->setMinimumWidth(100);
    e->setMaximumWidth(160);
    FPola[pole] = e;
    connect(e, &QLineEdit::textEdited, this, [this, pole](const QString& tekst) { Wpisano(pole, tekst); });
    // Typing done: the field is shown the way the price holds it (a source's coefficient as "0.000").
    connect(e, &QLineEdit::editingFinished, this, [this] { Odswiez(); });
    return e;
}

QLabel* TKalkulacjaCenyForm::NowyWynik(const char* nazwa, QWidget* rodzic)
{
    QLabel* l = Etykieta(QString(), nazwa, rodzic);
    l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(100);
    // As tall as the fields beside it.
    l->setMinimumHeight(QLineEdit().sizeHint().height());
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QWidget* TKalkulacjaCenyForm::StronaZReki()
{
    auto* strona = new QWidget(this);
    strona->setObjectName(QStringLiteral("StronaZReki"));
    auto* s = new QGridLayout(strona);
    s->addWidget(Etykieta(QStringLiteral("Przyjęta Cena"), "EtykietaCenyZReki", strona), 0, 0);
    s->addWidget(NowePole(TPole::CenaZReki, "CenaZReki", strona), 0, 1);
    s->addWidget(Etykieta(QStringLiteral("współczynnik"), "EtykietaWspolczynnikaZReki", strona), 1, 0);
    s->addWidget(NowePole(TPole::WspolczynnikZReki, "WspolczynnikZReki", strona), 1, 1);
    s->addWidget(Etykieta(QStringLiteral("Cena jednostkowa"), "EtykietaWynikuZReki", strona), 2, 0);
    FWynikZReki = NowyWynik("WynikZReki", strona);
    s->addWidget(FWynikZReki, 2, 1);
    s->setColumnStretch(2, 1);
    s->setRowStretch(3, 1);
    return strona;
}

QWidget* TKalkulacjaCenyForm::StronaRms()
{
    auto* strona = new QWidget(this);
    strona->setObjectName(QStringLiteral("StronaRms"));
    auto* s = new QGridLayout(strona);
    const struct
    {
        const char* Nazwa;
        const char* Wynik;
        TPole Kwota;
        TPole Wspolczynnik;
        const char* PoleKwoty;
        const char* PoleWspolczynnika;
    } skladniki[] = {
        {"Robocizna", "Robocizna jednostkowa", TPole::Robocizna, TPole::WspolczynnikR, "Robocizna", "WspolczynnikR"},
        {"Materiał", "Materiał jednostkowy", TPole::Material, TPole::WspolczynnikM, "Material", "WspolczynnikM"},
        {"Sprzęt", "Sprzęt jednostkowy", TPole::Sprzet, TPole::WspolczynnikS, "Sprzet", "WspolczynnikS"},
    };
    static const char* const nazwyWynikow[] = {"WynikR", "WynikM", "WynikS"};
    int wiersz = 0;
    for (const auto& k : skladniki) {
        const QString kwota = QString::fromLatin1(k.PoleKwoty);
        s->addWidget(Etykieta(QString::fromUtf8(k.Nazwa), QStringLiteral("Etykieta") + kwota, strona), wiersz, 0);
        s->addWidget(NowePole(k.Kwota, k.PoleKwoty, strona), wiersz, 1);
        s->addWidget(Etykieta(QStringLiteral("współczynnik"),
                              QStringLiteral("Etykieta") + QString::fromLatin1(k.PoleWspolczynnika), strona),
                     wiersz, 2);
        s->addWidget(NowePole(k.Wspolczynnik, k.PoleWspolczynnika, strona), wiersz, 3);
        s->addWidget(Etykieta(QString::fromUtf8(k.Wynik), QStringLiteral("EtykietaWyniku") + kwota, strona), wiersz, 4);
        FWynikiRms[static_cast<std::size_t>(wiersz)] = NowyWynik(nazwyWynikow[wiersz], strona);
        s->addWidget(FWynikiRms[static_cast<std::size_t>(wiersz)], wiersz, 5);
        ++wiersz;
    }
    auto* linia = new QFrame(strona);
    linia->setObjectName(QStringLiteral("LiniaSumy"));
    linia->setFrameShape(QFrame::HLine);
    linia->setFrameShadow(QFrame::Sunken);
    s->addWidget(linia, 3, 0, 1, 6);
    s->addWidget(Etykieta(QStringLiteral("Suma"), "EtykietaSumy", strona), 4, 0);
    FSumaRms = NowyWynik("SumaRms", strona);
    s->addWidget(FSumaRms, 4, 1);
    s->addWidget(Etykieta(QStringLiteral("współczynnik"), "EtykietaWspolczynnikaSumy", strona), 4, 2);
    s->addWidget(NowePole(TPole::WspolczynnikSumy, "WspolczynnikSumy", strona), 4, 3);
    s->addWidget(Etykieta(QStringLiteral("Cena jednostkowa"), "EtykietaWynikuRms", strona), 4, 4);
    FWynikRms = NowyWynik("WynikRms", strona);
    s->addWidget(FWynikRms, 4, 5);

    // "Oblicz R": labour as a percentage of material or equipment.
    auto* obliczR = new QGroupBox(strona);
    obliczR->setObjectName(QStringLiteral("GrupaObliczR"));
    FObliczR = new QCheckBox(QStringLiteral("Oblicz R"), obliczR);
    FObliczR->setObjectName(QStringLiteral("ObliczR"));
    QLineEdit* procent = NowePole(TPole::ProcentR, "ProcentR", obliczR);
    procent->setMinimumWidth(60);
    procent->setMaximumWidth(80);
    FOdM = new QRadioButton(QStringLiteral("% od M"), obliczR);
    FOdM->setObjectName(QStringLiteral("OdM"));
    FOdS = new QRadioButton(QStringLiteral("% od S"), obliczR);
    FOdS->setObjectName(QStringLiteral("OdS"));
    FOdM->setChecked(true);
    auto* r = new QHBoxLayout(obliczR);
    r->addWidget(FObliczR);
    r->addWidget(procent);
    r->addWidget(FOdM);
    r->addWidget(FOdS);
    r->addStretch(1);
    connect(FObliczR, &QCheckBox::toggled, this,
            [this](bool czy) { Zmien([this, czy] { FLogika.UstawObliczR(czy); }); });
    // M's box changes exactly when the basis does.
    connect(FOdM, &QRadioButton::toggled, this,
            [this](bool odM) { Zmien([this, odM] { FLogika.UstawPodstaweR(odM); }); });

    // The fee, shared by the ticked components.
    auto* oplata = new QGroupBox(strona);
    oplata->setObjectName(QStringLiteral("GrupaOplaty"));
    auto* o = new QHBoxLayout(oplata);
    o->addWidget(Etykieta(QStringLiteral("Opłata"), "EtykietaOplaty", oplata));
    QLineEdit* kwotaOplaty = NowePole(TPole::Oplata, "Oplata", oplata);
    kwotaOplaty->setMinimumWidth(80);
    o->addWidget(kwotaOplaty);
    o->addWidget(Etykieta(QStringLiteral("Dolicz opłatę do"), "EtykietaDoliczOplate", oplata));
    static const char* const nazwyOplat[] = {"OplataR", "OplataM", "OplataS"};
    for (std::size_t i = 0; i < FOplaty.size(); ++i) {
        FOplaty[i] = new QCheckBox(QString(QLatin1Char("RMS"[i])), oplata);
        FOplaty[i]->setObjectName(QString::fromLatin1(nazwyOplat[i]));
        o->addWidget(FOplaty[i]);
        connect(FOplaty[i], &QCheckBox::toggled, this, [this] {
            Zmien([this] {
                FLogika.UstawOplate(FOplaty[0]->isChecked(), FOplaty[1]->isChecked(), FOplaty[2]->isChecked());
            });
        });
    }
    o->addStretch(1);

    auto* dol = new QHBoxLayout;
    dol->addWidget(obliczR, 1);
    dol->addWidget(oplata, 1);
    s->addLayout(dol, 5, 0, 1, 6);
    s->setRowStretch(6, 1);
    return strona;
}

QWidget* TKalkulacjaCenyForm::StronaInformatora()
{
    auto* strona = new QWidget(this);
    strona->setObjectName(QStringLiteral("StronaInformatora"));
    auto* s = new QGridLayout(strona);
    FZrodla = new QButtonGroup(this);
    for (int z = 0; z < 3; ++z) {
        TWierszZrodla& w = FWiersze[static_cast<std::size_t>(z)];
        const QString numer = QString::number(z + 1);
        const auto nazwa = [&numer](const char* n) { return QString::fromLatin1(n) + numer; };
        const int r = z * 4;
        w.Wybor = new QRadioButton(strona);
        w.Wybor->setObjectName(nazwa("Zrodlo"));
        FZrodla->addButton(w.Wybor, z);
        w.Nazwa = new QLabel(strona);
        w.Nazwa->setObjectName(nazwa("NazwaZrodla"));
        QFont f = w.Nazwa->font();
        f.setBold(true);
        w.Nazwa->setFont(f);
        w.Symbol = new QLineEdit(strona);
        w.Symbol->setObjectName(nazwa("Symbol"));
        w.Symbol->setReadOnly(true);
        w.Ceny = new QComboBox(strona);
        w.Ceny->setObjectName(nazwa("CenyPozycji"));
        w.Ceny->setMinimumWidth(180);
        w.Wynik = NowyWynik(nazwa("WynikZrodla").toLatin1().constData(), strona);
        auto* wybierz = new QPushButton(QStringLiteral("..."), strona);
        wybierz->setObjectName(nazwa("WybierzPozycje"));
        auto* regionalny = new QPushButton(QStringLiteral("Regionalny..."), strona);
        regionalny->setObjectName(nazwa("WspolczynnikRegionalny"));
        regionalny->setToolTip(QStringLiteral("Współczynniki regionalne"));
        QLineEdit* wspolczynnik =
            NowePole(WspolczynnikZrodla(z), nazwa("WspolczynnikZrodla").toLatin1().constData(), strona);

        s->addWidget(w.Wybor, r, 0);
        s->addWidget(w.Nazwa, r, 1, 1, 5);
        s->addWidget(Etykieta(QStringLiteral("Symbol"), nazwa("EtykietaSymbolu"), strona), r + 1, 1);
        s->addWidget(w.Symbol, r + 1, 2);
        s->addWidget(Etykieta(QStringLiteral("Cena"), nazwa("EtykietaCenPozycji"), strona), r + 1, 3);
        s->addWidget(w.Ceny, r + 1, 4);
        s->addWidget(wybierz, r + 1, 5);
        s->addWidget(Etykieta(QStringLiteral("współczynnik"), nazwa("EtykietaWspolczynnikaZrodla"), strona), r + 2, 1);
        s->addWidget(wspolczynnik, r + 2, 2);
        s->addWidget(Etykieta(QStringLiteral("Cena jednostkowa"), nazwa("EtykietaWynikuZrodla"), strona), r + 2, 3);
        s->addWidget(w.Wynik, r + 2, 4);
        s->addWidget(regionalny, r + 2, 5);
        if (z < 2) {
            auto* linia = new QFrame(strona);
            linia->setObjectName(nazwa("LiniaZrodla"));
            linia->setFrameShape(QFrame::HLine);
            linia->setFrameShadow(QFrame::Sunken);
            s->addWidget(linia, r + 3, 0, 1, 6);
        }

        connect(wybierz, &QPushButton::clicked, this, [this, z] { Zmien([this, z] { FLogika.WybierzPozycje(z); }); });
        connect(regionalny, &QPushButton::clicked, this,
                [this, z] { Zmien([this, z] { FLogika.WybierzWspolczynnikRegionalny(z); }); });
        connect(w.Ceny, &QComboBox::activated, this,
                [this, z](int indeks) { Zmien([this, z, indeks] { FLogika.WybierzCeneZrodla(z, indeks); }); });
    }
    connect(FZrodla, &QButtonGroup::idToggled, this, [this](int z, bool zaznaczony) {
        if (zaznaczony)
            Zmien([this, z] { FLogika.WybierzZrodlo(z); });
    });
    s->setColumnStretch(4, 1);

    // Shown for the layout the users know; adding a price to a publication is not offered.
    auto* dodaj = new QPushButton(QStringLiteral("Dodaj nowa cene"), strona);
    dodaj->setObjectName(QStringLiteral("DodajNowaCene"));
    dodaj->setEnabled(false);
    s->addWidget(dodaj, 12, 0, 1, 3, Qt::AlignLeft);
    s->setRowStretch(13, 1);
    return strona;
}

QWidget* TKalkulacjaCenyForm::DolPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("DolnyPanel"));
    FGlobalny = new QCheckBox(QStringLiteral("współczynnik globalny"), panel);
    FGlobalny->setObjectName(QStringLiteral("Globalny"));
    QLineEdit* wartosc = NowePole(TPole::WspolczynnikGlobalny, "WspolczynnikGlobalny", panel);
    FWybrana = NowyWynik("WybranaCena", panel);
    QFont f = FWybrana->font();
    f.setBold(true);
    FWybrana->setFont(f);
    auto* przenies = new QPushButton(QStringLiteral("Przenieś"), panel);
    przenies->setObjectName(QStringLiteral("Przenies"));
    przenies->setDefault(true);
    auto* anuluj = new QPushButton(QStringLiteral("Anuluj"), panel);
    anuluj->setObjectName(QStringLiteral("Anuluj"));
    anuluj->setAutoDefault(false);

    auto* p = new QGridLayout(panel);
    p->setContentsMargins(0, 0, 0, 0);
    p->addWidget(FGlobalny, 0, 0);
    p->addWidget(wartosc, 0, 1);
    p->addWidget(Etykieta(QStringLiteral("Wybrana Cena Jednostkowa"), "EtykietaWybranejCeny", panel), 0, 3);
    p->addWidget(FWybrana, 0, 4);
    p->setColumnStretch(2, 1);
    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch(1);
    przyciski->addWidget(przenies);
    przyciski->addWidget(anuluj);
    p->addLayout(przyciski, 1, 0, 1, 5);

    connect(FGlobalny, &QCheckBox::toggled, this,
            [this](bool czy) { Zmien([this, czy] { FLogika.UstawGlobalny(czy); }); });
    connect(przenies, &QPushButton::clicked, this, &TKalkulacjaCenyForm::accept);
    connect(anuluj, &QPushButton::clicked, this, &TKalkulacjaCenyForm::reject);
    return panel;
}

// ---------------------------------------------------------------- changes and showing

QLineEdit* TKalkulacjaCenyForm::Pole(TPole pole) const
{
    const auto it = FPola.find(pole);
    return it == FPola.end() ? nullptr : it->second;
}

bool TKalkulacjaCenyForm::CzyCzerwone(const QLineEdit* pole)
{
    return pole->palette().color(QPalette::Base) == QColor(Qt::red);
}

void TKalkulacjaCenyForm::Wpisano(TPole pole, const QString& tekst)
{
    // A source's coefficient is always shown as the price holds it ("0.000"), so its text is not kept.
    if (!CzyWspolczynnikZrodla(pole))
        FWpisane.insert(pole);
    Zmien([this, pole, &tekst] { FLogika.UstawPole(pole, tekst); }, Pole(pole));
}

void TKalkulacjaCenyForm::Zmien(const std::function<void()>& zmiana, const QLineEdit* edytowane)
{
    // "Oblicz R" writes the labour field's text in the logic: from then on that text is shown.
    const QString robocizna = FLogika.Tekst(TPole::Robocizna);
    zmiana();
    if (FLogika.Tekst(TPole::Robocizna) != robocizna)
        FWpisane.insert(TPole::Robocizna);
    Odswiez(edytowane);
}

QString TKalkulacjaCenyForm::TekstZCeny(TPole pole) const
{
    switch (pole) {
    case TPole::CenaZReki:
        return LiczbaNaTekst(FCena.GetCena());
    case TPole::WspolczynnikZReki:
        return LiczbaNaTekst(FCena.GetWspolczynnik());
    case TPole::Robocizna:
        return LiczbaNaTekst(FCena.GetRj());
    case TPole::Material:
        return LiczbaNaTekst(FCena.GetMj());
    case TPole::Sprzet:
        return LiczbaNaTekst(FCena.GetSj());
    case TPole::WspolczynnikR:
        return LiczbaNaTekst(FCena.GetRjWspolcz());
    case TPole::WspolczynnikM:
        return LiczbaNaTekst(FCena.GetMjWspolcz());
    case TPole::WspolczynnikS:
        return LiczbaNaTekst(FCena.GetSjWspolcz());
    case TPole::WspolczynnikSumy:
        return LiczbaNaTekst(FCena.GetSumaRMSjWspolcz());
    case TPole::Oplata:
        return LiczbaNaTekst(FCena.GetOplata());
    case TPole::WspolczynnikZrodla1:
        return FLogika.WspolczynnikZrodla(0);
    case TPole::WspolczynnikZrodla2:
        return FLogika.WspolczynnikZrodla(1);
    case TPole::WspolczynnikZrodla3:
        return FLogika.WspolczynnikZrodla(2);
    case TPole::ProcentR:
    case TPole::WspolczynnikGlobalny:
        break;
    }
    // Held only by the logic.
    return FLogika.Tekst(pole);
}

void TKalkulacjaCenyForm::PokazPole(TPole pole, const QLineEdit* edytowane)
{
    QLineEdit* e = Pole(pole);
    if (!e)
        return;
    const bool blad = FLogika.CzyBlad(pole);
    if (e != edytowane) {
        const QString tekst = blad || FWpisane.count(pole) ? FLogika.Tekst(pole) : TekstZCeny(pole);
        if (e->text() != tekst)
            e->setText(tekst);
    }
    if (blad != CzyCzerwone(e)) {
        QPalette kolory = QApplication::palette(e);
        if (blad) {
            kolory.setColor(QPalette::Base, Qt::red);
            kolory.setColor(QPalette::Text, Qt::white);
        }
        e->setPalette(kolory);
    }
}

void TKalkulacjaCenyForm::Odswiez(const QLineEdit* edytowane)
{
    for (const auto& [pole, e] : FPola)
        PokazPole(pole, edytowane);

    if (FLogika.Sposob() >= 0 && FLogika.Sposob() <= 2 && FStrony->currentIndex() != FLogika.Sposob()) {
        const QSignalBlocker b(FStrony);
        FStrony->setCurrentIndex(FLogika.Sposob());
    }

    FWynikZReki->setText(Kwota(FCena.GetCenaZReki()));

    FWynikiRms[0]->setText(Kwota(FCena.GetRjObliczone()));
    FWynikiRms[1]->setText(Kwota(FCena.GetMjObliczone()));
    FWynikiRms[2]->setText(Kwota(FCena.GetSjObliczone()));
    FSumaRms->setText(Kwota(FCena.GetSumaRMSj()));
    FWynikRms->setText(Kwota(FCena.GetSumaRMSjObliczone()));
    {
        const QSignalBlocker b(FObliczR);
        FObliczR->setChecked(FLogika.CzyObliczR());
    }
    Pole(TPole::ProcentR)->setEnabled(FLogika.CzyObliczR());
    FOdM->setEnabled(FLogika.CzyObliczR());
    FOdS->setEnabled(FLogika.CzyObliczR());
    const bool oplaty[] = {FCena.GetCzyOplataR(), FCena.GetCzyOplataM(), FCena.GetCzyOplataS()};
    for (std::size_t i = 0; i < FOplaty.size(); ++i) {
        const QSignalBlocker b(FOplaty[i]);
        FOplaty[i]->setChecked(oplaty[i]);
    }

    // The group too: an exclusive group answers a programmatic check with its own signal.
    const QSignalBlocker grupa(FZrodla);
    const int wybrane = FCena.GetWybranyInfCen() == 1 || FCena.GetWybranyInfCen() == 2 ? FCena.GetWybranyInfCen() : 0;
    for (int z = 0; z < 3; ++z) {
        TWierszZrodla& w = FWiersze[static_cast<std::size_t>(z)];
        const TCenaInfCen* zrodlo = FCena.GetInfCen(z + 1);
        {
            const QSignalBlocker b(w.Wybor);
            w.Wybor->setChecked(z == wybrane);
        }
        w.Nazwa->setText(QStringLiteral("Cena z ") + zrodlo->GetNazwaInfCen());
        w.Nazwa->setToolTip(zrodlo->GetInfCenPath().isEmpty()
                                ? QString()
                                : zrodlo->GetWydanie() + QLatin1Char('\n') + zrodlo->GetInfCenPath());
        w.Symbol->setText(zrodlo->GetSymbol());
        const QSignalBlocker b(w.Ceny);
        w.Ceny->clear();
        int biezaca = -1;
        for (const auto& cena : zrodlo->GetCenyPozycji()) {
            if (cena.get() == zrodlo->GetWybranaCena())
                biezaca = w.Ceny->count();
            w.Ceny->addItem(cena->GetNazwa() + QStringLiteral(" = ") + Kwota(cena->GetWartosc()));
        }
        w.Ceny->setCurrentIndex(biezaca);
        w.Ceny->setEnabled(w.Ceny->count() > 0);
        w.Wynik->setText(Kwota(zrodlo->GetObliczone()));
    }

    {
        const QSignalBlocker b(FGlobalny);
        FGlobalny->setChecked(FLogika.Globalne().CzyWspolczynnikGlobalny);
    }
    FWybrana->setText(FLogika.Wynik());
}

// ---------------------------------------------------------------- end

void TKalkulacjaCenyForm::accept()
{
    if (!FZakonczone) {
        FZakonczone = true;
        FLogika.Przenies();
    }
    QDialog::accept();
}

void TKalkulacjaCenyForm::reject()
{
    if (!FZakonczone) {
        FZakonczone = true;
        FLogika.Anuluj();
    }
    QDialog::reject();
}

namespace {

using TFabrykaKalkulacji = std::function<std::unique_ptr<TKalkulacjaCeny>(TCenaJedn&, IUzytkownikCeny&)>;

bool PokazKalkulacje(QWidget* rodzic, TSpecyfikacja& specyfikacja, int indeksJednostki,
                     const TFabrykaKalkulacji& fabryka)
{
    if (indeksJednostki < 0 || indeksJednostki >= specyfikacja.JmCount())
        return false;
    TJmSpecyfikacji* jm = specyfikacja.GetJm(indeksJednostki);
    if (!jm || !jm->CenaJedn())
        return false;
    TUzytkownikCenyOkna uzytkownik(rodzic);
    const std::unique_ptr<TKalkulacjaCeny> logika = fabryka(*jm->CenaJedn(), uzytkownik);
    TKalkulacjaCenyForm okno(*logika, specyfikacja, *jm, rodzic);
    // The chooser, the coefficients and the notices open over this dialog, not behind it.
    uzytkownik.UstawRodzica(&okno);
    return okno.exec() == QDialog::Accepted;
}

} // namespace

bool PokazKalkulacjeCeny(QWidget* rodzic, TSpecyfikacja& specyfikacja, int indeksJednostki,
                         TZestawController& kontroler)
{
    return PokazKalkulacje(rodzic, specyfikacja, indeksJednostki,
                           [&kontroler](TCenaJedn& c, IUzytkownikCeny& u) { return kontroler.KalkulacjaCeny(c, u); });
}

bool PokazKalkulacjeCeny(QWidget* rodzic, TSpecyfikacja& specyfikacja, int indeksJednostki,
                         const TUstawieniaCen& globalne, std::function<void(const TUstawieniaCen&)> zapiszGlobalne)
{
    return PokazKalkulacje(rodzic, specyfikacja, indeksJednostki,
                           [&globalne, &zapiszGlobalne](TCenaJedn& c, IUzytkownikCeny& u) {
                               return std::make_unique<TKalkulacjaCeny>(c, globalne, std::move(zapiszGlobalne), u);
                           });
}
