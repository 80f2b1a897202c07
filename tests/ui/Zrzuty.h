#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

// Saves a picture of the widget, shown at its own size, under <build>/zrzuty/, and fails when a caption of
// a button or a one-line label is cut (narrower than it needs).
inline void ZapiszZrzut(QWidget* okno, const QString& nazwa)
{
    if (!okno->isVisible()) {
        okno->adjustSize();
        okno->show();
    }
    QApplication::processEvents();
    const QString katalog = QStringLiteral(VELOSTRA_BIN_DIR "/../zrzuty");
    QDir().mkpath(katalog);
    EXPECT_TRUE(okno->grab().save(katalog + QLatin1Char('/') + nazwa + QStringLiteral(".png"))) << nazwa.toStdString();
    for (const QAbstractButton* p : okno->findChildren<QAbstractButton*>()) {
        if (p->isVisible() && !p->text().isEmpty()) {
            EXPECT_GE(p->width(), p->minimumSizeHint().width())
                << nazwa.toStdString() << ": " << p->text().toStdString();
        }
    }
    for (const QLabel* l : okno->findChildren<QLabel*>()) {
        if (l->isVisible() && !l->wordWrap() && !l->text().isEmpty() && !l->text().contains(QLatin1Char('<'))) {
            EXPECT_GE(l->width(), l->minimumSizeHint().width())
                << nazwa.toStdString() << ": " << l->text().toStdString();
        }
    }
}
