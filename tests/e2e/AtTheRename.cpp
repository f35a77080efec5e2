#include "AtTheRename.h"

#include <cerrno>
#include <cstdio>
#include <dlfcn.h>

namespace {

AtTheRename* g_Armed = nullptr;
// The acts' own renames, such as another program's rename into place, go through untouched.
thread_local bool t_Acting = false;

template <class Function> Function Real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

AtTheRename::AtTheRename(std::filesystem::path target, Before before, After after)
    : m_Target(std::move(target)), m_Before(std::move(before)), m_After(std::move(after)) {
    g_Armed = this;
}

AtTheRename::~AtTheRename() {
    g_Armed = nullptr;
}

int AtTheRename::Around(const char* newPath, const std::function<int()>& call) {
    AtTheRename* armed = g_Armed;
    if (!armed || t_Acting || armed->m_Target != newPath)
        return call();
    const int number = armed->m_Calls++;
    t_Acting = true;
    const int refused = armed->m_Before ? armed->m_Before(number) : 0;
    t_Acting = false;
    if (refused != 0) {
        errno = refused;
        return -1;
    }
    const int result = call();
    const int error = errno;
    if (armed->m_After) {
        t_Acting = true;
        armed->m_After(number);
        t_Acting = false;
    }
    errno = error;
    return result;
}

extern "C" int renameat2(int oldFolder, const char* oldPath, int newFolder, const char* newPath,
                         unsigned int flags) noexcept {
    using Function = int (*)(int, const char*, int, const char*, unsigned int);
    static const Function real = Real<Function>("renameat2");
    return AtTheRename::Around(newPath, [&] { return real(oldFolder, oldPath, newFolder, newPath, flags); });
}

extern "C" int rename(const char* oldPath, const char* newPath) noexcept {
    using Function = int (*)(const char*, const char*);
    static const Function real = Real<Function>("rename");
    return AtTheRename::Around(newPath, [&] { return real(oldPath, newPath); });
}
