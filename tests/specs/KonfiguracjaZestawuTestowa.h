#pragma once

// Shared by the tests of the set configuration: a fresh program configuration (the path objects need
// its user folder), saving and reading through a whole set document, and settings of every kind.
#include "app/Xml.h"
#include "specs/KonfiguracjaZestawu.h"
#include "support/KonfiguracjaTestowa.h"

#include <QByteArray>

#include <pugixml.hpp>

#include <gtest/gtest.h>

class TTestKonfiguracjiZestawu : public TTestZKonfiguracja
{
protected:
    // The set file's content with the configuration saved under "zestaw".
    static QByteArray Zapisz(TKonfiguracjaZestawu& k)
    {
        pugi::xml_document dok;
        NowyDokumentXml(dok);
        pugi::xml_node zestaw = dok.append_child("zestaw");
        k.Save(zestaw);
        return XmlNaBajty(dok);
    }

    static void Wczytaj(TKonfiguracjaZestawu& k, const QByteArray& xml)
    {
        pugi::xml_document dok;
        ParsujXml(xml, dok);
        k.Load(dok.document_element());
    }

    // Every setting changed from its default, and externals of each kind.
    static void UstawInne(TKonfiguracjaZestawu& k)
    {
        k.WersjaProgramu = QStringLiteral("3.2.1.7");
        k.CzyNaglowek = false;
        k.TrescNaglowka = QStringLiteral("  Budowa drogi gminnej – etap II  ");
        k.CzyStopka = false;
        k.CzyNrStronyStopki = false;
        k.CzyDrukDwustronnyStopki = true;
        k.CzyWstawiacSzablonPierwszejStrony = true;
        k.TrescStopki = QStringLiteral("Stopka & <znaki> \"specjalne\"\nw dwóch liniach");
        k.GetPierwszaStronaDocTemplate()->SetEncodedPath(QStringLiteral("%USERPATH%/Szablony/strona.doc"));
        k.GetPierwszaStronaOdtTemplate()->SetEncodedPath(QStringLiteral("/srv/szablony/strona tytułowa.odt"));
        k.CzyEksportDoc = false;
        k.CzyOtworzDoc = false;
        k.CzyWstawTekstDoSt = true;
        k.TekstDoSt = QStringLiteral("Zadanie: przebudowa ul. Żeromskiego");
        k.CzyStylWNaglowku = true;
        k.NazwaStyluWNaglowku = QStringLiteral("Nagłówek 1");
        k.CzyWeryfikujStylNaglowka = false;
        k.CzyUstawMarginesy = true;
        k.MarginesL = 30;
        k.MarginesR = 15;
        k.MarginesG = -5;
        k.MarginesD = 0;
        k.CzyWstawListeStDoWarOgolnych = true;
        k.AddExternalNode(QStringLiteral("xlsZaokraglaj"), QStringLiteral("false"));
        k.AddExternalNode(QStringLiteral("xlsOpis"), QStringLiteral("linia 1\r\nlinia 2\t& <x> \"q\" 'a' "));
        k.AddExternalNode(QStringLiteral("xlsCol-nrPoz"), QStringLiteral("true"));
        k.AddExternalNode(QStringLiteral("pustaWartosc"), QStringLiteral(""));
        k.AddExternalNode(QStringLiteral("bezWartosci"), QVariant());
        k.AddExternalNode(QStringLiteral("zażółć.gęślą_jaźń"), QStringLiteral("ąę"));
    }

