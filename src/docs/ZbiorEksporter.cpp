#include "docs/ZbiorEksporter.h"

#include <QFileInfo>

TZbiorEksporter::TZbiorEksporter(std::unique_ptr<TTypPliku> typPliku) : FTypPliku(std::move(typPliku)) {}

TZbiorEksporter::~TZbiorEksporter() = default;

QString TZbiorEksporter::GetDefaultExtension() const
{
    return FTypPliku->GetDefaultExt();
}

QString TZbiorEksporter::GetFilter() const
{
    return FTypPliku->GetFilter();
}

bool TZbiorEksporter::CzyObslugiwanyPlik(const QString& plik) const
{
    return FTypPliku->CzyObslugiwanyPlik(plik);
}

QString TZbiorEksporter::CurrentFile() const
{
    return FCurrentFile;
}

void TZbiorEksporter::ZmianaPostepu(const QString& plik)
{
    FCurrentFile = QFileInfo(plik).fileName();
    if (OnProgressChange)
        OnProgressChange(this);
}
