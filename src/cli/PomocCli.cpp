#include "cli/PomocCli.h"

namespace {

constexpr qsizetype SzerokoscTekstu = 100;

// Words moved to the next line past the width; a word is never split, so the manual page holds the same
// words in the same order.
QString Zawin(const QString& tekst, const QString& wciecie)
{
    QString wynik;
    QString linia;
    for (const QString& slowo : tekst.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!linia.isEmpty() && wciecie.size() + linia.size() + 1 + slowo.size() > SzerokoscTekstu) {
            wynik += wciecie + linia + QLatin1Char('\n');
            linia.clear();
        }
        linia += (linia.isEmpty() ? QString() : QStringLiteral(" ")) + slowo;
    }
    if (!linia.isEmpty())
        wynik += wciecie + linia + QLatin1Char('\n');
    return wynik;
}

const TOpcjaPomocy OpcjaPomocy{QStringLiteral("--help, -h"), QStringLiteral("wypisuje tę pomoc i kończy działanie")};

const QList<TOpcjaPomocy>& OpcjeOgolne()
{
    static const QList<TOpcjaPomocy> opcje{
        {QStringLiteral("--help, -h"), QStringLiteral("wypisuje listę poleceń i kończy działanie")},
        {QStringLiteral("--version, -v"), QStringLiteral("wypisuje wersję programu i kończy działanie")},
    };
    return opcje;
}

const QString Kody = QStringLiteral("0 – polecenie wykonane; 1 – błąd: jego opis po polsku trafia na standardowe "
                                    "wyjście błędów.");

// Text for troff: backslashes and hyphens escaped, no line may start with a control character.
QString Troff(const QString& tekst)
{
    QString w = tekst;
    w.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    w.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (w.startsWith(QLatin1Char('.')) || w.startsWith(QLatin1Char('\'')))
        w.prepend(QStringLiteral("\\&"));
    return w;
}

// The option's value as bash completes it: listed words, a folder, a file or nothing.
QString UzupelnienieWartosci(const QString& wartosc)
{
    if (wartosc.contains(QLatin1Char('|')) && !wartosc.contains(QLatin1Char('.')))
        return QStringLiteral("COMPREPLY=($(compgen -W \"%1\" -- \"$cur\"))")
            .arg(wartosc.split(QLatin1Char('|')).join(QLatin1Char(' ')));
    if (wartosc == QLatin1String("KATALOG") || wartosc == QLatin1String("FOLDER"))
        return QStringLiteral("COMPREPLY=($(compgen -d -- \"$cur\"))");
    if (wartosc.contains(QLatin1Char('.')) || wartosc == QLatin1String("WYNIK") || wartosc == QLatin1String("KOPIA") ||
        wartosc == QLatin1String("ARCHIWUM"))
        return QStringLiteral("COMPREPLY=($(compgen -f -- \"$cur\"))");
    return QStringLiteral("COMPREPLY=()");
}

} // namespace

QString PomocOgolna(const TListaPolecen& polecenia)
{
    QString w = QStringLiteral("Użycie: velostra-cli POLECENIE [ARGUMENTY...]\n"
                               "       velostra-cli POLECENIE --help\n"
                               "       velostra-cli --help\n"
                               "       velostra-cli --version\n\n"
                               "Polecenia:\n");
    for (const auto& p : polecenia)
        w += QStringLiteral("  ") + p->Nazwa().leftJustified(16) + p->Pomoc().Opis + QLatin1Char('\n');
    w += QStringLiteral("\nOpcje:\n");
    for (const TOpcjaPomocy& o : OpcjeOgolne())
        w += QStringLiteral("  ") + o.Postac + QLatin1Char('\n') + Zawin(o.Opis, QStringLiteral("      "));
    w += QStringLiteral("\nKod wyjścia:\n") + Zawin(Kody, QStringLiteral("  "));
    return w;
}

QString PomocPolecenia(const TPolecenie& polecenie)
{
    const TPomocPolecenia pomoc = polecenie.Pomoc();
    QString w = QStringLiteral("velostra-cli ") + polecenie.Nazwa() + QStringLiteral(" – ") + pomoc.Opis +
                QStringLiteral("\n\n");
    for (qsizetype i = 0; i < pomoc.Skladnia.size(); ++i) {
        w += (i == 0 ? QStringLiteral("Użycie: ") : QStringLiteral("       ")) + QStringLiteral("velostra-cli ") +
             polecenie.Nazwa();
        if (!pomoc.Skladnia[i].isEmpty())
            w += QLatin1Char(' ') + pomoc.Skladnia[i];
        w += QLatin1Char('\n');
    }
    w += QLatin1Char('\n') + Zawin(pomoc.Szczegoly, QString()) + QStringLiteral("\nOpcje:\n");
    for (const TOpcjaPomocy& o : pomoc.Opcje + QList<TOpcjaPomocy>{OpcjaPomocy})
        w += QStringLiteral("  ") + o.Postac + QLatin1Char('\n') + Zawin(o.Opis, QStringLiteral("      "));
    return w;
}

