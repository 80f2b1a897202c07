// Edge cases of packing and unpacking, on small sets and lists written here.

#include "archive/PomocnikArchiwizatora.h"

#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "archive/Archiwum.h"
#include "archive/ListaBrakowPlikow.h"
#include "archive/PathLengthValidator.h"
#include "archive/ZestawArchiwizator.h"

#include <QFile>

namespace {

class TKrawedzieArchiwizatora : public TTestArchiwizatora
{
protected:
    // Unpacks into the folder with the structure; returns the unpacked file's path.
    QString Rozpakuj(const QString& archiwum, const QString& folder, int struktura = 0, bool nadpisuj = false,
                     bool lista = false)
    {
        TOpcjeEkstrakcjiArchiwum opcje = OpcjeUzytkownika();
        opcje.SetFolderDocelowy(folder);
        opcje.StrukturaFolderow = struktura;
        opcje.CzyNadpisuj = nadpisuj;
        TZestawArchiwizator a(opcje);
        QString wynik;
        if (lista)
            a.RozpakujArchiwumSpisuSt(archiwum, wynik);
        else
            a.RozpakujArchiwumZestawu(archiwum, wynik);
        return wynik;
    }

    static QString Komunikat(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const EBlad& e) {
            return e.Komunikat();
        }
        return {};
    }
};

// Both layouts of estimates: the old single one under the root and the current "kosztorysy".
struct TUklad
{
    const char* Nazwa;
    const char* Zestaw;
};

class TUkladyKosztorysow : public TKrawedzieArchiwizatora, public ::testing::WithParamInterface<TUklad>
{
};

TEST_P(TUkladyKosztorysow, BrakujacyKosztorysZostajeZeSciezka)
{
    ZapiszPlik(Uzytkownika(QStringLiteral("k/jest.rds")), QByteArray("RDS"));
    ZapiszXml(Uzytkownika(QStringLiteral("z.zst")), GetParam().Zestaw);
    TZestawArchiwizator a(OpcjeUzytkownika());
    const TListyBrakow braki = a.GetListyBrakow(Uzytkownika(QStringLiteral("z.zst")));
    ASSERT_EQ(braki.size(), 1u);
    EXPECT_EQ(braki[0]->NazwaListy(), QStringLiteral("Kosztorys"));
    ASSERT_EQ(braki[0]->Count(), 1);
    EXPECT_EQ(braki[0]->Get(0), Uzytkownika(QStringLiteral("k/brak.rds")));

    a.StworzArchiwumZestawu(Uzytkownika(QStringLiteral("z.zst")), Tmp(QStringLiteral("z.azst")));
    TArchiwum archiwum;
    archiwum.Otworz(Tmp(QStringLiteral("z.azst")));
    EXPECT_EQ(archiwum.GetListaPlikow(), (QStringList{QStringLiteral("ZIP\\jest.rds"), QStringLiteral("z.zst")}));
    pugi::xml_document spakowany;
    ParsujXml(archiwum.WypakujPlik(QStringLiteral("z.zst")), spakowany);
    QStringList sciezki;
    for (const pugi::xpath_node& k : spakowany.select_nodes("//kosztorys"))
        sciezki << Atrybut(k.node(), "path");
    EXPECT_EQ(sciezki, (QStringList{QStringLiteral("ZIP\\jest.rds"), QStringLiteral("%USERPATH%/k/brak.rds")}));

    const QString zestaw = Rozpakuj(Tmp(QStringLiteral("z.azst")), Tmp(QStringLiteral("cel")));
    EXPECT_EQ(CzytajPlik(Tmp(QStringLiteral("cel/Dane/Kosztorysy/jest.rds"))), QByteArray("RDS"));
    pugi::xml_document po;
    WczytajPlikXml(zestaw, po);
    EXPECT_EQ(Atrybut(po.select_node("//kosztorys").node(), "path"),
              Tmp(QStringLiteral("cel/Dane/Kosztorysy/jest.rds")));
}

const TUklad Uklady[] = {
    {"Stary", R"(<zestaw><kosztorys path="%USERPATH%/k/jest.rds"/><kosztorys path="%USERPATH%/k/brak.rds"/></zestaw>)"},
    {"Biezacy", R"(<zestaw><kosztorysy><kosztorys path="%USERPATH%/k/jest.rds"/>)"
                R"(<kosztorys path="%USERPATH%/k/brak.rds"/></kosztorysy></zestaw>)"},
};

