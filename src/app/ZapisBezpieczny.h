#pragma once

#include "app/Wyjatki.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>

// Opens the device that receives the new content (a file beside the target). Tests swap it for a
// device that fails part-way.
using TFabrykaUrzadzenia = std::function<std::unique_ptr<QIODevice>(const QString& sciezka)>;

// Replaces a file so that a failure at any point leaves one complete file, the old or the new one,
// under the target's name or its name followed by "~":
//   1. the new content is written beside the target and flushed to disk;
//   2. the old file is moved aside under its name + "~";
//   3. the new file takes the target's name;
//   4. the "~" copy is deleted.
// A failure in step 1 leaves the old file untouched; in step 3 the old file is moved back.
// Throws EBlad with a Polish message naming the file.
void ZapiszBezpiecznie(const QString& sciezka, const QByteArray& dane, const TFabrykaUrzadzenia& fabryka = {});

// A replacement that failed: the message names the file ("Błąd zapisu pliku ..."), Powod() says what went
// wrong, so that a writer can put its own message around it.
class EZamianaPliku : public EBlad
{
public:
    EZamianaPliku(const QString& komunikat, const QString& powod) : EBlad(komunikat), FPowod(powod) {}
    const QString& Powod() const { return FPowod; }

private:
    QString FPowod;
};

// How TZamianaPliku treats the target. The defaults suit a document the user keeps.
struct TOpcjeZamianyPliku
{
    // A link in the target's place: followed, so that the file it leads to is replaced and the link
    // stays; otherwise the link itself is replaced (never written through).
    bool PrzezDowiazanie = true;
    // The new file takes the access rights of the file it replaces; otherwise it keeps its own.
    bool ZachowajPrawa = true;
    // The new content is on the disk before it takes the target's name. Left out where hundreds of files
    // are written at once and each one waiting on the disk would cost more than it protects.
    bool NaDysk = true;
    // The temporary's name ends with the target's extension, for programs that tell a format by it.
    bool ZRozszerzeniem = false;
};

// A temporary file beside the target that takes the target's place only when it is complete: for writers
// whose content is not one block in memory (an office storing a document, a database copied and then
// changed, a file copied or inflated in pieces). They create and write Sciezka() and call Zastap(); until
// then the target is untouched, and without Zastap() the destructor removes the temporary.
class TZamianaPliku
{
public:
    // The temporary's name is shortened when the target's is near the file system's limit.
    explicit TZamianaPliku(const QString& cel, const TOpcjeZamianyPliku& opcje = {});
    ~TZamianaPliku();
    TZamianaPliku(const TZamianaPliku&) = delete;
    TZamianaPliku& operator=(const TZamianaPliku&) = delete;

    const QString& Sciezka() const { return FTymczasowy; }
    const QString& Cel() const { return FCel; }
    // Flushes the temporary to disk and renames it over the target in one step, so the old file stays
    // whole until the new one is (both as the options say). Throws EZamianaPliku and removes the
    // temporary on failure.
    void Zastap();

private:
    TOpcjeZamianyPliku FOpcje;
    QString FCel;
    QString FTymczasowy;
    bool FZastapiony = false;
};

// Copies a file to the target. An existing target is replaced through TZamianaPliku: it is whole, old or
// new, at every moment; through a link the file it leads to is replaced. A new target is written in place
// and removed when the copy fails. The copy takes the source's access rights. Throws EBlad with the
// system's reason.
void KopiujPlik(const QString& zrodlo, const QString& cel, const TOpcjeZamianyPliku& opcje = {});

// The name under which the old file waits while its replacement is written.
inline QString SciezkaKopiiTyldy(const QString& sciezka)
{
    return sciezka + QLatin1Char('~');
}
