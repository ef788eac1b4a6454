#include "tests/http/HttpTestSupport.h"

#include <cstdlib>

#include "contracts/host/CUrlEngineer.h"

namespace httptest {

StopRequired::StopRequired() {
    CUrlEngineer::getInstance()->setStopRequired(true);
}

StopRequired::~StopRequired() {
    CUrlEngineer::getInstance()->setStopRequired(false);
}

namespace {

// The checker honours proxy variables; the tests' servers are on loopback and must be reached directly.
// Set before any test starts a thread.
class DirectConnections : public ::testing::Environment {
public:
    void SetUp() override { ::setenv("no_proxy", "*", 1); }
};

const auto* const kDirect = ::testing::AddGlobalTestEnvironment(new DirectConnections);

}  // namespace

}  // namespace httptest
