#pragma once
// The tables of the function popup for the document shown: the signatures of
// its own procedures and of its linked include files, the names of its own
// procedures (the procedure list), and the linked files. They are rebuilt
// from the document's text and changed only by an edited declaration line and
// by linking or unlinking a file. No window is needed here: the callers hand
// over the text.
#include "ClsDic.h"
#include "EditorType.h"
#include "FuncDecls.h"

#include <functional>
#include <string>
#include <vector>

class FuncLists {
public:
    // Reads a linked file whole; "" when it cannot be read.
    using FileReader = std::function<std::wstring(const std::wstring& path)>;
    explicit FuncLists(FileReader readFile = nullptr);

    void Reset();
    // Reset, then the document's declarations (the first of a name wins) and
    // those of every existing file its markers name. CSS and JavaScript
    // documents keep empty tables.
    void Build(EditorType type, const std::wstring& docText);
    // Whether documents of the type have declarations and link files at all.
    static bool Lists(EditorType type) { return type != EditorType::CSS && type != EditorType::JavaScript; }
    // The declaration on one edited line of the document replaces an earlier
    // one of its name. True when the line declared something.
    bool AddDecl(const std::wstring& line);
    // Adds the file's declarations whose names are not known yet, and the
    // file, keyed by its full path (two files of one name are two links).
    void AddLink(const std::wstring& path);
    // Drops the file's declarations and the file; false when it is not linked.
    bool RemoveLink(const std::wstring& path);

    // "" when the name is not known.
    std::wstring Signature(const std::wstring& name) const;
    // All known names with their signatures, in table order.
    std::vector<std::pair<std::wstring, std::wstring>> Signatures() const;
    // The document's own procedures, in table order: the procedure list.
    std::vector<std::wstring> ProcedureNames() const;
    // Full paths of the linked files, in linking order.
    std::vector<std::wstring> LinkedPaths() const;
    bool IsLinked(const std::wstring& path) const;

private:
    std::vector<FuncDecl> ScanFile(const std::wstring& path) const;

    FileReader readFile_;
    ClsDic funcSignatures_;   // name -> signature
    ClsDic docFuncNames_;     // name -> name, the document's own only
    ClsDic linkFiles_;        // full path -> full path
};
