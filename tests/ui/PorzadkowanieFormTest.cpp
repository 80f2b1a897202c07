// The window of "Porządkowanie  specyfikacji": captions, options bound to the logic, Start/Stop, the failure.
#include "ui/PorzadkowanieForm.h"

#include "workflow/PomocnikKontrolera.h"
#include "workflow/PorzadkowanieDialogu.h"

#include "Zrzuty.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class PorzadkowanieForm : public TTestKontrolera
{
protected:
    void SetUp() override
    {
        TTestKontrolera::SetUp();
        Kontroler->OtworzSST(Lista());
        QDir().mkpath(Cel());
        Dialog = std::make_unique<TPorzadkowanieDialogu>(Kontroler->Spis(), Konfiguracja(), Katalog.path());
        Okno = std::make_unique<TPorzadkowanieForm>(*Dialog);
        Okno->PokazBlad = [this](QWidget*, const QString& t) { Bledy << t; };
        Okno->show();
    }
    void TearDown() override
    {
        Okno.reset();
        Dialog.reset();
        TTestKontrolera::TearDown();
    }
    QString Cel() const { return Katalog.filePath(QStringLiteral("cel")); }
    int Skopiowanych() const
    {
        int n = 0;
        for (QDirIterator it(Cel(), {QStringLiteral("*.odt")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();
             it.next())
            ++n;
        return n;
    }
    template <class T> T* Kontrolka(const char* nazwa) const
    {
        T* k = Okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }
    void CzekajNaKoniec()
    {
        // The window sees the end on its next look at the job.
        for (QDeadlineTimer limit(5000);
             Kontrolka<QPushButton>("Start")->text() != QStringLiteral("Start") && !limit.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // Flat structure into the target folder, the way a user sets it.
    void UstawPlaska()
    {
        Okno->WybierzFolder = [this](QWidget*, const QString&) { return Cel(); };
        QTest::mouseClick(Kontrolka<QPushButton>("Przegladaj"), Qt::LeftButton);
        Kontrolka<QRadioButton>("Plaska")->click();
        Kontrolka<QCheckBox>("Nadpisuj")->setChecked(false);
        Kontrolka<QCheckBox>("Aktualizuj")->setChecked(false);
    }

    std::unique_ptr<TPorzadkowanieDialogu> Dialog;
    std::unique_ptr<TPorzadkowanieForm> Okno;
    QStringList Bledy;
};

TEST_F(PorzadkowanieForm, OpcjeIdaDoLogikiIKonfiguracji)
{
    EXPECT_EQ(Okno->windowTitle(), QStringLiteral("Porządkowanie  specyfikacji"));
    EXPECT_EQ(Kontrolka<QPushButton>("Start")->text(), QStringLiteral("Start"));
    UstawPlaska();
    EXPECT_EQ(Kontrolka<QLineEdit>("Folder")->text(), Cel());
    EXPECT_EQ(Dialog->Opcje.Struktura, TOpcjePorzadkowania::StrukturaPlaska);
    EXPECT_FALSE(Dialog->Opcje.Nadpisuj || Dialog->Opcje.Aktualizuj);
    Kontrolka<QCheckBox>("Nadpisuj")->click();
    Kontrolka<QCheckBox>("Aktualizuj")->click();
    EXPECT_TRUE(Dialog->Opcje.Nadpisuj && Dialog->Opcje.Aktualizuj);
    ZapiszZrzut(Okno.get(), QStringLiteral("porzadkowanie"));

    QTest::mouseClick(Kontrolka<QPushButton>("PrzywrocDomyslne"), Qt::LeftButton);
    EXPECT_EQ(Kontrolka<QRadioButton>("DrzewoNumer")->isChecked(),
              Dialog->Opcje.Struktura == TOpcjePorzadkowania::StrukturaNumer);
    Kontrolka<QRadioButton>("DrzewoNumerIOpis")->click();
    QTest::mouseClick(Kontrolka<QPushButton>("Zamknij"), Qt::LeftButton);
    EXPECT_EQ(Konfiguracja().PorzadkSTOpcja, TOpcjePorzadkowania::StrukturaNumerIOpis);
}

TEST_F(PorzadkowanieForm, StartKopiujeDrugiRazPokazujeBladIRaport)
{
    UstawPlaska();
    QTest::mouseClick(Kontrolka<QPushButton>("Start"), Qt::LeftButton);
    EXPECT_EQ(Kontrolka<QPushButton>("Start")->text(), QStringLiteral("Stop"));
    EXPECT_FALSE(Kontrolka<QPushButton>("Przegladaj")->isEnabled());
    CzekajNaKoniec();
    EXPECT_EQ(Skopiowanych(), 3);
    EXPECT_EQ(Kontrolka<QPushButton>("Start")->text(), QStringLiteral("Start"));
    EXPECT_EQ(Kontrolka<QLabel>("Status")->text(), QStringLiteral("Proces porządkowania został zakończony"));
    EXPECT_EQ(Kontrolka<QProgressBar>("Postep")->value(), Kontrolka<QProgressBar>("Postep")->maximum());
    EXPECT_TRUE(Bledy.isEmpty());

    QTest::mouseClick(Kontrolka<QPushButton>("Start"), Qt::LeftButton);
    CzekajNaKoniec();
    EXPECT_EQ(Bledy, QStringList{QStringLiteral("Błąd kopiowania")});
    EXPECT_TRUE(Kontrolka<QPlainTextEdit>("Raport")->isVisible());
    EXPECT_TRUE(
        Kontrolka<QPlainTextEdit>("Raport")->toPlainText().contains(QStringLiteral("Plik docelowy już istnieje")));
    ZapiszZrzut(Okno.get(), QStringLiteral("porzadkowanie-raport"));
}

TEST_F(PorzadkowanieForm, StopPrzedPierwszymPlikiem)
{
    UstawPlaska();
    Kontrolka<QPushButton>("Start")->click();
    // The job waits for its first call to the main thread, which no event has served yet.
    EXPECT_EQ(Kontrolka<QPushButton>("Start")->text(), QStringLiteral("Stop"));
    Kontrolka<QPushButton>("Start")->click();
    CzekajNaKoniec();
    EXPECT_EQ(Skopiowanych(), 0);
    EXPECT_EQ(Kontrolka<QPushButton>("Start")->text(), QStringLiteral("Start"));
    EXPECT_TRUE(Kontrolka<QPushButton>("Przegladaj")->isEnabled());
}

} // namespace
