// The few thread functions the C++ runtime calls (the exception unwinder's
// one-time set-up, the exception allocator's lock, the per-thread exception
// record), for a program that runs one thread. Linked into the programs
// alone, they keep the POSIX thread library out of them: a third of the
// runtime's size. The unit tests link the real library (GoogleTest uses it).
#include <cstdint>

extern "C" {

// The library's types, as the runtime was built against them.
using pthread_once_t = long;
using pthread_mutex_t = std::intptr_t;
using pthread_mutexattr_t = unsigned;
using pthread_key_t = unsigned;

int pthread_once(pthread_once_t* once, void (*run)()) {
    if (*once == 0) {
        *once = 1;
        run();
    }
    return 0;
}

// One thread never waits for a lock: every lock is free.
int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*) {
    *mutex = 0;
    return 0;
}
int pthread_mutex_destroy(pthread_mutex_t*) { return 0; }
int pthread_mutex_lock(pthread_mutex_t*) { return 0; }
int pthread_mutex_unlock(pthread_mutex_t*) { return 0; }

// The runtime asks for one key (the current exception's record); a few more
// are there for safety. A value lives as long as the process: the one thread
// ends with it, so no destructor needs to run.
namespace {
constexpr unsigned kKeys = 8;
unsigned keysTaken = 0;
const void* keyValues[kKeys];
}  // namespace

int pthread_key_create(pthread_key_t* key, void (*)(void*)) {
    if (keysTaken == kKeys) return 11;  // EAGAIN
    *key = keysTaken++;
    return 0;
}
void* pthread_getspecific(pthread_key_t key) { return key < kKeys ? const_cast<void*>(keyValues[key]) : nullptr; }
int pthread_setspecific(pthread_key_t key, const void* value) {
    if (key >= kKeys) return 22;  // EINVAL
    keyValues[key] = value;
    return 0;
}

}  // extern "C"
