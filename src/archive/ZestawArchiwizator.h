#pragma once

#include "archive/Archiwizator.h"
#include "archive/OpcjeEkstrakcjiArchiwum.h"
#include "archive/PathLengthValidator.h"

#include <pugixml.hpp>

#include <functional>
#include <memory>
#include <vector>

class TArchiwum;
class TKosztorysArchiwizator;
class TPierwszaStronaArchiwizator;
class TSpisStArchiwizator;

using TListyBrakow = std::vector<std::unique_ptr<TListaBrakowPlikow>>;

// Packs a set (".azst") or a list (".alst") with every file they refer to into one archive, rewriting
// the stored paths to point into it, and unpacks such an archive into the options' target folder,
// rewriting them to the new places. The set and list files on disk are never changed by packing.
// Unpacking validates every target first (entry present, free or overwritable, length, inside the
// target folder, no links on the way) and writes nothing when any check fails.
class TZestawArchiwizator
{
public:
    // The extraction options unpacking starts from; without them no target folder is set.
    explicit TZestawArchiwizator(const TOpcjeEkstrakcjiArchiwum& opcje = {});
    ~TZestawArchiwizator();
    TZestawArchiwizator(const TZestawArchiwizator&) = delete;
    TZestawArchiwizator& operator=(const TZestawArchiwizator&) = delete;

    // The non-empty missing-file lists of a set: "Kosztorys", "Strona tytułowa", "Specyfikacje".
    TListyBrakow GetListyBrakow(const QString& zestawPath);
    // "Specyfikacje" for an existing list file; nothing otherwise.
    TListyBrakow GetListaBrakowSst(const QString& spisStPath);

    // Nothing happens when the set or list file does not exist.
    void StworzArchiwumZestawu(const QString& zestawPath, const QString& archiwumPath);
    void StworzArchiwumSpisuSt(const QString& spisStPath, const QString& archiwumPath);

    // Unpack with the current options; the path of the unpacked set or list file goes to the out argument.
    void RozpakujArchiwumZestawu(const QString& archiwumPath, QString& zestawPath);
    void RozpakujArchiwumSpisuSt(const QString& archiwumPath, QString& spisStPath);

    // Told of every entry packed or file unpacked (see TArchiwum::OnWpis); a failure it throws stops the work:
    // packing then writes no archive.
    std::function<void(int zrobione, int wszystkie)> OnPostep;

    TOpcjeEkstrakcjiArchiwum& OpcjeEkstrakcji() { return *FOpcje; }
    void SetOpcjeEkstrakcji(const TOpcjeEkstrakcjiArchiwum& opcje);

private:
    std::vector<TArchiwizator*> Archiwizatory() const;
    // Opens the archive and finds its last entry with the extension (exactly); returns the entry name.
    QString OtworzArchiwum(const QString& archiwumPath, const QString& rozszerzenie);
    // The checks of the unpacked set or list file itself, before its content is validated.
    QString CelPlikuGlownego(const QString& nazwaWpisu, const QString& podfolder) const;
    void ZapiszArchiwum(const QString& archiwumPath);
    void NoweArchiwum();

    std::unique_ptr<TArchiwum> FArchiwum;
    std::unique_ptr<TPathLengthValidator> FWalidator;
    std::unique_ptr<TOpcjeEkstrakcjiArchiwum> FOpcje;
    std::unique_ptr<pugi::xml_document> FDokument;
    std::unique_ptr<TKosztorysArchiwizator> FKosztorysy;
    std::unique_ptr<TPierwszaStronaArchiwizator> FPierwszaStrona;
    std::unique_ptr<TSpisStArchiwizator> FSpisSt;
};
