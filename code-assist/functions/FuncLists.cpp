#include "FuncLists.h"

#include "FuncDecls.h"
#include "LinkMarkers.h"
#include "ModFileOps.h"

namespace {

// ClsDic gives one "" for an empty dictionary: only real keys are wanted.
std::vector<std::wstring> KeysOf(const ClsDic& dic)
{
    std::vector<std::wstring> keys;
    for (std::wstring& key : dic.Keys())
        if (!key.empty())
            keys.push_back(std::move(key));
    return keys;
}

} // namespace

FuncLists::FuncLists(FileReader readFile)
    : readFile_(readFile ? std::move(readFile) : FileReader(ModFileOps::ReadTextFile))
{
}

void FuncLists::Reset()
{
    funcSignatures_ = ClsDic();
    docFuncNames_ = ClsDic();
    linkFiles_ = ClsDic();
}

void FuncLists::Build(EditorType type, const std::wstring& docText)
{
    Reset();
    if (!Lists(type))
        return;
    // A text this short holds no declaration worth a popup.
    if (docText.size() >= 20) {
        for (const FuncDecl& decl : ScanFuncText(docText)) {
            funcSignatures_.Add(decl.name, decl.signature);
            docFuncNames_.Add(decl.name, decl.name);
        }
    }
    for (const std::wstring& path : LinkMarkerPaths(docText))
        if (ModFileOps::FileExists(path))
            AddLink(path);
}

bool FuncLists::AddDecl(const std::wstring& line)
{
    FuncDecl decl;
    if (!FuncDeclOnLine(line, decl))
        return false;
    funcSignatures_.Item(decl.name, decl.signature);
    docFuncNames_.Item(decl.name, decl.name);
    return true;
}

std::vector<FuncDecl> FuncLists::ScanFile(const std::wstring& path) const
{
    return ScanFuncText(readFile_(path));
}

void FuncLists::AddLink(const std::wstring& path)
{
    for (const FuncDecl& decl : ScanFile(path))
        funcSignatures_.Add(decl.name, decl.signature);
    linkFiles_.Add(path, path);
}

bool FuncLists::RemoveLink(const std::wstring& path)
{
    if (!linkFiles_.Exists(path))
        return false;
    for (const FuncDecl& decl : ScanFile(linkFiles_.Item(path)))
        funcSignatures_.Remove(decl.name);
    linkFiles_.Remove(path);
    return true;
}

std::wstring FuncLists::Signature(const std::wstring& name) const
{
    return funcSignatures_.Item(name);
}

std::vector<std::pair<std::wstring, std::wstring>> FuncLists::Signatures() const
{
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    for (const std::wstring& name : KeysOf(funcSignatures_))
        rows.emplace_back(name, funcSignatures_.Item(name));
    return rows;
}

std::vector<std::wstring> FuncLists::ProcedureNames() const { return KeysOf(docFuncNames_); }

std::vector<std::wstring> FuncLists::LinkedPaths() const { return KeysOf(linkFiles_); }

bool FuncLists::IsLinked(const std::wstring& path) const { return linkFiles_.Exists(path); }
