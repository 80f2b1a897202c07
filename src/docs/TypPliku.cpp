#include "docs/TypPliku.h"

bool TTypPliku::CzyObslugiwanyPlik(const QString& plik) const
{
    const qsizetype separator = std::max(plik.lastIndexOf(QLatin1Char('/')), plik.lastIndexOf(QLatin1Char('\\')));
    const QString nazwa = plik.mid(separator + 1);
    const qsizetype kropka = nazwa.lastIndexOf(QLatin1Char('.'));
    if (kropka < 0)
        return false;
    return ExtList.contains(nazwa.mid(kropka), Qt::CaseInsensitive);
}

TTypPlikuWord::TTypPlikuWord()
{
    ExtList = {QStringLiteral(".doc"), QStringLiteral(".docx")};
}

QString TTypPlikuWord::GetFilter() const
{
    return QStringLiteral("Plik Microsoft Word (*.doc;*.docx)|*.doc;*.docx");
}

QString TTypPlikuWord::GetDefaultExt() const
{
    return QStringLiteral("doc");
}

TTypPlikuOoO::TTypPlikuOoO()
{
    ExtList = {QStringLiteral(".odt"), QStringLiteral(".doc"), QStringLiteral(".docx")};
}

QString TTypPlikuOoO::GetFilter() const
{
    return QStringLiteral("Plik dokumentów (*.doc;*.docx;*.odt)|*.doc;*.docx;*.odt");
}

QString TTypPlikuOoO::GetDefaultExt() const
{
    return QStringLiteral("odt");
}
