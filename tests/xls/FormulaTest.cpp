#include "xls/Formula.h"

#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"
#include "xls/FormulaWezel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

int IndeksArkusza(const QString& nazwa)
{
    const QStringList znane{QStringLiteral("Arkusz 1"), QStringLiteral("Formularz"), QStringLiteral("O'Brien")};
    return int(znane.indexOf(nazwa));
}

QByteArray Tokeny(const QString& formula)
{
    return TFormula::Parsuj(formula).TokenyBiff8(IndeksArkusza);
}

struct TWzor
{
    const char* Formula;
    const char* Tokeny; // hex, tokens split by "|" for the reader
    const char* Angielski;
    bool JakCzytnik = true; // the independent reader writes it the same (it drops redundant parentheses)
};

void PrintTo(const TWzor& w, std::ostream* os)
{
    *os << w.Formula;
}

// Operands under operators, in ROUND and CONCATENATE, SUMIF's criterion and alone: value class (0x44,
// 0x45, 0x5A, 0x5B); SUM's arguments and SUMIF's ranges: reference class (0x24, 0x25, 0x3A, 0x3B).
const TWzor Wzory[] = {
    {"H5+I5+J5", "44 0400 07c0|44 0400 08c0|03|44 0400 09c0|03", "H5+I5+J5"},
    {"ROUND(G5*K5;2)", "44 0400 06c0|44 0400 0ac0|05|1e 0200|41 1b00", "ROUND(G5*K5,2)"},
    {"SUM(L5:L40)", "25 0400 2700 0bc0 0bc0|42 01 0400", "SUM(L5:L40)"},
    {"SUM(L5:L9;L12;L15:L20)", "25 0400 0800 0bc0 0bc0|24 0b00 0bc0|25 0e00 1300 0bc0 0bc0|42 03 0400",
     "SUM(L5:L9,L12,L15:L20)"},
    {"CONCATENATE(\"Razem - \";C4)", "17 08 00 52617a656d202d20|44 0300 02c0|42 02 5001",
     "CONCATENATE(\"Razem - \",C4)"},
    {"L41 * 0,23", "44 2800 0bc0|1f 713d0ad7a370cd3f|05", "L41*0.23"},
    {"L41 + L42", "44 2800 0bc0|44 2900 0bc0|03", "L41+L42"},
    {"'Arkusz 1'!L41", "5a 0000 2800 0bc0", "'Arkusz 1'!L41"},
    {"SUM(D3:D5)", "25 0200 0400 03c0 03c0|42 01 0400", "SUM(D3:D5)"},
    {"SUMIF(A5:A40;\"x\";L5:L40)", "25 0400 2700 00c0 00c0|17 01 00 78|25 0400 2700 0bc0 0bc0|42 03 5901",
     "SUMIF(A5:A40,\"x\",L5:L40)"},
    {"SUMIF(A5:A40;B1)", "25 0400 2700 00c0 00c0|44 0000 01c0|42 02 5901", "SUMIF(A5:A40,B1)"},
    {"$G$5", "44 0400 0600", "$G$5"},
    {"G$5*$G5", "44 0400 0640|44 0400 0680|05", "G$5*$G5"},
    {"SUM($A$1:B$2)", "25 0000 0100 0000 0140|42 01 0400", "SUM($A$1:B$2)"},
    {"0", "1e 0000", "0"},
    {"65535", "1e ffff", "65535"},
    {"65536", "1f 0000000000 00f040", "65536"},
    {"2,5", "1f 0000000000000440", "2.5"},
    {"\"Łódź\"", "17 04 01 4101f30064007a01", "\"Łódź\""},
    {"\"ó\"\"\"", "17 02 00 f322", "\"ó\"\"\""},
    {"\"\"", "17 00 00", "\"\""},
    {"Formularz!L41:L50", "5b 0100 2800 3100 0bc0 0bc0", "Formularz!L41:L50"},
    {"'O''Brien'!a1", "5a 0200 0000 00c0", "'O''Brien'!A1"},
    {"SUM('Arkusz 1'!L41;Formularz!A1:B2)", "3a 0000 2800 0bc0|3b 0100 0000 0100 00c0 01c0|42 02 0400",
     "SUM('Arkusz 1'!L41,Formularz!A1:B2)"},
    {"-(A1+B1)*2", "44 0000 00c0|44 0000 01c0|03|15|13|1e 0200|05", "-(A1+B1)*2"},
    {"A1&\"x\"&B1", "44 0000 00c0|17 01 00 78|08|44 0000 01c0|08", "A1&\"x\"&B1"},
    {"SUM((A1:A3);-B1)", "25 0000 0200 00c0 00c0|15|44 0000 01c0|13|42 02 0400", "SUM((A1:A3),-B1)", false},
    {"B5:A1+1", "45 0000 0400 00c0 01c0|1e 0100|03", "A1:B5+1"},
    {" round ( g5 ; 2 ) ", "44 0400 06c0|1e 0200|41 1b00", "ROUND(G5,2)"},
    {"12/4-1+SUM(A1)", "1e 0c00|1e 0400|06|1e 0100|04|24 0000 00c0|42 01 0400|03", "12/4-1+SUM(A1)"},
    {"IV65536", "44 ffff ffc0", "IV65536"},
};

