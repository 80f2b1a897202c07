// The list's fuzz corpora (lists and registers) and lists of awkward texts read and write to the same
// results as when the expected file was written: every list's file as written back, its blank-number
// nodes and indexed nodes, or the error message, compared by digest with tests/specs/KorpusySpisu.txt.
// VELOSTRA_ZAPISZ_KORPUSY=1 rewrites that file instead.
#include "../../fuzz/DialogDuplikatowKolem.h"
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "prices/CenaJedn.h"
#include "specs/DuplikatStDialog.h"
#include "specs/ImporterWST.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/LicznikImportuSt.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QObject>

#include <exception>
#include <memory>

namespace {

const QString PlikWzorcow = QStringLiteral(VELOSTRA_TEST_DATA "/../specs/KorpusySpisu.txt");
const QString KatalogKorpusow = QStringLiteral(VELOSTRA_TEST_DATA "/../../fuzz/corpus/");

QByteArray Skrot(const QByteArray& dane)
{
    return QCryptographicHash::hash(dane, QCryptographicHash::Sha1).toHex().left(20);
}

// The list as written, what it knows of its nodes, and the same after reading that file back.
// A price given in the older form is dated the day it is read: the day is no part of what is compared.
QByteArray BezDzisiejszejDaty(QByteArray zapis)
{
    const QByteArray dzis = "data=\"" + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1() + '"';
    return zapis.replace(dzis, "data=\"dzisiaj\"");
}

QByteArray Stan(TSpisST& spis)
{
    const QByteArray zapis = spis.ZapiszDoBajtow();
    QByteArray wynik = Skrot(BezDzisiejszejDaty(zapis)) + ' ' +
                       QByteArray::number(static_cast<qsizetype>(spis.ListaPustych().size())) + ' ' +
                       QByteArray::number(spis.RozmiarIndeksu());
    TSpisST druga;
    try {
        druga.OtworzZBajtow(zapis);
        wynik += ' ' + Skrot(BezDzisiejszejDaty(druga.ZapiszDoBajtow()));
    } catch (const std::exception& e) {
        wynik += " blad " + Skrot(e.what());
    }
    return wynik;
}

QByteArray WynikListy(const QByteArray& bajty)
{
    TSpisST spis;
    try {
        spis.OtworzZBajtow(bajty);
    } catch (const std::exception& e) {
        return "blad " + Skrot(e.what()) + ' ' + QByteArray::number(spis.Count());
    }
    return Stan(spis);
}

std::unique_ptr<TSpecyfikacja> Wezel(const char* numer, bool grupa, const char* plik = nullptr)
{
    const QString p = plik ? TMyPath::Token + QLatin1Char('/') + QString::fromUtf8(plik) : QString();
    return std::make_unique<TSpecyfikacja>(QString::fromUtf8(numer), false, grupa, QString(), p, QStringLiteral("t"));
}

TSpecyfikacja* DodajDo(TSpecyfikacja& rodzic, std::unique_ptr<TSpecyfikacja> s)
{
    TSpecyfikacja* wezel = s.get();
    rodzic.Add(std::move(s));
    return wezel;
}

// A register imported into a small list whose documents exist in the user folder, as the fuzz target does.
QByteArray WynikRejestru(const QByteArray& bajty, const QString& folder)
{
    TSpisST spis;
    spis.UstawKatalogUzytkownika(folder);
    TSpecyfikacja* d = DodajDo(spis, Wezel("D", true));
    TSpecyfikacja* d01 = DodajDo(*d, Wezel("D-01", true));
    TSpecyfikacja* x = DodajDo(*d01, Wezel("D-01.01", false, "a/x.doc"));
    x->AddWariant(std::make_unique<TWariantSpecyfikacji>(QStringLiteral("a"), QStringLiteral("w"),
                                                         TMyPath::Token + QStringLiteral("/a/w.doc"), QString()));
    DodajDo(*d01, Wezel("D-01.02", false, "a/y.doc"));
    DodajDo(*DodajDo(*d01, Wezel("D-01.09", true)), Wezel("D-01.09.01", false));
    DodajDo(spis, Wezel("S-1", false));
    QObject glowne;
    TImporterWST importer(&glowne, &spis);
    TDialogKolem dialog;
    QByteArray wynik;
    try {
        TSpecyfikacja* cele[] = {&spis, d, d01};
        importer.ImportujSpecyfikacjeZBajtow(bajty, cele[bajty.size() % 3], &dialog);
    } catch (const std::exception& e) {
        wynik = "blad " + Skrot(e.what()) + ' ';
    }
    const TLicznikImportuSt& l = dialog.Licznik;
    wynik += QByteArray::number(l.DodanychSt()) + ' ' + QByteArray::number(l.NadpisanychPlikow()) + ' ' +
             QByteArray::number(l.PominietychSt()) + ' ' + QByteArray::number(l.NadpisanychSt()) + ' ';
    return wynik + Stan(spis);
}

// A list of texts the writer must escape or keep as they are, every price way and odd numbers.
QByteArray WynikTekstow(const QString& folder)
{
    const QString teksty[] = {QStringLiteral("a&b<c>d\"e'f"),
                              QStringLiteral("tab\tnowa\nlinia\rpowrót"),
                              QString(QChar(0x01)) + QStringLiteral("ster") + QChar(0x1F),
                              QStringLiteral("przed") + QChar(0) + QStringLiteral("po"),
                              QString(QChar(0xFEFF)) + QStringLiteral("znak BOM"),
                              QStringLiteral("zażółć gęślą jaźń €"),
                              QString(QChar(0xD83D)) + QChar(0xDE00) + QStringLiteral(" para, ") + QChar(0xD800),
                              QStringLiteral("  spacje  "),
                              QStringLiteral("]]> --> <!-- &amp;")};
    const double liczby[] = {0.0, -0.0, 1e-300, 123456789012345.67, -2.5, 1.0 / 3.0, 1e21};
    TSpisST spis;
    spis.UstawKatalogUzytkownika(folder);
    TSpecyfikacja* grupa = DodajDo(spis, Wezel("G", true));
    int i = 0;
    for (const QString& t : teksty) {
        auto s = std::make_unique<TSpecyfikacja>(QStringLiteral("N-%1 ").arg(i) + t, i % 2 == 0, false, t,
                                                 TMyPath::Token + QStringLiteral("/a/") + t, t);
        auto jm = std::make_unique<TJmSpecyfikacji>(t, t, i % 2 == 1);
        TCenaJedn& c = *jm->CenaJedn();
        c.UstawDate(t);
        const double l = liczby[i % std::size(liczby)];
        c.UstawCeneZReki(static_cast<std::uint8_t>(i % 4), l, l, l, l);
        c.UstawCeneRms(l, 1, 2, l, 1, 1, 0, l, 0, 0, 1, l);
        c.UstawOplata(i % 2 == 0, true, false, l);
        c.GetInfCen1()->UstawInfCen(t, t, t, t, t, l, l, {TCena(t, l), TCena(QString(), 1)});
        c.Oblicz();
        s->AddJm(std::move(jm));
        s->AddWariant(std::make_unique<TWariantSpecyfikacji>(t, t, t, i % 3 == 0 ? QString() : t));
        DodajDo(*grupa, std::move(s));
        ++i;
    }
    return Stan(spis);
}

QByteArray WynikiKorpusow()
{
    QTemporaryDir folder;
    for (const char* nazwa : {"a/x.doc", "a/y.doc", "a/w.doc", "b/x.doc", "b/w.doc", "b/z.doc"}) {
        const QString sciezka = folder.filePath(QString::fromUtf8(nazwa));
        QDir().mkpath(QFileInfo(sciezka).absolutePath());
        ZapiszPlik(sciezka, "dokument");
    }
    TKonfiguracja::GetInstance()->SetUserPath(folder.path());
    QByteArray wynik;
    for (const char* katalog : {"sst", "wst"}) {
        const QDir dir(KatalogKorpusow + QString::fromLatin1(katalog));
        for (const QString& nazwa : dir.entryList(QDir::Files, QDir::Name)) {
            const QByteArray bajty = CzytajPlik(dir.filePath(nazwa));
            const QByteArray w = katalog[0] == 's' ? WynikListy(bajty) : WynikRejestru(bajty, folder.path());
            wynik += QByteArray(katalog) + '/' + nazwa.toUtf8() + ' ' + w + '\n';
        }
    }
    wynik += "teksty " + WynikTekstow(folder.path()) + '\n';
    return wynik;
}

using KorpusySpisu = TTestZKonfiguracja;

TEST_F(KorpusySpisu, DajaTeSameListyIZapisy)
{
    const QByteArray wyniki = WynikiKorpusow();
    PorownajZWzorcem(wyniki, PlikWzorcow, "VELOSTRA_ZAPISZ_KORPUSY", 20);
}

// The file Zapisz writes (in blocks, straight to disk) holds the bytes ZapiszDoBajtow gives, for the
// corpora and for a list of several blocks.
TEST_F(KorpusySpisu, ZapisDoPlikuJakDoBajtow)
{
    QTemporaryDir katalog;
    const QString cel = katalog.filePath(QStringLiteral("Lista.sst"));
    const QDir dir(KatalogKorpusow + QStringLiteral("sst"));
    for (const QString& nazwa : dir.entryList(QDir::Files, QDir::Name)) {
        TSpisST spis;
        try {
            spis.OtworzZBajtow(CzytajPlik(dir.filePath(nazwa)));
        } catch (const EBlad&) {
            continue;
        }
        spis.Zapisz(cel);
        EXPECT_EQ(CzytajPlik(cel), spis.ZapiszDoBajtow()) << nazwa.toStdString();
    }
    TSpisST duza;
    TSpecyfikacja* grupa = DodajDo(duza, Wezel("G", true));
    for (int i = 0; i < 3000; ++i) {
        auto s = std::make_unique<TSpecyfikacja>(QStringLiteral("N-%1").arg(i), false, false, QString(), QString(),
                                                 QString(i % 700 + 1, QChar(0x0105)) + QStringLiteral("&\""));
        s->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m"), QStringLiteral("<%1>").arg(i), true));
        DodajDo(*grupa, std::move(s));
    }
    duza.Zapisz(cel);
    const QByteArray bajty = duza.ZapiszDoBajtow();
    EXPECT_GT(bajty.size(), 3 << 20);
    EXPECT_EQ(CzytajPlik(cel), bajty);
}

} // namespace
