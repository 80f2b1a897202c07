#include "ui/UzytkownikOkna.h"

#include "app/Konfiguracja.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/LicznikImportuSt.h"
#include "specs/Specyfikacja.h"
#include "specs/SpisST.h"
#include "ui/DialogGrupy.h"
#include "ui/DialogPozostalychPozycji.h"
#include "ui/DialogSpecyfikacji.h"
#include "ui/Komunikaty.h"
#include "ui/OknoCzekania.h"
#include "ui/PodsumowanieImportu.h"
#include "ui/PorownanieSpecyfikacji.h"
#include "ui/PrzyciskiDialogu.h"
#include "ui/SpecyfikacjeZPustymNumerem.h"
#include "ui/WyborListy.h"
#include "workflow/CzekanieNaOtwarcie.h"
#include "zestaw/ZestawST.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString OpisSpecyfikacji(const TSpecyfikacja& s)
{
    const QString plik = s.GetEncodedPath().isEmpty() ? QStringLiteral("brak pliku") : s.GetLongPath();
    return s.GetCaption() + QStringLiteral("\n    ") + plik;
}

} // namespace

TUzytkownikOkna::TUzytkownikOkna(QWidget* okno, TKonfiguracja& konfiguracja, std::function<ISilnikDokumentow*()> silnik,
                                 std::function<TZestawST*()> zestaw)
    : FOkno(okno), FKonfiguracja(konfiguracja), FSilnik(std::move(silnik)), FZestaw(std::move(zestaw))
{
}

void TUzytkownikOkna::PokazKomunikat(const QString& tekst)
{
    PokazKomunikatOkna(FOkno, tekst);
}

bool TUzytkownikOkna::ZadajPytanie(const QString& komunikat, const QString& pytanie)
{
    return ZadajPytanieOkna(FOkno, komunikat, pytanie);
}

TOdpowiedz TUzytkownikOkna::PytanieTakNieAnuluj(const QString& tekst)
{
    return PytanieTakNieAnulujOkna(FOkno, tekst);
}

QString TUzytkownikOkna::FiltrQt(const QString& filtr)
{
    const QStringList czesci = filtr.split(QLatin1Char('|'));
    QStringList wynik;
    for (int i = 0; i + 1 < czesci.size(); i += 2) {
        QString opis = czesci[i];
        const QString wzorce = QString(czesci[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses: a description without them gets them.
        if (!opis.contains(QLatin1Char('(')))
            opis += QStringLiteral(" (") + wzorce + QLatin1Char(')');
        else
            opis = opis.left(opis.indexOf(QLatin1Char('('))) + QLatin1Char('(') + wzorce + QLatin1Char(')');
        wynik << opis;
    }
    return wynik.join(QStringLiteral(";;"));
}

QString TUzytkownikOkna::WybranyFiltr(const QString& filtr, int indeks)
{
    const QStringList filtry = FiltrQt(filtr).split(QStringLiteral(";;"));
    return indeks >= 1 && indeks <= filtry.size() ? filtry[indeks - 1] : QString();
}

TWybranePliki TUzytkownikOkna::WybierzDoOtwarcia(const TDialogPliku& dialog)
{
    QString wybrany = WybranyFiltr(dialog.Filtr, dialog.IndeksFiltru);
    const QString filtr = FiltrQt(dialog.Filtr);
    const QString start = dialog.NazwaPliku.isEmpty() ? dialog.Folder : QDir(dialog.Folder).filePath(dialog.NazwaPliku);
    TWybranePliki wynik;
    if (dialog.Wiele)
        wynik.Pliki = QFileDialog::getOpenFileNames(FOkno, dialog.Tytul, start, filtr, &wybrany);
    else if (const QString plik = QFileDialog::getOpenFileName(FOkno, dialog.Tytul, start, filtr, &wybrany);
             !plik.isEmpty())
        wynik.Pliki << plik;
    const QStringList filtry = filtr.split(QStringLiteral(";;"));
    wynik.IndeksFiltru = static_cast<int>(filtry.indexOf(wybrany)) + 1;
    if (wynik.IndeksFiltru < 1)
        wynik.IndeksFiltru = dialog.IndeksFiltru;
    return wynik;
}

QString TUzytkownikOkna::WybierzDoZapisu(const TDialogPliku& dialog)
{
    QString wybrany = WybranyFiltr(dialog.Filtr, dialog.IndeksFiltru);
    const QString start = QDir(dialog.Folder).filePath(dialog.NazwaPliku);
    QString plik = QFileDialog::getSaveFileName(FOkno, dialog.Tytul, start, FiltrQt(dialog.Filtr), &wybrany);
    if (!plik.isEmpty() && QFileInfo(plik).suffix().isEmpty() && !dialog.DomyslneRozszerzenie.isEmpty())
        plik += QLatin1Char('.') + dialog.DomyslneRozszerzenie;
    return plik;
}

std::optional<TWyborPozostalych> TUzytkownikOkna::WyborDlaPozostalychPozycji(const QString& tekst, bool zmianaZDrzewa,
                                                                             int domyslny)
{
    TDialogPozostalychPozycji dialog(tekst, zmianaZDrzewa, domyslny, FOkno);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Wybor();
}

void TUzytkownikOkna::CzekajNaOtwarcie(TCzekanieNaOtwarcie& czekanie)
{
    TOknoCzekania okno(czekanie, FOkno);
    okno.Wykonaj();
}

void TUzytkownikOkna::PokazSpecyfikacjeZPustymNumerem(TSpisST& spis)
{
    TSpecyfikacjeZPustymNumerem okno(spis, *this, FOkno);
    okno.exec();
}

void TUzytkownikOkna::OtworzPlikWProgramie(const QString& plik)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(plik)))
        PokazKomunikat(QStringLiteral("Nie można otworzyć pliku: ") + plik);
}