class FormulaWzor : public ::testing::TestWithParam<TWzor>
{
};

TEST_P(FormulaWzor, TokenyITekstAngielski)
{
    const TFormula f = TFormula::Parsuj(QString::fromUtf8(GetParam().Formula));
    EXPECT_EQ(QString::fromLatin1(f.TokenyBiff8(IndeksArkusza).toHex()),
              QString::fromLatin1(GetParam().Tokeny).remove(u' ').remove(u'|'));
    EXPECT_EQ(f.TekstAngielski(), QString::fromUtf8(GetParam().Angielski));
}

INSTANTIATE_TEST_SUITE_P(Eksport, FormulaWzor, ::testing::ValuesIn(Wzory));

TEST(Formula, NazwyArkuszyWCudzyslowieTylkoGdyTrzeba)
{
    const std::pair<const char*, const char*> przypadki[] = {{"Arkusz1!B2", "Arkusz1!B2"},
                                                             {"'A1'!B2", "'A1'!B2"},
                                                             {"XFD10!B2", "'XFD10'!B2"},
                                                             {"'R1C1'!B2", "'R1C1'!B2"},
                                                             {"Wycena_ą!B2", "'Wycena_ą'!B2"},
                                                             {"'a b'!B2", "'a b'!B2"},
                                                             {"1/3*100000000000000000000000", "1/3*1E+23"}};
    for (const auto& [formula, angielski] : przypadki)
        EXPECT_EQ(TFormula::Parsuj(QString::fromUtf8(formula)).TekstAngielski(), QString::fromUtf8(angielski));
}

struct TOdmowa
{
    QString Formula;
    const char* Przyczyna;
};

