#include "ClsTLB.h"

#include "ModFileOps.h"
#include "TypeLibCheck.h"
#include "platform/FaultGuard.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Text.h"

#include <oleauto.h>

#include <utility>

namespace {

const wchar_t kCrLf[] = L"\r\n";

// What a fault in the platform's type-library code counts as: the library
// cannot be opened.
const HRESULT kUnreadableLibrary = static_cast<HRESULT>(0x800288CF);

// A call into the platform's type-library code. The loader trusts the
// offsets inside the file, and a reference can make it load a further
// library, so a damaged library can fault there: the call then fails.
template <class F>
HRESULT Guarded(F&& call)
{
    HRESULT hr = E_FAIL;
    if (!platform::RunGuarded([&] { hr = call(); }))
        return kUnreadableLibrary;
    return hr;
}

// The string's text, the string freed.
std::wstring TakeBstr(BSTR text)
{
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

// One reference to a library or a type, released under the guard: releasing
// a damaged library frees what the loader built from it.
template <class T>
class LibRef {
public:
    LibRef() = default;
    ~LibRef() { Reset(); }
    LibRef(const LibRef&) = delete;
    LibRef& operator=(const LibRef&) = delete;
    LibRef(LibRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    LibRef& operator=(LibRef&& other) noexcept
    {
        std::swap(p_, other.p_);
        return *this;
    }

    // Adds a reference of its own.
    static LibRef Share(T* p)
    {
        LibRef r;
        r.p_ = p;
        if (p)
            p->AddRef();
        return r;
    }
    void Reset()
    {
        if (T* p = std::exchange(p_, nullptr))
            Guarded([&] {
                p->Release();
                return S_OK;
            });
    }
    T** Out()
    {
        Reset();
        return &p_;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// Name and help string of a member (MEMBERID_NIL: of the type itself), each
// cut at its first NUL; false when the library cannot tell.
bool Documentation(ITypeInfo* info, MEMBERID id, std::wstring& name, std::wstring* help = nullptr)
{
    BSTR nameText = nullptr, helpText = nullptr;
    BSTR* helpOut = help ? &helpText : nullptr;
    if (FAILED(Guarded([&] { return info->GetDocumentation(id, &nameText, helpOut, nullptr, nullptr); })))
        return false;
    name = ModFileOps::StripNull(TakeBstr(nameText));
    if (help)
        *help = ModFileOps::StripNull(TakeBstr(helpText));
    return true;
}

// Name of the type a reference of `from` leads to; "" when it cannot be reached.
std::wstring ReferencedName(ITypeInfo* from, HREFTYPE ref)
{
    LibRef<ITypeInfo> target;
    ITypeInfo** out = target.Out();
    std::wstring name;
    if (FAILED(Guarded([&] { return from->GetRefTypeInfo(ref, out); })) || !target ||
        !Documentation(target.Get(), MEMBERID_NIL, name))
        return L"";
    return name;
}

// The attributes of a type, released when the holder goes.
class TypeAttr {
public:
    explicit TypeAttr(ITypeInfo* info) : info_(info)
    {
        if (FAILED(Guarded([&] { return info->GetTypeAttr(&attr_); })))
            attr_ = nullptr;
    }
    ~TypeAttr()
    {
        if (attr_)
            Guarded([&] {
                info_->ReleaseTypeAttr(attr_);
                return S_OK;
            });
    }
    TypeAttr(const TypeAttr&) = delete;
    TypeAttr& operator=(const TypeAttr&) = delete;
    const TYPEATTR* operator->() const { return attr_; }
    explicit operator bool() const { return attr_ != nullptr; }

private:
    ITypeInfo* info_;
    TYPEATTR* attr_ = nullptr;
};

const wchar_t* BoolText(bool value)
{
    return value ? L"True" : L"False";
}

std::wstring SystemMessage(HRESULT value)
{
    std::wstring out = platform::SystemErrorText(static_cast<DWORD>(value));
    return out.empty() ? L"Automation error " + std::to_wstring(static_cast<long>(value)) : out;
}

} // namespace

ClsTLB::ClsTLB() : Separator(L"\r\n\r\n") {}

std::wstring ClsTLB::Server() const
{
    return ServerName;
}

const ClsTLB::ClassRecord* ClsTLB::Class(long index) const
{
    return index >= 1 && index <= ClassesCount() ? &Classes[index - 1] : nullptr;
}

const ClsTLB::EnumRecord* ClsTLB::Enum(long index) const
{
    return index >= 1 && index <= EnumsCount() ? &Enums[index - 1] : nullptr;
}

bool ClsTLB::IsValid(long index) const
{
    const ClassRecord* c = Class(index);
    return c && !c->Hidden;
}

long ClsTLB::ClassesCount() const
{
    return static_cast<long>(Classes.size());
}

std::wstring ClsTLB::ClassName(long index) const
{
    const ClassRecord* c = Class(index);
    return c ? c->Name : L"";
}

std::wstring ClsTLB::GetClassString(long index) const
{
    if (!IsValid(index))
        return L"";
    const ClassRecord& c = Classes[index - 1];
    // Grown as needed: a class may have hundreds of members with long help.
    std::wstring text = c.Name + kCrLf + L"GUID: " + c.Guid + kCrLf + L"Member of: " + ServerName + kCrLf +
                        L"Is Control: " + BoolText(c.IsControl) + kCrLf + L"Creatable: " + BoolText(c.Creatable) +
                        kCrLf + L"Req. License: " + BoolText(c.ReqLicense) + Separator;
    for (const auto* lines : {&c.Members, &c.Events})
        for (const std::wstring& line : *lines)
            text += line + Separator;
    return text;
}

std::wstring ClsTLB::GetClassStringAI(long index) const
{
    if (!IsValid(index))
        return L"";
    const ClassRecord& c = Classes[index - 1];
    std::wstring text;
    for (const auto* lines : {&c.Members, &c.Events})
        for (const std::wstring& line : *lines) {
            text += line;
            text += L'\0';
        }
    return text;
}

long ClsTLB::EnumsCount() const
{
    return static_cast<long>(Enums.size());
}

std::wstring ClsTLB::EnumName(long index) const
{
    const EnumRecord* e = Enum(index);
    if (!e)
        return L"";
    return e->Name.find(L"Constants") == std::wstring::npos ? e->Name + L" Constants" : e->Name;
}

std::wstring ClsTLB::GetEnumString(long index) const
{
    const EnumRecord* e = Enum(index);
    std::wstring text;
    if (e)
        for (const std::wstring& line : e->Lines)
            text += line + kCrLf;
    return text;
}

long ClsTLB::GetTLib(const std::wstring& sPath, std::wstring& sRetCode, bool IfAutoI)
{
    Classes.clear();
    Enums.clear();
    // A library whose tables do not fit inside it never reaches the loader.
    if (TypeLibCheck::Check(sPath) == TypeLibCheck::Verdict::Damaged)
        return TlbErrorText(kUnreadableLibrary, sPath, sRetCode);
    LibRef<ITypeLib> lib;
    ITypeLib** out = lib.Out();
    const wchar_t* path = sPath.c_str();
    HRESULT hr = Guarded([&] { return LoadTypeLibEx(path, REGKIND_NONE, out); });
    if (hr != S_OK || !lib)
        return TlbErrorText(hr == S_OK ? E_FAIL : hr, sPath, sRetCode);
    BSTR name = nullptr;
    hr = Guarded([&] { return lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr); });
    if (FAILED(hr)) {
        sRetCode = L"Error: " + SystemMessage(hr);
        return hr;
    }
    ServerName = ModFileOps::StripNull(TakeBstr(name));
    UINT count = 0;
    Guarded([&] {
        count = lib->GetTypeInfoCount();
        return S_OK;
    });
    if (count == 0)
        return TlbErrorText(3, sPath, sRetCode);

    // A type that cannot be read completely leaves no record; the walk goes on.
    std::vector<std::wstring> implemented;
    std::vector<AliasRecord> aliases;
    for (UINT i = 0; i < count; ++i) {
        TYPEKIND kind;
        if (FAILED(Guarded([&] { return lib->GetTypeInfoType(i, &kind); })))
            continue;
        if (kind == TKIND_ENUM && !IfAutoI)
            ReadEnum(lib.Get(), i);
        else if (kind == TKIND_DISPATCH || kind == TKIND_COCLASS)
            ReadClass(lib.Get(), i, kind, IfAutoI, implemented);
        else if (kind == TKIND_ALIAS && !IfAutoI)
            ReadAlias(lib.Get(), i, aliases);
    }

    // An enumeration declared under a tag name shows the name its alias gives it.
    for (const AliasRecord& alias : aliases)
        for (EnumRecord& e : Enums)
            if (e.Name == alias.TargetName) {
                e.Name = alias.AliasName;
                break;
            }
    // A dispatch interface that a coclass implements is shown under the coclass.
    if (!implemented.empty())
        for (ClassRecord& c : Classes)
            if (c.CheckHidden) {
                c.Hidden = false;
                for (const std::wstring& name : implemented)
                    if (c.Name == name)
                        c.Hidden = true;
            }
    sRetCode.clear();
    return 0;
}

bool ClsTLB::ReadClass(ITypeLib* lib, UINT i, TYPEKIND kind, bool IfAutoI, std::vector<std::wstring>& implemented)
{
    LibRef<ITypeInfo> info;
    ITypeInfo** out = info.Out();
    if (FAILED(Guarded([&] { return lib->GetTypeInfo(i, out); })) || !info)
        return false;
    WORD flags;
    WORD interfaces;
    GUID guid;
    {
        TypeAttr attr(info.Get());
        if (!attr)
            return false;
        flags = attr->wTypeFlags;
        interfaces = attr->cImplTypes;
        guid = attr->guid;
    }
    if (flags & (TYPEFLAG_FHIDDEN | TYPEFLAG_FRESTRICTED))
        return false;

    // Every record starts from its own defaults, also one that implements
    // no interface at all.
    ClassRecord record;
    record.CheckHidden = kind == TKIND_DISPATCH;
    if (!Documentation(info.Get(), MEMBERID_NIL, record.Name))
        return false;
    record.Guid = GuidToString(guid);
    record.IsControl = flags & TYPEFLAG_FCONTROL;
    record.Creatable = flags & TYPEFLAG_FCANCREATE;
    record.ReqLicense = flags & TYPEFLAG_FLICENSED;
    SeenNames.clear();

    // A dispatch interface is read in place of each interface it names, and
    // a second reading adds no line: read it once.
    if (kind == TKIND_DISPATCH && interfaces > 1)
        interfaces = 1;
    std::vector<std::wstring> implementedHere;
    for (UINT k = 0; k < interfaces; ++k) {
        INT implFlags = 0;
        if (FAILED(Guarded([&] { return info->GetImplTypeFlags(k, &implFlags); })))
            return false;
        bool isSource = implFlags & IMPLTYPEFLAG_FSOURCE;
        LibRef<ITypeInfo> iface;
        if (kind == TKIND_COCLASS) {
            HREFTYPE ref;
            BSTR name = nullptr;
            ITypeInfo** out = iface.Out();
            if (FAILED(Guarded([&] { return info->GetRefTypeOfImplType(k, &ref); })) ||
                FAILED(Guarded([&] { return info->GetRefTypeInfo(ref, out); })) || !iface ||
                FAILED(Guarded([&] { return iface->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr); })))
                return false;
            implementedHere.push_back(TakeBstr(name));
            record.CheckHidden = isSource;
        } else {
            record.CheckHidden = true;
            iface = LibRef<ITypeInfo>::Share(info.Get());
        }
        WORD functions;
        {
            TypeAttr attr(iface.Get());
            if (!attr)
                return false;
            functions = attr->cFuncs;
        }
        for (UINT m = 0; m < functions; ++m) {
            FUNCDESC* func = nullptr;
            // A member whose description cannot be read is left out; the
            // type keeps the others.
            if (FAILED(Guarded([&] { return iface->GetFuncDesc(m, &func); })) || !func)
                continue;
            std::wstring line = DescribeFunc(iface.Get(), *func, isSource, IfAutoI);
            Guarded([&] {
                iface->ReleaseFuncDesc(func);
                return S_OK;
            });
            if (!line.empty())
                (isSource ? record.Events : record.Members).push_back(line);
        }
    }
    implemented.insert(implemented.end(), implementedHere.begin(), implementedHere.end());
    Classes.push_back(std::move(record));
    return true;
}

bool ClsTLB::ReadEnum(ITypeLib* lib, UINT i)
{
    LibRef<ITypeInfo> info;
    ITypeInfo** out = info.Out();
    if (FAILED(Guarded([&] { return lib->GetTypeInfo(i, out); })) || !info)
        return false;
    WORD constants;
    {
        TypeAttr attr(info.Get());
        if (!attr)
            return false;
        constants = attr->cVars;
    }
    EnumRecord record;
    if (constants == 0 || !Documentation(info.Get(), MEMBERID_NIL, record.Name))
        return false;
    for (UINT j = 0; j < constants; ++j) {
        VARDESC* var = nullptr;
        if (FAILED(Guarded([&] { return info->GetVarDesc(j, &var); })) || !var)
            return false;
        std::wstring line = DescribeConst(info.Get(), *var);
        Guarded([&] {
            info->ReleaseVarDesc(var);
            return S_OK;
        });
        if (!line.empty())
            record.Lines.push_back(line);
    }
    Enums.push_back(std::move(record));
    return true;
}

bool ClsTLB::ReadAlias(ITypeLib* lib, UINT i, std::vector<AliasRecord>& aliases)
{
    LibRef<ITypeInfo> info;
    ITypeInfo** out = info.Out();
    AliasRecord alias;
    if (FAILED(Guarded([&] { return lib->GetTypeInfo(i, out); })) || !info ||
        !Documentation(info.Get(), MEMBERID_NIL, alias.AliasName))
        return false;
    TypeAttr attr(info.Get());
    if (!attr)
        return false;
    if (attr->tdescAlias.vt == VT_USERDEFINED)
        alias.TargetName = ReferencedName(info.Get(), attr->tdescAlias.hreftype);
    if (alias.AliasName.empty() || alias.TargetName.empty())
        return false;
    aliases.push_back(alias);
    return true;
}

std::wstring ClsTLB::DescribeFunc(ITypeInfo* iface, const FUNCDESC& func, bool isSource, bool IfAutoI)
{
    if (func.wFuncFlags & (FUNCFLAG_FHIDDEN | FUNCFLAG_FRESTRICTED))
        return L"";
    std::wstring name, help;
    if (!Documentation(iface, func.memid, name, &help))
        return L"";
    // A name met again (in another interface, or the other accessor of a
    // property) is listed once.
    if (!SeenNames.insert(name).second || (!name.empty() && name[0] == L'_'))
        return L"";

    const wchar_t* kind = func.invkind != INVOKE_FUNC ? L"Property" : isSource ? L"Event" : L"Method";
    short paramCount = func.cParams > 0 ? func.cParams : 0;
    bool putWithValueOnly = func.invkind == INVOKE_PROPERTYPUT && paramCount == 1;
    std::wstring params;
    if (paramCount > 0 && !putWithValueOnly) {
        std::vector<BSTR> names(paramCount + 1, nullptr);
        BSTR* namesOut = names.data();
        UINT got = 0;
        if (FAILED(Guarded([&] { return iface->GetNames(func.memid, namesOut, paramCount + 1, &got); })))
            return L"";
        params = L"(";
        for (UINT p = 0; p + 1 < got && p < static_cast<UINT>(paramCount); ++p) {
            const ELEMDESC* elem = func.lprgelemdescParam ? &func.lprgelemdescParam[p] : nullptr;
            bool optional = elem && (elem->paramdesc.wParamFlags & PARAMFLAG_FOPT);
            if (optional)
                params += L"[";
            if (p > 0)
                params += L", ";
            params += ModFileOps::StripNull(std::wstring(names[p + 1], SysStringLen(names[p + 1])));
            if (elem)
                params += DescribeType(iface, elem->tdesc);
            if (optional)
                params += L"]";
        }
        params += L")";
        for (BSTR n : names)
            SysFreeString(n);
    }

    if (IfAutoI) {
        std::wstring entry = name + L"=" + name;
        if (paramCount > 0 && !putWithValueOnly)
            entry += params;
        return entry + L" - " + kind + L" - " + platform::OneLine(help);
    }
    std::wstring line = std::wstring(kind) + L" " + name;
    if (paramCount == 0)
        line += func.invkind == INVOKE_FUNC ? L"()" : L"";
    else if (!putWithValueOnly)
        line += params;
    line += DescribeType(iface, func.elemdescFunc.tdesc);
    if (!help.empty())
        line += L"\r\nInfo: " + help;
    return line;
}

std::wstring ClsTLB::DescribeConst(ITypeInfo* type, const VARDESC& var) const
{
    std::wstring name;
    if (var.varkind != VAR_CONST || !var.lpvarValue || !Documentation(type, var.memid, name))
        return L"";
    const VARIANT& value = *var.lpvarValue;
    if (V_VT(&value) == VT_BSTR)
        return name + L" = \"" + std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))) + L"\"";
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeTypeEx(&text, const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT, VARIANT_ALPHABOOL,
                                   VT_BSTR)))
        return L"";
    std::wstring line = name + L" = " + std::wstring(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
    VariantClear(&text);
    return line;
}

