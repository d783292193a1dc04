#include "ReferenceTexts.h"

#include "platform/Text.h"

namespace reference {

const std::vector<HeadingMark>& HeadingMarks(RefText text)
{
    static const std::vector<HeadingMark> codes = {
        {0, kHeadingPurple}, {1, kHeadingPurple}, {2, kHeadingPurple}, {5, kHeadingBlue}, {89, kHeadingBlue}};
    static const std::vector<HeadingMark> constants = {
        {0, kHeadingBlue},    {34, kHeadingBlue},   {48, kHeadingBlue},  {59, kHeadingBlue},
        {68, kHeadingBlue},   {2, kHeadingPurple},  {10, kHeadingPurple}, {16, kHeadingPurple}};
    return text == RefText::Codes ? codes : constants;
}

const wchar_t* ResourceName(RefText text) { return text == RefText::Codes ? L"ASCREF" : L"MESREF"; }

std::wstring LoadReferenceText(HMODULE module, RefText text)
{
    HRSRC found = FindResourceW(module, ResourceName(text), L"CUSTOM");
    if (!found)
        return L"";
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return L"";
    return platform::FromCodePage(static_cast<const char*>(data), SizeofResource(module, found));
}

} // namespace reference