TEST(Formula, OdmawiaZPrzyczyna)
{
    OczekujBledu([] { TFormula::Parsuj(QStringLiteral("SUM(A1")); },
                 QStringLiteral("Niepoprawna formuła: SUM(A1 (znak 4: nawias bez pary)."));
    const TOdmowa odmowy[] = {
        {QString(), "pusta formuła"},
        {QStringLiteral("  "), "pusta formuła"},
        {QStringLiteral("(A1+B1"), "znak 1: nawias bez pary"},
        {QStringLiteral("A1+B1)"), "znak 6: nieoczekiwany znak „)”"},
        {QStringLiteral("AVERAGE(A1:A3)"), "nieznana funkcja „AVERAGE”"},
        {QStringLiteral("ROUND(A1)"), "funkcja ROUND: za mało argumentów"},
        {QStringLiteral("SUM()"), "funkcja SUM: za mało argumentów"},
        {QStringLiteral("SUMIF(A1:A3;1;B1:B3;C1)"), "funkcja SUMIF: za dużo argumentów"},
        {QStringLiteral("SUM(") + QStringLiteral("1;").repeated(255) + QStringLiteral("1)"), "najwyżej 255"},
        {QStringLiteral("XFD1"), "odwołanie „XFD1” poza arkuszem"},
        {QStringLiteral("A0"), "poza arkuszem"},
        {QStringLiteral("$A$65537"), "poza arkuszem"},
        {QStringLiteral("Razem"), "nieznana nazwa „Razem”"},
        {QStringLiteral("A1B"), "nieznana nazwa „A1B”"},
        {QStringLiteral("A1+"), "nieoczekiwany koniec formuły"},
        {QStringLiteral("\"abc"), "niezamknięty cudzysłów"},
        {QStringLiteral("2,"), "po przecinku liczby brak cyfr"},
        {QStringLiteral("2.5"), "niepoprawna liczba"},
        {QStringLiteral("1") + QString(400, u'0'), "liczba poza zakresem"},
        {QStringLiteral("SUM(A1;;A2)"), "nieoczekiwany znak „;”"},
        {QStringLiteral("+A1"), "nieoczekiwany znak „+”"},
        {QStringLiteral("=A1"), "nieoczekiwany znak „=”"},
        {QStringLiteral("A1 B1"), "nieoczekiwany znak „B”"},
        {QStringLiteral("''!A1"), "niepoprawna nazwa arkusza"},
        {QStringLiteral("'a:b'!A1"), "niepoprawna nazwa arkusza"},
        {QStringLiteral("'Arkusz 1'A1"), "po nazwie arkusza brak „!”"},
        {QStringLiteral("'Arkusz 1!A1"), "niezamknięta nazwa arkusza"},
        {QStringLiteral("Formularz!A1:Formularz!B2"), "nieznana nazwa „Formularz”"},
        {QStringLiteral("\"") + QString(256, u'x') + QStringLiteral("\""), "tekst dłuższy niż 255 znaków"},
        {QString(8193, u'1'), "długość formuły przekracza limit 8192 znaków"},
        {QString(65, u'(') + u'1' + QString(65, u')'), "zbyt głębokie zagnieżdżenie"},
        {QString(65, u'-') + u'1', "zbyt głębokie zagnieżdżenie"},
        {QStringLiteral("SUM(").repeated(65) + u'1' + QString(65, u')'), "zbyt głębokie zagnieżdżenie"},
    };
    for (const auto& [formula, przyczyna] : odmowy) {
        SCOPED_TRACE(formula.left(40).toStdString());
        try {
            TFormula::Parsuj(formula);
            ADD_FAILURE() << "przyjęta";
        } catch (const EBlad& e) {
            EXPECT_TRUE(e.Komunikat().startsWith(u"Niepoprawna formuła: ")) << e.what();
            EXPECT_TRUE(e.Komunikat().contains(QString::fromUtf8(przyczyna))) << e.what();
        }
    }
    // The nesting limit itself and a long chain, which does not nest, are read.
    EXPECT_NO_THROW(TFormula::Parsuj(QString(64, u'(') + u'1' + QString(64, u')')));
    EXPECT_NO_THROW(TFormula::Parsuj(QString(64, u'-') + u'1'));
    EXPECT_EQ(TFormula::Parsuj(QStringLiteral("1+").repeated(4000) + u'1').TekstAngielski().size(), 8001);
}