void TUzytkownikOkna::OtworzAdres(const QUrl& adres)
{
    if (!QDesktopServices::openUrl(adres))
        PokazKomunikat(QStringLiteral("Nie można otworzyć strony: ") + adres.toString());
}

void TUzytkownikOkna::OtworzFolder(const QString& folder)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        PokazKomunikat(QStringLiteral("Nie można otworzyć folderu: ") + folder);
}

TOpcjaDuplikatowNumeru TUzytkownikOkna::DuplikatNumeru(const TSpecyfikacja& istniejaca,
                                                       const TSpecyfikacja& importowana, bool czyDuplikatPliku,
                                                       bool& zapamietaj)
{
    QMessageBox okno(QMessageBox::Question, QStringLiteral("Informacja"),
                     QStringLiteral("Znaleziono duplikat specyfikacji o numerze: ") + importowana.Numer() +
                         QStringLiteral("\n\nNa liście:\n") + OpisSpecyfikacji(istniejaca) +
                         QStringLiteral("\n\nImportowana:\n") + OpisSpecyfikacji(importowana) +
                         (czyDuplikatPliku ? QStringLiteral("\n\nPlik specyfikacji również się powtarza.") : QString()),
                     QMessageBox::NoButton, FOkno);
    QPushButton* nadpisz = okno.addButton(QStringLiteral("Nadpisz specyfikację"), QMessageBox::ActionRole);
    QPushButton* pomin = okno.addButton(QStringLiteral("Pomiń specyfikację"), QMessageBox::ActionRole);
    QPushButton* anuluj = okno.addButton(QStringLiteral("Anuluj"), QMessageBox::RejectRole);
    auto* pamietaj = new QCheckBox(QStringLiteral("Zapamiętaj wybór"), &okno);
    pamietaj->setChecked(zapamietaj);
    okno.setCheckBox(pamietaj);
    okno.setDefaultButton(pomin);
    okno.setEscapeButton(anuluj);
    okno.exec();
    zapamietaj = pamietaj->isChecked();
    if (okno.clickedButton() == pomin)
        return doPomin;
    if (okno.clickedButton() == nadpisz)
        return doNadpisz;
    return doNone;
}

