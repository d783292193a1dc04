// probe imgtag KIND FILE: the line the image tag command puts on the
// clipboard for FILE (KIND 1 the plain tag, 2 the tag inside a link), or the
// message it shows instead; nothing for a file it passes over silently.
#include "Probe.h"

#include "forms/Runtime.h"
#include "images/ImageFile.h"
#include "images/ImageRules.h"
#include "platform/Handles.h"
#include "platform/Text.h"

#include <cstdio>

namespace {

// The program's own message text, from TARNEL.exe beside the tests.
std::wstring ProgramString(UINT id)
{
    platform::Library program(
        LoadLibraryExW((probe::ProgramFolder() + L"\\TARNEL.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    return program ? forms::LoadResString(id, program.Get()) : L"string " + std::to_wstring(id);
}

} // namespace

static probe::Command reg(L"imgtag", L"KIND FILE", [](const std::vector<std::wstring>& args) {
    if (args.size() != 2) {
        fwprintf(stderr, L"usage: probe imgtag KIND FILE\n");
        return 2;
    }
    std::wstring line;
    switch (images::ImageTagFor(_wtoi(args[0].c_str()), args[1], line)) {
    case images::TagResult::Ok:
        break;
    case images::TagResult::WrongType:
        line = ProgramString(images::IDS_IMAGE_TAG_TYPES);
        break;
    case images::TagResult::PngFailed:
        line = images::kPngFailed;
        break;
    case images::TagResult::Failed:
        return 1;
    }
    probe::WriteOut(platform::ToCodePage(line + L"\n", CP_UTF8));
    return 0;
});
