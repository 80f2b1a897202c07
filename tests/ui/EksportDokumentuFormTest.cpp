// The window of "Eksportuj pliki specyfikacji": captions, controls following the logic, Start/Stop.
#include "ui/EksportDokumentuForm.h"

#include "app/MyPath.h"
#include "docs/PrzygotowanieEksportu.h"
#include "docs/ZbiorEksporterDOC.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/UzytkownikSkryptowy.h"
#include "zestaw/ZestawST.h"

#include "Zrzuty.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

// A Word exporter that reports each file and, at the second one, waits to be stopped.
class TEksporterCzekajacy : public TZbiorEksporterDOC
{
public:
    TEksporterCzekajacy() : TZbiorEksporterDOC(nullptr) {}
    void ScalPliki(const QString& cel, const std::vector<const TMyPath*>& pliki) override
    {
        for (std::size_t i = 0; i < pliki.size() && !Terminated(); ++i) {
            ZmianaPostepu(pliki[i]->GetPath());
            for (QDeadlineTimer limit(5000); i == 1 && !Terminated() && !limit.hasExpired();)
                QThread::msleep(1);
        }
        ZapiszPlik(cel, "wynik");
    }
};

class EksportDokumentuForm : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        for (const char* nazwa : {"a.doc", "b.doc", "c.doc"}) {
            Sciezki.push_back(std::make_unique<TMyPath>());
            Sciezki.back()->SetPath(Plik(QString::fromLatin1(nazwa)));
            Lista.Pliki.push_back(Sciezki.back().get());
        }
        Zestaw.GetKonfiguracja()->CzyStylWNaglowku = false;
        Okno = std::make_unique<TEksportDokumentuForm>(Zestaw, Lista, Eksporter, Konfiguracja(), Uzytkownik);
        Okno->show();
    }
    void TearDown() override
    {
        Okno.reset();
        TTestZKonfiguracja::TearDown();
    }
    QString Plik(const QString& nazwa)
    {
        ZapiszPlik(Katalog.filePath(nazwa), "x");
        return Katalog.filePath(nazwa);
    }
    template <class T> T* Kontrolka(const char* nazwa) const
    {
        T* k = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }

    QTemporaryDir Katalog;
    std::vector<std::unique_ptr<TMyPath>> Sciezki;
    TListaPlikowEksportu Lista;
    TZestawST Zestaw;
    TEksporterCzekajacy Eksporter;
    TUzytkownikSkryptowy Uzytkownik;
    std::unique_ptr<TEksportDokumentuForm> Okno;
};

TEST_F(EksportDokumentuForm, PodpisyIDostepnoscWedlugLogiki)
{
    EXPECT_EQ(Okno->windowTitle(), QStringLiteral("Eksportuj pliki specyfikacji"));
    const struct
    {
        const char* Nazwa;
        const char* Tekst;
    } pola[] = {
        {"OtworzPoUtworzeniu", "Otwórz plik po utworzeniu"},
        {"DrukDwustronny", "Wydruk dwustronny stopki"},
        {"ListaSt", "Wstaw listę ST do Wymagań Ogólnych"},
        {"StylWNaglowku", "Wstaw odwołanie do stylu tekstu w nagłówku dokumentu"},
        {"WeryfikujStyl", "Weryfikuj wybrany styl przed eksportem"},
        {"UstawMarginesy", "Ustaw marginesy"},
    };
    for (const auto& p : pola)
        EXPECT_EQ(Kontrolka<QCheckBox>(p.Nazwa)->text(), QString::fromUtf8(p.Tekst));
    EXPECT_EQ(Kontrolka<QPushButton>("Przegladaj")->text(), QStringLiteral("Przeglądaj..."));
    EXPECT_EQ(Kontrolka<QPushButton>("Marginesy")->text(), QStringLiteral("Marginesy"));
    EXPECT_EQ(Kontrolka<QPushButton>("Start")->text(), QStringLiteral("Start"));
    EXPECT_EQ(Kontrolka<QLabel>("Status")->text(), QStringLiteral("Ilość znalezionych specyfikacji do eksportu: 3"));
    EXPECT_TRUE(Kontrolka<QCheckBox>("OtworzPoUtworzeniu")->isVisible());

    // The style box opens the style controls and the link; "Ustaw marginesy" the button.
    EXPECT_FALSE(Kontrolka<QComboBox>("Styl")->isEnabled());
    EXPECT_EQ(Kontrolka<QLabel>("PobierzStyle")->text(), QStringLiteral("Pobierz style z dokumentów"));
    Kontrolka<QCheckBox>("StylWNaglowku")->click();
    EXPECT_TRUE(Okno->Logika().CzyStylWNaglowku);
    EXPECT_TRUE(Kontrolka<QComboBox>("Styl")->isEnabled());
    EXPECT_TRUE(Kontrolka<QCheckBox>("WeryfikujStyl")->isEnabled());
    EXPECT_EQ(Kontrolka<QLabel>("PobierzStyle")->text(),
              QStringLiteral("<a href=\"#\">Pobierz style z dokumentów</a>"));
    const bool marginesy = Kontrolka<QCheckBox>("UstawMarginesy")->isChecked();
    Kontrolka<QCheckBox>("UstawMarginesy")->click();
    EXPECT_EQ(Kontrolka<QPushButton>("Marginesy")->isEnabled(), !marginesy);

    ZapiszZrzut(Okno.get(), QStringLiteral("eksport-dokumentu"));
}

