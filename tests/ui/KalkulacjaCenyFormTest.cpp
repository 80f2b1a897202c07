// "Kalkulacja Ceny Jednostkowej" with its two choosers: fields, pages, "Oblicz R", the publication's sources,
// Przenieś/Anuluj and the keys.
#include "ui/KalkulacjaCenyForm.h"
#include "prices/UzytkownikCenyTestowy.h"
#include "ui/WspolczynnikiForm.h"
#include "ui/WyborCenyForm.h"

#include "prices/CenaInfCen.h"
#include "prices/CenaJedn.h"
#include "prices/InfCen.h"
#include "prices/ModelInfCen.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/Specyfikacja.h"
#include "support/Pomocnicze.h"

#include "Zrzuty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

using P = TKalkulacjaCeny::TPole;

const QByteArray Informator =
    "<informator wydawca=\"Wyd\" wydanie=\"II\" rok=\"2024\">"
    "<pozycja SYMBOL_GL=\"B-01\" NAZWA=\"Beton towarowy\" NAZWA_JM=\"m3\" cj_min_CENA=\"300\" "
    "cj_sr_CENA=\"365,555\" cj_max_CENA=\"420\"/>"
    "<pozycja SYMBOL_GL=\"S-77\" NAZWA=\"Stal zbrojeniowa\" NAZWA_JM=\"t\" mnj_CENA=\"4,5\"/>"
    "<wspolczynniki><w region=\"opolskie\" wsp_kub=\"1,1\" wsp_inz=\"0,98\"/>"
    "<w region=\"mazowieckie\" wsp_kub=\"1,2\" wsp_inz=\"1,05\"/></wspolczynniki></informator>";

using TUzytkownik = TUzytkownikCenyTestowy;

QString Kwota(double v)
{
    return QLocale().toString(v, 'f', 2);
}

class KalkulacjaCenyForm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Wezel.AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QStringLiteral("powierzchni"), true));
        Plik = Katalog.filePath(QStringLiteral("informator.xml"));
        ZapiszPlik(Plik, Informator);
    }
    TCenaJedn& Cena() const { return *Wezel.GetJm(0)->CenaJedn(); }
    void Otworz(IUzytkownikCeny& uzytkownik)
    {
        Logika = std::make_unique<TKalkulacjaCeny>(
            Cena(), Globalne,
            [this](const TUstawieniaCen& u) {
                Zapisane = u;
                Cena().SetUstawienia(u);
            },
            uzytkownik);
        Okno = std::make_unique<TKalkulacjaCenyForm>(*Logika, Wezel, *Wezel.GetJm(0));
        Okno->show();
    }
    template <class T> T* Kontrolka(const char* nazwa) const
    {
        T* k = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }
    void Wpisz(P pole, const QString& tekst) const
    {
        QLineEdit* e = Okno->Pole(pole);
        e->clear();
        QTest::keyClicks(e, tekst);
    }

    QTemporaryDir Katalog;
    QString Plik;
    TSpecyfikacja Wezel{QStringLiteral("ST-01"), false, false, QString(), QString(), QStringLiteral("Roboty ziemne")};
    TUstawieniaCen Globalne;
    TUstawieniaCen Zapisane;
    TUzytkownik Uzytkownik;
    std::unique_ptr<TKalkulacjaCeny> Logika;
    std::unique_ptr<TKalkulacjaCenyForm> Okno;
};

TEST_F(KalkulacjaCenyForm, NaglowekPierwszaStronaZeSposobuIPrzelaczanieStron)
{
    Cena().SetZrodloCenyJedn(TCenaJedn::ZrodloRMSj);
    Otworz(Uzytkownik);
    EXPECT_EQ(Okno->windowTitle(), QStringLiteral("Kalkulacja Ceny Jednostkowej"));
    EXPECT_EQ(Kontrolka<QLabel>("Numer")->text(), QStringLiteral("ST-01"));
    EXPECT_EQ(Kontrolka<QLabel>("Tytul")->text(), QStringLiteral("Roboty ziemne"));
    EXPECT_EQ(Kontrolka<QLabel>("OpisJednostki")->text(), QStringLiteral("powierzchni"));
    EXPECT_EQ(Kontrolka<QLabel>("CenaAktualna")->text(), Kwota(0) + QStringLiteral(" zł/m2"));
    auto* strony = Kontrolka<QTabWidget>("Strony");
    EXPECT_EQ(strony->currentIndex(), 1);
    EXPECT_EQ(strony->tabText(0), QStringLiteral("Cena z \"Ręki\""));
    EXPECT_FALSE(Kontrolka<QPushButton>("DodajNowaCene")->isEnabled());
    const char* const zrzuty[] = {"kalkulacja-ceny-z-reki", "kalkulacja-ceny-rms", "kalkulacja-ceny-informator"};
    for (int strona : {2, 0, 1}) {
        strony->setCurrentIndex(strona);
        EXPECT_EQ(Cena().GetZrodloCenyJedn(), strona);
        ZapiszZrzut(Okno.get(), QString::fromLatin1(zrzuty[strona]));
    }
}

