#pragma once

#include "docs/libreoffice/SilnikLibreOffice.h"

#include "support/KonfiguracjaTestowa.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

// One office for the whole test program: started before the first test, ended after the last.
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
