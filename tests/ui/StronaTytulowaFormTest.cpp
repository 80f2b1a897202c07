// The window of "Strona tytułowa zestawu": the choices following the logic, Przeglądaj and OK closing with
// the result.
#include "ui/StronaTytulowaForm.h"

#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/UzytkownikSkryptowy.h"

#include "Zrzuty.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class StronaTytulowaForm : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().SetUserPath(Katalog.path());
        ZapiszPlik(Katalog.filePath(QStringLiteral("strona.doc")), "szablon");
        Konfiguracja().SetPierwszaStronaDocTemplate(QStringLiteral("%USERPATH%/strona.doc"));
    }
    void Otworz(bool brak)
    {
        Okno = std::make_unique<TStronaTytulowaForm>(brak, Konfiguracja(), Zestaw, Uzytkownik);
        Okno->show();
    }
    template <class T> T* Kontrolka(const char* nazwa) const
    {
        T* k = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }

    QTemporaryDir Katalog;
    TZestawST Zestaw;
    TUzytkownikSkryptowy Uzytkownik;
    std::unique_ptr<TStronaTytulowaForm> Okno;
};

TEST_F(StronaTytulowaForm, SzablonProgramuIPoleOtwarciaPrzyTworzeniu)
{
    Otworz(false);
    EXPECT_EQ(Okno->windowTitle(), QStringLiteral("Strona tytułowa zestawu"));
    EXPECT_TRUE(Kontrolka<QRadioButton>("SzablonProgramu")->isChecked());
    EXPECT_FALSE(Kontrolka<QCheckBox>("OtworzPoUtworzeniu")->isVisible());
    EXPECT_FALSE(Kontrolka<QCheckBox>("UstawJakoSzablon")->isEnabled());
    EXPECT_FALSE(Kontrolka<QPushButton>("Przegladaj")->isEnabled());
    Kontrolka<QRadioButton>("UtworzZSzablonu")->click();
    EXPECT_EQ(Okno->Logika().Rodzaj, TWyborStronyTytulowej::UtworzonyZSzablonu);
    EXPECT_TRUE(Kontrolka<QCheckBox>("OtworzPoUtworzeniu")->isVisible());
    EXPECT_TRUE(Kontrolka<QCheckBox>("OtworzPoUtworzeniu")->isChecked());
    ZapiszZrzut(Okno.get(), QStringLiteral("strona-tytulowa"));

    // The set was never saved and the user does not save it now: the dialog stays.
    Uzytkownik.Pytania[QStringLiteral("Przed utworzeniem pliku strony tytułowej należy zapisać zestaw.")] = {false};
    QTest::mouseClick(Kontrolka<QPushButton>("Ok"), Qt::LeftButton);
    EXPECT_TRUE(Okno->isVisible());
    Kontrolka<QRadioButton>("SzablonProgramu")->click();
    QTest::mouseClick(Kontrolka<QPushButton>("Ok"), Qt::LeftButton);
    EXPECT_EQ(Okno->result(), QDialog::Accepted);
    EXPECT_EQ(Okno->Logika().Wynik().Rodzaj, TWyborStronyTytulowej::SzablonProgramu);
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(StronaTytulowaForm, BezSzablonuProgramuTylkoPlikZDysku)
{
    Otworz(true);
    EXPECT_TRUE(Kontrolka<QRadioButton>("PlikZDysku")->isChecked());
    EXPECT_FALSE(Kontrolka<QRadioButton>("SzablonProgramu")->isEnabled());
    EXPECT_FALSE(Kontrolka<QRadioButton>("UtworzZSzablonu")->isEnabled());
    ASSERT_TRUE(Kontrolka<QCheckBox>("UstawJakoSzablon")->isEnabled());
    Kontrolka<QCheckBox>("UstawJakoSzablon")->click();
    ZapiszZrzut(Okno.get(), QStringLiteral("strona-tytulowa-bez-szablonu"));

    QTest::keyClicks(Kontrolka<QLineEdit>("Plik"), Katalog.filePath(QStringLiteral("brak.doc")));
    QTest::mouseClick(Kontrolka<QPushButton>("Ok"), Qt::LeftButton);
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("komunikat: Proszę wybrać plik strony tytułowej.")});
    EXPECT_TRUE(Okno->isVisible());

    const QString plik = Katalog.filePath(QStringLiteral("strona.doc"));
    Uzytkownik.DoOtwarcia.push_back({plik});
    QTest::mouseClick(Kontrolka<QPushButton>("Przegladaj"), Qt::LeftButton);
    EXPECT_EQ(Okno->result(), QDialog::Accepted);
    const TWyborStronyTytulowej w = Okno->Logika().Wynik();
    EXPECT_EQ(w.Rodzaj, TWyborStronyTytulowej::PlikZDysku);
    EXPECT_EQ(w.Plik, plik);
    EXPECT_TRUE(w.UstawJakoSzablon);
}

} // namespace
