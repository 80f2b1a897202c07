#pragma once

#include "estimates/KosztorysRds.h"

#include <QHash>

// An estimate of Rodos 7 (".rds7"): the line structure of the Rodos file, with quantities that may be
// arithmetic expressions and no multiplier. The file is UTF-8 (a byte-order mark optional); the copy
// is UTF-8 with a byte-order mark and CR LF, and its companions are ".tuw7", ".cen7" and ".hst7".
class TKosztorysRds7 : public TKosztorysRds
{
public:
    explicit TKosztorysRds7(const QString& filePath = QString(), bool renumeruj = false, bool indeksuj = false,
                            bool nadpiszKopie = false, const TUstawieniaKosztorysu& ustawienia = {});

    QString GetDefaultExt() const override { return QStringLiteral(".rds7"); }
    QString GetFilter() const override { return QStringLiteral("Kosztorys Rodos (*.rds7)|*.rds7"); }

    // A quantity as the position keeps it: the value of the expression with at most three decimals, or
    // the normalised text when it is no expression or does not reduce to a number ("5%", "1/0", "12m2").
    static QString ObliczIlosc(const QString& tekst);

protected:
    void Wczytaj() override;
    void CzytajDane(const QByteArray& dane) override;
    void WczytajPozycje(TElementRds* element, QStringView naglowek, int indeksLinii) override;
    // UTF-8 when the bytes are UTF-8, otherwise as a Rodos file (byte-order mark, else Windows-1250).
    QString DekodujPlik(const QByteArray& dane) const override;
    // The whole text: whether the bytes are UTF-8 is a question about all of them.
    TLinieRds LinieDoCzytania(const QByteArray& dane) const override { return TLinieRds(DekodujPlik(dane)); }
    void DopiszLinie(QByteArray& wynik, QStringView linia) const override;
    QByteArray PoczatekKopii() const override { return QByteArrayLiteral("\xEF\xBB\xBF"); }
    QStringList RozszerzeniaTowarzyszace() const override
    {
        return {QStringLiteral(".tuw7"), QStringLiteral(".cen7"), QStringLiteral(".hst7")};
    }
    bool CzyKrotnosc() const override { return false; }

private:
    // Quantities already worked out by the interpreter during the reading under way, by their text: a
    // measurement written once is often repeated, and the interpreter is the dearest step of reading.
    QHash<QString, QString> FObliczoneIlosci;
};
