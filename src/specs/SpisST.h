#pragma once

#include "app/MyPath.h"
#include "prices/UstawieniaCen.h"
#include "specs/Specyfikacja.h"

#include <QByteArray>
#include <QFlags>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace pugi {
class xml_node;
}

class IObslugaDuplikatowListy;
class TCzyIstniejaPlikiThread;
struct TCenyOdroczone;
class TIndeksSpisu;
class TStrumienXml;
class TWariantSpecyfikacji;

// How FindSpecyfikacja matches; the values are the bits of the stored byte.
enum TFindSpecyfikacjaFlag {
    fsUwzglednijGrupy = 0x01,
    fsSzukajWariantu = 0x02,
    fsCzescioweDopasowanie = 0x04,
    fsSzukajWGrupach = 0x08,
    fsSzukajWSpecyfikacjach = 0x10,
};
Q_DECLARE_FLAGS(TFindSpecyfikacjaFlags, TFindSpecyfikacjaFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFindSpecyfikacjaFlags)

// The flags with which positions of estimates are matched against the list: specifications only and,
// with variants in use, the variant after "#" with partial matches.
TFindSpecyfikacjaFlags FlagiDopasowaniaPozycji(bool czyKorzystajZWariantow);

// The catalogue of technical specifications: the root of a tree of groups and specifications, stored
// as one ".sst" file. Finds specifications by number and by document file name, filters the tree for
// display, checks in the background whether the documents exist and reads and writes its file.
//
// Lookups are answered from an index that follows the tree through its change events (see TIndeksSpisu).
// For that every node of the list reports to the list: the list installs its own handler on each node,
// and the handler that the rest of the program gives through SetOnZmieniono below is called after it,
// for every change anywhere in the tree. Do not set a node's handler directly; after changing nodes
// while their handler was detached, call PrzebudujIndeks.
class TSpisST : public TSpecyfikacja
{
public:
    using TOnOtworzMaxProgres = std::function<void(int maxProgres, int sleepTime)>;
    using TZdarzenieSpisu = std::function<void(TSpisST* sender)>;
    using TOnFinished = std::function<void(TCzyIstniejaPlikiThread* sender)>;

    static inline const QString Filtr = QStringLiteral("Spis specyfikacji technicznych|*.sst");

    TSpisST();
    ~TSpisST() override;

    // --- File
    // Stores the path; reads the file into the list when it exists (a missing file leaves the list as it
    // is, without an error). With tworzKopieZapasowa the file as read is kept as a backup copy
    // (SciezkaKopiiZapasowej). A failed read leaves the list as it was before.
    void Otworz(const QString& sciezka, bool tworzKopieZapasowa = false);
    // The same reading from the bytes of a list file; the list's path stays as it is.
    void OtworzZBajtow(const QByteArray& bajty);
    // Writes the list to the path (which becomes the list's path) or, without one, to the list's path;
    // the previous file is replaced safely. Raises "Proszę wskazać plik SST" without any path and
    // "Nie można zapisać pliku: ..." when the write fails.
    void Zapisz(const QString& sciezka = QString());
    QByteArray ZapiszDoBajtow() const;
    // Reads another list file into this one; every incoming node goes through the duplicate handling.
    // The list's path is unchanged; nodes read before a failure stay.
    void DodajListe(const QString& sciezka, IObslugaDuplikatowListy& obsluga);
    void DodajListeZBajtow(const QByteArray& bajty, IObslugaDuplikatowListy& obsluga);
    // "Lista.sst" -> "Lista.~sst".
    static QString SciezkaKopiiZapasowej(const QString& sciezka);
    // Removes every node and forgets the path and the empty-number list.
    void Wyczysc();

