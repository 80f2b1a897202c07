#include "workflow/PorzadkowanieSpisu.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "specs/SpisST.h"
#include "specs/StrukturaSst.h"
#include "specs/WariantSpecyfikacji.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// The limits of the other platform, where the ordered folders are also opened.
constexpr int MaksSciezkiFolderu = 247;
constexpr int MaksSciezkiPliku = 259;

const QString DrugaLiniaDlugosci = QStringLiteral("Zmień ustawienia porządkowania i spróbuj ponownie.");

QString Klucz(const QString& sciezka)
{
    return QDir::cleanPath(sciezka.trimmed()).toCaseFolded();
}

} // namespace

// ---------------------------------------------------------------- report

TPorzadkowanieLogger::TPorzadkowanieLogger(QString plikRaportu, QString nazwaListy)
    : FPlik(std::move(plikRaportu)), FNazwaListy(std::move(nazwaListy))
{
}

void TPorzadkowanieLogger::Dopisz(const QStringList& linie)
{
    QFile plik(FPlik);
    if (!plik.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        throw EBlad(QStringLiteral("Błąd tworzenia pliku logów: brak możliwości zapisu pliku."));
    const QByteArray tekst = (linie.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (plik.write(tekst) != tekst.size())
        throw EBlad(QStringLiteral("Błąd tworzenia pliku logów: brak możliwości zapisu pliku."));
    FLinie += linie;
}

void TPorzadkowanieLogger::ZapiszLog(const QString& plikZrodlowy, const QString& plikDocelowy, const QString& blad)
{
    QStringList linie;
    if (FBledow == 0) {
        const QString tytul = QStringLiteral("Porządkowanie struktury plików specyfikacji technicznych (") +
                              FNazwaListy + QStringLiteral(") - ") +
                              QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
        const QString kreska(tytul.size(), QLatin1Char('-'));
        linie << kreska << tytul << kreska;
    }
    if (plikZrodlowy.isEmpty()) {
        linie << QStringLiteral("Tworzenie folderu: ") + plikDocelowy;
    } else {
        linie << QStringLiteral("Plik źródłowy: ") + plikZrodlowy;
        linie << QStringLiteral("Plik docelowy: ") + plikDocelowy;
    }
    linie << QStringLiteral("Błąd: ") + blad << QStringLiteral("----");
    ++FBledow;
    Dopisz(linie);
}

// ---------------------------------------------------------------- plan

TPorzadkowanieSpisu::TPorzadkowanieSpisu(const TSpisST& spis, TOpcjePorzadkowania opcje)
    : FSpis(spis), FOpcje(std::move(opcje))
{
}

int TPorzadkowanieSpisu::Zaplanuj()
{
    FPlan.clear();
    const QString cel = QDir::cleanPath(FOpcje.FolderDocelowy.trimmed());
    if (FOpcje.FolderDocelowy.trimmed().isEmpty() || !QFileInfo(cel).isDir())
        throw EBlad(QStringLiteral("Wskazany folder docelowy nie istnieje."));
    const TMyPath& sciezkaListy = *FSpis.GetSpisStPath();
    if (sciezkaListy.EncodedPath().trimmed().isEmpty() || !QFileInfo(sciezkaListy.GetPath()).isFile())
        throw EBlad(QStringLiteral("Proszę zapisać listę specyfikacji."));
    QString opis;
    if (FOpcje.Struktura == TOpcjePorzadkowania::StrukturaNumer && FSpis.CzyIstniejePustyNumerWGrupie(opis))
        throw EBlad(QStringLiteral("Brak numeru w specyfikacji \"") + opis +
                    QStringLiteral("\".\nProszę uzupełnić numer w specyfikacji lub zmienić opcje kopiowania."));
    FFolderListy = cel + QLatin1Char('/') + NazwaPlikuBezRozszerzenia(sciezkaListy.GetPath()).trimmed();
    PlanujWezel(FSpis, FFolderListy);

    // Two documents that would land on one name would overwrite each other and bind two nodes to one
    // file: stopped here, before anything is copied.
    QHash<QString, QString> cele;
    for (const TKrok& k : FPlan)
        for (const TPlik& p : k.Pliki) {
            const auto it = cele.constFind(Klucz(p.Cel));
            if (it != cele.constEnd() && *it != Klucz(p.Zrodlo))
                throw EBlad(QStringLiteral("Dwa różne pliki specyfikacji trafiłyby do jednego pliku docelowego:\n") +
                            p.Cel + QStringLiteral("\n") + DrugaLiniaDlugosci);
            cele.insert(Klucz(p.Cel), Klucz(p.Zrodlo));
        }
    int plikow = 0;
    for (const TKrok& k : FPlan)
        plikow += static_cast<int>(k.Pliki.size());
    return plikow;
}

void TPorzadkowanieSpisu::PlanujWezel(const TSpecyfikacja& wezel, const QString& folder)
{
    if (folder.size() >= MaksSciezkiFolderu)
        throw EBlad(QStringLiteral("Przy wybranym folderze docelowym i opcjach porządkowania zostanie przekroczona "
                                   "maksymalna długość ścieżki systemu Windows dla folderu: \n") +
                    DrugaLiniaDlugosci);
    FPlan.push_back({folder, {}});
    const std::size_t krok = FPlan.size() - 1;
    auto dodajPlik = [&](TSpecyfikacja* w) {
        const QString zrodlo = w->GetPlik();
        if (zrodlo.isEmpty())
            return;
        const QString cel = folder + QLatin1Char('/') + QFileInfo(zrodlo).fileName();
        if (cel.size() >= MaksSciezkiPliku)
            throw EBlad(QStringLiteral("Przy wybranym folderze docelowym i opcjach porządkowania zostanie "
                                       "przekroczona maksymalna długość ścieżki systemu Windows dla pliku: \n") +
                        DrugaLiniaDlugosci);
        FPlan[krok].Pliki.push_back({w, zrodlo, cel});
    };
    for (int i = 0; i < wezel.Count(); ++i) {
        TSpecyfikacja* d = wezel.GetSpecyfikacja(i);
        if (!d->CzyGrupa()) {
            dodajPlik(d);
            // Variants' documents go with their specification's.
            for (int j = 0; j < d->WariantyCount(); ++j)
                dodajPlik(d->GetWariant(j));
            continue;
        }
        QString nazwa;
        if (FOpcje.Struktura == TOpcjePorzadkowania::StrukturaNumer)
            nazwa = UsunZnakiNiedozwolone(d->Numer()).trimmed();
        else if (FOpcje.Struktura == TOpcjePorzadkowania::StrukturaNumerIOpis)
            nazwa = UsunZnakiNiedozwolone(d->GetCaption()).trimmed();
        // A name of dots would climb out of the target folder.
        if (nazwa == QLatin1String(".") || nazwa == QLatin1String(".."))
            throw EBlad(QStringLiteral("Nazwa folderu grupy \"%1\" jest niedozwolona. Proszę poprawić numer lub "
                                       "tytuł grupy na liście specyfikacji.")
                            .arg(d->GetCaption()));
        PlanujWezel(*d, nazwa.isEmpty() ? folder : folder + QLatin1Char('/') + nazwa);
    }
}

// ---------------------------------------------------------------- copying

bool TPorzadkowanieSpisu::Kopiuj(TPorzadkowanieLogger& raport, const std::function<bool()>& czyZatrzymano,
                                 const std::function<void()>& krok)
{
    FSkopiowane.clear();
    ZapiszStruktureSst(FFolderListy, FOpcje.Struktura);
    // Copied documents need not wait on the disk one by one; each still replaces its target whole.
    TOpcjeZamianyPliku opcje;
    opcje.NaDysk = false;
    for (const TKrok& k : FPlan) {
        if (czyZatrzymano())
            break;
        if (!QFileInfo(k.Folder).isDir() && !QDir().mkpath(k.Folder))
            raport.ZapiszLog(QString(), k.Folder, QStringLiteral("Nie można utworzyć folderu."));
        for (const TPlik& p : k.Pliki) {
            if (czyZatrzymano())
                break;
            krok();
            if (Klucz(p.Zrodlo) == Klucz(p.Cel))
                continue;
            if (!FOpcje.Nadpisuj && QFileInfo::exists(p.Cel)) {
                raport.ZapiszLog(p.Zrodlo, p.Cel, QStringLiteral("Plik docelowy już istnieje: ") + p.Cel);
                continue;
            }
            try {
                KopiujPlik(p.Zrodlo, p.Cel, opcje);
                FSkopiowane.emplace_back(p.Wezel, p.Cel);
            } catch (const EBlad& e) {
                raport.ZapiszLog(p.Zrodlo, p.Cel, e.Komunikat());
            }
        }
    }
    return raport.Bledow() == 0;
}
