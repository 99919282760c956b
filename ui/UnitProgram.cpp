#include "UnitProgram.h"

#include "UnitCourses.h"
#include "UnitDialog.h"
#include "UnitEditRecette.h"
#include "UnitMenuList.h"
#include "UnitMenuName.h"
#include "UnitMenus.h"
#include "UnitOptions.h"

namespace {

// Creates a window of class T into Owner and its global; only the main window's closing
// ends the program, whatever other window is still open.
template <class T> void CreateForm(std::unique_ptr<T> &Owner, T *&Global, bool MainWindow = false)
{
    Owner = std::make_unique<T>();
    Global = Owner.get();
    if (!MainWindow)
        Owner->setAttribute(Qt::WA_QuitOnClose, false);
}

template <class T> void FreeForm(std::unique_ptr<T> &Owner, T *&Global)
{
    Global = nullptr;
    Owner.reset();
}

} // namespace

TProgramWindows::TProgramWindows()
{
    try {
        CreateForm(FMenus, FormMenus, true);
        CreateForm(FCourses, FormCourses);
        CreateForm(FDialog, FormDialog);
        CreateForm(FEditRec, FormEditRec);
        CreateForm(FOptions, FormOptions);
        CreateForm(FMenuList, FormMenuList);
        CreateForm(FMenuName, FormMenuName);
    } catch (...) {
        FreeForms();
        throw;
    }
}

TProgramWindows::~TProgramWindows()
{
    FreeForms();
}

void TProgramWindows::FreeForms()
{
    FreeForm(FMenuName, FormMenuName);
    FreeForm(FMenuList, FormMenuList);
    FreeForm(FOptions, FormOptions);
    FreeForm(FEditRec, FormEditRec);
    FreeForm(FDialog, FormDialog);
    FreeForm(FCourses, FormCourses);
    FreeForm(FMenus, FormMenus);
}
