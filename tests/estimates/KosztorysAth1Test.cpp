// ATH estimates: golden files (tree as JSON, copy bytes after ST numbers are assigned) and one table of
// broken files with their expected outcomes.
#include "estimates/KosztorysAth1.h"
#include "estimates/KosztorysJson.h"
#include "estimates/WyjatkiKosztorysu.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

QString Sciezka(const QString& wzgledna)
{
    return SciezkaDanychTestowych(QStringLiteral("estimates/ath/") + wzgledna);
}

QJsonObject OczekiwanyJson(const QString& wzgledna)
{
    QJsonParseError blad{};
    const QJsonDocument dok = QJsonDocument::fromJson(CzytajPlik(Sciezka(wzgledna)), &blad);
    EXPECT_EQ(blad.error, QJsonParseError::NoError) << wzgledna.toStdString();
    return dok.object();
}

std::string JakoTekst(const QJsonObject& obiekt)
{
    return QJsonDocument(obiekt).toJson(QJsonDocument::Indented).toStdString();
}

std::vector<TPozycjaRds*> Pozycje(const TKosztorys& k)
{
    std::vector<TPozycjaRds*> wynik;
    k.DlaKazdejPozycji([&wynik](TPozycjaRds& p) { wynik.push_back(&p); });
    return wynik;
}

// A valid estimate: its file under valid/, whether it is read with both repair options, and the ST
// numbers then given to positions (by their place in the tree, from 0) before the copy is written.
struct TPrzypadekZloty
{
    const char* Nazwa;
    bool Naprawa;
    std::vector<std::pair<int, QString>> Przypisania;
};

const TPrzypadekZloty PrzypadkiZlote[] = {
    {"pelny",
     false,
     {{0, QStringLiteral("D-01.01.01#2")}, {1, QStringLiteral("D-01.02.01")}, {5, QStringLiteral("B-02.01.01")}}},
    {"stara_norma", false, {{1, QStringLiteral("D-02.03.01#1")}}},
    {"utf8_bom_lf", false, {{0, QStringLiteral("M-13.01.01#3")}}},
    {"bez_konca_linii", false, {{1, QStringLiteral("D-05.03.05")}}},
    {"powtorzone_id", false, {{0, QStringLiteral("D-01.01.01#1")}, {1, QStringLiteral("D-01.01.01#2")}}},
    {"utf16le", false, {{0, QStringLiteral("D-06.01.01#1")}}},
    {"do_naprawy", true, {{2, QStringLiteral("D-07.01.01")}}},
};

class TKosztorysAth1Zloty : public TTestZKonfiguracja, public ::testing::WithParamInterface<TPrzypadekZloty>
{
};

