#include "docs/libreoffice/SilnikOffice.h"

namespace {

std::unique_ptr<TSilnikLibreOffice> GSilnik;

// Ends the shared office after the last test, while the UNO runtime is still whole.
class TSrodowiskoOffice : public ::testing::Environment
{
public:
    void TearDown() override { GSilnik.reset(); }
};

[[maybe_unused]] ::testing::Environment* const GSrodowisko = ::testing::AddGlobalTestEnvironment(new TSrodowiskoOffice);

} // namespace

void TTestZOffice::SetUpTestSuite()
{
    if (!GSilnik) {
        GSilnik = std::make_unique<TSilnikLibreOffice>();
        GSilnik->Uruchom();
    }
}

void TTestZOffice::TearDownTestSuite() {}

TSilnikLibreOffice& TTestZOffice::Silnik()
{
    return *GSilnik;
}
