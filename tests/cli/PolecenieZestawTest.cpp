#include "cli/PolecenieZestaw.h"
#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"
#include "app/Wyjatki.h"
#include "cli/UruchomPolecenie.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TWynik Uruchom(const QStringList& argumenty)
{
    return UruchomPolecenie<TPolecenieZestaw>(argumenty);
}

QStringList Klucze(const QJsonObject& zestaw)
{
    QStringList k;
    for (const QJsonValue& v : zestaw[QStringLiteral("zbior")].toArray())
        k << v[QStringLiteral("st")].toString();
    return k;
}

TEST(PolecenieZestaw, ZestawDemoZDopasowanymZbiorem)
{
    const TWynik w = Uruchom({Demo() + QStringLiteral("/Zestaw demo.zst"), QStringLiteral("--katalog-uzytkownika"),
                              Demo(), QStringLiteral("--warianty")});
    ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
    const QJsonObject z = Json(w.Wyjscie);
    EXPECT_EQ(z[QStringLiteral("sst")].toString(), QStringLiteral("%USERPATH%/Lista demo.sst"));
    const QJsonArray kosztorysy = z[QStringLiteral("kosztorysy")].toArray();
    ASSERT_EQ(kosztorysy.size(), 5);
    EXPECT_EQ(kosztorysy[0][QStringLiteral("path")].toString(),
              QStringLiteral("%USERPATH%/rds/przebudowa_drogi_gminnej.rds"));
    EXPECT_FALSE(kosztorysy[0][QStringLiteral("elementy")].toArray().isEmpty());

    const QJsonArray zbior = z[QStringLiteral("zbior")].toArray();
    ASSERT_GE(zbior.size(), 30);
    // The general conditions come first; an own number that is not in the list has no specification.
    EXPECT_EQ(zbior[0][QStringLiteral("st")].toString(), QStringLiteral("ST-00.00"));
    EXPECT_TRUE(zbior[0][QStringLiteral("wlasna")].toBool());
    int zPlikiem = 0, wariantow = 0, pozycji = 0;
    for (const QJsonValue& v : zbior) {
        const QString plik = v[QStringLiteral("plik")].toString();
        if (!plik.isEmpty()) {
            ++zPlikiem;
            EXPECT_TRUE(QFile::exists(plik)) << plik.toStdString();
            EXPECT_TRUE(plik.startsWith(Demo())) << plik.toStdString();
        }
        if (!v[QStringLiteral("wariant")].isNull())
            ++wariantow;
        pozycji += v[QStringLiteral("pozycje")].toInt();
        if (v[QStringLiteral("st")].toString() == QStringLiteral("X-01.01.01")) {
            EXPECT_TRUE(v[QStringLiteral("specyfikacja")].isNull());
            EXPECT_TRUE(v[QStringLiteral("wlasna")].toBool());
        }
    }
    EXPECT_GE(zPlikiem, zbior.size() - 3);
    EXPECT_GE(wariantow, 10);
    EXPECT_GE(pozycji, 45);
    const QStringList k = Klucze(z);
    EXPECT_TRUE(k.contains(QStringLiteral("D-05.03.05#1")));

    // Without variants in use, the variant numbers find no specification: fewer entries.
    const TWynik bez =
        Uruchom({Demo() + QStringLiteral("/Zestaw demo.zst"), QStringLiteral("--katalog-uzytkownika"), Demo()});
    ASSERT_EQ(bez.Kod, 0) << bez.Blad.toStdString();
    const QStringList kBez = Klucze(Json(bez.Wyjscie));
    EXPECT_LT(kBez.size(), k.size());
    for (const QString& klucz : kBez)
        EXPECT_FALSE(klucz.contains(QLatin1Char('#'))) << klucz.toStdString();
}

TEST(PolecenieZestaw, ZapisanyZestawCzytaSieTakSamo)
{
    QTemporaryDir katalog;
    const QString nowy = katalog.filePath(QStringLiteral("kopia.zst"));
    const QStringList wspolne{QStringLiteral("--katalog-uzytkownika"), Demo(), QStringLiteral("--warianty")};
    const TWynik pierwszy =
        Uruchom(QStringList{Demo() + QStringLiteral("/Zestaw demo.zst"), QStringLiteral("--zapisz"), nowy} + wspolne);
    ASSERT_EQ(pierwszy.Kod, 0) << pierwszy.Blad.toStdString();
    const TWynik drugi = Uruchom(QStringList{nowy} + wspolne);
    ASSERT_EQ(drugi.Kod, 0) << drugi.Blad.toStdString();
    QJsonObject a = Json(pierwszy.Wyjscie);
    QJsonObject b = Json(drugi.Wyjscie);
    EXPECT_EQ(a[QStringLiteral("path")].toString(), nowy);
    a.remove(QStringLiteral("path"));
    b.remove(QStringLiteral("path"));
    EXPECT_EQ(a, b);
    EXPECT_EQ(CzytajPlik(nowy), CzytajPlik(Demo() + QStringLiteral("/Zestaw demo.zst")));
}

