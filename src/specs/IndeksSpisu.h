#pragma once

#include <QHash>
#include <QString>
#include <QVarLengthArray>

#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TNadawcaZmiany;
class TSpecyfikacja;

// Keys under which the list finds its nodes. Numbers compare trimmed and without regard to letter
// case; documents by their file name alone, trimmed and without regard to letter case.
QString KluczNumeru(const QString& numer);
// The part after the last "/" or "\" (the whole text when there is none).
QString NazwaPlikuZeSciezki(const QString& sciezka);
QString KluczPliku(const QString& sciezka);

// Where the nodes of one list tree are, by number and by document file name, so that matching many
// numbers costs the numbers, not the numbers times the nodes.
//
// The index follows the tree through its change events: every node it knows carries the handler the
// owner installs (przylaczono), and every structural operation (Add, Insert, Remove, Delete, Move) fires
// the parent's event, on which the index compares the parent's children with what it saw last. A node
// that left the tree is dropped from the index by its address alone; it may be freed already.
//
// The answers are candidates, never the final word: a bucket may still hold a node whose number or
// document changed without an event (a variant removed with RemWariant, say), so callers check each
// candidate against the node itself. What the index must never miss is a node that carries the key;
// changes made while a node's handler is detached need Przebuduj.
class TIndeksSpisu
{
public:
    using TPrzylaczono = std::function<void(TSpecyfikacja& wezel)>;
    using TOdlaczono = std::function<void(const TSpecyfikacja* wezel)>;

    // przylaczono: called for every node that enters the index (to install the change handler);
    // odlaczono: for every node that leaves it, with an address that must not be dereferenced.
    TIndeksSpisu(TSpecyfikacja& korzen, TPrzylaczono przylaczono, TOdlaczono odlaczono);
    TIndeksSpisu(const TIndeksSpisu&) = delete;
    TIndeksSpisu& operator=(const TIndeksSpisu&) = delete;

    // Indexes the whole tree again; nodes known before and no longer in it are reported as gone.
    void Przebuduj();
    // A change event of the tree: a node, a variant or a unit of measure.
    void Zmiana(TNadawcaZmiany* nadawca);

    // Nodes that may carry the number key (KluczNumeru) or a document (of the node or of one of its
    // variants) with the file key (KluczPliku), in the tree's depth-first order.
    std::vector<TSpecyfikacja*> ONumerze(const QString& klucz) const;
    // The common case without a copy: czyJedyny when at most one node may carry the key (that node, or
    // null); otherwise ONumerze gives them in order.
    TSpecyfikacja* JedynyONumerze(const QString& klucz, bool& czyJedyny) const;
    std::vector<TSpecyfikacja*> ZPlikiem(const QString& klucz) const;

    // Room for that many more nodes, before a file is read.
    void Zarezerwuj(int ile);

    bool CzyZnany(const TSpecyfikacja* wezel) const { return FRekordy.count(wezel) != 0; }
    int Rozmiar() const { return static_cast<int>(FRekordy.size()); }

    // Most nodes have no variants, one document and a number of their own: room for that many in place
    // saves the allocations of a list's every node.
    using TZrodla = QVarLengthArray<QString, 2>;
    using TKlucze = QVarLengthArray<QString, 1>;
    using TKubelek = QVarLengthArray<TSpecyfikacja*, 1>;

private:
    struct TRekord
    {
        TSpecyfikacja* Rodzic = nullptr;
        // The texts the keys were made from: the number and the stored documents of the node and its variants.
        TZrodla Zrodla;
        int Indeks = 0; // position among the parent's children
        QString Numer;
        TKlucze Pliki;
        // A document whose file name holds the user-folder token: its name depends on the user folder,
        // so the node is a candidate for every file lookup.
        bool Niepewny = false;
        std::vector<TSpecyfikacja*> Dzieci;
    };

    void DodajPoddrzewo(TSpecyfikacja& wezel, TSpecyfikacja* rodzic, int indeks);
    void UsunPoddrzewo(const TSpecyfikacja* wezel);
    static TZrodla Zrodla(const TSpecyfikacja& wezel);
    static bool TeSameZrodla(const TRekord& rekord, const TSpecyfikacja& wezel);
    void Wpisz(TSpecyfikacja& wezel, TRekord& rekord);
    void Wypisz(const TSpecyfikacja* wezel, const TRekord& rekord);
    void Przeklucz(TSpecyfikacja& wezel);
    void PorownajDzieci(TSpecyfikacja& rodzic);
    void Uporzadkuj(std::vector<TSpecyfikacja*>& wezly) const;

    TSpecyfikacja& FKorzen;
    TPrzylaczono FPrzylaczono;
    TOdlaczono FOdlaczono;
    std::unordered_map<const TSpecyfikacja*, TRekord> FRekordy;
    QHash<QString, TKubelek> FNumery;
    QHash<QString, TKubelek> FPliki;
    std::unordered_set<TSpecyfikacja*> FNiepewne;
};
