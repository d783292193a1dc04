// The page tools' format checks and tag descriptions, bound to the main
// window: the calls the window makes of them, and what they ask of it.
#include "fedit.h"

#include "EditorType.h"
#include "Neighbours.h"
#include "debug/DebugShell.h"
#include "debug/ModVBSDebug.h"
#include "debug/modHTML.h"

void InstallFormatChecks(fedit& f)
{
    PageToolsCalls& p = PageTools();
    p.BeginFormatCheck = [](long edType) { BeginFormatCheck(EditorTypeOf(edType)); };
    p.RunHTMLDebug = [] { RunHTMLDebug(); };
    p.RunVBSDebug = [] { RunVBSDebug(); };
    p.LoadHTMLTags = [] { LoadHTMLTags(); };
    p.TagsLoaded = [] { return TagsLoaded(); };
    p.TagDescription = [](const std::wstring& name, std::wstring& description) {
        if (!TagsLoaded() || !TagDescriptions().Exists(name))
            return false;
        description = TagDescriptions().Item(name);
        return true;
    };
    // The report's Rerun runs the window's syntax-debugger command again.
    DebugShell().RunDebug = [&f] { f.mRunDebug_Click(); };
}