TEST_F(EksportDokumentuForm, PrzegladajIMarginesyPrzezOdpowiedziTestu)
{
    QString tytul;
    QString wybor = Katalog.filePath(QStringLiteral("nie-ma"));
    Okno->WybierzFolder = [&](QWidget*, const QString& t, const QString&) {
        tytul = t;
        return wybor;
    };
    QTest::mouseClick(Kontrolka<QPushButton>("Przegladaj"), Qt::LeftButton);
    EXPECT_EQ(tytul, QStringLiteral("Wskaż folder na pliki użytkownika"));
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("komunikat: Wybrany folder jest nieprawidłowy!")});
    wybor = Katalog.path();
    QTest::mouseClick(Kontrolka<QPushButton>("Przegladaj"), Qt::LeftButton);
    EXPECT_EQ(Kontrolka<QLineEdit>("Folder")->text(), Katalog.path());

    Kontrolka<QCheckBox>("UstawMarginesy")->setChecked(true);
    Okno->EdytujMarginesy = [](QWidget*, const TMarginesy&) { return TMarginesy{1, 2, 3, 4}; };
    QTest::mouseClick(Kontrolka<QPushButton>("Marginesy"), Qt::LeftButton);
    EXPECT_EQ(Okno->Logika().Marginesy.G, 3);
}

TEST_F(EksportDokumentuForm, StartZmieniaSieWStopIZamykaZOk)
{
    Kontrolka<QLineEdit>("Folder")->clear();
    QTest::keyClicks(Kontrolka<QLineEdit>("Folder"), Katalog.filePath(QStringLiteral("wynik")));
    QTest::keyClicks(Kontrolka<QLineEdit>("Nazwa"), QStringLiteral("zestaw"));
    QTest::mouseClick(Kontrolka<QPushButton>("Start"), Qt::LeftButton);
    auto* status = Kontrolka<QLabel>("Status");
    for (QDeadlineTimer limit(5000); !status->text().endsWith(QStringLiteral("b.doc")) && !limit.hasExpired();)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(status->text(), QStringLiteral("Przetwarzanie pliku: b.doc"));
    EXPECT_EQ(Kontrolka<QPushButton>("Start")->text(), QStringLiteral("Stop"));
    EXPECT_FALSE(Kontrolka<QPushButton>("Przegladaj")->isEnabled());
    EXPECT_EQ(Kontrolka<QProgressBar>("Postep")->value(), 2);
    QTest::mouseClick(Kontrolka<QPushButton>("Start"), Qt::LeftButton);
    EXPECT_EQ(Kontrolka<QPushButton>("Start")->text(), QStringLiteral("Start"));
    EXPECT_EQ(Okno->result(), QDialog::Accepted);
    EXPECT_FALSE(QFileInfo::exists(Katalog.filePath(QStringLiteral("wynik/zestaw.doc"))));
}

} // namespace
