#pragma once
// Command ids of the preview window's menu items, IDM_ and the item's name
// (with _ and the index for the Open With items). WM_COMMAND with one of them
// runs the item as a pick from the menu would.

namespace BrowserMenu {

// (Their own names: the main window's menus use some of the same.)
enum Ids : unsigned {
    IDM_mfile = 3000,
    IDM_mbSave,
    IDM_mbsaveas,
    IDM_mexit,
    IDM_mview,
    IDM_mtextview,
    IDM_mline1,
    IDM_m15,
    IDM_m17,
    IDM_mreset,
    IDM_mline2,
    IDM_mOther,
    IDM_mOpenWith,
    IDM_mOtherB_0,
    IDM_mOtherB_1,
    IDM_mOtherB_2,
    IDM_mOtherB_3,
    IDM_mrefresh,
    IDM_mprint,
    IDM_mhelp,
    IDM_mcallhelp,
    IDM_msp1,
    IDM_msp2,
    IDM_msp3,
    IDM_mtitle,
};

} // namespace BrowserMenu
