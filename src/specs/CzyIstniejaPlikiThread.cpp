#include "specs/CzyIstniejaPlikiThread.h"

#include "specs/SpisST.h"

#include <QFileInfo>

TCzyIstniejaPlikiThread::TCzyIstniejaPlikiThread(TSpisST* spisSt, TOnFinished onFinished)
    : SpisSt(spisSt), OnFinished(std::move(onFinished))
{
    setObjectName(QStringLiteral("CzyIstniejaPlikiThread"));
    SpisSt->SetTerminatedSprawdzaniePlikow(false);
    std::vector<TSpecyfikacja*> stos{SpisSt};
    while (!stos.empty()) {
        TSpecyfikacja* wezel = stos.back();
        stos.pop_back();
        const QString zakodowana = wezel->GetEncodedPath();
        const bool czyGrupa = wezel->CzyGrupa();
        FSprawdzenia.push_back(
            {wezel, czyGrupa || zakodowana.trimmed().isEmpty() ? QString() : wezel->GetPath()->GetPath()});
        if (!czyGrupa)
            continue;
        for (int i = wezel->Count() - 1; i >= 0; --i)
            stos.push_back(wezel->GetSpecyfikacja(i));
    }
}

TCzyIstniejaPlikiThread::~TCzyIstniejaPlikiThread()
{
    if (isRunning())
        ZatrzymajICzekaj();
}

void TCzyIstniejaPlikiThread::PoprosOZatrzymanie()
{
    SpisSt->SetTerminatedSprawdzaniePlikow(true);
    TPrzetworzPlikiThread::PoprosOZatrzymanie();
}

void TCzyIstniejaPlikiThread::Pomin(const TSpecyfikacja* wezel)
{
    FPominiete.insert(wezel);
}

void TCzyIstniejaPlikiThread::Przetwarzaj()
{
    for (TSprawdzenie& s : FSprawdzenia) {
        if (SpisSt->TerminatedSprawdzaniePlikow())
            break;
        s.Istnieje = !s.Sciezka.isEmpty() && QFileInfo(s.Sciezka).isFile();
        s.Sprawdzone = true;
    }
}

void TCzyIstniejaPlikiThread::Zakoncz()
{
    for (const TSprawdzenie& s : FSprawdzenia)
        if (s.Sprawdzone && FPominiete.count(s.Wezel) == 0)
            s.Wezel->SetCzyIstnieje(s.Istnieje);
    FSprawdzenia.clear();
    if (OnFinished)
        OnFinished(this);
}