TEST_F(KalkulacjaCenyForm, PolaLiczbyWyrazeniaICzerwoneBledy)
{
    Otworz(Uzytkownik);
    Kontrolka<QTabWidget>("Strony")->setCurrentIndex(1);
    const struct
    {
        P Pole;
        const char* Tekst;
        bool Blad;
        double Rj, RjWspolcz;
    } przypadki[] = {
        {P::Robocizna, "2*1,5", false, 3, 1},    {P::Robocizna, "abc", true, 0, 1},
        {P::Robocizna, "12.5", false, 12.5, 1},  {P::WspolczynnikR, "x", true, 12.5, 1},
        {P::WspolczynnikR, "2", false, 12.5, 2},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Tekst);
        Wpisz(p.Pole, QString::fromUtf8(p.Tekst));
        EXPECT_EQ(Okno->Pole(p.Pole)->text(), QString::fromUtf8(p.Tekst));
        EXPECT_EQ(TKalkulacjaCenyForm::CzyCzerwone(Okno->Pole(p.Pole)), p.Blad);
        EXPECT_DOUBLE_EQ(Cena().GetRj(), p.Rj);
        EXPECT_DOUBLE_EQ(Cena().GetRjWspolcz(), p.RjWspolcz);
        EXPECT_EQ(Kontrolka<QLabel>("WynikR")->text(), Kwota(p.Rj * p.RjWspolcz));
        EXPECT_EQ(Kontrolka<QLabel>("WybranaCena")->text(), Kwota(p.Rj * p.RjWspolcz));
    }
}

TEST_F(KalkulacjaCenyForm, ObliczRZProcentuTylkoGdyZaznaczone)
{
    Otworz(Uzytkownik);
    Kontrolka<QTabWidget>("Strony")->setCurrentIndex(1);
    EXPECT_EQ(Okno->Pole(P::ProcentR)->text(), QStringLiteral("10"));
    EXPECT_FALSE(Okno->Pole(P::ProcentR)->isEnabled());
    EXPECT_FALSE(Kontrolka<QRadioButton>("OdM")->isEnabled());
    EXPECT_FALSE(Kontrolka<QRadioButton>("OdS")->isEnabled());
    Kontrolka<QCheckBox>("ObliczR")->click();
    EXPECT_EQ(Uzytkownik.Komunikaty, QStringList{QStringLiteral("Zerowa wartość Materiałów")});
    EXPECT_TRUE(Okno->Pole(P::ProcentR)->isEnabled());
    EXPECT_TRUE(Kontrolka<QRadioButton>("OdS")->isEnabled());
    Wpisz(P::Material, QStringLiteral("250"));
    EXPECT_EQ(Okno->Pole(P::Robocizna)->text(), QStringLiteral("25"));
    EXPECT_DOUBLE_EQ(Cena().GetRj(), 25);
    Wpisz(P::Sprzet, QStringLiteral("40"));
    Kontrolka<QRadioButton>("OdS")->click();
    EXPECT_DOUBLE_EQ(Cena().GetRj(), 4);
    Kontrolka<QCheckBox>("ObliczR")->click();
    EXPECT_FALSE(Okno->Pole(P::ProcentR)->isEnabled());
    Wpisz(P::Sprzet, QStringLiteral("80"));
    EXPECT_DOUBLE_EQ(Cena().GetRj(), 4);
}

TEST_F(KalkulacjaCenyForm, EscapeAnulujePrzywracajacCeneIWspolczynnikGlobalny)
{
    Otworz(Uzytkownik);
    Wpisz(P::CenaZReki, QStringLiteral("100"));
    Kontrolka<QCheckBox>("Globalny")->click();
    Wpisz(P::WspolczynnikGlobalny, QStringLiteral("1,1"));
    EXPECT_EQ(Kontrolka<QLabel>("WybranaCena")->text(), Kwota(110));
    EXPECT_TRUE(Zapisane.CzyWspolczynnikGlobalny);
    QTest::keyClick(Okno->Pole(P::CenaZReki), Qt::Key_Escape);
    EXPECT_EQ(Okno->result(), QDialog::Rejected);
    EXPECT_EQ(Zapisane, Globalne);
    EXPECT_DOUBLE_EQ(Cena().GetCena(), 0);
    EXPECT_DOUBLE_EQ(Cena().GetWartosc(), 0);
}

TEST_F(KalkulacjaCenyForm, EnterPrzenosiZmiany)
{
    Otworz(Uzytkownik);
    Wpisz(P::CenaZReki, QStringLiteral("12,5"));
    Wpisz(P::WspolczynnikZReki, QStringLiteral("2"));
    EXPECT_EQ(Kontrolka<QLabel>("WynikZReki")->text(), Kwota(25));
    QTest::keyClick(Okno->Pole(P::WspolczynnikZReki), Qt::Key_Return);
    EXPECT_EQ(Okno->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Cena().GetWartosc(), 25);
}

