#include "archive/Archiwum.h"

#include "app/Kodowanie.h"
#include "app/ZapisBezpieczny.h"
#include "app/ZipFile.h"
#include "app/ZipKompresja.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <future>
#include <thread>

namespace {

// Polish letters: Windows-1250 byte, code page 852 byte.
constexpr unsigned char TabelaLiter[][2] = {
    {0xB9, 0xA5}, {0xE6, 0x86}, {0xEA, 0xA9}, {0xB3, 0x88}, {0xF1, 0xE4}, {0xF3, 0xA2},
    {0x9C, 0x98}, {0x9F, 0xAB}, {0xBF, 0xBE}, {0xA5, 0xA4}, {0xC6, 0x8F}, {0xCA, 0xA8},
    {0xA3, 0x9D}, {0xD1, 0xE3}, {0xD3, 0xE0}, {0x8C, 0x97}, {0x8F, 0x8D}, {0xAF, 0xBD},
};

struct TMapy
{
    unsigned char NaCp852[256];
    unsigned char Na1250[256];
    TMapy()
    {
        for (int i = 0; i < 256; ++i)
            NaCp852[i] = Na1250[i] = static_cast<unsigned char>(i);
        for (const auto& para : TabelaLiter) {
            NaCp852[para[0]] = para[1];
            Na1250[para[1]] = para[0];
        }
        // Some tools write ł as 0x87; it reads as ł too.
        Na1250[0x87] = 0xB3;
    }
};

const TMapy& Mapy()
{
    static const TMapy mapy;
    return mapy;
}

QByteArray Przepisz(QByteArray bajty, const unsigned char (&mapa)[256])
{
    for (char& c : bajty)
        c = static_cast<char>(mapa[static_cast<unsigned char>(c)]);
    return bajty;
}

QString Klucz(const QString& nazwa)
{
    return nazwa.trimmed().toCaseFolded();
}

QString OstatniCzlon(const QString& nazwa)
{
    return nazwa.mid(nazwa.lastIndexOf(QLatin1Char('\\')) + 1);
}

bool CzyBezpiecznaNazwaPliku(const QString& nazwa)
{
    if (nazwa == QLatin1String(".") || nazwa == QLatin1String(".."))
        return false;
    for (const QChar c : nazwa)
        if (c.unicode() < 0x20 || c == QLatin1Char('/'))
            return false;
    return true;
}

} // namespace

struct TArchiwum::TKompresja
{
    int Indeks;
    std::future<TSkompresowane> Wynik;
};

namespace {

// Files deflated at once: one per core, and as many again waiting, so that no core idles between files.
size_t KompresjiNaRaz()
{
    return std::max(1u, std::thread::hardware_concurrency()) * 2;
}

} // namespace

TArchiwum::TArchiwum() : FZip(std::make_unique<TZipFile>()) {}

TArchiwum::~TArchiwum()
{
    // Nothing is taken from a worker any more; each future waits for its worker as it goes.
    FKompresje.clear();
}

void TArchiwum::DokonczNajstarsza()
{
    TKompresja kompresja = std::move(FKompresje.front());
    FKompresje.pop_front();
    FZip->SetDataSkompresowane(kompresja.Indeks, kompresja.Wynik.get());
}

void TArchiwum::DokonczWszystkie() const
{
    auto* ja = const_cast<TArchiwum*>(this);
    while (!ja->FKompresje.empty())
        ja->DokonczNajstarsza();
}

QByteArray TArchiwum::KodujNazwe(const QString& nazwa)
{
    QString tekst = nazwa;
    tekst.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return Przepisz(NaWindows1250(tekst), Mapy().NaCp852);
}

QString TArchiwum::DekodujNazwe(const QByteArray& bajty)
{
    QString tekst = ZWindows1250(Przepisz(bajty, Mapy().Na1250));
    tekst.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return tekst;
}

QString TArchiwum::NazwaWpisu(int i) const
{
    const TWpisZip& wpis = FZip->Wpis(i);
    if (wpis.CzyNazwaUtf8())
        return QString::fromUtf8(wpis.Nazwa).replace(QLatin1Char('/'), QLatin1Char('\\'));
    return DekodujNazwe(wpis.Nazwa);
}

