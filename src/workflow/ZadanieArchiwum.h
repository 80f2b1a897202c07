#pragma once

#include "workflow/ZadaniaOtwarcia.h"

#include <functional>

// Packing or unpacking an archive on a worker, under the waiting dialog: the work reports each entry,
// which moves the progress (busy until the work knows how many there are) and ends the work at the
// first entry after "Anuluj". A packed archive is written only when the work was not stopped.
class TZadanieArchiwum : public TZadanieOtwarcia
{
public:
    using TPostep = std::function<void(int zrobione, int wszystkie)>;
    using TPraca = std::function<void(const TPostep& postep)>;

    explicit TZadanieArchiwum(TPraca praca);
    ~TZadanieArchiwum() override;

protected:
    void Przetwarzaj() override;

private:
    TPraca FPraca;
    int FWszystkie = 0;
};
