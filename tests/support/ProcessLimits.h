#pragma once

#include <csignal>
#include <cstddef>
#include <linux/capability.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

/// Lowers a resource limit of this process for the scope, to make an open or a write fail even for
/// root, whom file permissions do not stop.
class LoweredLimit {
public:
    LoweredLimit(int resource, rlim_t soft) : m_Resource(resource) {
        getrlimit(resource, &m_Saved);
        rlimit lowered = m_Saved;
        lowered.rlim_cur = soft;
        setrlimit(resource, &lowered);
    }
    ~LoweredLimit() { setrlimit(m_Resource, &m_Saved); }
    LoweredLimit(const LoweredLimit&) = delete;
    LoweredLimit& operator=(const LoweredLimit&) = delete;

private:
    int m_Resource;
    rlimit m_Saved{};
};

/// Files may grow to `bytes` for the scope; a write beyond that fails with EFBIG instead of
/// ending the process with SIGXFSZ.
class SmallFiles {
public:
    explicit SmallFiles(rlim_t bytes) : m_Limit(RLIMIT_FSIZE, bytes) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &m_Saved);
    }
    ~SmallFiles() { sigaction(SIGXFSZ, &m_Saved, nullptr); }
    SmallFiles(const SmallFiles&) = delete;
    SmallFiles& operator=(const SmallFiles&) = delete;

private:
    LoweredLimit m_Limit;
    struct sigaction m_Saved {};
};

/// Takes from this thread, for the scope, root's power to open any file, so that a file's own
/// permissions stop it as they stop anyone else.
class NoPermissionOverride {
public:
    NoPermissionOverride() {
        m_Header.version = _LINUX_CAPABILITY_VERSION_3;
        syscall(SYS_capget, &m_Header, m_Saved);
        __user_cap_data_struct lowered[2] = {m_Saved[0], m_Saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &m_Header, lowered);
    }
    ~NoPermissionOverride() { syscall(SYS_capset, &m_Header, m_Saved); }
    NoPermissionOverride(const NoPermissionOverride&) = delete;
    NoPermissionOverride& operator=(const NoPermissionOverride&) = delete;

private:
    __user_cap_header_struct m_Header{};
    __user_cap_data_struct m_Saved[2]{};
};

/// Makes every fsync of this thread fail with EIO, for good: only for a process that ends with the
/// test, such as a death test's. A file's data is flushed with fdatasync, so of a save only the flush
/// of the folder after the rename fails. False when the kernel would not take the filter.
inline bool FailEveryFsync() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fsync, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EIO & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}
