#include "archive/BezpieczneSciezki.h"

#include "app/Wyjatki.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString ZUkosnikami(QString s)
{
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s;
}

bool CzyNiedozwolonySkladnik(const QString& skladnik)
{
    const QString s = skladnik.trimmed();
    return s == QLatin1String(".") || s == QLatin1String("..");
}

} // namespace

QString KomunikatNiedozwolonejSciezki(const QString& sciezka)
{
    return QStringLiteral("Archiwum zawiera niedozwoloną ścieżkę (bezwzględną lub wychodzącą poza folder "
                          "docelowy): ") +
           sciezka + QStringLiteral("\r\nRozpakowywanie przerwano, niczego nie zapisano.");
}

void SprawdzNazweWArchiwum(const QString& nazwa)
{
    const QString s = ZUkosnikami(nazwa.trimmed());
    static const QRegularExpression dysk(QStringLiteral("^[A-Za-z]:"));
    if (s.isEmpty() || s.startsWith(QLatin1Char('/')) || dysk.match(s).hasMatch() || s.contains(QChar(0)))
        throw EBlad(KomunikatNiedozwolonejSciezki(nazwa));
    for (const QString& skladnik : s.split(QLatin1Char('/')))
        if (CzyNiedozwolonySkladnik(skladnik))
            throw EBlad(KomunikatNiedozwolonejSciezki(nazwa));
}

void SprawdzNazweFolderu(const QString& nazwa)
{
    if (CzyNiedozwolonySkladnik(nazwa) || nazwa.contains(QLatin1Char('/')) || nazwa.contains(QLatin1Char('\\')) ||
        nazwa.contains(QChar(0)))
        throw EBlad(KomunikatNiedozwolonejSciezki(nazwa));
}

QString OstatniSkladnikNazwy(const QString& nazwa)
{
    const QString s = ZUkosnikami(nazwa);
    return s.mid(s.lastIndexOf(QLatin1Char('/')) + 1);
}

QString NazwaZUkosnikamiWstecz(QString nazwa)
{
    nazwa.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return nazwa;
}

void SprawdzCelRozpakowania(const QString& folderDocelowy, const QString& cel)
{
    const QString folder = QDir::cleanPath(ZUkosnikami(folderDocelowy));
    const QString sciezka = QDir::cleanPath(ZUkosnikami(cel));
    const QString przedrostek = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (sciezka != folder && !sciezka.startsWith(przedrostek))
        throw EBlad(KomunikatNiedozwolonejSciezki(cel));
    // A link anywhere from the target folder down would send the files elsewhere.
    QString biezaca = folder;
    const QStringList skladniki = sciezka.mid(przedrostek.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = -1; i < skladniki.size(); ++i) {
        if (i >= 0)
            biezaca = (biezaca.endsWith(QLatin1Char('/')) ? biezaca : biezaca + QLatin1Char('/')) + skladniki[i];
        const QFileInfo info(biezaca);
        if (info.isSymLink())
            throw EBlad(QStringLiteral("Folder docelowy lub plik w nim jest dowiązaniem symbolicznym: ") + biezaca +
                        QStringLiteral("\r\nRozpakowywanie przerwano, niczego nie zapisano."));
        if (!info.exists())
            break;
    }
}
