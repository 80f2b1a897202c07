// The dialog "Eksportuj pliki specyfikacji" without its window, on the Word exporter over an engine that
// writes the names of the inserted files: presets, checks, the general-conditions list, the job's end,
// stop and failure.
#include "PomocnikKontrolera.h"

#include "docs/GenerowanieDokumentu.h"
#include "docs/SilnikDokumentow.h"
#include "docs/ZbiorEksporter.h"
#include "specs/Specyfikacja.h"
#include "workflow/EksportDokumentuDialogu.h"
#include "zestaw/ZbiorST.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace {

// Documents whose content is the list of what was put into them.
class TSilnikProbny : public ISilnikDokumentow
{
public:
    std::function<void(const QString& plik)> PrzyWstawianiu; // on the export's thread
    int Znacznikow = 1;                                      // "#LISTA_ST#" in every document
    QStringList Style;

    std::unique_ptr<IDokumentTekstowy> NowyDokument() override { return std::make_unique<TDokument>(*this); }
    std::unique_ptr<IDokumentTekstowy> OtworzDokument(const QString&, bool) override
    {
        return std::make_unique<TDokument>(*this);
    }
    void Uruchom() override {}

private:
    struct TDokument : IDokumentTekstowy
    {
        explicit TDokument(TSilnikProbny& s) : S(s) {}
        void WstawPlik(const QString& plik, bool) override
        {
            if (S.PrzyWstawianiu)
                S.PrzyWstawianiu(plik);
            Tresc << QFileInfo(plik).fileName();
        }
        void WstawStroneTytulowa(const QString& plik) override { WstawPlik(plik, false); }
        void DodajZakladke(const QString&) override {}
        void WstawSpisTresci() override {}
        int ZamienWszystko(const QString&, const QString&, bool) override { return 0; }
        int ZamienNaLinie(const QString&, const QStringList& linie, bool, bool) override
        {
            Tresc << linie;
            return 1;
        }
        int PoliczWystapienia(const QString&) override { return S.Znacznikow; }
        void UstawStronePierwsza() override {}
        void UstawNaglowek(const TNaglowekDokumentu&) override {}
        void UstawStopke(const TStopkaDokumentu&) override {}
        void UstawMarginesy(int l, int p, int g, int d) override
        {
            Tresc << QStringLiteral("marginesy %1 %2 %3 %4").arg(l).arg(p).arg(g).arg(d);
        }
        QStringList NazwyUzywanychStylow() override { return S.Style; }
        void KopiujStylAkapitu(IDokumentTekstowy&, const QString&) override {}
        void Zapisz(const QString& plik) override { ZapiszPlik(plik, Tresc.join(QLatin1Char('\n')).toUtf8()); }
        void Zapisz() override {}
        TSilnikProbny& S;
        QStringList Tresc;
    };
};

// A set of three documents, the first the general conditions; the set file is "budowa.zst".
class EksportDokumentuDialogu : public TTestKontrolera
{
protected:
    void SetUp() override
    {
        TTestKontrolera::SetUp();
        Kontroler->Zestaw().Zapisz(Katalog.filePath(QStringLiteral("budowa.zst")));
        for (const char* numer : {"ST-00", "D-01", "D-02"}) {
            const QString n = QString::fromLatin1(numer);
            Specyfikacje.push_back(std::make_unique<TSpecyfikacja>(n, n == QLatin1String("ST-00"), false, QString(),
                                                                   Plik(n + QStringLiteral(".doc"), "x"),
                                                                   QStringLiteral("Opis ") + n));
            Kontroler->Zestaw().GetZbiorST()->Add(Specyfikacje.back().get());
            Lista.Pliki.push_back(Specyfikacje.back()->GetPath());
        }
    }
    std::unique_ptr<TEksportDokumentuDialogu> Dialog()
    {
        return std::make_unique<TEksportDokumentuDialogu>(Kontroler->Zestaw(), Lista, *Eksporter, Konfiguracja(),
                                                          Uzytkownik);
    }
    TKonfiguracjaZestawu& Ustawienia() { return *Kontroler->Zestaw().GetKonfiguracja(); }
    QString Cel() const { return Katalog.filePath(QStringLiteral("Dane/Eksport/budowa.doc")); }
    QStringList PlikiFolderu() const { return QDir(QFileInfo(Cel()).path()).entryList(QDir::Files | QDir::Hidden); }

    std::vector<std::unique_ptr<TSpecyfikacja>> Specyfikacje;
    TListaPlikowEksportu Lista;
    TSilnikProbny Silnik;
    std::unique_ptr<TZbiorEksporter> Eksporter = UtworzEksporter(true, &Silnik);
};

