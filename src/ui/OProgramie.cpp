#include "ui/OProgramie.h"

#include "app/Pliki.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TOProgramie::TOProgramie(QWidget* rodzic) : QDialog(rodzic)
{
    setObjectName(QStringLiteral("OProgramie"));
    setWindowTitle(QStringLiteral("O programie"));
    auto* uklad = new QVBoxLayout(this);
    auto* tytul = new QLabel(QStringLiteral("<h2>Velostra</h2><p>Nowoczesne Zarządzanie Specyfikacjami Technicznymi</p>"
                                            "<p>wer. %1</p>")
                                 .arg(WersjaProgramu()),
                             this);
    tytul->setObjectName(QStringLiteral("Wersja"));
    tytul->setAlignment(Qt::AlignCenter);
    uklad->addWidget(tytul);
    auto* biblioteki = new QLabel(QStringLiteral("<p>Program korzysta z bibliotek:</p><table cellspacing='4'>"
                                                 "<tr><td>Qt %1</td><td>LGPL 3.0</td></tr>"
                                                 "<tr><td>LibreOffice (UNO)</td><td>MPL 2.0</td></tr>"
                                                 "<tr><td>pugixml</td><td>MIT</td></tr>"
                                                 "<tr><td>libxlsxwriter</td><td>BSD 2-Clause</td></tr>"
                                                 "<tr><td>qpdf</td><td>Apache 2.0</td></tr>"
                                                 "<tr><td>mdbtools</td><td>LGPL 2.0</td></tr>"
                                                 "<tr><td>zlib</td><td>zlib</td></tr>"
                                                 "<tr><td>PCRE2</td><td>BSD 3-Clause</td></tr>"
                                                 "<tr><td>OpenSSL</td><td>Apache 2.0</td></tr></table>")
                                      .arg(QString::fromLatin1(qVersion())),
                                  this);
    biblioteki->setObjectName(QStringLiteral("Biblioteki"));
    uklad->addWidget(biblioteki);
    auto* przyciski = new QDialogButtonBox(this);
    przyciski->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("OK"));
    connect(przyciski, &QDialogButtonBox::accepted, this, &QDialog::accept);
    uklad->addWidget(przyciski);
}