INSTANTIATE_TEST_SUITE_P(Uklady, TUkladyKosztorysow, ::testing::ValuesIn(Uklady),
                         [](const auto& uklad) { return std::string(uklad.param.Nazwa); });

TEST_F(TKrawedzieArchiwizatora, DwaRozneDokumentyJednejNazwyZostajaOsobno)
{
    ZapiszPlik(Uzytkownika(QStringLiteral("x/a.doc")), QByteArray("pierwszy"));
    ZapiszPlik(Uzytkownika(QStringLiteral("y/a.doc")), QByteArray("drugi"));
    ZapiszXml(
        Uzytkownika(QStringLiteral("l.sst")),
        R"(<sst><specyfikacja numer="A" plik="%USERPATH%/x/a.doc"/><specyfikacja numer="B" plik="%USERPATH%/y/a.doc"/>)"
        R"(<specyfikacja numer="C" plik="%USERPATH%/x/a.doc"/></sst>)");
    TZestawArchiwizator a(OpcjeUzytkownika());
    a.StworzArchiwumSpisuSt(Uzytkownika(QStringLiteral("l.sst")), Tmp(QStringLiteral("l.alst")));
    TArchiwum archiwum;
    archiwum.Otworz(Tmp(QStringLiteral("l.alst")));
    EXPECT_EQ(archiwum.GetListaPlikow(), (QStringList{QStringLiteral("ZIP\\sst\\a.doc"),
                                                      QStringLiteral("ZIP\\sst\\a (2).doc"), QStringLiteral("l.sst")}));

    // Flat: all three land in one folder; the shared document is written once.
    const QString lista = Rozpakuj(Tmp(QStringLiteral("l.alst")), Tmp(QStringLiteral("cel")), 2, false, true);
    EXPECT_EQ(lista, Tmp(QStringLiteral("cel/Dane/Listy SST/l.sst")));
    pugi::xml_document po;
    WczytajPlikXml(lista, po);
    const QString st = Tmp(QStringLiteral("cel/Specyfikacje Techniczne/"));
    QStringList pliki;
    for (pugi::xml_node s = po.document_element().child("specyfikacja"); s; s = s.next_sibling("specyfikacja"))
        pliki << Atrybut(s, "plik");
    EXPECT_EQ(pliki, (QStringList{st + QStringLiteral("a.doc"), st + QStringLiteral("a (2).doc"),
                                  st + QStringLiteral("a.doc")}));
    EXPECT_EQ(CzytajPlik(st + QStringLiteral("a.doc")), QByteArray("pierwszy"));
    EXPECT_EQ(CzytajPlik(st + QStringLiteral("a (2).doc")), QByteArray("drugi"));
}

TEST_F(TKrawedzieArchiwizatora, ZaDlugaSciezkaZestawuNiczegoNieZapisuje)
{
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("z.zst"), QByteArray("<zestaw/>"));
    archiwum.Zapisz(Tmp(QStringLiteral("z.azst")));
    const QString sufiks = QStringLiteral("/Dane/Zestawy/z.zst");
    QString cel = Tmp(QStringLiteral("c"));
    cel += QString(259 - cel.size() - sufiks.size(), QLatin1Char('d'));
    ASSERT_EQ((cel + sufiks).size(), 259);
    EXPECT_EQ(
        Komunikat([&] { Rozpakuj(Tmp(QStringLiteral("z.azst")), cel); }),
        QStringLiteral("Przy wybranym folderze docelowym zostanie przekroczona maksymalna długość ścieżki systemu "
                       "Windows dla pliku: \r\n") +
            cel + sufiks + QStringLiteral("\r\nZmień folder docelowy i spróbuj ponownie."));
    EXPECT_FALSE(QFileInfo::exists(cel));
    // One character less fits.
    cel.chop(1);
    EXPECT_EQ(Rozpakuj(Tmp(QStringLiteral("z.azst")), cel), cel + sufiks);
}

