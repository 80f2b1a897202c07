#pragma once

#include "estimates/UstawieniaKosztorysu.h"
#include "specs/SpisST.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TElementRds;
class TKonfiguracjaZestawu;
class TKosztorys;
class TZbiorST;

namespace pugi {
class xml_document;
class xml_node;
} // namespace pugi

// A set file read aside, not yet taken over by a set: what a worker thread reads while the set that the
// window shows stays as it was. The list is made before the reading starts, so that a stop request can
// reach it (TSpisST::SetTerminatedOtworz).
struct TOdczytanyZestaw
{
    TOdczytanyZestaw();
    ~TOdczytanyZestaw();
    TOdczytanyZestaw(TOdczytanyZestaw&&) noexcept;
    TOdczytanyZestaw& operator=(TOdczytanyZestaw&&) noexcept;

    QString Sciezka;
    std::unique_ptr<TSpisST> Spis;
    std::vector<std::unique_ptr<TKosztorys>> Kosztorysy;
    QStringList Wlasne;
    std::unique_ptr<pugi::xml_document> Dokument; // for the set configuration, read on take-over
};

// The user's unit of work, stored as one ".zst" file: the estimates of one construction task (a
// snapshot of their trees, so that reopening does not read the estimate files), the specification list
// that serves them, the collection of specifications to produce and the set's own export settings.
class TZestawST
{
public:
    using TZdarzenie = std::function<void(TZestawST* sender)>;

    // The settings are the caller's snapshot; the set gives them to everything it holds.
    explicit TZestawST(const TUstawieniaKosztorysu& ustawienia = {});
    ~TZestawST();
    TZestawST(const TZestawST&) = delete;
    TZestawST& operator=(const TZestawST&) = delete;

    // --- Settings
    const TUstawieniaKosztorysu& Ustawienia() const { return FUstawienia; }
    // A new snapshot for the set's estimates (their copies and later readings) and its collection (what
    // its entries show, the keys of the positions that join it).
    void UstawUstawienia(const TUstawieniaKosztorysu& ustawienia);

    // --- Estimates
    // "Wybrany kosztorys już został dodany do zestawu." when an estimate of the same source path
    // (exact comparison) is in the set; otherwise takes it over (it goes by the set's settings from
    // now on) and reports the change.
    TKosztorys* AddKosztorys(std::unique_ptr<TKosztorys> kosztorys);
    void DelKosztorys(int indeks);
    void DelKosztorys(const TKosztorys* kosztorys);
    TKosztorys* GetKosztorys(int indeks) const;
    // The estimate that holds the element: its topmost ancestor.
    TKosztorys* GetKosztorys(const TElementRds* element) const;
    int KosztorysyCount() const { return static_cast<int>(Kosztorysy.size()); }
    int IndeksKosztorysu(const TKosztorys* kosztorys) const;
    // False (and no event) when it is first / last already or not in the set.
    bool PrzeniesKosztorysWGore(const TKosztorys* kosztorys);
    bool PrzeniesKosztorysWDol(const TKosztorys* kosztorys);
    // Frees every estimate without reporting it.
    void ClearKosztorysy();
    void ClearZbiorST();
    void ClearKonfiguracja();
    void BeginUpdate() { IsUpdating = true; }
    // Ends the update and reports the change.
    void EndUpdate();

    // --- File
    // Reads a set file: its list (from the list's own file), the estimates' trees, the own entries of
    // the collection and the configuration. The set is replaced only when the whole file was read; a
    // failure leaves it as it was. Missing file: "Podany plik zestawu nie istnieje". The backup switches
    // make no copy (kept for the callers' sake).
    void Otworz(const QString& zestawPath, bool tworzKopieZapasowaZst = false, bool tworzKopieZapasowaSst = false);
    // The same from the bytes of a set file; the set's path becomes zestawPath.
    void OtworzZBajtow(QByteArray bajty, const QString& zestawPath = QString());
    // Writes the set to the path (which becomes the set's path) or, without one, to the set's path;
    // the previous file is replaced safely. "Proszę wskazać plik ZST" without any path;
    // "Nie można zapisać pliku: ..." when the write fails.
    void Zapisz(const QString& zestawPath = QString());
    QByteArray ZapiszDoBajtow() const;

    // The two halves of Otworz. Wczytaj touches nothing of the set but reads its settings and events
    // (safe on a worker while the set is not changed meanwhile); it fills odczyt, whose Spis may be made
    // beforehand by the caller (then it is read into). Przyjmij takes over what was read: the whole of it
    // or, when the configuration fails to read, nothing.
    void Wczytaj(const QString& zestawPath, TOdczytanyZestaw& odczyt) const;
    void WczytajZBajtow(QByteArray bajty, const QString& zestawPath, TOdczytanyZestaw& odczyt) const;
    void Przyjmij(TOdczytanyZestaw&& odczyt);

    // Estimates, collection, path and configuration cleared (the list stays); no event.
    void Wyczysc();
    // The positions and the collection forget every match into the list (before nodes of it are freed);
    // matching makes them again.
    void ZapomnijDopasowania();
    // Puts a list in the set's place (an empty one for null), with the old list's price settings; the
    // positions and the collection forget their matches into the old list, which is returned. Matching is
    // the caller's next step.
    std::unique_ptr<TSpisST> ZamienSpisST(std::unique_ptr<TSpisST> spis);

    // --- Parts
    const QString& ZestawPath() const { return FZestawPath; }
    TSpisST* SpisSpecyfikacji() const { return FSpisST.get(); }
    TZbiorST* GetZbiorST() const { return FZbiorST.get(); }
    TKonfiguracjaZestawu* GetKonfiguracja() const { return Konfiguracja.get(); }

    const TZdarzenie& OnZmianaKosztorysu() const { return FOnZmianaKosztorysu; }
    void SetOnZmianaKosztorysu(const TZdarzenie& z) { FOnZmianaKosztorysu = z; }
    const TZdarzenie& OnZapisano() const { return FOnZapisano; }
    void SetOnZapisano(const TZdarzenie& z) { FOnZapisano = z; }
    // Passed on to the list while a set is read.
    void SetOnOtworzMaxProgres(const TSpisST::TOnOtworzMaxProgres& z) { FOnOtworzMaxProgres = z; }
    void SetOnOtworzChangeProgres(const TSpisST::TZdarzenieSpisu& z) { FOnOtworzChangeProgres = z; }

    bool IsUpdating = false;

    QString ToString() const;

private:
    void ZmianaKosztorysu();

    // First: the collection points at it.
    TUstawieniaKosztorysu FUstawienia;
    std::vector<std::unique_ptr<TKosztorys>> Kosztorysy;
    QString FZestawPath;
    std::unique_ptr<TSpisST> FSpisST;
    std::unique_ptr<TZbiorST> FZbiorST;
    std::unique_ptr<TKonfiguracjaZestawu> Konfiguracja;
    TZdarzenie FOnZmianaKosztorysu;
    TZdarzenie FOnZapisano;
    TSpisST::TOnOtworzMaxProgres FOnOtworzMaxProgres;
    TSpisST::TZdarzenieSpisu FOnOtworzChangeProgres;
};
