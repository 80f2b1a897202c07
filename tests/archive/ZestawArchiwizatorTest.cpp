// Round trip of the demo set: packed with its estimates, templates, list and documents, unpacked into
// another folder with each folder structure, and opened again.

#include "archive/PomocnikArchiwizatora.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "archive/ZestawArchiwizator.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "specs/StrukturaSst.h"
#include "zestaw/ZestawST.h"

#include <QFile>

namespace {

const QString Token = QStringLiteral("%USERPATH%");

class TRoundTripZestawu : public TTestArchiwizatora, public ::testing::WithParamInterface<int>
{
protected:
    void SetUp() override
    {
        TTestArchiwizatora::SetUp();
        KopiujFolder(FolderDemo(), FUzytkownik);
        // The demo set names its own two title-page templates (Word and OpenDocument): they travel too.
        ASSERT_TRUE(CzytajPlik(PlikZestawu())
                        .contains(R"(szablonPierwszejStronyDocPath="%USERPATH%/Szablony/Strona tytułowa.doc")"));
        ASSERT_TRUE(CzytajPlik(PlikZestawu())
                        .contains(R"(szablonPierwszejStronyOdtPath="%USERPATH%/Szablony/Strona tytułowa.odt")"));
        // One estimate and one specification document go missing.
        ASSERT_TRUE(QFile::remove(Uzytkownika(QStringLiteral("ath_ulica_lipowa.ath"))));
        ASSERT_TRUE(QFile::remove(Uzytkownika(QStringLiteral("Specyfikacje/D-01.01.02.odt"))));
    }

    QString PlikZestawu() const { return Uzytkownika(QStringLiteral("Zestaw demo.zst")); }

    // The folder a group adds for the structure, as each folder structure names it.
    static QString FolderGrupy(const pugi::xml_node& w, int struktura)
    {
        if (struktura == 2 || Atrybut(w, "grupa") != QLatin1String("true"))
            return {};
        const QString nazwa = struktura == 0 ? Atrybut(w, "numer")
                                             : Atrybut(w, "numer").trimmed() + QLatin1Char(' ') + Atrybut(w, "opis");
        return UsunZnakiNiedozwolone(nazwa).trimmed();
    }

    // Walks the original and the unpacked list side by side; every document that existed is at its new
    // place (stored with the token) with the same bytes, every missing one keeps its old value.
    void PorownajSpecyfikacje(const pugi::xml_node& oryginal, const pugi::xml_node& rozpakowany, const QString& folder,
                              const QString& docelowy, int struktura, int& ileDokumentow)
    {
        pugi::xml_node r = rozpakowany.child("specyfikacja");
        for (pugi::xml_node o = oryginal.child("specyfikacja"); o; o = o.next_sibling("specyfikacja")) {
            ASSERT_TRUE(r) << "brak węzła " << Atrybut(o, "numer").toStdString();
            const QString grupa = FolderGrupy(o, struktura);
            const QString f = grupa.isEmpty() ? folder : folder + QLatin1Char('/') + grupa;
            PorownajPlik(o, r, f, docelowy, ileDokumentow);
            pugi::xml_node rw = r.child("warianty").child("wariant");
            for (pugi::xml_node ow = o.child("warianty").child("wariant"); ow; ow = ow.next_sibling("wariant")) {
                PorownajPlik(ow, rw, f, docelowy, ileDokumentow);
                rw = rw.next_sibling("wariant");
            }
            PorownajSpecyfikacje(o, r, f, docelowy, struktura, ileDokumentow);
            r = r.next_sibling("specyfikacja");
        }
    }

