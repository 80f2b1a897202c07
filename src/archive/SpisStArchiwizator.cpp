#include "archive/SpisStArchiwizator.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "app/ZapisBezpieczny.h"
#include "archive/Archiwum.h"
#include "archive/BezpieczneSciezki.h"
#include "specs/NazwyPlikuSst.h"
#include "zestaw/NazwyPlikuZst.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString FolderList = QStringLiteral("/Dane/Listy SST");

template <typename TFunkcja> void DlaSpecyfikacji(pugi::xml_node rodzic, TFunkcja funkcja)
{
    for (pugi::xml_node w = rodzic.child(NazwySst::Wezel); w; w = w.next_sibling(NazwySst::Wezel))
        funkcja(w);
}

// Every element child of "warianty" counts, whatever its name: a variant written by another tool is
// carried along too.
template <typename TFunkcja> void DlaWariantow(pugi::xml_node wezel, TFunkcja funkcja)
{
    for (pugi::xml_node w = wezel.child(NazwySst::Warianty).first_child(); w; w = w.next_sibling())
        if (w.type() == pugi::node_element)
            funkcja(w);
}

// The document paths of a node and of a variant, as the list file names them.
template <typename TFunkcja> void DlaSciezekWezla(pugi::xml_node wezel, TFunkcja funkcja)
{
    for (const char* atrybut : NazwySst::SciezkiWezla)
        funkcja(wezel, atrybut);
}

template <typename TFunkcja> void DlaSciezekWariantu(pugi::xml_node wariant, TFunkcja funkcja)
{
    for (const char* atrybut : NazwySst::SciezkiWariantu)
        funkcja(wariant, atrybut);
}

} // namespace

// ---------------------------------------------------------------- the list's documents

void TSpisStArchiwizator::ArchiwizujSpecyfikacje(pugi::xml_node rodzic, TPakowanie& pakowanie) const
{
    const QString prefiks = QStringLiteral("ZIP\\sst\\");
    const auto archiwizuj = [&](pugi::xml_node wezel, const char* atrybut) {
        ArchiwizujAtrybut(wezel, atrybut, prefiks, pakowanie);
    };
    DlaSpecyfikacji(rodzic, [&](pugi::xml_node w) {
        DlaSciezekWezla(w, archiwizuj);
        DlaWariantow(w, [&](pugi::xml_node wariant) { DlaSciezekWariantu(wariant, archiwizuj); });
        ArchiwizujSpecyfikacje(w, pakowanie);
    });
}

void TSpisStArchiwizator::DodajBrakiSpecyfikacji(pugi::xml_node rodzic, TListaBrakowPlikow& lista) const
{
    // Variants' documents are not reported missing: a variant often has none of its own.
    DlaSpecyfikacji(rodzic, [&](pugi::xml_node w) {
        DlaSciezekWezla(w, [&](pugi::xml_node wezel, const char* atrybut) { DodajBrak(wezel, atrybut, lista); });
        DodajBrakiSpecyfikacji(w, lista);
    });
}

QString TSpisStArchiwizator::FolderSpecyfikacji(pugi::xml_node wezel, const QString& folder, int struktura)
{
    if (struktura == TOpcjeEkstrakcjiArchiwum::StrukturaPlaska ||
        !XmlNaLogiczna(wezel.attribute(NazwySst::Grupa), false))
        return folder;
    const QString numer = XmlNaTekst(wezel.attribute(NazwySst::Numer));
    QString nazwa = struktura == TOpcjeEkstrakcjiArchiwum::StrukturaNumerIOpis
                        ? numer.trimmed() + QLatin1Char(' ') + XmlNaTekst(wezel.attribute(NazwySst::Opis))
                        : numer;
    nazwa = UsunZnakiNiedozwolone(nazwa).trimmed();
    if (nazwa.isEmpty())
        return folder;
    SprawdzNazweFolderu(nazwa);
    return folder + QLatin1Char('/') + nazwa;
}

QString TSpisStArchiwizator::FolderSpecyfikacjiTechnicznych(const TRozpakowanie& rozpakowanie)
{
    return rozpakowanie.Folder() + QStringLiteral("/Specyfikacje Techniczne");
}

void TSpisStArchiwizator::WalidujSpecyfikacje(pugi::xml_node rodzic, const QString& folder,
                                              TRozpakowanie& rozpakowanie) const
{
    const int struktura = rozpakowanie.Opcje().StrukturaFolderow;
    DlaSpecyfikacji(rodzic, [&](pugi::xml_node w) {
        const QString f = FolderSpecyfikacji(w, folder, struktura);
        // The folder itself must stay inside the target too, even when no file goes into it.
        SprawdzCelRozpakowania(rozpakowanie.Folder(), f);
        const auto waliduj = [&](pugi::xml_node wezel, const char* atrybut) {
            WalidujAtrybut(wezel, atrybut, f, rozpakowanie);
        };
        DlaSciezekWezla(w, waliduj);
        DlaWariantow(w, [&](pugi::xml_node wariant) { DlaSciezekWariantu(wariant, waliduj); });
        WalidujSpecyfikacje(w, f, rozpakowanie);
    });
}

