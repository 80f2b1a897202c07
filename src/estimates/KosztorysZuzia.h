#pragma once

#include "estimates/Kosztorys.h"

#include <QByteArray>

#include <functional>
#include <memory>

namespace pugi {
class xml_node;
}
class TIndeksPozycji;
struct TWezelZuzi;
class TTekstyZuzi;

// An estimate exported by Zuzia as XML. Chapters, groups and elements become elements of the tree;
// positions, merged positions, scaffolding and transport become positions. The copy is the source
// document itself with every position's ST number in its "Sst" child, in the source's own encoding.
class TKosztorysZuzia : public TKosztorys
{
public:
    // Reads the file at once when a path is given.
    explicit TKosztorysZuzia(const QString& filePath = QString(), bool renumeruj = false, bool indeksuj = false,
                             bool nadpiszKopie = false, const TUstawieniaKosztorysu& ustawienia = {});

    void SaveFile(const QString& newFilePath) override;
    QString PobierzIdKosztorysu(const QString& sciezka) override;
    QString GetDefaultExt() const override;
    QString GetFilter() const override;

    // The VAT rate in percent found in the document's surcharges (0 without them).
    double StawkaVat() const { return FStawkaVat; }

protected:
    void Wczytaj() override;
    void CzytajDane(const QByteArray& dane) override;
    QByteArray KopiaDanych(const QByteArray& zrodlo) const override;

private:
    // Reads the bytes, which it takes over; `zrodlo` gives them once more when they are needed untouched.
    void CzytajDokument(QByteArray dane, const std::function<QByteArray()>& zrodlo);
    // The values are in Windows-1250 when `windows1250`, else in UTF-8.
    void CzytajWezly(const pugi::xml_node& wezel, TElementRds* element, bool windows1250);
    std::unique_ptr<TElementRds> CzytajElementZuzia(const TWezelZuzi& wezel, bool& scalony) const;
    // The position with its texts shared through `teksty` (null for a node that is no position).
    std::unique_ptr<TPozycjaRds> CzytajPozycjeZuzia(const TWezelZuzi& wezel, bool scalony, TTekstyZuzi& teksty);
    QString CenaZWartosci(QStringView wartosc, QStringView ilosc) const;
    // The quantity is cut (not rounded) two characters after its first ".".
    static QStringView PrzytnijIlosc(QStringView ilosc);
    void ZapiszSst(pugi::xml_node wezel, const TIndeksPozycji& indeks) const;

    double FStawkaVat = 0.0;
};
