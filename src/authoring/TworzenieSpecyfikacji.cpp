#include "authoring/TworzenieSpecyfikacji.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "authoring/FolderDocelowy.h"
#include "docs/ZbiorEksporter.h"
#include "specs/JmSpecyfikacji.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path SciezkaSystemowa(const QString& sciezka)
{
    return std::filesystem::path(QFile::encodeName(sciezka).toStdString());
}

QString TekstBledu(const std::error_code& blad)
{
    return QString::fromLocal8Bit(blad.message().c_str());
}

bool CzyPustyWiersz(const QString& a, const QString& b)
{
    return a.trimmed().isEmpty() && b.trimmed().isEmpty();
}

// Copies the file's bytes into a new file that must not exist yet.
void KopiujDoNowego(const QString& zrodlo, const QString& cel, const QString& celDlaUzytkownika)
{
    const auto blad = [&](const QString& powod) {
        return EBlad(QStringLiteral("Nie można skopiować pliku \"%1\" do \"%2\": %3")
                         .arg(QDir::toNativeSeparators(zrodlo), QDir::toNativeSeparators(celDlaUzytkownika), powod));
    };
    QFile wejscie(zrodlo);
    if (!QFileInfo(zrodlo).isFile() && QFileInfo::exists(zrodlo))
        throw blad(QStringLiteral("to nie jest plik"));
    if (!wejscie.open(QIODevice::ReadOnly))
        throw blad(wejscie.errorString());
    QFile wyjscie(cel);
    if (!wyjscie.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw blad(wyjscie.errorString());
    QByteArray bufor;
    for (;;) {
        bufor = wejscie.read(1 << 16);
        if (bufor.isEmpty()) {
            if (wejscie.error() != QFileDevice::NoError)
                throw blad(wejscie.errorString());
            break;
        }
        if (wyjscie.write(bufor) != bufor.size())
            throw blad(wyjscie.errorString());
    }
    if (!wyjscie.flush())
        throw blad(wyjscie.errorString());
    wyjscie.close();
}

} // namespace

TTworzenieSpecyfikacji::TTworzenieSpecyfikacji(TZbiorEksporter& edytor) : FEdytor(&edytor) {}

QString TTworzenieSpecyfikacji::SciezkaNowegoPliku(const QString& folder, const QString& numer,
                                                   const QString& tytulNaLiscie, const QString& plikPodstawy)
{
    const QString tekst = (numer + QLatin1Char(' ') + tytulNaLiscie).trimmed();
    const QString nazwa = BezpiecznaNazwa(tekst);
    if (nazwa.isEmpty())
        throw EBlad(
            QStringLiteral("Nie można utworzyć nazwy pliku z numeru i tytułu specyfikacji: \"%1\".").arg(tekst));
    const QString sufiks = QFileInfo(plikPodstawy).suffix();
    const QString rozszerzenie = sufiks.isEmpty() ? QString() : QLatin1Char('.') + sufiks;
    return QDir::cleanPath(folder + QLatin1Char('/') + nazwa + rozszerzenie);
}

QString TTworzenieSpecyfikacji::TekstJednostek(const TDaneTworzeniaSpecyfikacji& dane)
{
    if (!dane.CzyWstawJednostki)
        return QString();
    QStringList linie;
    for (const TJednostkaDoWstawienia& j : dane.Jednostki) {
        if (!CzyPustyWiersz(j.Nazwa, j.Opis))
            linie << j.Nazwa + QLatin1Char(' ') + j.Opis;
    }
    return linie.join(QLatin1Char('\n'));
}

QString TTworzenieSpecyfikacji::TekstKodowCpv(const TDaneTworzeniaSpecyfikacji& dane)
{
    if (!dane.CzyWstawKodyCpv)
        return QString();
    QStringList linie;
    for (const TKodCpvDoWstawienia& k : dane.KodyCpv) {
        if (!CzyPustyWiersz(k.Kod, k.Nazwa))
            linie << k.Nazwa + QStringLiteral(" (") + k.Kod + QLatin1Char(')');
    }
    return linie.join(QLatin1Char('\n'));
}

