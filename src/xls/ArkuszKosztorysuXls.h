#pragma once

#include "xls/EksportElementuXls.h"
#include "xls/Skoroszyt.h"

#include <QHash>

#include <optional>

class TElementRds;
class TPozycjaRds;

// Writes one estimate's sheet: title rows, headings, the tree of elements and positions and the
// summary block. The formats of its cells are worked out once per sheet, not per cell.
class TEksportElementuXls::TArkuszKosztorysu
{
public:
    TArkuszKosztorysu(TEksportElementuXls& eksport, TSkoroszyt& skoroszyt, TArkusz& arkusz,
                      const TKosztorys& kosztorys);

    // The summary's totals, when the sheet got a summary block.
    std::optional<TEksportXlsAdresyZbiorcze> Rysuj();

private:
    struct TKolumna
    {
        QString Id;
        int Nr = 0; // column in the sheet
        bool Liczbowa = false;
        bool Odblokowana = false; // unlocked under protection
        std::uint16_t FormatPozycji = 0;
        std::uint16_t FormatElementu = 0;
        std::uint16_t FormatSumy = 0;
    };

    void PrzygotujKolumny();
    void RysujNaglowek();
    void RysujElement(const TElementRds& element, bool korzen);
    void RysujWierszElementu(const TElementRds& element);
    void RysujSumeElementu(const TElementRds& element, int wierszElementu, const QStringList& zakresy);
    void RysujPozycje(const TPozycjaRds& pozycja);
    void Postep();
    int NrKolumny(const QString& id) const;
    QString Adres(int wiersz, int kolumna) const;
    std::uint16_t Format(const TFormatKomorki& format) { return FSkoroszyt.Format(format); }

    TEksportElementuXls& FEksport;
    const TEksportElementuXlsOpt& FOpcje;
    TSkoroszyt& FSkoroszyt;
    TArkusz& FArkusz;
    const TKosztorys& FKosztorys;

    std::vector<TKolumna> FKolumny; // displayed, in order; Nr = 1, 2, …
    int FOstatniaKolumna = 0;
    int FKolumnaWartosci = -1; // PodsumowanieNumerKolumny
    int FKolumnaIlosci = -1, FKolumnaCeny = -1, FKolumnaOpisu = -1;
    std::vector<int> FKolumnySkladnikow; // Rj, Mj, Sj, the displayed ones
    int FWiersz = 1;
    QHash<const TElementRds*, QString> FMapaElementow;
    std::vector<QStringList> FStosZakresow;
    std::unique_ptr<TXlsPodsumowanie> FPodsumowanie;

    std::uint16_t FZnacznikPozycji = 0, FZnacznikElementu = 0, FNumerElementu = 0, FTytulElementu = 0;
};
