#include "FileType.h"

#include "StringArray.h"

#include <algorithm>

namespace {

struct Registration {
    const FileType* type;
    RegisteredFileType values;
};

std::vector<Registration>& Registry() {
    static std::vector<Registration> registry;
    return registry;
}

} // namespace

FileType::~FileType() {
    Withdraw();
}

void FileType::Name(const String& v) {
    Withdraw();
    m_Name = v;
}

void FileType::Extensions(const String& v) {
    Withdraw();
    m_Extensions = v;
}

void FileType::MacType(const String& v) {
    Withdraw();
    m_MacType = v;
}

void FileType::MacCreator(const String& v) {
    Withdraw();
    m_MacCreator = v;
}

String FileType::Operator_Convert() {
    if (!m_Registered) {
        Registry().push_back({this, {m_Name, m_Extensions, m_MacType, m_MacCreator}});
        m_Registered = true;
    }
    return m_Name;
}

void FileType::Withdraw() {
    if (!m_Registered)
        return;
    std::erase_if(Registry(), [this](const Registration& r) { return r.type == this; });
    m_Registered = false;
}

namespace FileTypeRegistry {

std::vector<RegisteredFileType> Types() {
    std::vector<RegisteredFileType> types;
    for (const Registration& r : Registry())
        types.push_back(r.values);
    return types;
}

std::vector<String> Patterns(const String& filter) {
    std::vector<String> patterns;
    StringArray names = Split(filter, ";");
    for (const String& name : names.Items()) {
        for (const Registration& r : Registry()) {
            if (r.values.Name != name || r.values.Extensions.empty())
                continue;
            StringArray extensions = Split(r.values.Extensions, ";");
            for (const String& extension : extensions.Items())
                patterns.push_back("*" + extension);
        }
    }
    return patterns;
}

} // namespace FileTypeRegistry
