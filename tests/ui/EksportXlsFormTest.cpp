// The window of "Eksportuj do excela": captions, controls following the options, export, stop, titles.
#include "ui/EksportXlsForm.h"

#include "../xls/KosztorysyTestowe.h"
#include "support/KonfiguracjaTestowa.h"
#include "workflow/UzytkownikSkryptowy.h"
#include "zestaw/ZestawST.h"

#include "Zrzuty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

namespace {

class EksportXlsForm : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().SetUserPath(Katalog.path());
        for (int i = 1; i <= 2; ++i)
            Zestaw.AddKosztorys(kosztorysy_testowe::KosztorysDwaElementy(QStringLiteral("K%1").arg(i),
                                                                         QStringLiteral("/tmp/k%1.rds").arg(i)));
    }
    void TearDown() override
    {
        Okno.reset();
        Logika.reset();
        TTestZKonfiguracja::TearDown();
    }
    void Otworz()
    {
        Logika = std::make_unique<TEksportXlsDialogu>(Zestaw, Konfiguracja(), Uzytkownik);
        Okno = std::make_unique<TEksportXlsForm>(*Logika);
        Okno->show();
    }
    template <class T> T* Kontrolka(const char* nazwa) const
    {
        T* k = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }
    void Eksportuj(const QString& nazwa)
    {
        Okno->WybierzFolder = [this](QWidget*, const QString&, const QString&) { return Katalog.path(); };
        QTest::mouseClick(Kontrolka<QPushButton>("Przegladaj"), Qt::LeftButton);
        QTest::keyClicks(Kontrolka<QLineEdit>("Plik"), nazwa);
        QTest::mouseClick(Kontrolka<QPushButton>("Eksportuj"), Qt::LeftButton);
    }

    QTemporaryDir Katalog;
    TZestawST Zestaw;
    TUzytkownikSkryptowy Uzytkownik;
    std::unique_ptr<TEksportXlsDialogu> Logika;
    std::unique_ptr<TEksportXlsForm> Okno;
};

TEST_F(EksportXlsForm, PodpisyIDostepnoscWedlugOpcji)
{
    Otworz();
    EXPECT_EQ(Okno->windowTitle(), QStringLiteral("Eksportuj do excela"));
    for (const auto& p : TPolaEksportuXls::Przelaczniki())
        EXPECT_EQ(Kontrolka<QCheckBox>(p.Id.toLatin1().constData())->text(), p.Napis);
    const struct
    {
        const char* Nazwa;
        const char* Tekst;
    } przyciski[] = {{"Przegladaj", "Przeglądaj..."},
                     {"PrzywrocDomyslne", "Przywróć domyślne"},
                     {"Ustaw", "Ustaw"},
                     {"Eksportuj", "Eksportuj"},
                     {"Zamknij", "Zamknij"}};
    for (const auto& p : przyciski)
        EXPECT_EQ(Kontrolka<QPushButton>(p.Nazwa)->text(), QString::fromUtf8(p.Tekst));
    EXPECT_EQ(Kontrolka<QCheckBox>("NaglowekZestawu")->text(), QStringLiteral("Dodaj nagłówek zestawu"));

    // Each check box opens its controls; the logic's options follow the clicks.
    const struct
    {
        const char* Pole;
        const char* Kontrolka;
    } zaleznosci[] = {
        {"Zaokraglaj", "MiejscPoPrzecinku"}, {"WstawTytul", "Tytul"},  {"WstawOpis", "Opis"},
        {"TytulyKosztorysow", "Ustaw"},      {"ChronArkusz", "Haslo"}, {"ChronArkusz", "HasloPowtorzone"}};
    for (const auto& z : zaleznosci) {
        auto* pole = Kontrolka<QCheckBox>(z.Pole);
        auto* kontrolka = Kontrolka<QWidget>(z.Kontrolka);
        for (int i = 0; i < 2; ++i) {
            pole->click();
            EXPECT_EQ(kontrolka->isEnabled(), pole->isChecked()) << z.Kontrolka;
            EXPECT_EQ(TPolaEksportuXls(*Logika).Przelacznik(QString::fromLatin1(z.Pole)), pole->isChecked());
        }
    }
    Kontrolka<QSpinBox>("StawkaVat")->setValue(8);
    EXPECT_EQ(TPolaEksportuXls(*Logika).StawkaVat(), 8);
    QTest::mouseClick(Kontrolka<QPushButton>("PrzywrocDomyslne"), Qt::LeftButton);
    EXPECT_EQ(Kontrolka<QSpinBox>("StawkaVat")->value(), 23);
    EXPECT_GT(Kontrolka<QTableWidget>("Kolumny")->rowCount(), 0);
    ZapiszZrzut(Okno.get(), QStringLiteral("eksport-xls"));
}

