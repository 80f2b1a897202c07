#include "estimates/KosztorysFactory.h"

#include "estimates/KosztorysAth1.h"
#include "estimates/KosztorysFwdSt.h"
#include "estimates/KosztorysRds.h"
#include "estimates/KosztorysRds7.h"
#include "estimates/KosztorysZuzia.h"
#include "estimates/edbud/KosztorysEdbud.h"

namespace {

template <typename T> TKosztorysFactory::TFormat Format()
{
    // Created without a path: some formats read at once when given one.
    return {[](bool renumeruj, bool indeksuj, bool nadpiszKopie,
               const TUstawieniaKosztorysu& ustawienia) -> std::unique_ptr<TKosztorys> {
                return std::make_unique<T>(QString(), renumeruj, indeksuj, nadpiszKopie, ustawienia);
            },
            [](const TKosztorys& k) { return dynamic_cast<const T*>(&k) != nullptr; }};
}

// A format's own extension and filter, asked of an empty estimate of its class.
QString Rozszerzenie(const TKosztorysFactory::TFormat& f)
{
    return f.Utworz(false, false, false, {})->GetDefaultExt();
}

QString Filtr(const TKosztorysFactory::TFormat& f)
{
    return f.Utworz(false, false, false, {})->GetFilter();
}

// The extension of the file name, from its last dot on, with ASCII letters lowered.
QString RozszerzeniePliku(const QString& sciezka)
{
    QString nazwa = sciezka;
    nazwa.replace(QLatin1Char('\\'), QLatin1Char('/'));
    nazwa = nazwa.mid(nazwa.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype kropka = nazwa.lastIndexOf(QLatin1Char('.'));
    if (kropka < 0)
        return {};
    QString wynik = nazwa.mid(kropka);
    for (QChar& z : wynik)
        if (z >= QLatin1Char('A') && z <= QLatin1Char('Z'))
            z = QChar(z.unicode() + ('a' - 'A'));
    return wynik;
}

} // namespace

const std::vector<TKosztorysFactory::TFormat>& TKosztorysFactory::FormatyWgRozszerzen()
{
    static const std::vector<TFormat> formaty{Format<TKosztorysRds>(),   Format<TKosztorysZuzia>(),
                                              Format<TKosztorysAth1>(),  Format<TKosztorysEdbud>(),
                                              Format<TKosztorysFwdSt>(), Format<TKosztorysRds7>()};
    return formaty;
}

const std::vector<TKosztorysFactory::TFormat>& TKosztorysFactory::FormatyWgFiltrow()
{
    static const std::vector<TFormat> formaty{Format<TKosztorysAth1>(),  Format<TKosztorysRds>(),
                                              Format<TKosztorysZuzia>(), Format<TKosztorysEdbud>(),
                                              Format<TKosztorysFwdSt>(), Format<TKosztorysRds7>()};
    return formaty;
}

const std::vector<TKosztorysFactory::TFormat>& TKosztorysFactory::FormatyWgKlas()
{
    static const std::vector<TFormat> formaty{Format<TKosztorysAth1>(),  Format<TKosztorysRds7>(),
                                              Format<TKosztorysZuzia>(), Format<TKosztorysEdbud>(),
                                              Format<TKosztorysFwdSt>(), Format<TKosztorysRds>()};
    return formaty;
}

std::unique_ptr<TKosztorys> TKosztorysFactory::GetKosztorys(const QString& filePath, bool wczytaj,
                                                            const TUstawieniaKosztorysu& ustawienia, bool renumeruj,
                                                            bool indeksuj, bool nadpiszKopie)
{
    const QString rozszerzenie = RozszerzeniePliku(filePath);
    if (rozszerzenie.isEmpty())
        return nullptr;
    for (const TFormat& f : FormatyWgRozszerzen()) {
        if (Rozszerzenie(f) != rozszerzenie)
            continue;
        if (!wczytaj)
            return f.Utworz(false, false, false, ustawienia);
        // Read once, here: an ATH estimate read twice with Indeksuj would repair its own repaired copy.
        std::unique_ptr<TKosztorys> kosztorys = f.Utworz(renumeruj, indeksuj, nadpiszKopie, ustawienia);
        kosztorys->FilePath().SetPath(filePath);
        kosztorys->WczytajKosztorys();
        return kosztorys;
    }
    return nullptr;
}

QStringList TKosztorysFactory::GetRozszerzenia()
{
    QStringList wynik;
    for (const TFormat& f : FormatyWgRozszerzen())
        wynik << Rozszerzenie(f);
    return wynik;
}

QStringList TKosztorysFactory::GetListaFiltrow()
{
    QStringList filtry;
    QStringList wzorce;
    for (const TFormat& f : FormatyWgFiltrow()) {
        filtry << Filtr(f);
        wzorce << QLatin1Char('*') + Rozszerzenie(f);
    }
    filtry << QStringLiteral("Wszystkie obsługiwane|") + wzorce.join(QLatin1Char(';'));
    return filtry;
}

QString TKosztorysFactory::GetFiltrDialogu()
{
    QStringList wynik;
    for (const QString& filtr : GetListaFiltrow()) {
        const QString opis = filtr.section(QLatin1Char('|'), 0, 0);
        const QString wzorce = filtr.section(QLatin1Char('|'), 1);
        // "Opis (*.ext)" already names its pattern; the last line gets its patterns listed.
        wynik << (opis.contains(QLatin1Char('('))
                      ? opis
                      : opis + QStringLiteral(" (") + QString(wzorce).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                            QLatin1Char(')'));
    }
    return wynik.join(QStringLiteral(";;"));
}

QString TKosztorysFactory::GetFilter(const TKosztorys& kosztorys)
{
    for (const TFormat& f : FormatyWgKlas())
        if (f.CzyTegoFormatu(kosztorys))
            return kosztorys.GetFilter();
    return {};
}

QString TKosztorysFactory::GetDefaultExtension(const TKosztorys& kosztorys)
{
    for (const TFormat& f : FormatyWgKlas())
        if (f.CzyTegoFormatu(kosztorys))
            return kosztorys.GetDefaultExt();
    return {};
}
