#pragma once

struct TUstawieniaKosztorysu;
class TZestawST;

// Matches every position of the set's estimates against the set's list and rebuilds the collection:
//   1. the collection forgets its positions and matches;
//   2. every position (an element's positions before its sub-elements) is looked up by its number:
//      a full match sets its chosen specification and variant, a partial one (the variant named after
//      "#" is missing) only the suggested specification; positions without a number match nothing;
//   3. every collection entry is found again by its key;
//   4. every position with a chosen specification joins the collection; entries that are neither own
//      nor needed by a position any more are dropped;
//   5. the collection is sorted.
// The one matching the window, the command-line tool and the document export share. Variants are looked
// for as the set's settings say.
void DopasujSpecyfikacje(TZestawST& zestaw);
// The same after the set takes the settings, so that what is matched is shown and written by them too.
void DopasujSpecyfikacje(TZestawST& zestaw, const TUstawieniaKosztorysu& ustawienia);
