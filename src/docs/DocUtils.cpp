#include "docs/DocUtils.h"

#include "docs/SilnikDokumentow.h"
#include "docs/WyjatkiDokumentow.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool CzyUzywa(const QStringList& style, const QString& nazwa)
{
    for (const QString& styl : style) {
        if (styl.trimmed().compare(nazwa.trimmed(), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void ZbierzPliki(const QString& folder, QStringList& wynik, int glebokosc)
{
    // Links that loop back must not make the walk endless.
    if (glebokosc > 64)
        return;
    const QDir katalog(folder);
    const QDir::Filters filtr = QDir::Files | QDir::Hidden | QDir::System;
    for (const QFileInfo& plik :
         katalog.entryInfoList({QStringLiteral("*.doc*")}, filtr, QDir::Name | QDir::IgnoreCase))
        wynik << plik.absoluteFilePath();
    for (const QFileInfo& podfolder : katalog.entryInfoList(
             QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase))
        ZbierzPliki(podfolder.absoluteFilePath(), wynik, glebokosc + 1);
}

} // namespace

TDocUtils::TDocUtils(ISilnikDokumentow* silnik) : FSilnik(silnik) {}

void TDocUtils::GetNazwyStylow(const QString& sciezkaDoPliku, QStringList& styleList)
{
    try {
        styleList << FSilnik->OtworzDokument(sciezkaDoPliku, true)->NazwyUzywanychStylow();
    } catch (const EBrakSilnikaDokumentow&) {
        throw EBrakWordException(QStringLiteral("Brak dostępu do Microsoft Word."));
    } catch (const EBlad& e) {
        throw EBlad(QStringLiteral("Nie udało się otworzyć pliku DOC: ") + e.Komunikat());
    }
}

bool TDocUtils::DodajStyl(const QString& sciezkaDoPliku, const QString& sciezkaDoPlikuSzablonu,
                          const QString& nazwaStylu)
{
    try {
        auto dokument = FSilnik->OtworzDokument(sciezkaDoPliku, false);
        if (CzyUzywa(dokument->NazwyUzywanychStylow(), nazwaStylu))
            return false;
        auto szablon = FSilnik->OtworzDokument(sciezkaDoPlikuSzablonu, true);
        dokument->KopiujStylAkapitu(*szablon, nazwaStylu);
        dokument->Zapisz();
        return true;
    } catch (const EBrakSilnikaDokumentow&) {
        throw EBrakWordException(QStringLiteral("Brak dostępu do Microsoft Word."));
    }
}

QStringList PlikiWordWFolderze(const QString& folder)
{
    QStringList wynik;
    ZbierzPliki(folder, wynik, 0);
    return wynik;
}
