// The duplicate handler and documents on disk: copying over an existing document (across folders, through
// a variant, onto itself, failing part-way), and the handler at work in a merge of list files.
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "specs/DuplikatStHandler.h"
#include "specs/DuplikatyTestowe.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Files may not grow beyond the given size while it lives: a write past it fails with EFBIG, also for
// root, which ignores access rights.
class TLimitRozmiaruPliku
{
public:
    explicit TLimitRozmiaruPliku(rlim_t bajtow)
    {
        getrlimit(RLIMIT_FSIZE, &FStary);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit nowy{bajtow, FStary.rlim_max};
        setrlimit(RLIMIT_FSIZE, &nowy);
    }
    ~TLimitRozmiaruPliku()
    {
        setrlimit(RLIMIT_FSIZE, &FStary);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    TLimitRozmiaruPliku(const TLimitRozmiaruPliku&) = delete;
    TLimitRozmiaruPliku& operator=(const TLimitRozmiaruPliku&) = delete;

private:
    rlimit FStary{};
};

class DuplikatStHandlerPliki : public TestDuplikatow
{
protected:
    // Asks about one incoming specification with the file answer given; returns whether it was consumed.
    bool ZOdpowiedzia(TOpcjaDuplikatowPliku odpowiedz, std::unique_ptr<TSpecyfikacja>& s)
    {
        Dialog.OdpowiedziPliku.push_back({odpowiedz, false});
        TDuplikatStHandler h({}, &Dialog);
        TSpecyfikacja* istniejacy = nullptr;
        bool czyPliku = false;
        return static_cast<IObslugaDuplikatowListy&>(h).CzySaDuplikaty(Spis, s, istniejacy, czyPliku);
    }
};

TEST_F(DuplikatStHandlerPliki, KopiaNaDokumentWariantu)
{
    auto s = NowaSpecyfikacja(QStringLiteral("X-01"), Plik("B/WARIANT_A.doc", "nowy wariant"));
    EXPECT_TRUE(ZOdpowiedzia(dpoNadpiszPlikIPominSt, s));
    EXPECT_EQ(Dialog.Pytania, QStringList({QStringLiteral("plik D-01.01 <- X-01")}));
    EXPECT_EQ(CzytajPlik(Sciezka("A/wariant_a.doc")), "nowy wariant");
    EXPECT_EQ(CzytajPlik(Sciezka("A/d0101.doc")), "stary 0101") << "the specification's own document is not it";
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/1/0/0"));
}

TEST_F(DuplikatStHandlerPliki, TenSamDokumentNieJestKopiowany)
{
    // The very same file, and a link to it in another folder: copying would truncate the document.
    QDir().mkpath(Sciezka("B"));
    ASSERT_TRUE(QFile::link(Sciezka("A/d0101.doc"), Sciezka("B/d0101.doc")));
    // A copy would put a new file in its place.
    const auto wezelPliku = [&] {
        struct stat st = {};
        stat(QFile::encodeName(Sciezka("A/d0101.doc")).constData(), &st);
        return st.st_ino;
    };
    const auto przed = wezelPliku();
    for (const char* sciezka : {"A/d0101.doc", "B/d0101.doc"}) {
        SCOPED_TRACE(sciezka);
        auto s = NowaSpecyfikacja(QStringLiteral("X-01"), Sciezka(sciezka));
        ASSERT_FALSE(s->GetPlik().isEmpty());
        EXPECT_TRUE(ZOdpowiedzia(dpoNadpiszPlikIPominSt, s));
        EXPECT_EQ(CzytajPlik(Sciezka("A/d0101.doc")), "stary 0101");
        EXPECT_EQ(wezelPliku(), przed);
    }
    EXPECT_EQ(PlikiW("A"),
              QStringList({QStringLiteral("d0101.doc"), QStringLiteral("d0102.doc"), QStringLiteral("wariant_a.doc")}));
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/2/0/0"));
}

TEST_F(DuplikatStHandlerPliki, NieudanaKopiaZostawiaDokumentCaly)
{
    const QByteArray duzy(256 * 1024, 'x');
    auto s = NowaSpecyfikacja(QStringLiteral("X-01"), Plik("B/d0101.doc", duzy));
    TSpecyfikacja* wezel = s.get();
    try {
        const TLimitRozmiaruPliku limit(64 * 1024);
        ZOdpowiedzia(dpoNadpiszPlikIPominSt, s);
        ADD_FAILURE() << "the copy must fail";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), qt_error_string(EFBIG));
    }
    EXPECT_EQ(s.get(), wezel);
    EXPECT_EQ(CzytajPlik(Sciezka("A/d0101.doc")), "stary 0101");
    EXPECT_EQ(PlikiW("A"),
              QStringList({QStringLiteral("d0101.doc"), QStringLiteral("d0102.doc"), QStringLiteral("wariant_a.doc")}))
        << "no temporary copy is left";
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/0/0/0"));

    // Without the limit the same copy succeeds.
    EXPECT_TRUE(ZOdpowiedzia(dpoNadpiszPlikIPominSt, s));
    EXPECT_EQ(CzytajPlik(Sciezka("A/d0101.doc")), duzy);
}

