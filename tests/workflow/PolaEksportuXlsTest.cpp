// The options of "Eksportuj do excela" as the controls see them: switches by name, enabling, columns.
#include "PomocnikKontrolera.h"

#include "../xls/KosztorysyTestowe.h"
#include "workflow/EksportXlsDialogu.h"
#include "workflow/PolaEksportuXls.h"
#include "xls/EksportElementuXlsOpt.h"

#include <QMap>

namespace {

class PolaEksportuXls : public TTestKontrolera
{
protected:
    void SetUp() override
    {
        TTestKontrolera::SetUp();
        Kontroler->Zestaw().AddKosztorys(
            kosztorysy_testowe::KosztorysDwaElementy(QStringLiteral("K1"), QStringLiteral("/tmp/k1.rds")));
        Dialog = std::make_unique<TEksportXlsDialogu>(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik);
    }
    void TearDown() override
    {
        Dialog.reset();
        TTestKontrolera::TearDown();
    }
    std::unique_ptr<TEksportXlsDialogu> Dialog;
};

TEST_F(PolaEksportuXls, KazdyPrzelacznikZmieniaSwojaOpcje)
{
    TPolaEksportuXls pola(*Dialog);
    const auto stan = [&] {
        QMap<QString, bool> s;
        for (const auto& p : TPolaEksportuXls::Przelaczniki())
            s.insert(p.Id, pola.Przelacznik(p.Id));
        return s;
    };
    const auto przed = stan();
    ASSERT_EQ(przed.size(), static_cast<qsizetype>(TPolaEksportuXls::Przelaczniki().size())); // names unique
    for (const auto& p : TPolaEksportuXls::Przelaczniki()) {
        EXPECT_FALSE(p.Napis.isEmpty());
        pola.UstawPrzelacznik(p.Id, !przed[p.Id]);
        auto oczekiwany = przed;
        oczekiwany[p.Id] = !przed[p.Id];
        EXPECT_EQ(stan(), oczekiwany) << p.Id.toStdString(); // only its own option moved
        pola.UstawPrzelacznik(p.Id, przed[p.Id]);
    }
    EXPECT_THROW(pola.Przelacznik(QStringLiteral("Brak")), std::out_of_range);
}

TEST_F(PolaEksportuXls, DostepnoscWedlugOpcji)
{
    TPolaEksportuXls pola(*Dialog);
    const struct
    {
        const char* Przelacznik;
        const char* Kontrolka;
    } zaleznosci[] = {
        {"Zaokraglaj", "MiejscPoPrzecinku"},
        {"WstawTytul", "Tytul"},
        {"WstawOpis", "Opis"},
        {"WstawOpis", "NaglowekZestawu"},
        {"TytulyKosztorysow", "Ustaw"},
        {"ChronArkusz", "Haslo"},
        {"PodsumowanieKoncowe", "VatWPodsumowaniu"},
        {"VatWPodsumowaniu", "StawkaVat"},
    };
    pola.UstawPrzelacznik(QStringLiteral("PodsumowanieKoncowe"), true);
    for (const auto& z : zaleznosci) {
        for (const bool wartosc : {true, false}) {
            pola.UstawPrzelacznik(QString::fromLatin1(z.Przelacznik), wartosc);
            EXPECT_EQ(pola.CzyDostepny(QString::fromLatin1(z.Kontrolka)), wartosc) << z.Kontrolka;
        }
        pola.UstawPrzelacznik(QString::fromLatin1(z.Przelacznik), true);
    }
    pola.UstawPrzelacznik(QStringLiteral("PodsumowanieKoncowe"), false);
    EXPECT_FALSE(pola.CzyDostepny(QStringLiteral("StawkaVat")));
    Konfiguracja().CzyWyswietlajCeny = false;
    EXPECT_FALSE(pola.CzyDostepny(QStringLiteral("CenyZKosztorysu")));
    Konfiguracja().CzyKorzystajZWariantow = false;
    EXPECT_FALSE(pola.CzyWidoczny(QStringLiteral("WariantWNrSt")));
    Konfiguracja().CzyKorzystajZWariantow = true;
    EXPECT_TRUE(pola.CzyWidoczny(QStringLiteral("WariantWNrSt")));
}

TEST_F(PolaEksportuXls, KolumnyWymaganeZostajaWyswietlane)
{
    TPolaEksportuXls pola(*Dialog);
    ASSERT_GT(pola.KolumnyCount(), 0);
    for (int i = 0; i < pola.KolumnyCount(); ++i) {
        EXPECT_FALSE(pola.KolumnaTytul(i).isEmpty());
        pola.UstawKolumneWyswietlana(i, false);
        EXPECT_EQ(pola.CzyKolumnaWyswietlana(i), !pola.CzyKolumnaOpcjonalna(i));
        const bool chroniona = pola.CzyKolumnaChroniona(i);
        pola.UstawKolumneChroniona(i, !chroniona);
        EXPECT_EQ(pola.CzyKolumnaChroniona(i), !chroniona);
    }
    pola.UstawMiejscPoPrzecinku(4);
    pola.UstawStawkeVat(8);
    pola.UstawTytul(QStringLiteral("T"));
    pola.UstawOpis(QStringLiteral("O"));
    EXPECT_EQ(Dialog->Opcje().IloscMiejscPoPrzecinku, 4);
    EXPECT_EQ(pola.StawkaVat(), 8);
    EXPECT_EQ(pola.Tytul(), QStringLiteral("T"));
    EXPECT_EQ(pola.Opis(), QStringLiteral("O"));
}

} // namespace
