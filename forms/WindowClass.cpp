#include "WindowClass.h"

#include "Runtime.h"

#include <map>
#include <string>

namespace forms {

namespace {

// Classes this module registered, unregistered when the module goes.
class Registered {
public:
    ~Registered()
    {
        for (const auto& c : atoms_)
            UnregisterClassW(c.first.c_str(), ThisModule());
    }
    ATOM Find(const std::wstring& name) const
    {
        auto it = atoms_.find(name);
        return it == atoms_.end() ? 0 : it->second;
    }
    void Add(const std::wstring& name, ATOM atom) { atoms_[name] = atom; }

private:
    std::map<std::wstring, ATOM> atoms_;
};

Registered& Classes()
{
    static Registered r;
    return r;
}

} // namespace

ATOM RegisterWindowClass(const WindowClassSpec& spec)
{
    if (ATOM known = Classes().Find(spec.Name))
        return known;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = spec.Style;
    wc.lpfnWndProc = spec.Proc;
    wc.hInstance = ThisModule();
    wc.hCursor = spec.Cursor ? LoadCursorW(nullptr, spec.Cursor) : nullptr;
    wc.hbrBackground = spec.Background;
    wc.lpszClassName = spec.Name;
    ATOM atom = RegisterClassExW(&wc);
    if (!atom) {
        // Registered in this module by other code: used, left to it.
        WNDCLASSEXW known{};
        known.cbSize = sizeof(known);
        if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
            return static_cast<ATOM>(GetClassInfoExW(ThisModule(), spec.Name, &known));
        return 0;
    }
    Classes().Add(spec.Name, atom);
    return atom;
}

} // namespace forms
