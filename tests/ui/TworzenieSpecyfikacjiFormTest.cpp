// The dialog "Tworzenie Specyfikacji": its controls following the logic, the folder and code pickers,
// Delete on a code row and the creation closing the dialog.
#include "ui/TworzenieSpecyfikacjiForm.h"

#include "authoring/EdytorTestowy.h"
#include "specs/SpisST.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/TworzenieSpecyfikacjiDialogu.h"
#include "workflow/UzytkownikSkryptowy.h"
#include "zestaw/ZestawST.h"

#include "Zrzuty.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

class TworzenieSpecyfikacjiForm : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        ASSERT_TRUE(FTmp.isValid());
        Konfiguracja().SzablonyStPath->SetPath(Tmp(QStringLiteral("szablony")));
        Konfiguracja().StZSzablonuPath->SetPath(Tmp(QStringLiteral("z szablonu")));
        ZapiszPlik(Tmp(QStringLiteral("szablony/Szablon ogólny.doc")), "#NR_ST# #TYTUL_ST# #JM# #KODY_CPV#");
        ZapiszPlik(Tmp(QStringLiteral("szablony/Szablon drogowy.doc")), "#NR_ST#");
        ZapiszPlik(Tmp(QStringLiteral("lista/B-01.doc")), "dokument");
        FZestaw.SpisSpecyfikacji()->Add(std::make_unique<TSpecyfikacja>(QStringLiteral("B-01"), false, false, QString(),
                                                                        Tmp(QStringLiteral("lista/B-01.doc")),
                                                                        QStringLiteral("Roboty murowe")));
        auto kod = std::make_unique<TKodCpv>();
        kod->Kod = QStringLiteral("45262500-6");
        kod->Opis = QStringLiteral("Roboty murarskie");
        FKodyCpv.push_back(std::move(kod));
        FLogika = std::make_unique<TTworzenieSpecyfikacjiDialogu>(
            QStringLiteral("B-01.01"), QStringLiteral("Mury z cegły"), nullptr,
            std::vector<std::shared_ptr<const TJmSpecyfikacji>>{}, FZestaw, Konfiguracja(), FEdytor, FUzytkownik,
            std::move(FKodyCpv));
        FForm = std::make_unique<::TTworzenieSpecyfikacjiForm>(*FLogika, nullptr);
    }

    QString Tmp(const QString& wzgledna) const { return FTmp.path() + QLatin1Char('/') + wzgledna; }
    template <typename T> T* Kontrolka(const char* nazwa) const
    {
        T* k = FForm->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }

    QTemporaryDir FTmp;
    TZestawST FZestaw;
    TListaKodowCpv FKodyCpv;
    TEdytorTestowy FEdytor;
    TUzytkownikSkryptowy FUzytkownik;
    std::unique_ptr<TTworzenieSpecyfikacjiDialogu> FLogika;
    std::unique_ptr<::TTworzenieSpecyfikacjiForm> FForm;
};