TEST(Formula, GraniceStarszegoFormatu)
{
    OczekujBledu([] { Tokeny(QStringLiteral("Nieznany!A1")); },
                 QStringLiteral("Niepoprawna formuła: Nieznany!A1 (nieznany arkusz „Nieznany”)."));
    const QString trzydziesci = QStringLiteral("SUM(") + QStringLiteral("A1;").repeated(29) + QStringLiteral("A1)");
    EXPECT_EQ(Tokeny(trzydziesci).right(4).toHex(), "421e0400");
    const QString trzydziesciJeden = QString(trzydziesci).insert(4, QStringLiteral("A1;"));
    EXPECT_EQ(TFormula::Parsuj(trzydziesciJeden).TekstAngielski().count(u','), 30);
    OczekujBledu([&] { Tokeny(trzydziesciJeden); },
                 QStringLiteral("Niepoprawna formuła: %1 (funkcja SUM: liczba argumentów 31, w pliku XLS dozwolone "
                                "najwyżej 30).")
                     .arg(trzydziesciJeden.left(80) + u'…'));
    // Six strings of 255 characters take 1,552 bytes, seven 1,810.
    const QString tekst = u'"' + QString(255, u'x') + u'"';
    EXPECT_EQ(Tokeny(QStringLiteral("CONCATENATE(%1)").arg(QStringList(6, tekst).join(u';'))).size(), 1552);
    try {
        Tokeny(QStringLiteral("CONCATENATE(%1)").arg(QStringList(7, tekst).join(u';')));
        ADD_FAILURE() << "przyjęta";
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().endsWith(u"(rozmiar formuły w pliku XLS 1810 B, dozwolone najwyżej 1800 B)."));
    }
}

// The parser's own tree in the token notation of the reader below: TekstAngielski must split into it.
void Leksemy(const TFormula::TWezel& w, QStringList& wynik)
{
    using R = TFormula::TWezel::TRodzaj;
    const auto komorka = [](const TKomorkaFormuly& k) {
        QString a;
        if (k.KolumnaStala)
            a += u'$';
        if (k.Kolumna >= 26)
            a += QChar(u'A' + k.Kolumna / 26 - 1);
        a += QChar(u'A' + k.Kolumna % 26);
        if (k.WierszStaly)
            a += u'$';
        return a + QString::number(k.Wiersz + 1);
    };
    switch (w.Rodzaj) {
    case R::Liczba:
        wynik.append(QString::asprintf("NUMBER %.17g", w.Liczba));
        break;
    case R::Tekst:
        wynik.append(QStringLiteral("TEXT \"%1\"").arg(QString(w.Tekst).replace(u'"', QStringLiteral("\"\""))));
        break;
    case R::Komorka:
    case R::Obszar:
        wynik.append(QStringLiteral("RANGE %1|%2").arg(w.Tekst, komorka(w.Poczatek)) +
                     (w.Rodzaj == R::Obszar ? QStringLiteral(":") + komorka(w.Koniec) : QString()));
        break;
    case R::Nawias:
        wynik.append(QStringLiteral("PAREN ("));
        Leksemy(w.Dzieci[0], wynik);
        wynik.append(QStringLiteral("PAREN )"));
        break;
    case R::Minus:
        wynik.append(QStringLiteral("OPERATOR-PREFIX -"));
        Leksemy(w.Dzieci[0], wynik);
        break;
    case R::Dzialania:
        for (size_t i = 0; i < w.Dzieci.size(); ++i) {
            if (i > 0)
                wynik.append(QStringLiteral("OPERATOR-INFIX ") + QLatin1Char(w.Dzieci[i].Operator));
            Leksemy(w.Dzieci[i], wynik);
        }
        break;
    case R::Funkcja:
        wynik.append(QStringLiteral("FUNC %1(").arg(NazwaFunkcjiFormuly(w.Funkcja)));
        for (size_t i = 0; i < w.Dzieci.size(); ++i) {
            if (i > 0)
                wynik.append(QStringLiteral("SEP ,"));
            Leksemy(w.Dzieci[i], wynik);
        }
        wynik.append(QStringLiteral("FUNC )"));
        break;
    }
}

// Two independent readers: xlrd decompiles the token bytes into text (it ignores token classes and drops
// redundant parentheses), openpyxl splits TekstAngielski into tokens.
constexpr const char* SkryptCzytnikow = R"PY(
import json, re, sys
try:
    from openpyxl.formula import Tokenizer
    from xlrd import formula as f
except ImportError:
    print("BRAK"); sys.exit(0)