TEST_F(TKrawedzieArchiwizatora, ZaDlugaSciezkaDokumentuPodajeOpcjeEksportu)
{
    ZapiszPlik(Uzytkownika(QStringLiteral("a.doc")), QByteArray("A"));
    const QString opis(230, QLatin1Char('o'));
    ZapiszXml(
        Uzytkownika(QStringLiteral("l.sst")),
        (QStringLiteral(R"(<sst><specyfikacja numer="G" opis=")") + opis +
         QStringLiteral(R"(" grupa="true"><specyfikacja numer="A" plik="%USERPATH%/a.doc"/></specyfikacja></sst>)"))
            .toUtf8()
            .constData());
    TZestawArchiwizator a(OpcjeUzytkownika());
    a.StworzArchiwumSpisuSt(Uzytkownika(QStringLiteral("l.sst")), Tmp(QStringLiteral("l.alst")));
    const QString cel = Tmp(QStringLiteral("cel"));
    const QString k = Komunikat([&] { Rozpakuj(Tmp(QStringLiteral("l.alst")), cel, 1, false, true); });
    EXPECT_TRUE(k.endsWith(QStringLiteral("\r\nZmień opcje eksportu lub folder docelowy i spróbuj ponownie.")))
        << k.toStdString();
    EXPECT_FALSE(QFileInfo::exists(cel));
    // Structure 0 names the folder by the number alone and fits.
    EXPECT_NO_THROW(Rozpakuj(Tmp(QStringLiteral("l.alst")), cel, 0, false, true));
    EXPECT_TRUE(QFileInfo::exists(cel + QStringLiteral("/Specyfikacje Techniczne/G/a.doc")));
}

TEST_F(TKrawedzieArchiwizatora, NumerZUkosnikiemDajeFolderBezNiego)
{
    ZapiszPlik(Uzytkownika(QStringLiteral("a.doc")), QByteArray("A"));
    ZapiszXml(
        Uzytkownika(QStringLiteral("l.sst")),
        R"(<sst><specyfikacja numer=" D/01: " opis="Drogi?" grupa="true"><specyfikacja numer="A" plik="%USERPATH%/a.doc"/></specyfikacja></sst>)");
    TZestawArchiwizator a(OpcjeUzytkownika());
    a.StworzArchiwumSpisuSt(Uzytkownika(QStringLiteral("l.sst")), Tmp(QStringLiteral("l.alst")));
    Rozpakuj(Tmp(QStringLiteral("l.alst")), Tmp(QStringLiteral("c0")), 0, false, true);
    Rozpakuj(Tmp(QStringLiteral("l.alst")), Tmp(QStringLiteral("c1")), 1, false, true);
    EXPECT_EQ(PlikiWFolderze(Tmp(QStringLiteral("c0/Specyfikacje Techniczne"))),
              (QStringList{QStringLiteral("D01/a.doc"), QStringLiteral("struktura_sst.conf")}));
    EXPECT_EQ(PlikiWFolderze(Tmp(QStringLiteral("c1/Specyfikacje Techniczne"))),
              (QStringList{QStringLiteral("D01 Drogi/a.doc"), QStringLiteral("struktura_sst.conf")}));
}

TEST_F(TKrawedzieArchiwizatora, BrakujacaListaJestNaLiscieIPakowanieIdzieDalej)
{
    ZapiszPlik(Uzytkownika(QStringLiteral("k.rds")), QByteArray("K"));
    ZapiszXml(
        Uzytkownika(QStringLiteral("z.zst")),
        R"(<zestaw><kosztorysy><kosztorys path="%USERPATH%/k.rds"/></kosztorysy><sst path="%USERPATH%/brak.sst"/></zestaw>)");
    TZestawArchiwizator a(OpcjeUzytkownika());
    const TListyBrakow braki = a.GetListyBrakow(Uzytkownika(QStringLiteral("z.zst")));
    ASSERT_EQ(braki.size(), 1u);
    EXPECT_EQ(braki[0]->NazwaListy(), QStringLiteral("Specyfikacje"));
    ASSERT_EQ(braki[0]->Count(), 1);
    EXPECT_EQ(braki[0]->Get(0), Uzytkownika(QStringLiteral("brak.sst")));
    a.StworzArchiwumZestawu(Uzytkownika(QStringLiteral("z.zst")), Tmp(QStringLiteral("z.azst")));
    TArchiwum archiwum;
    archiwum.Otworz(Tmp(QStringLiteral("z.azst")));
    EXPECT_EQ(archiwum.GetListaPlikow(), (QStringList{QStringLiteral("ZIP\\k.rds"), QStringLiteral("z.zst")}));
}

TEST_F(TKrawedzieArchiwizatora, PustyLubBrakujacyZestawNieMaBrakowINieJestPakowany)
{
    TZestawArchiwizator a(OpcjeUzytkownika());
    EXPECT_TRUE(a.GetListyBrakow(Uzytkownika(QStringLiteral("nie ma.zst"))).empty());
    ZapiszPlik(Uzytkownika(QStringLiteral("pusty.zst")), QByteArray());
    EXPECT_TRUE(a.GetListyBrakow(Uzytkownika(QStringLiteral("pusty.zst"))).empty());
    EXPECT_TRUE(a.GetListaBrakowSst(Uzytkownika(QStringLiteral("nie ma.sst"))).empty());
    a.StworzArchiwumZestawu(Uzytkownika(QStringLiteral("nie ma.zst")), Tmp(QStringLiteral("x.azst")));
    a.StworzArchiwumSpisuSt(Uzytkownika(QStringLiteral("nie ma.sst")), Tmp(QStringLiteral("x.alst")));
    EXPECT_FALSE(QFileInfo::exists(Tmp(QStringLiteral("x.azst"))));
    EXPECT_FALSE(QFileInfo::exists(Tmp(QStringLiteral("x.alst"))));
}

TEST_F(TKrawedzieArchiwizatora, NadpisywanieIKomunikatyArchiwum)
{
    ZapiszPlik(Uzytkownika(QStringLiteral("a.doc")), QByteArray("A"));
    ZapiszPlik(Uzytkownika(QStringLiteral("w.doc")), QByteArray("W"));
    ZapiszXml(
        Uzytkownika(QStringLiteral("l.sst")),
        R"(<sst><specyfikacja numer="A" plik="%USERPATH%/a.doc"><warianty><wariant numer="1" plik="%USERPATH%/w.doc"/></warianty></specyfikacja></sst>)");
    TZestawArchiwizator a(OpcjeUzytkownika());
    const TListyBrakow braki = a.GetListaBrakowSst(Uzytkownika(QStringLiteral("l.sst")));
    EXPECT_TRUE(braki.empty());
    a.StworzArchiwumSpisuSt(Uzytkownika(QStringLiteral("l.sst")), Tmp(QStringLiteral("l.alst")));
    const QString cel = Tmp(QStringLiteral("cel"));
    Rozpakuj(Tmp(QStringLiteral("l.alst")), cel, 0, false, true);
    EXPECT_EQ(CzytajPlik(cel + QStringLiteral("/Specyfikacje Techniczne/w.doc")), QByteArray("W"));

    // Again without overwriting: refused at the list file; with only a variant's document present,
    // refused at that document, before anything is written.
    EXPECT_EQ(Komunikat([&] { Rozpakuj(Tmp(QStringLiteral("l.alst")), cel, 0, false, true); }),
              QStringLiteral("Plik istnieje: ") + cel + QStringLiteral("/Dane/Listy SST/l.sst"));
    ASSERT_TRUE(QFile::remove(cel + QStringLiteral("/Dane/Listy SST/l.sst")));
    ASSERT_TRUE(QFile::remove(cel + QStringLiteral("/Specyfikacje Techniczne/a.doc")));
    EXPECT_EQ(Komunikat([&] { Rozpakuj(Tmp(QStringLiteral("l.alst")), cel, 0, false, true); }),
              QStringLiteral("Plik istnieje: ") + cel + QStringLiteral("/Specyfikacje Techniczne/w.doc"));
    EXPECT_FALSE(QFileInfo::exists(cel + QStringLiteral("/Specyfikacje Techniczne/a.doc")));
    // With overwriting it goes through.
    ZapiszPlik(cel + QStringLiteral("/Specyfikacje Techniczne/w.doc"), QByteArray("stary"));
    EXPECT_EQ(Rozpakuj(Tmp(QStringLiteral("l.alst")), cel, 0, true, true),
              cel + QStringLiteral("/Dane/Listy SST/l.sst"));
    EXPECT_EQ(CzytajPlik(cel + QStringLiteral("/Specyfikacje Techniczne/w.doc")), QByteArray("W"));

    EXPECT_EQ(Komunikat([&] { Rozpakuj(Tmp(QStringLiteral("nie ma.azst")), cel); }),
              QStringLiteral("Plik nie istnieje: ") + Tmp(QStringLiteral("nie ma.azst")));
    // A list archive holds no set.
    EXPECT_EQ(Komunikat([&] { Rozpakuj(Tmp(QStringLiteral("l.alst")), cel); }),
              QStringLiteral("Wybrany plik archiwum jest nieprawidłowy."));
}

TEST_F(TKrawedzieArchiwizatora, BrakWpisuWArchiwumNiczegoNieZapisuje)
{
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("ZIP\\jest.rds"), QByteArray("K"));
    archiwum.DodajDane(QStringLiteral("z.zst"),
                       QByteArray(R"(<zestaw><kosztorysy><kosztorys path="ZIP\jest.rds"/>)"
                                  R"(<kosztorys path="ZIP\brak.rds"/></kosztorysy></zestaw>)"));
    archiwum.Zapisz(Tmp(QStringLiteral("z.azst")));
    const QString cel = Tmp(QStringLiteral("cel"));
    EXPECT_EQ(Komunikat([&] { Rozpakuj(Tmp(QStringLiteral("z.azst")), cel); }),
              QStringLiteral("Brak pliku ZIP\\brak.rds w archiwum."));
    EXPECT_FALSE(QFileInfo::exists(cel));
}

