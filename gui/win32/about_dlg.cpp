#include "gui/win32/about_dlg.h"

#include "gui/res/resource.h"
#include "gui/win32/dialog_templates.h"

namespace kolt {

CAboutDlg::CAboutDlg() : ui::Dialog(LoadDialogTemplateWithInstalledFace(IDD_ABOUTBOX)) {}

}  // namespace kolt
