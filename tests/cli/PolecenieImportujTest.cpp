#include "cli/PolecenieImportuj.h"
#include "cli/UruchomPolecenie.h"

#include <QTemporaryDir>

namespace {

TWynik Uruchom(const QStringList& argumenty)
{
    return UruchomPolecenie<TPolecenieImportuj>(argumenty);
}

TEST(PolecenieImportuj, DuplikatyZOdpowiedziamiIBez)
{
    QTemporaryDir katalog;
    const QString lista = Demo() + QStringLiteral("/Lista demo.sst");
    const QByteArray przed = CzytajPlik(lista);
    // A new group and specification, and one number the demo list has.
    const QString wykaz = katalog.filePath(QStringLiteral("w.wst"));
    ZapiszPlik(wykaz, "<wykaz><poz rodz=\"1\"><nr>N</nr><opis>Nowe</opis></poz>"
                      "<poz><nr>N-01</nr><opis>Nowa</opis></poz>"
                      "<poz><nr>D-01.01.01</nr><opis>Powtórzona</opis></poz></wykaz>");
    const QString nowa = katalog.filePath(QStringLiteral("nowa.sst"));
    const struct
    {
        QStringList Opcje;
        int Kod;
        QString Wynik;
    } przypadki[] = {
        {{}, 1, QStringLiteral("Znaleziono duplikaty - import przerwany.")},
        {{QStringLiteral("--duplikat-numeru"), QStringLiteral("pomin")}, 0, QStringLiteral("2/0/1/0")},
        {{QStringLiteral("--duplikat-numeru"), QStringLiteral("nadpisz")}, 0, QStringLiteral("2/0/0/1")},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Wynik.toStdString());
        QFile::remove(nowa);
        const TWynik w = Uruchom(QStringList{lista, wykaz, QStringLiteral("-o"), nowa} + p.Opcje);
        ASSERT_EQ(w.Kod, p.Kod) << w.Blad.toStdString();
        if (p.Kod != 0) {
            EXPECT_EQ(w.Blad, p.Wynik);
            EXPECT_FALSE(QFile::exists(nowa)) << "nothing is written after a refusal";
            continue;
        }
        const QJsonObject j = QJsonDocument::fromJson(w.Wyjscie.toUtf8()).object();
        EXPECT_EQ(QStringLiteral("%1/%2/%3/%4")
                      .arg(j[QStringLiteral("dodanychSt")].toInt())
                      .arg(j[QStringLiteral("nadpisanychPlikow")].toInt())
                      .arg(j[QStringLiteral("pominietychSt")].toInt())
                      .arg(j[QStringLiteral("nadpisanychSt")].toInt()),
                  p.Wynik);
        EXPECT_TRUE(CzytajPlik(nowa).contains("numer=\"N-01\""));
    }
    EXPECT_EQ(CzytajPlik(lista), przed) << "the source list is never changed";
    const TWynik zlaGrupa =
        Uruchom({lista, wykaz, QStringLiteral("--do"), QStringLiteral("BRAK"), QStringLiteral("-o"), nowa});
    EXPECT_EQ(zlaGrupa.Blad, QStringLiteral("Na liście nie ma grupy o numerze: BRAK"));
}

} // namespace