void TArchiwum::OdbudujIndeks()
{
    FIndeks.clear();
    for (int i = 0; i < FZip->GetCount(); ++i)
        if (!FIndeks.contains(Klucz(NazwaWpisu(i))))
            FIndeks.insert(Klucz(NazwaWpisu(i)), i);
}

void TArchiwum::Otworz(const QString& zipPath)
{
    DokonczWszystkie();
    auto nowy = std::make_unique<TZipFile>();
    nowy->LoadFromFile(zipPath);
    // Every entry is proved whole now, so that a damaged archive is refused before anything is unpacked.
    nowy->Sprawdz();
    std::swap(FZip, nowy);
    try {
        OdbudujIndeks();
    } catch (...) {
        std::swap(FZip, nowy);
        OdbudujIndeks();
        throw;
    }
}

void TArchiwum::Zapisz(const QString& zipPath)
{
    DokonczWszystkie();
    FZip->SaveToFile(zipPath);
}

template <typename F> void TArchiwum::Dodaj(const QString& nazwaWArchiwum, F&& dodaj)
{
    const QString klucz = Klucz(nazwaWArchiwum);
    if (FIndeks.contains(klucz))
        return;
    const int i = FZip->AddFile(KodujNazwe(nazwaWArchiwum), 0);
    try {
        dodaj(i);
    } catch (...) {
        FZip->UsunOstatni();
        throw;
    }
    FIndeks.insert(klucz, i);
    if (OnWpis)
        OnWpis(FZip->GetCount(), 0);
}

void TArchiwum::DodajPlik(const QString& nazwaWArchiwum, QIODevice& strumien)
{
    Dodaj(nazwaWArchiwum, [&](int i) {
        if (!strumien.isOpen() && !strumien.open(QIODevice::ReadOnly))
            throw EBlad(QStringLiteral("Nie można otworzyć pliku \"%1\".").arg(nazwaWArchiwum));
        if (!strumien.isSequential())
            strumien.seek(0);
        FZip->SetDataZeStrumienia(i, strumien, nazwaWArchiwum);
    });
}

void TArchiwum::DodajPlik(const QString& nazwaWArchiwum, const QString& sciezkaPliku)
{
    Dodaj(nazwaWArchiwum, [&](int i) {
        auto plik = std::make_shared<QFile>(sciezkaPliku);
        // A file that cannot be opened is refused here, as the entry is added.
        if (!plik->open(QIODevice::ReadOnly))
            throw EBlad(QStringLiteral("Nie można otworzyć pliku \"%1\".").arg(sciezkaPliku));
        while (FKompresje.size() >= KompresjiNaRaz())
            DokonczNajstarsza();
        FKompresje.push_back({i, std::async(std::launch::async, [plik, sciezkaPliku] {
                                  return KompresujStrumien(*plik, TZipFile::MaksRozmiarWpisu, sciezkaPliku);
                              })});
    });
}

void TArchiwum::DodajDane(const QString& nazwaWArchiwum, const QByteArray& dane)
{
    Dodaj(nazwaWArchiwum, [&](int i) { FZip->SetData(i, dane); });
}

int TArchiwum::GetIndexPliku(const QString& nazwaWArchiwum) const
{
    const auto it = FIndeks.constFind(Klucz(nazwaWArchiwum));
    if (it == FIndeks.constEnd())
        throw EBlad(QStringLiteral("Brak pliku ") + nazwaWArchiwum + QStringLiteral(" w archiwum."));
    return it.value();
}

bool TArchiwum::CzyJestPlik(const QString& nazwaWArchiwum) const
{
    return FIndeks.contains(Klucz(nazwaWArchiwum));
}

QStringList TArchiwum::GetListaPlikow() const
{
    QStringList lista;
    for (int i = 0; i < FZip->GetCount(); ++i)
        lista << NazwaWpisu(i);
    return lista;
}

int TArchiwum::Count() const
{
    return FZip->GetCount();
}

QByteArray TArchiwum::WypakujPlik(const QString& nazwaWArchiwum) const
{
    DokonczWszystkie();
    const int i = GetIndexPliku(nazwaWArchiwum);
    try {
        return FZip->GetData(i);
    } catch (const EZipFileCRCError&) {
        throw EZipFileCRCError(QStringLiteral("CRC Error in \"%1\".").arg(NazwaWpisu(i)));
    }
}