TEST(PolecenieZestaw, NowyZestawZKosztorysowIListy)
{
    QTemporaryDir katalog;
    const QString nowy = katalog.filePath(QStringLiteral("nowy.zst"));
    const TWynik w = Uruchom({QStringLiteral("--utworz"), nowy, QStringLiteral("--lista"),
                              Demo() + QStringLiteral("/Lista demo.sst"),
                              Demo() + QStringLiteral("/rds/przebudowa_drogi_gminnej.rds"), QStringLiteral("--wlasna"),
                              QStringLiteral("Własna-1"), QStringLiteral("--katalog-uzytkownika"), Demo()});
    ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
    const QJsonObject z = Json(w.Wyjscie);
    EXPECT_EQ(z[QStringLiteral("kosztorysy")].toArray().size(), 1);
    EXPECT_TRUE(Klucze(z).contains(QStringLiteral("Własna-1")));
    EXPECT_TRUE(Klucze(z).contains(QStringLiteral("D-01.01.01")));
    const QString plik = QString::fromUtf8(CzytajPlik(nowy));
    EXPECT_TRUE(plik.contains(QStringLiteral("<pozycja st=\"Własna-1\" />")));
    EXPECT_TRUE(plik.contains(QStringLiteral("<sst path=\"%USERPATH%/Lista demo.sst\" />")));
}

TEST(PolecenieZestaw, Bledy)
{
    QTemporaryDir katalog;
    const struct
    {
        const char* Nazwa;
        QStringList Argumenty;
        QString Komunikat;
    } przypadki[] = {
        {"brak pliku zestawu",
         {katalog.filePath(QStringLiteral("brak.zst"))},
         QStringLiteral("Podany plik zestawu nie istnieje")},
        {"bez argumentów", {}, QStringLiteral("Polecenie \"zestaw\" wymaga ścieżki pliku zestawu (.zst).")},
        {"nieznana opcja",
         {QStringLiteral("a.zst"), QStringLiteral("--cos")},
         QStringLiteral("Nieznany argument polecenia \"zestaw\": --cos")},
        {"opcja bez wartości",
         {QStringLiteral("a.zst"), QStringLiteral("--zapisz")},
         QStringLiteral("Opcja --zapisz wymaga wartości.")},
        {"lista bez tworzenia",
         {QStringLiteral("a.zst"), QStringLiteral("--lista"), QStringLiteral("b.sst")},
         QStringLiteral("Opcje --lista i --wlasna wymagają opcji --utworz.")},
        {"nieznany format",
         {QStringLiteral("--utworz"), katalog.filePath(QStringLiteral("n.zst")), QStringLiteral("plan.pdf")},
         QStringLiteral("Nieobsługiwany format pliku kosztorysu: plan.pdf")},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        const TWynik w = Uruchom(p.Argumenty);
        EXPECT_EQ(w.Kod, 1);
        EXPECT_EQ(w.Blad, p.Komunikat);
        EXPECT_TRUE(w.Wyjscie.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(katalog.filePath(QStringLiteral("n.zst"))));
}

TEST(PolecenieZestaw, UstawieniaPoleceniaNieZostajaWKonfiguracji)
{
    TOknoBezEkranu okno;
    TKonfiguracja* k = TKonfiguracja::GetInstance(&okno, false);
    const QString przed = k->GetUserPath();
    const bool warianty = k->CzyKorzystajZWariantow;
    const TWynik w = Uruchom({Demo() + QStringLiteral("/Zestaw demo.zst"), QStringLiteral("--katalog-uzytkownika"),
                              Demo(), QStringLiteral("--warianty")});
    EXPECT_EQ(w.Kod, 0) << w.Blad.toStdString();
    EXPECT_EQ(k->GetUserPath(), przed);
    EXPECT_EQ(k->CzyKorzystajZWariantow, warianty);
    TKonfiguracja::Zwolnij(false);
}

} // namespace