QString StronaPodrecznika(const TListaPolecen& polecenia, const QString& wersja)
{
    QString w = QStringLiteral(".\\\" Wygenerowane z pomocy poleceń velostra-cli (src/cli); zmiany tylko tam.\n"
                               ".TH VELOSTRA\\-CLI 1 \"\" \"Velostra %1\" \"Polecenia użytkownika\"\n"
                               ".nh\n.ad l\n"
                               ".SH NAZWA\n"
                               "velostra\\-cli \\- specyfikacje techniczne do kosztorysów z wiersza poleceń\n"
                               ".SH SKŁADNIA\n")
                    .arg(wersja);
    for (const QString& linia : {QStringLiteral("POLECENIE [ARGUMENTY...]"), QStringLiteral("POLECENIE --help"),
                                 QStringLiteral("--help"), QStringLiteral("--version")})
        w += QStringLiteral(".B velostra\\-cli\n") + Troff(linia) + QStringLiteral("\n.br\n");
    w += QStringLiteral(
        ".SH OPIS\n"
        "Narzędzie wiersza poleceń programu\n.BR velostra (1):\n"
        "otwiera i sprawdza kosztorysy, listy specyfikacji technicznych i zestawy, tworzy i rozpakowuje ich "
        "archiwa, scala dokumenty specyfikacji w jeden dokument (przez niewidoczny LibreOffice) i eksportuje "
        "kosztorysy do arkusza. Wyniki trafiają na standardowe wyjście (przeważnie jako JSON), komunikaty i "
        "postęp na standardowe wyjście błędów. Ustawienia są czytane z konfiguracji programu.\n"
        ".SH POLECENIA\n");
    for (const auto& p : polecenia) {
        const TPomocPolecenia pomoc = p->Pomoc();
        w += QStringLiteral(".SS \"") + p->Nazwa() + QStringLiteral(" – ") + Troff(pomoc.Opis) + QStringLiteral("\"\n");
        for (const QString& s : pomoc.Skladnia) {
            w += QStringLiteral(".B velostra\\-cli ") + p->Nazwa() + QLatin1Char('\n');
            if (!s.isEmpty())
                w += Troff(s) + QLatin1Char('\n');
            w += QStringLiteral(".br\n");
        }
        w += QStringLiteral(".PP\n") + Troff(pomoc.Szczegoly) + QLatin1Char('\n');
        for (const TOpcjaPomocy& o : pomoc.Opcje + QList<TOpcjaPomocy>{OpcjaPomocy})
            w += QStringLiteral(".TP\n.B ") + Troff(o.Postac) + QLatin1Char('\n') + Troff(o.Opis) + QLatin1Char('\n');
    }
    w += QStringLiteral(".SH OPCJE\n");
    for (const TOpcjaPomocy& o : OpcjeOgolne())
        w += QStringLiteral(".TP\n.B ") + Troff(o.Postac) + QLatin1Char('\n') + Troff(o.Opis) + QLatin1Char('\n');
    w += QStringLiteral(".SH KOD WYJŚCIA\n") + Troff(Kody) + QLatin1Char('\n');
    w += QStringLiteral(".SH PLIKI\n"
                        ".TP\n.I ~/.config/Velostra/Velostra.conf\n"
                        "konfiguracja programu, wspólna z oknem programu\n"
                        ".TP\n.I /usr/share/velostra/\n"
                        "dane programu: kody CPV i jednostek miar, archiwum pierwszego uruchomienia, pomoc\n"
                        ".SH ZOBACZ TAKŻE\n"
                        ".BR velostra (1)\n");
    return w;
}

QString UzupelnianieBash(const TListaPolecen& polecenia)
{
    QStringList nazwy;
    for (const auto& p : polecenia)
        nazwy << p->Nazwa();
    QString w = QStringLiteral("# Uzupełnianie poleceń velostra-cli w bash, wygenerowane z pomocy poleceń (src/cli).\n"
                               "_velostra_cli()\n"
                               "{\n"
                               "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} opcje\n"
                               "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
                               "        COMPREPLY=($(compgen -W \"%1 --help --version\" -- \"$cur\"))\n"
                               "        return\n"
                               "    fi\n"
                               "    case ${COMP_WORDS[1]} in\n")
                    .arg(nazwy.join(QLatin1Char(' ')));
    for (const auto& p : polecenia) {
        QStringList opcje;
        QString wartosci;
        for (const TOpcjaPomocy& o : p->Pomoc().Opcje) {
            const QString nazwa = o.Postac.section(QLatin1Char(' '), 0, 0);
            opcje << nazwa;
            if (o.Postac.contains(QLatin1Char(' ')))
                wartosci += QStringLiteral("                %1) %2; return ;;\n")
                                .arg(nazwa, UzupelnienieWartosci(o.Postac.section(QLatin1Char(' '), 1)));
        }
        opcje << QStringLiteral("--help");
        w += QStringLiteral("        %1)\n").arg(p->Nazwa());
        if (!wartosci.isEmpty())
            w += QStringLiteral("            case $prev in\n") + wartosci + QStringLiteral("            esac\n");
        w += QStringLiteral("            opcje=\"%1\" ;;\n").arg(opcje.join(QLatin1Char(' ')));
    }
    w += QStringLiteral("        *) opcje=\"--help\" ;;\n"
                        "    esac\n"
                        "    if [[ $cur == -* ]]; then\n"
                        "        COMPREPLY=($(compgen -W \"$opcje\" -- \"$cur\"))\n"
                        "    else\n"
                        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
                        "    fi\n"
                        "}\n"
                        "complete -o filenames -F _velostra_cli velostra-cli\n");
    return w;
}
