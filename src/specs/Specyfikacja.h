#pragma once

#include "app/MyPath.h"
#include "specs/ZdarzenieZmiany.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TJmSpecyfikacji;
class TWariantSpecyfikacji;

// One node of the specification list: a group (a level of the catalogue) or a specification bound to
// one document file, with its variants and units of measure. The list's root is a node too (level 0).
// A node owns its children, variants and units; its parent is not owned.
//
// Operations that take ownership free a node they refuse (returning false), except one that is
// already theirs, which is left in place.
class TSpecyfikacja : public TNadawcaZmiany
{
public:
    // katalogUzytkownika: what "%USERPATH%" in plik stands for (the list's folder, when the node is made for
    // one); a node added to a list takes the list's folder anyway.
    TSpecyfikacja(const QString& numer, bool czyWarunkiOgolne, bool czyGrupa, const QString& info, const QString& plik,
                  const QString& opis, const QString& katalogUzytkownika = QString());
    ~TSpecyfikacja() override;
    TSpecyfikacja(const TSpecyfikacja&) = delete;
    TSpecyfikacja& operator=(const TSpecyfikacja&) = delete;

    // --- Children. Nothing hangs below level 4 and no group below level 3: Add raises EBlad then.
    // Adding a specification (not a group) makes this node a group and drops its document.
    virtual bool Add(std::unique_ptr<TSpecyfikacja> s);
    // No level check; false (never an append) when the index is outside 0 .. Count-1.
    virtual bool Insert(std::unique_ptr<TSpecyfikacja> s, int index);
    // Take out and free.
    virtual bool Remove(TSpecyfikacja* s);
    virtual bool Remove(int index);
    // Takes over number, title, document (only when it exists), remark, flags and copies of the variants
    // of the other node; units, children, parent and handler stay.
    virtual void Overwrite(const TSpecyfikacja& inna);
    // Detaches the child and hands it over; empty when it is not a child.
    virtual std::unique_ptr<TSpecyfikacja> Delete(TSpecyfikacja* s);
    virtual bool Move(int curIndex, int newIndex);
    // Number, a blank and title, trimmed.
    virtual QString GetCaption() const;
    // Raises EBlad on a group.
    virtual bool AddWariant(std::unique_ptr<TWariantSpecyfikacji> wariant);
    virtual bool DelWariant(int index);
    // Takes out and frees the variant without a change event.
    virtual bool RemWariant(TWariantSpecyfikacji* wariant);
    virtual QString ToString() const;

    int Count() const;
    TSpecyfikacja* GetSpecyfikacja(int index) const;
    int IndexOf(const TSpecyfikacja* s) const;
    // The node's index in its parent; -1 without a parent.
    int GetIndex() const;

    // Same number (exactly) and same existing document (GetPlik).
    bool Equals(const TSpecyfikacja* inna) const;

    // The decoded document path when that file exists now, else empty.
    QString GetPlik() const;
    QString GetLongPath() const;
    TMyPath* GetPath() { return &FPlik; }
    const TMyPath* GetPath() const { return &FPlik; }
    QString GetEncodedPath() const { return FPlik.EncodedPath(); }
    // The user folder the node's documents are read against, and its change for the whole subtree with the
    // variants (a node added under another takes its parent's).
    const QString& KatalogUzytkownika() const { return FPlik.KatalogUzytkownika(); }
    virtual void UstawKatalogUzytkownika(const QString& katalog);

    // Number of ancestors: 0 for the list's root.
    int KtoryPoziom() const;
    // Walking depth first from this node, counts each group that lies deeper (from the list's root) than
    // every group counted before it, and returns that count minus one: for a group, the number of group
    // levels below it; for the list's root, one less than the group levels of the list.
    int IlePoziomow() const;
    // Non-group nodes in the subtree, this one included.
    int IleSpecyfikacji(bool czyLiczycUkryte) const;

