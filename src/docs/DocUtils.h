#pragma once

#include <QString>
#include <QStringList>

class ISilnikDokumentow;

// Paragraph styles of single Word documents, on the document engine: which ones a document uses, and
// taking one over from a template.
class TDocUtils
{
public:
    // The engine is not owned.
    explicit TDocUtils(ISilnikDokumentow* silnik);

    // Adds the display names of the styles the document uses. Any failure: "Nie udało się otworzyć pliku
    // DOC: " + its message.
    void GetNazwyStylow(const QString& sciezkaDoPliku, QStringList& styleList);
    // Copies the style from the template into the document and saves it, unless the document already uses
    // a style of that name (trimmed, any letter case). Returns whether it copied.
    bool DodajStyl(const QString& sciezkaDoPliku, const QString& sciezkaDoPlikuSzablonu, const QString& nazwaStylu);

private:
    ISilnikDokumentow* FSilnik;
};

// Word documents of a folder for the style tool: every file matching "*.doc*" (hidden ones too), the
// folder's own files first, then each subfolder's, in name order.
QStringList PlikiWordWFolderze(const QString& folder);