TEST_F(EksportDokumentuDialogu, PolaIDostepnoscZUstawienZestawu)
{
    const struct
    {
        bool Word, Naglowek, Stopka, Styl;
    } przypadki[] = {{true, true, true, true}, {true, false, false, true}, {false, true, true, true}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.Word << p.Naglowek << p.Stopka);
        Eksporter = UtworzEksporter(p.Word, &Silnik);
        Ustawienia().CzyNaglowek = p.Naglowek;
        Ustawienia().CzyStopka = p.Stopka;
        Ustawienia().CzyStylWNaglowku = p.Styl;
        Ustawienia().CzyDrukDwustronnyStopki = Ustawienia().CzyUstawMarginesy = true;
        const auto d = Dialog();
        EXPECT_EQ(d->Folder, Katalog.filePath(QStringLiteral("Dane/Eksport")));
        EXPECT_EQ(d->Nazwa, QStringLiteral("budowa"));
        EXPECT_EQ(d->Status(), QStringLiteral("Ilość znalezionych specyfikacji do eksportu: 3"));
        EXPECT_EQ(d->CzyOtworzWidoczny(), p.Word);
        EXPECT_EQ(d->CzyDrukDwustronnyDostepny(), p.Stopka);
        EXPECT_EQ(d->CzyDrukDwustronny, p.Stopka);
        const bool styl = p.Word && p.Naglowek;
        EXPECT_EQ(d->CzyStylWNaglowku, styl);
        EXPECT_EQ(d->CzyPolaStyluDostepne(), styl);
        EXPECT_EQ(d->TekstLinkuStylow(), styl ? QStringLiteral("<a>Pobierz style z dokumentów</a>")
                                              : QStringLiteral("Pobierz style z dokumentów"));
        EXPECT_EQ(d->CzyPrzyciskMarginesowDostepny(), p.Word);
        // What the dialog did not offer comes back as the set has it: nothing to store.
        const TUstawieniaEksportuZestawu w = d->Wynik();
        EXPECT_TRUE(w.CzyStylWNaglowku && w.CzyDrukDwustronnyStopki && w.CzyUstawMarginesy);
    }
}

TEST_F(EksportDokumentuDialogu, SprawdzeniaNieUruchamiajaEksportu)
{
    const auto d = Dialog();
    d->Przegladaj(Katalog.filePath(QStringLiteral("nie-ma")));
    d->Nazwa = QStringLiteral(" ");
    d->Start();
    d->Nazwa = QStringLiteral("wynik");
    d->Folder = Plik(QStringLiteral("plik"), "x") + QStringLiteral("/pod");
    d->Start();
    ASSERT_EQ(Uzytkownik.Zapis.size(), 3);
    EXPECT_EQ(Uzytkownik.Zapis[0], QStringLiteral("komunikat: Wybrany folder jest nieprawidłowy!"));
    EXPECT_EQ(Uzytkownik.Zapis[1],
              QStringLiteral("komunikat: Proszę wybrać lokalizację i określić nazwę pliku docelowego."));
    EXPECT_TRUE(Uzytkownik.Zapis[2].startsWith(QStringLiteral("komunikat: Błąd tworzenia foldera docelowego: ")));
    EXPECT_FALSE(d->CzyTrwa());
    d->Przegladaj(Katalog.path());
    EXPECT_EQ(d->Folder, Katalog.path());
}

TEST_F(EksportDokumentuDialogu, ListaStWWymaganiachOgolnych)
{
    const struct
    {
        int Znacznikow;
        bool ZWarunkami;
        const char* Komunikat;
    } przypadki[] = {
        {1, false, "Nie można dopisać Listy ST do pliku\r\rBrak Wymagań Ogólnych w eksportowanym zbiorze."},
        {0, true, "Nie określono miejsca wstawienia listy ST w Wymaganiach Ogólnych (#LISTA_ST#)."},
        {2, true, "Znaleziono więcej niż jedno miejsce wstawienia listy ST w Wymaganiach Ogólnych (#LISTA_ST#)."},
        {1, true, nullptr},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Znacznikow);
        Uzytkownik.Zapis.clear();
        Silnik.Znacznikow = p.Znacznikow;
        if (!p.ZWarunkami)
            Lista.Pliki.erase(Lista.Pliki.begin());
        const auto d = Dialog();
        d->CzyWstawListeSt = true;
        d->CzyOtworzPoUtworzeniu = false;
        d->Start();
        d->Czekaj();
        EXPECT_EQ(d->CzyZakonczono(), p.Komunikat == nullptr);
        const QStringList oczekiwane =
            p.Komunikat ? QStringList{QStringLiteral("komunikat: ") + QString::fromUtf8(p.Komunikat)} : QStringList();
        EXPECT_EQ(Uzytkownik.Zapis, oczekiwane);
        Lista.Pliki = {Specyfikacje[0]->GetPath(), Specyfikacje[1]->GetPath(), Specyfikacje[2]->GetPath()};
    }
    EXPECT_EQ(CzytajPlik(Cel()), "ST-00.doc\nD-01 - Opis D-01\nD-02 - Opis D-02\nD-01.doc\nD-02.doc");
}

