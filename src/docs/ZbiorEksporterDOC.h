#pragma once

#include "docs/ZbiorEksporter.h"

class IDokumentTekstowy;
class ISilnikDokumentow;

// Merges a set's documents into one Word document (.doc, or .docx by the target's extension; .pdf too)
// on the document engine: title page without header and footer, header with its bottom border and the
// optional style reference, footers with page numbers, odd and even pages, margins, the task name.
class TZbiorEksporterDOC : public TZbiorEksporter
{
public:
    // The engine is not owned; it outlives the exporter.
    explicit TZbiorEksporterDOC(ISilnikDokumentow* silnik);
    ~TZbiorEksporterDOC() override;

    void ScalPliki(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow) override;
    bool CzyTestListySTWWarunkachOgolnych(int& ilosc) override;
    void Otworz(const QString& plik) override;
    void ZnajdzZamien(const QString& szukanyTekst, const QString& podmienNa) override;
    void ZapiszIZamknij() override;

    // Names of the paragraph styles in use in the files, sorted, each once (letter case aside); stops
    // between files when terminated.
    void GetNazwyStylow(const std::vector<const TMyPath*>& listaPlikow, QStringList& styleList);

private:
    void Scal(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow);
    bool CzyStylUzywany(const QString& nazwaStylu, const std::vector<const TMyPath*>& listaPlikow);

    ISilnikDokumentow* FSilnik;
    std::unique_ptr<IDokumentTekstowy> FDokument;
};
