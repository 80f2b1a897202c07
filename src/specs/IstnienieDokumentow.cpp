#include "specs/IstnienieDokumentow.h"

#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>

#include <algorithm>

#include <dirent.h>
#include <unistd.h>

namespace {

// A folder is read once it has been asked about this many times: a list whose documents lie in many
// folders, one or two in each, pays no readings of folders full of other files.
constexpr int PytanPrzedOdczytem = 8;

thread_local TIstnienieDokumentow* BiezaceNaWatku = nullptr;
thread_local std::uint32_t PokolenieNaWatku = 0;
thread_local std::uint32_t OstatniePokolenie = 0;

// An absolute folder with nothing for the system to resolve: its reading answers for the names in it.
bool CzyProstyKatalog(const QString& katalog)
{
    return katalog.startsWith(QLatin1Char('/')) && !katalog.contains(QLatin1String("//")) &&
           !katalog.contains(QLatin1String("/./")) && !katalog.contains(QLatin1String("/../")) &&
           !katalog.endsWith(QLatin1String("/.")) && !katalog.endsWith(QLatin1String("/.."));
}

std::uint32_t SkrotNazwy(QStringView nazwa)
{
    return static_cast<std::uint32_t>(qHash(nazwa, QHashSeed::globalSeed()));
}

} // namespace

void TIstnienieDokumentow::TNazwy::Dodaj(QStringView nazwa)
{
    FNazwy.emplace_back(static_cast<std::uint32_t>(FZnaki.size()), static_cast<std::uint32_t>(nazwa.size()));
    FZnaki.insert(FZnaki.end(), nazwa.utf16(), nazwa.utf16() + nazwa.size());
}

void TIstnienieDokumentow::TNazwy::Zakoncz()
{
    // At most half full: probes stay short.
    std::size_t rozmiar = 16;
    while (rozmiar < FNazwy.size() * 2)
        rozmiar *= 2;
    FSloty.assign(rozmiar, TSlot());
    const std::size_t maska = rozmiar - 1;
    for (std::size_t n = 0; n < FNazwy.size(); ++n) {
        const auto [od, dlugosc] = FNazwy[n];
        const std::uint32_t skrot = SkrotNazwy(QStringView(FZnaki.data() + od, dlugosc));
        std::size_t i = skrot & maska;
        while (FSloty[i].Nazwa != 0)
            i = (i + 1) & maska;
        FSloty[i] = {skrot, static_cast<std::uint32_t>(n + 1)};
    }
}

bool TIstnienieDokumentow::TNazwy::Zawiera(QStringView nazwa) const
{
    if (FSloty.empty())
        return false;
    const std::uint32_t skrot = SkrotNazwy(nazwa);
    const std::size_t maska = FSloty.size() - 1;
    for (std::size_t i = skrot & maska; FSloty[i].Nazwa != 0; i = (i + 1) & maska) {
        if (FSloty[i].Skrot != skrot)
            continue;
        const auto [od, dlugosc] = FNazwy[FSloty[i].Nazwa - 1];
        if (QStringView(FZnaki.data() + od, dlugosc) == nazwa)
            return true;
    }
    return false;
}

void TIstnienieDokumentow::Wczytaj(const QByteArray& katalog, TKatalog& wpis)
{
    wpis.Wczytany = true;
    // Without search permission stat would fail for every entry that the reading lists.
    if (::access(katalog.constData(), X_OK) != 0)
        return;
    DIR* dir = ::opendir(katalog.constData());
    if (!dir)
        return;
    std::vector<char16_t> szeroka; // an ASCII name, one character per byte
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_type != DT_REG)
            continue;
        const QByteArrayView bajty(e->d_name);
        // ASCII reads back as it was; other names are decoded and checked.
        if (std::all_of(bajty.begin(), bajty.end(), [](char z) { return static_cast<unsigned char>(z) < 0x80; })) {
            szeroka.assign(bajty.begin(), bajty.end());
            wpis.Pliki.Dodaj(QStringView(szeroka.data(), static_cast<qsizetype>(szeroka.size())));
            continue;
        }
        const QString nazwa = QFile::decodeName(bajty.toByteArray());
        if (QFile::encodeName(nazwa) == bajty)
            wpis.Pliki.Dodaj(nazwa);
    }
    ::closedir(dir);
    wpis.Pliki.Zakoncz();
}

bool TIstnienieDokumentow::CzyPlik(const QString& sciezka)
{
    const qsizetype separator = sciezka.lastIndexOf(QLatin1Char('/'));
    const QStringView nazwa = QStringView(sciezka).sliced(separator + 1);
    if (separator > 0 && !nazwa.isEmpty() && nazwa != u"." && nazwa != u"..") {
        TKatalog* wpis = nullptr;
        if (FOstatni && QStringView(sciezka).left(separator) == FOstatniKatalog) {
            wpis = FOstatni;
        } else if (CzyProstyKatalog(sciezka.left(separator))) {
            // QHash keeps a value in place until something is added: the pointer is replaced whenever
            // another folder is.
            wpis = &FKatalogi[QFile::encodeName(sciezka.left(separator))];
            FOstatniKatalog = sciezka.left(separator);
            FOstatni = wpis;
        }
        if (wpis) {
            if (!wpis->Wczytany && ++wpis->Pytan >= PytanPrzedOdczytem)
                Wczytaj(QFile::encodeName(FOstatniKatalog), *wpis);
            // The name looked up in place: no copy per document.
            if (wpis->Pliki.Zawiera(nazwa))
                return true;
        }
    }
    return QFileInfo(sciezka).isFile();
}

TZakresIstnieniaDokumentow::TZakresIstnieniaDokumentow(TIstnienieDokumentow& istnienie)
    : FPoprzednie(BiezaceNaWatku), FPoprzedniePokolenie(PokolenieNaWatku)
{
    BiezaceNaWatku = &istnienie;
    if (++OstatniePokolenie == 0)
        ++OstatniePokolenie;
    PokolenieNaWatku = OstatniePokolenie;
}

TZakresIstnieniaDokumentow::~TZakresIstnieniaDokumentow()
{
    BiezaceNaWatku = FPoprzednie;
    PokolenieNaWatku = FPoprzedniePokolenie;
}

std::uint32_t TZakresIstnieniaDokumentow::Pokolenie()
{
    return PokolenieNaWatku;
}

TIstnienieDokumentow* TZakresIstnieniaDokumentow::Biezace()
{
    return BiezaceNaWatku;
}

bool CzyDokumentIstnieje(const QString& sciezka)
{
    if (TIstnienieDokumentow* istnienie = TZakresIstnieniaDokumentow::Biezace())
        return istnienie->CzyPlik(sciezka);
    return QFileInfo(sciezka).isFile();
}
