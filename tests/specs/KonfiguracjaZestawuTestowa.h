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
        k.FWersjaProgramu = QStringLiteral("3.2.1.7");
        k.FCzyNaglowek = false;
        k.FTrescNaglowka = QStringLiteral("  Budowa drogi gminnej – etap II  ");
        k.FCzyStopka = false;
        k.FCzyNrStronyStopki = false;
        k.FCzyDrukDwustronnyStopki = true;
        k.FCzyWstawiacSzablonPierwszejStrony = true;
        k.FTrescStopki = QStringLiteral("Stopka & <znaki> \"specjalne\"\nw dwóch liniach");
        k.GetPierwszaStronaDocTemplate()->SetEncodedPath(QStringLiteral("%USERPATH%/Szablony/strona.doc"));
        k.GetPierwszaStronaOdtTemplate()->SetEncodedPath(QStringLiteral("/srv/szablony/strona tytułowa.odt"));
        k.FCzyEksportDoc = false;
        k.FCzyOtworzDoc = false;
        k.FCzyWstawTekstDoSt = true;
        k.FTekstDoSt = QStringLiteral("Zadanie: przebudowa ul. Żeromskiego");
        k.FCzyStylWNaglowku = true;
        k.FNazwaStyluWNaglowku = QStringLiteral("Nagłówek 1");
        k.FCzyWeryfikujStylNaglowka = false;
        k.FCzyUstawMarginesy = true;
        k.FMarginesL = 30;
        k.FMarginesR = 15;
        k.FMarginesG = -5;
        k.FMarginesD = 0;
        k.FCzyWstawListeStDoWarOgolnych = true;
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
        EXPECT_EQ(a.FWersjaProgramu, b.FWersjaProgramu);
        EXPECT_EQ(a.FCzyNaglowek, b.FCzyNaglowek);
        EXPECT_EQ(a.FTrescNaglowka, b.FTrescNaglowka);
        EXPECT_EQ(a.FCzyStopka, b.FCzyStopka);
        EXPECT_EQ(a.FCzyNrStronyStopki, b.FCzyNrStronyStopki);
        EXPECT_EQ(a.FCzyDrukDwustronnyStopki, b.FCzyDrukDwustronnyStopki);
        EXPECT_EQ(a.FCzyWstawiacSzablonPierwszejStrony, b.FCzyWstawiacSzablonPierwszejStrony);
        EXPECT_EQ(a.FTrescStopki, b.FTrescStopki);
        EXPECT_EQ(a.GetPierwszaStronaDocTemplate()->EncodedPath(), b.GetPierwszaStronaDocTemplate()->EncodedPath());
        EXPECT_EQ(a.GetPierwszaStronaOdtTemplate()->EncodedPath(), b.GetPierwszaStronaOdtTemplate()->EncodedPath());
        EXPECT_EQ(a.FCzyEksportDoc, b.FCzyEksportDoc);
        EXPECT_EQ(a.FCzyOtworzDoc, b.FCzyOtworzDoc);
        EXPECT_EQ(a.FCzyWstawTekstDoSt, b.FCzyWstawTekstDoSt);
        EXPECT_EQ(a.FTekstDoSt, b.FTekstDoSt);
        EXPECT_EQ(a.FCzyStylWNaglowku, b.FCzyStylWNaglowku);
        EXPECT_EQ(a.FNazwaStyluWNaglowku, b.FNazwaStyluWNaglowku);
        EXPECT_EQ(a.FCzyWeryfikujStylNaglowka, b.FCzyWeryfikujStylNaglowka);
        EXPECT_EQ(a.FCzyUstawMarginesy, b.FCzyUstawMarginesy);
        EXPECT_EQ(a.FMarginesL, b.FMarginesL);
        EXPECT_EQ(a.FMarginesR, b.FMarginesR);
        EXPECT_EQ(a.FMarginesG, b.FMarginesG);
        EXPECT_EQ(a.FMarginesD, b.FMarginesD);
        EXPECT_EQ(a.FCzyWstawListeStDoWarOgolnych, b.FCzyWstawListeStDoWarOgolnych);
        ASSERT_EQ(a.ExternalValueList().size(), b.ExternalValueList().size());
        for (size_t i = 0; i < a.ExternalValueList().size(); ++i) {
            const auto& [na, wa] = a.ExternalValueList()[i];
            const auto& [nb, wb] = b.ExternalValueList()[i];
            EXPECT_EQ(na, nb);
            EXPECT_EQ(wa.isNull(), wb.isNull()) << na.toStdString();
            EXPECT_EQ(wa.toString(), wb.toString()) << na.toStdString();
        }
    }

    // Every setting at its documented default (FWersjaProgramu aside).
    static void ExpectDomyslne(const TKonfiguracjaZestawu& k)
    {
        EXPECT_TRUE(k.FCzyNaglowek);
        EXPECT_EQ(k.FTrescNaglowka, QStringLiteral("Treść nagłówka"));
        EXPECT_TRUE(k.FCzyStopka);
        EXPECT_TRUE(k.FCzyNrStronyStopki);
        EXPECT_FALSE(k.FCzyDrukDwustronnyStopki);
        EXPECT_FALSE(k.FCzyWstawiacSzablonPierwszejStrony);
        EXPECT_EQ(k.FTrescStopki, QStringLiteral("Treść stopki"));
        EXPECT_EQ(k.GetPierwszaStronaDocTemplate()->EncodedPath(), QString());
        EXPECT_EQ(k.GetPierwszaStronaOdtTemplate()->EncodedPath(), QString());
        EXPECT_TRUE(k.FCzyEksportDoc);
        EXPECT_TRUE(k.FCzyOtworzDoc);
        EXPECT_FALSE(k.FCzyWstawTekstDoSt);
        EXPECT_EQ(k.FTekstDoSt, QString());
        EXPECT_FALSE(k.FCzyStylWNaglowku);
        EXPECT_EQ(k.FNazwaStyluWNaglowku, QString());
        EXPECT_TRUE(k.FCzyWeryfikujStylNaglowka);
        EXPECT_FALSE(k.FCzyUstawMarginesy);
        EXPECT_EQ(k.FMarginesL, 25);
        EXPECT_EQ(k.FMarginesR, 25);
        EXPECT_EQ(k.FMarginesG, 25);
        EXPECT_EQ(k.FMarginesD, 25);
        EXPECT_FALSE(k.FCzyWstawListeStDoWarOgolnych);
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
