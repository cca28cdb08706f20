#include "ComponentLoader.h"

#include <QFile>

#include <condition_variable>
#include <dlfcn.h>
#include <memory>
#include <mutex>
#include <system_error>

namespace zv {

namespace {

using EntryPoint = int32_t (*)();

QByteArray modulePath(const QString& file) {
    return QFile::encodeName(file.contains(u'/') ? file : QStringLiteral("./") + file);
}

// What the entry point's thread and the waiting caller share; it outlives a caller that gave up.
struct Completion {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int32_t result = 0;
};

} // namespace

ComponentCall callComponentEntry(const QString& file, const char* symbol,
                                 std::chrono::milliseconds wait, const ThreadStarter& startThread) {
    ComponentCall call;
    const QByteArray path = modulePath(file);
    void* module = ::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* msg = ::dlerror();
        call.outcome = ComponentCall::Outcome::LoadFailed;
        call.error = msg ? QString::fromLocal8Bit(msg) : QString();
        return call;
    }
    ::dlerror();
    auto entry = reinterpret_cast<EntryPoint>(::dlsym(module, symbol));
    if (!entry) {
        ::dlclose(module);
        call.outcome = ComponentCall::Outcome::NoEntryPoint;
        return call;
    }

    auto completion = std::make_shared<Completion>();
    std::function<void()> body = [completion, entry]() {
        int32_t r;
        try {
            r = entry();
        } catch (...) {
            r = int32_t(0x80004005u); // an exception out of the module is a failure
        }
        std::lock_guard<std::mutex> lock(completion->mutex);
        completion->result = r;
        completion->finished = true;
        completion->done.notify_all();
    };
    std::thread worker;
    try {
        worker = startThread ? startThread(body) : std::thread(body);
    } catch (const std::system_error&) {
        // Nothing of the module runs, so it can go.
        ::dlclose(module);
        call.outcome = ComponentCall::Outcome::NoThread;
        return call;
    }
    if (!worker.joinable()) {
        ::dlclose(module);
        call.outcome = ComponentCall::Outcome::NoThread;
        return call;
    }

    bool finished;
    {
        std::unique_lock<std::mutex> lock(completion->mutex);
        finished = completion->done.wait_for(lock, wait, [&] { return completion->finished; });
        call.result = completion->result;
    }
    if (!finished) {
        // Its code still runs: the thread goes on by itself and the module stays loaded for
        // the rest of the process.
        worker.detach();
        call.outcome = ComponentCall::Outcome::TimedOut;
        return call;
    }
    worker.join();
    ::dlclose(module);
    call.outcome = ComponentCall::Outcome::Returned;
    return call;
}

bool isComponentLoaded(const QString& file) {
    const QByteArray path = modulePath(file);
    void* module = ::dlopen(path.constData(), RTLD_NOW | RTLD_NOLOAD);
    if (!module) return false;
    ::dlclose(module);
    return true;
}

} // namespace zv
