#include "TextInputStream.h"

#include "FileOpening.h"
#include "FolderItem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr size_t kBufferSize = 1 << 16;

} // namespace

struct TextInputStream::Private {
    ~Private() {
        if (fd >= 0)
            close(fd);
    }

    /// Whether a byte is waiting, reading the next chunk when the buffer is used up.
    bool Available() {
        if (next < end)
            return true;
        if (exhausted)
            return false;
        ssize_t n;
        do {
            n = ::read(fd, buffer.data(), buffer.size());
        } while (n < 0 && errno == EINTR);
        if (n < 0)
            FileOpening::Raise(path, "cannot read it", errno);
        next = 0;
        end = static_cast<size_t>(n);
        exhausted = n == 0;
        return n > 0;
    }

    std::filesystem::path path;
    int fd = -1;
    String buffer = String(kBufferSize, '\0');
    size_t next = 0;
    size_t end = 0;
    bool exhausted = false;
};

TextInputStream::TextInputStream(std::unique_ptr<Private> p) : d(std::move(p)) {}

TextInputStream::~TextInputStream() = default;

Ref<TextInputStream> TextInputStream::Open(const Ref<FolderItem>& file) {
    auto p = std::make_unique<Private>();
    p->path = file->Path();
    p->fd = FileOpening::OpenExisting(p->path, false);
    return New<TextInputStream>(std::move(p));
}

bool TextInputStream::AtEOF() const {
    return !d->Available();
}

String TextInputStream::ReadLine(Encodings) {
    String line;
    while (d->Available()) {
        const char* chunk = d->buffer.data();
        size_t at = d->next;
        while (at < d->end && chunk[at] != '\n' && chunk[at] != '\r')
            ++at;
        line.append(chunk + d->next, at - d->next);
        d->next = at;
        if (at == d->end)
            continue;
        d->next = at + 1;
        // A CR LF may be cut between two chunks: the LF is looked for in the next one.
        if (chunk[at] == '\r' && d->Available() && d->buffer[d->next] == '\n')
            ++d->next;
        return line;
    }
    return line;
}
