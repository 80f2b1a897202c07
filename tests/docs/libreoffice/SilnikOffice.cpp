#include "docs/libreoffice/SilnikOffice.h"

#include "support/Pomocnicze.h"

#include <csignal>

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

TSilnikLibreOffice& SilnikWspolny()
{
    if (!GSilnik) {
        const QString folder = qEnvironmentVariable("VELOSTRA_OFFICE_TESTOWY");
        QString potok;
        pid_t grupa = -1;
        if (!folder.isEmpty()) {
            potok = QString::fromUtf8(CzytajPlik(folder + QStringLiteral("/potok"))).trimmed();
            EXPECT_FALSE(potok.isEmpty()) << "brak potoku wspólnego pakietu biurowego w " << folder.toStdString();
            grupa = CzytajPlik(folder + QStringLiteral("/pid")).trimmed().toInt();
            // An office that another test program's watch ended: this one starts its own at once.
            if (grupa <= 0 || kill(grupa, 0) != 0)
                potok.clear();
        }
        GSilnik = std::make_unique<TSilnikLibreOffice>(potok, grupa);
        GSilnik->Uruchom();
    }
    return *GSilnik;
}

void TTestZOffice::SetUpTestSuite()
{
    SilnikWspolny();
}

void TTestZOffice::TearDownTestSuite() {}

TSilnikLibreOffice& TTestZOffice::Silnik()
{
    return SilnikWspolny();
}
