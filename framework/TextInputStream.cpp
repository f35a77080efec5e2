#include "TextInputStream.h"

#include "FileOpening.h"
#include "FolderItem.h"
#include "UtfDecoder.h"

#include <cerrno>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace {

using namespace std::string_view_literals;

constexpr size_t kBufferSize = 1 << 16;

struct WideMark {
    std::string_view bytes;
    bool bigEndian;
};

// A mark is as long as a code unit of its encoding.
constexpr WideMark kWideMarks[] = {
    {"\xFF\xFE\0\0"sv, false},
    {"\0\0\xFE\xFF"sv, true},
    {"\xFF\xFE"sv, false},
    {"\xFE\xFF"sv, true},
};

bool StartsWith(const String& bytes, size_t at, size_t end, std::string_view mark) {
    return end - at >= mark.size() && bytes.compare(at, mark.size(), mark) == 0;
}

} // namespace

struct TextInputStream::Private {
    ~Private() {
        if (fd >= 0)
            close(fd);
    }

    /// Whether a byte is waiting, reading the next chunk when the buffer is used up.
    bool Available() {
        while (next >= end) {
            if (exhausted)
                return false;
            Fill();
        }
        return true;
    }

    void Fill() {
        String& target = decoder ? raw : buffer;
        target.resize(kBufferSize);
        ssize_t n;
        do {
            n = ::read(fd, target.data(), target.size());
        } while (n < 0 && errno == EINTR);
        if (n < 0)
            FileOpening::Raise(path, "cannot read it", errno);
        next = 0;
        end = static_cast<size_t>(n);
        exhausted = n == 0;
        if (decoder)
            DecodeRaw(0, end);
    }

    /// Replaces the buffer by the UTF-8 of raw[from, to), or by what the decoder still holds at the end.
    void DecodeRaw(size_t from, size_t to) {
        buffer.clear();
        if (exhausted)
            decoder->Finish(buffer);
        else
            decoder->Decode(raw.data() + from, to - from, buffer);
        next = 0;
        end = buffer.size();
    }

    /// Reads the file's byte-order mark, if it has one: a UTF-8 one is dropped, a UTF-16 or UTF-32
    /// one has the rest of the file decoded.
    void TakeByteOrderMark() {
        if (!Available())
            return;
        if (StartsWith(buffer, next, end, "\xEF\xBB\xBF")) {
            next += 3;
            return;
        }
        // The UTF-32 little-endian mark starts with the UTF-16 one, so it is looked for first.
        for (const WideMark& mark : kWideMarks) {
            if (!StartsWith(buffer, next, end, mark.bytes))
                continue;
            decoder.emplace(mark.bytes.size(), mark.bigEndian);
            raw.swap(buffer);
            DecodeRaw(next + mark.bytes.size(), end);
            return;
        }
    }

    std::filesystem::path path;
    int fd = -1;
    String buffer;
    size_t next = 0;
    size_t end = 0;
    bool exhausted = false;
    bool started = false;
    std::optional<UtfDecoder> decoder;
    String raw;
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

String TextInputStream::ReadLine(Encodings encoding) {
    if (!d->started && encoding == Encodings::UTF8)
        d->TakeByteOrderMark();
    d->started = true;
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
