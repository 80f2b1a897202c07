#include "authoring/TworzenieSpecyfikacji.h"

#include "authoring/EdytorTestowy.h"
#include "specs/JmSpecyfikacji.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

const QByteArray TrescSzablonu = "Nr: #NR_ST#\nTytuł: #TYTUL_ST#\nJM:\n#JM#\nCPV:\n#KODY_CPV#\nKoniec #NR_ST#\n";

QString TekstSystemowy(int kod)
{
    return QString::fromLocal8Bit(std::strerror(kod));
}

class TworzenieSpecyfikacji : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FTmp.isValid());
        FSzablon = Tmp(QStringLiteral("szablony/Szablon ST.doc"));
        ZapiszPlik(FSzablon, TrescSzablonu);
        FCel = Tmp(QStringLiteral("ST z szablonu/D-01/D-01.01"));
    }

    QString Tmp(const QString& wzgledna) const { return FTmp.path() + QLatin1Char('/') + wzgledna; }

    // Every dialog option ticked, with two units and two codes.
    TDaneTworzeniaSpecyfikacji Dane() const
    {
        TDaneTworzeniaSpecyfikacji d;
        d.Numer = QStringLiteral("D-01.01.01");
        d.TytulNaLiscie = QStringLiteral("Wykopy ręczne");
        d.RodzajPodstawy = TRodzajPodstawy::Szablon;
        d.PlikPodstawy = FSzablon;
        d.FolderDocelowy = FCel;
        d.CzyWstawTytul = true;
        d.Tytul = QStringLiteral("Wykopy ręczne w gruntach kat. I-III");
        d.CzyWstawJednostki = true;
        d.Jednostki = {{QStringLiteral("m3"), QStringLiteral("objętość wykopu")},
                       {QStringLiteral("m2"), QStringLiteral("powierzchnia dna")}};
        d.CzyWstawKodyCpv = true;
        d.KodyCpv = {{QStringLiteral("45112000-5"), QStringLiteral("Roboty w zakresie usuwania gleby")},
                     {QStringLiteral("45111200-0"), QStringLiteral("Roboty w zakresie przygotowania terenu")}};
        d.CzyEksportDoc = true;
        d.CzyOtworzPlik = true;
        return d;
    }

    QString NowyPlik() const { return FCel + QStringLiteral("/D-01.01.01 Wykopy ręczne.doc"); }

    // Names of every entry of the folder, hidden ones included.
    static QStringList Wpisy(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                      QDir::Name);
    }

    QTemporaryDir FTmp;
    QString FSzablon;
    QString FCel;
    TEdytorTestowy FEdytor;
};

TEST_F(TworzenieSpecyfikacji, SzablonWypelnionyWszystkimiOpcjami)
{
    TTworzenieSpecyfikacji tworzenie(FEdytor);
    const TWynikTworzeniaSpecyfikacji wynik = tworzenie.Stworz(Dane());

    EXPECT_EQ(wynik.StworzonyPlikStPath, NowyPlik());
    EXPECT_TRUE(wynik.CzyOtworzPoUtworzeniu);
    EXPECT_EQ(QString::fromUtf8(CzytajPlik(NowyPlik())),
              QStringLiteral("Nr: D-01.01.01\nTytuł: Wykopy ręczne w gruntach kat. I-III\nJM:\n"
                             "m3 objętość wykopu\nm2 powierzchnia dna\nCPV:\n"
                             "Roboty w zakresie usuwania gleby (45112000-5)\n"
                             "Roboty w zakresie przygotowania terenu (45111200-0)\nKoniec D-01.01.01\n"));
    // The template itself is untouched and nothing but the new document is left in the folder.
    EXPECT_EQ(CzytajPlik(FSzablon), TrescSzablonu);
    EXPECT_EQ(Wpisy(FCel), QStringList{QFileInfo(NowyPlik()).fileName()});

    ASSERT_EQ(wynik.StworzoneJednostki.size(), 2u);
    EXPECT_EQ(wynik.StworzoneJednostki[0]->Jm(), QStringLiteral("m3"));
    EXPECT_EQ(wynik.StworzoneJednostki[0]->Opis(), QStringLiteral("objętość wykopu"));
    EXPECT_TRUE(wynik.StworzoneJednostki[0]->Eksportuj());
    EXPECT_EQ(wynik.StworzoneJednostki[1]->Jm(), QStringLiteral("m2"));
    EXPECT_TRUE(wynik.StworzoneJednostki[1]->Eksportuj());
}