TEST_F(TworzenieSpecyfikacjiForm, KontrolkiWedlugLogiki)
{
    auto* podstawy = Kontrolka<QComboBox>("Podstawy");
    auto* stworz = Kontrolka<QPushButton>("Stworz");
    auto* otworz = Kontrolka<QCheckBox>("OtworzPlik");
    EXPECT_TRUE(Kontrolka<QRadioButton>("Szablonu")->isChecked());
    EXPECT_EQ(podstawy->count(), 2);
    EXPECT_EQ(podstawy->currentIndex(), -1);
    EXPECT_EQ(podstawy->placeholderText(), QStringLiteral("Wybierz szablon"));
    EXPECT_FALSE(stworz->isEnabled());
    EXPECT_FALSE(Kontrolka<QToolButton>("InnySpis")->isEnabled());
    EXPECT_TRUE(otworz->isChecked());
    EXPECT_FALSE(otworz->isEnabled());
    EXPECT_EQ(Kontrolka<QTextEdit>("Tytul")->toPlainText(), QStringLiteral("Mury z cegły"));
    EXPECT_EQ(Kontrolka<QLineEdit>("Folder")->text(), Tmp(QStringLiteral("z szablonu")));
    podstawy->setCurrentIndex(0);
    EXPECT_TRUE(stworz->isEnabled());
    ZapiszZrzut(FForm.get(), QStringLiteral("tworzenie-specyfikacji"));

    Kontrolka<QRadioButton>("IstniejacejSpecyfikacji")->click();
    EXPECT_EQ(podstawy->count(), 1);
    EXPECT_EQ(podstawy->currentIndex(), 0);
    EXPECT_TRUE(stworz->isEnabled());
    EXPECT_TRUE(Kontrolka<QToolButton>("InnySpis")->isEnabled());
    EXPECT_TRUE(otworz->isEnabled());
    for (const char* nazwa : {"WstawTytul", "WstawJednostki", "WstawKodyCpv"}) {
        EXPECT_FALSE(Kontrolka<QCheckBox>(nazwa)->isChecked()) << nazwa;
        EXPECT_FALSE(Kontrolka<QCheckBox>(nazwa)->isEnabled()) << nazwa;
    }
    EXPECT_EQ(Kontrolka<QLineEdit>("Folder")->text(), Tmp(QStringLiteral("lista")));

    QString tytulWyboru;
    FForm->WybierzFolder = [&](QWidget*, const QString& tytul, const QString&) {
        tytulWyboru = tytul;
        return Tmp(QStringLiteral("moje"));
    };
    Kontrolka<QPushButton>("ZmienFolder")->click();
    EXPECT_EQ(tytulWyboru, QStringLiteral("Wybierz lokalizację docelową"));
    EXPECT_EQ(Kontrolka<QLineEdit>("Folder")->text(), Tmp(QStringLiteral("moje")));
}

TEST_F(TworzenieSpecyfikacjiForm, KodyJednostkiIStworzenie)
{
    FForm->WybierzKodyCpv = [](QWidget*, TListaKodowCpv& kody) {
        kody[0]->Checked = true;
        return true;
    };
    Kontrolka<QPushButton>("WybierzKodyCpv")->click();
    auto* kody = Kontrolka<QTableWidget>("KodyCpv");
    ASSERT_EQ(kody->rowCount(), 1);
    EXPECT_EQ(kody->item(0, 1)->text(), QStringLiteral("Roboty murarskie"));
    kody->setCurrentCell(0, 0);
    QTest::keyClick(kody, Qt::Key_Delete);
    EXPECT_EQ(kody->rowCount(), 0);
    EXPECT_FALSE(FLogika->DrzewaKodowCpv()[0]->Checked);

    Kontrolka<QToolButton>("DodajJednostke")->click();
    auto* jednostki = Kontrolka<QTableWidget>("Jednostki");
    ASSERT_EQ(jednostki->rowCount(), 1);
    // The new row's name is being edited, with the program's units offered.
    auto* nazwa = jednostki->findChild<QComboBox*>(QStringLiteral("NazwaJm"));
    ASSERT_NE(nazwa, nullptr);
    EXPECT_GE(nazwa->findText(QStringLiteral("m3")), 0);
    nazwa->setCurrentText(QStringLiteral("m3"));
    QTest::keyClick(nazwa, Qt::Key_Return);
    QApplication::processEvents(); // the editor is closed through a queued call
    EXPECT_EQ(jednostki->item(0, 0)->text(), QStringLiteral("m3"));
    jednostki->item(0, 1)->setText(QStringLiteral("mur"));
    ASSERT_EQ(FLogika->Jednostki().size(), 1u);
    EXPECT_EQ(FLogika->Jednostki()[0].Opis, QStringLiteral("mur"));

    Kontrolka<QComboBox>("Podstawy")->setCurrentIndex(1);
    Kontrolka<QPushButton>("Stworz")->click();
    EXPECT_EQ(FForm->result(), QDialog::Accepted);
    const QString plik = Tmp(QStringLiteral("z szablonu/B-01.01 Mury z cegły.doc"));
    EXPECT_EQ(CzytajPlik(plik), QByteArray("B-01.01 Mury z cegły m3 mur "));
    EXPECT_EQ(FUzytkownik.Zapis, QStringList{QStringLiteral("uruchom: ") + plik});
}

} // namespace
