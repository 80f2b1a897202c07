#include "archive/ZestawArchiwizator.h"

#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "archive/Archiwum.h"
#include "archive/BezpieczneSciezki.h"
#include "archive/KosztorysArchiwizator.h"
#include "archive/PierwszaStronaArchiwizator.h"
#include "archive/SpisStArchiwizator.h"
#include "archive/WyjatkiArchiwum.h"
#include "specs/StrukturaSst.h"

#include <QFileInfo>

namespace {

const QString PoczatekZaDlugiej =
    QStringLiteral("Przy wybranym folderze docelowym zostanie przekroczona maksymalna długość ścieżki systemu "
                   "Windows dla pliku: \r\n");

// Validation of the content; a too long target becomes the message that names the export options.
template <typename TFunkcja> void Waliduj(TFunkcja funkcja)
{
    try {
        funkcja();
    } catch (const EZaDlugaSciezkaException& e) {
        throw EBlad(PoczatekZaDlugiej + e.Komunikat() +
                    QStringLiteral("\r\nZmień opcje eksportu lub folder docelowy i spróbuj ponownie."));
    }
}

bool CzyPustyLubBrak(const QString& sciezka)
{
    const QFileInfo info(sciezka);
    return !info.isFile() || info.size() == 0;
}

} // namespace

TZestawArchiwizator::TZestawArchiwizator(const TOpcjeEkstrakcjiArchiwum& opcje)
    : FArchiwum(std::make_unique<TArchiwum>()), FWalidator(std::make_unique<TPathLengthValidator>()),
      FOpcje(std::make_unique<TOpcjeEkstrakcjiArchiwum>(opcje)), FDokument(std::make_unique<pugi::xml_document>()),
      FKosztorysy(std::make_unique<TKosztorysArchiwizator>(opcje.KatalogUzytkownika)),
      FPierwszaStrona(std::make_unique<TPierwszaStronaArchiwizator>(opcje.KatalogUzytkownika)),
      FSpisSt(std::make_unique<TSpisStArchiwizator>(opcje.KatalogUzytkownika))
{
}

TZestawArchiwizator::~TZestawArchiwizator() = default;

void TZestawArchiwizator::SetOpcjeEkstrakcji(const TOpcjeEkstrakcjiArchiwum& opcje)
{
    *FOpcje = opcje;
    for (TArchiwizator* a : Archiwizatory())
        a->UstawKatalogUzytkownika(opcje.KatalogUzytkownika);
}

std::vector<TArchiwizator*> TZestawArchiwizator::Archiwizatory() const
{
    return {FKosztorysy.get(), FPierwszaStrona.get(), FSpisSt.get()};
}

// ---------------------------------------------------------------- missing files

TListyBrakow TZestawArchiwizator::GetListyBrakow(const QString& zestawPath)
{
    TListyBrakow wynik;
    if (CzyPustyLubBrak(zestawPath))
        return wynik;
    FDokument = std::make_unique<pugi::xml_document>();
    WczytajPlikXml(zestawPath, *FDokument);
    for (TArchiwizator* a : Archiwizatory()) {
        std::unique_ptr<TListaBrakowPlikow> lista = a->GetListaBrakow(FDokument->document_element());
        if (lista->Count() > 0)
            wynik.push_back(std::move(lista));
    }
    return wynik;
}

TListyBrakow TZestawArchiwizator::GetListaBrakowSst(const QString& spisStPath)
{
    TListyBrakow wynik;
    if (!QFileInfo(spisStPath).isFile())
        return wynik;
    FDokument = std::make_unique<pugi::xml_document>();
    WczytajPlikXml(spisStPath, *FDokument);
    auto lista = std::make_unique<TListaBrakowPlikow>(QStringLiteral("Specyfikacje"));
    FSpisSt->DodajBrakiSpecyfikacji(FDokument->document_element(), *lista);
    if (lista->Count() > 0)
        wynik.push_back(std::move(lista));
    return wynik;
}

// ---------------------------------------------------------------- packing

void TZestawArchiwizator::StworzArchiwumZestawu(const QString& zestawPath, const QString& archiwumPath)
{
    if (!QFileInfo(zestawPath).isFile())
        return;
    NoweArchiwum();
    FDokument = std::make_unique<pugi::xml_document>();
    WczytajPlikXml(zestawPath, *FDokument);
    TPakowanie pakowanie(*FArchiwum);
    for (TArchiwizator* a : Archiwizatory())
        a->Archiwizuj(FDokument->document_element(), pakowanie);
    pakowanie.DodajDane(QFileInfo(zestawPath).fileName(), XmlNaBajty(*FDokument));
    ZapiszArchiwum(archiwumPath);
}

void TZestawArchiwizator::StworzArchiwumSpisuSt(const QString& spisStPath, const QString& archiwumPath)
{
    if (!QFileInfo(spisStPath).isFile())
        return;
    NoweArchiwum();
    FDokument = std::make_unique<pugi::xml_document>();
    WczytajPlikXml(spisStPath, *FDokument);
    TPakowanie pakowanie(*FArchiwum);
    FSpisSt->ArchiwizujSpecyfikacje(FDokument->document_element(), pakowanie);
    pakowanie.DodajDane(QFileInfo(spisStPath).fileName(), XmlNaBajty(*FDokument));
    ZapiszArchiwum(archiwumPath);
}

