#include "docs/libreoffice/DokumentyTestowe.h"

#include "docs/SilnikDokumentow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

QString Xml(const QString& tekst)
{
    return tekst.toHtmlEscaped();
}

QByteArray Uruchom(const QString& program, const QStringList& argumenty)
{
    QProcess proces;
    proces.start(program, argumenty);
    if (!proces.waitForFinished(60000) || proces.exitCode() != 0)
        throw std::runtime_error(
            (program + QStringLiteral(" failed: ") + QString::fromUtf8(proces.readAllStandardError())).toStdString());
    return proces.readAllStandardOutput();
}

} // namespace

QByteArray Fodt(const TTrescDokumentu& tresc)
{
    QString body;
    if (!tresc.Naglowek.isEmpty())
        body += QStringLiteral("<text:h text:style-name=\"Heading_20_1\" text:outline-level=\"1\">%1</text:h>\n")
                    .arg(Xml(tresc.Naglowek));
    const QString styl = tresc.StylAkapitow.isEmpty() ? QStringLiteral("Standard") : tresc.StylAkapitow;
    for (const QString& akapit : tresc.Akapity)
        body += QStringLiteral("<text:p text:style-name=\"%1\">%2</text:p>\n").arg(Xml(styl), Xml(akapit));
    if (tresc.ZTabela) {
        body += QStringLiteral(
            "<table:table table:name=\"Materialy\"><table:table-column table:number-columns-repeated=\"2\"/>"
            "<table:table-row><table:table-cell "
            "office:value-type=\"string\"><text:p>Materiał</text:p></table:table-cell>"
            "<table:table-cell "
            "office:value-type=\"string\"><text:p>Jednostka</text:p></table:table-cell></table:table-row>"
            "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>Cement "
            "#NAZWA_ZADANIA#</text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"string\"><text:p>t</text:p></table:table-cell></table:table-row>"
            "</table:table>\n");
    }
    for (int i = 0; i < tresc.PodzialyStron; ++i)
        body += QStringLiteral("<text:p text:style-name=\"PodzialStrony\">Kolejna strona %1</text:p>\n").arg(i + 2);
    QString stylWlasny;
    if (!tresc.StylAkapitow.isEmpty())
        stylWlasny =
            QStringLiteral(
                "<style:style style:name=\"%1\" style:family=\"paragraph\" style:parent-style-name=\"Standard\"/>")
                .arg(Xml(tresc.StylAkapitow));
    const QString dokument = QStringLiteral(
                                 R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:styles>
<style:style style:name="Standard" style:family="paragraph" style:class="text"/>
<style:style style:name="Heading_20_1" style:display-name="Heading 1" style:family="paragraph" style:parent-style-name="Standard" style:default-outline-level="1"><style:text-properties fo:font-size="16pt" fo:font-weight="bold"/></style:style>
%1
</office:styles>
<office:automatic-styles>
<style:style style:name="PodzialStrony" style:family="paragraph" style:parent-style-name="Standard"><style:paragraph-properties fo:break-before="page"/></style:style>
</office:automatic-styles>
<office:body><office:text>
%2</office:text></office:body></office:document>
)")
                                 .arg(stylWlasny, body);
    return dokument.toUtf8();
}

QString ZapiszDokument(ISilnikDokumentow& silnik, const QString& cel, const TTrescDokumentu& tresc)
{
    const QString zrodlo = cel + QStringLiteral(".zrodlo.fodt");
    QFile plik(zrodlo);
    if (!plik.open(QIODevice::WriteOnly) || plik.write(Fodt(tresc)) < 0)
        throw std::runtime_error("cannot write the source document");
    plik.close();
    silnik.OtworzDokument(zrodlo, true)->Zapisz(cel);
    QFile::remove(zrodlo);
    return cel;
}

QString DoPdf(ISilnikDokumentow& silnik, const QString& dokument)
{
    const QString pdf = dokument + QStringLiteral(".pdf");
    silnik.OtworzDokument(dokument, true)->Zapisz(pdf);
    return pdf;
}

QString TekstPdf(const QString& pdf)
{
    return QString::fromUtf8(
        Uruchom(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
}

int LiczbaStronPdf(const QString& pdf)
{
    const QString info = QString::fromUtf8(Uruchom(QStringLiteral("pdfinfo"), {pdf}));
    for (const QString& linia : info.split(QLatin1Char('\n'))) {
        if (linia.startsWith(QLatin1String("Pages:")))
            return linia.mid(6).trimmed().toInt();
    }
    return -1;
}

QByteArray CzescArchiwum(const QString& plik, const QString& nazwa)
{
    QProcess proces;
    proces.start(QStringLiteral("unzip"), {QStringLiteral("-p"), plik, nazwa});
    proces.waitForFinished(30000);
    return proces.readAllStandardOutput();
}

QStringList NazwyWArchiwum(const QString& plik)
{
    const QString lista = QString::fromUtf8(Uruchom(QStringLiteral("unzip"), {QStringLiteral("-Z1"), plik}));
    return lista.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int LiczbaProcesowOffice(const QString& potok)
{
    int ile = 0;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool liczba = false;
        pid.toInt(&liczba);
        if (!liczba)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(("name=" + potok).toUtf8()))
            ++ile;
    }
    return ile;
}
