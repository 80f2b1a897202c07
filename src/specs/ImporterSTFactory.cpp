#include "specs/ImporterSTFactory.h"

#include "app/Wyjatki.h"
#include "specs/ImporterWST.h"

namespace {

// From the last dot on; empty without one. (A dot in a folder's name gives a text with a separator in it,
// which no extension equals.)
QString Rozszerzenie(const QString& sciezka)
{
    const qsizetype kropka = sciezka.lastIndexOf(QLatin1Char('.'));
    return kropka < 0 ? QString() : sciezka.mid(kropka);
}

} // namespace

std::unique_ptr<TImporterST> TImporterSTFactory::GetImporter(const QString& filePath, QObject* ownerForm,
                                                             TSpisST* spisSt,
                                                             const TZapamietaneOpcjeDuplikatow& zapamietane)
{
    if (!spisSt)
        throw EBlad(QStringLiteral("Brak spisu specyfikacji"));
    if (Rozszerzenie(filePath) != QLatin1String(".wst"))
        throw EBlad(QStringLiteral("Brak importera dla podanego pliku"));
    return std::make_unique<TImporterWST>(ownerForm, spisSt, zapamietane);
}