    // --- Lookups
    // The first node in depth-first order (the root included) that is a candidate under the flags and
    // whose number matches; see the .cpp for the rules. The variant named after "#" goes to wariant;
    // czyPelneDopasowanie is false when a variant was asked for and not found.
    TSpecyfikacja* FindSpecyfikacja(const QString& numer, TWariantSpecyfikacji*& wariant, TFindSpecyfikacjaFlags flagi,
                                    bool& czyPelneDopasowanie);
    TSpecyfikacja* FindSpecyfikacja(const QString& numer, TFindSpecyfikacjaFlags flagi);
    // The first node in depth-first order (the node, then its variants, then its children) whose existing
    // document has the file name of plik (folders ignored, trimmed, any letter case); for a variant the
    // owning node is returned and the variant given (the last matching variant of that node).
    TSpecyfikacja* FindSpecyfikacjaPlik(const QString& plik, TWariantSpecyfikacji*& wariant);
    TSpecyfikacja* FindSpecyfikacjaPlik(const QString& plik);

    // The same lookups as plain walks of the tree, without the index: the definition the index is
    // checked against.
    TSpecyfikacja* FindSpecyfikacjaPrzejscie(const QString& numer, TWariantSpecyfikacji*& wariant,
                                             TFindSpecyfikacjaFlags flagi, bool& czyPelneDopasowanie);
    TSpecyfikacja* FindSpecyfikacjaPlikPrzejscie(const QString& plik, TWariantSpecyfikacji*& wariant);

    bool CzyUzywanyNumer(const QString& numer);
    bool CzyUzywanyNumerWGrupach(const QString& numer);
    bool CzyUzywanyPlik(const QString& sciezka);
    // True, with that group's title, when a group other than the root has a blank number (searched depth
    // first, below the root and below groups that have a number).
    bool CzyIstniejePustyNumerWGrupie(QString& opisSpecyfikacji) const;

    // Marks nodes hidden for display: a node is shown when its caption contains the filter (any letter
    // case) and it lies in the chosen group, or when one of its children is shown. An empty filter shows
    // everything.
    void Filtruj(const QString& filtr, const TSpecyfikacja* wybranaGrupa);
    // Raises ELongPathException (message: the too long path) when a document path of a node or variant,
    // with the user folder replaced by nowyUserPath, would have 260 characters or more.
    void WalidujSciezki(const QString& nowyUserPath) const;

    // --- Background check of the documents
    // Stops a running check and starts a new one; onFinished is called on the main thread when it ends.
    // Not to be called from onFinished itself.
    void OdswiezIstnieniePlikow(TOnFinished onFinished);
    // Stops a running check and waits for it.
    void ZatrzymajSprawdzaniePlikow();
    TCzyIstniejaPlikiThread* CzyIstniejaPlikiThread() const { return FCzyIstniejaPlikiThread.get(); }
    bool TerminatedSprawdzaniePlikow() const { return FTerminatedSprawdzaniePlikow.load(); }
    void SetTerminatedSprawdzaniePlikow(bool wartosc) { FTerminatedSprawdzaniePlikow = wartosc; }

    // --- Properties and events
    TMyPath* GetSpisStPath() { return &SpisStPath; }
    const TMyPath* GetSpisStPath() const { return &SpisStPath; }
    // Nodes read with an empty number at level 2 or deeper; a node leaves it when it leaves the tree.
    const std::vector<TSpecyfikacja*>& ListaPustych() const { return FListaPustych; }
    bool TerminatedOtworz() const { return FTerminatedOtworz.load(); }
    void SetTerminatedOtworz(bool wartosc) { FTerminatedOtworz = wartosc; }

    const TZdarzenieSpisu& OnZmianaNazwyPliku() const { return FOnZmianaNazwyPliku; }
    // Fires the event at once when one is given.
    void SetOnZmianaNazwyPliku(const TZdarzenieSpisu& zdarzenie);
    const TOnOtworzMaxProgres& OnOtworzMaxProgres() const { return FOnOtworzMaxProgres; }
    void SetOnOtworzMaxProgres(const TOnOtworzMaxProgres& zdarzenie) { FOnOtworzMaxProgres = zdarzenie; }
    const TZdarzenieSpisu& OnOtworzChangeProgres() const { return FOnOtworzChangeProgres; }
    void SetOnOtworzChangeProgres(const TZdarzenieSpisu& zdarzenie) { FOnOtworzChangeProgres = zdarzenie; }

