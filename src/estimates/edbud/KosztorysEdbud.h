#pragma once

#include "estimates/Kosztorys.h"

#include <QMap>

#include <functional>
#include <memory>

class TBazaMdb;

// An Edbud estimate: an Access database whose chapters become the elements of the tree and whose
// positions their positions. The copy is the database with every position's ST number in its "ts" column.
class TKosztorysEdbud : public TKosztorys
{
public:
    explicit TKosztorysEdbud(const QString& filePath = QString(), bool renumeruj = false, bool indeksuj = false,
                             bool nadpiszKopie = false, const TUstawieniaKosztorysu& ustawienia = {});

    void SaveFile(const QString& newFilePath) override;
    QString GetDefaultExt() const override { return QStringLiteral(".mdb"); }
    QString GetFilter() const override { return QStringLiteral("Kosztorys Edbud (*.mdb)|*.mdb"); }

    // Whether the file is a unit database the settings may accept: it opens and its "UNITS" table has a row.
    static bool CzyPrawidlowyPlikJdnMdb(const QString& jdnPath);
    // Unit codes to names: the program's unit list and, when that gave any and the given Edbud unit
    // database exists, its "UNITS" rows over them (failures there are ignored).
    static QMap<QString, QString> KodyJednostek(const QString& bazaJednostek);
    // The same from a given unit list file and unit database.
    static QMap<QString, QString> KodyJednostek(const QString& plikListy, const QString& bazaJednostek);

    // Values of the database as the tree keeps them: whole numbers as digits, other numbers the Polish way
    // ("1520,5"), texts trimmed, NULL empty.
    static QString TekstWartosci(const QVariant& wartosc);

protected:
    void Wczytaj() override;
    // The database library works on files only: bytes in memory go through a temporary file of their own
    // (in the system's temporary folder, removed at once), so that the format keeps the one entry point
    // the others have; the program itself reads and copies the estimate's own file.
    void CzytajDane(const QByteArray& dane) override;
    QByteArray KopiaDanych(const QByteArray& zrodlo) const override;

private:
    static void DopiszJednostkiBazy(QMap<QString, QString>& kody, const QString& baza);
    // Fills the tree from the database file.
    void CzytajBaze(const QString& sciezka);
    // Puts every position's ST number into the "ts" column of the database file, changed in place.
    void ZapiszNumery(const QString& sciezka) const;
};
