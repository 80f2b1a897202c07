#include "cli/PomocCli.h"
#include "cli/Cli.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString Pomoc(const QStringList& argumenty, int& kod)
{
    QString wyjscie;
    QString bledy;
    QTextStream sw(&wyjscie);
    QTextStream sb(&bledy);
    kod = TCli().Uruchom(argumenty, sw, sb);
    return wyjscie;
}

} // namespace

TEST(PomocCli, KazdePolecenieMaPomocZeWszystkimiOpcjami)
{
    const TCli cli;
    ASSERT_GE(cli.Polecenia().size(), 11u);
    for (const auto& p : cli.Polecenia()) {
        const TPomocPolecenia pomoc = p->Pomoc();
        EXPECT_FALSE(pomoc.Opis.isEmpty()) << p->Nazwa().toStdString();
        EXPECT_FALSE(pomoc.Skladnia.isEmpty()) << p->Nazwa().toStdString();
        for (const char* opcja : {"--help", "-h"}) {
            int kod = -1;
            // The help wins wherever it stands, even beside arguments the command would refuse.
            const QString tekst = Pomoc({p->Nazwa(), QStringLiteral("x"), QString::fromLatin1(opcja)}, kod);
            EXPECT_EQ(kod, 0);
            EXPECT_TRUE(tekst.startsWith(QStringLiteral("velostra-cli ") + p->Nazwa() + QStringLiteral(" – ")));
            EXPECT_TRUE(tekst.contains(QStringLiteral("Użycie: velostra-cli ") + p->Nazwa()));
            for (const TOpcjaPomocy& o : pomoc.Opcje)
                EXPECT_TRUE(tekst.contains(QStringLiteral("\n  ") + o.Postac + QLatin1Char('\n')))
                    << o.Postac.toStdString();
        }
    }
}

TEST(PomocCli, StronaPodrecznikaIUzupelnianieZTejSamejPomocy)
{
    const TCli cli;
    const QString strona = StronaPodrecznika(cli.Polecenia(), QStringLiteral("1.2.3"));
    const QString uzupelnianie = UzupelnianieBash(cli.Polecenia());
    EXPECT_TRUE(strona.contains(QStringLiteral(".TH VELOSTRA\\-CLI 1 \"\" \"Velostra 1.2.3\"")));
    // troff would read a bare hyphen as a hyphen, not the minus an option begins with.
    EXPECT_FALSE(QRegularExpression(QStringLiteral("(^|[^\\\\])--")).match(strona).hasMatch());
    for (const auto& p : cli.Polecenia()) {
        EXPECT_TRUE(strona.contains(QStringLiteral(".SS \"") + p->Nazwa() + QStringLiteral(" – ")));
        EXPECT_TRUE(uzupelnianie.contains(QStringLiteral("        ") + p->Nazwa() + QStringLiteral(")\n")));
        for (const TOpcjaPomocy& o : p->Pomoc().Opcje) {
            QString postac = o.Postac;
            EXPECT_TRUE(
                strona.contains(QStringLiteral(".B ") + postac.replace(QLatin1Char('-'), QStringLiteral("\\-"))));
        }
    }
    EXPECT_TRUE(uzupelnianie.contains(QStringLiteral("--rodzaj) COMPREPLY=($(compgen -W \"word odt\"")));
    EXPECT_TRUE(uzupelnianie.contains(QStringLiteral("-d) COMPREPLY=($(compgen -d")));
}