// The placeholders are replaced in their order, and the document is filled before it gets its name: the
// editor works on a copy beside it that keeps the extension.
TEST_F(TworzenieSpecyfikacji, KolejnoscWywolanEdytora)
{
    TTworzenieSpecyfikacji tworzenie(FEdytor);
    tworzenie.Stworz(Dane());

    ASSERT_EQ(FEdytor.OtwartePliki.size(), 1);
    const QFileInfo otwarty(FEdytor.OtwartePliki[0]);
    EXPECT_EQ(otwarty.absolutePath(), FCel);
    EXPECT_EQ(otwarty.suffix(), QStringLiteral("doc"));
    EXPECT_NE(otwarty.absoluteFilePath(), NowyPlik());
    EXPECT_FALSE(otwarty.exists());
    EXPECT_EQ(FEdytor.Wywolania,
              (QStringList{
                  QStringLiteral("Otworz|") + FEdytor.OtwartePliki[0],
                  QStringLiteral("ZnajdzZamien|#NR_ST#|D-01.01.01"),
                  QStringLiteral("ZnajdzZamien|#TYTUL_ST#|Wykopy ręczne w gruntach kat. I-III"),
                  QStringLiteral("ZnajdzZamien|#JM#|m3 objętość wykopu\nm2 powierzchnia dna"),
                  QStringLiteral("ZnajdzZamien|#KODY_CPV#|Roboty w zakresie usuwania gleby (45112000-5)\n"
                                 "Roboty w zakresie przygotowania terenu (45111200-0)"),
                  QStringLiteral("ZapiszIZamknij"),
              }));
}

TEST_F(TworzenieSpecyfikacji, OpcjeNiezaznaczoneUsuwajaZnaczniki)
{
    TDaneTworzeniaSpecyfikacji d = Dane();
    d.CzyWstawTytul = false;
    d.CzyWstawJednostki = false;
    d.CzyWstawKodyCpv = false;
    TTworzenieSpecyfikacji tworzenie(FEdytor);
    const TWynikTworzeniaSpecyfikacji wynik = tworzenie.Stworz(d);

    EXPECT_EQ(FEdytor.Wywolania.mid(1), (QStringList{
                                            QStringLiteral("ZnajdzZamien|#NR_ST#|D-01.01.01"),
                                            QStringLiteral("ZnajdzZamien|#TYTUL_ST#|"),
                                            QStringLiteral("ZnajdzZamien|#JM#|"),
                                            QStringLiteral("ZnajdzZamien|#KODY_CPV#|"),
                                            QStringLiteral("ZapiszIZamknij"),
                                        }));
    EXPECT_EQ(QString::fromUtf8(CzytajPlik(wynik.StworzonyPlikStPath)),
              QStringLiteral("Nr: D-01.01.01\nTytuł: \nJM:\n\nCPV:\n\nKoniec D-01.01.01\n"));
    EXPECT_TRUE(wynik.StworzoneJednostki.empty());
}

TEST_F(TworzenieSpecyfikacji, TekstyJednostekIKodow)
{
    const struct
    {
        const char* Opis;
        bool Zaznaczone;
        std::vector<TJednostkaDoWstawienia> Jednostki;
        std::vector<TKodCpvDoWstawienia> Kody;
        QString TekstJm;
        QString TekstCpv;
    } przypadki[] = {
        {"zaznaczone bez wierszy", true, {}, {}, QString(), QString()},
        {"niezaznaczone z wierszami",
         false,
         {{"m", "długość"}},
         {{"45000000-7", "Roboty budowlane"}},
         QString(),
         QString()},
        {"jeden wiersz",
         true,
         {{"m", "długość"}},
         {{"45000000-7", "Roboty budowlane"}},
         QStringLiteral("m długość"),
         QStringLiteral("Roboty budowlane (45000000-7)")},
        {"puste wiersze pominięte",
         true,
         {{"", ""}, {"szt.", ""}, {"  ", " "}, {"", "komplet"}},
         {{"", ""}, {"45000000-7", ""}},
         QStringLiteral("szt. \n komplet"),
         QStringLiteral(" (45000000-7)")},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        TDaneTworzeniaSpecyfikacji d;
        d.CzyWstawJednostki = p.Zaznaczone;
        d.CzyWstawKodyCpv = p.Zaznaczone;
        d.Jednostki = p.Jednostki;
        d.KodyCpv = p.Kody;
        EXPECT_EQ(TTworzenieSpecyfikacji::TekstJednostek(d), p.TekstJm);
        EXPECT_EQ(TTworzenieSpecyfikacji::TekstKodowCpv(d), p.TekstCpv);
    }
}

