#pragma once

#include "docs/libreoffice/SilnikLibreOffice.h"

#include "support/KonfiguracjaTestowa.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

// The office of the test program: the one its CTest set-up started (VELOSTRA_OFFICE_TESTOWY names the
// folder with its pipe), shared by all the program's processes; run by hand, a private one started on
// first use and ended after the last test.
TSilnikLibreOffice& SilnikWspolny();

class TTestZOffice : public TTestZKonfiguracja
{
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    static TSilnikLibreOffice& Silnik();
    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }

    QTemporaryDir FKatalog;
};

// The statement raises that type of error with exactly that message.
#define EXPECT_THROW_MSG(wyrazenie, Typ, komunikat)                                                                    \
    do {                                                                                                               \
        try {                                                                                                          \
            wyrazenie;                                                                                                 \
            ADD_FAILURE() << "nie było wyjątku: " #wyrazenie;                                                          \
        } catch (const Typ& blad_) {                                                                                   \
            EXPECT_EQ(blad_.Komunikat(), QString(komunikat));                                                          \
        }                                                                                                              \
    } while (0)
