#include "TlbBuilder.h"

#include "platform/ComRef.h"

#include <windows.h>
#include <oleauto.h>

#include <vector>

using platform::ComRef;

namespace tlbtest {
namespace {

struct Fail {
    std::string what;
};

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr))
        throw Fail{std::string(what) + " failed: " + std::to_string(static_cast<unsigned long>(hr))};
}

GUID MakeGuid(unsigned n)
{
    GUID g = {0x7A3E0000u + n, 0x51C2, 0x4B8D, {0x9A, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}};
    return g;
}

struct Param {
    const wchar_t* name;
    TYPEDESC type;
    bool optional = false;
};

class Builder {
public:
    explicit Builder(const std::wstring& path)
    {
        Check(CreateTypeLib2(SYS_WIN64, path.c_str(), lib_.Out()), "CreateTypeLib2");
    }

    ComRef<ICreateTypeInfo> Type(const wchar_t* name, TYPEKIND kind, unsigned guid, UINT flags = 0)
    {
        ComRef<ICreateTypeInfo> info;
        Check(lib_->CreateTypeInfo(const_cast<LPOLESTR>(name), kind, info.Out()), "CreateTypeInfo");
        Check(info->SetGuid(MakeGuid(guid)), "SetGuid");
        if (flags)
            Check(info->SetTypeFlags(flags), "SetTypeFlags");
        types_.push_back(info);
        return info;
    }

    // A dispinterface deriving from IDispatch.
    ComRef<ICreateTypeInfo> Dispatch(const wchar_t* name, unsigned guid, UINT flags = 0)
    {
        ComRef<ICreateTypeInfo> info = Type(name, TKIND_DISPATCH, guid, flags);
        Implement(info.Get(), Dispatch(), 0);
        return info;
    }

    static ComRef<ITypeInfo> AsTypeInfo(ICreateTypeInfo* info)
    {
        ComRef<ITypeInfo> typeInfo;
        Check(info->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(typeInfo.Out())), "QueryInterface");
        return typeInfo;
    }

    static HREFTYPE Ref(ICreateTypeInfo* from, ITypeInfo* to)
    {
        HREFTYPE ref;
        Check(from->AddRefTypeInfo(to, &ref), "AddRefTypeInfo");
        return ref;
    }

    static void Implement(ICreateTypeInfo* cls, ITypeInfo* iface, UINT index, INT flags = 0)
    {
        Check(cls->AddImplType(index, Ref(cls, iface)), "AddImplType");
        if (flags)
            Check(cls->SetImplTypeFlags(index, flags), "SetImplTypeFlags");
    }

    // id: the member id, shared by the accessors of one property.
    static void Func(ICreateTypeInfo* info, UINT index, MEMBERID id, const wchar_t* name, INVOKEKIND kind,
                     VARTYPE result,
                     std::vector<Param> params = {}, const wchar_t* help = nullptr, WORD funcFlags = 0,
                     const TYPEDESC* resultType = nullptr)
    {
        std::vector<ELEMDESC> elems(params.size());
        std::vector<LPOLESTR> names{const_cast<LPOLESTR>(name)};
        SHORT optional = 0;
        for (size_t i = 0; i < params.size(); ++i) {
            elems[i].tdesc = params[i].type;
            elems[i].paramdesc.wParamFlags = PARAMFLAG_FIN | (params[i].optional ? PARAMFLAG_FOPT : 0);
            optional += params[i].optional;
            // The value of a property put has no name of its own.
            if (kind != INVOKE_PROPERTYPUT || i + 1 < params.size())
                names.push_back(const_cast<LPOLESTR>(params[i].name));
        }
        FUNCDESC desc{};
        desc.memid = id;
        desc.funckind = FUNC_DISPATCH;
        desc.invkind = kind;
        desc.callconv = CC_STDCALL;
        desc.cParams = static_cast<SHORT>(params.size());
        desc.cParamsOpt = 0;
        desc.lprgelemdescParam = elems.empty() ? nullptr : elems.data();
        desc.elemdescFunc.tdesc.vt = result;
        if (resultType)
            desc.elemdescFunc.tdesc = *resultType;
        desc.wFuncFlags = funcFlags;
        Check(info->AddFuncDesc(index, &desc), "AddFuncDesc");
        Check(info->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size())),
              "SetFuncAndParamNames");
        if (help)
            Check(info->SetFuncDocString(index, const_cast<LPOLESTR>(help)), "SetFuncDocString");
    }

    static void Const(ICreateTypeInfo* info, UINT index, const wchar_t* name, VARIANT value)
    {
        VARDESC desc{};
        desc.memid = 0x200 + index;
        desc.lpvarValue = &value;
        desc.elemdescVar.tdesc.vt = V_VT(&value);
        desc.varkind = VAR_CONST;
        Check(info->AddVarDesc(index, &desc), "AddVarDesc");
        Check(info->SetVarName(index, const_cast<LPOLESTR>(name)), "SetVarName");
    }

    void Save()
    {
        Check(lib_->SetName(const_cast<LPOLESTR>(L"TarnelTest")), "SetName");
        Check(lib_->SetGuid(MakeGuid(0xFFF)), "SetGuid");
        Check(lib_->SetVersion(1, 0), "SetVersion");
        for (auto& t : types_)
            Check(t->LayOut(), "LayOut");
        Check(lib_->SaveAllChanges(), "SaveAllChanges");
    }

    ITypeInfo* Dispatch()
    {
        if (!dispatch_)
            Check(Standard()->GetTypeInfoOfGuid(IID_IDispatch, dispatch_.Out()), "IDispatch");
        return dispatch_.Get();
    }

    ITypeLib* Standard()
    {
        if (!stdole_)
            Check(LoadTypeLib(L"stdole2.tlb", stdole_.Out()), "LoadTypeLib stdole2");
        return stdole_.Get();
    }

