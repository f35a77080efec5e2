#pragma once

#include "Strings.h"

#include <vector>

enum class Scope { Public, PublicHidden, Protected, Private };

struct MemberInfo {
    String Name;
    Scope Access = Scope::Public;
};

struct ClassInfo {
    String Name;
    String Base;
    std::vector<MemberInfo> Members;
};

/// The runtime's table of classes: filled once at start-up, framework classes first, then the
/// application's in their order of registration.
namespace ClassRegistry {
void RegisterFrameworkClasses();
void Register(ClassInfo info);
const std::vector<ClassInfo>& Classes();
/// Null when the class is not registered.
const ClassInfo* Find(const String& name);
void Clear();
} // namespace ClassRegistry
