// Any bytes as an ATH estimate: reading ends in a tree or in a Polish message, never in a crash or a
// hang. Whatever is read can be repaired and copied, and what the repair and the copy write reads back:
// the repaired bytes pass the check with every position numbered by its place, and the copy holds the
// same positions with the same identifiers and numbers (as Windows-1250 keeps them).
#include "app/Kodowanie.h"
#include "estimates/KosztorysAth1.h"
#include "estimates/KosztorysJson.h"
#include "estimates/WyjatkiKosztorysu.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "WspolneFuzz.h"

namespace {

std::vector<TPozycjaRds*> Pozycje(const TKosztorys& k)
{
    std::vector<TPozycjaRds*> wynik;
    k.DlaKazdejPozycji([&wynik](TPozycjaRds& p) { wynik.push_back(&p); });
    return wynik;
}

enum class TOdczyt { Wczytany, BrakKluczy, Blad };

TOdczyt Czytaj(TKosztorysAth1& k, const QByteArray& bajty)
{
    try {
        k.WczytajZDanych(bajty);
        return TOdczyt::Wczytany;
    } catch (const EBrakIdNrPozycjiException&) {
        return TOdczyt::BrakKluczy;
    } catch (const EBrakIdPozycjiException&) {
        return TOdczyt::BrakKluczy;
    } catch (const EBrakNrPozycjiException&) {
        return TOdczyt::BrakKluczy;
    } catch (const EBlad&) {
        return TOdczyt::Blad;
    }
}

void Sprawdz(bool warunek)
{
    if (!warunek)
        std::abort();
}

// The text as it comes back from a copy in Windows-1250.
QString PrzezKopie(const QString& tekst)
{
    return ZWindows1250(NaWindows1250(tekst));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray bajty = WejscieFuzz(dane, rozmiar);
    const TUstawieniaKosztorysu ustawienia = UstawieniaFuzz(rozmiar);

    TKosztorysAth1 k(QString(), false, false, false, ustawienia);
    const TOdczyt odczyt = Czytaj(k, bajty);
    if (odczyt == TOdczyt::Blad) {
        Sprawdz(k.Count() == 0);
        return 0;
    }

    TKosztorysAth1 naprawiany;
    naprawiany.Indeksuj = true;
    naprawiany.Renumeruj = true;
    const QByteArray naprawione = naprawiany.NaprawDane(bajty);
    TKosztorysAth1 zNaprawy(QString(), false, false, false, ustawienia);
    const TOdczyt odczytNaprawy = Czytaj(zNaprawy, naprawione);
    Sprawdz(odczytNaprawy != TOdczyt::BrakKluczy);
    if (odczytNaprawy == TOdczyt::Wczytany) {
        const auto pozycje = Pozycje(zNaprawy);
        for (size_t i = 0; i < pozycje.size(); ++i) {
            Sprawdz(pozycje[i]->Id() == QString::number(i + 1));
            Sprawdz(pozycje[i]->Nr() == QString::number(i + 1));
        }
    }

    if (odczyt != TOdczyt::Wczytany)
        return 0;
    (void)KosztorysNaJson(k);
    const auto pozycje = Pozycje(k);
    for (size_t i = 0; i < pozycje.size(); i += 2)
        pozycje[i]->SetST(QStringLiteral("D-01.01.%1#2").arg(i));
    const bool zeZnacznikiem = DekodujTekstPliku(bajty).Kodowanie != TKodowaniePliku::Ansi;
    const QByteArray kopia = k.ZapiszDoDanych(bajty);
    TKosztorysAth1 zKopii(QString(), false, false, false, ustawienia);
    Sprawdz(Czytaj(zKopii, kopia) == TOdczyt::Wczytany);
    const auto poKopii = Pozycje(zKopii);
    Sprawdz(poKopii.size() == pozycje.size());
    for (size_t i = 0; i < pozycje.size(); ++i) {
        // A Windows-1250 source is copied byte for byte; any other is written in Windows-1250.
        const QString id = zeZnacznikiem ? PrzezKopie(pozycje[i]->Id()) : pozycje[i]->Id();
        const QString nr = zeZnacznikiem ? PrzezKopie(pozycje[i]->Nr()) : pozycje[i]->Nr();
        Sprawdz(poKopii[i]->Id() == id);
        Sprawdz(poKopii[i]->Nr() == nr);
    }
    return 0;
}