    // --- Variants
    TWariantSpecyfikacji* GetWariant(int index) const;
    int WariantyCount() const;
    bool ContainsWariant(const TSpecyfikacja* wariant) const;
    void ClearWarianty();

    // --- Units of measure. At most one blank unit (no symbol, no description), always the last one.
    // Raises EBlad on a group.
    bool AddJm(std::unique_ptr<TJmSpecyfikacji> jm);
    void DelJm(TJmSpecyfikacji* jm);
    TJmSpecyfikacji* GetJm(int index) const;
    int JmCount() const;
    void ClearJm();

    // A new plain node (also for a variant) with this node's data and, when asked, copies of its units and
    // of its variants (variant objects, with their units); children are never copied. The copy has no
    // parent and no change handler.
    std::unique_ptr<TSpecyfikacja> Clone(bool czyJm, bool czyWarianty) const;

    // --- Properties
    const QString& Numer() const { return FNumer; }
    // Raises EBlad "Numer nie może być pusty." for a blank number; stores it untrimmed.
    void SetNumer(const QString& wartosc);
    const QString& Opis() const { return FOpis; }
    void SetOpis(const QString& wartosc);
    const QString& Info() const { return FInfo; }
    void SetInfo(const QString& wartosc);
    // Takes a real path or the stored form with "%USERPATH%"; a group keeps no document.
    void SetPlik(const QString& wartosc);
    bool CzyGrupa() const { return FGrupa; }
    bool CzyWarunkiOgolne() const { return FWarunkiOgolne; }
    void SetCzyWarunkiOgolne(bool wartosc);
    TSpecyfikacja* Parent() const { return FParent; }
    // Set only by the list's filter; no change event.
    bool Hidden() const { return FHidden; }
    void SetHidden(bool wartosc) { FHidden = wartosc; }
    // A slot for the user interface; never freed here.
    void* Data() const { return FData; }
    void SetData(void* wartosc) { FData = wartosc; }
    // Whether the document existed at the last check; the list's background check sets it too.
    bool CzyIstnieje() const { return FCzyIstnieje; }
    void SetCzyIstnieje(bool wartosc) { FCzyIstnieje = wartosc; }
    const TZdarzenieZmiany& OnZmieniono() const { return FOnZmieniono; }
    // Also for the variants and the units, not for the children.
    void SetOnZmieniono(const TZdarzenieZmiany& zdarzenie);

protected:
    // Re-checks the document, then tells the handler.
    void Zmieniono();
    bool CzyPlikIstniejeTeraz() const;
    // Whether the document exists, asked again unless this node already asked within the current scope of
    // TZakresIstnieniaDokumentow and its path has not changed since.
    void OdswiezIstnienie();
    // The document of a node being read, before it joins a tree: what SetPlik does to a new node, without
    // comparing with the empty path it had or telling a handler it does not have yet.
    void UstawPlikWczytany(const QString& plik);

    QString FNumer;
    QString FOpis;
    TMyPath FPlik;
    bool FGrupa = false;
    bool FWarunkiOgolne = false;
    TSpecyfikacja* FParent = nullptr;
    std::vector<std::unique_ptr<TSpecyfikacja>> Specyfikacje;
    void* FData = nullptr;
    bool FHidden = false;
    QString FInfo;
    std::vector<std::unique_ptr<TWariantSpecyfikacji>> FWarianty;
    TZdarzenieZmiany FOnZmieniono;
    bool FCzyIstnieje = false;
    // The scope in which FCzyIstnieje was asked for the present path; 0 when it must be asked again.
    std::uint32_t FPokolenieIstnienia = 0;
    std::vector<std::unique_ptr<TJmSpecyfikacji>> FJmSpecyfikacji;

private:
    void DolaczWariant(std::unique_ptr<TWariantSpecyfikacji> wariant);
    void DolaczJm(std::unique_ptr<TJmSpecyfikacji> jm);
};
