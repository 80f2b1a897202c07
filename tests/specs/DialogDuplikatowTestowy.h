#pragma once

#include "specs/DuplikatStDialog.h"
#include "specs/LicznikImportuSt.h"
#include "specs/Specyfikacja.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <stdexcept>

// A duplicate dialog that answers from scripts prepared by the test and writes down every question:
// "numer D-01 <- D-01", "plik D-01 <- D-02", "konflikt X: plik A, numer B" (existing <- incoming).
// A question without a prepared answer fails the test at once.
class TDialogDuplikatowTestowy : public IDuplikatStDialog
{
public:
    struct TOdpowiedzNumeru
    {
        TOpcjaDuplikatowNumeru Opcja;
        bool Zapamietaj = false;
    };
    struct TOdpowiedzPliku
    {
        TOpcjaDuplikatowPliku Opcja;
        bool Zapamietaj = false;
    };

    std::deque<TOdpowiedzNumeru> OdpowiedziNumeru;
    std::deque<TOdpowiedzPliku> OdpowiedziPliku;
    QStringList Pytania;
    // The third argument of each number question.
    std::deque<bool> DuplikatPlikuWPytaniu;
    TLicznikImportuSt Licznik;

    TOpcjaDuplikatowNumeru ShowDuplicatStDialog(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                bool czyDuplikatPliku, bool& czyZapamietajWybor) override
    {
        Pytania << QStringLiteral("numer %1 <- %2").arg(istniejaca.Numer(), importowana.Numer());
        DuplikatPlikuWPytaniu.push_back(czyDuplikatPliku);
        if (OdpowiedziNumeru.empty())
            throw std::logic_error("unexpected question about a duplicate number");
        const TOdpowiedzNumeru o = OdpowiedziNumeru.front();
        OdpowiedziNumeru.pop_front();
        czyZapamietajWybor = o.Zapamietaj;
        return o.Opcja;
    }

    TOpcjaDuplikatowPliku ShowDuplicatPlikuDialog(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                  bool& czyZapamietajWybor) override
    {
        Pytania << QStringLiteral("plik %1 <- %2").arg(istniejaca.Numer(), importowana.Numer());
        if (OdpowiedziPliku.empty())
            throw std::logic_error("unexpected question about a duplicate file");
        const TOdpowiedzPliku o = OdpowiedziPliku.front();
        OdpowiedziPliku.pop_front();
        czyZapamietajWybor = o.Zapamietaj;
        return o.Opcja;
    }

    void ShowDuplikaty(const TSpecyfikacja& s, const TSpecyfikacja& duplikatPliku,
                       const TSpecyfikacja& duplikatNumeru) override
    {
        Pytania << QStringLiteral("konflikt %1: plik %2, numer %3")
                       .arg(s.Numer(), duplikatPliku.Numer(), duplikatNumeru.Numer());
    }

    TLicznikImportuSt& GetLicznikImportu() override { return Licznik; }

    // The counter as "added/files overwritten/skipped/overwritten".
    QString Liczniki() const
    {
        return QStringLiteral("%1/%2/%3/%4")
            .arg(Licznik.DodanychSt())
            .arg(Licznik.NadpisanychPlikow())
            .arg(Licznik.PominietychSt())
            .arg(Licznik.NadpisanychSt());
    }
};