QString TArchiwum::WypakujPlik(const QString& nazwaWArchiwum, const QString& folder, bool nadpisz) const
{
    DokonczWszystkie();
    const QString cel = WypakujDoFolderu(nazwaWArchiwum, folder, nadpisz);
    if (OnWpis)
        OnWpis(++FRozpakowanych, FZip->GetCount());
    return cel;
}

void TArchiwum::WypakujPliki(const std::vector<std::pair<QString, QString>>& wpisy, bool nadpisz) const
{
    DokonczWszystkie();
    std::deque<std::future<QString>> wToku;
    size_t nastepny = 0;
    const auto uruchom = [&] {
        while (nastepny < wpisy.size() && wToku.size() < KompresjiNaRaz()) {
            const std::pair<QString, QString>& wpis = wpisy[nastepny++];
            wToku.push_back(std::async(std::launch::async, [this, nazwa = wpis.first, folder = wpis.second, nadpisz] {
                return WypakujDoFolderu(nazwa, folder, nadpisz);
            }));
        }
    };
    uruchom();
    while (!wToku.empty()) {
        // A failure leaves the deque, whose futures wait for the files already being written.
        wToku.front().get();
        wToku.pop_front();
        if (OnWpis)
            OnWpis(++FRozpakowanych, FZip->GetCount());
        uruchom();
    }
}

// Thread-safe: reads the archive only, writes its own file.
QString TArchiwum::WypakujDoFolderu(const QString& nazwaWArchiwum, const QString& folder, bool nadpisz) const
{
    const int i = GetIndexPliku(nazwaWArchiwum);
    const QString nazwa = OstatniCzlon(NazwaWpisu(i));
    // A folder entry ("...\") has no file to write.
    if (nazwa.isEmpty())
        return {};
    if (!CzyBezpiecznaNazwaPliku(nazwa))
        throw EBlad(QStringLiteral("Nieprawidłowa nazwa pliku w archiwum: \"%1\".").arg(NazwaWpisu(i)));
    const QString cel = QDir(folder).filePath(nazwa);
    const QFileInfo info(cel);
    if (info.exists() || info.isSymLink()) {
        if (!nadpisz)
            throw EBlad(QStringLiteral("Plik istnieje: ") + cel);
        // Writing through a link could put the content anywhere; a link is never replaced by extraction.
        if (info.isSymLink())
            throw EBlad(QStringLiteral("Plik docelowy jest dowiązaniem symbolicznym i nie zostanie nadpisany: ") + cel);
    }
    if (!QDir().mkpath(folder))
        throw EBlad(QStringLiteral("Nie można utworzyć folderu \"%1\".").arg(folder));
    // The content goes to a file beside the target and takes its name only once whole and matching its CRC.
    // The rename replaces a link in the target's place, never writing through it; the file keeps the rights
    // it was made with. (No flush to disk per file: unpacking hundreds of documents would wait on the disk
    // for each one.)
    TZamianaPliku zamiana(cel, TOpcjeZamianyPliku{.PrzezDowiazanie = false, .ZachowajPrawa = false, .NaDysk = false});
    QFile plik(zamiana.Sciezka());
    if (!plik.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw EBlad(QStringLiteral("Nie można utworzyć pliku \"%1\": %2").arg(cel, plik.errorString()));
    try {
        FZip->GetData(i, [&](const char* dane, qsizetype n) {
            if (plik.write(dane, n) != n)
                throw EBlad(QStringLiteral("Błąd zapisu pliku \"%1\": %2").arg(cel, plik.errorString()));
        });
    } catch (const EZipFileCRCError&) {
        throw EZipFileCRCError(QStringLiteral("CRC Error in \"%1\".").arg(NazwaWpisu(i)));
    }
    plik.close();
    if (plik.error() != QFileDevice::NoError)
        throw EBlad(QStringLiteral("Błąd zapisu pliku \"%1\": %2").arg(cel, plik.errorString()));
    zamiana.Zastap();
    return cel;
}
