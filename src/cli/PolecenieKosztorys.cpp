#include "cli/PolecenieKosztorys.h"

#include "app/Wyjatki.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "cli/KonfiguracjaPolecenia.h"
#include "estimates/KosztorysFactory.h"
#include "estimates/KosztorysJson.h"

#include <QFileInfo>

namespace {

struct TArgumenty
{
    QString Plik;
    QString Kopia;
    QList<QPair<QString, QString>> NumeryST;
    bool Indeksuj = false;
    bool Renumeruj = false;
    bool NadpiszKopie = false;
};

TArgumenty Przetworz(const QStringList& argumenty)
{
    TArgumenty a;
    for (qsizetype i = 0; i < argumenty.size(); ++i) {
        const QString& arg = argumenty[i];
        auto Nastepny = [&]() -> QString {
            if (i + 1 >= argumenty.size())
                throw EBlad(QStringLiteral("Brak wartości opcji %1.").arg(arg));
            return argumenty[++i];
        };
        if (arg == QLatin1String("--zapisz")) {
            a.Kopia = Nastepny();
        } else if (arg == QLatin1String("--st")) {
            const QString para = Nastepny();
            const qsizetype rowna = para.indexOf(QLatin1Char('='));
            if (rowna <= 0)
                throw EBlad(QStringLiteral("Opcja --st wymaga postaci ID=NUMER: %1").arg(para));
            a.NumeryST.append({para.left(rowna), para.mid(rowna + 1)});
        } else if (arg == QLatin1String("--indeksuj")) {
            a.Indeksuj = true;
        } else if (arg == QLatin1String("--renumeruj")) {
            a.Renumeruj = true;
        } else if (arg == QLatin1String("--nadpisz-kopie")) {
            a.NadpiszKopie = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            throw EBlad(QStringLiteral("Nieznana opcja: %1").arg(arg));
        } else if (a.Plik.isEmpty()) {
            a.Plik = arg;
        } else {
            throw EBlad(QStringLiteral("Nadmiarowy argument: %1").arg(arg));
        }
    }
    if (a.Plik.isEmpty())
        throw EBlad(
            QStringLiteral("Podaj plik kosztorysu: velostra-cli kosztorys PLIK [--zapisz KOPIA] [--st ID=NUMER]..."));
    if (!a.NumeryST.isEmpty() && a.Kopia.isEmpty())
        throw EBlad(QStringLiteral("Opcja --st wymaga opcji --zapisz."));
    return a;
}

} // namespace

int TPolecenieKosztorys::Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream&)
{
    const TArgumenty a = Przetworz(argumenty);
    const TKonfiguracjaPolecenia konfiguracja;

    const QString plik = QFileInfo(a.Plik).absoluteFilePath();
    std::unique_ptr<TKosztorys> kosztorys = TKosztorysFactory::GetKosztorys(
        plik, true, konfiguracja.UstawieniaKosztorysu(), a.Renumeruj, a.Indeksuj, a.NadpiszKopie);
    if (!kosztorys)
        throw EBlad(QStringLiteral("Nieobsługiwany format pliku kosztorysu: %1 (obsługiwane: %2)")
                        .arg(a.Plik, TKosztorysFactory::GetRozszerzenia().join(QStringLiteral(", "))));
    for (const auto& [id, numer] : a.NumeryST) {
        int znalezionych = 0;
        kosztorys->DlaKazdejPozycji([&, id = id, numer = numer](TPozycjaRds& p) {
            if (p.Id() == id) {
                p.SetST(numer);
                ++znalezionych;
            }
        });
        if (znalezionych == 0)
            throw EBlad(QStringLiteral("W kosztorysie nie ma pozycji o identyfikatorze \"%1\".").arg(id));
    }
    if (!a.Kopia.isEmpty())
        kosztorys->SaveFile(QFileInfo(a.Kopia).absoluteFilePath());
    WypiszJson(wyjscie, KosztorysNaJson(*kosztorys));
    return KodSukces;
}

TPomocPolecenia TPolecenieKosztorys::Pomoc() const
{
    return {
        QStringLiteral("drzewo kosztorysu jako JSON, kopia z numerami ST"),
        {QStringLiteral("KOSZTORYS [--indeksuj] [--renumeruj] [--nadpisz-kopie]"),
         QStringLiteral("KOSZTORYS --zapisz KOPIA [--st ID=NUMER]...")},
        QStringLiteral("Wczytuje kosztorys w dowolnym obsługiwanym formacie i wypisuje jego drzewo (elementy i "
                       "pozycje) jako JSON. Z opcją --zapisz nadaje pozycjom o podanych identyfikatorach numery "
                       "specyfikacji technicznych i zapisuje kopię kosztorysu; plik źródłowy nie jest zmieniany."),
        {
            {QStringLiteral("--zapisz KOPIA"),
             QStringLiteral("zapisuje kopię kosztorysu z numerami ST do pliku KOPIA")},
            {QStringLiteral("--st ID=NUMER"), QStringLiteral("nadaje pozycji o identyfikatorze ID numer specyfikacji "
                                                             "NUMER; opcję można powtarzać; wymaga --zapisz")},
            {QStringLiteral("--indeksuj"),
             QStringLiteral("kosztorys ATH: nadaje pozycjom kolejne identyfikatory w kopii naprawczej obok pliku")},
            {QStringLiteral("--renumeruj"),
             QStringLiteral("kosztorys ATH: nadaje pozycjom kolejne numery w kopii naprawczej obok pliku")},
            {QStringLiteral("--nadpisz-kopie"),
             QStringLiteral("nadpisuje istniejącą kopię naprawczą zamiast zgłaszać błąd")},
        }};
}
