#pragma once
// ClsTLB: reads the type library of a file (DLL, OCX, EXE or TLB) through the
// platform's COM automation interfaces and keeps the classes a script can use
// (dispatch interfaces and coclasses) with their member lines, and the
// enumerations with their constant lines. One object reads one library at a
// time; a new read replaces everything read before.
//
// Member lines come in two forms. The browser form, for the object browser:
//   Method Add(Item as Variant[, Key as String]) as Long
//   Info: help string                      (second line, only with help)
// The auto-insert form, one INI key=value entry:
//   Add=Add(Item as Variant[, Key as String]) - Method - help string
//
// Classes and enumerations are numbered from 1.
#include <oaidl.h>

#include <set>
#include <string>
#include <vector>

class ClsTLB {
public:
    ClsTLB();

    // Name of the library read last.
    std::wstring Server() const;
    // True for a class in 1..ClassesCount() that is offered: a dispatch
    // interface that a coclass of the same library implements is not.
    bool IsValid(long index) const;
    long ClassesCount() const;
    std::wstring ClassName(long index) const;
    // The class text: a header (name, GUID, library, three flags) and every
    // member line, then every event line, each followed by a blank line.
    // "" for a bad index or a class that is not offered.
    std::wstring GetClassString(long index) const;
    // The class's auto-insert entries (members, then events), each followed
    // by one NUL character.
    std::wstring GetClassStringAI(long index) const;
    long EnumsCount() const;
    // The enumeration's name, with " Constants" added unless it holds that word.
    std::wstring EnumName(long index) const;
    // The constant lines, each followed by CR LF.
    std::wstring GetEnumString(long index) const;

    // Reads the library of sPath. IfAutoI asks for member lines in the
    // auto-insert form and skips enumerations and aliases. 0 on success with
    // sRetCode ""; otherwise a code with its message in sRetCode: 1 out of
    // memory, 2 invalid request, 3 no types, 4 registry, 5 cannot open,
    // 6 no such file, 7 no type library in the file, or the error number.
    long GetTLib(const std::wstring& sPath, std::wstring& sRetCode, bool IfAutoI);

    // The name the texts give a variant type number; "" for numbers without one.
    static std::wstring VarTypeName(long vt);

private:
    struct ClassRecord {
        bool IsControl = false;
        bool Creatable = false;
        bool ReqLicense = false;
        std::wstring Name;
        std::wstring Guid;
        std::vector<std::wstring> Events;
        std::vector<std::wstring> Members;
        // Takes part in the hiding pass: a dispatch interface always, a
        // coclass when the last interface it implements is an event source.
        bool CheckHidden = false;
        bool Hidden = false;
    };
    struct EnumRecord {
        std::wstring Name;
        std::vector<std::wstring> Lines;
    };
    struct AliasRecord {
        std::wstring AliasName;
        std::wstring TargetName;
    };

    // Each reads type i and stores its record; false (nothing stored) when
    // any step fails or the type is not to be listed.
    bool ReadClass(ITypeLib* lib, UINT i, TYPEKIND kind, bool IfAutoI, std::vector<std::wstring>& implemented);
    bool ReadEnum(ITypeLib* lib, UINT i);
    bool ReadAlias(ITypeLib* lib, UINT i, std::vector<AliasRecord>& aliases);

    std::wstring DescribeFunc(ITypeInfo* iface, const FUNCDESC& func, bool isSource, bool IfAutoI);
    std::wstring DescribeConst(ITypeInfo* type, const VARDESC& var) const;
    std::wstring DescribeType(ITypeInfo* type, const TYPEDESC& desc) const;
    static std::wstring GuidToString(const GUID& guid);
    static long TlbErrorText(HRESULT value, const std::wstring& path, std::wstring& message);

    const ClassRecord* Class(long index) const;
    const EnumRecord* Enum(long index) const;

    std::wstring ServerName;
    const std::wstring Separator;
    std::vector<ClassRecord> Classes;
    std::vector<EnumRecord> Enums;
    // Member names already described for the class being read.
    std::set<std::wstring> SeenNames;
};
