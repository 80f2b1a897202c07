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

int TArgumentyPolecenia::Struktura()
{
    const QString w = Wartosc();
    if (w != QLatin1String("0") && w != QLatin1String("1") && w != QLatin1String("2"))
        throw EBlad(QStringLiteral("Opcja --struktura przyjmuje wartość 0, 1 lub 2: %1").arg(w));
    return w.toInt();
}

void TArgumentyPolecenia::Nieznany() const
{
    throw EBlad(QStringLiteral("Nieznany argument polecenia \"%1\": %2").arg(FNazwa, Biezacy()));
}
