#include "estimates/edbud/KosztorysEdbud.h"

#include "app/Liczby.h"
#include "app/Pliki.h"
#include "app/TabeleKodow.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/edbud/BazaMdb.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

namespace {

const QString BladOdczytu = QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku.");
const QString BrakZapisu = QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku.");
const QString BladZapisu =
    QStringLiteral("Błąd zapisu danych o specyfikacjach w kosztorysie. Plik kosztorysu jest nieprawidłowy.");

bool CzyDaSieCzytac(const QString& sciezka)
{
    QFile plik(sciezka);
    return plik.open(QIODevice::ReadOnly);
}

// A row of the reading query: a chapter joined with one of its positions.
struct TRekord
{
    const TBazaMdb::TWiersz* Rozdzial;
    const TBazaMdb::TWiersz* Pozycja;
};

// Bytes of a database in memory put into a file for the database library.
bool ZapiszPlikTymczasowy(const QString& sciezka, const QByteArray& dane)
{
    QFile plik(sciezka);
    return plik.open(QIODevice::WriteOnly | QIODevice::Truncate) && plik.write(dane) == dane.size() && plik.flush();
}

qint64 Calkowita(const QVariant& v)
{
    bool ok = false;
    const qint64 w = v.toLongLong(&ok);
    return ok ? w : 0;
}

} // namespace

TKosztorysEdbud::TKosztorysEdbud(const QString& filePath, bool renumeruj, bool indeksuj, bool nadpiszKopie,
                                 const TUstawieniaKosztorysu& ustawienia)
    : TKosztorys(filePath, renumeruj, indeksuj, nadpiszKopie, ustawienia)
{
}

