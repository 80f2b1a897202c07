#pragma once

#include "estimates/Kosztorys.h"

#include <QByteArray>
#include <QString>

#include <memory>

class TBlokAth;
class TLinieAth;
struct TSegmentAth;

// An estimate of ATH (".ath", written by the NORMA estimating program): a text of "[ELEMENT n]"
// element blocks and "[POZYCJA]", "[TRANSPORT n]" and "[RUSZTOWANIA n]" position blocks of
// "key=value" lines. Every position must carry an identifier ("id") and a number ("nu"); a file that
// lacks them is refused with a typed exception, and read again with Indeksuj and/or Renumeruj it is
// repaired into a copy named "<name> - kopia.<ext>" beside it, which is then read. The copy written by
// SaveFile is the source with each position's ST number put into its block, in Windows-1250 with CR LF.
class TKosztorysAth1 : public TKosztorys
{
public:
    // Reads the file at once when a path is given (a failure propagates as the reader's exception).
    explicit TKosztorysAth1(const QString& filePath = QString(), bool renumeruj = false, bool indeksuj = false,
                            bool nadpiszKopie = false, const TUstawieniaKosztorysu& ustawienia = {});
    ~TKosztorysAth1() override;

    void SaveFile(const QString& newFilePath) override;
    QString PobierzIdKosztorysu(const QString& sciezka) override;
    QString GetDefaultExt() const override { return QStringLiteral(".ath"); }
    QString GetFilter() const override { return QStringLiteral("Kosztorys ATH (*.ath)|*.ath"); }

    // The bytes of the repaired copy of a source holding these bytes, by Indeksuj and Renumeruj.
    QByteArray NaprawDane(const QByteArray& zrodlo) const;
    // Where the repaired copy of a file goes: its name with " - kopia" before the extension.
    static QString SciezkaKopiiNaprawczej(const QString& sciezka);

    // The last file read was written by a NORMA version older than 4.44.
    bool CzyNormaPrzed44() const { return FCzyNormaPrzed44; }
    // The position added last while reading; none before reading and after a failed reading.
    TPozycjaRds* OstatnioDodanaPozycja() const { return FOstatnioDodanaPozycja; }

    // Deepest nesting of elements taken from a file; a deeper file is refused as not an estimate.
    static constexpr int MaksZaglebienie = 100;

protected:
    void Wczytaj() override;
    // From bytes no file is touched: with Indeksuj or Renumeruj the bytes are repaired first (in memory),
    // otherwise they are checked for identifiers and numbers.
    void CzytajDane(const QByteArray& dane) override;
    QByteArray KopiaDanych(const QByteArray& zrodlo) const override;

    // Raises EBrakIdNrPozycjiException, EBrakIdPozycjiException or EBrakNrPozycjiException when some
    // position block lacks an "id" or a "nu" line.
    void SprawdzIdINr(const TLinieAth& linie) const;
    // Repairs the file into its copy beside it, reads the copy into the tree and points FilePath at it.
    void NaprawPlik(const QString& sciezka);
    QByteArray NaprawDane(const TLinieAth& linie) const;
    // Gives one position block the counter as its "id" (Indeksuj) and "nu" (Renumeruj) lines.
    void NumerujBlok(TBlokAth& blok, int licznik) const;

    void WczytajLinie(const TLinieAth& linie);
    std::unique_ptr<TElementRds> WczytajElementAth(const TLinieAth& linie, const TSegmentAth& segment) const;
    std::unique_ptr<TPozycjaRds> WczytajPozycjeAth(const TLinieAth& linie, const TSegmentAth& segment);

private:
    class TIndeksPozycji;
    // Puts the ST line of the block's position into the block.
    void UstawSTWBlokuAth(TBlokAth& blok, TIndeksPozycji& indeks) const;
    TElementRds* UmiescElement(TElementRds* biezacy, std::unique_ptr<TElementRds> element, int poziom);
    void UstawTytulZPliku(const QString& sciezka);

    bool FCzyNormaPrzed44 = false;
    TPozycjaRds* FOstatnioDodanaPozycja = nullptr;
};