TWynikTworzeniaSpecyfikacji TTworzenieSpecyfikacji::Stworz(const TDaneTworzeniaSpecyfikacji& dane)
{
    const QString folder =
        dane.WybranaWlasnaSciezka.trimmed().isEmpty() ? dane.FolderDocelowy : dane.WybranaWlasnaSciezka;
    if (folder.trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wybrać ścieżkę docelową"));
    if (dane.PlikPodstawy.trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wybrać szablon lub istniejącą specyfikację."));
    const bool czySzablon = dane.RodzajPodstawy == TRodzajPodstawy::Szablon;
    const QString nowyPlik = SciezkaNowegoPliku(folder, dane.Numer, dane.TytulNaLiscie, dane.PlikPodstawy);

    std::error_code blad;
    std::filesystem::create_directories(SciezkaSystemowa(QFileInfo(nowyPlik).path()), blad);
    if (blad)
        throw EBlad(QStringLiteral("Nie można utworzyć folderu docelowego \"%1\": %2")
                        .arg(QDir::toNativeSeparators(QFileInfo(nowyPlik).path()), TekstBledu(blad)));

    // Overwriting the basis itself would, for a template, fill the template in place.
    if (QFileInfo::exists(nowyPlik) && CzyTenSamPlik(nowyPlik, dane.PlikPodstawy))
        throw EBlad(
            QStringLiteral("Plik docelowy jest wybranym plikiem podstawy: %1").arg(QDir::toNativeSeparators(nowyPlik)));

    // The temporary copy keeps the extension, by which the document application knows the format. A link
    // in the new file's place is replaced, not written through.
    TZamianaPliku zamiana(nowyPlik, TOpcjeZamianyPliku{.PrzezDowiazanie = false, .ZRozszerzeniem = true});
    KopiujDoNowego(dane.PlikPodstawy, zamiana.Sciezka(), nowyPlik);

    TWynikTworzeniaSpecyfikacji wynik;
    if (czySzablon) {
        WypelnijSzablon(zamiana.Sciezka(), dane);
        if (dane.CzyWstawJednostki) {
            for (const TJednostkaDoWstawienia& j : dane.Jednostki) {
                if (!CzyPustyWiersz(j.Nazwa, j.Opis))
                    wynik.StworzoneJednostki.push_back(std::make_unique<TJmSpecyfikacji>(j.Nazwa, j.Opis, true));
            }
        }
    }

    try {
        zamiana.Zastap();
    } catch (const EZamianaPliku& e) {
        throw EBlad(
            QStringLiteral("Nie można skopiować pliku \"%1\" do \"%2\": %3")
                .arg(QDir::toNativeSeparators(dane.PlikPodstawy), QDir::toNativeSeparators(nowyPlik), e.Powod()));
    }

    wynik.StworzonyPlikStPath = nowyPlik;
    wynik.CzyOtworzPoUtworzeniu = dane.CzyOtworzPlik && (!czySzablon || dane.CzyEksportDoc);
    return wynik;
}

void TTworzenieSpecyfikacji::WypelnijSzablon(const QString& plik, const TDaneTworzeniaSpecyfikacji& dane)
{
    FEdytor->Otworz(plik);
    FEdytor->ZnajdzZamien(ZnacznikNumeru, dane.Numer);
    FEdytor->ZnajdzZamien(ZnacznikTytulu, dane.CzyWstawTytul ? dane.Tytul : QString());
    FEdytor->ZnajdzZamien(ZnacznikJednostek, TekstJednostek(dane));
    FEdytor->ZnajdzZamien(ZnacznikKodowCpv, TekstKodowCpv(dane));
    FEdytor->ZapiszIZamknij();
}
