#pragma once

#include <QString>

// Proposes the number of a new node from its parent's number. In numbering schemes where lower levels
// are written as zero segments ("D-01.00.00"), the parent's trailing zero segments are where the child's
// digits go: that part is returned as the selection for the number field to overtype.
class TRozpoznawaczNumeruSt
{
public:
    // The proposed number (the parent's number itself) and, 1-based, the start of the selection and its
    // length; read as a 0-based edit-box selection it covers everything after the separator that opens
    // the trailing zero segments. Without such segments: the caret past the end (length + 1) and length 0.
    static QString RozpoznajNumer(const QString& numerNadrzedny, int& selStart, int& selLength);
};