    // Compares every setting; the externals by name, value text and nullness, in order.
    static void ExpectRowne(const TKonfiguracjaZestawu& a, const TKonfiguracjaZestawu& b)
    {
        EXPECT_EQ(a.WersjaProgramu, b.WersjaProgramu);
        EXPECT_EQ(a.CzyNaglowek, b.CzyNaglowek);
        EXPECT_EQ(a.TrescNaglowka, b.TrescNaglowka);
        EXPECT_EQ(a.CzyStopka, b.CzyStopka);
        EXPECT_EQ(a.CzyNrStronyStopki, b.CzyNrStronyStopki);
        EXPECT_EQ(a.CzyDrukDwustronnyStopki, b.CzyDrukDwustronnyStopki);
        EXPECT_EQ(a.CzyWstawiacSzablonPierwszejStrony, b.CzyWstawiacSzablonPierwszejStrony);
        EXPECT_EQ(a.TrescStopki, b.TrescStopki);
        EXPECT_EQ(a.GetPierwszaStronaDocTemplate()->EncodedPath(), b.GetPierwszaStronaDocTemplate()->EncodedPath());
        EXPECT_EQ(a.GetPierwszaStronaOdtTemplate()->EncodedPath(), b.GetPierwszaStronaOdtTemplate()->EncodedPath());
        EXPECT_EQ(a.CzyEksportDoc, b.CzyEksportDoc);
        EXPECT_EQ(a.CzyOtworzDoc, b.CzyOtworzDoc);
        EXPECT_EQ(a.CzyWstawTekstDoSt, b.CzyWstawTekstDoSt);
        EXPECT_EQ(a.TekstDoSt, b.TekstDoSt);
        EXPECT_EQ(a.CzyStylWNaglowku, b.CzyStylWNaglowku);
        EXPECT_EQ(a.NazwaStyluWNaglowku, b.NazwaStyluWNaglowku);
        EXPECT_EQ(a.CzyWeryfikujStylNaglowka, b.CzyWeryfikujStylNaglowka);
        EXPECT_EQ(a.CzyUstawMarginesy, b.CzyUstawMarginesy);
        EXPECT_EQ(a.MarginesL, b.MarginesL);
        EXPECT_EQ(a.MarginesR, b.MarginesR);
        EXPECT_EQ(a.MarginesG, b.MarginesG);
        EXPECT_EQ(a.MarginesD, b.MarginesD);
        EXPECT_EQ(a.CzyWstawListeStDoWarOgolnych, b.CzyWstawListeStDoWarOgolnych);
        ASSERT_EQ(a.ExternalValueList().size(), b.ExternalValueList().size());
        for (size_t i = 0; i < a.ExternalValueList().size(); ++i) {
            const auto& [na, wa] = a.ExternalValueList()[i];
            const auto& [nb, wb] = b.ExternalValueList()[i];
            EXPECT_EQ(na, nb);
            EXPECT_EQ(wa.isNull(), wb.isNull()) << na.toStdString();
            EXPECT_EQ(wa.toString(), wb.toString()) << na.toStdString();
        }
    }

    // Every setting at its documented default (WersjaProgramu aside).
    static void ExpectDomyslne(const TKonfiguracjaZestawu& k)
    {
        EXPECT_TRUE(k.CzyNaglowek);
        EXPECT_EQ(k.TrescNaglowka, QStringLiteral("Treść nagłówka"));
        EXPECT_TRUE(k.CzyStopka);
        EXPECT_TRUE(k.CzyNrStronyStopki);
        EXPECT_FALSE(k.CzyDrukDwustronnyStopki);
        EXPECT_FALSE(k.CzyWstawiacSzablonPierwszejStrony);
        EXPECT_EQ(k.TrescStopki, QStringLiteral("Treść stopki"));
        EXPECT_EQ(k.GetPierwszaStronaDocTemplate()->EncodedPath(), QString());
        EXPECT_EQ(k.GetPierwszaStronaOdtTemplate()->EncodedPath(), QString());
        EXPECT_TRUE(k.CzyEksportDoc);
        EXPECT_TRUE(k.CzyOtworzDoc);
        EXPECT_FALSE(k.CzyWstawTekstDoSt);
        EXPECT_EQ(k.TekstDoSt, QString());
        EXPECT_FALSE(k.CzyStylWNaglowku);
        EXPECT_EQ(k.NazwaStyluWNaglowku, QString());
        EXPECT_TRUE(k.CzyWeryfikujStylNaglowka);
        EXPECT_FALSE(k.CzyUstawMarginesy);
        EXPECT_EQ(k.MarginesL, 25);
        EXPECT_EQ(k.MarginesR, 25);
        EXPECT_EQ(k.MarginesG, 25);
        EXPECT_EQ(k.MarginesD, 25);
        EXPECT_FALSE(k.CzyWstawListeStDoWarOgolnych);
        EXPECT_TRUE(k.ExternalValueList().empty());
    }
};

// A "konfiguracja" element that carries every attribute, with values other than the defaults.
inline const char* const PelnyPlik = R"(<?xml version="1.0" encoding="UTF-8"?>
<zestaw wersja="1.0.0.0">
  <konfiguracja wersja="2.5.0.3" szablonPierwszejStrony="false" szablonPierwszejStronyDocPath="%USERPATH%/a.doc" szablonPierwszejStronyOdtPath="%USERPATH%/a.odt" czyEksportDoc="false" czyOtworzDoc="false" czyWstawListeStDoWarOgolnych="true">
    <eksportZbioru>
      <naglowek use="false">Nagłówek</naglowek>
      <stopka use="false" nrStrony="true" drukDwustronny="true">Stopka</stopka>
      <tekstDoSt use="true">Tekst</tekstDoSt>
      <stylWNaglowku use="true" weryfikuj="false">Styl</stylWNaglowku>
      <marginesy use="true" l="10" r="11" g="12" d="13" />
    </eksportZbioru>
    <externals>
      <xlsStawkaVat value="8" />
      <xlsTytul value="Tytuł" />
    </externals>
  </konfiguracja>
</zestaw>
)";
