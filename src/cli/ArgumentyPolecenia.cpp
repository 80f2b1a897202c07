#include "cli/ArgumentyPolecenia.h"

#include "app/Wyjatki.h"

#include <QFileInfo>

TArgumentyPolecenia::TArgumentyPolecenia(const QStringList& argumenty, const QString& nazwaPolecenia)
    : FArgumenty(argumenty), FNazwa(nazwaPolecenia)
{
}

bool TArgumentyPolecenia::Nastepny()
{
    if (FIndeks + 1 >= FArgumenty.size())
        return false;
    ++FIndeks;
    return true;
}

QString TArgumentyPolecenia::Wartosc()
{
    if (FIndeks + 1 >= FArgumenty.size())
        throw EBlad(QStringLiteral("Opcja %1 wymaga wartości.").arg(Biezacy()));
    return FArgumenty[++FIndeks];
}

QString TArgumentyPolecenia::Sciezka()
{
    return QFileInfo(Wartosc()).absoluteFilePath();
}

void TArgumentyPolecenia::Nieznany() const
{
    throw EBlad(QStringLiteral("Nieznany argument polecenia \"%1\": %2").arg(FNazwa, Biezacy()));
}