# A relative range on another sheet needs the formula's cell, which xlrd 1.2 forgets to pass on.
zakres = f.get_cell_range_addr
f.get_cell_range_addr = lambda d, p, bv, rd, browx=0, bcolx=0: zakres(d, p, bv, rd, browx, bcolx)
f.listsep = ","
class Skoroszyt: pass
bk = Skoroszyt()
bk.biff_version, bk.logfile = 80, sys.stderr
bk._supbook_locals_inx, bk._supbook_addins_inx = 0, -1
bk._externsheet_info, bk._all_sheets_map = [(0, 0, 0), (0, 1, 1), (0, 2, 2)], [0, 1, 2]
bk.sheet_names = lambda: ["Arkusz 1", "Formularz", "O'Brien"]
def tekst(hex):
    d = bytes.fromhex(hex)
    t = f.decompile_formula(bk, d, len(d), f.FMLA_TYPE_CELL, browx=0, bcolx=0)
    t = re.sub(r"(?<![\w.$])(\d+)\.0(?!\d)", r"\1", t)
    return re.sub(r"(\$?[A-Z]+\$?\d+):\1(?![\w$])", r"\1", t)
def leksem(t):
    if t.type == "OPERAND" and t.subtype == "NUMBER":
        return "NUMBER %.17g" % float(t.value)
    if t.type == "OPERAND" and t.subtype == "RANGE":
        arkusz, _, adres = t.value.rpartition("!")
        if arkusz.startswith("'"):
            arkusz = arkusz[1:-1].replace("''", "'")
        return "RANGE %s|%s" % (arkusz, adres)
    if t.type == "OPERAND":
        return t.subtype + " " + t.value
    return t.type + " " + t.value
wynik = [{"xlrd": tekst(w["hex"]), "openpyxl": [leksem(t) for t in Tokenizer("=" + w["tekst"]).items]}
         for w in json.load(sys.stdin)]
print(json.dumps(wynik))
)PY";

TEST(Formula, ZgodnaZNiezaleznymiCzytnikami)
{
    QJsonArray wejscie;
    std::vector<QStringList> oczekiwane;
    for (const TWzor& wzor : Wzory) {
        const TFormula f = TFormula::Parsuj(QString::fromUtf8(wzor.Formula));
        wejscie.append(QJsonObject{{QStringLiteral("hex"), QString::fromLatin1(f.TokenyBiff8(IndeksArkusza).toHex())},
                                   {QStringLiteral("tekst"), f.TekstAngielski()}});
        oczekiwane.emplace_back();
        Leksemy(*ParsujWezelFormuly(QString::fromUtf8(wzor.Formula)), oczekiwane.back());
    }
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(SkryptCzytnikow)});
    if (!python.waitForStarted())
        GTEST_SKIP() << "brak /usr/bin/python3";
    python.write(QJsonDocument(wejscie).toJson(QJsonDocument::Compact));
    python.closeWriteChannel();
    ASSERT_TRUE(python.waitForFinished(60000));
    const QByteArray wyjscie = python.readAllStandardOutput();
    if (wyjscie.trimmed() == "BRAK")
        GTEST_SKIP() << "brak openpyxl lub xlrd";
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QJsonArray wyniki = QJsonDocument::fromJson(wyjscie).array();
    ASSERT_EQ(wyniki.size(), wejscie.size());
    for (qsizetype i = 0; i < wyniki.size(); ++i) {
        SCOPED_TRACE(Wzory[i].Formula);
        const QJsonObject w = wyniki[i].toObject();
        if (Wzory[i].JakCzytnik) {
            EXPECT_EQ(w[u"xlrd"].toString(), wejscie[i].toObject()[u"tekst"].toString());
        }
        QStringList leksemy;
        for (const QJsonValue& l : w[u"openpyxl"].toArray())
            leksemy << l.toString();
        EXPECT_EQ(leksemy, oczekiwane[size_t(i)]);
    }
}

} // namespace
