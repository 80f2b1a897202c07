#include "docs/EksportujZestawThread.h"
#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "docs/ZbiorEksporter.h"
#include "support/KonfiguracjaTestowa.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// Walks the files as a real merge does: the progress event before each, a stop checked between them,
// and a failure at the file named so.
class TEksporterKrokowy : public TZbiorEksporter
{
public:
    TEksporterKrokowy() : TZbiorEksporter(std::make_unique<TTypPlikuOoO>()) {}
    void ScalPliki(const QString& cel, const std::vector<const TMyPath*>& pliki) override
    {
        Cel = cel;
        for (const TMyPath* p : pliki) {
            if (Terminated())
                return;
            ZmianaPostepu(p->GetPath());
            if (p->GetPath().endsWith(QStringLiteral("zly.odt")))
                throw EBlad(QStringLiteral("Nie można wstawić pliku: zly.odt"));
            ++Wstawione;
            if (Zatrzymaj)
                Terminate();
        }
    }
    bool CzyTestListySTWWarunkachOgolnych(int& ilosc) override
    {
        ilosc = 1;
        return true;
    }
    void Otworz(const QString&) override {}
    void ZnajdzZamien(const QString&, const QString&) override {}
    void ZapiszIZamknij() override {}

    QString Cel;
    int Wstawione = 0;
    bool Zatrzymaj = false;
};

class TWidokTestowy : public IWidokEksportu
{
public:
    void EksportRozpoczety(int liczbaPlikow) override
    {
        Zdarzenia << QStringLiteral("start %1").arg(liczbaPlikow);
        NaGlownym = NaGlownym && QThread::currentThread() == QCoreApplication::instance()->thread();
    }
    void KolejnyPlik(const QString& status) override
    {
        Zdarzenia << status;
        NaGlownym = NaGlownym && QThread::currentThread() == QCoreApplication::instance()->thread();
    }
    void EksportZakonczony(const QString& status) override { Zdarzenia << status; }
    QStringList Zdarzenia;
    bool NaGlownym = true;
};

std::vector<std::unique_ptr<TMyPath>> Sciezki(const QStringList& nazwy)
{
    std::vector<std::unique_ptr<TMyPath>> wynik;
    for (const QString& n : nazwy) {
        wynik.push_back(std::make_unique<TMyPath>());
        wynik.back()->SetPath(QStringLiteral("/dokumenty/") + n, QStringLiteral("/uzytkownik"));
    }
    return wynik;
}

std::vector<const TMyPath*> Wskazniki(const std::vector<std::unique_ptr<TMyPath>>& s)
{
    std::vector<const TMyPath*> w;
    for (const auto& p : s)
        w.push_back(p.get());
    return w;
}

// Paths are resolved through the program configuration.
class EksportujZestawThread : public TTestZKonfiguracja
{
};

TEST_F(EksportujZestawThread, PostepKazdegoPlikuIKoniec)
{
    const auto sciezki = Sciezki({QStringLiteral("a.odt"), QStringLiteral("b.doc")});
    TEksporterKrokowy eksporter;
    eksporter.Terminate(); // left over from an earlier export: the start clears it
    TWidokTestowy widok;
    QString blad;
    TEksportujZestawThread watek(&widok, Wskazniki(sciezki), QStringLiteral("/wynik/zbior.odt"), &eksporter,
                                 [&](TExceptionMsgThread* t) { blad = t->ExceptionMsg(); });
    watek.start();
    watek.Czekaj();
    EXPECT_EQ(widok.Zdarzenia, (QStringList{QStringLiteral("start 2"), QStringLiteral("Przetwarzanie pliku: a.odt"),
                                            QStringLiteral("Przetwarzanie pliku: b.doc"),
                                            QStringLiteral("Proces eksportu został zakończony")}));
    EXPECT_TRUE(widok.NaGlownym);
    EXPECT_EQ(eksporter.Wstawione, 2);
    EXPECT_EQ(eksporter.Cel, QStringLiteral("/wynik/zbior.odt"));
    EXPECT_TRUE(blad.isEmpty());
}

TEST_F(EksportujZestawThread, BladOznaczaStatusIDochodziDoObslugi)
{
    const auto sciezki = Sciezki({QStringLiteral("a.odt"), QStringLiteral("zly.odt"), QStringLiteral("c.odt")});
    TEksporterKrokowy eksporter;
    TWidokTestowy widok;
    QString blad;
    TEksportujZestawThread watek(&widok, Wskazniki(sciezki), QStringLiteral("/w.odt"), &eksporter,
                                 [&](TExceptionMsgThread* t) { blad = t->ExceptionMsg(); });
    watek.start();
    watek.Czekaj();
    EXPECT_EQ(widok.Zdarzenia.last(), QStringLiteral("Przetwarzanie pliku: zly.odt (Błąd eksportu)"));
    EXPECT_EQ(blad, QStringLiteral("Nie można wstawić pliku: zly.odt"));
    EXPECT_EQ(eksporter.Wstawione, 1);
}

TEST_F(EksportujZestawThread, ZatrzymanieKonczyPrzedNastepnymPlikiem)
{
    const auto sciezki = Sciezki({QStringLiteral("a.odt"), QStringLiteral("b.odt"), QStringLiteral("c.odt")});
    TEksporterKrokowy eksporter;
    eksporter.Zatrzymaj = true; // as if "Stop" came during the first file
    TWidokTestowy widok;
    TEksportujZestawThread watek(&widok, Wskazniki(sciezki), QStringLiteral("/w.odt"), &eksporter);
    watek.start();
    watek.Czekaj();
    EXPECT_EQ(eksporter.Wstawione, 1);
    EXPECT_EQ(widok.Zdarzenia.last(), QStringLiteral("Proces eksportu został zakończony"));
}

} // namespace
