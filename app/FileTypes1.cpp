#include "FileTypes1.h"

#include "FileType.h"

namespace {

Ref<FileType> pAny;
Ref<FileType> pText;

Ref<FileType> Declare(const String& name, const String& extensions, const String& macType,
                      const String& macCreator) {
    Ref<FileType> type = New<FileType>();
    type->Name(name);
    type->Extensions(extensions);
    type->MacType(macType);
    type->MacCreator(macCreator);
    // The conversion registers the type; it comes after the last property set, which would withdraw it.
    type->Operator_Convert();
    return type;
}

} // namespace

namespace FileTypes1 {

void _Initialize() {
    pAny = Declare("special/any", "", "????", "????");
    pText = Declare("text/plain",
                    ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt",
                    "TEXT", "????");
}

Ref<FileType> Text() {
    return pText;
}

void _Release() {
    pAny = nullptr;
    pText = nullptr;
}

} // namespace FileTypes1
