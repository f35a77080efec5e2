#include "FuzzChecks.h"

#include "FolderItem.h"
#include "HTTPSocket.h"
#include "TextInputStream.h"
#include "mainwindow/DictionaryFile.h"
#include "mainwindow/WindowPrefs.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <sys/mman.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

// Enough of an input to recognise it in a failure message; the whole input is in the crash file.
String Printable(const String& bytes) {
    constexpr size_t kShown = 60;
    String shown = "\"";
    for (size_t i = 0; i < bytes.size() && i < kShown; ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
            shown += static_cast<char>(byte);
            continue;
        }
        constexpr char kHex[] = "0123456789ABCDEF";
        shown += "\\x";
        shown += kHex[byte >> 4];
        shown += kHex[byte & 0xF];
    }
    return shown + (bytes.size() > kShown ? "\"..." : "\"");
}

// The checks below read the input with loops of their own rather than with the framework's Split,
// so that a fault there cannot hide itself.
std::vector<String> Pieces(const String& text, char delimiter) {
    std::vector<String> pieces(1);
    for (char c : text) {
        if (c == delimiter)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

// The words of a file that ends with its delimiter, in byte order, so that two files with the same
// words in another order compare equal.
std::vector<String> SortedWords(const String& text, char delimiter) {
    std::vector<String> words = Pieces(text, delimiter);
    words.pop_back();
    std::sort(words.begin(), words.end());
    return words;
}

bool AlphabeticallyBefore(const String& a, const String& b) {
    auto fold = [](char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return fold(x) < fold(y); });
}

String CheckSavedAsRead(const String& bytes, char delimiter) {
    DictionaryFile file = DictionaryFile::Parse(String(bytes));
    if (file.Delimiter != String(1, delimiter))
        return "the delimiter read is " + Printable(file.Delimiter) + " instead of " +
               Printable(String(1, delimiter));
    const std::vector<String>& words = file.Words.Items();
    if (!std::is_sorted(words.begin(), words.end(), AlphabeticallyBefore))
        return "the words are not in alphabetical order";
    String saved = DictionaryFile::Bytes(file.Words, file.Delimiter);
    if (SortedWords(saved, delimiter) != SortedWords(bytes, delimiter))
        return "saving what was read gives other words: " + Printable(saved);
    return String();
}

// A file in memory: the checks run thousands of times a second, and the disk would be the bottleneck.
class MemoryFile {
public:
    MemoryFile() : m_Descriptor(memfd_create("app.wordloom.wordloom", MFD_CLOEXEC)) {
        if (m_Descriptor < 0)
            throw std::system_error(errno, std::generic_category(), "memfd_create");
        m_Path = "/proc/self/fd/" + std::to_string(m_Descriptor);
    }
    ~MemoryFile() { close(m_Descriptor); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    void Write(const String& bytes) const {
        if (ftruncate(m_Descriptor, 0) != 0 ||
            pwrite(m_Descriptor, bytes.data(), bytes.size(), 0) != std::ssize(bytes))
            throw std::system_error(errno, std::generic_category(), "write");
    }
    const std::filesystem::path& Path() const { return m_Path; }

private:
    int m_Descriptor;
    std::filesystem::path m_Path;
};

// As the main window reads its geometry: the first four lines, each a number.
std::array<int32_t, 4> ReadPrefs(const std::filesystem::path& path) {
    Ref<TextInputStream> input = New<FolderItem>(path)->OpenAsTextFile();
    std::array<int32_t, 4> values{};
    for (int32_t& value : values)
        value = WindowPrefs::Value(input->ReadLine());
    return values;
}

// Lines end at LF, CR LF or CR; the lines past the end of the text are empty.
std::array<String, 4> FirstFourLines(const String& text) {
    std::array<String, 4> lines;
    size_t at = 0;
    for (String& line : lines) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == String::npos) {
            line = text.substr(std::min(at, text.size()));
            at = text.size() + 1;
            continue;
        }
        line = text.substr(at, end - at);
        at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

const std::array<String, 3> kFormKeys = {"app", "version", "stack"};

// The first two bytes give the lengths of the first two values, the rest of the bytes is the third.
std::array<String, 3> FormValues(const String& bytes) {
    std::array<String, 3> values;
    size_t at = std::min<size_t>(bytes.size(), 2);
    for (size_t i = 0; i < 2; ++i) {
        size_t length = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
        values[i] = bytes.substr(at, length);
        at = std::min(bytes.size(), at + length);
    }
    values[2] = bytes.substr(at);
    return values;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// As a web server reads a form field: "+" is a blank, "%XX" the byte of that number.
bool DecodeFormText(const String& text, String& decoded) {
    decoded.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            decoded += ' ';
            continue;
        }
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0)
            return false;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

} // namespace

namespace FuzzChecks {

String CheckDictionaryFile(const String& bytes) {
    const char delimiter = bytes.find('\0') != String::npos ? '\0' : '\n';
    if (bytes.empty()) {
        DictionaryFile file = DictionaryFile::Parse(String());
        return file.Words.Ubound() == -1 ? String() : "an empty file gives words";
    }
    if (bytes.back() == delimiter)
        return CheckSavedAsRead(bytes, delimiter);
    DictionaryFile file = DictionaryFile::Parse(String(bytes));
    DictionaryFile completed = DictionaryFile::Parse(bytes + delimiter);
    if (!(file.Words == completed.Words))
        return "a last word without its delimiter is not read as it is with one";
    return CheckSavedAsRead(bytes + delimiter, delimiter);
}

String CheckWindowPrefs(const String& bytes) {
    MemoryFile file;
    file.Write(bytes);
    std::array<int32_t, 4> values = ReadPrefs(file.Path());
    std::array<String, 4> lines = FirstFourLines(bytes);
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i] != WindowPrefs::Value(lines[i]))
            return "value " + Str(int64_t(i) + 1) + " is " + Str(values[i]) + ", not that of the line " +
                   Printable(lines[i]);
    }
    String written;
    for (int32_t value : values)
        written += WindowPrefs::Line(value) + "\n";
    file.Write(written);
    if (ReadPrefs(file.Path()) != values)
        return "the values do not read back as written: " + Printable(written);
    return String();
}

String CheckFormData(const String& bytes) {
    std::array<String, 3> values = FormValues(bytes);
    Dictionary form;
    for (size_t i = 0; i < kFormKeys.size(); ++i)
        form.Value(kFormKeys[i], values[i]);
    String body = HTTPSocket::EncodeFormData(form);
    if (body.find(' ') != String::npos)
        return "the body holds a blank: " + Printable(body);
    std::vector<String> pairs = Pieces(body, '&');
    if (pairs.size() != kFormKeys.size())
        return "the body holds " + Str(std::ssize(pairs)) + " fields: " + Printable(body);
    for (size_t i = 0; i < pairs.size(); ++i) {
        std::vector<String> parts = Pieces(pairs[i], '=');
        String key, value;
        if (parts.size() != 2 || !DecodeFormText(parts[0], key) || !DecodeFormText(parts[1], value))
            return "field " + Str(int64_t(i) + 1) + " cannot be decoded: " + Printable(pairs[i]);
        if (key != kFormKeys[i] || value != values[i])
            return "field " + Str(int64_t(i) + 1) + " decodes to " + Printable(key) + "=" + Printable(value) +
                   " instead of the value " + Printable(values[i]);
    }
    return String();
}

} // namespace FuzzChecks
