#pragma once

#include <QByteArray>
#include <QStringView>

#include <optional>

// The beginning of a stream of the root storage of a compound document (the container of the older office
// formats), read from the file's bytes: at most `ile` bytes. None when the bytes are no compound document,
// the stream is missing or its chain leads outside the file or round in a loop. Small streams are read from
// the mini stream.
std::optional<QByteArray> PoczatekStrumienia(const QByteArray& plik, QStringView nazwa, qsizetype ile);