void TSpisStArchiwizator::RozpakujSpecyfikacje(pugi::xml_node rodzic, const QString& folder,
                                               TRozpakowanie& rozpakowanie) const
{
    const int struktura = rozpakowanie.Opcje().StrukturaFolderow;
    DlaSpecyfikacji(rodzic, [&](pugi::xml_node w) {
        const QString f = FolderSpecyfikacji(w, folder, struktura);
        const auto rozpakuj = [&](pugi::xml_node wezel, const char* atrybut) {
            RozpakujAtrybut(wezel, atrybut, f, rozpakowanie);
        };
        DlaSciezekWezla(w, rozpakuj);
        DlaWariantow(w, [&](pugi::xml_node wariant) { DlaSciezekWariantu(wariant, rozpakuj); });
        RozpakujSpecyfikacje(w, f, rozpakowanie);
    });
}

void TSpisStArchiwizator::ZapiszPlikXml(const QString& cel, const pugi::xml_document& dokument)
{
    const QString folder = QFileInfo(cel).absolutePath();
    if (!QDir().mkpath(folder))
        throw EBlad(QStringLiteral("Nie można utworzyć folderu: ") + folder);
    ZapiszBezpiecznie(cel, XmlNaBajty(dokument));
}

// ---------------------------------------------------------------- the set's list

void TSpisStArchiwizator::Archiwizuj(pugi::xml_node zestaw, TPakowanie& pakowanie)
{
    pugi::xml_node sst = zestaw.child(NazwyZst::Sst);
    const QString wartosc = XmlNaTekst(sst.attribute(NazwyZst::SciezkaSpisu)).trimmed();
    if (wartosc.isEmpty())
        return;
    const QString sciezka = RozwinSciezke(wartosc);
    if (!QFileInfo(sciezka).isFile())
        return;
    pugi::xml_document lista;
    WczytajPlikXml(sciezka, lista);
    ArchiwizujSpecyfikacje(lista.document_element(), pakowanie);
    const QString nazwa =
        pakowanie.DodajDane(QStringLiteral("ZIP\\") + QFileInfo(sciezka).fileName(), XmlNaBajty(lista));
    ZmienAtrybut(sst, NazwyZst::SciezkaSpisu, nazwa);
}

std::unique_ptr<TListaBrakowPlikow> TSpisStArchiwizator::GetListaBrakow(pugi::xml_node zestaw)
{
    auto lista = std::make_unique<TListaBrakowPlikow>(QStringLiteral("Specyfikacje"));
    const QString wartosc = XmlNaTekst(zestaw.child(NazwyZst::Sst).attribute(NazwyZst::SciezkaSpisu)).trimmed();
    if (wartosc.isEmpty())
        return lista;
    const QString sciezka = RozwinSciezke(wartosc);
    // A missing list is reported as such; there is nothing of it to read further.
    if (!QFileInfo(sciezka).isFile()) {
        lista->Dodaj(sciezka);
        return lista;
    }
    pugi::xml_document dokument;
    WczytajPlikXml(sciezka, dokument);
    DodajBrakiSpecyfikacji(dokument.document_element(), *lista);
    return lista;
}

void TSpisStArchiwizator::Waliduj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    pugi::xml_node sst = zestaw.child(NazwyZst::Sst);
    if (WalidujAtrybut(sst, NazwyZst::SciezkaSpisu, rozpakowanie.Folder() + FolderList, rozpakowanie).isEmpty())
        return;
    pugi::xml_document lista;
    const QString nazwa = NazwaZUkosnikamiWstecz(XmlNaTekst(sst.attribute(NazwyZst::SciezkaSpisu)).trimmed());
    ParsujXml(rozpakowanie.Archiwum().WypakujPlik(nazwa), lista);
    WalidujSpecyfikacje(lista.document_element(), FolderSpecyfikacjiTechnicznych(rozpakowanie), rozpakowanie);
}

void TSpisStArchiwizator::Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    pugi::xml_node sst = zestaw.child(NazwyZst::Sst);
    const QString wartosc = XmlNaTekst(sst.attribute(NazwyZst::SciezkaSpisu)).trimmed();
    if (!CzyOdwolanieDoArchiwum(wartosc))
        return;
    const QString nazwa = NazwaZUkosnikamiWstecz(wartosc);
    const QString cel = rozpakowanie.Folder() + FolderList + QLatin1Char('/') + OstatniSkladnikNazwy(nazwa);
    pugi::xml_document lista;
    ParsujXml(rozpakowanie.Archiwum().WypakujPlik(nazwa), lista);
    RozpakujSpecyfikacje(lista.document_element(), FolderSpecyfikacjiTechnicznych(rozpakowanie), rozpakowanie);
    if (rozpakowanie.CzyDoZapisu(cel))
        ZapiszPlikXml(cel, lista);
    ZmienAtrybut(sst, NazwyZst::SciezkaSpisu, ZakodujSciezke(cel));
}
