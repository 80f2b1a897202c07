#pragma once

#include "estimates/WspolneTeksty.h"
#include "estimates/ZwartyTekst.h"
#include "specs/WybranaSpecyfikacja.h"

#include <QString>

#include <cstdint>
#include <functional>

class TElementRds;

// One position of an estimate: the texts read from its file and the ST number that covers it.
// An estimate holds hundreds of thousands of positions, so a position keeps its texts compact (the ST
// number, compared all the time, stays a QString) and only what most of them use:
// the rarely filled texts (Rj, Mj, Sj), a handler of its own and the chosen specification live in a part
// made when first needed, and the positions of one estimate share its change handler.
class TPozycjaRds
{
public:
    using TOnZmiana = std::function<void(TPozycjaRds* sender)>;

    // What a reader gathers for a position, stored at once and without reporting a change.
    struct TTeksty
    {
        TZwartyTekst Id, Nr;
        QString ST;
        TZwartyTekst Podstawa, Opis, Jm, Ilosc, Cena;
        QString Rj, Mj, Sj;
        bool Aktywna = true;

        // The position's own texts, Id and number, with its description looked up among the reading's
        // (`skrotOpisu` its hash, TWspolne::Skrot): a description not met before shares one allocation
        // with the other two, and is kept for the positions that follow.
        void UstawWlasne(QStringView id, QStringView nr, QStringView opis, TWspolneZwarte& opisy,
                         std::uint32_t skrotOpisu);
    };

    explicit TPozycjaRds(TOnZmiana onZmiana = {});
    // The handler is shared (an estimate's) and outlives the position; null reports nothing.
    explicit TPozycjaRds(TTeksty&& teksty, const TOnZmiana* wspolnyOnZmiana = nullptr);
    ~TPozycjaRds();
    TPozycjaRds(const TPozycjaRds&) = delete;
    TPozycjaRds& operator=(const TPozycjaRds&) = delete;

    QString Id() const { return FId.Tekst(); }
    QString Nr() const { return FNr.Tekst(); }
    const QString& ST() const { return FST; }
    QString Podstawa() const { return FPodstawa.Tekst(); }
    QString Opis() const { return FOpis.Tekst(); }
    QString Jm() const { return FJm.Tekst(); }
    QString Ilosc() const { return FIlosc.Tekst(); }
    QString Cena() const { return FCena.Tekst(); }
    const QString& Rj() const;
    const QString& Mj() const;
    const QString& Sj() const;
    bool Aktywna() const { return FAktywna; }

    // Every setter stores the value and then reports the change.
    void SetId(const QString& v);
    void SetNr(const QString& v);
    void SetST(const QString& v);
    void SetPodstawa(const QString& v);
    void SetOpis(const QString& v);
    void SetJm(const QString& v);
    void SetIlosc(const QString& v);
    void SetCena(const QString& v);
    void SetRj(const QString& v);
    void SetMj(const QString& v);
    void SetSj(const QString& v);
    void SetAktywna(bool v);

    // Changes are reported to a handler of the position's own, or to a shared one (which outlives the
    // position); setting one drops the other.
    void SetOnZmiana(TOnZmiana onZmiana);
    void SetWspolnyOnZmiana(const TOnZmiana* onZmiana);
    bool CzyZglaszaZmiany() const;

    bool CzyScalona = false; // merged by the ATH reader from several records

private:
    bool FAktywna = true; // here, beside the other small members, to keep the position small

public:
    int Data = -1; // free slot of the user interface
    TElementRds* Parent = nullptr;

    // Brings the rare part, if there is one, into the cache ahead of a walk's use.
    void Przygotuj() const
    {
        if (const TDodatki* d = IstniejaceDodatki())
            __builtin_prefetch(d);
    }

    TWybranaSpecyfikacja& WybranaSpecyfikacja();
    const TWybranaSpecyfikacja& WybranaSpecyfikacja() const;

private:
    struct TDodatki;

    void Zmieniono();
    TDodatki& Dodatki();
    // The rare part when it was made, else null.
    TDodatki* IstniejaceDodatki() const
    {
        return (FDodatkiLubHandler & 1U) != 0 ? reinterpret_cast<TDodatki*>(FDodatkiLubHandler & ~std::uintptr_t{1})
                                              : nullptr;
    }
    const TOnZmiana* Handler() const;

    TZwartyTekst FId, FNr;
    // Matching reads the ST number and the chosen specification of every position: the two lie side by
    // side, mostly in one cache line.
    QString FST;
    // One word for two things most positions have at most one of: the rare part (which then holds the
    // handler in use), marked by the low bit, or else the shared handler (or null).
    std::uintptr_t FDodatkiLubHandler = 0;
    TZwartyTekst FPodstawa, FOpis, FJm, FIlosc, FCena;
};
