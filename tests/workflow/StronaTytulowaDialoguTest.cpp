// The logic of "Strona tytułowa zestawu": the preselected choice, the checks of OK, the copy of the template.
#include "workflow/StronaTytulowaDialogu.h"

#include "UzytkownikSkryptowy.h"

#include "app/MyPath.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QTemporaryDir>

namespace {

class StronaTytulowaDialogu : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().SetUserPath(Katalog.path());
        ZapiszPlik(Katalog.filePath(QStringLiteral("szablony/strona.doc")), "szablon");
        Konfiguracja().SetPierwszaStronaDocTemplate(QStringLiteral("%USERPATH%/szablony/strona.doc"));
    }
    std::unique_ptr<TStronaTytulowaDialogu> Dialog(bool brak)
    {
        return std::make_unique<TStronaTytulowaDialogu>(brak, Konfiguracja(), Zestaw, Uzytkownik);
    }

    QTemporaryDir Katalog;
    TZestawST Zestaw;
    TUzytkownikSkryptowy Uzytkownik;
};

TEST_F(StronaTytulowaDialogu, WyborPoczatkowyIDostepnosc)
{
    const struct
    {
        bool Brak;
        bool WlasnyIstnieje;
        TWyborStronyTytulowej::TRodzaj Rodzaj;
    } przypadki[] = {
        {false, false, TWyborStronyTytulowej::SzablonProgramu},
        {false, true, TWyborStronyTytulowej::PlikZDysku},
        {true, false, TWyborStronyTytulowej::PlikZDysku},
    };
    for (const auto& p : przypadki) {
        const QString wlasny = Katalog.filePath(QStringLiteral("wlasna.doc"));
        Zestaw.GetKonfiguracja()->GetPierwszaStronaDocTemplate()->SetPath(wlasny);
        QFile::remove(wlasny);
        if (p.WlasnyIstnieje)
            ZapiszPlik(wlasny, "x");
        const auto d = Dialog(p.Brak);
        EXPECT_EQ(d->Rodzaj, p.Rodzaj) << p.Brak << p.WlasnyIstnieje;
        EXPECT_EQ(d->CzySzablonProgramuDostepny(), !p.Brak);
        EXPECT_EQ(d->CzyUstawJakoSzablonDostepny(), p.Brak);
        EXPECT_EQ(d->DialogPliku().Folder, Katalog.path());
    }
}

TEST_F(StronaTytulowaDialogu, UtworzenieZSzablonuZapisujeZestawIPytaONadpisanie)
{
    auto d = Dialog(false);
    d->Rodzaj = TWyborStronyTytulowej::UtworzonyZSzablonu;
    Uzytkownik.Pytania[QStringLiteral("Przed utworzeniem pliku strony tytułowej należy zapisać zestaw.")] = {false,
                                                                                                             true};
    EXPECT_FALSE(d->Ok());
    Uzytkownik.DoZapisu.push_back(Katalog.filePath(QStringLiteral("budowa.zst")));
    ASSERT_TRUE(d->Ok());
    const QString nowy = Katalog.filePath(QStringLiteral("szablony/strona_budowa.doc"));
    EXPECT_EQ(CzytajPlik(nowy), QByteArray("szablon"));
    EXPECT_TRUE(QFileInfo::exists(Katalog.filePath(QStringLiteral("budowa.zst"))));
    const TWyborStronyTytulowej w = d->Wynik();
    EXPECT_EQ(w.Rodzaj, TWyborStronyTytulowej::UtworzonyZSzablonu);
    EXPECT_EQ(w.Plik, nowy);
    EXPECT_TRUE(w.OtworzUtworzony);
    EXPECT_FALSE(w.UstawJakoSzablon) << "the box is off while the program has a template";

    ZapiszPlik(nowy, "zmieniony");
    Uzytkownik.Pytania[QStringLiteral("Plik strony tytułowej zestawu istnieje \r\n(strona_budowa.doc).")] = {false};
    auto drugi = Dialog(false);
    drugi->Rodzaj = TWyborStronyTytulowej::UtworzonyZSzablonu;
    EXPECT_FALSE(drugi->Ok());
    EXPECT_EQ(CzytajPlik(nowy), QByteArray("zmieniony"));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(StronaTytulowaDialogu, PlikZDyskuMusiIstniec)
{
    auto d = Dialog(true);
    d->UstawJakoSzablon = true;
    d->Plik = Katalog.filePath(QStringLiteral("brak.doc"));
    EXPECT_FALSE(d->Ok());
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("komunikat: Proszę wybrać plik strony tytułowej.")});

    const QString plik = Katalog.filePath(QStringLiteral("inna.doc"));
    ZapiszPlik(plik, "x");
    Uzytkownik.DoOtwarcia = {{}, {plik}};
    EXPECT_FALSE(d->Przegladaj()) << "cancelled";
    EXPECT_TRUE(d->Przegladaj());
    const TWyborStronyTytulowej w = d->Wynik();
    EXPECT_EQ(w.Rodzaj, TWyborStronyTytulowej::PlikZDysku);
    EXPECT_EQ(w.Plik, plik);
    EXPECT_TRUE(w.UstawJakoSzablon);
    EXPECT_FALSE(w.OtworzUtworzony);
}

} // namespace
