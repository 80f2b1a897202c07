#pragma once

#include "xls/XlsPodsumowanie.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class TEksportElementuXlsOpt;
class TKosztorys;
class TSkoroszyt;

// What an export did.
struct TWynikEksportuXls
{
    QString Plik;            // the file written; empty when there was nothing to write
    bool Przerwany = false;  // stopped by the user: the file holds the rows written until then
    QStringList Ostrzezenia; // what was clipped to fit the format
};

// Writes estimates into one workbook as price forms: a sheet per estimate with its elements and positions
// under the chosen columns, formulas for unit prices and values, a sum row after each element, a summary
// under each estimate and, for several estimates, a first sheet "Tabela Zbiorcza" adding them up.
// The target's extension chooses the format: ".xlsx" for Office Open XML, anything else Excel 97-2003.
class TEksportElementuXls
{
public:
    using TOnZwiekszenieProgresu = std::function<void()>;

    // The estimates are not owned. No estimates: EBlad "Brak danych do eksportu.".
    explicit TEksportElementuXls(std::vector<TKosztorys*> kosztorysy);
    ~TEksportElementuXls();
    TEksportElementuXls(const TEksportElementuXls&) = delete;
    TEksportElementuXls& operator=(const TEksportElementuXls&) = delete;

    const std::vector<TKosztorys*>& Kosztorysy() const { return FKosztorysy; }
    TEksportElementuXlsOpt& OpcjeEksportu() { return *FOpcjeEksportu; }
    const TEksportElementuXlsOpt& OpcjeEksportu() const { return *FOpcjeEksportu; }

    QString NazwaPliku;     // without extension (a trailing ".xls" is dropped, ".xlsx" chooses that format)
    QString SciezkaDoPliku; // the folder
    // Raised once per written element row and position row, on the exporting thread.
    TOnZwiekszenieProgresu OnZwiekszenieProgresu;

    void Terminate() { FTerminated = true; }
    void ResetTerminated() { FTerminated = false; }
    bool Terminated() const { return FTerminated; }

    // The path the export writes. ENoPathException for an empty name, a name with "/" or a folder that
    // does not exist.
    QString GetFileName() const;
    static QString SciezkaCelu(const QString& nazwaPliku, const QString& sciezkaDoPliku);
    // Elements and positions of all estimates: the progress maximum.
    int PobierzMaxProgres() const;

    // The workbook in memory. EBlad "Brak danych do tabeli zbiorczej." when
    // an estimate got no summary while the summary sheet is asked for.
    std::unique_ptr<TSkoroszyt> Zbuduj();
    // Builds the workbook and writes it. A stopped export is saved too, but never over an existing file:
    // then it goes beside it, with " (przerwany)" before the extension.
    TWynikEksportuXls Eksportuj();

    // One entry per estimate whose summary was drawn by the last Zbuduj, in estimate order.
    const std::vector<TEksportXlsAdresyZbiorcze>& AdresyZbiorcze() const { return FAdresyZbiorcze; }

    // The sheet names of the estimates: "Formularz" for one, otherwise their titles made valid for the
    // format and unique (letter case ignored), none of them "Tabela Zbiorcza".
    QStringList NazwyArkuszy() const;

    static constexpr char16_t NazwaTabeliZbiorczej[] = u"Tabela Zbiorcza";
    static constexpr std::uint16_t OpcjeOchrony = 0x441C;

private:
    class TArkuszKosztorysu;
    void RysujTabeleZbiorcza(TSkoroszyt& skoroszyt, TArkusz& arkusz, const std::vector<int>& kosztorysyZPodsumowaniem);

    std::vector<TKosztorys*> FKosztorysy;
    std::unique_ptr<TEksportElementuXlsOpt> FOpcjeEksportu;
    std::atomic<bool> FTerminated{false};
    std::vector<TEksportXlsAdresyZbiorcze> FAdresyZbiorcze;
};