TEST_F(TworzenieSpecyfikacji, PusteWierszeJednostekNieTworzaJednostek)
{
    TDaneTworzeniaSpecyfikacji d = Dane();
    d.Jednostki = {{QString(), QString()}, {QStringLiteral("t"), QString()}};
    TTworzenieSpecyfikacji tworzenie(FEdytor);
    const TWynikTworzeniaSpecyfikacji wynik = tworzenie.Stworz(d);
    ASSERT_EQ(wynik.StworzoneJednostki.size(), 1u);
    EXPECT_EQ(wynik.StworzoneJednostki[0]->Jm(), QStringLiteral("t"));
    EXPECT_EQ(wynik.StworzoneJednostki[0]->Opis(), QString());
}

TEST_F(TworzenieSpecyfikacji, BezFolderuDocelowegoOdmowa)
{
    const struct
    {
        const char* Regula;
        const char* Wlasny;
    } przypadki[] = {{"", ""}, {"  ", ""}, {"", "   "}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << '"' << p.Regula << "\" \"" << p.Wlasny << '"');
        TDaneTworzeniaSpecyfikacji d = Dane();
        d.FolderDocelowy = QString::fromUtf8(p.Regula);
        d.WybranaWlasnaSciezka = QString::fromUtf8(p.Wlasny);
        TTworzenieSpecyfikacji tworzenie(FEdytor);
        try {
            tworzenie.Stworz(d);
            ADD_FAILURE() << "brak wyjątku";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QStringLiteral("Proszę wybrać ścieżkę docelową"));
        }
    }
    EXPECT_TRUE(FEdytor.Wywolania.isEmpty());
}

TEST_F(TworzenieSpecyfikacji, WlasnyFolderWygrywaZRegula)
{
    const struct
    {
        QString Regula;
        QString Wlasny;
        QString Oczekiwany;
    } przypadki[] = {
        {Tmp(QStringLiteral("regula 1")), Tmp(QStringLiteral("wlasny 1")), Tmp(QStringLiteral("wlasny 1"))},
        {QString(), Tmp(QStringLiteral("wlasny 2/")), Tmp(QStringLiteral("wlasny 2"))},
        {Tmp(QStringLiteral("regula 3")), QString(), Tmp(QStringLiteral("regula 3"))},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Oczekiwany.toStdString());
        TDaneTworzeniaSpecyfikacji d = Dane();
        d.FolderDocelowy = p.Regula;
        d.WybranaWlasnaSciezka = p.Wlasny;
        TTworzenieSpecyfikacji tworzenie(FEdytor);
        const QString plik = tworzenie.Stworz(d).StworzonyPlikStPath;
        EXPECT_EQ(plik, p.Oczekiwany + QStringLiteral("/D-01.01.01 Wykopy ręczne.doc"));
        EXPECT_TRUE(QFileInfo(plik).isFile());
    }
    // The rule's folder of the first case was passed over and never made.
    EXPECT_FALSE(QFileInfo::exists(Tmp(QStringLiteral("regula 1"))));
}