    // The handler of changes anywhere in the list (nodes, variants, units), with the changed object as
    // sender. Hides the node's own: the list keeps its handler on every node and calls this one after it.
    const TZdarzenieZmiany& OnZmieniono() const { return FOnZmianaListy; }
    void SetOnZmieniono(const TZdarzenieZmiany& zdarzenie) { FOnZmianaListy = zdarzenie; }

    // --- Unit prices
    // The settings every unit price of the list is computed with. A unit that joins the list (with its
    // node, or added to a node or variant of the list) takes them; new settings recalculate the prices
    // they change, without change events.
    const TUstawieniaCen& UstawieniaCen() const { return FUstawieniaCen; }
    void SetUstawieniaCen(const TUstawieniaCen& ustawienia);
    // The folder "%USERPATH%" stands for in the list's own path and its documents; given before Otworz.
    void UstawKatalogUzytkownika(const QString& katalog) override;

    // Indexes the whole tree again and puts the list's handler back on every node.
    void PrzebudujIndeks();
    // Nodes the index knows (the root included).
    int RozmiarIndeksu();

private:
    // The list's change handler, recognisable by its type (so that a replaced one is noticed).
    struct TObserwator
    {
        TSpisST* Spis;
        void operator()(TNadawcaZmiany* nadawca) const { Spis->ObsluzZmiane(nadawca); }
    };

    void ObsluzZmiane(TNadawcaZmiany* nadawca);
    void PrzylaczWezel(TSpecyfikacja& wezel);
    // The list's price settings on the units of the node and of its variants.
    void UstawCenyWezla(TSpecyfikacja& wezel) const;
    void OdlaczonoWezel(const TSpecyfikacja* wezel);
    // Puts the list's handler back when something replaced it on the root.
    void SprawdzObserwatora();

    void ZapiszDo(TStrumienXml& xml) const;
    void Wczytaj(QByteArray bajty, IObslugaDuplikatowListy* obsluga);
    void WczytajElementy(const pugi::xml_node& pierwszy, TSpecyfikacja& rodzic, IObslugaDuplikatowListy* obsluga);
    void WczytajElement(const pugi::xml_node& e, TSpecyfikacja& rodzic, IObslugaDuplikatowListy* obsluga);
    void WczytajWarianty(const pugi::xml_node& e, TSpecyfikacja& wezel);
    void WczytajJednostki(const pugi::xml_node& e, TSpecyfikacja& wezel);
    bool CzyDuplikatPrzyOtwarciu(TSpecyfikacja& s, bool czyGrupa);
    // Adds the node to the list of blank numbers when it has none and lies at level 2 or deeper.
    void DopiszPusty(TSpecyfikacja& wezel);
    // Runs the step with the node taken as a specification: a group may carry variants and units that it
    // kept from the time it was one.
    template <typename Krok> void JakoSpecyfikacja(TSpecyfikacja& wezel, Krok&& krok);

    TMyPath SpisStPath;
    TZdarzenieSpisu FOnZmianaNazwyPliku;
    std::vector<TSpecyfikacja*> FListaPustych;
    std::atomic<bool> FTerminatedSprawdzaniePlikow{false};
    std::atomic<bool> FTerminatedOtworz{false};
    TOnOtworzMaxProgres FOnOtworzMaxProgres;
    TZdarzenieSpisu FOnOtworzChangeProgres;
    std::unique_ptr<TCzyIstniejaPlikiThread> FCzyIstniejaPlikiThread;

    TZdarzenieZmiany FOnZmianaListy;
    TUstawieniaCen FUstawieniaCen;
    // The document of the plain open under way, whose unit prices stay in it until asked for.
    std::shared_ptr<const TCenyOdroczone> FCenyOdroczone;
    std::unique_ptr<TIndeksSpisu> FIndeks;
    bool FKoniec = false;
    // The size of the file read or written last: the room a new file's bytes are given at once (growing a
    // buffer of tens of MB copies it again and again).
    mutable qsizetype FRozmiarPliku = 0;
};
