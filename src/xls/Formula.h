#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// A cell formula of the spreadsheet export, parsed once from the notation the user sees (";" between
// arguments, a decimal comma, no leading "=") and written in either file format: as the token array of
// the older format or as text in the notation of the files (",", a decimal point).
//
// It knows what the export writes: numbers, strings in double quotes (doubled quotes inside), cell
// references (G5, $G$5) and ranges (G5:G40), references to another sheet ('Arkusz 1'!L41, Arkusz!L41:L50,
// apostrophes doubled inside quotes), "+", "-", "*", "/", "&", parentheses, unary minus and the functions
// SUM, ROUND, CONCATENATE and SUMIF. Anything else is refused with EBlad.
class TFormula
{
public:
    // The older format's limits: arguments of one function call and bytes of one token array.
    static constexpr int MaksArgumentow = 30;
    static constexpr int MaksDlugoscTokenow = 1800;

    // Throws EBlad ("Niepoprawna formuła ...") for a text it cannot read.
    static TFormula Parsuj(const QString& tekst);

    TFormula(TFormula&&) noexcept;
    TFormula& operator=(TFormula&&) noexcept;
    ~TFormula();

    // The token array (the rgce of a FORMULA record) of a cell formula. indeksArkusza gives the index in
    // the workbook's external-sheet table of a sheet named in a reference, or -1 for an unknown sheet
    // (EBlad). Throws EBlad when the array would exceed MaksDlugoscTokenow or a call has more than
    // MaksArgumentow arguments.
    QByteArray TokenyBiff8(const std::function<int(const QString& nazwaArkusza)>& indeksArkusza) const;

    // The formula with "," between arguments and a decimal point, without "=" (SUM(A1,B2), ROUND(G5*K5,2)).
    QString TekstAngielski() const;

    struct TWezel;

private:
    explicit TFormula(std::unique_ptr<TWezel> korzen);
    std::unique_ptr<TWezel> FKorzen;
};
