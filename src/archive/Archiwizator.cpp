#include "archive/Archiwizator.h"

#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "archive/Archiwum.h"
#include "archive/BezpieczneSciezki.h"
#include "archive/WyjatkiArchiwum.h"

#include <QDir>
#include <QFileInfo>

// ---------------------------------------------------------------- TPakowanie

QString TPakowanie::WolnaNazwa(const QString& nazwa) const
{
    if (!FArchiwum.CzyJestPlik(nazwa))
        return nazwa;
    const qsizetype ukosnik = nazwa.lastIndexOf(QLatin1Char('\\'));
    const qsizetype kropka = nazwa.lastIndexOf(QLatin1Char('.'));
    const qsizetype podzial = kropka > ukosnik + 1 ? kropka : nazwa.size();
    for (int n = 2;; ++n) {
        const QString kandydat = nazwa.left(podzial) + QStringLiteral(" (%1)").arg(n) + nazwa.mid(podzial);
        if (!FArchiwum.CzyJestPlik(kandydat))
            return kandydat;
    }
}

QString TPakowanie::DodajPlik(const QString& sciezka, const QString& prefiks)
{
    const QString klucz = QDir::cleanPath(QFileInfo(sciezka).absoluteFilePath());
    const auto znany = FWpisyPlikow.find(klucz);
    if (znany != FWpisyPlikow.end())
        return znany->second;
    const QString nazwa = WolnaNazwa(prefiks + QFileInfo(sciezka).fileName());
    FArchiwum.DodajPlik(nazwa, sciezka);
    FWpisyPlikow.emplace(klucz, nazwa);
    return nazwa;
}

QString TPakowanie::DodajDane(const QString& nazwa, const QByteArray& dane)
{
    const QString wolna = WolnaNazwa(nazwa);
    FArchiwum.DodajDane(wolna, dane);
    return wolna;
}

// ---------------------------------------------------------------- TRozpakowanie

void TRozpakowanie::WypakujZaplanowane()
{
    std::vector<std::pair<QString, QString>> wpisy;
    wpisy.swap(FDoWypakowania);
    FArchiwum.WypakujPliki(wpisy, FOpcje.CzyNadpisuj);
}

void TRozpakowanie::Zaplanuj(const QString& nazwaWpisu, const QString& cel)
{
    const auto [miejsce, nowy] = FPlan.emplace(cel, nazwaWpisu);
    if (!nowy && miejsce->second.compare(nazwaWpisu, Qt::CaseInsensitive) != 0)
        throw EBlad(QStringLiteral("Plik istnieje: ") + cel);
}

// ---------------------------------------------------------------- TArchiwizator

QString TArchiwizator::RozwinSciezke(const QString& zakodowana) const
{
    TMyPath sciezka(FKatalogUzytkownika);
    sciezka.SetEncodedPath(zakodowana.trimmed());
    return sciezka.GetPath();
}

QString TArchiwizator::ZakodujSciezke(const QString& sciezka) const
{
    TMyPath wynik(FKatalogUzytkownika);
    wynik.SetPath(sciezka);
    return wynik.EncodedPath();
}

void TArchiwizator::ZmienAtrybut(pugi::xml_node wezel, const char* atrybut, const QString& wartosc)
{
    pugi::xml_attribute a = wezel.attribute(atrybut);
    if (!a)
        a = wezel.append_attribute(atrybut);
    a.set_value(wartosc.toUtf8().constData());
}

void TArchiwizator::ArchiwizujAtrybut(pugi::xml_node wezel, const char* atrybut, const QString& prefiks,
                                      TPakowanie& pakowanie) const
{
    const QString wartosc = XmlNaTekst(wezel.attribute(atrybut)).trimmed();
    if (wartosc.isEmpty())
        return;
    const QString sciezka = RozwinSciezke(wartosc);
    if (!QFileInfo(sciezka).isFile())
        return;
    ZmienAtrybut(wezel, atrybut, pakowanie.DodajPlik(sciezka, prefiks));
}

void TArchiwizator::DodajBrak(pugi::xml_node wezel, const char* atrybut, TListaBrakowPlikow& lista) const
{
    const QString wartosc = XmlNaTekst(wezel.attribute(atrybut)).trimmed();
    if (wartosc.isEmpty())
        return;
    const QString sciezka = RozwinSciezke(wartosc);
    if (!QFileInfo(sciezka).isFile())
        lista.Dodaj(sciezka);
}

void TArchiwizator::WalidujCel(const QString& cel, TRozpakowanie& rozpakowanie) const
{
    if (!rozpakowanie.Opcje().CzyNadpisuj && QFileInfo::exists(cel))
        throw EBlad(QStringLiteral("Plik istnieje: ") + cel);
    if (!FWalidator.SprawdzSciezke(cel))
        throw EZaDlugaSciezkaException(cel);
    SprawdzCelRozpakowania(rozpakowanie.Folder(), cel);
    if (QFileInfo(cel).isDir())
        throw EBlad(QStringLiteral("Plik istnieje: ") + cel);
}

QString TArchiwizator::WalidujAtrybut(pugi::xml_node wezel, const char* atrybut, const QString& folder,
                                      TRozpakowanie& rozpakowanie) const
{
    const QString wartosc = XmlNaTekst(wezel.attribute(atrybut)).trimmed();
    if (!CzyOdwolanieDoArchiwum(wartosc))
        return {};
    SprawdzNazweWArchiwum(wartosc);
    const QString nazwa = NazwaZUkosnikamiWstecz(wartosc);
    rozpakowanie.Archiwum().GetIndexPliku(nazwa);
    const QString cel = folder + QLatin1Char('/') + OstatniSkladnikNazwy(nazwa);
    WalidujCel(cel, rozpakowanie);
    rozpakowanie.Zaplanuj(nazwa, cel);
    return cel;
}

void TArchiwizator::RozpakujAtrybut(pugi::xml_node wezel, const char* atrybut, const QString& folder,
                                    TRozpakowanie& rozpakowanie) const
{
    const QString wartosc = XmlNaTekst(wezel.attribute(atrybut)).trimmed();
    if (!CzyOdwolanieDoArchiwum(wartosc))
        return;
    const QString nazwa = NazwaZUkosnikamiWstecz(wartosc);
    const QString cel = folder + QLatin1Char('/') + OstatniSkladnikNazwy(nazwa);
    if (rozpakowanie.CzyDoZapisu(cel)) {
        if (!QDir().mkpath(folder))
            throw EBlad(QStringLiteral("Nie można utworzyć folderu: ") + folder);
        rozpakowanie.DoWypakowania(nazwa, folder);
    }
    ZmienAtrybut(wezel, atrybut, ZakodujSciezke(cel));
}
