#pragma once

#include "docs/PrzygotowanieEksportu.h"

#include <QString>

#include <memory>
#include <optional>

class ISilnikDokumentow;
class TKonfiguracjaZestawu;
class TZbiorEksporter;
class TZestawST;

// The exporter of the set's output kind: Word (TZbiorEksporterDOC) when the set exports to Word
// documents, else OpenDocument (TZbiorEksporterODT).
std::unique_ptr<TZbiorEksporter> UtworzEksporter(bool czyWord, ISilnikDokumentow* silnik);

// The table of contents after the title page: a switch of the set kept among its externals ("true" or
// "false"), so that files of older versions stay valid; off when absent.
inline constexpr char KluczSpisuTresci[] = "spisTresci";
bool CzySpisTresci(const TKonfiguracjaZestawu& konfiguracja);
void UstawSpisTresci(TKonfiguracjaZestawu& konfiguracja, bool wlacz);

// The set's export options as the export starts from them: header, footer, page numbers, double-sided
// footers (only with a footer), task name, the general-conditions list; for Word also opening the result,
// the style reference (only with a header), its check and the margins.
void UstawEksporterZKonfiguracji(TZbiorEksporter& eksporter, const TKonfiguracjaZestawu& konfiguracja, bool czyWord);

// What an export of the set merges, prepared as "Start" does it: the file list (title page first when the
// set asks for one), and, when the set asks for the list of specifications in the general conditions, the
// general-conditions file checked and the list filled. Nothing when the user declined a question. Raises
// the Polish message of each failed check.
std::optional<TListaPlikowEksportu> PrzygotujEksportZestawu(const TZestawST& zestaw, TZbiorEksporter& eksporter,
                                                            const TUstawieniaEksportuProgramu& program,
                                                            IPytaniaEksportu& pytania);