namespace {

int IlePozycjiZNumerem(const QJsonObject& zestaw, const QString& numer)
{
    int n = 0;
    std::function<void(const QJsonObject&)> przejdz = [&](const QJsonObject& e) {
        for (const QJsonValue& p : e[QStringLiteral("pozycje")].toArray())
            n += p[QStringLiteral("st")].toString() == numer;
        for (const QJsonValue& c : e[QStringLiteral("elementy")].toArray())
            przejdz(c.toObject());
    };
    for (const QJsonValue& k : zestaw[QStringLiteral("kosztorysy")].toArray())
        przejdz(k.toObject());
    return n;
}

TEST(PolecenieZestaw, PrzypisanieZZakresem)
{
    const QStringList wspolne{Demo() + QStringLiteral("/Zestaw demo.zst"), QStringLiteral("--katalog-uzytkownika"),
                              Demo(), QStringLiteral("--warianty")};
    const QString nowy = QStringLiteral("D-05.03.05#1");
    const TWynik przed = Uruchom(wspolne);
    ASSERT_EQ(przed.Kod, 0) << przed.Blad.toStdString();
    const int stary = IlePozycjiZNumerem(Json(przed.Wyjscie), QStringLiteral("D-01.02.04"));
    const int juz = IlePozycjiZNumerem(Json(przed.Wyjscie), nowy);
    ASSERT_GE(stary, 2);
    const struct
    {
        QStringList Zakres;
        int Nowych;
    } przypadki[] = {{{}, 1},
                     {{QStringLiteral("--zakres"), QStringLiteral("pozycja")}, 1},
                     {{QStringLiteral("--zakres"), QStringLiteral("wszystkie")}, stary}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Zakres.join(QLatin1Char(' ')).toStdString());
        const TWynik w =
            Uruchom(wspolne + QStringList{QStringLiteral("--przypisz"), QStringLiteral("1:1002=") + nowy} + p.Zakres);
        ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
        const QJsonObject z = Json(w.Wyjscie);
        EXPECT_EQ(IlePozycjiZNumerem(z, nowy), juz + p.Nowych);
        EXPECT_EQ(IlePozycjiZNumerem(z, QStringLiteral("D-01.02.04")), stary - p.Nowych);
        EXPECT_TRUE(Klucze(z).contains(nowy));
    }
    const struct
    {
        QStringList Argumenty;
        QString Komunikat;
    } bledy[] = {
        {{QStringLiteral("--przypisz"), QStringLiteral("1002=X")},
         QStringLiteral("Nieprawidłowe przypisanie \"1002=X\": oczekiwano K:ID=NUMER.")},
        {{QStringLiteral("--przypisz"), QStringLiteral("9:1002=X")},
         QStringLiteral("Zestaw nie ma kosztorysu numer 9.")},
        {{QStringLiteral("--przypisz"), QStringLiteral("1:brak=X")},
         QStringLiteral("Kosztorys numer 1 nie ma pozycji o identyfikatorze brak.")},
        {{QStringLiteral("--zakres"), QStringLiteral("element")},
         QStringLiteral("Opcja --zakres wymaga opcji --przypisz.")},
        {{QStringLiteral("--przypisz"), QStringLiteral("1:1002=X"), QStringLiteral("--zakres"), QStringLiteral("cały")},
         QStringLiteral("Opcja --zakres przyjmuje wartość pozycja, element, kosztorys lub wszystkie.")},
    };
    for (const auto& b : bledy) {
        const TWynik w = Uruchom(wspolne + b.Argumenty);
        EXPECT_EQ(w.Kod, 1);
        EXPECT_EQ(w.Blad, b.Komunikat);
    }
}

TEST(PolecenieZestaw, RysunekStc)
{
    QTemporaryDir katalog;
    const QString stc = katalog.filePath(QStringLiteral("r.stc"));
    ZapiszPlik(stc, "D-01.01.01|a|m|/inne/lista.sst\nX-77|b|m|/inne/lista.sst\n");
    const TWynik w = Uruchom({Demo() + QStringLiteral("/Zestaw demo.zst"), QStringLiteral("--katalog-uzytkownika"),
                              Demo(), QStringLiteral("--stc"), stc});
    ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
    const QJsonObject z = QJsonDocument::fromJson(w.Wyjscie.toUtf8()).object();
    EXPECT_EQ(z[QStringLiteral("listyStc")].toArray(), QJsonArray{QStringLiteral("/inne/lista.sst")});
    bool jest = false;
    for (const QJsonValue& v : z[QStringLiteral("zbior")].toArray())
        jest = jest || v[QStringLiteral("st")].toString() == QStringLiteral("X-77");
    EXPECT_TRUE(jest);
}

} // namespace
