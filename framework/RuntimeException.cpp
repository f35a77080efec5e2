#include "RuntimeException.h"

#include <algorithm>
#include <cstdlib>
#include <execinfo.h>
#include <new>
#include <string_view>

namespace {

constexpr int kMaxFrames = 128;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// Out of line, so that the frames it records begin with its caller's; those of backtrace itself, and
// of a sanitizer's wrapper around it, are dropped up to that one.
[[gnu::noinline]] std::shared_ptr<const std::vector<void*>> CaptureFrames() {
    void* frames[kMaxFrames];
    int count = backtrace(frames, kMaxFrames);
    void* caller = __builtin_return_address(0);
    void** first = std::find(frames, frames + count, caller);
    if (first == frames + count)
        first = frames;
    return std::make_shared<const std::vector<void*>>(first, frames + count);
}

std::string_view BaseName(std::string_view path) {
    size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool ReadSourceName(std::string_view& mangled, std::string_view& name) {
    size_t digits = 0;
    size_t length = 0;
    while (digits < mangled.size() && mangled[digits] >= '0' && mangled[digits] <= '9')
        length = length * 10 + static_cast<size_t>(mangled[digits++] - '0');
    if (digits == 0 || digits + length > mangled.size())
        return false;
    name = mangled.substr(digits, length);
    mangled.remove_prefix(digits + length);
    return true;
}

// The constructors of the exception classes (ours and the application's, which end in "Exception" by
// convention) make the exception, they do not raise it: the stack starts below them.
bool IsExceptionConstructor(std::string_view mangled) {
    if (!mangled.starts_with("_ZN"))
        return false;
    mangled.remove_prefix(3);
    std::string_view name;
    std::string_view last;
    while (ReadSourceName(mangled, name))
        last = name;
    bool constructor = mangled.starts_with("C1") || mangled.starts_with("C2") || mangled.starts_with("CI");
    return constructor && last.ends_with("Exception");
}

} // namespace

RuntimeException::RuntimeException() : m_Frames(CaptureFrames()) {}

RuntimeException::RuntimeException(String message)
    : m_Message(std::move(message)), m_Frames(CaptureFrames()) {}

RuntimeException::~RuntimeException() = default;

RuntimeException::RuntimeException(const RuntimeException&) = default;

RuntimeException& RuntimeException::operator=(const RuntimeException&) = default;

StringArray RuntimeException::Stack() const {
    StringArray stack;
    if (!m_Frames || m_Frames->empty())
        return stack;
    std::unique_ptr<char*[], FreeDeleter> symbols(
        backtrace_symbols(m_Frames->data(), static_cast<int>(m_Frames->size())));
    if (!symbols)
        throw OutOfMemoryException();
    size_t first = 0;
    while (first < m_Frames->size() && IsExceptionConstructor(StackEntryText(symbols[first])))
        ++first;
    stack.Items().reserve(m_Frames->size() - first);
    for (size_t i = first; i < m_Frames->size(); ++i)
        stack.Append(StackEntryText(symbols[i]));
    return stack;
}

// backtrace_symbols writes "file(name+0xoffset) [address]", "file(+0xoffset) [address]" for a frame
// without a name, and "[address]" when not even the file is known. The file is a path of this machine,
// perhaps in the user's home folder, and a report goes off the machine: only its base name is kept.
String StackEntryText(std::string_view symbolLine) {
    size_t open = symbolLine.rfind('(', symbolLine.rfind(" ["));
    if (open == std::string_view::npos)
        return String(BaseName(symbolLine));
    size_t close = symbolLine.find(')', open + 1);
    std::string_view inside =
        symbolLine.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
    size_t offset = inside.find_first_of("+-");
    if (!inside.empty() && offset != 0)
        return String(inside.substr(0, offset));
    return String(BaseName(symbolLine.substr(0, open))) + String(inside);
}

void WithRuntimeException(std::exception_ptr caught, const std::function<void(RuntimeException&)>& handler) {
    if (!caught)
        return;
    try {
        std::rethrow_exception(caught);
    } catch (RuntimeException& e) {
        handler(e);
    } catch (const std::bad_alloc&) {
        OutOfMemoryException e;
        handler(e);
    } catch (const std::exception& other) {
        RuntimeException e(other.what());
        handler(e);
    } catch (...) {
        RuntimeException e;
        handler(e);
    }
}