TEST_F(EksportXlsForm, EksportujZapisujePlikIProsiOJegoOtwarcie)
{
    Otworz();
    Eksportuj(QStringLiteral("oferta"));
    Logika->Czekaj();
    const QString plik = Katalog.filePath(QStringLiteral("oferta.xls"));
    EXPECT_TRUE(QFileInfo(plik).isFile());
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("uruchom: ") + plik});
    EXPECT_EQ(Kontrolka<QPushButton>("Eksportuj")->text(), QStringLiteral("Eksportuj"));
    EXPECT_TRUE(Kontrolka<QLineEdit>("Folder")->isEnabled());
    EXPECT_EQ(Kontrolka<QProgressBar>("Postep")->value(), Kontrolka<QProgressBar>("Postep")->maximum());
}

TEST_F(EksportXlsForm, ZatrzymajPrzerywaEksport)
{
    auto* element = Zestaw.GetKosztorys(0)->GetElement(0);
    for (int i = 0; i < 5000; ++i)
        kosztorysy_testowe::DodajPozycje(*element, {"1.x", "1", "2"});
    Otworz();
    Eksportuj(QStringLiteral("duzy"));
    // The worker waits for the window at each step: the first one shown, it cannot have finished.
    for (QDeadlineTimer limit(10000); Logika->Pozycja() == 0 && !limit.hasExpired();)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(Kontrolka<QPushButton>("Eksportuj")->text(), QStringLiteral("Zatrzymaj"));
    EXPECT_FALSE(Kontrolka<QLineEdit>("Folder")->isEnabled());
    EXPECT_FALSE(Kontrolka<QPushButton>("Przegladaj")->isEnabled());
    ZapiszZrzut(Okno.get(), QStringLiteral("eksport-xls-trwa"));
    QTest::mouseClick(Kontrolka<QPushButton>("Eksportuj"), Qt::LeftButton);
    Logika->Czekaj();
    ASSERT_EQ(Uzytkownik.Zapis.size(), 1);
    EXPECT_TRUE(Uzytkownik.Zapis[0].startsWith(QStringLiteral("komunikat: Eksport został przerwany.")));
    EXPECT_EQ(Kontrolka<QPushButton>("Eksportuj")->text(), QStringLiteral("Eksportuj"));
}

TEST_F(EksportXlsForm, ZmianaTytulowKosztorysow)
{
    Otworz();
    bool pokazano = false;
    Okno->ZmienTytuly = [&](QWidget*, TEksportXlsDialogu&) { pokazano = true; };
    Kontrolka<QCheckBox>("TytulyKosztorysow")->setChecked(true);
    QTest::mouseClick(Kontrolka<QPushButton>("Ustaw"), Qt::LeftButton);
    EXPECT_TRUE(pokazano);

    for (const bool zastosuj : {false, true}) {
        TZmienTytulyKosztorysowForm tytuly(*Logika);
        EXPECT_EQ(tytuly.windowTitle(), QStringLiteral("Zmień tytuły kosztorysów "));
        auto* tabela = tytuly.findChild<QTableWidget*>(QStringLiteral("Tytuly"));
        ASSERT_EQ(tabela->rowCount(), 2);
        EXPECT_EQ(tabela->horizontalHeaderItem(1)->text(), QStringLiteral("Tytuł w arkuszu"));
        EXPECT_EQ(tabela->item(1, 0)->text(), QStringLiteral("k2"));
        EXPECT_FALSE(tabela->item(1, 0)->flags() & Qt::ItemIsEditable);
        tabela->item(1, 1)->setText(QStringLiteral("Most"));
        if (zastosuj)
            ZapiszZrzut(&tytuly, QStringLiteral("tytuly-kosztorysow"));
        tytuly.findChild<QPushButton*>(zastosuj ? QStringLiteral("Zastosuj") : QStringLiteral("Anuluj"))->click();
        EXPECT_EQ(tytuly.result(), zastosuj ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(Zestaw.GetKosztorys(1)->Tytul() == QStringLiteral("Most"), zastosuj);
    }
}

} // namespace