TEST_P(TKosztorysAth1Zloty, DrzewoIKopiaZgodneZWzorcem)
{
    const TPrzypadekZloty& przypadek = GetParam();
    const QString nazwa = QString::fromLatin1(przypadek.Nazwa);
    QTemporaryDir katalog;
    ASSERT_TRUE(katalog.isValid());

    // The source is read from a folder of its own, so that a repaired copy lands there.
    const QString zrodlo = katalog.filePath(nazwa + QStringLiteral(".ath"));
    const QByteArray bajtyZrodla = CzytajPlik(Sciezka(QStringLiteral("valid/") + nazwa + QStringLiteral(".ath")));
    ZapiszPlik(zrodlo, bajtyZrodla);

    TKosztorysAth1 k(zrodlo, przypadek.Naprawa, przypadek.Naprawa, false);
    if (przypadek.Naprawa) {
        const QString kopia = katalog.filePath(nazwa + QStringLiteral(" - kopia.ath"));
        EXPECT_EQ(k.FilePath().GetPath(), kopia);
        EXPECT_EQ(CzytajPlik(kopia),
                  CzytajPlik(Sciezka(QStringLiteral("valid/") + nazwa + QStringLiteral(".naprawiony.ath"))));
    } else {
        EXPECT_EQ(k.FilePath().GetPath(), zrodlo);
    }
    const QJsonObject oczekiwany = OczekiwanyJson(QStringLiteral("valid/") + nazwa + QStringLiteral(".json"));
    const QJsonObject odczytany = KosztorysNaJson(k);
    EXPECT_EQ(odczytany, oczekiwany) << "odczytano:\n"
                                     << JakoTekst(odczytany) << "oczekiwano:\n"
                                     << JakoTekst(oczekiwany);

    const auto pozycje = Pozycje(k);
    for (const auto& [indeks, st] : przypadek.Przypisania) {
        ASSERT_LT(static_cast<size_t>(indeks), pozycje.size());
        pozycje[static_cast<size_t>(indeks)]->SetST(st);
    }
    const QJsonObject przedZapisem = KosztorysNaJson(k);
    const QString cel = katalog.filePath(nazwa + QStringLiteral(".kopia.ath"));
    k.SaveFile(cel);
    EXPECT_EQ(CzytajPlik(cel), CzytajPlik(Sciezka(QStringLiteral("valid/") + nazwa + QStringLiteral(".kopia.ath"))));
    EXPECT_EQ(KosztorysNaJson(k), przedZapisem) << "zapis zmienił drzewo";
    EXPECT_EQ(CzytajPlik(zrodlo), bajtyZrodla) << "źródło zmienione";

    // The copy reads back to the same tree with the new ST numbers (a merged position of an old
    // version keeps its number only in the rewritten basis line, which is not a merge any more).
    TKosztorysAth1 odczytanaKopia(cel);
    const auto poPonownym = Pozycje(odczytanaKopia);
    ASSERT_EQ(poPonownym.size(), pozycje.size());
    for (size_t i = 0; i < pozycje.size(); ++i) {
        EXPECT_EQ(poPonownym[i]->Id(), pozycje[i]->Id());
        EXPECT_EQ(poPonownym[i]->Nr(), pozycje[i]->Nr());
        EXPECT_EQ(poPonownym[i]->Opis(), pozycje[i]->Opis());
        if (!pozycje[i]->CzyScalona) {
            EXPECT_EQ(poPonownym[i]->ST(), pozycje[i]->ST()) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Ath, TKosztorysAth1Zloty, ::testing::ValuesIn(PrzypadkiZlote),
                         [](const ::testing::TestParamInfo<TPrzypadekZloty>& parametr) {
                             return std::string(parametr.param.Nazwa);
                         });

// ---- Broken files -------------------------------------------------------------------------------

enum class TWynik { Wczytany, BrakId, BrakNr, BrakIdNr, Blad };

struct TPrzypadekUszkodzony
{
    const char* Plik;
    TWynik Wynik;
    const char* Komunikat; // of the exception (UTF-8); empty when the file is read
    int Pozycji;           // positions read
};

const char* const Nieprawidlowy = "Wybrany plik kosztorysu jest nieprawidłowy.";

const TPrzypadekUszkodzony PrzypadkiUszkodzone[] = {
    {"brak_id.ath", TWynik::BrakId, "Brak id", 0},
    {"brak_nr.ath", TWynik::BrakNr, "Bran nr", 0},
    {"brak_id_i_nr.ath", TWynik::BrakIdNr, "Brak id i nr", 0},
    {"pusty_blok.ath", TWynik::BrakIdNr, "Brak id i nr", 0},
    {"pusty.ath", TWynik::Blad, Nieprawidlowy, 0},
    {"binarny.ath", TWynik::Blad, Nieprawidlowy, 0},
    {"utf16_bez_bom.ath", TWynik::Blad, Nieprawidlowy, 0},
    {"bez_sekcji.ath", TWynik::Blad, Nieprawidlowy, 0},
    {"zbyt_gleboki.ath", TWynik::Blad, Nieprawidlowy, 0},
    {"urwany_w_bloku.ath", TWynik::Wczytany, "", 2},
    {"sekcja_w_bloku.ath", TWynik::Wczytany, "", 1},
};

struct TOdczyt
{
    TWynik Wynik = TWynik::Wczytany;
    QString Komunikat;
};

template <typename F> TOdczyt Odczytaj(F&& czytaj)
{
    try {
        czytaj();
        return {};
    } catch (const EBrakIdNrPozycjiException& e) {
        return {TWynik::BrakIdNr, e.Komunikat()};
    } catch (const EBrakIdPozycjiException& e) {
        return {TWynik::BrakId, e.Komunikat()};
    } catch (const EBrakNrPozycjiException& e) {
        return {TWynik::BrakNr, e.Komunikat()};
    } catch (const EBlad& e) {
        return {TWynik::Blad, e.Komunikat()};
    }
}

class TKosztorysAth1Uszkodzony : public TTestZKonfiguracja, public ::testing::WithParamInterface<TPrzypadekUszkodzony>
{
};

TEST_P(TKosztorysAth1Uszkodzony, WynikZgodnyZTabela)
{
    const TPrzypadekUszkodzony& p = GetParam();
    const QString plik = Sciezka(QStringLiteral("broken/") + QString::fromLatin1(p.Plik));
    const QByteArray bajty = CzytajPlik(plik);

    TKosztorysAth1 zPliku;
    zPliku.FilePath().SetPath(plik);
    const TOdczyt odczytPliku = Odczytaj([&] { zPliku.WczytajKosztorys(); });
    EXPECT_EQ(odczytPliku.Wynik, p.Wynik);
    EXPECT_EQ(odczytPliku.Komunikat, QString::fromUtf8(p.Komunikat));
    int pozycji = 0;
    zPliku.DlaKazdejPozycji([&pozycji](TPozycjaRds&) { ++pozycji; });
    EXPECT_EQ(pozycji, p.Pozycji);
    if (p.Wynik != TWynik::Wczytany) {
        EXPECT_EQ(zPliku.Count(), 0) << "drzewo po błędzie nie jest puste";
        EXPECT_EQ(zPliku.OstatnioDodanaPozycja(), nullptr);
    }
    EXPECT_EQ(CzytajPlik(plik), bajty);

    // The bytes alone give the same outcome.
    TKosztorysAth1 zDanych;
    const TOdczyt odczytDanych = Odczytaj([&] { zDanych.WczytajZDanych(bajty); });
    EXPECT_EQ(odczytDanych.Wynik, p.Wynik);
    EXPECT_EQ(odczytDanych.Komunikat, QString::fromUtf8(p.Komunikat));
    EXPECT_EQ(KosztorysNaJson(zDanych)[QStringLiteral("pozycje")], KosztorysNaJson(zPliku)[QStringLiteral("pozycje")]);
    EXPECT_EQ(KosztorysNaJson(zDanych)[QStringLiteral("elementy")],
              KosztorysNaJson(zPliku)[QStringLiteral("elementy")]);
}

INSTANTIATE_TEST_SUITE_P(Ath, TKosztorysAth1Uszkodzony, ::testing::ValuesIn(PrzypadkiUszkodzone),
                         [](const ::testing::TestParamInfo<TPrzypadekUszkodzony>& parametr) {
                             std::string nazwa = parametr.param.Plik;
                             return nazwa.substr(0, nazwa.find('.'));
                         });

// A truncated last block keeps what it holds; a section line inside an unclosed block belongs to it.
TEST_F(TTestZKonfiguracja, AthUrwanyPlikDajeTresciDoMiejscaUrwania)
{
    TKosztorysAth1 k(Sciezka(QStringLiteral("broken/urwany_w_bloku.ath")));
    const auto pozycje = Pozycje(k);
    ASSERT_EQ(pozycje.size(), 2u);
    EXPECT_EQ(pozycje[0]->Opis(), QStringLiteral("Pełna pozycja"));
    EXPECT_EQ(pozycje[1]->Id(), QStringLiteral("2"));
    EXPECT_EQ(pozycje[1]->Opis(), QStringLiteral("Urwa"));

    TKosztorysAth1 wBloku(Sciezka(QStringLiteral("broken/sekcja_w_bloku.ath")));
    const auto jedna = Pozycje(wBloku);
    ASSERT_EQ(jedna.size(), 1u);
    EXPECT_EQ(jedna[0]->Id(), QStringLiteral("2"));
    EXPECT_EQ(jedna[0]->Nr(), QStringLiteral("2"));
}

// The broken files that lack identifiers or numbers are read after a repair with the options the
// controller chooses for each exception.
TEST_F(TTestZKonfiguracja, AthBrakiNaprawiaOpcjaWskazanaPrzezWyjatek)
{
    struct
    {
        const char* Plik;
        bool Renumeruj, Indeksuj;
        int Pozycji;
    } const przypadki[] = {
        {"brak_id.ath", false, true, 2},
        {"brak_nr.ath", true, false, 2},
        {"brak_id_i_nr.ath", true, true, 2},
        {"pusty_blok.ath", true, true, 1},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Plik);
        QTemporaryDir katalog;
        const QString zrodlo = katalog.filePath(QString::fromLatin1(p.Plik));
        ZapiszPlik(zrodlo, CzytajPlik(Sciezka(QStringLiteral("broken/") + QString::fromLatin1(p.Plik))));
        TKosztorysAth1 k(zrodlo, p.Renumeruj, p.Indeksuj, false);
        const auto pozycje = Pozycje(k);
        ASSERT_EQ(static_cast<int>(pozycje.size()), p.Pozycji);
        for (size_t i = 0; i < pozycje.size(); ++i) {
            EXPECT_FALSE(pozycje[i]->Id().isEmpty());
            EXPECT_FALSE(pozycje[i]->Nr().isEmpty());
            if (p.Indeksuj) {
                EXPECT_EQ(pozycje[i]->Id(), QString::number(i + 1));
            }
            if (p.Renumeruj) {
                EXPECT_EQ(pozycje[i]->Nr(), QString::number(i + 1));
            }
        }
        // The repaired copy passes the check when read on its own.
        TKosztorysAth1 kopia(k.FilePath().GetPath());
        EXPECT_EQ(Pozycje(kopia).size(), pozycje.size());
    }
}

} // namespace
