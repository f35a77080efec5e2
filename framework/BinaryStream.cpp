#include "BinaryStream.h"

#include "AtomicFile.h"
#include "FileOpening.h"
#include "FolderItem.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr int64_t kFirstChunk = 1 << 16;
// read() moves at most about 2 GiB at a time on Linux; larger reads are done in pieces.
constexpr size_t kMaxReadSize = 1 << 30;

} // namespace

struct BinaryStream::Private {
    ~Private() {
        if (fd >= 0)
            close(fd);
    }

    std::filesystem::path path;
    int fd = -1;
    bool writable = false;
    std::unique_ptr<AtomicFile> created;
};

BinaryStream::BinaryStream(std::unique_ptr<Private> p) : d(std::move(p)) {}

BinaryStream::~BinaryStream() = default;

Ref<BinaryStream> BinaryStream::Create(const Ref<FolderItem>& file, bool overwrite) {
    auto p = std::make_unique<Private>();
    p->path = file->Path();
    p->created = std::make_unique<AtomicFile>(p->path, overwrite);
    return New<BinaryStream>(std::move(p));
}

Ref<BinaryStream> BinaryStream::Open(const Ref<FolderItem>& file, bool write) {
    auto p = std::make_unique<Private>();
    p->path = file->Path();
    p->fd = FileOpening::OpenExisting(p->path, write);
    p->writable = write;
    return New<BinaryStream>(std::move(p));
}

int64_t BinaryStream::Length() const {
    if (d->created)
        return d->created->Size();
    struct stat status {};
    if (fstat(d->fd, &status) != 0)
        FileOpening::Raise(d->path, "cannot tell its length", errno);
    return status.st_size;
}

String BinaryStream::Read(int64_t count) {
    if (d->fd < 0)
        FileOpening::Raise(d->path, "cannot read a file that is being created", EBADF);
    String bytes;
    if (count <= 0)
        return bytes;
    // Grows as the bytes come, so that a large count on a short file allocates no more than it holds.
    bytes.resize(static_cast<size_t>(std::min(count, std::max(Length(), kFirstChunk))));
    size_t wanted = static_cast<size_t>(count);
    size_t got = 0;
    while (got < wanted) {
        if (got == bytes.size())
            bytes.resize(std::min(wanted, bytes.size() * 2));
        ssize_t n = ::read(d->fd, bytes.data() + got, std::min(bytes.size() - got, kMaxReadSize));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            FileOpening::Raise(d->path, "cannot read it", errno);
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

void BinaryStream::Write(const String& bytes) {
    if (d->created) {
        d->created->Write(bytes.data(), bytes.size());
        return;
    }
    if (!d->writable)
        FileOpening::Raise(d->path, "cannot write a file opened for reading", EBADF);
    if (int error = WriteAll(d->fd, bytes.data(), bytes.size()))
        FileOpening::Raise(d->path, "cannot write it", error);
}

void BinaryStream::SetSize(int64_t size) {
    if (!d->created)
        FileOpening::Raise(d->path, "cannot set the size of a file opened in place", EBADF);
    d->created->SetSize(size);
}

void BinaryStream::WriteAt(int64_t position, std::string_view bytes) const {
    if (!d->created)
        FileOpening::Raise(d->path, "cannot write at a place of a file opened in place", EBADF);
    d->created->WriteAt(position, bytes.data(), bytes.size());
}

void BinaryStream::Commit() {
    if (d->created) {
        d->created->Commit();
        return;
    }
    if (!d->writable)
        FileOpening::Raise(d->path, "cannot commit a file opened for reading", EBADF);
    if (fsync(d->fd) != 0)
        FileOpening::Raise(d->path, "cannot flush it to disk", errno);
}

CommitOutcome BinaryStream::Commit(const CommitHooks& hooks) {
    if (!d->created)
        FileOpening::Raise(d->path, "cannot replace a file opened in place", EBADF);
    return d->created->Commit(hooks);
}
