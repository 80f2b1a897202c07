#pragma once

#include <QByteArray>
#include <QString>

// What the office's Word export leaves out of a .docx, put in afterwards.
//
// The office's Word export cannot write a field that repeats the nearest text of an arbitrary style, so
// the header carries a marker until the .docx is stored and the marker's run is then turned into a real
// Word field (STYLEREF "style").

// The text that stands in the header for the field.
QString ZnacznikOdwolaniaDoStylu();

// One header part of a .docx (word/headerN.xml): every run holding only the marker becomes the field,
// keeping the run's formatting. Returns how many were replaced.
int WstawOdwolanieDoStyluXml(QByteArray& xml, const QString& nazwaStylu);

// Odd and even pages with footers of their own show in Word only when the settings part says so, which
// the export does not always write. Returns whether the part was changed.
bool UstawParzysteINieparzysteXml(QByteArray& settingsXml);

// Applies both to a .docx file (rewritten in place when something changed): the style reference when the
// name is not empty, the odd/even setting when asked.
void PoprawDocx(const QString& plikDocx, const QString& nazwaStylu, bool czyParzysteINieparzyste);
