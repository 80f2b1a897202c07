#include "prices/InfCen.h"

#include "app/Wyjatki.h"
#include "app/Xml.h"

#include <QFileInfo>

#include <cstring>

namespace {

QString Tekst(const pugi::xml_node& w, const char* nazwa)
{
    return XmlNaTekst(AtrybutXml(w, nazwa));
}

double Liczba(const pugi::xml_node& w, const char* nazwa)
{
    return XmlNaLiczbe(AtrybutXml(w, nazwa), 0.0);
}

} // namespace

TInfCen::TInfCen() = default;
TInfCen::~TInfCen() = default;

void TInfCen::WczytajInfCen(const QString& infCenPath)
{
    if (infCenPath.trimmed().isEmpty() || !QFileInfo(infCenPath).isFile())
        throw EBlad(QStringLiteral("Brak pliku: ") + infCenPath);
    pugi::xml_document dokument;
    WczytajPlikXml(infCenPath, dokument);
    Wczytaj(dokument);
}

void TInfCen::WczytajZBajtow(const QByteArray& bajty)
{
    pugi::xml_document dokument;
    ParsujXml(bajty, dokument);
    Wczytaj(dokument);
}

void TInfCen::Wczytaj(const pugi::xml_document& dokument)
{
    TInfCen nowy;
    const pugi::xml_node korzen = dokument.document_element();
    nowy.FWydawca = Tekst(korzen, "wydawca");
    nowy.FWydanie = Tekst(korzen, "wydanie");
    nowy.FRok = Tekst(korzen, "rok");
    for (pugi::xml_node n = korzen.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        if (std::strcmp(n.name(), "pozycja") == 0) {
            nowy.FPozycje.push_back(std::make_unique<TInfCenPozycja>(
                Tekst(n, "SYMBOL_GL"), Tekst(n, "NAZWA"), Tekst(n, "NAZWA_JM"), Liczba(n, "cj_min_CENA"),
                Liczba(n, "cj_max_CENA"), Liczba(n, "cj_sr_CENA"), Liczba(n, "mnj_CENA")));
        } else if (std::strcmp(n.name(), "wspolczynniki") == 0) {
            for (pugi::xml_node w = n.first_child(); w; w = w.next_sibling())
                if (w.type() == pugi::node_element)
                    nowy.FWspolczynniki.push_back(std::make_unique<TInfCenWspolczynnik>(
                        Tekst(w, "region"), Liczba(w, "wsp_kub"), Liczba(w, "wsp_inz")));
        }
    }
    // Taken over only when the whole file was read.
    FWydawca = std::move(nowy.FWydawca);
    FWydanie = std::move(nowy.FWydanie);
    FRok = std::move(nowy.FRok);
    FPozycje = std::move(nowy.FPozycje);
    FWspolczynniki = std::move(nowy.FWspolczynniki);
}

const TInfCenPozycja* TInfCen::PobierzPozycje(int indeks) const
{
    return indeks >= 0 && indeks < LiczbaPozycji() ? FPozycje[static_cast<std::size_t>(indeks)].get() : nullptr;
}

const TInfCenWspolczynnik* TInfCen::PobierzWspolczynnik(int indeks) const
{
    return indeks >= 0 && indeks < LiczbaWspolczynnikow() ? FWspolczynniki[static_cast<std::size_t>(indeks)].get()
                                                          : nullptr;
}