TOpcjaDuplikatowPliku TUzytkownikOkna::DuplikatPliku(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                     bool& zapamietaj)
{
    TPorownanieSpecyfikacji okno(QStringLiteral("Duplikat pliku specyfikacji"),
                                 QStringLiteral("Znaleziono duplikat pliku specyfikacji !"),
                                 {{QStringLiteral("Specyfikacja na liście"), &istniejaca},
                                  {QStringLiteral("Importowana specyfikacja"), &importowana}},
                                 FOkno);
    okno.setObjectName(QStringLiteral("DuplikatPliku"));
    auto* ramka = new QGroupBox(QStringLiteral("Wybierz działanie"), &okno);
    auto* ukladRamki = new QVBoxLayout(ramka);
    auto* grupa = new QButtonGroup(&okno);
    const QString wybory[] = {QStringLiteral("Dodaj importowaną specyfikację z pominięciem pliku"),
                              QStringLiteral("Nadpisz znaleziony plik i pomiń importowaną specyfikację"),
                              QStringLiteral("Nadpisz istniejącą specyfikację"),
                              QStringLiteral("Pomiń importowaną specyfikację")};
    for (int i = 0; i < 4; ++i) {
        auto* wybor = new QRadioButton(wybory[i], ramka);
        wybor->setObjectName(QStringLiteral("Wybor%1").arg(i));
        wybor->setChecked(i == 0);
        grupa->addButton(wybor, i);
        ukladRamki->addWidget(wybor);
    }
    auto* pamietaj = new QCheckBox(QStringLiteral("Nie pytaj ponownie"), &okno);
    pamietaj->setObjectName(QStringLiteral("NiePytaj"));
    pamietaj->setChecked(zapamietaj);
    const int wiersz = okno.Wiersze();
    okno.Uklad()->addWidget(ramka, wiersz, 0, 1, okno.Kolumn());
    okno.Uklad()->addWidget(pamietaj, wiersz + 1, 0, 1, okno.Kolumn());
    okno.Uklad()->addWidget(PrzyciskiOkAnuluj(&okno), wiersz + 2, 0, 1, okno.Kolumn());
    const bool ok = okno.exec() == QDialog::Accepted;
    zapamietaj = pamietaj->isChecked();
    if (!ok)
        return dpoNone;
    static const TOpcjaDuplikatowPliku opcje[] = {dpoDodajBezPliku, dpoNadpiszPlikIPominSt, dpoNadpisz, dpoPominSt};
    return opcje[qBound(0, grupa->checkedId(), 3)];
}

void TUzytkownikOkna::KonfliktSpecyfikacji(const TSpecyfikacja& specyfikacja, const TSpecyfikacja& duplikatPliku,
                                           const TSpecyfikacja& duplikatNumeru)
{
    TPorownanieSpecyfikacji okno(QStringLiteral("Konflikt specyfikacji"), QString(),
                                 {{QStringLiteral("Importowana specyfikacja"), &specyfikacja},
                                  {QStringLiteral("Duplikat numeru"), &duplikatNumeru},
                                  {QStringLiteral("Duplikat pliku"), &duplikatPliku}},
                                 FOkno);
    okno.setObjectName(QStringLiteral("KonfliktSpecyfikacji"));
    auto* przyciski = new QDialogButtonBox(&okno);
    QPushButton* ok = przyciski->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    QObject::connect(przyciski, &QDialogButtonBox::accepted, &okno, &QDialog::accept);
    okno.Uklad()->addWidget(przyciski, okno.Wiersze(), 0, 1, okno.Kolumn());
    okno.exec();
}

void TUzytkownikOkna::PodsumowanieImportu(const QString& komunikat, const TLicznikImportuSt& licznik)
{
    TPodsumowanieImportu okno(komunikat, licznik, FOkno);
    okno.exec();
}

int TUzytkownikOkna::WybierzListe(const QStringList& listy)
{
    if (listy.isEmpty())
        return -1;
    TWyborListy okno(listy, FOkno);
    return okno.exec() == QDialog::Accepted ? okno.Wybrana() : -1;
}

std::optional<TDaneGrupy> TUzytkownikOkna::EdycjaGrupy(const TDaneGrupy& dane)
{
    TDialogGrupy dialog(dane, FOkno);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Dane();
}

std::optional<TDaneSpecyfikacji> TUzytkownikOkna::EdycjaSpecyfikacji(const TDaneSpecyfikacji& dane)
{
    TDaneSpecyfikacji wejscie = dane;
    // A caller that did not name the list checks against the window's open one.
    if (!wejscie.Spis && FZestaw && FZestaw())
        wejscie.Spis = FZestaw()->SpisSpecyfikacji();
    auto tworzenie = [this](QWidget* rodzic,
                            const TTworzenieSpecyfikacjiWejscie& tw) -> std::optional<TTworzenieSpecyfikacjiWynik> {
        TZestawST* zestaw = FZestaw ? FZestaw() : nullptr;
        if (!zestaw)
            return std::nullopt;
        return PokazTworzenieSpecyfikacji(rodzic, tw, *zestaw, FKonfiguracja, FSilnik ? FSilnik() : nullptr, *this);
    };
    TDialogSpecyfikacji dialog(wejscie, *this, FKonfiguracja, tworzenie, FOkno);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Dane();
}