TEST_F(TKrawedzieArchiwizatora, FolderDocelowyTylkoZOpcjiArchiwizatora)
{
    // The configuration's user folder is the dialog's default, which the caller takes; an archiver given
    // no options unpacks nowhere, whatever the configuration holds.
    ZapiszXml(Uzytkownika(QStringLiteral("l.sst")), "<sst/>");
    TZestawArchiwizator bezOpcji;
    bezOpcji.StworzArchiwumSpisuSt(Uzytkownika(QStringLiteral("l.sst")), Tmp(QStringLiteral("l.alst")));
    QString wynik;
    EXPECT_EQ(Komunikat([&] { bezOpcji.RozpakujArchiwumSpisuSt(Tmp(QStringLiteral("l.alst")), wynik); }),
              QStringLiteral("Proszę wskazać folder docelowy."));
    TZestawArchiwizator zKonfiguracji(TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(Konfiguracja()));
    zKonfiguracji.RozpakujArchiwumSpisuSt(Tmp(QStringLiteral("l.alst")), wynik);
    EXPECT_EQ(wynik, Uzytkownika(QStringLiteral("Dane/Listy SST/l.sst")));
}

TEST(ListaBrakowPlikow, PosortowanaBezPowtorzen)
{
    TListaBrakowPlikow lista(QStringLiteral("Specyfikacje"));
    for (const char* s : {"/b/c.doc", "/a/z.doc", "/B/a.doc", "/a/z.doc"})
        lista.Dodaj(QString::fromUtf8(s));
    ASSERT_EQ(lista.Count(), 3);
    EXPECT_EQ(lista.Get(0), QStringLiteral("/a/z.doc"));
    EXPECT_EQ(lista.Get(1), QStringLiteral("/B/a.doc"));
    EXPECT_EQ(lista.Get(2), QStringLiteral("/b/c.doc"));
    EXPECT_EQ(lista.NazwaListy(), QStringLiteral("Specyfikacje"));
}

TEST(PathLengthValidator, Granice)
{
    const TPathLengthValidator v;
    EXPECT_TRUE(v.SprawdzSciezke(QString(258, QLatin1Char('a'))));
    EXPECT_FALSE(v.SprawdzSciezke(QString(259, QLatin1Char('a'))));
    EXPECT_TRUE(v.SprawdzFolder(QString(246, QLatin1Char('a'))));
    EXPECT_FALSE(v.SprawdzFolder(QString(247, QLatin1Char('a'))));
}

} // namespace
