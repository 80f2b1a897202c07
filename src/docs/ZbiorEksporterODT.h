#pragma once

#include "docs/ZbiorEksporter.h"

class IDokumentTekstowy;
class ISilnikDokumentow;

// Merges a set's documents into one OpenDocument text (.odt; .pdf too) on the document engine: title
// page without header and footer, header with its bottom border, footers with page numbers, odd and even
// pages, the task name.
class TZbiorEksporterODT : public TZbiorEksporter
{
public:
    // The engine is not owned; it outlives the exporter.
    explicit TZbiorEksporterODT(ISilnikDokumentow* silnik);
    ~TZbiorEksporterODT() override;

    void ScalPliki(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow) override;
    // Does not look into the file: one place is assumed, and every "#LISTA_ST#" is filled.
    bool CzyTestListySTWWarunkachOgolnych(int& ilosc) override;
    void Otworz(const QString& plik) override;
    void ZnajdzZamien(const QString& szukanyTekst, const QString& podmienNa) override;
    void ZapiszIZamknij() override;

private:
    void Scal(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow);

    ISilnikDokumentow* FSilnik;
    std::unique_ptr<IDokumentTekstowy> FDokument;
};
