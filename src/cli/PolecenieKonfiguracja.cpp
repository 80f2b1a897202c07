#include "cli/PolecenieKonfiguracja.h"

#include "app/Konfiguracja.h"
#include "app/KonfiguracjaUstawienia.h"
#include "app/Wyjatki.h"
#include "cli/Cli.h"
#include "cli/Json.h"

#include <QJsonArray>

namespace {

// One setting's value as JSON: by its kind, as the table of settings describes it.
QJsonValue NaJson(const TUstawienie& u, const QVariant& w, const QString& katalogUzytkownika)
{
    switch (u.Rodzaj) {
    case TRodzajUstawienia::Logiczna:
        return w.toBool();
    case TRodzajUstawienia::Calkowita:
        return w.toInt();
    case TRodzajUstawienia::Liczba:
        return w.toDouble();
    case TRodzajUstawienia::Tekst:
    case TRodzajUstawienia::TekstDokladny:
        return w.toString();
    case TRodzajUstawienia::Sciezka: {
        TMyPath sciezka;
        sciezka.SetEncodedPath(w.toString());
        return QJsonObject{{QStringLiteral("zapisana"), sciezka.EncodedPath()},
                           {QStringLiteral("sciezka"), sciezka.GetPath(katalogUzytkownika)}};
    }
    case TRodzajUstawienia::Lista:
        return QJsonArray::fromStringList(w.toStringList());
    case TRodzajUstawienia::Wybor:
        return u.Wybory.value(w.toInt());
    case TRodzajUstawienia::Polozenie:
        return QJsonObject{{QString::fromLatin1(u.Atrybut), w.toPoint().x()},
                           {QString::fromLatin1(u.Atrybut2), w.toPoint().y()}};
    case TRodzajUstawienia::Rozmiar:
        return QJsonObject{{QString::fromLatin1(u.Atrybut), w.toSize().width()},
                           {QString::fromLatin1(u.Atrybut2), w.toSize().height()}};
    }
    return QJsonValue();
}

} // namespace

QJsonObject TPolecenieKonfiguracja::KonfiguracjaNaJson(const TKonfiguracja& k)
{
    QJsonObject w;
    for (const TUstawienie& u : UstawieniaKonfiguracji())
        w[u.Nazwa] = NaJson(u, u.Pobierz(k), k.GetUserPath());
    return w;
}

int TPolecenieKonfiguracja::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    if (!argumenty.isEmpty())
        throw EBlad(QStringLiteral("Polecenie \"konfiguracja\" nie przyjmuje argumentów: %1")
                        .arg(argumenty.join(QLatin1Char(' '))));
    TOknoBezEkranu okno;
    const bool istniala = TKonfiguracja::Istnieje();
    TKonfiguracja* k = TKonfiguracja::GetInstance(&okno, true);
    const QJsonObject wynik{{QStringLiteral("plik"), TKonfiguracja::GetConfFilePath()},
                            {QStringLiteral("wartosci"), KonfiguracjaNaJson(*k)}};
    // Reading the settings must not change the file.
    if (!istniala)
        TKonfiguracja::Zwolnij(false);
    WypiszJson(wyjscie, wynik);
    return KodSukces;
}

TPomocPolecenia TPolecenieKonfiguracja::Pomoc() const
{
    return {QStringLiteral("ścieżka pliku konfiguracji i wszystkie ustawienia (JSON)"),
            {QStringLiteral("")},
            QStringLiteral("Wypisuje ścieżkę pliku konfiguracji programu i wartości wszystkich ustawień jako JSON. Nie "
                           "przyjmuje argumentów i nie zmienia pliku konfiguracji."),
            {

            }};
}
