#pragma once

#include "specs/DuplikatStHandler.h"

#include <QByteArray>
#include <QString>

class IDuplikatStDialog;
class QObject;
class TSpecyfikacja;
class TSpisST;

namespace pugi {
class xml_document;
}

// Brings specifications from a foreign file into the specification list, below a node the user chose,
// with the duplicate handling of merges. The list and the main window are the caller's; the importer only
// refers to them.
class TImporterST
{
public:
    // Raises EBlad when the list or the window is missing. Each import starts from the remembered answers
    // to the duplicate questions.
    TImporterST(QObject* ownerForm, TSpisST* spisSt, const TZapamietaneOpcjeDuplikatow& zapamietane = {});
    virtual ~TImporterST();
    TImporterST(const TImporterST&) = delete;
    TImporterST& operator=(const TImporterST&) = delete;

    // Reads the file into wybranaGrupa (the list or one of its nodes). A failure part-way leaves in the
    // list what was added before it.
    virtual void ImportujSpecyfikacje(const QString& filePath, TSpecyfikacja* wybranaGrupa,
                                      IDuplikatStDialog* duplikatStDialog) = 0;

    TSpisST* SpisSt() const { return FSpisSt; }
    QObject* OwnerForm() const { return FOwnerForm; }
    const TZapamietaneOpcjeDuplikatow& Zapamietane() const { return FZapamietane; }

protected:
    // A register of specifications (".wst"): a flat XML list of groups and specifications. The groups go
    // into grupa, each specification into the group read last before it (into grupa before the first).
    void ImportujWykaz(const QString& filePath, TSpecyfikacja& grupa, IDuplikatStDialog* duplikatStDialog);
    // The same from the bytes of a register file.
    void ImportujWykazZBajtow(const QByteArray& bajty, TSpecyfikacja& grupa, IDuplikatStDialog* duplikatStDialog);
    // Raises "Nie wybrano lokalizacji docelowej ..." unless the node is the list or lies in it.
    TSpecyfikacja& SprawdzCel(TSpecyfikacja* wybranaGrupa) const;

private:
    void ImportujDokument(const pugi::xml_document& dokument, TSpecyfikacja& grupa, TDuplikatStHandler& handler,
                          IDuplikatStDialog* duplikatStDialog);

    TSpisST* FSpisSt;
    QObject* FOwnerForm;
    TZapamietaneOpcjeDuplikatow FZapamietane;
};