TEST_F(DuplikatStHandlerPliki, KopiujDokumentBledy)
{
    QDir().mkpath(Sciezka("B/folder.doc"));
    struct TPrzypadek
    {
        const char* Zrodlo;
        const char* Cel;
        int Blad;
    };
    const TPrzypadek przypadki[] = {
        {"B/brak.doc", "A/d0101.doc", ENOENT},
        {"A/d0102.doc", "brak/d0101.doc", ENOENT},
        {"B/folder.doc", "A/d0101.doc", EISDIR},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Zrodlo);
        try {
            KopiujPlik(Sciezka(p.Zrodlo), Sciezka(p.Cel));
            ADD_FAILURE();
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), qt_error_string(p.Blad));
        }
        EXPECT_EQ(CzytajPlik(Sciezka("A/d0101.doc")), "stary 0101");
        EXPECT_EQ(PlikiW("A").size(), 3);
    }
}

TEST_F(DuplikatStHandlerPliki, KopiujDokumentZachowujePrawaIDowiazanie)
{
    const QString cel = Sciezka("A/d0101.doc");
    ASSERT_EQ(chmod(QFile::encodeName(cel).constData(), 0640), 0);
    QDir().mkpath(Sciezka("C"));
    ASSERT_TRUE(QFile::link(cel, Sciezka("C/dowiazanie.doc")));
    KopiujPlik(Plik("B/nowy.doc", "nowa tresc"), Sciezka("C/dowiazanie.doc"));
    EXPECT_EQ(CzytajPlik(cel), "nowa tresc");
    struct stat st = {};
    ASSERT_EQ(stat(QFile::encodeName(cel).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(QFileInfo(Sciezka("C/dowiazanie.doc")).isSymLink());
    EXPECT_EQ(PlikiW("C"), QStringList({QStringLiteral("dowiazanie.doc")}));
}

// --- The handler in a merge of list files

class DuplikatStHandlerScalanie : public TestDuplikatow
{
protected:
    QString ZapiszListe(const char* nazwa, const QString& tresc)
    {
        const QString sciezka = Sciezka(nazwa);
        ZapiszPlik(sciezka, tresc.toUtf8());
        return sciezka;
    }
};

TEST_F(DuplikatStHandlerScalanie, NadpisanaGrupaPrzyjmujeDalszaZawartosc)
{
    const QString lista = ZapiszListe(
        "wejscie.sst", QStringLiteral("<sst wersja=\"0.1\">"
                                      "<specyfikacja numer=\"D\" opis=\"Drogi\" grupa=\"true\">"
                                      "  <specyfikacja numer=\"D-02\" opis=\"Odwodnienie\" grupa=\"true\">"
                                      "    <specyfikacja numer=\"D-02.01\" opis=\"Rowy\" plik=\"%1\"/>"
                                      "  </specyfikacja>"
                                      "  <specyfikacja numer=\"D-01\" opis=\"Inne przygotowanie\" grupa=\"true\">"
                                      "    <specyfikacja numer=\"D-01.09\" opis=\"nieczytana\"/>"
                                      "  </specyfikacja>"
                                      "  <specyfikacja numer=\"D-03.01\" opis=\"Przepust\" plik=\"%2\"/>"
                                      "</specyfikacja></sst>")
                           .arg(Plik("B/d0201.doc", "rowy"), Plik("C/d0101.doc", "przepust")));
    Dialog.OdpowiedziNumeru = {{doNadpisz, false}, {doPomin, false}};
    Dialog.OdpowiedziPliku = {{dpoDodajBezPliku, false}};
    TDuplikatStHandler h({}, &Dialog);
    Spis.DodajListe(lista, h);
    EXPECT_EQ(Drzewo(Spis),
              QStringList({QStringLiteral("1 D Drogi"), QStringLiteral("2 D-01 Roboty przygotowawcze"),
                           QStringLiteral("3 D-01.01 Odtworzenie trasy"), QStringLiteral("3 D-01.02 Usunięcie drzew"),
                           QStringLiteral("3 D-01.03 Rozbiórki"), QStringLiteral("2 D-02 Odwodnienie"),
                           QStringLiteral("3 D-02.01 Rowy"), QStringLiteral("2 D-03.01 Przepust")}));
    EXPECT_EQ(Dialog.Pytania, QStringList({QStringLiteral("numer D <- D"), QStringLiteral("numer D-01 <- D-01"),
                                           QStringLiteral("plik D-01.01 <- D-03.01")}));
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("3/0/1/1"));
    TSpecyfikacja* przepust = Spis.FindSpecyfikacja(QStringLiteral("D-03.01"), fsSzukajWSpecyfikacjach);
    ASSERT_NE(przepust, nullptr);
    EXPECT_TRUE(przepust->GetEncodedPath().isEmpty());
    EXPECT_EQ(Spis.FindSpecyfikacjaPlik(Sciezka("B/d0201.doc"))->Numer(), QStringLiteral("D-02.01"));
}

TEST_F(DuplikatStHandlerScalanie, ZapamietanaOdpowiedzIWariantyNadpisanego)
{
    const QString lista = ZapiszListe(
        "wejscie.sst", QStringLiteral("<sst><specyfikacja numer=\"D\" opis=\"Roboty drogowe\" grupa=\"true\">"
                                      "<specyfikacja numer=\"D-01\" opis=\"Roboty przygotowawcze\" grupa=\"true\">"
                                      "<specyfikacja numer=\"D-01.01\" opis=\"Trasa (nowa)\"><warianty>"
                                      "<wariant numer=\"b\" opis=\"Teren otwarty\" plik=\"\"/></warianty>"
                                      "</specyfikacja></specyfikacja></specyfikacja></sst>"));
    Dialog.OdpowiedziNumeru = {{doNadpisz, true}};
    TDuplikatStHandler h({}, &Dialog);
    Spis.DodajListe(lista, h);
    EXPECT_EQ(Dialog.Pytania, QStringList({QStringLiteral("numer D <- D")}));
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/0/0/3"));
    EXPECT_EQ(h.GetZapamietanaOpcjaDuplikatowNumeru(), doNadpisz);
    EXPECT_EQ(D0101->Opis(), QStringLiteral("Trasa (nowa)"));
    ASSERT_EQ(D0101->WariantyCount(), 1) << "the overwritten node's variants are replaced by the incoming ones";
    EXPECT_EQ(D0101->GetWariant(0)->Numer(), QStringLiteral("b"));
    EXPECT_EQ(Spis.Count(), 1);
}

TEST_F(DuplikatStHandlerScalanie, PrzerwaneScalanieZostawiaPrzeczytane)
{
    const QString lista =
        ZapiszListe("wejscie.sst", QStringLiteral("<sst><specyfikacja numer=\"M\" opis=\"Mosty\" grupa=\"true\"/>"
                                                  "<specyfikacja numer=\"D-01.02\" opis=\"duplikat\"/>"
                                                  "<specyfikacja numer=\"K\" opis=\"Kanalizacja\" grupa=\"true\"/>"
                                                  "</sst>"));
    Dialog.OdpowiedziNumeru = {{doNone, false}};
    TDuplikatStHandler h({}, &Dialog);
    try {
        Spis.DodajListe(lista, h);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Znaleziono duplikaty - import przerwany."));
    }
    EXPECT_NE(Spis.FindSpecyfikacja(QStringLiteral("M"), fsSzukajWGrupach), nullptr);
    EXPECT_EQ(Spis.FindSpecyfikacja(QStringLiteral("K"), fsSzukajWGrupach), nullptr);
    EXPECT_EQ(D0102->Opis(), QStringLiteral("Usunięcie drzew"));
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("1/0/0/0"));
}

} // namespace
