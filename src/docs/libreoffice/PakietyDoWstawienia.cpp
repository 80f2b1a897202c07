#include "docs/libreoffice/PakietyDoWstawienia.h"

#include "app/DuzeStrony.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZipFile.h"
#include "docs/KomentarzeDoc.h"
#include "docs/libreoffice/ProcesOffice.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>
#include <functional>
#include <sys/prctl.h>

namespace {

// The longest a conversion of one document by an office of its own may take, its start included.
constexpr int KCzasKonwersjiMs = 120000;

// A comment of the office's margin is a window built from a dialog description, and the office we run has
// none: a document with comments would end it. Other programs' links may also be relative to their own
// folder, which means nothing once their text is in another document.
const QRegularExpression
    KKomentarzDocx(QStringLiteral("<w:(commentRangeStart|commentRangeEnd|commentReference|annotationRef)\\b[^>]*/>"));
const QRegularExpression KRelacjaKomentarzy(QStringLiteral(
    "<Relationship\\b[^>]*Type=\"[^\"]*/(comments|commentsExtended|commentsIds|commentsExtensible|people)\"[^>]*/>"));
const QRegularExpression KCelZewnetrzny(QStringLiteral("<Relationship\\b[^>]*TargetMode=\"External\"[^>]*/>"));
const QRegularExpression KCel(QStringLiteral("Target=\"([^\"]*)\""));
const QRegularExpression KKomentarzOdt(
    QStringLiteral(
        "<office:annotation\\b[^>]*/>|<office:annotation\\b.*?</office:annotation>|<office:annotation-end\\b[^>]*/>"),
    QRegularExpression::DotMatchesEverythingOption);
const QRegularExpression KOdnosnikOdt(QStringLiteral("xlink:href=\"(\\.\\./[^\"]*)\""));

QString Xml(const QString& tekst)
{
    return tekst.toHtmlEscaped();
}

QString ZXml(QString tekst)
{
    tekst.replace(QLatin1String("&lt;"), QLatin1String("<"));
    tekst.replace(QLatin1String("&gt;"), QLatin1String(">"));
    tekst.replace(QLatin1String("&quot;"), QLatin1String("\""));
    tekst.replace(QLatin1String("&apos;"), QLatin1String("'"));
    return tekst.replace(QLatin1String("&amp;"), QLatin1String("&"));
}

// A link target of the document's own folder as an absolute address; empty for any other.
QString AdresBezwzgledny(const QString& cel, const QDir& katalog)
{
    const QString tekst = ZXml(cel);
    if (tekst.isEmpty() || tekst.startsWith(QLatin1Char('#')) || tekst.startsWith(QLatin1Char('/')) ||
        tekst.contains(QRegularExpression(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"))))
        return {};
    return QUrl::fromLocalFile(katalog.absoluteFilePath(QUrl::fromPercentEncoding(tekst.toUtf8())))
        .toString(QUrl::FullyEncoded);
}

// Replaces every match of the expression by what zamiana makes of it; returns whether anything changed.
bool Zamien(QByteArray& xml, const QRegularExpression& wyrazenie,
            const std::function<QString(const QRegularExpressionMatch&)>& zamiana)
{
    const QString tekst = QString::fromUtf8(xml);
    QString wynik;
    qsizetype od = 0;
    bool zmiana = false;
    for (auto it = wyrazenie.globalMatch(tekst); it.hasNext();) {
        const auto m = it.next();
        const QString nowy = zamiana(m);
        if (nowy == m.captured(0))
            continue;
        wynik += QStringView(tekst).mid(od, m.capturedStart() - od);
        wynik += nowy;
        od = m.capturedEnd();
        zmiana = true;
    }
    if (zmiana)
        xml = (wynik + tekst.mid(od)).toUtf8();
    return zmiana;
}

} // namespace

QString KopiaDoWstawienia(const QString& plik, std::unique_ptr<QTemporaryDir>& katalogKopii, bool& akapitKoncowy)
{
    akapitKoncowy = false;
    const QString rodzaj = QFileInfo(plik).suffix().toLower();
    const bool docx = rodzaj == QLatin1String("docx");
    if (!docx && rodzaj != QLatin1String("odt"))
        return {};
    TZipFile zip;
    try {
        zip.LoadFromFile(plik);
    } catch (const EBlad&) {
        return {};
    }
    const QDir katalog = QFileInfo(plik).absoluteDir();
    const auto usun = [](const QRegularExpressionMatch&) { return QString(); };
    bool zmieniony = false;
    for (int i = 0; i < zip.GetCount(); ++i) {
        const QString nazwa = QString::fromUtf8(zip.GetName(i));
        if (!nazwa.endsWith(QLatin1String(".xml")) && !nazwa.endsWith(QLatin1String(".rels")))
            continue;
        QByteArray xml = zip.GetData(i);
        bool zmiana = false;
        if (docx && nazwa.endsWith(QLatin1String(".rels"))) {
            zmiana |= Zamien(xml, KRelacjaKomentarzy, usun);
            zmiana |= Zamien(xml, KCelZewnetrzny, [&](const QRegularExpressionMatch& m) {
                QString relacja = m.captured(0);
                const auto cel = KCel.match(relacja);
                const QString adres = cel.hasMatch() ? AdresBezwzgledny(cel.captured(1), katalog) : QString();
                if (!adres.isEmpty())
                    relacja.replace(cel.capturedStart(1), cel.capturedLength(1), Xml(adres));
                return relacja;
            });
        } else if (docx && nazwa.startsWith(QLatin1String("word/"))) {
            zmiana |= Zamien(xml, KKomentarzDocx, usun);
        } else if (!docx && (nazwa == QLatin1String("content.xml") || nazwa == QLatin1String("styles.xml"))) {
            zmiana |= Zamien(xml, KKomentarzOdt, usun);
            const qsizetype koniec = xml.lastIndexOf("</office:text>");
            if (nazwa == QLatin1String("content.xml") && koniec > 0 &&
                xml.contains("xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"")) {
                xml.insert(koniec, "<text:p/>");
                akapitKoncowy = zmiana = true;
            }
            // In a package "../" is the folder the file lies in.
            zmiana |= Zamien(xml, KOdnosnikOdt, [&](const QRegularExpressionMatch& m) {
                const QString adres = AdresBezwzgledny(m.captured(1).mid(3), katalog);
                return adres.isEmpty() ? m.captured(0) : QStringLiteral("xlink:href=\"%1\"").arg(Xml(adres));
            });
        }
        if (zmiana) {
            zip.SetData(i, xml);
            zmieniony = true;
        }
    }
    if (!zmieniony)
        return {};
    katalogKopii = std::make_unique<QTemporaryDir>();
    if (!katalogKopii->isValid()) {
        akapitKoncowy = false;
        return {};
    }
    const QString kopia = katalogKopii->filePath(QStringLiteral("dokument.") + rodzaj);
    zip.SaveToFile(kopia);
    return kopia;
}

QString KopiaDocBezKomentarzy(const QString& plik, std::unique_ptr<QTemporaryDir>& katalogKopii, bool& akapitKoncowy)
{
    akapitKoncowy = false;
    if (QFileInfo(plik).suffix().compare(QLatin1String("doc"), Qt::CaseInsensitive) != 0)
        return {};
    QByteArray bajty;
    try {
        bajty = CzytajCalyPlik(plik);
    } catch (const EBlad&) {
        return {}; // the insertion says what is wrong with the file
    }
    if (!CzyDocMaKomentarze(bajty))
        return {};
    QTemporaryDir katalog;
    if (!katalog.isValid())
        return {};
    // A Word 97 document cannot be cleaned outside an office, and the office we keep ends when such a
    // document's comments come in, even opened on its own: an office of its own converts it to an OpenDocument
    // text, which is cleaned as any other. Links the converter stores relative to the copy lead, from there, to
    // where the original's led.
    try {
        TProcesOffice::PrzygotujProfilJednorazowy(katalog.filePath(QStringLiteral("profil")));
    } catch (const EBlad&) {
        // The office makes the profile itself, only more slowly.
    }
    QProcess konwerter;
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("GLIBC_TUNABLES"),
                      QString::fromLatin1(StrojenieZDuzymiStronami(qgetenv("GLIBC_TUNABLES"))));
    konwerter.setProcessEnvironment(srodowisko);
    konwerter.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    konwerter.start(TProcesOffice::PlikWykonywalny(),
                    TProcesOffice::ArgumentyBezOkna(katalog.filePath(QStringLiteral("profil")))
                        << QStringLiteral("--convert-to") << QStringLiteral("odt") << QStringLiteral("--outdir")
                        << katalog.path() << QFileInfo(plik).absoluteFilePath());
    if (!konwerter.waitForFinished(KCzasKonwersjiMs)) {
        konwerter.kill();
        konwerter.waitForFinished();
    }
    const QString odt = katalog.filePath(QFileInfo(plik).completeBaseName() + QStringLiteral(".odt"));
    if (konwerter.exitStatus() != QProcess::NormalExit || konwerter.exitCode() != 0 || !QFileInfo(odt).isFile())
        throw EBlad(QStringLiteral("Nie udało się usunąć komentarzy z dokumentu \"%1\", a pakiet biurowy nie "
                                   "wstawia dokumentów Word 97 z komentarzami.")
                        .arg(QFileInfo(plik).fileName()));
    return KopiaDoWstawienia(odt, katalogKopii, akapitKoncowy);
}

void ZostawTylkoStyleZPrzyrostkiem(const QString& odt, const QString& przyrostek)
{
    TZipFile zip;
    zip.LoadFromFile(odt);
    static const QRegularExpression KStyl(
        QStringLiteral("<style:style\\b[^>]*style:family=\"(paragraph|text)\"[^>]*?(/>|>.*?</style:style>)"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression KNazwa(QStringLiteral("^<style:style\\b[^>]*?style:name=\"([^\"]*)\""));
    static const QRegularExpression KNazwaWyswietlana(
        QStringLiteral("^<style:style\\b[^>]*?style:display-name=\"([^\"]*)\""));
    const QRegularExpression kopia(QStringLiteral("%1( \\d+)?$").arg(QRegularExpression::escape(Xml(przyrostek))));
    for (int i = 0; i < zip.GetCount(); ++i) {
        if (zip.GetName(i) != "styles.xml")
            continue;
        const QByteArray xml = zip.GetData(i);
        const qsizetype poczatek = xml.indexOf("<office:styles>");
        const qsizetype koniec = xml.indexOf("</office:styles>");
        if (poczatek < 0 || koniec < poczatek)
            return;
        QByteArray style = xml.mid(poczatek, koniec - poczatek);
        const bool zmiana = Zamien(style, KStyl, [&](const QRegularExpressionMatch& m) {
            const QString element = m.captured(0);
            auto nazwa = KNazwaWyswietlana.match(element);
            if (!nazwa.hasMatch())
                nazwa = KNazwa.match(element);
            return nazwa.hasMatch() && kopia.match(nazwa.captured(1)).hasMatch() ? element : QString();
        });
        if (!zmiana)
            return;
        zip.SetData(i, xml.left(poczatek) + style + xml.mid(koniec));
        zip.SaveToFile(odt);
        return;
    }
}
