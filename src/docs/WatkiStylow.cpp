#include "docs/WatkiStylow.h"

#include "docs/DocUtils.h"
#include "docs/ZbiorEksporterDOC.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString KLinkPobierania = QStringLiteral("<a>Zatrzymaj pobieranie stylów z dokumentów</a>");

} // namespace

TPobierzStyleThread::TPobierzStyleThread(IWidokPobieraniaStylow* widok, std::vector<const TMyPath*> pliki,
                                         TZbiorEksporterDOC* eksporter, TOnException onException)
    : TWatekEksportera(eksporter, QStringLiteral("Pobieranie stylów z pliku: "), std::move(onException)), FWidok(widok),
      FPliki(std::move(pliki)), FEksporterDOC(eksporter)
{
}

void TPobierzStyleThread::Rozpocznij()
{
    FStyleList.clear();
    FStatus.clear();
    FEksporter->ResetTerminated();
    FWidok->PobieranieRozpoczete(static_cast<int>(FPliki.size()), KLinkPobierania);
}

void TPobierzStyleThread::Przetwarzaj()
{
    ZPostepem([this](const QString& status) { FWidok->KolejnyPlik(status); },
              [this] { FEksporterDOC->GetNazwyStylow(FPliki, FStyleList); });
}

void TPobierzStyleThread::Zakoncz()
{
    FWidok->PobieranieZakonczone(FBlad ? FStatus + QStringLiteral(" (Błąd pobierania stylów)")
                                       : QStringLiteral("Pobieranie stylów zakończone."),
                                 FStyleList);
    FStyleList.clear();
}

TDopiszStylDoPlikow::TDopiszStylDoPlikow(IWidokDopisywaniaStylu* widok, ISilnikDokumentow* silnik,
                                         QString folderLubPlik, bool trybFolderu, QString szablonPath,
                                         QString nazwaStylu, TOnException onException)
    : TPrzetworzPlikiThread(nullptr, std::move(onException)), FWidok(widok), FSilnik(silnik),
      FFolderLubPlik(std::move(folderLubPlik)), FTrybFolderu(trybFolderu), FSzablonPath(std::move(szablonPath)),
      FNazwaStylu(std::move(nazwaStylu))
{
}

void TDopiszStylDoPlikow::Rozpocznij()
{
    FPliki = FTrybFolderu ? PlikiWordWFolderze(FFolderLubPlik) : QStringList{FFolderLubPlik};
    FIlePrzetworzonych = 0;
    FWidok->DopisywanieRozpoczete(static_cast<int>(FPliki.size()));
}

void TDopiszStylDoPlikow::Przetwarzaj()
{
    TDocUtils narzedzia(FSilnik);
    for (const QString& plik : FPliki) {
        if (CzyZatrzymano())
            break;
        narzedzia.DodajStyl(plik, FSzablonPath, FNazwaStylu);
        ++FIlePrzetworzonych;
        const QString nazwa = QFileInfo(plik).fileName();
        NaWatkuGlownym([this, nazwa] { FWidok->KolejnyPlik(nazwa); });
    }
}

void TDopiszStylDoPlikow::Zakoncz()
{
    FWidok->DopisywanieZakonczone(QStringLiteral("Operacja zakończona. Ilość przetworzonych plików: ") +
                                  QString::number(FIlePrzetworzonych));
}

QString SprawdzDopisanieStylu(bool trybFolderu, const QString& plik, const QString& folder, const QString& szablon,
                              const QString& nazwaStylu)
{
    if (!trybFolderu && !QFileInfo(plik).isFile())
        return QStringLiteral("Proszę wybrać plik Ms Word.");
    if (trybFolderu && (folder.trimmed().isEmpty() || !QFileInfo(folder).isDir()))
        return QStringLiteral("Proszę podać prawidłowy folder z plikami Ms Word.");
    if (!QFileInfo(szablon).isFile())
        return QStringLiteral("Proszę wybrać plik szablonu.");
    if (nazwaStylu.trimmed().isEmpty())
        return QStringLiteral("Proszę wybrać styl do dopisania.");
    return {};
}