TEST_F(KalkulacjaCenyForm, ZrodloZInformatoraZPozycjaICenami)
{
    Uzytkownik.Plik = Plik;
    Otworz(Uzytkownik);
    Kontrolka<QTabWidget>("Strony")->setCurrentIndex(2);
    EXPECT_TRUE(Kontrolka<QRadioButton>("Zrodlo1")->isChecked());
    Kontrolka<QRadioButton>("Zrodlo2")->click();
    EXPECT_EQ(Cena().GetWybranyInfCen(), 1);
    Kontrolka<QPushButton>("WybierzPozycje2")->click();
    EXPECT_EQ(Kontrolka<QLabel>("NazwaZrodla2")->text(), QStringLiteral("Cena z Wyd"));
    EXPECT_EQ(Kontrolka<QLineEdit>("Symbol2")->text(), QStringLiteral("B-01"));
    auto* ceny = Kontrolka<QComboBox>("CenyPozycji2");
    ASSERT_EQ(ceny->count(), 4);
    EXPECT_EQ(ceny->currentText(), QStringLiteral("Cena śr. = ") + Kwota(365.555));
    EXPECT_EQ(Kontrolka<QLabel>("WybranaCena")->text(), Kwota(365.555));
    Kontrolka<QPushButton>("WspolczynnikRegionalny2")->click();
    EXPECT_EQ(Okno->Pole(P::WspolczynnikZrodla2)->text(), QLocale().toString(0.98, 'f', 3));
    ceny->activated(0);
    EXPECT_EQ(Kontrolka<QLabel>("WynikZrodla2")->text(), Kwota(294));
    EXPECT_EQ(Kontrolka<QLabel>("NazwaZrodla1")->text(), QStringLiteral("Cena z "));
}

// The program's own user: the file dialog answered, the coefficients dialog answered by clicking.
TEST_F(KalkulacjaCenyForm, WspolczynnikRegionalnyZOknaDialogowego)
{
    TUzytkownikCenyOkna uzytkownik;
    QString tytul, filtr;
    uzytkownik.WybierzPlik = [&](QWidget*, const QString& t, const QString& f) {
        tytul = t;
        filtr = f;
        return Plik;
    };
    Otworz(uzytkownik);
    uzytkownik.UstawRodzica(Okno.get());
    QTimer::singleShot(0, [] {
        QWidget* okno = QApplication::activeModalWidget();
        ASSERT_NE(okno, nullptr);
        EXPECT_EQ(okno->windowTitle(), QStringLiteral("Współczynniki regionalne"));
        auto* siatka = okno->findChild<QTableView*>(QStringLiteral("Regiony"));
        siatka->setCurrentIndex(siatka->model()->index(1, 1));
        ZapiszZrzut(okno, QStringLiteral("wspolczynniki-regionalne"));
        okno->findChild<QPushButton*>(QStringLiteral("OK"))->click();
    });
    Kontrolka<QPushButton>("WspolczynnikRegionalny1")->click();
    EXPECT_EQ(tytul, QStringLiteral("Wybierz plik informatora"));
    EXPECT_TRUE(filtr.contains(QStringLiteral("*.xml")));
    EXPECT_DOUBLE_EQ(Cena().GetInfCen1()->GetWspolcz(), 1.2);
}

TEST_F(KalkulacjaCenyForm, WyborCenyOkTylkoDlaJednejKomorkiCenyIFiltry)
{
    TInfCen informator;
    informator.WczytajInfCen(Plik);
    TModelInfCen model(informator);
    TWyborCenyForm okno(model);
    okno.show();
    auto* siatka = okno.findChild<QTableView*>(QStringLiteral("Ceny"));
    auto* ok = okno.findChild<QPushButton*>(QStringLiteral("OK"));
    EXPECT_FALSE(ok->isEnabled());
    const struct
    {
        int Wiersz, Kolumna;
        bool Ok;
    } komorki[] = {{0, 1, false}, {1, 4, true}, {0, 2, false}, {0, 7, true}};
    for (const auto& k : komorki) {
        siatka->setCurrentIndex(model.index(k.Wiersz, k.Kolumna));
        EXPECT_EQ(ok->isEnabled(), k.Ok) << k.Wiersz << "," << k.Kolumna;
    }
    ZapiszZrzut(&okno, QStringLiteral("wybor-ceny"));
    QTest::keyClicks(okno.findChild<QLineEdit*>(QStringLiteral("FiltrNazwy")), QStringLiteral("STAL"));
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(okno.findChild<QLineEdit*>(QStringLiteral("FiltrSymbolu")), QStringLiteral(" b-"));
    EXPECT_EQ(model.rowCount(), 0);
    okno.findChild<QLineEdit*>(QStringLiteral("FiltrNazwy"))->clear();
    ASSERT_EQ(model.rowCount(), 1);
    siatka->setCurrentIndex(model.index(0, 5));
    ok->click();
    EXPECT_EQ(okno.result(), QDialog::Accepted);
    EXPECT_EQ(model.Pozycja(okno.Wybrana().row())->Symbol(), QStringLiteral("B-01"));
    EXPECT_EQ(okno.Wybrana().column(), 5);
}

} // namespace
