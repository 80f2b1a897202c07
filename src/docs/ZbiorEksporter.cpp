#include "docs/ZbiorEksporter.h"

#include "docs/SilnikDokumentow.h"
#include "docs/WyjatkiDokumentow.h"

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

void TZbiorEksporter::ZPonowieniem(ISilnikDokumentow& silnik, const std::function<void()>& praca)
{
    try {
        praca();
    } catch (const ESilnikUtracony&) {
        silnik.Uruchom();
        praca();
    }
}

QString TZbiorEksporter::Tekst(const QStringList& linie)
{
    return linie.join(QLatin1Char('\n')).trimmed();
}
