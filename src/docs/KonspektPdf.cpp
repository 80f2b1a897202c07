#include "docs/KonspektPdf.h"

#include "app/Wyjatki.h"

#include <QFile>
#include <QHash>
#include <QUrl>

// qpdf 11 asks its users to say they need none of its old pointer class.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <vector>

namespace {

// The file's named destinations by their names as the document had them: the office writes them
// percent-encoded (a bookmark "ST-01 Roboty" becomes the name "ST-01%20Roboty"). The values are explicit
// destinations (arrays that start with a page).
QHash<QString, QPDFObjectHandle> NazwaneCele(QPDF& pdf)
{
    QHash<QString, QPDFObjectHandle> cele;
    auto dodaj = [&](const std::string& nazwa, QPDFObjectHandle cel) {
        if (cel.isDictionary())
            cel = cel.getKey("/D");
        if (cel.isArray())
            cele.insert(QUrl::fromPercentEncoding(QByteArray::fromStdString(nazwa)), cel);
    };
    QPDFObjectHandle korzen = pdf.getRoot();
    if (korzen.getKey("/Dests").isDictionary())
        for (const auto& [nazwa, cel] : korzen.getKey("/Dests").getDictAsMap())
            dodaj(nazwa.substr(1), cel);
    if (korzen.getKey("/Names").isDictionary() && korzen.getKey("/Names").getKey("/Dests").isDictionary())
        for (const auto& [nazwa, cel] : QPDFNameTreeObjectHelper(korzen.getKey("/Names").getKey("/Dests"), pdf))
            dodaj(nazwa, cel);
    return cele;
}

} // namespace

void ZapiszKonspektPdf(const QString& plik, const QStringList& nazwy, const QStringList& tytuly)
{
    const QString nowy = plik + QStringLiteral(".konspekt");
    try {
        QPDF pdf;
        pdf.processFile(QFile::encodeName(plik).constData());
        QPDFObjectHandle konspekt = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        konspekt.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
        const QHash<QString, QPDFObjectHandle> cele = NazwaneCele(pdf);
        std::vector<QPDFObjectHandle> pozycje;
        for (qsizetype i = 0; i < nazwy.size() && i < tytuly.size(); ++i) {
            const auto cel = cele.constFind(nazwy[i]);
            if (cel == cele.constEnd())
                continue;
            QPDFObjectHandle pozycja = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
            pozycja.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(tytuly[i].toStdString()));
            pozycja.replaceKey("/Parent", konspekt);
            pozycja.replaceKey("/Dest", *cel);
            if (!pozycje.empty()) {
                pozycja.replaceKey("/Prev", pozycje.back());
                pozycje.back().replaceKey("/Next", pozycja);
            }
            pozycje.push_back(pozycja);
        }
        if (pozycje.empty())
            return;
        // The documents' own headings were the outline so far; the specifications make a shorter one.
        konspekt.replaceKey("/First", pozycje.front());
        konspekt.replaceKey("/Last", pozycje.back());
        konspekt.replaceKey("/Count", QPDFObjectHandle::newInteger(static_cast<long long>(pozycje.size())));
        pdf.getRoot().replaceKey("/Outlines", konspekt);
        pdf.getRoot().replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
        QPDFWriter zapis(pdf, QFile::encodeName(nowy).constData());
        zapis.write();
    } catch (const std::exception& e) {
        QFile::remove(nowy);
        throw EBlad(QStringLiteral("Nie udało się dodać zakładek do pliku PDF: ") + QString::fromUtf8(e.what()));
    }
    if (QFile::exists(nowy) && (!QFile::remove(plik) || !QFile::rename(nowy, plik)))
        throw EBlad(QStringLiteral("Nie udało się dodać zakładek do pliku PDF: ") + plik);
}

QList<std::pair<QString, int>> CzytajKonspektPdf(const QString& plik)
{
    QList<std::pair<QString, int>> wynik;
    try {
        QPDF pdf;
        pdf.processFile(QFile::encodeName(plik).constData());
        QPDFOutlineDocumentHelper konspekt(pdf);
        const auto strony = QPDFPageDocumentHelper(pdf).getAllPages();
        for (auto& pozycja : konspekt.getTopLevelOutlines()) {
            int strona = 0;
            const QPDFObjectHandle cel = pozycja.getDestPage();
            for (size_t i = 0; i < strony.size(); ++i)
                if (cel.isInitialized() && strony[i].getObjectHandle().getObjGen() == cel.getObjGen())
                    strona = static_cast<int>(i) + 1;
            wynik.append({QString::fromStdString(pozycja.getTitle()), strona});
        }
    } catch (const std::exception& e) {
        throw EBlad(QStringLiteral("Nie można odczytać pliku PDF: ") + QString::fromUtf8(e.what()));
    }
    return wynik;
}