void TZestawArchiwizator::NoweArchiwum()
{
    FArchiwum = std::make_unique<TArchiwum>();
    FArchiwum->OnWpis = OnPostep;
}

void TZestawArchiwizator::ZapiszArchiwum(const QString& archiwumPath)
{
    // TArchiwum replaces an existing file only once the new one is complete.
    FArchiwum->Zapisz(archiwumPath);
}

// ---------------------------------------------------------------- unpacking

QString TZestawArchiwizator::OtworzArchiwum(const QString& archiwumPath, const QString& rozszerzenie)
{
    if (!QFileInfo::exists(archiwumPath))
        throw EBlad(QStringLiteral("Plik nie istnieje: ") + archiwumPath);
    if (FOpcje->FolderBezSeparatora().trimmed().isEmpty())
        throw EBlad(QStringLiteral("Proszę wskazać folder docelowy."));
    NoweArchiwum();
    FArchiwum->Otworz(archiwumPath);
    const QStringList nazwy = FArchiwum->GetListaPlikow();
    for (qsizetype i = nazwy.size() - 1; i >= 0; --i)
        if (nazwy[i].endsWith(rozszerzenie))
            return nazwy[i];
    throw EBlad(QStringLiteral("Wybrany plik archiwum jest nieprawidłowy."));
}

QString TZestawArchiwizator::CelPlikuGlownego(const QString& nazwaWpisu, const QString& podfolder) const
{
    SprawdzNazweWArchiwum(nazwaWpisu);
    QString nazwa = nazwaWpisu;
    nazwa.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString cel = FOpcje->FolderBezSeparatora() + podfolder + QLatin1Char('/') + nazwa;
    if (QFileInfo::exists(cel) && !FOpcje->CzyNadpisuj)
        throw EBlad(QStringLiteral("Plik istnieje: ") + cel);
    if (!FWalidator->SprawdzSciezke(cel))
        throw EBlad(PoczatekZaDlugiej + cel + QStringLiteral("\r\nZmień folder docelowy i spróbuj ponownie."));
    SprawdzCelRozpakowania(FOpcje->FolderBezSeparatora(), cel);
    return cel;
}

void TZestawArchiwizator::RozpakujArchiwumZestawu(const QString& archiwumPath, QString& zestawPath)
{
    const QString nazwa = OtworzArchiwum(archiwumPath, QStringLiteral(".zst"));
    const QString cel = CelPlikuGlownego(nazwa, QStringLiteral("/Dane/Zestawy"));
    FDokument = std::make_unique<pugi::xml_document>();
    ParsujXml(FArchiwum->WypakujPlik(nazwa), *FDokument);
    const pugi::xml_node zestaw = FDokument->document_element();

    TRozpakowanie rozpakowanie(*FArchiwum, *FOpcje);
    rozpakowanie.Zaplanuj(nazwa, cel);
    const QString folderSt = TSpisStArchiwizator::FolderSpecyfikacjiTechnicznych(rozpakowanie);
    Waliduj([&] {
        for (TArchiwizator* a : Archiwizatory())
            a->Waliduj(zestaw, rozpakowanie);
    });
    SprawdzCelRozpakowania(rozpakowanie.Folder(), folderSt + QLatin1Char('/') + NazwaPlikuStrukturySst);

    // Everything is checked: from here on files are written.
    ZapiszStruktureSst(folderSt, FOpcje->StrukturaFolderow);
    for (TArchiwizator* a : Archiwizatory())
        a->Rozpakuj(zestaw, rozpakowanie);
    rozpakowanie.WypakujZaplanowane();
    TSpisStArchiwizator::ZapiszPlikXml(cel, *FDokument);
    zestawPath = cel;
}

void TZestawArchiwizator::RozpakujArchiwumSpisuSt(const QString& archiwumPath, QString& spisStPath)
{
    const QString nazwa = OtworzArchiwum(archiwumPath, QStringLiteral(".sst"));
    const QString cel = CelPlikuGlownego(nazwa, QStringLiteral("/Dane/Listy SST"));
    FDokument = std::make_unique<pugi::xml_document>();
    ParsujXml(FArchiwum->WypakujPlik(nazwa), *FDokument);
    const pugi::xml_node lista = FDokument->document_element();

    TRozpakowanie rozpakowanie(*FArchiwum, *FOpcje);
    rozpakowanie.Zaplanuj(nazwa, cel);
    const QString folderSt = TSpisStArchiwizator::FolderSpecyfikacjiTechnicznych(rozpakowanie);
    Waliduj([&] { FSpisSt->WalidujSpecyfikacje(lista, folderSt, rozpakowanie); });
    SprawdzCelRozpakowania(rozpakowanie.Folder(), folderSt + QLatin1Char('/') + NazwaPlikuStrukturySst);

    ZapiszStruktureSst(folderSt, FOpcje->StrukturaFolderow);
    FSpisSt->RozpakujSpecyfikacje(lista, folderSt, rozpakowanie);
    rozpakowanie.WypakujZaplanowane();
    TSpisStArchiwizator::ZapiszPlikXml(cel, *FDokument);
    spisStPath = cel;
}