TEST_F(EksportDokumentuDialogu, EksportDoKoncaZamykaZOpcjami)
{
    const auto d = Dialog();
    int konce = 0;
    d->OnKoniec = [&] { ++konce; };
    d->CzyUstawMarginesy = true;
    d->Marginesy = {10, 11, 12, 13};
    d->Start();
    EXPECT_EQ(d->TekstStartu(), QStringLiteral("Stop"));
    EXPECT_FALSE(d->CzyPrzegladajDostepny());
    d->Czekaj();
    EXPECT_EQ(konce, 1);
    EXPECT_TRUE(d->CzyZakonczono());
    EXPECT_EQ(d->TekstStartu(), QStringLiteral("Start"));
    EXPECT_EQ(d->Status(), QStringLiteral("Proces eksportu został zakończony"));
    EXPECT_EQ(d->Pozycja(), 3);
    EXPECT_EQ(d->Maksimum(), 3);
    EXPECT_EQ(CzytajPlik(Cel()), "ST-00.doc\nD-01.doc\nD-02.doc\nmarginesy 10 11 12 13");
    EXPECT_EQ(PlikiFolderu(), QStringList{QStringLiteral("budowa.doc")});
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("uruchom: ") + Cel()});
    const TUstawieniaEksportuZestawu w = d->Wynik();
    EXPECT_TRUE(w.CzyUstawMarginesy);
    EXPECT_EQ(w.MarginesR, 11);
}

TEST_F(EksportDokumentuDialogu, StopZostawiaStaryPlikIZamykaZOk)
{
    ZapiszPlik(Cel(), "stary");
    Uzytkownik.Pytania[QStringLiteral("Plik docelowy istnieje.")] = {false, true};
    std::atomic<bool> wTrakcie = false;
    Silnik.PrzyWstawianiu = [&](const QString& plik) {
        if (!plik.endsWith(QStringLiteral("D-01.doc")))
            return;
        wTrakcie = true;
        for (QDeadlineTimer limit(5000); !Eksporter->Terminated() && !limit.hasExpired();)
            QThread::msleep(1);
    };
    const auto d = Dialog();
    d->Start(); // "Nie"
    EXPECT_FALSE(d->CzyTrwa());
    d->Start();
    for (QDeadlineTimer limit(5000); !wTrakcie && !limit.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_TRUE(wTrakcie);
    EXPECT_EQ(d->Status(), QStringLiteral("Przetwarzanie pliku: D-01.doc"));
    d->Start(); // the button reads "Stop"
    EXPECT_FALSE(d->CzyTrwa());
    EXPECT_TRUE(d->CzyZakonczono());
    EXPECT_EQ(CzytajPlik(Cel()), "stary");
    EXPECT_EQ(PlikiFolderu(), QStringList{QStringLiteral("budowa.doc")});
    EXPECT_EQ(Uzytkownik.Zapis.filter(QStringLiteral("komunikat")), QStringList());
}

TEST_F(EksportDokumentuDialogu, BladScalaniaPokazujeKomunikatINieZamyka)
{
    Silnik.PrzyWstawianiu = [](const QString& plik) {
        if (plik.endsWith(QStringLiteral("D-02.doc")))
            throw EBlad(QStringLiteral("zepsuty"));
    };
    const auto d = Dialog();
    d->OnKoniec = [] { ADD_FAILURE() << "closed after a failure"; };
    d->Start();
    d->Czekaj();
    EXPECT_FALSE(d->CzyZakonczono());
    EXPECT_EQ(d->Status(), QStringLiteral("Przetwarzanie pliku: D-02.doc (Błąd eksportu)"));
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("komunikat: Nie udało się utworzyć pliku DOC: zepsuty")});
    EXPECT_TRUE(PlikiFolderu().isEmpty());
}

TEST_F(EksportDokumentuDialogu, PobranieStylowWypelniaListe)
{
    Ustawienia().CzyStylWNaglowku = true;
    Silnik.Style = {QStringLiteral("Tytuł"), QStringLiteral("akapit")};
    const auto d = Dialog();
    QStringList pokazane;
    d->OnStyle = [&](const QStringList& s) { pokazane = s; };
    d->PobierzStyle();
    EXPECT_FALSE(d->CzyStartDostepny());
    d->Czekaj();
    EXPECT_EQ(pokazane, (QStringList{QStringLiteral("akapit"), QStringLiteral("Tytuł")}));
    EXPECT_EQ(d->Status(), QStringLiteral("Pobieranie stylów zakończone."));
    EXPECT_TRUE(d->CzyStartDostepny());
}

} // namespace