std::wstring ClsTLB::DescribeType(ITypeInfo* type, const TYPEDESC& desc) const
{
    std::wstring name;
    const wchar_t* prefix = L" as ";
    switch (desc.vt) {
    case VT_PTR:
        if (!desc.lptdesc)
            return L"";
        name = desc.lptdesc->vt == VT_USERDEFINED ? ReferencedName(type, desc.lptdesc->hreftype)
                                                  : VarTypeName(desc.lptdesc->vt);
        break;
    case VT_SAFEARRAY:
        if (!desc.lptdesc)
            return L"";
        name = VarTypeName(desc.lptdesc->vt);
        prefix = L"() as ";
        break;
    case VT_USERDEFINED:
        name = ReferencedName(type, desc.hreftype);
        break;
    default:
        name = VarTypeName(desc.vt);
    }
    if (name.empty())
        return L"";
    if (name[0] == L'_')
        name.erase(0, 1);
    return prefix + name;
}

std::wstring ClsTLB::VarTypeName(long vt)
{
    switch (vt) {
    case 1: return L"Null";
    case 2: case 18: return L"Integer";
    case 3: case 19: case 22: case 23: case 25: case 26: return L"Long";
    case 4: return L"Single";
    case 5: return L"Double";
    case 6: case 21: return L"Currency";
    case 7: return L"Date";
    case 8: case 30: case 31: return L"String";
    case 9: return L"Object";
    case 10: return L"Error";
    case 11: return L"Boolean";
    case 12: return L"Variant";
    case 13: return L"(Unknown)";
    case 14: return L"Decimal";
    case 16: case 17: case 20: return L"Byte";
    case 27: return L"Variant Array";
    case 28: return L"Array";
    case 29: return L"User Defined";
    case 64: return L"FILETIME";
    case 65: return L"Blob";
    case 66: return L"Stream";
    case 67: return L"Storage";
    case 68: return L"Streamed Object";
    case 69: return L"Stored Object";
    case 70: return L"Blob Object";
    case 71: return L"CF";
    case 72: return L"CLSID";
    case 4096: return L"Vector";
    default: return L"";
    }
}

std::wstring ClsTLB::GuidToString(const GUID& guid)
{
    wchar_t text[39];
    int n = StringFromGUID2(guid, text, 39);
    return n > 0 ? std::wstring(text, n - 1) : L"";
}

long ClsTLB::TlbErrorText(HRESULT value, const std::wstring& path, std::wstring& message)
{
    switch (static_cast<uint32_t>(value)) {
    case 0x8007000E:
        message = L"Error. Out of memory.";
        return 1;
    case 0x80070057:
        message = L"Error. Invalid request.";
        return 2;
    case 3:
        message = L"No typelib data.";
        return 3;
    case 0x8002801C:
        message = L"Error. Unable to access Registry.";
        return 4;
    case 0x800288CF:
        message = L"Error. Unable to open type library.";
        return 5;
    case 0x80029C4A:
        if (platform::FileExists(path)) {
            message = L"No typelib for file.";
            return 7;
        }
        message = path + L" is an invalid file path.";
        return 6;
    default:
        message = L"Unknown error. System error number is: " + std::to_wstring(static_cast<long>(value));
        return static_cast<long>(value);
    }
}