    void PorownajPlik(const pugi::xml_node& o, const pugi::xml_node& r, const QString& f, const QString& docelowy,
                      int& ileDokumentow)
    {
        const QString stary = Atrybut(o, "plik");
        QString zrodlo = stary;
        zrodlo.replace(Token, FUzytkownik);
        if (stary.isEmpty() || !QFileInfo(zrodlo).isFile()) {
            EXPECT_EQ(Atrybut(r, "plik"), stary);
            return;
        }
        const QString nazwa = QFileInfo(zrodlo).fileName();
        EXPECT_EQ(Atrybut(r, "plik"),
                  Token + QStringLiteral("/Specyfikacje Techniczne") + f + QLatin1Char('/') + nazwa);
        EXPECT_EQ(CzytajPlik(docelowy + QStringLiteral("/Specyfikacje Techniczne") + f + QLatin1Char('/') + nazwa),
                  CzytajPlik(zrodlo));
        ++ileDokumentow;
    }
};

TEST_P(TRoundTripZestawu, PakujeIRozpakowujeZPrzepisanymiSciezkami)
{
    const int struktura = GetParam();
    const QByteArray zestawPrzed = CzytajPlik(PlikZestawu());
    const QByteArray listaPrzed = CzytajPlik(Uzytkownika(QStringLiteral("Lista demo.sst")));
    const QByteArray szablonDoc = CzytajPlik(Uzytkownika(QStringLiteral("Szablony/Strona tytułowa.doc")));
    const QByteArray szablonOdt = CzytajPlik(Uzytkownika(QStringLiteral("Szablony/Strona tytułowa.odt")));
    ASSERT_FALSE(szablonDoc.isEmpty());
    ASSERT_FALSE(szablonOdt.isEmpty());

    TZestawArchiwizator archiwizator(OpcjeUzytkownika());
    // The missing-file lists name exactly what was removed.
    const TListyBrakow braki = archiwizator.GetListyBrakow(PlikZestawu());
    ASSERT_EQ(braki.size(), 2u);
    EXPECT_EQ(braki[0]->NazwaListy(), QStringLiteral("Kosztorys"));
    ASSERT_EQ(braki[0]->Count(), 1);
    EXPECT_EQ(braki[0]->Get(0), Uzytkownika(QStringLiteral("ath_ulica_lipowa.ath")));
    EXPECT_EQ(braki[1]->NazwaListy(), QStringLiteral("Specyfikacje"));
    ASSERT_EQ(braki[1]->Count(), 1);
    EXPECT_EQ(braki[1]->Get(0), Uzytkownika(QStringLiteral("Specyfikacje/D-01.01.02.odt")));

    const QString archiwum = Tmp(QStringLiteral("zestaw.azst"));
    archiwizator.StworzArchiwumZestawu(PlikZestawu(), archiwum);
    ASSERT_TRUE(QFileInfo(archiwum).isFile());
    // Packing never changes the files on disk.
    EXPECT_EQ(CzytajPlik(PlikZestawu()), zestawPrzed);
    EXPECT_EQ(CzytajPlik(Uzytkownika(QStringLiteral("Lista demo.sst"))), listaPrzed);

    // Unpacked in another folder, which is the user folder of the other computer.
    const QString docelowy = Tmp(QStringLiteral("inny komputer"));
    Konfiguracja().SetUserPath(docelowy);
    TOpcjeEkstrakcjiArchiwum opcje = TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(Konfiguracja());
    EXPECT_EQ(opcje.FolderDocelowy(), docelowy + QLatin1Char('/'));
    opcje.StrukturaFolderow = struktura;
    archiwizator.SetOpcjeEkstrakcji(opcje);
    QString rozpakowany;
    archiwizator.RozpakujArchiwumZestawu(archiwum, rozpakowany);
    EXPECT_EQ(rozpakowany, docelowy + QStringLiteral("/Dane/Zestawy/Zestaw demo.zst"));

    pugi::xml_document przed, po;
    WczytajPlikXml(PlikZestawu(), przed);
    WczytajPlikXml(rozpakowany, po);
    // Estimates of the current layout: every present one moved into Dane/Kosztorysy, the missing one kept.
    pugi::xml_node kp = po.document_element().child("kosztorysy").child("kosztorys");
    int ileKosztorysow = 0;
    for (pugi::xml_node k = przed.document_element().child("kosztorysy").child("kosztorys"); k;
         k = k.next_sibling("kosztorys"), kp = kp.next_sibling("kosztorys")) {
        ASSERT_TRUE(kp);
        QString zrodlo = Atrybut(k, "path");
        zrodlo.replace(Token, FUzytkownik);
        if (!QFileInfo(zrodlo).isFile()) {
            EXPECT_EQ(Atrybut(kp, "path"), Atrybut(k, "path"));
            continue;
        }
        const QString nazwa = QFileInfo(zrodlo).fileName();
        EXPECT_EQ(Atrybut(kp, "path"), Token + QStringLiteral("/Dane/Kosztorysy/") + nazwa);
        EXPECT_EQ(CzytajPlik(docelowy + QStringLiteral("/Dane/Kosztorysy/") + nazwa), CzytajPlik(zrodlo));
        ++ileKosztorysow;
    }
    EXPECT_EQ(ileKosztorysow, 4);
    // Templates.
    const pugi::xml_node konf = po.document_element().child("konfiguracja");
    EXPECT_EQ(Atrybut(konf, "szablonPierwszejStronyDocPath"),
              Token + QStringLiteral("/Dane/Szablony/Strona tytułowa.doc"));
    EXPECT_EQ(Atrybut(konf, "szablonPierwszejStronyOdtPath"),
              Token + QStringLiteral("/Dane/Szablony/Strona tytułowa.odt"));
    EXPECT_EQ(CzytajPlik(docelowy + QStringLiteral("/Dane/Szablony/Strona tytułowa.doc")), szablonDoc);
    EXPECT_EQ(CzytajPlik(docelowy + QStringLiteral("/Dane/Szablony/Strona tytułowa.odt")), szablonOdt);
    // The list and its documents.
    EXPECT_EQ(Atrybut(po.document_element().child("sst"), "path"),
              Token + QStringLiteral("/Dane/Listy SST/Lista demo.sst"));
    pugi::xml_document listaPrzedXml, listaPoXml;
    WczytajPlikXml(Uzytkownika(QStringLiteral("Lista demo.sst")), listaPrzedXml);
    WczytajPlikXml(docelowy + QStringLiteral("/Dane/Listy SST/Lista demo.sst"), listaPoXml);
    int ileDokumentow = 0;
    PorownajSpecyfikacje(listaPrzedXml.document_element(), listaPoXml.document_element(), QString(), docelowy,
                         struktura, ileDokumentow);
    // 247 documents in the demo folder, one of them removed; the demo list names 242 distinct ones.
    EXPECT_GT(ileDokumentow, 200);
    const TZnacznikStruktury znacznik = CzytajStruktureSst(docelowy + QStringLiteral("/Specyfikacje Techniczne"));
    EXPECT_TRUE(znacznik.Znaleziony);
    EXPECT_EQ(znacznik.Struktura, struktura);

    // The program opens what was unpacked.
    TUstawieniaKosztorysu naInnym;
    naInnym.KatalogUzytkownika = docelowy;
    TZestawST zestaw(naInnym);
    zestaw.Otworz(rozpakowany);
    EXPECT_EQ(zestaw.KosztorysyCount(), 5);
    EXPECT_EQ(zestaw.SpisSpecyfikacji()->GetSpisStPath()->GetPath(),
              docelowy + QStringLiteral("/Dane/Listy SST/Lista demo.sst"));
    EXPECT_EQ(zestaw.GetKonfiguracja()->GetPierwszaStronaOdtTemplate()->GetPath(),
              docelowy + QStringLiteral("/Dane/Szablony/Strona tytułowa.odt"));
    TSpisST oryginalna;
    oryginalna.UstawKatalogUzytkownika(FUzytkownik);
    oryginalna.Otworz(Uzytkownika(QStringLiteral("Lista demo.sst")));
    EXPECT_EQ(zestaw.SpisSpecyfikacji()->Count(), oryginalna.Count());
    TWariantSpecyfikacji* wariant = nullptr;
    TSpecyfikacja* ogolne = zestaw.SpisSpecyfikacji()->FindSpecyfikacjaPlik(QStringLiteral("ST-00.00.odt"), wariant);
    ASSERT_NE(ogolne, nullptr);
    EXPECT_EQ(ogolne->GetPlik(), docelowy + QStringLiteral("/Specyfikacje Techniczne/ST-00.00.odt"));
}

INSTANTIATE_TEST_SUITE_P(Struktury, TRoundTripZestawu, ::testing::Values(0, 1, 2));

// Every entry packed and every file unpacked is told; a failure thrown from the report stops the work, and
// a stopped packing writes no archive.
TEST_F(TRoundTripZestawu, PostepIZatrzymanie)
{
    TZestawArchiwizator archiwizator(OpcjeUzytkownika());
    int spakowane = 0;
    archiwizator.OnPostep = [&](int zrobione, int wszystkie) {
        EXPECT_EQ(zrobione, ++spakowane);
        EXPECT_EQ(wszystkie, 0);
    };
    const QString archiwum = Tmp(QStringLiteral("zestaw.azst"));
    archiwizator.StworzArchiwumZestawu(PlikZestawu(), archiwum);
    EXPECT_GT(spakowane, 200);

    const QString przerwane = Tmp(QStringLiteral("przerwane.azst"));
    archiwizator.OnPostep = [](int zrobione, int) {
        if (zrobione == 10)
            throw EBlad(QStringLiteral("stop"));
    };
    EXPECT_THROW(archiwizator.StworzArchiwumZestawu(PlikZestawu(), przerwane), EBlad);
    EXPECT_FALSE(QFileInfo::exists(przerwane));

    Konfiguracja().SetUserPath(Tmp(QStringLiteral("cel")));
    archiwizator.SetOpcjeEkstrakcji(TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(Konfiguracja()));
    QList<int> rozpakowane;
    int wszystkich = 0;
    archiwizator.OnPostep = [&](int zrobione, int wszystkie) {
        rozpakowane << zrobione;
        wszystkich = wszystkie;
    };
    QString zestaw;
    archiwizator.RozpakujArchiwumZestawu(archiwum, zestaw);
    EXPECT_EQ(wszystkich, spakowane);
    ASSERT_FALSE(rozpakowane.isEmpty());
    EXPECT_EQ(rozpakowane.first(), 1);
    EXPECT_EQ(rozpakowane.last(), rozpakowane.size());
    EXPECT_LE(rozpakowane.size(), wszystkich);
}

} // namespace
