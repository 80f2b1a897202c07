#include "archive/SpisStArchiwizator.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "app/ZapisBezpieczny.h"
#include "archive/Archiwum.h"
#include "archive/BezpieczneSciezki.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString FolderList = QStringLiteral("/Dane/Listy SST");

template <typename TFunkcja> void DlaSpecyfikacji(pugi::xml_node rodzic, TFunkcja funkcja)
{
    for (pugi::xml_node w = rodzic.child("specyfikacja"); w; w = w.next_sibling("specyfikacja"))
        funkcja(w);
}

template <typename TFunkcja> void DlaWariantow(pugi::xml_node wezel, TFunkcja funkcja)
{
    for (pugi::xml_node w = wezel.child("warianty").first_child(); w; w = w.next_sibling())
        if (w.type() == pugi::node_element)
            funkcja(w);
}

} // namespace

// ---------------------------------------------------------------- the list's documents

void TSpisStArchiwizator::ArchiwizujSpecyfikacje(pugi::xml_node rodzic, TPakowanie& pakowanie) const
{
    const QString prefiks = QStringLiteral("ZIP\\sst\\");
    DlaSpecyfikacji(rodzic, [&](pugi::xml_node w) {
        ArchiwizujAtrybut(w, "plik", prefiks, pakowanie);
        DlaWariantow(w, [&](pugi::xml_node wariant) { ArchiwizujAtrybut(wariant, "plik", prefiks, pakowanie); });
        ArchiwizujSpecyfikacje(w, pakowanie);
    });
}

void TSpisStArchiwizator::DodajBrakiSpecyfikacji(pugi::xml_node rodzic, TListaBrakowPlikow& lista) const
{
    DlaSpecyfikacji(rodzic, [&](pugi::xml_node w) {
        DodajBrak(w, "plik", lista);
        DodajBrakiSpecyfikacji(w, lista);
    });
}

QString TSpisStArchiwizator::FolderSpecyfikacji(pugi::xml_node wezel, const QString& folder, int struktura)
{
    if (struktura == TOpcjeEkstrakcjiArchiwum::StrukturaPlaska || !XmlNaLogiczna(AtrybutXml(wezel, "grupa"), false))
        return folder;
    const QString numer = XmlNaTekst(wezel.attribute("numer"));
    QString nazwa = struktura == TOpcjeEkstrakcjiArchiwum::StrukturaNumerIOpis
                        ? numer.trimmed() + QLatin1Char(' ') + XmlNaTekst(wezel.attribute("opis"))
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
    const int struktura = rozpakowanie.Opcje().fstrukturaFolderow;
    DlaSpecyfikacji(rodzic, [&](pugi::xml_node w) {
        const QString f = FolderSpecyfikacji(w, folder, struktura);
        // The folder itself must stay inside the target too, even when no file goes into it.
        SprawdzCelRozpakowania(rozpakowanie.Folder(), f);
        WalidujAtrybut(w, "plik", f, rozpakowanie);
        DlaWariantow(w, [&](pugi::xml_node wariant) { WalidujAtrybut(wariant, "plik", f, rozpakowanie); });
        WalidujSpecyfikacje(w, f, rozpakowanie);
    });
}

void TSpisStArchiwizator::RozpakujSpecyfikacje(pugi::xml_node rodzic, const QString& folder,
                                               TRozpakowanie& rozpakowanie) const
{
    const int struktura = rozpakowanie.Opcje().fstrukturaFolderow;
    DlaSpecyfikacji(rodzic, [&](pugi::xml_node w) {
        const QString f = FolderSpecyfikacji(w, folder, struktura);
        RozpakujAtrybut(w, "plik", f, rozpakowanie);
        DlaWariantow(w, [&](pugi::xml_node wariant) { RozpakujAtrybut(wariant, "plik", f, rozpakowanie); });
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
    pugi::xml_node sst = zestaw.child("sst");
    const QString wartosc = XmlNaTekst(sst.attribute("path")).trimmed();
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
    ZmienAtrybut(sst, "path", nazwa);
}

std::unique_ptr<TListaBrakowPlikow> TSpisStArchiwizator::GetListaBrakow(pugi::xml_node zestaw)
{
    auto lista = std::make_unique<TListaBrakowPlikow>(QStringLiteral("Specyfikacje"));
    const QString wartosc = XmlNaTekst(zestaw.child("sst").attribute("path")).trimmed();
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
    pugi::xml_node sst = zestaw.child("sst");
    if (WalidujAtrybut(sst, "path", rozpakowanie.Folder() + FolderList, rozpakowanie).isEmpty())
        return;
    pugi::xml_document lista;
    const QString nazwa = NazwaZUkosnikamiWstecz(XmlNaTekst(sst.attribute("path")).trimmed());
    ParsujXml(rozpakowanie.Archiwum().WypakujPlik(nazwa), lista);
    WalidujSpecyfikacje(lista.document_element(), FolderSpecyfikacjiTechnicznych(rozpakowanie), rozpakowanie);
}

void TSpisStArchiwizator::Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie)
{
    pugi::xml_node sst = zestaw.child("sst");
    const QString wartosc = XmlNaTekst(sst.attribute("path")).trimmed();
    if (!CzyOdwolanieDoArchiwum(wartosc))
        return;
    const QString nazwa = NazwaZUkosnikamiWstecz(wartosc);
    const QString cel = rozpakowanie.Folder() + FolderList + QLatin1Char('/') + OstatniSkladnikNazwy(nazwa);
    pugi::xml_document lista;
    ParsujXml(rozpakowanie.Archiwum().WypakujPlik(nazwa), lista);
    RozpakujSpecyfikacje(lista.document_element(), FolderSpecyfikacjiTechnicznych(rozpakowanie), rozpakowanie);
    if (rozpakowanie.CzyDoZapisu(cel))
        ZapiszPlikXml(cel, lista);
    ZmienAtrybut(sst, "path", ZakodujSciezke(cel));
}
