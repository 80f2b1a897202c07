#pragma once

#include <QString>
#include <QStringList>

class ISilnikDokumentow;

// Documents for the tests, written as flat OpenDocument text and turned into .odt, .doc or .docx by the
// office itself.
struct TTrescDokumentu
{
    QString Naglowek;      // outline level 1
    QStringList Akapity;   // body paragraphs
    QString StylAkapitow;  // paragraph style of the body (empty: the default)
    bool ZTabela = false;  // a small table after the paragraphs
    int PodzialyStron = 0; // extra pages (page breaks) after the paragraphs
};

// Flat OpenDocument text (.fodt) with that content.
QByteArray Fodt(const TTrescDokumentu& tresc);

// Writes the document in the format of the target's extension; returns the target.
QString ZapiszDokument(ISilnikDokumentow& silnik, const QString& cel, const TTrescDokumentu& tresc);

// The text of a document by way of PDF (pdftotext -layout), pages separated by form feeds.
QString TekstPdf(const QString& pdf);
int LiczbaStronPdf(const QString& pdf);
// Converts a document to PDF through the engine; returns the PDF's path.
QString DoPdf(ISilnikDokumentow& silnik, const QString& dokument);
// One member of a zip-based document (.docx, .odt), or empty.
QByteArray CzescArchiwum(const QString& plik, const QString& nazwa);
QStringList NazwyWArchiwum(const QString& plik);
// Processes of the office listening on that pipe.
int LiczbaProcesowOffice(const QString& potok);
