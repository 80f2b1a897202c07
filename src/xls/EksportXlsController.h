#pragma once

#include "xls/EksportElementuXls.h"

#include <memory>
#include <vector>

class TEksportElementuXlsOpt;
class TKosztorys;

// What the export dialog works through: the exporter of the set's estimates and its options.
class TEksportXlsController
{
public:
    // EBlad "Brak danych do eksportu." for no estimates. The estimates are not owned.
    explicit TEksportXlsController(std::vector<TKosztorys*> kosztorysy);
    ~TEksportXlsController();

    // Sets the target and exports (on the calling thread).
    TWynikEksportuXls Eksportuj(const QString& nazwaPliku, const QString& lokalizacjaPliku);
    // The path Eksportuj would write (ENoPathException as it would).
    static QString GetFileName(const QString& nazwaPliku, const QString& sciezkaDoPliku);
    TEksportElementuXlsOpt& GetOpcjeEksportu();
    int PobierzMaxProgres() const;
    // Called on the exporting thread once per written element or position row.
    void UstawObslugePostepu(TEksportElementuXls::TOnZwiekszenieProgresu obsluga);
    void Terminate();
    void ResetTerminated();
    bool Terminated() const;
    const std::vector<TKosztorys*>& Kosztorysy() const;

private:
    std::unique_ptr<TEksportElementuXls> FEksport;
};
