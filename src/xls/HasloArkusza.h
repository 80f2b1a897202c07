#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The 16-bit verifier of a sheet's protection password that both file formats store. The password is
// taken in the Polish ANSI code page (Windows-1250), as spreadsheet programs on a Polish system take it,
// so that a password with Polish letters opens the sheet there too.
std::uint16_t WeryfikatorHaslaArkusza(const QString& haslo);
// The same over the password's bytes.
std::uint16_t WeryfikatorHaslaArkusza(const QByteArray& bajty);
