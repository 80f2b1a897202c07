#pragma once

#include "estimates/Kosztorys.h"

#include <QByteArray>
#include <QStringView>

// An estimate in the FWD exchange format. Structure levels become elements, positions become positions.
// FWD positions have no identifier of their own: the key of a position (the MD5 digest of its description
// and unit) is its Id, and the copy finds the position's block again by that key.
class TKosztorysFwdSt : public TKosztorys
{
public:
    // Reads the file at once when a path is given.
    explicit TKosztorysFwdSt(const QString& filePath = QString(), bool renumeruj = false, bool indeksuj = false,
                             bool nadpiszKopie = false, const TUstawieniaKosztorysu& ustawienia = {});

    void SaveFile(const QString& newFilePath) override;
    QString PobierzIdKosztorysu(const QString& sciezka) override;
    QString GetDefaultExt() const override;
    QString GetFilter() const override;

    // MD5 (32 lower-case hexadecimal digits) of the trimmed description followed by the trimmed unit,
    // both in Windows-1250.
    static QString KluczPozycji(QStringView opis, QStringView jm);

protected:
    void Wczytaj() override;
    void CzytajDane(const QByteArray& dane) override;
    // The positions' ST numbers go into "spec_techn"; the copy is in Windows-1250.
    QByteArray KopiaDanych(const QByteArray& zrodlo) const override;

private:
    // The bytes of a file, as DekodujTekstPliku reads them.
    void CzytajSekcje(const QByteArray& dane);
    QByteArray Kopia(const QByteArray& dane) const;
};
