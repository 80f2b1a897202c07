#include "authoring/PodstawyDoSt.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "zestaw/ZestawST.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// Walks a folder: its own files first, then each subfolder in turn. A folder reached a second time
// (through a symbolic link) is not walked again, so a link to an ancestor cannot loop for ever.
void ZbierzPliki(const QString& folder, QSet<QString>& odwiedzone, QStringList& wynik)
{
    const QString kanoniczny = QFileInfo(folder).canonicalFilePath();
    if (kanoniczny.isEmpty() || odwiedzone.contains(kanoniczny))
        return;
    odwiedzone.insert(kanoniczny);

    const QDir katalog(folder);
    const QDir::Filters filtr = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    const QFileInfoList wpisy = katalog.entryInfoList(filtr, QDir::Name | QDir::IgnoreCase);
    QStringList podfoldery;
    for (const QFileInfo& wpis : wpisy) {
        const QString sciezka = folder + QLatin1Char('/') + wpis.fileName();
        // A folder named like a document ("Stare.doc") is no document.
        if (wpis.isDir())
            podfoldery << sciezka;
        else if (wpis.isFile())
            wynik << sciezka;
    }
    for (const QString& podfolder : podfoldery)
        ZbierzPliki(podfolder, odwiedzone, wynik);
}

} // namespace

TPodstawaDoSt::TPodstawaDoSt(QString opis, std::unique_ptr<TMyPath> plik)
    : FOpis(std::move(opis)), FPlik(std::move(plik))
{
}

TUstawieniaPodstaw TUstawieniaPodstaw::ZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    return {konfiguracja.GetUserPath(),
            konfiguracja.SzablonyStPath ? konfiguracja.SzablonyStPath->EncodedPath() : QString()};
}

TPodstawyDoSt::TPodstawyDoSt(const TUstawieniaPodstaw& ustawienia, TZestawST* zestaw)
    : Ustawienia(ustawienia), Zestaw(zestaw)
{
    if (!Zestaw || !Zestaw->GetKonfiguracja())
        throw EBlad(QStringLiteral("Błąd wewnętrzny (3)"));
    if (Zestaw->GetKonfiguracja()->CzyEksportDoc)
        FTypPliku = std::make_unique<TTypPlikuWord>();
    else
        FTypPliku = std::make_unique<TTypPlikuOoO>();
}

TPodstawyDoSt::~TPodstawyDoSt() = default;

void TPodstawyDoSt::DodajPodstawe(const QString& opis, const QString& sciezka)
{
    auto plik = std::make_unique<TMyPath>(Ustawienia.FolderUzytkownika);
    plik->SetPath(sciezka);
    FPliki.push_back(std::make_unique<TPodstawaDoSt>(opis, std::move(plik)));
}

TPodstawyDoStSzablon::TPodstawyDoStSzablon(const TUstawieniaPodstaw& ustawienia, TZestawST* zestaw)
    : TPodstawyDoSt(ustawienia, zestaw)
{
    WypelnijPodstawy();
}

void TPodstawyDoStSzablon::WypelnijPodstawy()
{
    FPliki.clear();
    TMyPath szablony(Ustawienia.FolderUzytkownika);
    szablony.SetEncodedPath(Ustawienia.FolderSzablonow);
    const QString folder = szablony.GetPath();
    // An unset folder would otherwise be taken for the working folder.
    if (folder.trimmed().isEmpty())
        return;
    QSet<QString> odwiedzone;
    QStringList pliki;
    ZbierzPliki(QDir::cleanPath(folder), odwiedzone, pliki);
    for (const QString& plik : pliki) {
        if (FTypPliku->CzyObslugiwanyPlik(plik))
            DodajPodstawe(NazwaPlikuBezRozszerzenia(plik), plik);
    }
}

TPodstawyDoStSpisSt::TPodstawyDoStSpisSt(const TUstawieniaPodstaw& ustawienia, TSpisST* spisSt, TZestawST* zestaw)
    : TPodstawyDoSt(ustawienia, zestaw), FSpisSt(spisSt)
{
    WypelnijPodstawy();
}

void TPodstawyDoStSpisSt::WypelnijPodstawy()
{
    FPliki.clear();
    const TSpisST* spis = FSpisSt ? FSpisSt : Zestaw->SpisSpecyfikacji();
    if (spis)
        DodajWezel(*spis);
}

void TPodstawyDoStSpisSt::DodajWezel(const TSpecyfikacja& wezel)
{
    const QString plik = wezel.GetPlik();
    if (!plik.isEmpty() && FTypPliku->CzyObslugiwanyPlik(plik))
        DodajPodstawe(wezel.GetCaption(), plik);
    for (int i = 0; i < wezel.Count(); ++i)
        DodajWezel(*wezel.GetSpecyfikacja(i));
}
