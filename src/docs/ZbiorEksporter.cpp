#include "docs/ZbiorEksporter.h"

#include "docs/SilnikDokumentow.h"
#include "docs/WyjatkiDokumentow.h"

#include "app/MyPath.h"

#include <QElapsedTimer>
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

std::unique_ptr<IDokumentTekstowy> TZbiorEksporter::NowyZPlikami(ISilnikDokumentow& silnik,
                                                                 const std::vector<const TMyPath*>& lista,
                                                                 bool wszystkieMiejscaListy, QElapsedTimer& zegar)
{
    Czasy = {};
    std::unique_ptr<IDokumentTekstowy> dokument = silnik.NowyDokument();
    Czasy.Start = zegar.restart();
    for (std::size_t i = 0; i < lista.size() && !Terminated(); ++i) {
        const QString plik = lista[i]->GetPath();
        ZmianaPostepu(plik);
        if (!QFileInfo(plik).isFile())
            throw EBlad(QStringLiteral("Podany plik nie istnieje: ") + plik);
        if (i == 0 && CzyStronaTytulowa)
            dokument->WstawStroneTytulowa(plik);
        else
            dokument->WstawPlik(plik, i > 0);
        if (const auto zakladka = ZakladkiPlikow.constFind(plik); zakladka != ZakladkiPlikow.constEnd())
            dokument->DodajZakladke(*zakladka);
        if (CzyWstawListeStDoWarOgolnych && PlikWarunkowOgolnych && plik == PlikWarunkowOgolnych->GetPath())
            dokument->ZamienNaLinie(QStringLiteral("#LISTA_ST#"), ListaStDoWarOgolnych, wszystkieMiejscaListy,
                                    wszystkieMiejscaListy);
    }
    if (CzySpisTresci && !ZakladkiPlikow.isEmpty() && !Terminated())
        dokument->WstawSpisTresci();
    Czasy.Wstawianie = zegar.restart();
    return dokument;
}
