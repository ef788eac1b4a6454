#include "hostlibs/run/RunContext.h"

#include <mutex>
#include <utility>

#include "platform/win/WinReg.h"

namespace tarn {

struct RunContext::Shared {
    explicit Shared(RunOptions given) : options(std::move(given)) {}

    const RunOptions options;
    std::mutex engineMutex;
    std::shared_ptr<RequestEngine> engine;
};

RunContext::RunContext(RunOptions options) : shared_(std::make_shared<Shared>(std::move(options))) {}

RunContext::RunContext(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

std::shared_ptr<RunContext> RunContext::page() const {
    return std::shared_ptr<RunContext>(new RunContext(shared_));
}

const RunOptions& RunContext::options() const { return shared_->options; }

void RunContext::notice(const std::string& line) const {
    if (shared_->options.notices)
        shared_->options.notices(line);
}

std::shared_ptr<RequestEngine> RunContext::engine(const std::function<std::shared_ptr<RequestEngine>()>& make) {
    const std::lock_guard lock(shared_->engineMutex);
    if (!shared_->engine)
        shared_->engine = make();
    return shared_->engine;
}

namespace {

// Set and cleared on the dialog's thread; read by the check's worker too.
std::mutex currentMutex;
std::shared_ptr<RunContext> current;

void applySettingsStore(const std::shared_ptr<RunContext>& run) {
    RegistryStoreKeepChangesInMemory(run != nullptr && run->options().settings == SettingsStore::InMemory);
}

}  // namespace

std::shared_ptr<RunContext> currentRun() {
    {
        const std::lock_guard lock(currentMutex);
        if (current)
            return current;
    }
    return std::make_shared<RunContext>();
}

RunScope::RunScope(std::shared_ptr<RunContext> run) {
    applySettingsStore(run);
    const std::lock_guard lock(currentMutex);
    previous_ = std::exchange(current, std::move(run));
}

RunScope::~RunScope() {
    applySettingsStore(previous_);
    const std::lock_guard lock(currentMutex);
    current = std::move(previous_);
}

}  // namespace tarn
