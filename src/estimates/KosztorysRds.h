#pragma once

#include "estimates/Kosztorys.h"
#include "estimates/LinieRds.h"
#include "estimates/WspolneTeksty.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <functional>
#include <memory>
#include <vector>

// An estimate of Rodos (".rds"): a line-oriented text of "[ELEM]" element blocks, "[AGR]" aggregate
// and "[POZ]" position blocks of "key=value" lines, and an "ID_KS=" identifier line. The copy is the
// source with each position's ST number put into its block, in Windows-1250 with CR LF.
class TKosztorysRds : public TKosztorys
{
public:
    explicit TKosztorysRds(const QString& filePath = QString(), bool renumeruj = false, bool indeksuj = false,
                           bool nadpiszKopie = false, const TUstawieniaKosztorysu& ustawienia = {});
    ~TKosztorysRds() override;

    void SaveFile(const QString& newFilePath) override;
    QString PobierzIdKosztorysu(const QString& sciezka) override;
    QString GetDefaultExt() const override { return QStringLiteral(".rds"); }
    QString GetFilter() const override { return QStringLiteral("Kosztorys Rodos (*.rds)|*.rds"); }

    // The identifier in the bytes of a file: the first line beginning with "ID_KS=", without that text.
    QString IdKosztorysuZDanych(const QByteArray& dane) const;

    // Copies the source's companion file (same folder and name, this extension) to the source's folder
    // under the name of the new file. Nothing is copied when the new file is the source itself, when
    // there is no companion or when the copy would land on the source or the companion.
    void KopiujPlikTowarzyszacy(const QString& newFilePath, const QString& rozszerzenie) const;

protected:
    // A text gathered from a block: filled without a call into Qt (the room for most values is inline), read
    // through QStringView.
    using TTekstBloku = QVarLengthArray<char16_t, 128>;

    // What a position block gathers; the keys and their rules are the same in both Rodos formats. One is
    // refilled block after block, so its texts keep their room and gathering allocates nothing.
    struct TZebraneDane
    {
        TTekstBloku Id, Nr, ST, Podstawa, Opis, Jm, Ilosc, Krot, Cena;
        bool CzyIlosc = false; // a quantity line was met
        bool CzyAgrId = false; // the block is a component of an aggregate

        // Empty texts and flags, the texts' room kept.
        void Wyczysc();
    };

    void Wczytaj() override;
    void CzytajDane(const QByteArray& dane) override;
    QByteArray KopiaDanych(const QByteArray& zrodlo) const override;

    // Reads the position block that opens at the line and, unless it is a component of an aggregate,
    // adds its position to the element.
    virtual void WczytajPozycje(TElementRds* element, QStringView naglowek, int indeksLinii);
    // Reads the element block that opens at the line; its level comes back in poziom.
    std::unique_ptr<TElementRds> WczytajElement(int indeksLinii, int& poziom) const;

    // The text of a file's bytes: a byte-order mark decides, else Windows-1250.
    virtual QString DekodujPlik(const QByteArray& dane) const;
    // The lines of a file's bytes for reading: a Windows-1250 file (no byte-order mark) over its bytes, decoded
    // piece by piece as the reading goes (see TLinieRds), any other over its whole text.
    virtual TLinieRds LinieDoCzytania(const QByteArray& dane) const;
    // One line of the copy, its line end included, appended in the copy's encoding.
    virtual void DopiszLinie(QByteArray& wynik, QStringView linia) const;
    // What the copy begins with (a byte-order mark or nothing).
    virtual QByteArray PoczatekKopii() const { return {}; }
    // Companion files copied by SaveFile, in order; the first that fails ends the copying.
    virtual QStringList RozszerzeniaTowarzyszace() const { return {QStringLiteral(".tuw")}; }
    // Whether the position keys include the multiplier "Krot".
    virtual bool CzyKrotnosc() const { return true; }

    // The lines being read or written; empty otherwise.
    const TLinieRds& PlikRds() const { return FPlikRds; }
    // Gathers (into emptied data) the keys of the position block that opens at the line; returns the block's last line
    // (the first line blank after trimming, the line before the next line that opens a block, or the last line of the
    // file).
    int ZbierzBlok(int indeksLinii, TZebraneDane& dane) const;
    // Walks the component blocks that follow an aggregate's block (its last line given), in the way
    // both formats share; each component is handed to the callback, which adds to the sum. Returns
    // when the aggregate ends. dane.Krot is refilled from every component scanned.
    void PrzejdzSkladniki(int koniecBloku, TZebraneDane& dane,
                          const std::function<void(const TZebraneDane& skladnik)>& dodaj) const;
    // A gathered text as a QString over its characters, without a copy: for calls that take a QString and keep
    // nothing of it.
    static QString Tekst(const TTekstBloku& t)
    {
        return QString::fromRawData(reinterpret_cast<const QChar*>(t.data()), t.size());
    }
    // Adds a new position with the gathered texts (ST through the variant separator rule).
    void UtworzPozycje(TElementRds* element, const TZebraneDane& dane, QStringView ilosc, QStringView cena,
                       bool aktywna);

    // The data of the position block being read and of the component being scanned, refilled for each.
    TZebraneDane FZebrane;
    mutable TZebraneDane FSkladnik;

private:
    void Przetworz(QByteArray dane);
    QByteArray ZbudujKopie(const TLinieRds& linie) const;

    TLinieRds FPlikRds;
    // The texts shared by the positions of the reading under way.
    TWspolneTeksty FWspolneTeksty;
    TWspolneZwarte FWspolneZwarte;
};
