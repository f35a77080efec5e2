#pragma once

#include "Ref.h"

#include <vector>

/// A document type. Converting it to a String registers it under its current values; setting any
/// property withdraws the registration, and so does its destruction.
class FileType {
  public:
    FileType() = default;
    ~FileType();
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;

    const String& Name() const { return m_Name; }
    /// Extensions with their leading dot, separated by ";".
    const String& Extensions() const { return m_Extensions; }
    const String& MacType() const { return m_MacType; }
    const String& MacCreator() const { return m_MacCreator; }
    void Name(const String& v);
    void Extensions(const String& v);
    void MacType(const String& v);
    void MacCreator(const String& v);

    /// Registers the type when it is not registered, and gives its Name.
    String Operator_Convert();
    bool IsRegistered() const { return m_Registered; }

  private:
    void Withdraw();

    String m_Name, m_Extensions, m_MacType, m_MacCreator;
    bool m_Registered = false;
};

struct RegisteredFileType {
    String Name, Extensions, MacType, MacCreator;
};

/// The types registered now, in the order of registration.
namespace FileTypeRegistry {
std::vector<RegisteredFileType> Types();
/// The file-name patterns of a filter of type names ("*.txt *.text"); empty when none is known.
std::vector<String> Patterns(const String& filter);
} // namespace FileTypeRegistry