TEST_F(TworzenieSpecyfikacji, NazwaNowegoPliku)
{
    const struct
    {
        const char* Numer;
        const char* Tytul;
        const char* Podstawa;
        const char* Nazwa; // nullptr: refused
    } przypadki[] = {
        {"D-01.01", "Wykopy", "/s/Szablon.doc", "D-01.01 Wykopy.doc"},
        {" D-01.01 ", "Wykopy  ", "/s/Szablon.doc", "D-01.01  Wykopy.doc"},
        {"D-01.01", "", "/s/Szablon.odt", "D-01.01.odt"},
        {"D-01.01", "Wykopy", "/s/Wielkie.DOCX", "D-01.01 Wykopy.DOCX"},
        {"D-01.01", "Wykopy", "/s/wersja.2.docx", "D-01.01 Wykopy.docx"},
        {"D-01.01", "Wykopy", "/s.d/bez", "D-01.01 Wykopy"},
        {"D-01.01", "Nawierzchnie 5/10 cm", "/s/a.doc", "D-01.01 Nawierzchnie 5_10 cm.doc"},
        {"", "../../etc/passwd", "/s/a.doc", ".._.._etc_passwd.doc"},
        {"", "..", "/s/a.doc", nullptr},
        {"  ", "  ", "/s/a.doc", nullptr},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.Numer << " | " << p.Tytul << " | " << p.Podstawa);
        const auto sciezka = [&] {
            return TTworzenieSpecyfikacji::SciezkaNowegoPliku(QStringLiteral("/cel/"), QString::fromUtf8(p.Numer),
                                                              QString::fromUtf8(p.Tytul),
                                                              QString::fromUtf8(p.Podstawa));
        };
        if (!p.Nazwa) {
            EXPECT_THROW(sciezka(), EBlad);
            continue;
        }
        EXPECT_EQ(sciezka(), QStringLiteral("/cel/") + QString::fromUtf8(p.Nazwa));
    }
}

TEST_F(TworzenieSpecyfikacji, IstniejacaSpecyfikacjaKopiowanaBezEdycji)
{
    const QString istniejaca = Tmp(QStringLiteral("lista/D-02.01 Inna.odt"));
    ZapiszPlik(istniejaca, "treść #NR_ST# bez zmian");
    TDaneTworzeniaSpecyfikacji d = Dane();
    d.RodzajPodstawy = TRodzajPodstawy::IstniejacaSpecyfikacja;
    d.PlikPodstawy = istniejaca;
    TTworzenieSpecyfikacji tworzenie(FEdytor);
    const TWynikTworzeniaSpecyfikacji wynik = tworzenie.Stworz(d);

    EXPECT_EQ(wynik.StworzonyPlikStPath, FCel + QStringLiteral("/D-01.01.01 Wykopy ręczne.odt"));
    EXPECT_EQ(CzytajPlik(wynik.StworzonyPlikStPath), QByteArray("treść #NR_ST# bez zmian"));
    EXPECT_TRUE(FEdytor.Wywolania.isEmpty());
    EXPECT_TRUE(wynik.StworzoneJednostki.empty());
    EXPECT_EQ(Wpisy(FCel), QStringList{QStringLiteral("D-01.01.01 Wykopy ręczne.odt")});
}

TEST_F(TworzenieSpecyfikacji, OtwarciePoUtworzeniu)
{
    const struct
    {
        TRodzajPodstawy Rodzaj;
        bool CzyEksportDoc;
        bool CzyOtworzPlik;
        bool Wynik;
    } przypadki[] = {
        {TRodzajPodstawy::Szablon, true, true, true},
        {TRodzajPodstawy::Szablon, false, true, false},
        {TRodzajPodstawy::Szablon, true, false, false},
        {TRodzajPodstawy::IstniejacaSpecyfikacja, false, true, true},
        {TRodzajPodstawy::IstniejacaSpecyfikacja, true, true, true},
        {TRodzajPodstawy::IstniejacaSpecyfikacja, true, false, false},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(p.Rodzaj) << p.CzyEksportDoc << p.CzyOtworzPlik);
        TDaneTworzeniaSpecyfikacji d = Dane();
        d.RodzajPodstawy = p.Rodzaj;
        d.CzyEksportDoc = p.CzyEksportDoc;
        d.CzyOtworzPlik = p.CzyOtworzPlik;
        TTworzenieSpecyfikacji tworzenie(FEdytor);
        EXPECT_EQ(tworzenie.Stworz(d).CzyOtworzPoUtworzeniu, p.Wynik);
    }
}

TEST_F(TworzenieSpecyfikacji, IstniejacyPlikNadpisany)
{
    ZapiszPlik(NowyPlik(), "stara treść, dłuższa niż nowa, aby resztki było widać ................................"
                           "...............................................................................");
    TTworzenieSpecyfikacji tworzenie(FEdytor);
    tworzenie.Stworz(Dane());
    EXPECT_TRUE(CzytajPlik(NowyPlik()).startsWith("Nr: D-01.01.01\n"));
    EXPECT_TRUE(CzytajPlik(NowyPlik()).endsWith("Koniec D-01.01.01\n"));
    EXPECT_EQ(Wpisy(FCel).size(), 1);
}

