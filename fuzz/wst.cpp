// Any bytes as a ".wst" register imported into a small list whose documents exist in the user folder
// (registers name them as "%USERPATH%/a/x.doc"), with a dialog that goes round every answer, cancelling
// included. The import never crashes and fails only with EBlad; the counter counts at most one outcome per
// entry; the list's index answers every lookup as the plain walk does; and the list as saved opens again.
#include "DialogDuplikatowKolem.h"
#include "WezlySpisu.h"
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "specs/DuplikatStDialog.h"
#include "specs/ImporterWST.h"
#include "specs/LicznikImportuSt.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A folder in the temporary folder, with the documents the list refers to; it is the user folder.
const QString& FolderUzytkownika()
{
    static QTemporaryDir katalog;
    static const bool gotowy = [] {
        for (const char* nazwa : {"a/x.doc", "a/y.doc", "a/w.doc", "b/x.doc", "b/w.doc", "b/z.doc"}) {
            const QString sciezka = katalog.filePath(QString::fromUtf8(nazwa));
            QDir().mkpath(QFileInfo(sciezka).absolutePath());
            QFile plik(sciezka);
            if (!plik.open(QIODevice::WriteOnly) || plik.write("dokument") != 8)
                std::abort();
        }
        return true;
    }();
    static const QString sciezka = gotowy ? katalog.path() : QString();
    return sciezka;
}

std::unique_ptr<TSpecyfikacja> Wezel(const char* numer, bool grupa, const char* plik = nullptr)
{
    const QString p = plik ? TMyPath::Token + QLatin1Char('/') + QString::fromUtf8(plik) : QString();
    return std::make_unique<TSpecyfikacja>(QString::fromUtf8(numer), false, grupa, QString(), p, QStringLiteral("t"));
}

TSpecyfikacja* DodajDo(TSpecyfikacja& rodzic, std::unique_ptr<TSpecyfikacja> s)
{
    TSpecyfikacja* wezel = s.get();
    if (!rodzic.Add(std::move(s)))
        std::abort();
    return wezel;
}

// D > D-01 > (D-01.01 a/x.doc with variant a/w.doc, D-01.02 a/y.doc, D-01.09 > D-01.09.01); S-1 at the top.
void ZbudujListe(TSpisST& spis)
{
    TSpecyfikacja* d = DodajDo(spis, Wezel("D", true));
    TSpecyfikacja* d01 = DodajDo(*d, Wezel("D-01", true));
    TSpecyfikacja* x = DodajDo(*d01, Wezel("D-01.01", false, "a/x.doc"));
    x->AddWariant(std::make_unique<TWariantSpecyfikacji>(QStringLiteral("a"), QStringLiteral("w"),
                                                         TMyPath::Token + QStringLiteral("/a/w.doc"), QString()));
    DodajDo(*d01, Wezel("D-01.02", false, "a/y.doc"));
    DodajDo(*DodajDo(*d01, Wezel("D-01.09", true)), Wezel("D-01.09.01", false));
    DodajDo(spis, Wezel("S-1", false));
}

void PorownajZPrzejsciem(TSpisST& spis)
{
    std::vector<TSpecyfikacja*> wezly;
    Wezly(&spis, wezly);
    if (wezly.size() > 100)
        wezly.resize(100);
    const TFindSpecyfikacjaFlags flagi = fsUwzglednijGrupy | fsSzukajWGrupach | fsSzukajWSpecyfikacjach;
    for (TSpecyfikacja* w : wezly) {
        TWariantSpecyfikacji* w1 = nullptr;
        TWariantSpecyfikacji* w2 = nullptr;
        bool p1 = false;
        bool p2 = false;
        if (spis.FindSpecyfikacja(w->Numer(), w1, flagi, p1) !=
            spis.FindSpecyfikacjaPrzejscie(w->Numer(), w2, flagi, p2))
            std::abort();
        if (spis.FindSpecyfikacjaPlik(w->GetPlik(), w1) != spis.FindSpecyfikacjaPlikPrzejscie(w->GetPlik(), w2) ||
            w1 != w2)
            std::abort();
    }
}

int Wpisow(const QByteArray& bajty)
{
    return static_cast<int>(bajty.count('<'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = [] {
        TKonfiguracja* k = TKonfiguracja::GetInstance(&okno, false);
        k->SetUserPath(FolderUzytkownika());
        return k;
    }();
    (void)konfiguracja;

    const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    TSpisST spis;
    ZbudujListe(spis);
    QObject glowne;
    TImporterWST importer(&glowne, &spis);
    TDialogKolem dialog;
    try {
        // The root, a kind of works or a group of works, by the input's length.
        TSpecyfikacja* cele[] = {&spis, spis.GetSpecyfikacja(0), spis.GetSpecyfikacja(0)->GetSpecyfikacja(0)};
        importer.ImportujSpecyfikacjeZBajtow(bajty, cele[rozmiar % 3], &dialog);
    } catch (const EBlad&) {
    }
    const TLicznikImportuSt& l = dialog.Licznik;
    const int wynikow = l.DodanychSt() + l.NadpisanychPlikow() + l.PominietychSt() + l.NadpisanychSt();
    if (wynikow < 0 || wynikow > Wpisow(bajty))
        std::abort();
    PorownajZPrzejsciem(spis);

    TSpisST druga;
    try {
        druga.OtworzZBajtow(spis.ZapiszDoBajtow());
    } catch (const EBlad&) {
        std::abort();
    }
    return 0;
}