QString TKosztorysEdbud::TekstWartosci(const QVariant& wartosc)
{
    if (wartosc.isNull() || !wartosc.isValid())
        return QString();
    switch (wartosc.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(wartosc.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return LiczbaNaTekst(wartosc.toDouble());
    default:
        return wartosc.toString().trimmed();
    }
}

QMap<QString, QString> TKosztorysEdbud::KodyJednostek(const QString& bazaJednostek)
{
    QMap<QString, QString> kody = WczytajKodyJednostek();
    DopiszJednostkiBazy(kody, bazaJednostek);
    return kody;
}

QMap<QString, QString> TKosztorysEdbud::KodyJednostek(const QString& plikListy, const QString& bazaJednostek)
{
    QMap<QString, QString> kody = WczytajKodyJednostek(plikListy);
    DopiszJednostkiBazy(kody, bazaJednostek);
    return kody;
}

void TKosztorysEdbud::DopiszJednostkiBazy(QMap<QString, QString>& kody, const QString& baza)
{
    // Only over a list that gave codes; a damaged unit database leaves the program's own codes.
    if (kody.isEmpty() || baza.trimmed().isEmpty() || !QFileInfo(baza).isFile())
        return;
    try {
        const auto jednostki = TBazaMdb::OtworzDoOdczytu(baza)->CzytajTabele(
            QStringLiteral("UNITS"), {QStringLiteral("code"), QStringLiteral("name")});
        for (const auto& w : jednostki)
            kody.insert(TekstWartosci(w.value(QStringLiteral("code"))), TekstWartosci(w.value(QStringLiteral("name"))));
    } catch (const EBlad&) {
    }
}

bool TKosztorysEdbud::CzyPrawidlowyPlikJdnMdb(const QString& jdnPath)
{
    if (!QFileInfo(jdnPath).isFile())
        return false;
    try {
        return !TBazaMdb::OtworzDoOdczytu(jdnPath)
                    ->CzytajTabele(QStringLiteral("UNITS"), {QStringLiteral("code"), QStringLiteral("name")})
                    .empty();
    } catch (const EBlad&) {
        return false;
    }
}

void TKosztorysEdbud::Wczytaj()
{
    const QString sciezka = FilePath().GetPath();
    if (!QFileInfo(sciezka).isFile())
        throw EBlad(QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    SetTytul(NazwaPlikuBezRozszerzenia(sciezka));
    Opis = QStringLiteral("Kosztorys");
    CzytajBaze(sciezka);
}

void TKosztorysEdbud::CzytajDane(const QByteArray& dane)
{
    const QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("kosztorys.mdb"));
    if (!katalog.isValid() || !ZapiszPlikTymczasowy(plik, dane))
        throw EBlad(BladOdczytu);
    CzytajBaze(plik);
}

void TKosztorysEdbud::CzytajBaze(const QString& sciezka)
{
    const QMap<QString, QString> jednostki = KodyJednostek(Ustawienia().EdbudJdnMdbPath);

    std::vector<TBazaMdb::TWiersz> rozdzialy, pozycje;
    try {
        auto baza = TBazaMdb::OtworzDoOdczytu(sciezka);
        rozdzialy =
            baza->CzytajTabele(QStringLiteral("chapters"), {QStringLiteral("chapterid"), QStringLiteral("lp"),
                                                            QStringLiteral("name"), QStringLiteral("posorder")});
        pozycje = baza->CzytajTabele(QStringLiteral("positions"),
                                     {QStringLiteral("positionid"), QStringLiteral("chapterid"), QStringLiteral("lp"),
                                      QStringLiteral("code"), QStringLiteral("name"), QStringLiteral("unit"),
                                      QStringLiteral("quantitystring"), QStringLiteral("ts"), QStringLiteral("price"),
                                      QStringLiteral("posorder")});
    } catch (const EBlad&) {
        throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
    }

    // The reading query, done here: chapters joined with their positions, ordered by the two orders. The
    // sort is stable, so rows of equal order keep the tables' order.
    QHash<QString, std::vector<const TBazaMdb::TWiersz*>> pozycjeRozdzialu;
    for (const auto& p : pozycje)
        if (!p.value(QStringLiteral("chapterid")).isNull())
            pozycjeRozdzialu[TekstWartosci(p.value(QStringLiteral("chapterid")))].push_back(&p);
    std::vector<TRekord> rekordy;
    rekordy.reserve(pozycje.size());
    for (const auto& r : rozdzialy) {
        if (r.value(QStringLiteral("chapterid")).isNull())
            continue;
        const auto it = pozycjeRozdzialu.constFind(TekstWartosci(r.value(QStringLiteral("chapterid"))));
        if (it != pozycjeRozdzialu.constEnd())
            for (const TBazaMdb::TWiersz* p : *it)
                rekordy.push_back({&r, p});
    }
    std::stable_sort(rekordy.begin(), rekordy.end(), [](const TRekord& a, const TRekord& b) {
        const qint64 ra = Calkowita(a.Rozdzial->value(QStringLiteral("posorder")));
        const qint64 rb = Calkowita(b.Rozdzial->value(QStringLiteral("posorder")));
        if (ra != rb)
            return ra < rb;
        return Calkowita(a.Pozycja->value(QStringLiteral("posorder"))) <
               Calkowita(b.Pozycja->value(QStringLiteral("posorder")));
    });

    TElementRds* biezacy = nullptr;
    QString poprzedni;
    bool pierwszy = true;
    for (const TRekord& rekord : rekordy) {
        const QString id = TekstWartosci(rekord.Rozdzial->value(QStringLiteral("chapterid")));
        if (pierwszy || id != poprzedni) {
            biezacy = AddElement(
                std::make_unique<TElementRds>(TekstWartosci(rekord.Rozdzial->value(QStringLiteral("lp"))), 0,
                                              TekstWartosci(rekord.Rozdzial->value(QStringLiteral("name")))));
            poprzedni = id;
            pierwszy = false;
        }
        const TBazaMdb::TWiersz& w = *rekord.Pozycja;
        // Stored at once: a position being read reports no change.
        TPozycjaRds::TTeksty t;
        t.Id = TekstWartosci(w.value(QStringLiteral("positionid")));
        t.Nr = TekstWartosci(w.value(QStringLiteral("lp")));
        t.ST = NormalizujSeparatorWariantu(TekstWartosci(w.value(QStringLiteral("ts"))), Ustawienia());
        t.Podstawa = TekstWartosci(w.value(QStringLiteral("code")));
        t.Opis = TekstWartosci(w.value(QStringLiteral("name")));
        t.Cena = TekstWartosci(w.value(QStringLiteral("price")));
        t.Jm = jednostki.value(TekstWartosci(w.value(QStringLiteral("unit"))));
        t.Ilosc = TekstWartosci(w.value(QStringLiteral("quantitystring")));
        biezacy->AddPozycja(std::make_unique<TPozycjaRds>(std::move(t), WspolnyHandlerPozycji()));
    }
}

void TKosztorysEdbud::ZapiszNumery(const QString& sciezka) const
{
    try {
        // Every number in one pass over the positions' table.
        QHash<QString, QString> numery;
        for (int e = 0; e < ElementyCount(); ++e) {
            const TElementRds* element = GetElement(e);
            for (int i = 0; i < element->PozycjeCount(); ++i) {
                const TPozycjaRds* p = element->GetPozycja(i);
                numery.insert(p->Id(), STDoZapisu(*p, Ustawienia()));
            }
        }
        TBazaMdb::OtworzDoZapisu(sciezka)->UstawTeksty(QStringLiteral("positions"), QStringLiteral("positionid"),
                                                       numery, QStringLiteral("ts"));
    } catch (const EBlad&) {
        throw EBlad(BladZapisu);
    }
}

QByteArray TKosztorysEdbud::KopiaDanych(const QByteArray& zrodlo) const
{
    const QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("kopia.mdb"));
    if (!katalog.isValid() || !ZapiszPlikTymczasowy(plik, zrodlo))
        throw EBlad(BrakZapisu);
    ZapiszNumery(plik);
    try {
        return CzytajCalyPlik(plik);
    } catch (const EOdczytPliku&) {
        throw EBlad(BrakZapisu);
    }
}

void TKosztorysEdbud::SaveFile(const QString& newFilePath)
{
    const QString zrodlo = FilePath().GetPath();
    if (!QFileInfo(zrodlo).isFile() || !CzyDaSieCzytac(zrodlo))
        throw EBlad(BladOdczytu);
    if (QFileInfo::exists(newFilePath) && !CzyDaSieCzytac(newFilePath))
        throw EBlad(BrakZapisu);
    if (CzyTenSamPlik(zrodlo, newFilePath))
        throw EBlad(BrakZapisu);

    // The database is copied beside its target and changed there; it takes the target's name only when
    // every number is in, so a failure leaves the target as it was and no half-written database behind.
    TZamianaPliku zamiana(newFilePath);
    if (!QFile::copy(zrodlo, zamiana.Sciezka()))
        throw EBlad(BrakZapisu);
    // The copy keeps the source's rights, which may forbid writing it.
    QFile(zamiana.Sciezka()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    ZapiszNumery(zamiana.Sciezka());
    try {
        zamiana.Zastap();
    } catch (const EBlad&) {
        throw EBlad(BrakZapisu);
    }
}
