#pragma once

#include "app/Wyjatki.h"
#include "docs/ZbiorEksporter.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

// A document editor over plain text files: Otworz reads the file, ZnajdzZamien replaces every occurrence,
// ZapiszIZamknij writes the text back. Records each call as "Nazwa|argument|argument" and can be told to
// fail at a given call (counted from 0), before doing anything.
class TEdytorTestowy : public TZbiorEksporter
{
public:
    TEdytorTestowy() : TZbiorEksporter(std::make_unique<TTypPlikuWord>()) {}

    void ScalPliki(const QString& plikWynikowyPath, const std::vector<const TMyPath*>&) override
    {
        Zapisz(QStringList{QStringLiteral("ScalPliki"), plikWynikowyPath});
    }
    bool CzyTestListySTWWarunkachOgolnych(int& ilosc) override
    {
        Zapisz(QStringList{QStringLiteral("CzyTestListySTWWarunkachOgolnych")});
        ilosc = 0;
        return false;
    }
    void Otworz(const QString& plik) override
    {
        Zapisz(QStringList{QStringLiteral("Otworz"), plik});
        QFile f(plik);
        if (!f.open(QIODevice::ReadOnly))
            throw EBlad(QStringLiteral("Edytor nie otworzył pliku: ") + plik);
        FTresc = QString::fromUtf8(f.readAll());
        FOtwarty = plik;
        OtwartePliki << plik;
    }
    void ZnajdzZamien(const QString& szukanyTekst, const QString& podmienNa) override
    {
        Zapisz(QStringList{QStringLiteral("ZnajdzZamien"), szukanyTekst, podmienNa});
        if (FOtwarty.isEmpty())
            throw EBlad(QStringLiteral("Edytor: brak otwartego dokumentu"));
        FTresc.replace(szukanyTekst, podmienNa);
    }
    void ZapiszIZamknij() override
    {
        Zapisz(QStringList{QStringLiteral("ZapiszIZamknij")});
        if (FOtwarty.isEmpty())
            throw EBlad(QStringLiteral("Edytor: brak otwartego dokumentu"));
        QFile f(FOtwarty);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(FTresc.toUtf8()) < 0)
            throw EBlad(QStringLiteral("Edytor nie zapisał pliku: ") + FOtwarty);
        FOtwarty.clear();
    }

    QStringList Wywolania;
    QStringList OtwartePliki;
    int BladPrzyWywolaniu = -1;
    static inline const QString KomunikatBledu = QStringLiteral("Błąd aplikacji dokumentów (test)");

private:
    void Zapisz(const QStringList& wywolanie)
    {
        const int indeks = static_cast<int>(Wywolania.size());
        Wywolania << wywolanie.join(QLatin1Char('|'));
        if (indeks == BladPrzyWywolaniu)
            throw EBlad(KomunikatBledu);
    }

    QString FOtwarty;
    QString FTresc;
};
