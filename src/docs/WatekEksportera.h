#pragma once

#include "app/Watki.h"

#include <QString>

#include <atomic>
#include <functional>

class TZbiorEksporter;

// A worker that runs one long operation of an exporter (a merge, reading styles), passing each progress
// event to the main thread as a status text. Nothing is owned.
class TWatekEksportera : public TPrzetworzPlikiThread
{
public:
    // Stops the exporter's work before its next step too.
    void PoprosOZatrzymanie() override;

protected:
    TWatekEksportera(TZbiorEksporter* eksporter, QString przedrostekStatusu, TOnException onException);

    // Runs the work; before each file the status (prefix + file name) is remembered and shown through
    // pokaz on the main thread, unless stopped. A failure is remembered and passed on.
    void ZPostepem(const std::function<void(const QString& status)>& pokaz, const std::function<void()>& praca);

    TZbiorEksporter* FEksporter;
    QString FStatus; // the last status shown
    std::atomic<bool> FBlad{false};

private:
    QString FPrzedrostekStatusu;
};
