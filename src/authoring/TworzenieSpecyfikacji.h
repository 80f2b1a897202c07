#pragma once

#include <QString>

#include <memory>
#include <vector>

class TJmSpecyfikacji;
class TZbiorEksporter;

// What the new specification's document is made from.
enum class TRodzajPodstawy { Szablon, IstniejacaSpecyfikacja };

// One row of the units grid ("Nazwa JM", "Opis").
struct TJednostkaDoWstawienia
{
    QString Nazwa;
    QString Opis;
};

// One row of the CPV grid ("Kod CPV", "Nazwa CPV").
struct TKodCpvDoWstawienia
{
    QString Kod;
    QString Nazwa;
};

// What the user settled in the dialog "Tworzenie Specyfikacji".
struct TDaneTworzeniaSpecyfikacji
{
    QString Numer;
    QString TytulNaLiscie;
    TRodzajPodstawy RodzajPodstawy = TRodzajPodstawy::Szablon;
    QString PlikPodstawy;
    // The folder given by the rule (FolderDocelowy.h) and the one the user picked instead, which wins
    // when it is set.
    QString FolderDocelowy;
    QString WybranaWlasnaSciezka;
    bool CzyWstawTytul = false;
    QString Tytul;
    bool CzyWstawJednostki = false;
    std::vector<TJednostkaDoWstawienia> Jednostki;
    bool CzyWstawKodyCpv = false;
    std::vector<TKodCpvDoWstawienia> KodyCpv;
    // The set's output kind: Word documents, else OpenDocument text.
    bool CzyEksportDoc = true;
    // "Otwórz  plik po stworzeniu".
    bool CzyOtworzPlik = false;
};

struct TWynikTworzeniaSpecyfikacji
{
    QString StworzonyPlikStPath;
    // The units written into the document, each marked for export; the specification adopts them.
    std::vector<std::unique_ptr<TJmSpecyfikacji>> StworzoneJednostki;
    // Whether the caller is to open the new file in its application.
    bool CzyOtworzPoUtworzeniu = false;
};

// Makes a new specification's document: copies the basis under the new specification's name into the
// target folder and, for a template, fills its placeholders through a document editor. The document
// appears under its name only when complete: the copy is made and filled beside it under a temporary
// name and then renamed, so a failure leaves neither a half-copied nor a half-filled file, and an
// earlier file of that name stays as it was.
class TTworzenieSpecyfikacji
{
public:
    static inline const QString ZnacznikNumeru = QStringLiteral("#NR_ST#");
    static inline const QString ZnacznikTytulu = QStringLiteral("#TYTUL_ST#");
    static inline const QString ZnacznikJednostek = QStringLiteral("#JM#");
    static inline const QString ZnacznikKodowCpv = QStringLiteral("#KODY_CPV#");

    // The editor is not owned; it is used only for templates.
    explicit TTworzenieSpecyfikacji(TZbiorEksporter& edytor);

    // Raises EBlad: "Proszę wybrać ścieżkę docelową" without a target folder; with the system's error
    // text when the folder cannot be made or the file cannot be copied; the editor's errors as they come.
    TWynikTworzeniaSpecyfikacji Stworz(const TDaneTworzeniaSpecyfikacji& dane);

    // Target folder + "/" + the trimmed number + " " + title, made safe as a file name, + the basis's
    // extension. Raises EBlad when number and title give no usable name.
    static QString SciezkaNowegoPliku(const QString& folder, const QString& numer, const QString& tytulNaLiscie,
                                      const QString& plikPodstawy);
    // The replacements of "#JM#" and "#KODY_CPV#": one line per row ("m2 opis", "nazwa (kod)"), empty
    // when the box is not ticked. Rows left wholly blank in the grid are skipped.
    static QString TekstJednostek(const TDaneTworzeniaSpecyfikacji& dane);
    static QString TekstKodowCpv(const TDaneTworzeniaSpecyfikacji& dane);

private:
    void WypelnijSzablon(const QString& plik, const TDaneTworzeniaSpecyfikacji& dane);

    TZbiorEksporter* FEdytor;
};
