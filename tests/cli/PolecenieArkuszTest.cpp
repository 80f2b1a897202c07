#include "cli/PolecenieArkusz.h"
#include "cli/UruchomPolecenie.h"
#include "estimates/UstawieniaKosztorysu.h"
#include "specs/KonfiguracjaZestawu.h"
#include "support/Pomocnicze.h"
#include "xls/EksportElementuXlsOpt.h"
#include "zestaw/ZestawST.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TWynik Uruchom(const QStringList& argumenty)
{
    return UruchomPolecenie<TPolecenieArkusz>(argumenty);
}

QByteArray Tresc(const QString& sciezka)
{
    QFile f(sciezka);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(PolecenieArkusz, ZestawDemoDoObuFormatowZOpcjamiZestawu)
{
    QTemporaryDir katalog;
    // The demo set with a title of its own among its stored options.
    TUstawieniaKosztorysu ustawienia;
    ustawienia.KatalogUzytkownika = Demo();
    TZestawST zestaw(ustawienia);
    zestaw.Otworz(Demo() + QStringLiteral("/Zestaw demo.zst"));
    TEksportElementuXlsOpt opcje;
    opcje.WstawTytul = true;
    opcje.Tytul = QStringLiteral("OFERTA ŻÓŁTA");
    opcje.Zapisz(*zestaw.GetKonfiguracja());
    const QString plikZestawu = katalog.filePath(QStringLiteral("z.zst"));
    zestaw.Zapisz(plikZestawu);

    const std::vector<std::pair<const char*, QByteArray>> cele = {
        {"wynik.xls", QByteArray::fromHex("D0CF11E0A1B11AE1")}, {"wynik.xlsx", QByteArray("PK\x03\x04")}};
    for (const auto& [nazwa, poczatek] : cele) {
        const QString cel = katalog.filePath(QString::fromLatin1(nazwa));
        const TWynik w = Uruchom({plikZestawu, QStringLiteral("-o"), cel, QStringLiteral("--katalog-uzytkownika"),
                                  Demo(), QStringLiteral("--warianty")});
        ASSERT_EQ(w.Kod, 0) << w.Blad.toStdString();
        EXPECT_EQ(w.Wyjscie.trimmed(), cel);
        EXPECT_TRUE(w.Blad.contains(QStringLiteral("Postęp: 100%"))) << w.Blad.toStdString();
        EXPECT_TRUE(Tresc(cel).startsWith(poczatek)) << nazwa;
    }
    // The title is a shared text of the older format, in UTF-16.
    const QString tytul = QStringLiteral("OFERTA ŻÓŁTA");
    EXPECT_TRUE(Tresc(katalog.filePath(QStringLiteral("wynik.xls")))
                    .contains(QByteArray(reinterpret_cast<const char*>(tytul.utf16()), tytul.size() * 2)));
}

TEST(PolecenieArkusz, BledneWywolania)
{
    QTemporaryDir katalog;
    const QString zestaw = Demo() + QStringLiteral("/Zestaw demo.zst");
    const std::vector<std::pair<QStringList, QString>> przypadki = {
        {{zestaw}, QStringLiteral("Proszę podać plik wynikowy (-o WYNIK.xls lub WYNIK.xlsx).")},
        {{QStringLiteral("-o"), katalog.filePath(QStringLiteral("a.xls"))},
         QStringLiteral("Polecenie \"arkusz\" wymaga pliku zestawu (.zst).")},
        {{katalog.filePath(QStringLiteral("brak.zst")), QStringLiteral("-o"),
          katalog.filePath(QStringLiteral("a.xls"))},
         QStringLiteral("Podany plik zestawu nie istnieje")},
        {{zestaw, QStringLiteral("-o"), katalog.filePath(QStringLiteral("brak/a.xls")),
          QStringLiteral("--katalog-uzytkownika"), Demo()},
         QStringLiteral("Podana ścieżka nie istnieje.")},
    };
    for (const auto& [argumenty, komunikat] : przypadki) {
        const TWynik w = Uruchom(argumenty);
        EXPECT_EQ(w.Kod, 1);
        EXPECT_EQ(w.Blad, komunikat) << argumenty.join(' ').toStdString();
    }
}

} // namespace
