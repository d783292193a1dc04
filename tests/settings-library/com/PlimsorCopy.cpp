#include "PlimsorCopy.h"

#include <windows.h>


#include "WindowTest.h"

namespace plimsortest {

std::wstring MakeProgramCopy(const std::wstring& name)
{
    const std::wstring bin = wt::ProgramFolder();
    const std::wstring dir = wt::ScratchFolder(name);
    CopyFileW((bin + L"\\plimsor.dll").c_str(), (dir + L"\\plimsor.dll").c_str(), FALSE);
    CopyFileW((bin + L"\\DirectCOM.dll").c_str(), (dir + L"\\DirectCOM.dll").c_str(), FALSE);
    CopyFileW((bin + L"\\tests\\sethost.exe").c_str(), (dir + L"\\sethost.exe").c_str(), FALSE);
    const std::wstring settings = dir + L"\\Settings";
    CreateDirectoryW(settings.c_str(), nullptr);
    DeleteFileW((settings + L"\\plimsors.dat").c_str());
    return dir;
}

} // namespace plimsortest