private:
    ComRef<ICreateTypeLib2> lib_;
    ComRef<ITypeLib> stdole_;
    ComRef<ITypeInfo> dispatch_;
    std::vector<ComRef<ICreateTypeInfo>> types_;
};

TYPEDESC Simple(VARTYPE vt)
{
    TYPEDESC t{};
    t.vt = vt;
    return t;
}

VARIANT Long(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

} // namespace

std::string BuildTestLibrary(const std::wstring& path)
{
    try {
        Builder b(path);
        auto brush = b.Dispatch(L"_Brush", 1, TYPEFLAG_FHIDDEN);
        Builder::Func(brush.Get(), 0, 1, L"Paint", INVOKE_FUNC, VT_VOID);
        auto brushInfo = Builder::AsTypeInfo(brush.Get());

        auto widget = b.Dispatch(L"IWidget", 2);
        TYPEDESC brushType = Simple(VT_USERDEFINED);
        brushType.hreftype = Builder::Ref(widget.Get(), brushInfo.Get());
        TYPEDESC brushPtr = Simple(VT_PTR);
        brushPtr.lptdesc = &brushType;
        TYPEDESC bstr = Simple(VT_BSTR);
        TYPEDESC names = Simple(VT_SAFEARRAY);
        names.lptdesc = &bstr;
        UINT n = 0;
        Builder::Func(widget.Get(), n++, 1, L"Refresh", INVOKE_FUNC, VT_VOID);
        Builder::Func(widget.Get(), n++, 2, L"Add", INVOKE_FUNC, VT_I4,
                      {{L"Item", Simple(VT_VARIANT)}, {L"Key", Simple(VT_BSTR), true}}, L"Adds an item");
        Builder::Func(widget.Get(), n++, 3, L"Move", INVOKE_FUNC, VT_VOID, {{L"a", Simple(VT_I4), true}});
        Builder::Func(widget.Get(), n++, 4, L"Caption", INVOKE_PROPERTYGET, VT_BSTR, {}, L"The caption");
        Builder::Func(widget.Get(), n++, 4, L"Caption", INVOKE_PROPERTYPUT, VT_VOID, {{L"value", Simple(VT_BSTR)}});
        Builder::Func(widget.Get(), n++, 5, L"Width", INVOKE_PROPERTYPUT, VT_VOID, {{L"value", Simple(VT_I4)}});
        Builder::Func(widget.Get(), n++, 5, L"Width", INVOKE_PROPERTYGET, VT_I4);
        Builder::Func(widget.Get(), n++, 6, L"Fill", INVOKE_FUNC, VT_BOOL,
                      {{L"brush", brushPtr}, {L"names", names}});
        Builder::Func(widget.Get(), n++, 7, L"Cell", INVOKE_PROPERTYGET, VT_DATE,
                      {{L"row", Simple(VT_I2)}, {L"column", Simple(VT_I2), true}});
        Builder::Func(widget.Get(), n++, 8, L"Secret", INVOKE_FUNC, VT_VOID, {}, nullptr, FUNCFLAG_FHIDDEN);
        Builder::Func(widget.Get(), n++, 9, L"Internal", INVOKE_FUNC, VT_VOID, {}, nullptr, FUNCFLAG_FRESTRICTED);
        Builder::Func(widget.Get(), n++, 10, L"_Private", INVOKE_FUNC, VT_VOID);
        Builder::Func(widget.Get(), n++, 11, L"Notes", INVOKE_FUNC, VT_VOID, {}, L"Line one\r\nLine two");
        Builder::Func(widget.Get(), n++, 12, L"Brush", INVOKE_PROPERTYGET, VT_USERDEFINED, {}, nullptr, 0, &brushType);

        auto events = b.Dispatch(L"IWidgetEvents", 3);
        Builder::Func(events.Get(), 0, 2, L"Changed", INVOKE_FUNC, VT_VOID, {{L"what", Simple(VT_BSTR)}},
                      L"Raised on change");
        Builder::Func(events.Get(), 1, 1, L"Refresh", INVOKE_FUNC, VT_VOID);

        auto coclass = b.Type(L"Widget", TKIND_COCLASS, 4, TYPEFLAG_FCANCREATE | TYPEFLAG_FLICENSED);
        Builder::Implement(coclass.Get(), Builder::AsTypeInfo(widget.Get()).Get(), 0, IMPLTYPEFLAG_FDEFAULT);
        Builder::Implement(coclass.Get(), Builder::AsTypeInfo(events.Get()).Get(), 1,
                           IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);

        auto standalone = b.Dispatch(L"IStandalone", 5);
        Builder::Func(standalone.Get(), 0, 1, L"Ping", INVOKE_FUNC, VT_VOID);

        auto hidden = b.Type(L"HiddenThing", TKIND_COCLASS, 6, TYPEFLAG_FHIDDEN | TYPEFLAG_FCANCREATE);
        Builder::Implement(hidden.Get(), Builder::AsTypeInfo(standalone.Get()).Get(), 0, IMPLTYPEFLAG_FDEFAULT);

        ComRef<ITypeInfo> fontEvents;
        GUID fontEventsId = {0x4EF6100A, 0xAF88, 0x11D0, {0x98, 0x46, 0x00, 0xC0, 0x4F, 0xC2, 0x99, 0x93}};
        Check(b.Standard()->GetTypeInfoOfGuid(fontEventsId, fontEvents.Out()), "FontEvents");
        auto gadget = b.Type(L"Gadget", TKIND_COCLASS, 7, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL);
        Builder::Implement(gadget.Get(), fontEvents.Get(), 0, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
        b.Type(L"FontEvents", TKIND_COCLASS, 8);

        auto big = b.Dispatch(L"IBig", 9);
        std::wstring longHelp;
        for (size_t i = 0; longHelp.size() < kLongHelpLength; ++i)
            longHelp += static_cast<wchar_t>(L'a' + i % 26);
        Builder::Func(big.Get(), 0, 1, L"Huge", INVOKE_FUNC, VT_VOID, {}, longHelp.c_str());

        auto shape = b.Type(L"tagShape", TKIND_ENUM, 10);
        Builder::Const(shape.Get(), 0, L"Circle", Long(1));
        Builder::Const(shape.Get(), 1, L"Square", Long(5));
        auto alias = b.Type(L"Shape", TKIND_ALIAS, 11);
        TYPEDESC shapeType = Simple(VT_USERDEFINED);
        shapeType.hreftype = Builder::Ref(alias.Get(), Builder::AsTypeInfo(shape.Get()).Get());
        Check(alias->SetTypeDescAlias(&shapeType), "SetTypeDescAlias");

        auto colors = b.Type(L"ColorConstants", TKIND_ENUM, 12);
        Builder::Const(colors.Get(), 0, L"Red", Long(255));
        VARIANT text;
        VariantInit(&text);
        V_VT(&text) = VT_BSTR;
        V_BSTR(&text) = SysAllocString(L"Crimson");
        Builder::Const(colors.Get(), 1, L"Name", text);
        VariantClear(&text);

        b.Type(L"Nothing", TKIND_ENUM, 13);
        b.Save();
        return "";
    } catch (const Fail& f) {
        return f.what;
    }
}

std::string BuildEmptyLibrary(const std::wstring& path)
{
    try {
        Builder b(path);
        b.Save();
        return "";
    } catch (const Fail& f) {
        return f.what;
    }
}

} // namespace tlbtest
