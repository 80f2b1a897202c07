// The window of "Dodawanie stylu do plików ST": the template's styles, the target's controls, the checks of
// "Dopisz wybrany", the run on the worker and its stop.
#include "ui/DodawanieStyluForm.h"

#include "docs/SilnikDokumentow.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/UzytkownikSkryptowy.h"

#include "Zrzuty.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <mutex>

namespace {

// Documents answer with the styles set for their file name; a copied style is recorded by file name.
// Opening a file named in CzekajNa waits until the job is asked to stop.
class TSilnikStylow : public ISilnikDokumentow
{
public:
    QHash<QString, QStringList> Style;
    QString CzekajNa;
    std::function<bool()> CzyZatrzymano;
    QStringList Skopiowane() const
    {
        const std::lock_guard<std::mutex> blokada(FMutex);
        return FSkopiowane;
    }

    std::unique_ptr<IDokumentTekstowy> NowyDokument() override { return std::make_unique<TDokument>(*this, QString()); }
    std::unique_ptr<IDokumentTekstowy> OtworzDokument(const QString& plik, bool) override
    {
        const QString nazwa = QFileInfo(plik).fileName();
        for (QDeadlineTimer limit(5000); nazwa == CzekajNa && !CzyZatrzymano() && !limit.hasExpired();)
            QThread::msleep(1);
        return std::make_unique<TDokument>(*this, nazwa);
    }
    void Uruchom() override {}

private:
    struct TDokument : IDokumentTekstowy
    {
        TDokument(TSilnikStylow& s, QString n) : S(s), Nazwa(std::move(n)) {}
        void WstawPlik(const QString&, bool) override {}
        void WstawStroneTytulowa(const QString&) override {}
        void DodajZakladke(const QString&) override {}
        void WstawSpisTresci() override {}
        int ZamienWszystko(const QString&, const QString&, bool) override { return 0; }
        int ZamienNaLinie(const QString&, const QStringList&, bool, bool) override { return 0; }
        int PoliczWystapienia(const QString&) override { return 0; }
        void UstawStronePierwsza() override {}
        void UstawNaglowek(const TNaglowekDokumentu&) override {}
        void UstawStopke(const TStopkaDokumentu&) override {}
        void UstawMarginesy(int, int, int, int) override {}
        QStringList NazwyUzywanychStylow() override { return S.Style.value(Nazwa); }
        void KopiujStylAkapitu(IDokumentTekstowy&, const QString& nazwa) override
        {
            const std::lock_guard<std::mutex> blokada(S.FMutex);
            S.FSkopiowane << Nazwa + QLatin1Char(':') + nazwa;
        }
        void Zapisz(const QString&) override {}
        void Zapisz() override {}
        TSilnikStylow& S;
        QString Nazwa;
    };
    mutable std::mutex FMutex;
    QStringList FSkopiowane;
};

class DodawanieStyluForm : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        for (const char* nazwa : {"a.doc", "b.docx", "pod/c.doc", "szablon.dotx"})
            ZapiszPlik(Katalog.filePath(QString::fromLatin1(nazwa)), "x");
        Silnik.Style[QStringLiteral("szablon.dotx")] = {QStringLiteral("Tytuł"), QStringLiteral("Nagłówek 1"),
                                                        QStringLiteral("akapit")};
        Silnik.Style[QStringLiteral("a.doc")] = {QStringLiteral(" nagłówek 1 ")};
        Okno = std::make_unique<TDodawanieStyluForm>(&Silnik, Konfiguracja(), Uzytkownik);
        Silnik.CzyZatrzymano = [this] { return Okno->Zadanie()->CzyZatrzymano(); };
        Okno->show();
    }
    void TearDown() override
    {
        Okno.reset();
        TTestZKonfiguracja::TearDown();
    }
    template <class T> T* Kontrolka(const char* nazwa) const
    {
        T* k = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }
    // The template chosen, its second style clicked, the test's folder as the target.
    void Przygotuj()
    {
        Uzytkownik.DoOtwarcia.push_back({Katalog.filePath(QStringLiteral("szablon.dotx"))});
        QTest::mouseClick(Kontrolka<QPushButton>("WybierzSzablon"), Qt::LeftButton);
        auto* style = Kontrolka<QListWidget>("Style");
        QTest::mouseClick(style->viewport(), Qt::LeftButton, {}, style->visualItemRect(style->item(1)).center());
        Okno->WybierzFolder = [this](QWidget*, const QString&, const QString&) { return Katalog.path(); };
        QTest::mouseClick(Kontrolka<QPushButton>("WybierzFolder"), Qt::LeftButton);
    }
    void CzekajNaKomunikat()
    {
        for (QDeadlineTimer limit(5000); Uzytkownik.Zapis.isEmpty() && !limit.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    QTemporaryDir Katalog;
    TSilnikStylow Silnik;
    TUzytkownikSkryptowy Uzytkownik;
    std::unique_ptr<TDodawanieStyluForm> Okno;
};

TEST_F(DodawanieStyluForm, SzablonDajeStyleARadioWlaczajaSwojePola)
{
    EXPECT_EQ(Okno->windowTitle(), QStringLiteral("Dodawanie stylu do plików ST"));
    Przygotuj();
    QStringList style;
    for (int i = 0; i < Kontrolka<QListWidget>("Style")->count(); ++i)
        style << Kontrolka<QListWidget>("Style")->item(i)->text();
    EXPECT_EQ(style, QStringList({"akapit", "Nagłówek 1", "Tytuł"}));
    EXPECT_EQ(Kontrolka<QLineEdit>("WybranyStyl")->text(), QStringLiteral("Nagłówek 1"));
    EXPECT_EQ(Kontrolka<QLineEdit>("Folder")->text(), Katalog.path());
    EXPECT_TRUE(Kontrolka<QLineEdit>("Folder")->isEnabled());
    EXPECT_FALSE(Kontrolka<QPushButton>("WybierzPlik")->isEnabled());
    ZapiszZrzut(Okno.get(), QStringLiteral("dodawanie-stylu"));

    Kontrolka<QRadioButton>("TrybPliku")->click();
    EXPECT_FALSE(Kontrolka<QLineEdit>("Folder")->isEnabled());
    EXPECT_TRUE(Kontrolka<QPushButton>("WybierzPlik")->isEnabled());
    QTest::mouseClick(Kontrolka<QPushButton>("Dopisz"), Qt::LeftButton);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Proszę wybrać plik Ms Word."));
    EXPECT_EQ(Okno->Zadanie(), nullptr) << "no job after a failed check";
}

TEST_F(DodawanieStyluForm, DopiszWFolderzePomijaPlikZeStylem)
{
    Przygotuj();
    Uzytkownik.Zapis.clear();
    QTest::mouseClick(Kontrolka<QPushButton>("Dopisz"), Qt::LeftButton);
    CzekajNaKomunikat();
    EXPECT_EQ(Uzytkownik.Zapis,
              QStringList{QStringLiteral("komunikat: Operacja zakończona. Ilość przetworzonych plików: 3")});
    EXPECT_EQ(Silnik.Skopiowane(), QStringList({"b.docx:Nagłówek 1", "c.doc:Nagłówek 1"}));
    EXPECT_EQ(Kontrolka<QProgressBar>("Postep")->value(), 3);
    EXPECT_EQ(Kontrolka<QPushButton>("Dopisz")->text(), QStringLiteral("Dopisz wybrany"));
}

TEST_F(DodawanieStyluForm, PrzerwijZatrzymujePracePoBiezacymPliku)
{
    Przygotuj();
    Uzytkownik.Zapis.clear();
    Silnik.CzekajNa = QStringLiteral("b.docx");
    QTest::mouseClick(Kontrolka<QPushButton>("Dopisz"), Qt::LeftButton);
    auto* nazwa = Kontrolka<QLabel>("NazwaPliku");
    for (QDeadlineTimer limit(5000); nazwa->text() != QStringLiteral("a.doc") && !limit.hasExpired();)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(Kontrolka<QPushButton>("Dopisz")->text(), QStringLiteral("Przerwij"));
    EXPECT_FALSE(Kontrolka<QPushButton>("WybierzSzablon")->isEnabled());
    EXPECT_TRUE(nazwa->isVisible());
    ZapiszZrzut(Okno.get(), QStringLiteral("dodawanie-stylu-praca"));
    QTest::mouseClick(Kontrolka<QPushButton>("Dopisz"), Qt::LeftButton);
    CzekajNaKomunikat();
    EXPECT_EQ(Uzytkownik.Zapis,
              QStringList{QStringLiteral("komunikat: Operacja zakończona. Ilość przetworzonych plików: 2")});
    EXPECT_EQ(Kontrolka<QPushButton>("Dopisz")->text(), QStringLiteral("Dopisz wybrany"));
    EXPECT_TRUE(Kontrolka<QPushButton>("WybierzSzablon")->isEnabled());
}

} // namespace
