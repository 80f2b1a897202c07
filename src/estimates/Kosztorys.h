#pragma once

#include "app/MyPath.h"
#include "estimates/ElementRds.h"
#include "estimates/UstawieniaKosztorysu.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <functional>
#include <memory>

class TSpecyfikacja;

// An estimate read from the file of another estimating program. The root of its own tree; each file
// format is a subclass that fills the tree from its file and writes a copy of the file with the
// positions' current ST numbers put back.
class TKosztorys : public TElementRds
{
public:
    using TOnZmiana = std::function<void(TKosztorys* sender)>;

    // The settings are the caller's snapshot: the estimate reads and writes by them, never by the program's
    // configuration.
    TKosztorys(const QString& filePath, bool renumeruj, bool indeksuj, bool nadpiszKopie,
               const TUstawieniaKosztorysu& ustawienia = {});
    ~TKosztorys() override;

    // Reads the file named by FilePath into the tree. A failure leaves the tree empty (never half read)
    // and raises the reader's Polish message.
    void WczytajKosztorys();
    // Writes a copy of the source file to the new path with the positions' ST numbers. Never changes
    // the source or the tree; never leaves a half-written copy.
    virtual void SaveFile(const QString& newFilePath) = 0;

    // The one entry point of every format for estimates held in memory; the file-based reading and
    // SaveFile take the same steps. Fills the tree from the bytes of a file of the format, leaving the
    // path and the title as they are; the tree is emptied first and stays empty when the bytes cannot be
    // read (the reader's Polish message).
    void WczytajZDanych(const QByteArray& dane);
    // The bytes of the copy that SaveFile writes for a source holding these bytes. Never changes the tree.
    QByteArray ZapiszDoDanych(const QByteArray& zrodlo) const;
    // The estimate identifier stored in the file at the path; empty for formats without one.
    virtual QString PobierzIdKosztorysu(const QString& sciezka);
    virtual QString GetDefaultExt() const = 0;
    virtual QString GetFilter() const = 0;

    TMyPath& FilePath() { return *FFilePath; }
    const TMyPath& FilePath() const { return *FFilePath; }
    const QString& Tytul() const { return FTytul; }
    // Changes the title (and reports it) only when the trimmed texts differ.
    void SetTytul(const QString& wartosc);
    QString Id;
    bool Renumeruj = false;
    bool Indeksuj = false;
    bool NadpiszKopie = false;
    TOnZmiana OnZmiana;

    const TUstawieniaKosztorysu& Ustawienia() const { return FUstawienia; }
    // For what is read and written from now on; what was read stays as it is.
    void UstawUstawienia(const TUstawieniaKosztorysu& ustawienia);

    void ClearDataPozycji();
    // Makes every position report its changes to this estimate's OnZmiana.
    void UstawZdarzenieZmianyZawartosciPozycji();
    bool CzyUzywaneST(const QString& numerSt) const;
    bool CzyUzywaneST(const TSpecyfikacja* specyfikacja) const;
    // Re-binds to another source file when asked (see NewKosztorysPath), then writes the copy.
    void Eksportuj(const QString& newFilePath, const QString& newKosztorysPath, bool forceNewKosztorys);
    QString ToString() const;

    // The ST number written back for a position: the chosen specification's key (with its variant
    // after the visual separator, when variants are exported), else the position's own ST.
    static QString STDoZapisu(const TPozycjaRds& pozycja, const TUstawieniaKosztorysu& ustawienia);
    // The ST number with the first variant separator of the settings found replaced by "#", when variants
    // are used and recognised on reading; otherwise unchanged.
    static QString NormalizujSeparatorWariantu(const QString& st, const TUstawieniaKosztorysu& ustawienia);

    // The first position (positions of an element before its children) whose Id equals the text exactly.
    static TPozycjaRds* ZnajdzPozycjePoId(const TElementRds* element, const QString& id);

    // Positions by Id, the first in tree order winning: what ZnajdzPozycjePoId finds, in constant time.
    using TIndeksId = QHash<QString, TPozycjaRds*>;
    TIndeksId ZbudujIndeksId() const;

    // Puts the ST line into the lines of one position block of a Rodos file (header line first).
    void UstawSTWBloku(QStringList& linie, const TIndeksId* indeks = nullptr) const;

protected:
    // Fills the tree from the file; called on an empty tree.
    virtual void Wczytaj() = 0;
    // The format's reading of a file's bytes into the empty tree.
    virtual void CzytajDane(const QByteArray& dane) = 0;
    // The format's copy of a source's bytes with the positions' ST numbers.
    virtual QByteArray KopiaDanych(const QByteArray& zrodlo) const = 0;
    // The handler given to positions: reports the change as a change of the estimate.
    void PozycjaZmieniona(TPozycjaRds* sender);
    TPozycjaRds::TOnZmiana HandlerPozycji();
    // The same handler, one for all positions of the estimate (it lives as long as the tree).
    const TPozycjaRds::TOnZmiana* WspolnyHandlerPozycji() const { return &FHandlerPozycji; }

private:
    // Runs a reading on an empty tree and leaves the tree empty when it fails.
    template <typename TCzytanie> void CalyLubNic(const TCzytanie& czytanie);

    std::unique_ptr<TMyPath> FFilePath;
    QString FTytul;
    TUstawieniaKosztorysu FUstawienia;
    TPozycjaRds::TOnZmiana FHandlerPozycji;
};
