#pragma once

#include "specs/WybranaSpecyfikacja.h"

#include <QString>

#include <functional>
#include <memory>

class TElementRds;

// One position of an estimate: the texts read from its file and the ST number that covers it.
class TPozycjaRds
{
public:
    using TOnZmiana = std::function<void(TPozycjaRds* sender)>;

    explicit TPozycjaRds(TOnZmiana onZmiana = {});
    ~TPozycjaRds();
    TPozycjaRds(const TPozycjaRds&) = delete;
    TPozycjaRds& operator=(const TPozycjaRds&) = delete;

    const QString& Id() const { return FId; }
    const QString& Nr() const { return FNr; }
    const QString& ST() const { return FST; }
    const QString& Podstawa() const { return FPodstawa; }
    const QString& Opis() const { return FOpis; }
    const QString& Jm() const { return FJm; }
    const QString& Ilosc() const { return FIlosc; }
    const QString& Cena() const { return FCena; }
    const QString& Rj() const { return FRj; }
    const QString& Mj() const { return FMj; }
    const QString& Sj() const { return FSj; }
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

    bool CzyScalona = false; // merged by the ATH reader from several records
    int Data = -1;           // free slot of the user interface
    TElementRds* Parent = nullptr;
    TOnZmiana OnZmiana;

    TWybranaSpecyfikacja& WybranaSpecyfikacja() { return *FWybranaSpecyfikacja; }
    const TWybranaSpecyfikacja& WybranaSpecyfikacja() const { return *FWybranaSpecyfikacja; }

private:
    void Zmieniono();

    QString FId, FNr, FST, FPodstawa, FOpis, FJm, FIlosc, FCena, FRj, FMj, FSj;
    bool FAktywna = true;
    std::unique_ptr<TWybranaSpecyfikacja> FWybranaSpecyfikacja;
};