TEST_F(TworzenieSpecyfikacji, PodstawaNieZostajeNadpisana)
{
    TDaneTworzeniaSpecyfikacji d = Dane();
    d.FolderDocelowy = QFileInfo(FSzablon).absolutePath();
    d.Numer = QStringLiteral("Szablon");
    d.TytulNaLiscie = QStringLiteral("ST");
    TTworzenieSpecyfikacji tworzenie(FEdytor);
    EXPECT_THROW(tworzenie.Stworz(d), EBlad);
    EXPECT_EQ(CzytajPlik(FSzablon), TrescSzablonu);
    EXPECT_TRUE(FEdytor.Wywolania.isEmpty());
    EXPECT_EQ(Wpisy(d.FolderDocelowy), QStringList{QStringLiteral("Szablon ST.doc")});
}

// A copy that fails reports the system's reason and leaves nothing behind.
TEST_F(TworzenieSpecyfikacji, NieudaneKopiowanie)
{
    ZapiszPlik(Tmp(QStringLiteral("zwykly plik")), "x");
    const struct
    {
        const char* Opis;
        QString Podstawa;
        QString Folder;
        int Kod;
    } przypadki[] = {
        {"brak podstawy", Tmp(QStringLiteral("szablony/nie ma.doc")), FCel, ENOENT},
        {"folder pod zwykłym plikiem", FSzablon, Tmp(QStringLiteral("zwykly plik/ST")), ENOTDIR},
        {"podstawa jest folderem", Tmp(QStringLiteral("szablony")), FCel, 0},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        TDaneTworzeniaSpecyfikacji d = Dane();
        d.PlikPodstawy = p.Podstawa;
        d.FolderDocelowy = p.Folder;
        TTworzenieSpecyfikacji tworzenie(FEdytor);
        try {
            tworzenie.Stworz(d);
            ADD_FAILURE() << "brak wyjątku";
        } catch (const EBlad& e) {
            if (p.Kod) {
                EXPECT_TRUE(e.Komunikat().endsWith(TekstSystemowy(p.Kod))) << e.what();
            }
        }
        EXPECT_TRUE(FEdytor.Wywolania.isEmpty());
        if (QFileInfo(p.Folder).isDir()) {
            EXPECT_EQ(Wpisy(p.Folder), QStringList());
        }
    }
    EXPECT_EQ(CzytajPlik(Tmp(QStringLiteral("zwykly plik"))), QByteArray("x"));
}

// A failure of the document application at any step propagates; neither the half-made document nor
// the temporary copy stays, and an earlier file of the same name is kept as it was.
TEST_F(TworzenieSpecyfikacji, BladEdytoraNaKazdymKroku)
{
    for (const bool byl : {false, true}) {
        for (int krok = 0; krok < 6; ++krok) {
            SCOPED_TRACE(testing::Message() << "krok " << krok << (byl ? ", plik był" : ""));
            QDir(FCel).removeRecursively();
            if (byl)
                ZapiszPlik(NowyPlik(), "poprzednia wersja");
            TEdytorTestowy edytor;
            edytor.BladPrzyWywolaniu = krok;
            TTworzenieSpecyfikacji tworzenie(edytor);
            try {
                tworzenie.Stworz(Dane());
                ADD_FAILURE() << "brak wyjątku";
            } catch (const EBlad& e) {
                EXPECT_EQ(e.Komunikat(), TEdytorTestowy::KomunikatBledu);
            }
            EXPECT_EQ(edytor.Wywolania.size(), krok + 1);
            if (byl) {
                EXPECT_EQ(Wpisy(FCel), QStringList{QFileInfo(NowyPlik()).fileName()});
                EXPECT_EQ(CzytajPlik(NowyPlik()), QByteArray("poprzednia wersja"));
            } else {
                EXPECT_EQ(Wpisy(FCel), QStringList());
            }
        }
    }
}

TEST_F(TworzenieSpecyfikacji, BezPodstawyOdmowa)
{
    TDaneTworzeniaSpecyfikacji d = Dane();
    d.PlikPodstawy.clear();
    TTworzenieSpecyfikacji tworzenie(FEdytor);
    EXPECT_THROW(tworzenie.Stworz(d), EBlad);
    EXPECT_FALSE(QFileInfo::exists(FCel));
}

} // namespace
